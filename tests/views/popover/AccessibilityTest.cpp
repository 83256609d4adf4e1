// SPDX-License-Identifier: MIT
#include "views/cards/FloatingWidgetFixture.h"
#include "views/components/FennSegmentedPicker.h"
#include "views/components/Stepper.h"
#include "views/history/HistoryView.h"
#include "views/onboarding/InfoPopoverView.h"
#include "views/onboarding/WelcomeView.h"
#include "views/popover/MenuRootView.h"
#include "views/settings/PreferencesView.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QMetaEnum>

#include <iostream>

using namespace brindlemoor;
using namespace brindlemoor::test;

namespace {

class NoLoginItems final : public LoginItemService {
public:
    bool isEnabled() const override { return false; }
    bool setEnabled(bool /*on*/) override { return true; }
    QString errorText() const override { return {}; }
};

/// One element as a screen reader meets it.
struct Heard {
    QAccessible::Role role;
    QString name;
    QString value;
    bool invisible;
    QAccessibleInterface* interface;
};

QString roleName(QAccessible::Role role)
{
    return QString::fromLatin1(QMetaEnum::fromType<QAccessible::Role>().valueToKey(role));
}

/// The tree as assistive tools walk it, depth first, without what is not showing.
QList<Heard> walk(QAccessibleInterface* node)
{
    QList<Heard> heard;
    if (!node || !node->isValid())
        return heard;
    const bool invisible = node->state().invisible;
    heard.append({node->role(), node->text(QAccessible::Name), node->text(QAccessible::Value), invisible, node});
    if (invisible)
        return heard;
    for (int i = 0; i < node->childCount(); ++i)
        heard.append(walk(node->child(i)));
    return heard;
}

QList<Heard> walk(QWidget* root)
{
    return walk(QAccessible::queryAccessibleInterface(root));
}

/// Every control a user can act on says what it is; an unnamed one fails the test.
void expectControlsNamed(const QList<Heard>& tree)
{
    static const QList<QAccessible::Role> controls{
        QAccessible::PushButton, QAccessible::CheckBox,     QAccessible::RadioButton, QAccessible::ComboBox,
        QAccessible::SpinBox,    QAccessible::EditableText, QAccessible::Slider,      QAccessible::Link};
    int named = 0;
    for (const Heard& element : tree) {
        if (element.invisible)
            continue;
        const bool control = controls.contains(element.role) || element.interface->state().focusable;
        if (!control)
            continue;
        EXPECT_FALSE(element.name.trimmed().isEmpty()) << "an unnamed " << roleName(element.role).toStdString();
        EXPECT_NE(element.role, QAccessible::Client) << element.name.toStdString() << " has no role";
        ++named;
    }
    EXPECT_GT(named, 0);
}

const Heard* find(const QList<Heard>& tree, QAccessible::Role role, const QString& name)
{
    for (const Heard& element : tree) {
        if (!element.invisible && element.role == role && element.name == name)
            return &element;
    }
    return nullptr;
}

class AccessibilityTest : public FloatingWidgetFixture {};

} // namespace

TEST_F(AccessibilityTest, TheUsagePopoverReadsAsItShows)
{
    prefs.setDailyLimitMinutes(120);
    use(kEditor, 50);
    use(kBrowser, 20);
    MenuRootView menu(MenuContext{appearance, today, catalog, icons, clock, nullptr});
    menu.show();

    const QList<Heard> tree = walk(&menu);
    std::cout << "What a screen reader hears in the usage popover (role | name | value):\n";
    for (const Heard& element : tree) {
        if (!element.invisible)
            std::cout << roleName(element.role).toStdString() << " | " << element.name.toStdString() << " | "
                      << element.value.toStdString() << '\n';
    }
    expectControlsNamed(tree);

    EXPECT_TRUE(find(tree, QAccessible::Heading, QStringLiteral("Brindlemoor")));
    // Each row: the application, the time used against its limit, and how near the limit is.
    EXPECT_TRUE(find(tree, QAccessible::ListItem, QStringLiteral("Editor, 50 s used of 1 min, near the limit")));
    EXPECT_TRUE(find(tree, QAccessible::ListItem, QStringLiteral("Browser, 20 s used of 1 min")));
    EXPECT_TRUE(find(tree, QAccessible::PushButton, QStringLiteral("Reset Editor")));
    const Heard* bar = find(tree, QAccessible::ProgressBar, QStringLiteral("Daily usage limit, 1 min used of 2 h"));
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->value, QStringLiteral("0 %"));

    // The names follow the numbers, without the popover being built again.
    use(kBrowser, 40);
    EXPECT_TRUE(
        find(walk(&menu), QAccessible::ListItem, QStringLiteral("Browser, 1 min used of 1 min, limit reached")));
}

TEST_F(AccessibilityTest, SettingsWelcomeInfoAndHistoryNameEveryControl)
{
    NoLoginItems loginItems;
    PreferencesView settings(appearance, prefs, loginItems, catalog, icons);
    settings.show();
    const QList<Heard> tree = walk(&settings);

    expectControlsNamed(tree);
    EXPECT_TRUE(find(tree, QAccessible::Heading, QStringLiteral("Settings")));

    // The stepper is a spin box that assistive tools can read and step.
    auto* stepper = settings.findChild<Stepper*>();
    ASSERT_TRUE(stepper);
    QAccessibleInterface* spin = QAccessible::queryAccessibleInterface(stepper);
    ASSERT_EQ(spin->role(), QAccessible::SpinBox);
    QAccessibleValueInterface* value = spin->valueInterface();
    ASSERT_TRUE(value);
    EXPECT_EQ(value->maximumValue().toInt(), stepper->maximum());
    const qint64 before = prefs.dailyLimitMinutes();
    spin->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    EXPECT_GT(prefs.dailyLimitMinutes(), before);
    EXPECT_EQ(value->currentValue().toLongLong(), prefs.dailyLimitMinutes());

    // The picker tells its chosen segment, and follows the setting.
    auto* picker = settings.findChild<FennSegmentedPicker*>();
    ASSERT_TRUE(picker);
    QAccessibleInterface* choice = QAccessible::queryAccessibleInterface(picker);
    const QString shown = choice->text(QAccessible::Value);
    prefs.setShowTimeRemaining(!prefs.showTimeRemaining());
    EXPECT_FALSE(choice->text(QAccessible::Value).isEmpty());
    EXPECT_NE(choice->text(QAccessible::Value), shown);

    WelcomeView welcome(appearance, nullptr);
    welcome.show();
    const QList<Heard> greeting = walk(&welcome);
    expectControlsNamed(greeting);
    EXPECT_TRUE(find(greeting, QAccessible::Heading, WelcomeView::title()));
    // The logo is decoration: present in the tree, not showing to a screen reader.
    const auto logo = std::find_if(greeting.begin(), greeting.end(),
                                   [](const Heard& element) { return element.role == QAccessible::Graphic; });
    ASSERT_NE(logo, greeting.end());
    EXPECT_TRUE(logo->invisible);
    EXPECT_TRUE(logo->name.isEmpty());

    InfoPopoverView info(appearance);
    info.show();
    const QList<Heard> about = walk(&info);
    expectControlsNamed(about);
    EXPECT_TRUE(find(about, QAccessible::Heading, QStringLiteral("Brindlemoor")));

    HistoryView history(appearance, today, catalog, clock);
    history.show();
    expectControlsNamed(walk(&history));
}
