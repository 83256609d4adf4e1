// SPDX-License-Identifier: MIT
#include "views/settings/SymbolButton.h"

#include "views/components/Appearance.h"
#include "views/components/FocusRing.h"
#include "views/components/NamedColors.h"
#include "views/components/SymbolPainter.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace brindlemoor {

SymbolButton::SymbolButton(const Appearance& appearance, Symbol symbol, const QString& accessibleName, QWidget* parent)
    : QAbstractButton(parent)
    , m_appearance(appearance)
    , m_symbol(symbol)
{
    setAccessibleName(accessibleName);
    setToolTip(accessibleName);
    setFixedSize(side, side);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    connect(&m_appearance, &Appearance::changed, this, qOverload<>(&QWidget::update));
}

void SymbolButton::setProminent(bool prominent)
{
    if (m_prominent == prominent)
        return;
    m_prominent = prominent;
    update();
}

void SymbolButton::setSymbol(Symbol symbol)
{
    if (m_symbol == symbol)
        return;
    m_symbol = symbol;
    update();
}

void SymbolButton::setPointSize(qreal points)
{
    m_points = points;
    const int frame = std::max(side, static_cast<int>(std::ceil(SymbolPainter::side(points))));
    setFixedSize(frame, frame);
    update();
}

void SymbolButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Scheme scheme = m_appearance.scheme();
    QColor color = roleColor(m_prominent ? ColorRole::Primary : ColorRole::Secondary, scheme);
    if (isDown())
        color = withOpacity(color, 0.6);
    // At 15 points the plus spans 11 of the frame's 16.
    SymbolPainter::paint(painter, m_symbol, QRectF(rect()).center(), m_points, QFont::Medium, color);
    if (showsFocusRing(this))
        paintFocusRing(painter, QRectF(rect()), 3.6, scheme);
}

void SymbolButton::keyPressEvent(QKeyEvent* event)
{
    if (!clickOnEnter(this, event))
        QAbstractButton::keyPressEvent(event);
}

} // namespace brindlemoor
