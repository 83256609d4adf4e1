// SPDX-License-Identifier: MIT
#include "views/components/ColorWell.h"

#include "views/components/AccessibleContent.h"
#include "views/components/Appearance.h"
#include "views/components/FocusRing.h"
#include "views/components/NamedColors.h"

#include <QColorDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>

namespace brindlemoor {

ColorWell::ColorWell(const Appearance& appearance, QWidget* parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_color(Qt::white)
{
    setFixedSize(wellWidth, wellHeight);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    accessibility::install();
    connect(&m_appearance, &Appearance::changed, this, qOverload<>(&QWidget::update));
}

QColor ColorWell::toDeviceRgb(const QColor& color)
{
    if (!color.isValid())
        return color;
    return color.toRgb();
}

void ColorWell::setColor(const QColor& color)
{
    const QColor rgb = toDeviceRgb(color);
    if (rgb == m_color)
        return;
    m_color = rgb;
    if (m_dialog) {
        const QSignalBlocker quiet(m_dialog.data());
        m_dialog->setCurrentColor(rgb);
    }
    update();
}

void ColorWell::openDialog()
{
    if (m_dialog) {
        m_dialog->raise();
        m_dialog->activateWindow();
        return;
    }
    m_dialog = new QColorDialog(m_color, this);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog->setWindowTitle(tr("Indicator color"));
    connect(m_dialog, &QColorDialog::currentColorChanged, this, &ColorWell::takeUserColor);
    connect(m_dialog, &QColorDialog::colorSelected, this, &ColorWell::takeUserColor);
    m_dialog->show();
}

void ColorWell::takeUserColor(const QColor& color)
{
    const QColor rgb = toDeviceRgb(color);
    if (!rgb.isValid() || rgb == m_color)
        return;
    m_color = rgb;
    update();
    Q_EMIT colorChanged(rgb);
}

void ColorWell::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bezel = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const Scheme scheme = m_appearance.scheme();
    painter.setPen(QPen(withOpacity(roleColor(ColorRole::Primary, scheme), 0.25), 1));
    painter.setBrush(roleColor(ColorRole::ControlBackground, scheme));
    painter.drawRoundedRect(bezel, 5, 5);
    painter.setPen(QPen(withOpacity(roleColor(ColorRole::Primary, scheme), 0.15), 1));
    painter.setBrush(m_color);
    painter.drawRoundedRect(QRectF(rect()).adjusted(4.5, 4.5, -4.5, -4.5), 3, 3);
    if (showsFocusRing(this))
        paintFocusRing(painter, QRectF(rect()).adjusted(0.25, 0.25, -0.25, -0.25), 5.75, scheme);
}

void ColorWell::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        openDialog();
}

void ColorWell::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        openDialog();
    else
        QWidget::keyPressEvent(event);
}

} // namespace brindlemoor
