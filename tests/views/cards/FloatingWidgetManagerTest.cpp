// SPDX-License-Identifier: MIT
#include "FloatingWidgetFixture.h"
#include "views/cards/FloatingCardView.h"
#include "views/cards/FloatingWidgetPanel.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QWindow>

using namespace brindlemoor;
using namespace brindlemoor::test;

namespace {

using Manager = FloatingWidgetManager;

class FloatingWidgetManagerTest : public FloatingWidgetFixture {
protected:
    static QRect available() { return QGuiApplication::primaryScreen()->availableGeometry(); }
    /// The card of an open panel, in global coordinates.
    static QRect card(const FloatingWidgetPanel* panel)
    {
        return {panel->pos() + QPoint(FloatingWidgetPanel::shadowMargin, FloatingWidgetPanel::shadowMargin),
                FloatingWidgetPanel::cardSize()};
    }
    static QPoint centre(const FloatingWidgetPanel* panel) { return QRectF(card(panel)).center().toPoint(); }
    QPoint stored(const QString& bundleID) const
    {
        const QJsonObject entry = storedPositions().value(bundleID).toObject();
        return {entry.value(QStringLiteral("x")).toInt(), entry.value(QStringLiteral("y")).toInt()};
    }
};

} // namespace

TEST_F(FloatingWidgetManagerTest, ClampingKeepsTheWholeCardOnTheScreenOfItsOrigin)
{
    const QSize card(280, 40);
    // A 1280 x 800 screen with a 30-point panel at the bottom, and a second screen to its right.
    const QList<Manager::ScreenArea> screens{{QRect(0, 0, 1280, 800), QRect(0, 0, 1280, 770)},
                                             {QRect(1280, 0, 1024, 768), QRect(1280, 24, 1024, 744)}};
    const struct {
        QPoint origin;
        QPoint expected;
    } cases[] = {
        {{100, 100}, {100, 100}},    // inside: left alone
        {{1100, 100}, {1000, 100}},  // beyond the right edge: the whole width shows
        {{100, 750}, {100, 730}},    // under the bottom panel: pushed up
        {{-50, -20}, {0, 0}},        // off the top-left corner
        {{1290, 5}, {1290, 24}},     // the second screen's own top bar
        {{5000, 5000}, {1000, 730}}, // on no screen: the main one
    };
    for (const auto& c : cases)
        EXPECT_EQ(Manager::clampOrigin(c.origin, card, screens, 0), c.expected) << c.origin.x() << "," << c.origin.y();
    // Larger than the available area: the right and the top edge win.
    EXPECT_EQ(Manager::clampOrigin({10, 10}, QSize(2000, 1000), screens, 0), QPoint(-720, 0));
}

TEST_F(FloatingWidgetManagerTest, AStoredPositionWinsOverThePointerUntilTheWidgetIsOpen)
{
    Manager manager;
    manager.configure(context);
    storeJson(keys::floatingWidgetPositions, R"({"org.example.Editor":{"x":100,"y":120}})");

    manager.beginDragOut(kEditor, QPoint(400, 300));
    FloatingWidgetPanel* panel = manager.panel(kEditor);
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->pos(), QPoint(100, 120)) << "opened where it stood, not under the pointer";
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(manager.activePanelIDs(), QSet<QString>{kEditor});
    // On every desktop, above the others, out of taskbars, never focused.
    const QList<QWindow*> asked{panel->windowHandle()};
    EXPECT_EQ(windowSystem.onAllDesktops, asked);
    EXPECT_EQ(windowSystem.keptAbove, asked);
    EXPECT_EQ(windowSystem.outOfTaskbars, asked);
    EXPECT_TRUE(panel->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));

    // Open now: later drags centre it on the pointer, even partly off the screen.
    const QPoint edge = available().bottomRight();
    manager.beginDragOut(kEditor, edge);
    EXPECT_EQ(centre(panel), edge);
    manager.moveWidget(kEditor, edge + QPoint(40, 0));
    EXPECT_EQ(centre(panel), edge + QPoint(40, 0));
    QCoreApplication::processEvents();
    manager.storePosition(kEditor);
    EXPECT_EQ(stored(kEditor), panel->pos());

    // A stored origin beyond the right edge and the bottom is pulled back on its first opening.
    storeJson(keys::floatingWidgetPositions, R"({"org.example.Browser":{"x":100000,"y":100000}})");
    manager.beginDragOut(kBrowser, QPoint(10, 10));
    EXPECT_TRUE(available().contains(card(manager.panel(kBrowser))));
    EXPECT_EQ(card(manager.panel(kBrowser)).bottomRight(), available().bottomRight());
}

TEST_F(FloatingWidgetManagerTest, DraggingTheBackgroundMovesTheWidgetAndStoresWhereItWent)
{
    Manager manager;
    manager.configure(context);
    manager.beginDragOut(kEditor, QPoint(300, 300));
    FloatingWidgetPanel* panel = manager.panel(kEditor);
    const QPoint start = panel->pos();
    QWidget* view = panel->content();
    const auto send = [&](QEvent::Type type, QPoint global, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(view->mapFromGlobal(global)), QPointF(global),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    };
    const QPoint grab = view->mapToGlobal(QPoint(150, 20));
    send(QEvent::MouseButtonPress, grab, Qt::LeftButton);
    send(QEvent::MouseMove, grab + QPoint(30, 50), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, grab + QPoint(30, 50), Qt::NoButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(panel->pos(), start + QPoint(30, 50));
    EXPECT_EQ(stored(kEditor), start + QPoint(30, 50));
}

TEST_F(FloatingWidgetManagerTest, ClosingForgetsThePositionSoTheWidgetStaysClosedAfterARestart)
{
    prefs.setDailyLimitMinutes(30);
    {
        Manager manager;
        manager.configure(context);
        manager.beginDragOut(kEditor, QPoint(300, 300));
        manager.beginDragOut(kBrowser, QPoint(300, 400));
        manager.showDailyWidget(QPoint(300, 500));
        QCoreApplication::processEvents();

        // The close button shows while the pointer is over the card.
        FloatingCardView* editor = manager.panel(kEditor)->content();
        EXPECT_FALSE(editor->closeButton()->isVisible());
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(editor, &enter);
        ASSERT_TRUE(editor->closeButton()->isVisible());
        QTest::mouseClick(editor->closeButton(), Qt::LeftButton);
        manager.closeDailyWidget();
        EXPECT_EQ(manager.activePanelIDs(), QSet<QString>{kBrowser});
        EXPECT_EQ(storedPositions().keys(), QStringList{kBrowser});
        EXPECT_FALSE(defaults.value(keys::floatingWidgetDailyPosition).isValid());
    }
    Manager restarted;
    restarted.configure(context);
    EXPECT_EQ(restarted.activePanelIDs(), QSet<QString>{kBrowser});
}

TEST_F(FloatingWidgetManagerTest, RestoresOnlyWhatWasOpenWatchedAndReadable)
{
    const QString daily = Manager::dailyPanelID;
    const struct {
        const char* name;
        const char* positions;
        const char* dailyPosition;
        qint64 dailyLimit;
        QSet<QString> restored;
        QStringList keptKeys; // stored after the restore; a spoilt value stays as it was until the next write
    } cases[] = {
        // clang-format off
        {"both apps and the daily widget",
         R"({"org.example.Editor":{"x":10,"y":10},"org.example.Browser":{"x":10,"y":60}})", R"({"x":10,"y":110})", 30,
         {kEditor, kBrowser, daily}, {kBrowser, kEditor}},
        {"an app no longer watched keeps its entry",
         R"({"org.example.Editor":{"x":10,"y":10},"org.example.Unwatched":{"x":1,"y":2}})", "", 30,
         {kEditor}, {kEditor, kUnwatched}},
        {"no daily limit, no daily widget", "", R"({"x":10,"y":110})", 0, {}, {}},
        {"an entry without y is no position",
         R"({"org.example.Editor":{"x":10},"org.example.Browser":{"x":10,"y":60}})", R"({"x":10})", 30,
         {kBrowser}, {kBrowser, kEditor}},
        {"one bad entry spoils them all",
         R"({"org.example.Editor":{"x":10,"y":10},"org.example.Browser":{"x":"10","y":60}})", "", 30,
         {}, {kBrowser, kEditor}},
        {"not an object of objects", R"({"org.example.Editor":[10,10]})", "[1,2]", 30, {}, {kEditor}},
        {"garbage", "\xff{not json", "\x01", 30, {}, {}},
        {"absurd numbers land on the screen", R"({"org.example.Editor":{"x":1e300,"y":-1e300}})", "", 30,
         {kEditor}, {kEditor}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        storeJson(keys::floatingWidgetPositions, c.positions);
        storeJson(keys::floatingWidgetDailyPosition, c.dailyPosition);
        prefs.setDailyLimitMinutes(c.dailyLimit);
        Manager manager;
        manager.configure(context);
        QCoreApplication::processEvents();
        EXPECT_EQ(manager.activePanelIDs(), c.restored);
        QStringList kept = storedPositions().keys();
        kept.sort();
        EXPECT_EQ(kept, c.keptKeys);
        for (const QString& id : c.restored) {
            const FloatingWidgetPanel* panel = id == daily ? manager.dailyPanel() : manager.panel(id);
            EXPECT_TRUE(available().contains(card(panel))) << id.toStdString();
        }
    }

    // After a spoilt store the next write keeps only the widget that is open.
    storeJson(keys::floatingWidgetPositions, R"({"org.example.Editor":{"x":10,"y":"oops"}})");
    Manager manager;
    manager.configure(context);
    manager.beginDragOut(kBrowser, QPoint(300, 300));
    manager.storePosition(kBrowser);
    EXPECT_EQ(storedPositions().keys(), QStringList{kBrowser});
}
