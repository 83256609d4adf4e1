// SPDX-License-Identifier: MIT
#include "views/status/BreakOverlayController.h"

#include "core/foundation/WindowSystem.h"
#include "views/components/Appearance.h"
#include "views/components/WindowRecipes.h"
#include "views/status/BreakOverlayView.h"
#include "views/status/OverlayBackdrop.h"
#include "views/status/OverlayButton.h"
#include "views/status/OverlayEasing.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVariantAnimation>

namespace brindlemoor {

namespace {

void fade(BreakOverlayView* view, qreal to, const QEasingCurve& curve, std::function<void()> done)
{
    auto* animation = new QVariantAnimation(view);
    animation->setDuration(static_cast<int>(overlay::fadeDuration.count()));
    animation->setEasingCurve(curve);
    animation->setStartValue(view->fade());
    animation->setEndValue(to);
    QObject::connect(animation, &QVariantAnimation::valueChanged, view, [view](const QVariant& value) {
        view->setFade(value.toReal());
        view->setWindowOpacity(value.toReal());
    });
    if (done)
        QObject::connect(animation, &QVariantAnimation::finished, view, std::move(done));
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void closeNow(BreakOverlayView* view)
{
    view->retire();
    view->close();
    view->deleteLater();
}

} // namespace

BreakOverlayController::BreakOverlayController(const Appearance& appearance, Scheduler& scheduler,
                                               WindowSystem& windowSystem, QObject* parent)
    : QObject(parent)
    , m_appearance(appearance)
    , m_scheduler(scheduler)
    , m_windowSystem(windowSystem)
{
}

BreakOverlayController::~BreakOverlayController()
{
    delete m_view.data();
}

void BreakOverlayController::show(qint64 extensionMinutes, std::function<void()> onExtend)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;

    QImage capture;
    if (m_view) {
        // The old overlay would be in a fresh capture; the screen under it has not changed much.
        capture = m_view->capture();
        closeNow(m_view);
        m_view = nullptr;
    } else if (m_windowSystem.capturesWholeScreen()) {
        capture = captureScreen(screen);
    }

    // Window opacity shows only where a compositing manager runs; elsewhere a fade would
    // leave the window invisible or flickering, so the overlay appears at once.
    const bool seeThrough = m_windowSystem.compositorRunning();
    auto* view =
        new BreakOverlayView(m_scheduler, extensionMinutes, std::move(capture), m_appearance.scheme(), seeThrough);
    const QPointer<BreakOverlayView> shown(view);
    // A view that was replaced may still be finishing its fade; it must not close its successor.
    connect(view, &BreakOverlayView::closeRequested, this, [this, shown] {
        if (m_view == shown)
            dismiss(true);
    });
    connect(view, &BreakOverlayView::extendRequested, this, [this, shown, onExtend = std::move(onExtend)] {
        if (onExtend)
            onExtend();
        if (m_view == shown)
            dismiss(true);
    });

    windows::makeOverlayWindow(view);
    view->setGeometry(screen->geometry());
    view->winId();
    m_windowSystem.placeAboveEverything(view->windowHandle());
    if (seeThrough) {
        view->setWindowOpacity(0);
        view->setFade(0);
    }
    view->show();
    view->raise();
    // Not activated: the overlay does not take the keys typed elsewhere. Once the user gives it
    // the focus, Return or Space closes it, and Tab goes on to Extend.
    view->closeButton().setFocus(Qt::OtherFocusReason);
    m_view = view;
    if (seeThrough)
        fade(view, 1, overlay::easeOut(), {});
    view->appear();
}

void BreakOverlayController::dismiss(bool animated)
{
    if (!m_view)
        return;
    BreakOverlayView* view = m_view;
    m_view = nullptr;
    view->retire();
    if (!animated || !view->seeThrough()) {
        closeNow(view);
        return;
    }
    fade(view, 0, overlay::easeIn(), [view] { closeNow(view); });
}

} // namespace brindlemoor
