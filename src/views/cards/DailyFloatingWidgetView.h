// SPDX-License-Identifier: MIT
#pragma once

#include "views/cards/FloatingCardView.h"

namespace brindlemoor {

/// The daily total's floating card: the timer, "Daily usage limit", the time the day's
/// limit leaves or the day has used, and an extend button once the limit is reached.
/// Bright while any watched application is frontmost.
class DailyFloatingWidgetView final : public FloatingCardView {
    Q_OBJECT

public:
    DailyFloatingWidgetView(const FloatingWidgetContext& context, const FloatingWidgetManager& manager,
                            QWidget* parent = nullptr);

    QString title() const override;

protected:
    LimitProgress progress() const override;
    bool isFrontmostFor(const QString& frontmostBundleID) const override;
    qreal leadingWidth() const override;
    void paintLeadingItem(QPainter& painter, const QRectF& rect) const override;
    /// Grants the configured extension, as the overlay and the popover's bar do.
    void actionTriggered() override;
};

} // namespace brindlemoor
