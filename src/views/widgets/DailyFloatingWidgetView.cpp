// SPDX-License-Identifier: MIT
#include "views/widgets/DailyFloatingWidgetView.h"

#include "core/model/PreferencesStore.h"
#include "core/model/UsageStore.h"
#include "views/components/SymbolPainter.h"

#include <QLinearGradient>
#include <QPainter>

namespace brindlemoor {

namespace {

constexpr qreal timerSize = 14;
constexpr qreal timerShadowRadius = 3;
const QColor timerTop = QColor::fromRgbF(0.45f, 0.55f, 0.92f);
const QColor timerBottom = QColor::fromRgbF(0.35f, 0.48f, 0.85f);
const QColor timerShadow = QColor::fromRgbF(0.4f, 0.5f, 0.9f, 0.4f);

} // namespace

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
    const qint64 minutes = context().prefs.dailyLimitMinutes();
    if (minutes > 0)
        usage.limit = static_cast<double>(minutes) * 60 + context().usageStore.dailyExtension();
    return usage;
}

bool DailyFloatingWidgetView::isFrontmostFor(const QString& frontmostBundleID) const
{
    return context().prefs.isMonitored(frontmostBundleID);
}

qreal DailyFloatingWidgetView::leadingWidth() const
{
    return SymbolPainter::side(timerSize);
}

void DailyFloatingWidgetView::paintLeadingItem(QPainter& painter, const QRectF& rect) const
{
    const QRectF box = SymbolPainter::box(rect.center(), timerSize);
    SymbolPainter::paintShadow(painter, Symbol::Timer, box, QFont::DemiBold, timerShadow, timerShadowRadius);
    // Spans the symbol itself, top-leading to bottom-trailing.
    QLinearGradient gradient(0, 0, 1, 1);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setColorAt(0, timerTop);
    gradient.setColorAt(1, timerBottom);
    SymbolPainter::paint(painter, Symbol::Timer, box, QFont::DemiBold, gradient);
}

void DailyFloatingWidgetView::actionTriggered()
{
    const PreferencesStore& prefs = context().prefs;
    context().usageStore.extendDaily(prefs.extendDurationMinutes(),
                                     static_cast<double>(prefs.dailyLimitMinutes()) * 60);
}

} // namespace brindlemoor
