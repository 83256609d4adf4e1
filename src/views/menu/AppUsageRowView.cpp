// SPDX-License-Identifier: MIT
#include "views/menu/AppUsageRowView.h"

#include "core/foundation/DurationText.h"
#include "core/model/PreferencesStore.h"
#include "views/components/DragOutGesture.h"
#include "views/components/ProgressCard.h"
#include "views/settings/AppIconProvider.h"
#include "views/widgets/FloatingWidgetManager.h"

#include <QAbstractButton>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace brindlemoor {

namespace {

constexpr qreal iconSide = 16;
constexpr qreal iconCornerRadius = 3;

} // namespace

AppUsageRowView::AppUsageRowView(AppUsage usage, const Limit& limit, int resetTrigger, const PreferencesStore& prefs,
                                 AppIconProvider& icons, FloatingWidgetManager* widgets, QWidget* parent)
    : MenuCardView({NamedColor::GlobalAccent, 0.08, 0.11, 0.40, 0.45, 0.05, 0.07, 0.1, 0.18, shadowRadius, shadowOffset,
                    120, true},
                   prefs, parent)
    , m_usage(std::move(usage))
    , m_limit(limit)
    , m_resetTrigger(resetTrigger)
    , m_icons(icons)
    , m_widgets(widgets)
    , m_drag(new DragOutGesture(this))
{
    connect(resetButton(), &QAbstractButton::clicked, this, &AppUsageRowView::resetRequested);
    connect(m_drag, &DragOutGesture::started, this, &AppUsageRowView::beginDragOut);
    connect(m_drag, &DragOutGesture::moved, this, [this](const QPoint& at) {
        if (m_widgets)
            m_widgets->moveWidget(m_usage.id, at);
    });
    connect(m_drag, &DragOutGesture::finished, this, &AppUsageRowView::endDragOut);
}

void AppUsageRowView::setUsage(const AppUsage& usage, const Limit& limit)
{
    const double previous = fill().target();
    m_usage = usage;
    m_limit = limit;
    if (hasAppeared())
        followFraction(previous);
    contentChanged();
}

void AppUsageRowView::followFraction(double previous)
{
    const double now = remainingFraction();
    // A reset's regrowth reads the new fraction when it starts.
    if (m_regrowPending || now == previous)
        return;
    if (now < previous)
        fillMotion().springTo(now, shrinkingSpring);
    else // an extension or a raised limit: the fill eases to the larger share
        fillMotion().easeTo(now, regrowDuration);
}

void AppUsageRowView::setResetTrigger(int trigger)
{
    if (trigger == m_resetTrigger)
        return;
    m_resetTrigger = trigger;
    fillMotion().setValue(0);
    if (!SpringAnimation::motionEnabled()) {
        fillMotion().setValue(remainingFraction());
        return;
    }
    // A moment for the reset to reach the store, then the fill grows back from empty.
    m_regrowPending = true;
    QTimer::singleShot(regrowDelay, this, [this] {
        m_regrowPending = false;
        fillMotion().easeTo(remainingFraction(), regrowDuration);
    });
}

double AppUsageRowView::remainingFraction() const
{
    const double limit = effectiveLimit();
    return limit > 0 ? std::max(0.0, 1 - m_usage.seconds / limit) : 0.0;
}

QString AppUsageRowView::timeText() const
{
    if (isLimitReached())
        return {};
    return prefs().showTimeRemaining() ? DurationText::left(effectiveLimit() - m_usage.seconds)
                                       : DurationText::used(m_usage.seconds);
}

MenuCardView::Dot AppUsageRowView::dot() const
{
    if (isLimitReached())
        return Dot::Red;
    // More than 80 % used. Compared without dividing: 1 - 2880 / 3600 comes out just under 0.2.
    const double limit = effectiveLimit();
    return limit > 0 && 5 * m_usage.seconds > 4 * limit ? Dot::Orange : Dot::None;
}

MenuCardView::Trailing AppUsageRowView::trailing() const
{
    return {timeText(), {}, dot(), true};
}

qreal AppUsageRowView::leadingWidth() const
{
    return iconSide;
}

void AppUsageRowView::paintLeadingItem(QPainter& painter, const QRectF& rect) const
{
    const QPixmap icon = m_icons.icon(m_usage.id, painter.device()->devicePixelRatioF());
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setClipPath(progresscard::continuousRoundedRect(rect, iconCornerRadius), Qt::IntersectClip);
    painter.drawPixmap(rect, icon, QRectF(QPointF(0, 0), icon.size()));
    painter.restore();
}

void AppUsageRowView::beginDragOut(const QPoint& globalPosition)
{
    m_draggingOut = true;
    setShrunk(true);
    if (m_widgets)
        m_widgets->beginDragOut(m_usage.id, globalPosition);
}

void AppUsageRowView::endDragOut()
{
    if (m_widgets)
        m_widgets->storePosition(m_usage.id);
    m_draggingOut = false;
    setShrunk(false);
}

} // namespace brindlemoor
