// SPDX-License-Identifier: MIT
#include "views/widgets/DailyFloatingWidgetView.h"

#include "core/model/PreferencesStore.h"
#include "core/model/UsageStore.h"
#include "views/components/ProgressCard.h"

namespace brindlemoor {

DailyFloatingWidgetView::DailyFloatingWidgetView(const FloatingWidgetContext& context,
                                                 const FloatingWidgetManager& manager, QWidget* parent)
    : FloatingCardView({NamedColor::DailyBlue, 0.93, 12, 0.35, Symbol::Plus, tr("Extend")}, context, manager, parent)
{
    initialize();
    // Extensions come from the overlay and the popover too, and the store announces them apart.
    connect(&context.usageStore, &UsageStore::dailyExtensionChanged, this, &DailyFloatingWidgetView::refresh);
}

QString DailyFloatingWidgetView::title() const
{
    return tr("Daily usage limit");
}

FloatingCardView::Usage DailyFloatingWidgetView::usage() const
{
    Usage usage;
    usage.used = context().usageStore.totalSecondsToday();
    // The daily limit is in force only while one is set; a leftover extension alone is none.
    usage.limit = context().usageStore.dailyLimit(context().prefs);
    return usage;
}

bool DailyFloatingWidgetView::isFrontmostFor(const QString& frontmostBundleID) const
{
    return context().prefs.isMonitored(frontmostBundleID);
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
    const PreferencesStore& prefs = context().prefs;
    context().usageStore.extendDaily(prefs.extendDurationMinutes(),
                                     static_cast<double>(prefs.dailyLimitMinutes()) * 60);
}

} // namespace brindlemoor
