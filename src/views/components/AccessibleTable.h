// SPDX-License-Identifier: MIT
#pragma once

#include "views/components/AccessibleContent.h"

#include <QStringList>

class QAccessibleInterface;
class QWidget;

namespace brindlemoor {

/// A painted view that shows rows of figures (a chart's bars) and is read as a table: one row per
/// painted element, its texts under the columns' names, the current row as the selection.
class AccessibleTableContent : public AccessibleContent {
public:
    QAccessible::Role accessibleRole() const override { return QAccessible::Table; }

    virtual int accessibleRowCount() const = 0;
    virtual QStringList accessibleColumns() const = 0;
    virtual QString accessibleCell(int row, int column) const = 0;
    /// Where the row is painted, in the view's coordinates.
    virtual QRectF accessibleRowRect(int row) const = 0;
    /// The row the user is on, or -1.
    virtual int accessibleCurrentRow() const = 0;
    virtual void setAccessibleCurrentRow(int row) = 0;
};

namespace accessibility {

/// The table interface of a view that is AccessibleTableContent; the factory asks for it.
QAccessibleInterface* tableInterface(QWidget* view);

/// Tells assistive tools that the view's current row changed, as a list view does.
void announceCurrentRow(QWidget* view);

} // namespace accessibility

} // namespace brindlemoor
