// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/AppUsage.h"
#include "core/model/LimitProgress.h"
#include "views/popover/MenuCardView.h"

namespace brindlemoor {

class AppIconProvider;
class Appearance;
class DragOutGesture;
class FloatingWidgetManager;
class TodayModel;

/// One application's row in the usage popover: its icon and name, the time used or left,
/// an orange dot past 80 % of its limit and a red one at the limit, and a reset button.
/// Dragging the row out of the popover opens the application's floating widget under the
/// pointer and carries it along until the button is released.
class AppUsageRowView final : public MenuCardView {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds regrowDuration{600};
    static constexpr Spring shrinkingSpring{0.9, 0.82};
    /// The hovered row's shadow, which the list makes room for.
    static constexpr qreal shadowRadius = 6;
    static constexpr qreal shadowOffset = 2;

    /// `widgets` may be null (the gallery): the row then does not drag out.
    AppUsageRowView(const Appearance& appearance, AppUsage usage, const LimitProgress& progress, TodayModel& today,
                    AppIconProvider& icons, FloatingWidgetManager* widgets, QWidget* parent = nullptr);

    const AppUsage& usage() const { return m_usage; }
    /// New numbers for the same application; the fill follows a shrinking share left.
    void setUsage(const AppUsage& usage, const LimitProgress& progress);
    const LimitProgress& progress() const { return m_progress; }
    bool isDraggingOut() const { return m_draggingOut; }

    QString timeText() const override;
    Dot dot() const override;
    double remainingFraction() const override;
    using MenuCardView::resetButton;

    QAccessible::Role accessibleRole() const override { return QAccessible::ListItem; }
    QString accessibleText() const override;

protected:
    QString title() const override { return m_usage.name; }
    Trailing trailing() const override;
    qreal leadingWidth() const override;
    void paintLeadingItem(QPainter& painter, const QRectF& rect) const override;

private:
    void followFraction(double previous);
    /// Clears the application's time: the fill empties and grows back.
    void reset();
    void beginDragOut(const QPoint& globalPosition);
    void endDragOut();

    AppUsage m_usage;
    LimitProgress m_progress;
    TodayModel& m_today;
    AppIconProvider& m_icons;
    FloatingWidgetManager* m_widgets;
    DragOutGesture* m_drag;
    bool m_draggingOut = false;
    bool m_resetting = false;
};

} // namespace brindlemoor
