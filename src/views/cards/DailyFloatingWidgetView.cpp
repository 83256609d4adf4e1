// SPDX-License-Identifier: MIT
#include "views/cards/DailyFloatingWidgetView.h"

#include "core/model/TodayModel.h"
#include "views/components/ProgressCard.h"

namespace brindlemoor {

DailyFloatingWidgetView::DailyFloatingWidgetView(const FloatingWidgetContext& context,
                                                 const FloatingWidgetManager& manager, QWidget* parent)
    : FloatingCardView({NamedColor::DailyBlue, 0.93, 12, 0.35, Symbol::Plus, tr("Extend the daily limit")}, context,
                       manager, parent)
{
    initialize();
}

QString DailyFloatingWidgetView::title() const
{
    return tr("Daily usage limit");
}

LimitProgress DailyFloatingWidgetView::progress() const
{
    return context().today.daily();
}

bool DailyFloatingWidgetView::isFrontmostFor(const QString& frontmostBundleID) const
{
    return context().today.isWatched(frontmostBundleID);
}

qreal DailyFloatingWidgetView::leadingWidth() const
{
    return progresscard::dailyTimerSide();
}

void DailyFloatingWidgetView::paintLeadingItem(QPainter& painter, const QRectF& rect) const
{
    progresscard::paintDailyTimer(painter, rect.center());
}

void DailyFloatingWidgetView::actionTriggered()
{
    context().today.extendDaily();
}

} // namespace brindlemoor
