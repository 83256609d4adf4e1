// SPDX-License-Identifier: MIT
#include "views/components/ProminentButton.h"

#include "views/components/Appearance.h"
#include "views/components/FocusRing.h"
#include "views/components/Fonts.h"
#include "views/components/NamedColors.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace brindlemoor {

namespace {

struct Metrics {
    int height;
    int padding;
    qreal cornerRadius;
};

Metrics metrics(ProminentButton::Size size)
{
    if (size == ProminentButton::Size::Small)
        return {ProminentButton::smallHeight, 9, 6};
    return {ProminentButton::height, 16, ProminentButton::cornerRadius};
}

} // namespace

ProminentButton::ProminentButton(const Appearance& appearance, const QString& label, int minimumWidth, Size size,
                                 QWidget* parent)
    : QAbstractButton(parent)
    , m_appearance(appearance)
    , m_minimumWidth(minimumWidth)
    , m_size(size)
{
    setText(label);
    setFont(size == Size::Small ? fonts::system(11, QFont::Medium) : fonts::system(15, QFont::Medium));
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(&m_appearance, &Appearance::changed, this, qOverload<>(&QWidget::update));
}

QSize ProminentButton::sizeHint() const
{
    const Metrics body = metrics(m_size);
    const int textWidth = QFontMetrics(font()).horizontalAdvance(text());
    return {std::max(m_minimumWidth, textWidth + 2 * body.padding) + 2 * focusMargin, body.height + 2 * focusMargin};
}

void ProminentButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(rect()).adjusted(focusMargin, focusMargin, -focusMargin, -focusMargin);
    const qreal radius = metrics(m_size).cornerRadius;
    const Scheme scheme = m_appearance.scheme();
    QColor fill = namedColor(NamedColor::GlobalAccent, scheme);
    if (isDown())
        fill = fill.darker(118);
    else if (m_hovered)
        fill = fill.lighter(108);
    if (!isEnabled())
        fill = withOpacity(fill, 0.4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(body, radius, radius);
    // A faint light along the top edge, as a raised button has.
    QLinearGradient sheen(body.topLeft(), body.bottomLeft());
    sheen.setColorAt(0, withOpacity(Qt::white, 0.14));
    sheen.setColorAt(0.5, withOpacity(Qt::white, 0.0));
    painter.setBrush(sheen);
    painter.drawRoundedRect(body, radius, radius);

    if (showsFocusRing(this))
        paintFocusRing(painter, body.adjusted(-3, -3, 3, 3), radius + 3, scheme);
    painter.setPen(Qt::white);
    painter.setFont(font());
    painter.drawText(body, Qt::AlignCenter, text());
}

void ProminentButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        animateClick();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void ProminentButton::enterEvent(QEnterEvent* event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void ProminentButton::leaveEvent(QEvent* event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

} // namespace brindlemoor
