// SPDX-License-Identifier: MIT
#include "views/cards/WidgetCloseButton.h"

#include "views/components/Appearance.h"
#include "views/components/NamedColors.h"
#include "views/components/SymbolPainter.h"

#include <QPainter>

#include <algorithm>

namespace brindlemoor {

namespace {

constexpr qreal hiddenScale = 0.6;
constexpr qreal symbolSize = 5;
constexpr qreal materialOpacity = 0.85;

} // namespace

WidgetCloseButton::WidgetCloseButton(const Appearance& appearance, QWidget* parent)
    : QAbstractButton(parent)
    , m_appearance(appearance)
{
    setAccessibleName(tr("Close"));
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    hide();
}

void WidgetCloseButton::setReveal(qreal reveal)
{
    m_reveal = std::clamp(reveal, 0.0, 1.0);
    // Gone means gone: a faded-out button must not take clicks.
    setVisible(m_reveal > 0);
    update();
}

QRect WidgetCloseButton::frameFor(int cardWidth)
{
    const int side = static_cast<int>(diameter) + 2 * slack;
    return {cardWidth - 2 - static_cast<int>(diameter) - slack, 2 - slack, side, side};
}

QSize WidgetCloseButton::sizeHint() const
{
    const int side = static_cast<int>(diameter) + 2 * slack;
    return {side, side};
}

void WidgetCloseButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(m_reveal);
    const QPointF center = QRectF(rect()).center();
    painter.translate(center);
    const qreal scale = hiddenScale + (1 - hiddenScale) * m_reveal;
    painter.scale(scale, scale);
    const qreal radius = diameter / 2;
    const Scheme scheme = m_appearance.scheme();
    painter.setPen(QPen(withOpacity(roleColor(ColorRole::Primary, scheme), 0.15), 0.5));
    painter.setBrush(withOpacity(roleColor(ColorRole::PopoverBackground, scheme), materialOpacity));
    painter.drawEllipse(QPointF(0, 0), radius, radius);
    SymbolPainter::paint(painter, Symbol::Xmark, QPointF(0, 0), symbolSize, QFont::Bold,
                         roleColor(ColorRole::Secondary, scheme));
}

} // namespace brindlemoor
