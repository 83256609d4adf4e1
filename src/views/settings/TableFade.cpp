// SPDX-License-Identifier: MIT
#include "views/settings/TableFade.h"

#include "views/components/Appearance.h"
#include "views/components/NamedColors.h"

#include <QLinearGradient>
#include <QPainter>

namespace brindlemoor {

TableFade::TableFade(const Appearance& appearance, QWidget* parent)
    : QWidget(parent)
    , m_appearance(appearance)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(&m_appearance, &Appearance::changed, this, qOverload<>(&QWidget::update));
}

void TableFade::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const Scheme scheme = m_appearance.scheme();
    const QColor background = roleColor(ColorRole::ControlBackground, scheme);
    QLinearGradient gradient(QPointF(width() / 2.0, height() * 0.2), QPointF(width() / 2.0, height()));
    gradient.setColorAt(0, withOpacity(background, 0));
    gradient.setColorAt(1, withOpacity(background, 0.95));
    painter.fillRect(rect(), gradient);
}

} // namespace brindlemoor
