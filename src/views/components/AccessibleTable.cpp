// SPDX-License-Identifier: MIT
#include "views/components/AccessibleTable.h"

#include "views/components/AccessiblePart.h"

#include <QAccessibleWidget>
#include <QWidget>

#include <map>
#include <memory>
#include <utility>

namespace brindlemoor {

namespace {

AccessibleTableContent* tableOf(QObject* object)
{
    return dynamic_cast<AccessibleTableContent*>(object);
}

/// One cell of a row.
class CellAccessible final : public accessibility::ViewPart, public QAccessibleTableCellInterface {
public:
    CellAccessible(QWidget* view, int row, int column)
        : ViewPart(view)
        , m_row(row)
        , m_column(column)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
    }

    bool isValid() const override
    {
        const AccessibleTableContent* content = tableOf(view());
        return content && m_row < content->accessibleRowCount() &&
               m_column < static_cast<int>(content->accessibleColumns().size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && isValid() ? tableOf(view())->accessibleCell(m_row, m_column) : QString();
    }

    QRect rect() const override { return isValid() ? onScreen(tableOf(view())->accessibleRowRect(m_row)) : QRect(); }

    QAccessible::State state() const override
    {
        QAccessible::State state = ViewPart::state();
        state.selectable = true;
        state.selected = isSelected();
        return state;
    }

    bool isSelected() const override { return isValid() && tableOf(view())->accessibleCurrentRow() == m_row; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    int m_row;
    int m_column;
};

class TableAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit TableAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Table)
    {
        // The cells go with the view; the registry may have let them go first.
        QObject::connect(widget, &QObject::destroyed, widget, [cells = m_cells] {
            for (const auto& [where, id] : *cells) {
                if (QAccessible::accessibleInterface(id))
                    QAccessible::deleteAccessibleInterface(id);
            }
        });
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        const AccessibleTableContent* what = content();
        if (t != QAccessible::Name || !what || !widget()->accessibleName().isEmpty())
            return QAccessibleWidget::text(t);
        return what->accessibleText();
    }

    int childCount() const override { return rowCount() * columnCount(); }
    QAccessibleInterface* child(int index) const override
    {
        const int columns = columnCount();
        return index >= 0 && columns > 0 ? cellAt(index / columns, index % columns) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const QAccessible::Id id = QAccessible::uniqueId(const_cast<QAccessibleInterface*>(child));
        for (const auto& [where, each] : *m_cells) {
            if (each == id && where.first < rowCount())
                return where.first * columnCount() + where.second;
        }
        return -1;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }

    QAccessibleInterface* cellAt(int row, int column) const override
    {
        if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
            return nullptr;
        const std::pair where{row, column};
        auto it = m_cells->find(where);
        if (it == m_cells->end())
            it = m_cells
                     ->emplace(where,
                               QAccessible::registerAccessibleInterface(new CellAccessible(widget(), row, column)))
                     .first;
        return QAccessible::accessibleInterface(it->second);
    }

    int selectedCellCount() const override { return selectedRowCount() * columnCount(); }
    QList<QAccessibleInterface*> selectedCells() const override
    {
        QList<QAccessibleInterface*> cells;
        for (const int row : selectedRows()) {
            for (int column = 0; column < columnCount(); ++column)
                cells.append(cellAt(row, column));
        }
        return cells;
    }

    QString columnDescription(int column) const override
    {
        const QStringList columns = content() ? content()->accessibleColumns() : QStringList();
        return column >= 0 && column < columns.size() ? columns.at(column) : QString();
    }
    // The first column names the row, as a row header would.
    QString rowDescription(int row) const override
    {
        return row >= 0 && row < rowCount() ? content()->accessibleCell(row, 0) : QString();
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
    int columnCount() const override { return content() ? static_cast<int>(content()->accessibleColumns().size()) : 0; }
    int rowCount() const override { return content() ? content()->accessibleRowCount() : 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override
    {
        const int current = content() ? content()->accessibleCurrentRow() : -1;
        return current >= 0 && current < rowCount() ? QList<int>{current} : QList<int>();
    }
    bool isColumnSelected(int /*column*/) const override { return false; }
    bool isRowSelected(int row) const override { return selectedRows().contains(row); }
    bool selectRow(int row) override
    {
        if (!content() || row < 0 || row >= rowCount())
            return false;
        content()->setAccessibleCurrentRow(row);
        return true;
    }
    bool selectColumn(int /*column*/) override { return false; }
    bool unselectRow(int row) override
    {
        if (!isRowSelected(row))
            return false;
        content()->setAccessibleCurrentRow(-1);
        return true;
    }
    bool unselectColumn(int /*column*/) override { return false; }
    // The cells read the view at each question, so a changed model needs nothing here.
    void modelChange(QAccessibleTableModelChangeEvent* /*event*/) override {}

private:
    // Asked afresh each time: while QWidget's destructor runs the view's own part is gone already.
    AccessibleTableContent* content() const { return tableOf(object()); }

    std::shared_ptr<std::map<std::pair<int, int>, QAccessible::Id>> m_cells =
        std::make_shared<std::map<std::pair<int, int>, QAccessible::Id>>();
};

} // namespace

namespace accessibility {

QAccessibleInterface* tableInterface(QWidget* view)
{
    return new TableAccessible(view);
}

void announceCurrentRow(QWidget* view)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(view);
    const AccessibleTableContent* content = tableOf(view);
    if (!table || !table->tableInterface() || !content || content->accessibleCurrentRow() < 0)
        return;
    QAccessibleInterface* cell = table->tableInterface()->cellAt(content->accessibleCurrentRow(), 0);
    if (!cell)
        return;
    QAccessibleEvent selection(cell, QAccessible::Selection);
    QAccessible::updateAccessibility(&selection);
    if (view->hasFocus()) {
        QAccessibleEvent focus(cell, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

} // namespace accessibility

} // namespace brindlemoor
