// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/LimitProgress.h"
#include "views/popover/MenuCardView.h"

#include <optional>

namespace brindlemoor {

class Appearance;
class DragOutGesture;
class FloatingWidgetManager;

/// The usage popover's bar of the daily total: the timer, "Daily usage limit", the time
/// used or left, an orange dot from 80 % of the limit and, once it is reached, a red dot
/// and the control that extends the day. Dragging the bar out of the popover opens the
/// daily floating widget under the pointer.
class FennProgressBar final : public MenuCardView {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds growDuration{550};

    /// `widgets` may be null (the gallery): the bar then does not drag out.
    FennProgressBar(const Appearance& appearance, const TodayModel& today, FloatingWidgetManager* widgets,
                    QWidget* parent = nullptr);

    /// The day's total against the daily limit, and the minutes one extension adds.
    void setValues(const LimitProgress& daily, qint64 extensionMinutes);
    /// Whether the extend control is offered once the limit is reached.
    void setExtendable(bool extendable);

    QString timeText() const override;
    Dot dot() const override;
    double remainingFraction() const override;
    using MenuCardView::extendButton;

    QAccessible::Role accessibleRole() const override { return QAccessible::ProgressBar; }
    QString accessibleText() const override;
    QString accessibleValue() const override;

Q_SIGNALS:
    void extendRequested();

protected:
    QString title() const override;
    Trailing trailing() const override;
    qreal leadingWidth() const override;
    void paintLeadingItem(QPainter& painter, const QRectF& rect) const override;

private:
    FloatingWidgetManager* m_widgets;
    DragOutGesture* m_drag;
    LimitProgress m_daily;
    qint64 m_extensionMinutes = 0;
    bool m_extendable = true;
};

} // namespace brindlemoor
