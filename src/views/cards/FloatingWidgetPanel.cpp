// SPDX-License-Identifier: MIT
#include "views/cards/FloatingWidgetPanel.h"

#include "core/foundation/WindowSystem.h"
#include "views/cards/FloatingCardView.h"
#include "views/components/Appearance.h"
#include "views/components/Blur.h"
#include "views/components/DragToMove.h"
#include "views/components/NamedColors.h"
#include "views/components/ProgressCard.h"
#include "views/components/WindowRecipes.h"

#include <QPainter>
#include <QWindow>

namespace brindlemoor {

namespace {

constexpr qreal shadowOpacity = 0.28;
constexpr int shadowBlur = 5;
constexpr qreal shadowDrop = 2;

// The card's silhouette, blurred and dropped a little, with the card itself cut out:
// the card is see-through, and its shadow must not darken what shows through it.
QImage shadowImage(qreal ratio)
{
    const QSize window = FloatingWidgetPanel::windowSize();
    QImage image(window * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    const QRectF card(QPointF(FloatingWidgetPanel::shadowMargin, FloatingWidgetPanel::shadowMargin),
                      QSizeF(FloatingWidgetPanel::cardSize()));
    const QPainterPath shape = progresscard::continuousRoundedRect(card, progresscard::cornerRadius);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(shape.translated(0, shadowDrop), QColor(0, 0, 0, qRound(255 * shadowOpacity)));
    }
    image = blurImage(image, qRound(shadowBlur * ratio));
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setCompositionMode(QPainter::CompositionMode_DestinationOut);
    painter.fillPath(shape, Qt::black);
    return image;
}

} // namespace

FloatingWidgetPanel::FloatingWidgetPanel(const Appearance& appearance, FloatingCardView* content,
                                         WindowSystem& windowSystem, QString bundleID)
    : m_appearance(appearance)
    , m_content(content)
    , m_windowSystem(windowSystem)
    , m_bundleID(std::move(bundleID))
    , m_translucent(windowSystem.compositorRunning())
{
    windows::makeFloatingPanel(this);
    setFixedSize(windowSize());
    content->setParent(this);
    const QRect card(QPoint(shadowMargin, shadowMargin), cardSize());
    content->setGeometry(card);
    if (!m_translucent)
        setMask(
            QRegion(progresscard::continuousRoundedRect(card, progresscard::cornerRadius).toFillPolygon().toPolygon()));
    // Every step of a drag is a move, and every move is stored, so the drop needs nothing more.
    new DragToMove(content);
}

QSize FloatingWidgetPanel::cardSize()
{
    return {FloatingCardView::cardWidth, FloatingCardView::cardHeight};
}

QSize FloatingWidgetPanel::windowSize()
{
    return cardSize() + QSize(2 * shadowMargin, 2 * shadowMargin);
}

void FloatingWidgetPanel::present()
{
    // Asked before the window is mapped, the window manager takes the hints with the window.
    winId();
    QWindow* window = windowHandle();
    m_windowSystem.placeOnAllDesktops(window);
    m_windowSystem.keepAbove(window);
    m_windowSystem.skipTaskbarAndPager(window);
    show();
}

void FloatingWidgetPanel::moveEvent(QMoveEvent* /*event*/)
{
    Q_EMIT moved();
}

void FloatingWidgetPanel::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const Scheme scheme = m_appearance.scheme();
    if (!m_translucent) {
        painter.fillRect(rect(), roleColor(ColorRole::PopoverBackground, scheme));
        return;
    }
    const qreal ratio = devicePixelRatioF();
    // The card repaints every second and this window with it; the blur is made once per scale.
    if (m_shadow.isNull() || m_shadow.devicePixelRatio() != ratio)
        m_shadow = shadowImage(ratio);
    painter.drawImage(QPointF(0, 0), m_shadow);
}

} // namespace brindlemoor
