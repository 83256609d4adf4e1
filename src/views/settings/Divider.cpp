// SPDX-License-Identifier: MIT
#include "views/settings/Divider.h"

#include "views/components/Appearance.h"
#include "views/components/NamedColors.h"

#include <QPainter>

namespace brindlemoor {

Divider::Divider(const Appearance& appearance, Qt::Orientation orientation, qreal opacity, QWidget* parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_orientation(orientation)
    , m_opacity(opacity)
{
    if (orientation == Qt::Horizontal)
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    else
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    connect(&m_appearance, &Appearance::changed, this, qOverload<>(&QWidget::update));
}

QSize Divider::sizeHint() const
{
    return {1, 1};
}

void Divider::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const Scheme scheme = m_appearance.scheme();
    painter.fillRect(rect(), withOpacity(roleColor(ColorRole::Separator, scheme), m_opacity));
}

} // namespace brindlemoor
