// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessible>
#include <QList>
#include <QRectF>
#include <QString>

namespace brindlemoor {

/// A text a painted view draws that a screen reader should meet as an element of its own
/// (a title read as a heading, a line of help), in the view's coordinates.
struct AccessibleItem {
    QAccessible::Role role = QAccessible::StaticText;
    QString name;
    QRectF rect;
};

/// What a custom-painted view tells a screen reader. Such a view derives from this beside
/// QWidget; one accessibility factory turns it into the interface assistive tools read, so
/// that a view only says what it shows and never builds interfaces itself.
class AccessibleContent {
public:
    AccessibleContent();
    AccessibleContent(const AccessibleContent&) = delete;
    AccessibleContent& operator=(const AccessibleContent&) = delete;
    AccessibleContent(AccessibleContent&&) = delete;
    AccessibleContent& operator=(AccessibleContent&&) = delete;
    virtual ~AccessibleContent() = default;

    virtual QAccessible::Role accessibleRole() const = 0;
    /// What the view says; the widget's accessibleName, when one is set, wins. A graphic
    /// that says nothing is decorative: screen readers are told it is not showing.
    virtual QString accessibleText() const = 0;
    virtual QString accessibleValue() const { return {}; }
    /// Painted texts, read before the view's widget children.
    virtual QList<AccessibleItem> accessibleItems() const { return {}; }
};

namespace accessibility {

/// Installs the factory for the program's own widgets once; every such widget calls it
/// before its interface can be asked for.
void install();

} // namespace accessibility

} // namespace brindlemoor
