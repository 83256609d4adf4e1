// SPDX-License-Identifier: MIT
#include "views/components/LinkButton.h"

#include "views/components/Appearance.h"
#include "views/components/FocusRing.h"
#include "views/components/NamedColors.h"

#include <QKeyEvent>
#include <QPainter>

namespace brindlemoor {

LinkButton::LinkButton(const Appearance& appearance, const QString& label, const QFont& font, QWidget* parent)
    : QAbstractButton(parent)
    , m_appearance(appearance)
{
    setText(label);
    setFont(font);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(&m_appearance, &Appearance::changed, this, qOverload<>(&QWidget::update));
}

QSize LinkButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text()) + 2, metrics.height()};
}

void LinkButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    QFont font = this->font();
    font.setUnderline(m_hovered || showsFocusRing(this));
    painter.setFont(font);
    const Scheme scheme = m_appearance.scheme();
    const QColor color = namedColor(NamedColor::GlobalAccent, scheme);
    painter.setPen(isDown() ? color.darker(125) : color);
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, text());
}

void LinkButton::enterEvent(QEnterEvent* event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void LinkButton::leaveEvent(QEvent* event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void LinkButton::keyPressEvent(QKeyEvent* event)
{
    if (!clickOnEnter(this, event))
        QAbstractButton::keyPressEvent(event);
}

} // namespace brindlemoor
