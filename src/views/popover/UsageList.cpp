// SPDX-License-Identifier: MIT
#include "views/popover/UsageList.h"

#include "views/components/FocusRing.h"
#include "views/components/ProgressCard.h"
#include "views/popover/AppUsageRowView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace brindlemoor {

namespace {

constexpr int rowPitch = UsageList::rowHeight + UsageList::rowSpacing;
// Room for a hovered row's shadow and its growth.
const QMargins shadowRoom =
    progresscard::shadowReach(AppUsageRowView::shadowRadius, AppUsageRowView::shadowOffset).toMargins() +
    MenuCardView::bleed;

} // namespace

UsageList::UsageList(const Appearance& appearance, TodayModel& today, AppIconProvider& icons,
                     FloatingWidgetManager* widgets, QWidget* parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_today(today)
    , m_icons(icons)
    , m_widgets(widgets)
{
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* /*old*/, QWidget* now) { revealFocus(now); });
}

int UsageList::listHeight(qsizetype count)
{
    const int visible = static_cast<int>(std::clamp<qsizetype>(count, 1, maxVisibleRows));
    return visible * rowHeight + (visible - 1) * rowSpacing;
}

QMargins UsageList::overhang() const
{
    // A scrolled list shows its rows only within itself.
    if (maximumScroll() > 0)
        return {shadowRoom.left(), 0, shadowRoom.right(), 0};
    return shadowRoom;
}

int UsageList::maximumScroll() const
{
    const auto count = static_cast<int>(m_order.size());
    const int content = count * rowHeight + std::max(count - 1, 0) * rowSpacing;
    return std::max(0, content - listHeight());
}

QSize UsageList::sizeHint() const
{
    return QSize(0, listHeight()).grownBy(overhang());
}

void UsageList::setRows(const QList<Row>& rows)
{
    QStringList order;
    for (const Row& row : rows) {
        order.append(row.usage.id);
        if (AppUsageRowView* view = m_rows.value(row.usage.id)) {
            view->setUsage(row.usage, row.progress);
            continue;
        }
        auto* view = new AppUsageRowView(m_appearance, row.usage, row.progress, m_today, m_icons, m_widgets, this);
        m_rows.insert(row.usage.id, view);
        view->show();
    }
    for (auto it = m_rows.begin(); it != m_rows.end();) {
        if (order.contains(it.key())) {
            ++it;
            continue;
        }
        // Later: the change may come from within the row's own signal.
        it.value()->hide();
        it.value()->deleteLater();
        it = m_rows.erase(it);
    }
    const bool countChanged = order.size() != m_order.size();
    m_order = order;
    m_offset = std::min(m_offset, maximumScroll());
    if (countChanged)
        updateGeometry();
    placeRows();
}

QList<AppUsageRowView*> UsageList::rows() const
{
    QList<AppUsageRowView*> rows;
    for (const QString& id : m_order)
        rows.append(m_rows.value(id));
    return rows;
}

void UsageList::scrollTo(int offset)
{
    const int clamped = std::clamp(offset, 0, maximumScroll());
    if (clamped == m_offset)
        return;
    m_offset = clamped;
    placeRows();
    update();
}

void UsageList::placeRows()
{
    const QMargins room = overhang();
    const int width = this->width() - room.left() - room.right();
    int y = room.top() - m_offset;
    for (const QString& id : std::as_const(m_order)) {
        const QRect card(room.left(), y, width, rowHeight);
        m_rows.value(id)->setGeometry(card.marginsAdded(MenuCardView::bleed));
        y += rowPitch;
    }
}

void UsageList::resizeEvent(QResizeEvent* /*event*/)
{
    placeRows();
}

void UsageList::wheelEvent(QWheelEvent* event)
{
    if (maximumScroll() == 0) {
        event->ignore();
        return;
    }
    // Touchpads give pixels; a wheel's notch (120) moves one row.
    const int delta = !event->pixelDelta().isNull()
                          ? event->pixelDelta().y()
                          : static_cast<int>(std::lround(event->angleDelta().y() / 120.0 * rowPitch));
    scrollTo(m_offset - delta);
    event->accept();
}

void UsageList::keyPressEvent(QKeyEvent* event)
{
    const int step = event->key() == Qt::Key_Up ? -1 : event->key() == Qt::Key_Down ? 1 : 0;
    const QWidget* focused = QApplication::focusWidget();
    const qsizetype at =
        focused ? m_order.indexOf(m_rows.key(qobject_cast<AppUsageRowView*>(focused->parentWidget()))) : -1;
    if (step == 0 || at < 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    const qsizetype next = std::clamp<qsizetype>(at + step, 0, m_order.size() - 1);
    moveKeyboardFocus(m_rows.value(m_order.at(next))->resetButton());
    event->accept();
}

void UsageList::revealFocus(QWidget* focused)
{
    auto* row = focused ? qobject_cast<AppUsageRowView*>(focused->parentWidget()) : nullptr;
    if (!row || row->parentWidget() != this)
        return;
    const int top = static_cast<int>(m_order.indexOf(row->usage().id)) * rowPitch;
    if (top < m_offset)
        scrollTo(top);
    else if (top + rowHeight > m_offset + listHeight())
        scrollTo(top + rowHeight - listHeight());
}

void UsageList::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    for (const QString& id : std::as_const(m_order))
        m_rows.value(id)->paintShadow(painter);
}

} // namespace brindlemoor
