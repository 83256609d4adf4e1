// SPDX-License-Identifier: MIT
#include "views/settings/MonitoredAppsTableView.h"

#include "views/components/Appearance.h"
#include "views/components/FocusRing.h"
#include "views/components/NamedColors.h"
#include "views/components/Stepper.h"
#include "views/settings/MonitoredAppCell.h"
#include "views/settings/StepperCell.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace brindlemoor {

namespace {

// Rows are chosen by the mouse; a focus frame around one cell says nothing useful.
class NoFocusFrameDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->state &= ~QStyle::State_HasFocus;
    }
};

void applyTablePalette(QTableWidget* table, Scheme scheme)
{
    // Clear rows over the box's own background, with every other row faintly tinted.
    QPalette palette = table->palette();
    const QColor primary = roleColor(ColorRole::Primary, scheme);
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, Qt::transparent);
        palette.setColor(group, QPalette::AlternateBase, withOpacity(primary, 0.05));
        palette.setColor(group, QPalette::Text, primary);
        palette.setColor(group, QPalette::Highlight, withOpacity(namedColor(NamedColor::GlobalAccent, scheme), 0.35));
        palette.setColor(group, QPalette::HighlightedText, primary);
    }
    table->setPalette(palette);
}

} // namespace

MonitoredAppsTableView::MonitoredAppsTableView(const Appearance& appearance, const ApplicationCatalog& catalog,
                                               QWidget* parent)
    : QTableWidget(0, 2, parent)
    , m_appearance(appearance)
    , m_catalog(catalog)
{
    setItemDelegate(new NoFocusFrameDelegate(this));
    setAccessibleName(tr("Watched applications"));
    setFrameShape(QFrame::NoFrame);
    setShowGrid(false);
    setAlternatingRowColors(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Reached by Tab; the arrows then move the selection between rows.
    setFocusPolicy(Qt::TabFocus);
    setTabKeyNavigation(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(standardRowHeight);
    verticalHeader()->setDefaultSectionSize(standardRowHeight);
    setColumnWidth(0, appColumnWidth);
    setColumnWidth(1, limitColumnWidth);
    // The limit column takes the few pixels the box has left, so that a selected
    // row is highlighted across the whole table, as desktop tables do.
    horizontalHeader()->setStretchLastSection(true);
    viewport()->setAutoFillBackground(false);
    setAutoFillBackground(false);
    applyTablePalette(this, appearance.scheme());
    connect(&m_appearance, &Appearance::changed, this, [this] { applyTablePalette(this, m_appearance.scheme()); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &MonitoredAppsTableView::publishSelection);
}

void MonitoredAppsTableView::mousePressEvent(QMouseEvent* event)
{
    // A click below the rows leaves no row selected. Qt 6.4 did so itself; Qt 6.8 keeps a
    // single selection there.
    if (!indexAt(event->position().toPoint()).isValid())
        clearSelection();
    QTableWidget::mousePressEvent(event);
}

void MonitoredAppsTableView::paintEvent(QPaintEvent* event)
{
    QTableWidget::paintEvent(event);
    if (!showsFocusRing(this) || rowCount() == 0)
        return;
    // The delegate draws no focus frame: the ring goes round the current row.
    const int row = std::max(currentRow(), 0);
    QPainter painter(viewport());
    paintFocusRing(painter, QRectF(0, rowViewportPosition(row), viewport()->width(), rowHeight(row)), 4,
                   m_appearance.scheme());
}

void MonitoredAppsTableView::focusInEvent(QFocusEvent* event)
{
    QTableWidget::focusInEvent(event);
    // Arriving by Tab selects a row, so that the arrows and the remove button have one to act on.
    if (currentRow() < 0 && rowCount() > 0)
        selectRow(0);
    viewport()->update();
}

void MonitoredAppsTableView::focusOutEvent(QFocusEvent* event)
{
    QTableWidget::focusOutEvent(event);
    viewport()->update();
}

void MonitoredAppsTableView::setApps(const QList<MonitoredAppConfig>& apps, const std::optional<QString>& selection)
{
    m_apps = apps;
    const int rows = static_cast<int>(m_apps.size());
    setRowCount(rows);
    // An empty table has nothing to act on and nowhere to show the focus: Tab passes it by.
    setFocusPolicy(rows > 0 ? Qt::TabFocus : Qt::NoFocus);
    // Cells are kept and reconfigured: a store change caused by a stepper click
    // arrives while that stepper is still handling the click.
    for (int row = 0; row < rows; ++row) {
        const MonitoredAppConfig& app = m_apps.at(row);
        auto* name = appCell(row);
        if (!name) {
            name = new MonitoredAppCell(m_catalog);
            setCellWidget(row, 0, name);
        }
        name->configure(app.bundleID);
        auto* limit = limitCell(row);
        if (!limit) {
            limit = new StepperCell(m_appearance);
            setCellWidget(row, 1, limit);
            // The row's app is looked up at the step: a reload gives the cell another one.
            connect(limit, &StepperCell::valueChanged, this, [this, limit](int minutes) {
                for (int at = 0; at < rowCount(); ++at) {
                    if (limitCell(at) == limit)
                        Q_EMIT limitStepped(m_apps.at(at).bundleID, minutes);
                }
            });
        }
        limit->configure(app.timeLimitMinutes);
        limit->stepper()->setAccessibleName(tr("Time limit for %1, minutes").arg(name->name()));
        // The cells' widgets are not in the table's accessible tree: its cells say what they show.
        for (int column = 0; column < 2; ++column) {
            if (!item(row, column)) {
                auto* cell = new QTableWidgetItem;
                cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
                setItem(row, column, cell);
            }
        }
        item(row, 0)->setData(Qt::AccessibleTextRole, name->name());
        item(row, 1)->setData(Qt::AccessibleTextRole, tr("%1 min").arg(limit->valueText()));
    }
    // Cell widgets join the end of the tab chain: the rows' steppers belong right after the table.
    QWidget* previous = this;
    for (int row = 0; row < rows; ++row) {
        setTabOrder(previous, limitCell(row)->stepper());
        previous = limitCell(row)->stepper();
    }

    if (selection) {
        for (int row = 0; row < rows; ++row) {
            if (m_apps.at(row).bundleID == *selection) {
                selectionModel()->select(model()->index(row, 0),
                                         QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
                return;
            }
        }
    }
    if (selectionModel()->hasSelection())
        clearSelection();
}

MonitoredAppCell* MonitoredAppsTableView::appCell(int row) const
{
    return qobject_cast<MonitoredAppCell*>(cellWidget(row, 0));
}

StepperCell* MonitoredAppsTableView::limitCell(int row) const
{
    return qobject_cast<StepperCell*>(cellWidget(row, 1));
}

QRect MonitoredAppsTableView::rowRect(int row) const
{
    const QRect inViewport(0, rowViewportPosition(row), viewport()->width(), rowHeight(row));
    return inViewport.translated(viewport()->pos());
}

void MonitoredAppsTableView::publishSelection()
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    const int row = rows.isEmpty() ? -1 : rows.first().row();
    std::optional<QString> id;
    if (row >= 0 && row < m_apps.size())
        id = m_apps.at(row).bundleID;
    const auto publish = [this, id] { Q_EMIT selectedAppChanged(id); };
    QMetaObject::invokeMethod(this, publish, Qt::QueuedConnection);
}

} // namespace brindlemoor
