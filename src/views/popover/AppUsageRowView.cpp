// SPDX-License-Identifier: MIT
#include "views/popover/AppUsageRowView.h"

#include "core/model/TodayModel.h"
#include "views/cards/FloatingWidgetManager.h"
#include "views/components/DragOutGesture.h"
#include "views/components/ProgressCard.h"
#include "views/settings/AppIconProvider.h"

#include <QAbstractButton>
#include <QPainter>

#include <utility>

namespace brindlemoor {

namespace {

constexpr qreal iconSide = 16;
constexpr qreal iconCornerRadius = 3;

} // namespace

AppUsageRowView::AppUsageRowView(const Appearance& appearance, AppUsage usage, const LimitProgress& progress,
                                 TodayModel& today, AppIconProvider& icons, FloatingWidgetManager* widgets,
                                 QWidget* parent)
    : MenuCardView(appearance,
                   {NamedColor::GlobalAccent, 0.08, 0.11, 0.40, 0.45, 0.05, 0.07, 0.1, 0.18, shadowRadius, shadowOffset,
                    120, true},
                   today, parent)
    , m_usage(std::move(usage))
    , m_progress(progress)
    , m_today(today)
    , m_icons(icons)
    , m_widgets(widgets)
    , m_drag(new DragOutGesture(this))
{
    resetButton()->setAccessibleName(tr("Reset %1").arg(m_usage.name));
    connect(resetButton(), &QAbstractButton::clicked, this, &AppUsageRowView::reset);
    connect(m_drag, &DragOutGesture::started, this, &AppUsageRowView::beginDragOut);
    connect(m_drag, &DragOutGesture::moved, this, [this](const QPoint& at) {
        if (m_widgets)
            m_widgets->moveWidget(m_usage.id, at);
    });
    connect(m_drag, &DragOutGesture::finished, this, &AppUsageRowView::endDragOut);
}

void AppUsageRowView::setUsage(const AppUsage& usage, const LimitProgress& progress)
{
    const double previous = fill().target();
    m_usage = usage;
    m_progress = progress;
    resetButton()->setAccessibleName(tr("Reset %1").arg(m_usage.name));
    if (hasAppeared())
        followFraction(previous);
    contentChanged();
}

void AppUsageRowView::followFraction(double previous)
{
    const double now = remainingFraction();
    // A reset grows its fill back on its own.
    if (m_resetting || now == previous)
        return;
    if (now < previous)
        fillMotion().springTo(now, shrinkingSpring);
    else // an extension or a raised limit: the fill eases to the larger share
        fillMotion().easeTo(now, regrowDuration);
}

void AppUsageRowView::reset()
{
    fillMotion().setValue(0);
    m_resetting = true;
    m_today.resetApp(m_usage.id);
    m_resetting = false;
    if (SpringAnimation::motionEnabled())
        fillMotion().easeTo(remainingFraction(), regrowDuration);
    else
        fillMotion().setValue(remainingFraction());
}

double AppUsageRowView::remainingFraction() const
{
    return m_progress.remainingFraction();
}

QString AppUsageRowView::timeText() const
{
    return m_progress.appTimeText(today().showsTimeRemaining());
}

QString AppUsageRowView::accessibleText() const
{
    return tr("%1, %2").arg(m_usage.name, m_progress.spokenText(NearFrom::Past80Percent));
}

MenuCardView::Dot AppUsageRowView::dot() const
{
    return dotFor(m_progress.level(NearFrom::Past80Percent));
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
