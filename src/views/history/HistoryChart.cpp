// SPDX-License-Identifier: MIT
#include "views/history/HistoryChart.h"

#include "core/foundation/DurationText.h"
#include "views/components/Appearance.h"
#include "views/components/FocusRing.h"
#include "views/components/Fonts.h"
#include "views/history/HistoryTexts.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace brindlemoor {

namespace {

constexpr qreal captionGap = 4;
constexpr qreal gutterGap = 8;
constexpr qreal barShare = 0.6;
constexpr qreal widestBar = 26;
constexpr qreal barRadius = 4;
constexpr qreal slotRadius = 6;
/// A day without a record stands this high: not a bar, and not the floor a day without use is.
constexpr qreal placeholderHeight = 14;
constexpr double headroom = 1.05;
/// A week that reached its limit on some day keeps its colour, its average being under the limit as
/// often as not, and wears a dot above it.
constexpr qreal markRadius = 3.5;
constexpr qreal markGap = 5;
constexpr int plotHeightHint = 190;
constexpr int plotHeightMinimum = 120;
constexpr int slotWidthHint = 40;
constexpr int slotWidthMinimum = 26;

QFont captionFont()
{
    return fonts::system(11);
}

QString limitLabel()
{
    return HistoryChart::tr("Limit");
}

} // namespace

HistoryChart::HistoryChart(const Appearance& appearance, QWidget* parent)
    : QWidget(parent)
    , m_appearance(appearance)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(&m_appearance, &Appearance::changed, this, qOverload<>(&QWidget::update));
}

void HistoryChart::setSeries(const HistorySeries& series, HistorySpan span, NamedColor tint)
{
    const bool reshaped = series.bars.size() != m_series.bars.size() || span != m_span;
    m_series = series;
    m_span = span;
    m_tint = tint;
    if (reshaped) {
        // The same index would be another length of time.
        m_hovered = -1;
        m_selected = hasFocus() && !m_series.bars.isEmpty() ? static_cast<int>(m_series.bars.size()) - 1 : -1;
        if (QAccessible::isActive()) {
            QAccessibleTableModelChangeEvent reset(this, QAccessibleTableModelChangeEvent::ModelReset);
            QAccessible::updateAccessibility(&reset);
        }
    }
    update();
    Q_EMIT currentBarChanged();
}

void HistoryChart::setSelectedBar(int index)
{
    const int count = static_cast<int>(m_series.bars.size());
    index = index >= 0 && index < count ? index : -1;
    if (index == m_selected)
        return;
    m_selected = index;
    update();
    Q_EMIT currentBarChanged();
    accessibility::announceCurrentRow(this);
}

void HistoryChart::setHovered(int index)
{
    if (index == m_hovered)
        return;
    m_hovered = index;
    update();
    Q_EMIT currentBarChanged();
}

HistoryChart::Scale HistoryChart::scale() const
{
    // An hour at least, so that a quiet span still has its lines; at most four lines, and some air
    // above the highest bar or the limit, so that neither runs into the top line.
    double highest = m_series.limitSeconds.value_or(0);
    for (const HistoryBar& bar : m_series.bars)
        highest = std::max(highest, bar.seconds);
    highest = std::max(3600.0, highest * headroom);
    static constexpr double steps[] = {15 * 60, 30 * 60, 3600, 2 * 3600, 3 * 3600, 4 * 3600, 6 * 3600, 12 * 3600};
    for (const double step : steps) {
        const double lines = std::ceil(highest / step);
        if (lines <= 4)
            return {step, lines * step};
    }
    const double day = 24 * 3600;
    return {day, std::ceil(highest / day) * day};
}

QRectF HistoryChart::plotArea() const
{
    const QFontMetricsF metrics(captionFont());
    const Scale s = scale();
    qreal labels = 0;
    for (double value = 0; value <= s.top + 1; value += s.step)
        labels = std::max(labels, metrics.horizontalAdvance(DurationText::used(value)));
    const qreal left = std::ceil(labels) + gutterGap;
    const qreal right =
        m_series.limitSeconds ? std::ceil(metrics.horizontalAdvance(limitLabel())) + gutterGap : gutterGap;
    const qreal top = std::ceil(metrics.height() / 2) + 1;
    const qreal bottom = std::ceil(2 * metrics.height()) + captionGap + 2;
    return {left, top, std::max<qreal>(0, width() - left - right), std::max<qreal>(0, height() - top - bottom)};
}

QRectF HistoryChart::barSlot(int index) const
{
    const QRectF plot = plotArea();
    if (index < 0 || index >= m_series.bars.size())
        return {};
    const qreal slot = plot.width() / static_cast<qreal>(m_series.bars.size());
    return {plot.left() + index * slot, 0, slot, static_cast<qreal>(height())};
}

int HistoryChart::barAt(const QPointF& position) const
{
    const QRectF plot = plotArea();
    if (m_series.bars.isEmpty() || plot.width() <= 0 || position.x() < plot.left() || position.x() >= plot.right())
        return -1;
    const qreal slot = plot.width() / static_cast<qreal>(m_series.bars.size());
    return std::clamp(static_cast<int>((position.x() - plot.left()) / slot), 0,
                      static_cast<int>(m_series.bars.size()) - 1);
}

QSize HistoryChart::sizeHint() const
{
    const int captions = static_cast<int>(std::ceil(2 * QFontMetricsF(captionFont()).height()));
    return {historyDaysShown * slotWidthHint + 80, plotHeightHint + captions};
}

QSize HistoryChart::minimumSizeHint() const
{
    const int captions = static_cast<int>(std::ceil(2 * QFontMetricsF(captionFont()).height()));
    return {historyDaysShown * slotWidthMinimum + 80, plotHeightMinimum + captions};
}

void HistoryChart::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Scheme scheme = m_appearance.scheme();
    const QColor primary = roleColor(ColorRole::Primary, scheme);
    const QColor secondary = roleColor(ColorRole::Secondary, scheme);
    const QRectF plot = plotArea();
    const Scale s = scale();
    const QFont font = captionFont();
    const qreal lineHeight = QFontMetricsF(font).height();
    const auto yFor = [&](double seconds) { return plot.bottom() - seconds / s.top * plot.height(); };
    painter.setFont(font);

    const int current = currentBar();
    if (current >= 0) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(withOpacity(primary, 0.06));
        painter.drawRoundedRect(barSlot(current).adjusted(1, 1, -1, -1), slotRadius, slotRadius);
    }

    for (int line = 0; line * s.step <= s.top + 1; ++line) {
        const double value = line * s.step;
        const qreal y = std::round(yFor(value));
        painter.fillRect(QRectF(plot.left(), y, plot.width(), 1), outlineColor(line == 0 ? 0.25 : 0.1, scheme));
        painter.setPen(secondary);
        painter.drawText(QRectF(0, y - lineHeight / 2, plot.left() - gutterGap, lineHeight),
                         Qt::AlignRight | Qt::AlignVCenter, DurationText::used(value));
    }

    paintBars(painter, plot, s.top);

    if (m_series.limitSeconds) {
        const qreal y = std::round(yFor(*m_series.limitSeconds)) + 0.5;
        QPen dashes(withOpacity(primary, scheme.highContrast ? 1.0 : 0.65), 1.25);
        dashes.setDashPattern({4, 3});
        painter.setPen(dashes);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(secondary);
        painter.drawText(QRectF(plot.right() + gutterGap / 2, y - lineHeight / 2, width() - plot.right(), lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, limitLabel());
    }

    for (int i = 0; i < m_series.bars.size(); ++i) {
        const QStringList lines = HistoryTexts::caption(m_series.bars.at(i), m_span);
        const QRectF slot = barSlot(i);
        painter.setPen(i == current ? primary : secondary);
        for (int l = 0; l < lines.size(); ++l) {
            const QRectF box(slot.left() - 4, plot.bottom() + captionGap + l * lineHeight, slot.width() + 8,
                             lineHeight);
            painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop, lines.at(l));
        }
    }

    if (m_selected >= 0 && showsFocusRing(this))
        paintFocusRing(painter, barSlot(m_selected), slotRadius, scheme);
}

void HistoryChart::paintBars(QPainter& painter, const QRectF& plot, double top) const
{
    const Scheme scheme = m_appearance.scheme();
    const QColor primary = roleColor(ColorRole::Primary, scheme);
    const qreal slot = plot.width() / static_cast<qreal>(std::max<qsizetype>(1, m_series.bars.size()));
    const qreal width = std::min(slot * barShare, widestBar);
    for (int i = 0; i < m_series.bars.size(); ++i) {
        const HistoryBar& bar = m_series.bars.at(i);
        const qreal left = plot.left() + (i + 0.5) * slot - width / 2;
        if (bar.recordedDays == 0) {
            QPen dots(withOpacity(primary, 0.35), 1);
            dots.setDashPattern({2, 2});
            painter.setPen(dots);
            painter.setBrush(withOpacity(primary, 0.04));
            painter.drawRoundedRect(QRectF(left, plot.bottom() - placeholderHeight, width, placeholderHeight)
                                        .adjusted(0.5, 0.5, -0.5, -0.5),
                                    barRadius - 1, barRadius - 1);
            continue;
        }
        // A day without use still shows its floor, unlike a day without a record.
        const qreal height = std::max(2.0, bar.seconds / top * plot.height());
        const QRectF body(left, plot.bottom() - height, width, height);
        const qreal radius = std::min({barRadius, width / 2, height});
        QPainterPath rounded;
        rounded.addRoundedRect(body.adjusted(0, 0, 0, radius), radius, radius);
        const bool reached = bar.overLimitDays > 0;
        const bool week = m_span == HistorySpan::Weeks;
        painter.save();
        painter.setClipRect(body);
        painter.fillPath(rounded, namedColor(reached && !week ? NamedColor::NeonRed : m_tint, scheme));
        painter.restore();
        if (reached && week) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(namedColor(NamedColor::NeonRed, scheme));
            painter.drawEllipse(QPointF(body.center().x(), body.top() - markGap - markRadius), markRadius, markRadius);
        }
    }
}

void HistoryChart::keyPressEvent(QKeyEvent* event)
{
    const int last = static_cast<int>(m_series.bars.size()) - 1;
    int to = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        to = m_selected < 0 ? last : std::max(0, m_selected - 1);
        break;
    case Qt::Key_Right:
        to = m_selected < 0 ? last : std::min(last, m_selected + 1);
        break;
    case Qt::Key_Home:
        to = 0;
        break;
    case Qt::Key_End:
        to = last;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    // The keys move what the figures show, so the pointer no longer holds it.
    const bool hovering = m_hovered >= 0;
    const int before = m_selected;
    m_hovered = -1;
    setSelectedBar(to);
    if (hovering && m_selected == before) {
        update();
        Q_EMIT currentBarChanged();
    }
}

void HistoryChart::mouseMoveEvent(QMouseEvent* event)
{
    setHovered(barAt(event->position()));
}

void HistoryChart::mousePressEvent(QMouseEvent* event)
{
    const int index = barAt(event->position());
    if (event->button() != Qt::LeftButton || index < 0) {
        QWidget::mousePressEvent(event);
        return;
    }
    setSelectedBar(index);
}

void HistoryChart::leaveEvent(QEvent* event)
{
    setHovered(-1);
    QWidget::leaveEvent(event);
}

void HistoryChart::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    // Today's bar, where a reader of the chart starts.
    if (m_selected < 0 && !m_series.bars.isEmpty())
        setSelectedBar(static_cast<int>(m_series.bars.size()) - 1);
    update();
}

void HistoryChart::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

QString HistoryChart::accessibleText() const
{
    return m_span == HistorySpan::Days ? tr("Time used each day") : tr("Time used each week, as an average day");
}

QStringList HistoryChart::accessibleColumns() const
{
    return HistoryTexts::columns(m_span);
}

QString HistoryChart::accessibleCell(int row, int column) const
{
    if (row < 0 || row >= m_series.bars.size())
        return {};
    const HistoryBar& bar = m_series.bars.at(row);
    switch (column) {
    case 0:
        return HistoryTexts::date(bar, m_span);
    case 1:
        return HistoryTexts::used(bar, m_span);
    case 2:
        return HistoryTexts::limit(bar, m_span);
    default:
        return {};
    }
}

} // namespace brindlemoor
