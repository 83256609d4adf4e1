// SPDX-License-Identifier: MIT
#include "views/components/FennSegmentedPicker.h"

#include "views/components/AccessibleContent.h"
#include "views/components/Appearance.h"
#include "views/components/FocusRing.h"
#include "views/components/Fonts.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace brindlemoor {

FennSegmentedPicker::FennSegmentedPicker(const Appearance& appearance, QList<Option> options, int itemWidth,
                                         QWidget* parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_options(std::move(options))
    , m_itemWidth(itemWidth)
    , m_animation(kStandardSpring, this)
{
    setFont(fonts::system(11, QFont::Medium));
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    accessibility::install();
    connect(&m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_highlight = value.toRectF();
        update();
    });
    connect(&m_appearance, &Appearance::changed, this, qOverload<>(&QWidget::update));
}

void FennSegmentedPicker::setSelection(const QVariant& value)
{
    m_selection = value;
    m_animation.stop();
    const int index = indexOf(value);
    m_highlight = index < 0 ? QRectF() : segmentRect(index);
    update();
}

void FennSegmentedPicker::setActiveTint(NamedColor tint)
{
    m_tint = tint;
    update();
}

QRectF FennSegmentedPicker::segmentRect(int index) const
{
    const int width = segmentWidth();
    return {static_cast<qreal>(padding + index * width), static_cast<qreal>(padding), static_cast<qreal>(width),
            static_cast<qreal>(segmentHeight)};
}

QSize FennSegmentedPicker::sizeHint() const
{
    return {static_cast<int>(m_options.size()) * segmentWidth() + 2 * padding, segmentHeight + 2 * padding};
}

int FennSegmentedPicker::segmentWidth() const
{
    // The caller's width, unless a label (a translation, a larger font) needs more.
    const QFontMetrics metrics(font());
    int widest = 0;
    for (const Option& option : m_options)
        widest = std::max(widest, metrics.horizontalAdvance(option.label));
    return std::max(m_itemWidth, widest + 2 * segmentTextInset);
}

int FennSegmentedPicker::indexOf(const QVariant& value) const
{
    for (int i = 0; i < m_options.size(); ++i) {
        if (m_options.at(i).value == value)
            return i;
    }
    return -1;
}

int FennSegmentedPicker::segmentAt(const QPointF& position) const
{
    for (int i = 0; i < m_options.size(); ++i) {
        if (segmentRect(i).contains(position))
            return i;
    }
    return -1;
}

void FennSegmentedPicker::choose(int index)
{
    if (index < 0 || index >= m_options.size())
        return;
    const QVariant value = m_options.at(index).value;
    if (value == m_selection)
        return;
    m_selection = value;
    const QRectF target = segmentRect(index);
    m_animation.animate(m_highlight.isEmpty() ? target : m_highlight, target);
    Q_EMIT selectionChanged(value);
}

void FennSegmentedPicker::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = rect();
    QPainterPath capsule;
    capsule.addRoundedRect(bounds, bounds.height() / 2, bounds.height() / 2);
    painter.setClipPath(capsule);
    const Scheme scheme = m_appearance.scheme();
    const QColor primary = roleColor(ColorRole::Primary, scheme);
    painter.fillPath(capsule, withOpacity(primary, 0.1));

    if (!m_highlight.isEmpty()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(namedColor(m_tint, scheme));
        painter.drawRoundedRect(m_highlight, m_highlight.height() / 2, m_highlight.height() / 2);
    }
    if (showsFocusRing(this))
        paintFocusRing(painter, bounds, bounds.height() / 2, scheme);

    painter.setFont(font());
    for (int i = 0; i < m_options.size(); ++i) {
        const bool chosen = m_options.at(i).value == m_selection;
        painter.setPen(chosen ? QColor(Qt::black) : withOpacity(primary, 0.6));
        painter.drawText(segmentRect(i), Qt::AlignCenter, m_options.at(i).label);
    }
}

void FennSegmentedPicker::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton ? segmentAt(event->position()) : -1;
}

void FennSegmentedPicker::mouseReleaseEvent(QMouseEvent* event)
{
    // A tap is a press and a release on the same segment.
    const int released = segmentAt(event->position());
    if (event->button() == Qt::LeftButton && released >= 0 && released == m_pressed)
        choose(released);
    m_pressed = -1;
}

void FennSegmentedPicker::keyPressEvent(QKeyEvent* event)
{
    const int current = indexOf(m_selection);
    if (event->key() == Qt::Key_Left)
        choose(current - 1);
    else if (event->key() == Qt::Key_Right)
        choose(current + 1);
    else
        QWidget::keyPressEvent(event);
}

} // namespace brindlemoor
