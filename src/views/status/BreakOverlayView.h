// SPDX-License-Identifier: MIT
#pragma once

#include "views/components/NamedColors.h"

#include <QImage>
#include <QPixmap>
#include <QStringList>
#include <QWidget>

#include <chrono>
#include <memory>

class QVariantAnimation;

namespace brindlemoor {

class OverlayButton;
class RepeatingTimer;
class Scheduler;

/// The overlay's full-screen content: a frosted, darkened backdrop and a centred column
/// saying the daily limit is near, with Close (and its countdown ring) and Extend.
class BreakOverlayView final : public QWidget {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds selfCloseDelay{7000};
    static constexpr qreal backdropOpacity = 0.72;

    /// `capture` is the screen as it was just before showing (null for a plain dark
    /// backdrop); the desktop's `scheme` tints the frosted layer and, in higher contrast, widens
    /// the focus ring; `seeThrough` is true where a compositor lets the real screen show
    /// through the window, so the capture itself is not painted.
    BreakOverlayView(Scheduler& scheduler, qint64 extensionMinutes, QImage capture, Scheme scheme, bool seeThrough,
                     QWidget* parent = nullptr);
    ~BreakOverlayView() override;

    /// Goes live: the column rises into place, the ring starts emptying and the overlay
    /// closes itself after `selfCloseDelay` unless the user chose first.
    void appear();
    /// Ends the live state without acting: later clicks and the self-close do nothing.
    void retire() { m_live = false; }

    /// How far the column has risen into place, 0 to 1.
    void setEntrance(qreal progress);
    /// The backdrop's fade, 0 (screen as it was) to 1 (frosted and darkened).
    qreal fade() const { return m_fade; }
    void setFade(qreal fade);
    qreal timerProgress() const;
    void setTimerProgress(qreal progress);

    /// The column's texts, top to bottom, without the buttons.
    QStringList lines() const;
    OverlayButton& closeButton() const { return *m_closeButton; }
    OverlayButton& extendButton() const { return *m_extendButton; }
    const QImage& capture() const { return m_capture; }
    bool seeThrough() const { return m_seeThrough; }

Q_SIGNALS:
    /// Close, a click on the backdrop, or the seven seconds ran out; sent at most once.
    void closeRequested();
    /// The user chose Extend; sent at most once, and never after closeRequested().
    void extendRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    class Column;
    class RiseEffect;

    void choose(void (BreakOverlayView::*choice)());
    void tickCountdown();

    Scheduler& m_scheduler;
    QImage m_capture;
    QImage m_frosted;
    QPixmap m_frostedScaled;
    bool m_seeThrough;
    bool m_live = false;
    bool m_backdropPressed = false;
    qreal m_entrance = 0;
    qreal m_fade = 1;
    int m_countdownTicks = 0;
    Column* m_column;
    RiseEffect* m_rise;
    OverlayButton* m_closeButton;
    OverlayButton* m_extendButton;
    QVariantAnimation* m_entranceAnimation = nullptr;
    std::unique_ptr<RepeatingTimer> m_countdown;
};

} // namespace brindlemoor
