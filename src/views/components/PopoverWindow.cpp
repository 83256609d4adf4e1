// SPDX-License-Identifier: MIT
#include "views/components/PopoverWindow.h"

#include "views/components/Appearance.h"
#include "views/components/FocusRing.h"
#include "views/components/NamedColors.h"
#include "views/components/WindowRecipes.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QScreen>

#include <algorithm>

namespace brindlemoor {

PopoverWindow::Placement PopoverWindow::place(QSize panelSize, const QRect& anchor, const QRect& screen,
                                              const QRect& available)
{
    const int width = panelSize.width() + 2 * margin;
    if (anchor.isEmpty()) {
        QRect panel(QPoint(), panelSize);
        panel.moveCenter(available.center());
        panel.moveTopLeft(QPoint(std::max(panel.left(), available.left()), std::max(panel.top(), available.top())));
        return {panel.marginsAdded(QMargins(margin, margin, margin, margin)), Edge::None, 0};
    }
    const int height = panelSize.height() + 2 * margin + arrowHeight;
    // A tray in the lower half of the screen is a bottom panel: open upwards.
    const Edge edge = anchor.center().y() > screen.center().y() ? Edge::Above : Edge::Below;

    int panelTop = edge == Edge::Below ? anchor.bottom() + 1 + anchorGap + arrowHeight
                                       : anchor.top() - anchorGap - arrowHeight - panelSize.height();
    panelTop =
        std::clamp(panelTop, available.top(), std::max(available.top(), available.bottom() + 1 - panelSize.height()));
    const int windowY = edge == Edge::Below ? panelTop - arrowHeight - margin : panelTop - margin;

    const int centerX = anchor.left() + anchor.width() / 2;
    int panelLeft = centerX - panelSize.width() / 2;
    const int leftmost = available.left() + screenMargin;
    const int rightmost = std::max(leftmost, available.right() + 1 - screenMargin - panelSize.width());
    panelLeft = std::clamp(panelLeft, leftmost, rightmost);
    const int windowX = panelLeft - margin;

    // The arrow follows the anchor but stays on the straight part of the panel's edge.
    const int arrowMin = margin + cornerRadius + arrowWidth / 2;
    const int arrowMax = std::max(arrowMin, margin + panelSize.width() - cornerRadius - arrowWidth / 2);
    const int arrowX = std::clamp(centerX - windowX, arrowMin, arrowMax);
    return {QRect(windowX, windowY, width, height), edge, arrowX};
}

PopoverWindow::PopoverWindow(const Appearance& appearance, Behavior behavior, QWidget* parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_behavior(behavior)
{
    windows::makePopoverWindow(this);
    followAppearance(this, appearance);
    connect(&m_appearance, &Appearance::changed, this, qOverload<>(&QWidget::update));
}

void PopoverWindow::showPopover(QWidget* content, const PopoverAnchor& anchor)
{
    if (content != m_content) {
        if (m_content) {
            m_content->hide();
            m_content->deleteLater();
        }
        m_content = content;
        if (m_content)
            m_content->setParent(this);
    }
    m_anchor = anchor;
    if (m_content)
        m_content->show();
    reposition();
    show();
    raise();
    activateWindow();
    focusFirstControl();
    qApp->installEventFilter(this);
    Q_EMIT shown();
}

void PopoverWindow::focusFirstControl()
{
    if (!m_content)
        return;
    // As a dialog does: the keyboard starts on the first control, in tab order.
    for (QWidget* widget = m_content->nextInFocusChain(); widget != m_content; widget = widget->nextInFocusChain()) {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisible() && widget->isEnabled() &&
            m_content->isAncestorOf(widget)) {
            setAttribute(Qt::WA_KeyboardFocusChange, false);
            widget->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

bool PopoverWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The ring shows from the first key pressed in the popover, not at an opening by the pointer.
    if (event->type() == QEvent::KeyPress && !testAttribute(Qt::WA_KeyboardFocusChange)) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this) {
            setAttribute(Qt::WA_KeyboardFocusChange);
            // Some controls' rings are painted by their card or their table: all of it repaints.
            update();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PopoverWindow::closePopover()
{
    if (!isVisible())
        return;
    qApp->removeEventFilter(this);
    hide();
    Q_EMIT closed();
}

void PopoverWindow::setCompositing(bool compositing)
{
    if (m_compositing == compositing)
        return;
    m_compositing = compositing;
    reposition();
}

QRect PopoverWindow::panelRect() const
{
    if (m_placement.edge == Edge::None)
        return rect().marginsRemoved(QMargins(margin, margin, margin, margin));
    const int top = m_placement.edge == Edge::Below ? margin + arrowHeight : margin;
    return {margin, top, width() - 2 * margin, height() - 2 * margin - arrowHeight};
}

QPoint PopoverWindow::arrowTip() const
{
    const QRect panel = panelRect();
    const int y = m_placement.edge == Edge::Below ? panel.top() - arrowHeight : panel.bottom() + 1 + arrowHeight;
    return mapToGlobal(QPoint(m_placement.arrowX, y));
}

void PopoverWindow::reposition()
{
    const QSize panelSize = m_content ? m_content->sizeHint().expandedTo(m_content->minimumSize()) : QSize(100, 60);
    QScreen* screen =
        m_anchor.isCentered() ? QGuiApplication::primaryScreen() : QGuiApplication::screenAt(m_anchor.rect.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect screenGeometry = screen ? screen->geometry() : QRect(0, 0, 1920, 1080);
    const QRect available = screen ? screen->availableGeometry() : screenGeometry;
    m_placement = place(panelSize, m_anchor.rect, screenGeometry, available);
    setGeometry(m_placement.window);
    if (m_content)
        m_content->setGeometry(QRect(panelRect().topLeft(), panelSize));
    if (m_compositing)
        clearMask();
    else
        setMask(QRegion(panelPath().toFillPolygon().toPolygon()));
    update();
}

QPainterPath PopoverWindow::panelPath() const
{
    const QRectF panel = panelRect();
    QPainterPath body;
    body.addRoundedRect(panel, cornerRadius, cornerRadius);
    if (m_placement.edge == Edge::None)
        return body;
    const qreal x = m_placement.arrowX;
    const qreal halfWidth = arrowWidth / 2.0;
    QPainterPath arrow;
    if (m_placement.edge == Edge::Below) {
        const qreal base = panel.top() + 1;
        arrow.moveTo(x - halfWidth, base);
        arrow.lineTo(x, base - arrowHeight - 1);
        arrow.lineTo(x + halfWidth, base);
    } else {
        const qreal base = panel.bottom() - 1;
        arrow.moveTo(x - halfWidth, base);
        arrow.lineTo(x, base + arrowHeight + 1);
        arrow.lineTo(x + halfWidth, base);
    }
    arrow.closeSubpath();
    return body.united(arrow);
}

void PopoverWindow::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath path = panelPath();
    // A soft shadow: widening strokes, each faint, add up towards the panel.
    QPainterPathStroker stroker;
    stroker.setJoinStyle(Qt::RoundJoin);
    const Scheme scheme = m_appearance.scheme();
    for (int i = m_compositing ? margin : 0; i >= 1; i -= 2) {
        stroker.setWidth(2 * i);
        const qreal strength = (scheme.dark ? 0.09 : 0.05) * (1.0 - static_cast<qreal>(i) / (margin + 1));
        painter.fillPath(stroker.createStroke(path), QColor::fromRgbF(0, 0, 0, static_cast<float>(strength)));
    }
    painter.fillPath(path, roleColor(ColorRole::PopoverBackground, scheme));
    painter.setPen(QPen(outlineColor(0.14 / 0.85, scheme), scheme.highContrast ? 1.5 : 0.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
}

bool PopoverWindow::event(QEvent* event)
{
    // The content's size hint changed (rows added, say): the window has no layout of
    // its own, so fitting the panel to the content again is ours to do.
    if (event->type() == QEvent::LayoutRequest && isVisible())
        reposition();
    return QWidget::event(event);
}

bool PopoverWindow::belongsToPopover(const QWidget* window) const
{
    for (const QWidget* w = window; w; w = w->parentWidget()) {
        if (w == this)
            return true;
    }
    return false;
}

bool PopoverWindow::familyWindowVisible() const
{
    const auto windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [this](const QWidget* window) {
        return window != this && window->isVisible() && belongsToPopover(window);
    });
}

void PopoverWindow::handleGlobalClick(const QPoint& globalPosition)
{
    if (m_behavior != Behavior::Transient || !isVisible())
        return;
    if (geometry().contains(globalPosition))
        return;
    const auto windows = QApplication::topLevelWidgets();
    const bool inFamily = std::any_of(windows.begin(), windows.end(), [&](const QWidget* window) {
        return window != this && window->isVisible() && belongsToPopover(window) &&
               window->frameGeometry().contains(globalPosition);
    });
    if (!inFamily)
        closePopover();
}

void PopoverWindow::handleGlobalClick()
{
    handleGlobalClick(QCursor::pos());
}

void PopoverWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Losing activation to a window of our own (the colour dialog) is not leaving.
    if (event->type() == QEvent::ActivationChange && m_behavior == Behavior::Transient && isVisible() &&
        !isActiveWindow() && !familyWindowVisible())
        closePopover();
}

void PopoverWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && m_behavior == Behavior::Transient) {
        closePopover();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace brindlemoor
