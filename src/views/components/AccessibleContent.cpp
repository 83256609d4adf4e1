// SPDX-License-Identifier: MIT
#include "views/components/AccessibleContent.h"

#include "views/components/AccessiblePart.h"
#include "views/components/AccessibleTable.h"
#include "views/components/ColorWell.h"
#include "views/components/FennSegmentedPicker.h"
#include "views/components/HeadingLabel.h"
#include "views/components/Stepper.h"

#include <QAccessibleWidget>

#include <memory>
#include <vector>

namespace brindlemoor {

namespace {

AccessibleContent* contentOf(QObject* object)
{
    return dynamic_cast<AccessibleContent*>(object);
}

/// One painted text of a view.
class ItemAccessible final : public accessibility::ViewPart {
public:
    ItemAccessible(QWidget* view, int index)
        : ViewPart(view)
        , m_index(index)
    {
    }

    bool isValid() const override { return view() && m_index < items().size(); }
    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? item().name : QString(); }
    QAccessible::Role role() const override { return item().role; }
    QRect rect() const override { return onScreen(item().rect); }

private:
    QList<AccessibleItem> items() const
    {
        AccessibleContent* content = contentOf(view());
        return content ? content->accessibleItems() : QList<AccessibleItem>();
    }
    AccessibleItem item() const
    {
        const QList<AccessibleItem> all = items();
        return m_index < all.size() ? all.at(m_index) : AccessibleItem();
    }

    int m_index;
};

class ContentAccessible final : public QAccessibleWidget {
public:
    ContentAccessible(QWidget* widget, const AccessibleContent* content)
        : QAccessibleWidget(widget, content->accessibleRole())
    {
        // The painted items' interfaces go with the view; the registry may have let them go first.
        QObject::connect(widget, &QObject::destroyed, widget, [ids = m_itemIds] {
            for (const QAccessible::Id id : *ids) {
                if (QAccessible::accessibleInterface(id))
                    QAccessible::deleteAccessibleInterface(id);
            }
        });
    }

    QAccessible::Role role() const override
    {
        const AccessibleContent* what = content();
        return what ? what->accessibleRole() : QAccessibleWidget::role();
    }

    QString text(QAccessible::Text t) const override
    {
        const AccessibleContent* what = content();
        if (!what)
            return QAccessibleWidget::text(t);
        switch (t) {
        case QAccessible::Name:
            return widget()->accessibleName().isEmpty() ? what->accessibleText() : widget()->accessibleName();
        case QAccessible::Value:
            return what->accessibleValue();
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        // What Qt's AT-SPI bridge leaves out of "showing" is what Orca skips.
        if (isDecorative())
            state.invisible = true;
        return state;
    }

    int childCount() const override { return QAccessibleWidget::childCount() + itemCount(); }

    QAccessibleInterface* child(int index) const override
    {
        const int items = itemCount();
        if (index >= items)
            return QAccessibleWidget::child(index - items);
        if (index < 0)
            return nullptr;
        while (static_cast<int>(m_itemIds->size()) <= index) {
            const int next = static_cast<int>(m_itemIds->size());
            m_itemIds->push_back(QAccessible::registerAccessibleInterface(new ItemAccessible(widget(), next)));
        }
        return QAccessible::accessibleInterface(m_itemIds->at(index));
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const QAccessible::Id id = QAccessible::uniqueId(const_cast<QAccessibleInterface*>(child));
        for (std::size_t i = 0; i < m_itemIds->size(); ++i) {
            if (m_itemIds->at(i) == id)
                return static_cast<int>(i);
        }
        const int index = QAccessibleWidget::indexOfChild(child);
        return index < 0 ? -1 : index + itemCount();
    }

private:
    bool isDecorative() const { return role() == QAccessible::Graphic && text(QAccessible::Name).isEmpty(); }

    // Asked afresh each time: while QWidget's destructor hides the widget (and a screen reader
    // may ask about it) the view's own part is gone already, and the cast then finds nothing.
    const AccessibleContent* content() const { return contentOf(object()); }
    int itemCount() const
    {
        const AccessibleContent* what = content();
        return what ? static_cast<int>(what->accessibleItems().size()) : 0;
    }

    std::shared_ptr<std::vector<QAccessible::Id>> m_itemIds = std::make_shared<std::vector<QAccessible::Id>>();
};

/// A spin box to assistive tools: the value, its range, one step up or down.
class StepperAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit StepperAccessible(Stepper* stepper)
        : QAccessibleWidget(stepper, QAccessible::SpinBox)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        const Stepper* s = stepper();
        return t == QAccessible::Value && s ? QString::number(s->value()) : QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return stepper() ? QVariant(stepper()->value()) : QVariant(); }
    QVariant maximumValue() const override { return stepper() ? QVariant(stepper()->maximum()) : QVariant(); }
    QVariant minimumValue() const override { return stepper() ? QVariant(stepper()->minimum()) : QVariant(); }
    QVariant minimumStepSize() const override { return stepper() ? QVariant(stepper()->step()) : QVariant(); }

    // Reached in steps, so that the value lands where a user's clicks could put it and the
    // owner hears each change as from the user.
    void setCurrentValue(const QVariant& value) override
    {
        Stepper* s = stepper();
        const int target = value.toInt();
        while (s && s->value() != target) {
            const int direction = target > s->value() ? 1 : -1;
            const int before = s->value();
            s->stepBy(direction);
            const int after = s->value();
            if (after == before || (after - target) * direction >= 0)
                break;
        }
    }

    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << increaseAction() << decreaseAction();
    }

    void doAction(const QString& actionName) override
    {
        if (stepper() && actionName == increaseAction())
            stepper()->stepBy(+1);
        else if (stepper() && actionName == decreaseAction())
            stepper()->stepBy(-1);
        else
            QAccessibleWidget::doAction(actionName);
    }

private:
    // None while QWidget's destructor runs, as for the painted views.
    Stepper* stepper() const { return qobject_cast<Stepper*>(object()); }
};

/// Segments read like a combo box: the setting's name and the chosen segment as its value.
class PickerAccessible final : public QAccessibleWidget {
public:
    explicit PickerAccessible(FennSegmentedPicker* picker)
        : QAccessibleWidget(picker, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Value)
            return QAccessibleWidget::text(t);
        const auto* picker = qobject_cast<const FennSegmentedPicker*>(object());
        if (!picker)
            return {};
        for (const FennSegmentedPicker::Option& option : picker->options()) {
            if (option.value == picker->selection())
                return option.label;
        }
        return {};
    }
};

/// A button that opens the colour dialog; its value is the colour chosen.
class ColorWellAccessible final : public QAccessibleWidget {
public:
    explicit ColorWellAccessible(ColorWell* well)
        : QAccessibleWidget(well, QAccessible::Button)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value && well() ? well()->color().name() : QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return QAccessibleWidget::actionNames() << pressAction(); }

    void doAction(const QString& actionName) override
    {
        if (well() && actionName == pressAction())
            well()->openDialog();
        else
            QAccessibleWidget::doAction(actionName);
    }

private:
    ColorWell* well() const { return qobject_cast<ColorWell*>(object()); }
};

class HeadingAccessible final : public QAccessibleWidget {
public:
    explicit HeadingAccessible(HeadingLabel* label)
        : QAccessibleWidget(label, QAccessible::Heading)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        const auto* label = qobject_cast<const HeadingLabel*>(object());
        if (t == QAccessible::Name && label && label->accessibleName().isEmpty())
            return label->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* programWidgets(const QString& /*className*/, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (dynamic_cast<AccessibleTableContent*>(object))
        return accessibility::tableInterface(widget);
    if (AccessibleContent* content = contentOf(object))
        return new ContentAccessible(widget, content);
    if (auto* stepper = qobject_cast<Stepper*>(object))
        return new StepperAccessible(stepper);
    if (auto* picker = qobject_cast<FennSegmentedPicker*>(object))
        return new PickerAccessible(picker);
    if (auto* well = qobject_cast<ColorWell*>(object))
        return new ColorWellAccessible(well);
    if (auto* heading = qobject_cast<HeadingLabel*>(object))
        return new HeadingAccessible(heading);
    return nullptr;
}

} // namespace

AccessibleContent::AccessibleContent()
{
    accessibility::install();
}

namespace accessibility {

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(programWidgets);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace accessibility

} // namespace brindlemoor
