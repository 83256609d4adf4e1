// SPDX-License-Identifier: MIT
#include "views/popover/FennProgressBar.h"

#include "core/model/TodayModel.h"
#include "views/cards/FloatingWidgetManager.h"
#include "views/components/DragOutGesture.h"
#include "views/components/ProgressCard.h"

#include <QAbstractButton>

namespace brindlemoor {

FennProgressBar::FennProgressBar(const Appearance& appearance, const TodayModel& today, FloatingWidgetManager* widgets,
                                 QWidget* parent)
    : MenuCardView(appearance, {NamedColor::DailyBlue, 0.06, 0.1, 0.35, 0.35, 0.04, 0.04, 0.12, 0.14, 8, 3, 100, false},
                   today, parent)
    , m_widgets(widgets)
    , m_drag(new DragOutGesture(this))
{
    connect(extendButton(), &QAbstractButton::clicked, this, &FennProgressBar::extendRequested);
    const auto showDaily = [this](const QPoint& at) {
        if (m_widgets)
            m_widgets->showDailyWidget(at);
    };
    connect(m_drag, &DragOutGesture::started, this, showDaily);
    connect(m_drag, &DragOutGesture::moved, this, showDaily);
    connect(m_drag, &DragOutGesture::finished, this, [this] {
        if (m_widgets)
            m_widgets->storeDailyPosition();
    });
}

void FennProgressBar::setValues(const LimitProgress& daily, qint64 extensionMinutes)
{
    const double previous = remainingFraction();
    m_daily = daily;
    m_extensionMinutes = extensionMinutes;
    extendButton()->setAccessibleName(tr("Extend the daily limit by %1 min").arg(extensionMinutes));
    const double now = remainingFraction();
    if (hasAppeared() && now != previous) {
        // An extension grows the fill into view; use shrinks it without motion.
        if (now > previous)
            fillMotion().easeTo(now, growDuration);
        else
            fillMotion().setValue(now);
    }
    contentChanged();
}

void FennProgressBar::setExtendable(bool extendable)
{
    m_extendable = extendable;
    contentChanged();
}

double FennProgressBar::remainingFraction() const
{
    return m_daily.remainingFraction();
}

QString FennProgressBar::timeText() const
{
    return m_daily.dailyTimeText(today().showsTimeRemaining());
}

MenuCardView::Dot FennProgressBar::dot() const
{
    return dotFor(m_daily.level(NearFrom::At80Percent));
}

QString FennProgressBar::title() const
{
    return tr("Daily usage limit");
}

QString FennProgressBar::accessibleText() const
{
    return tr("%1, %2").arg(title(), m_daily.spokenText(NearFrom::At80Percent));
}

QString FennProgressBar::accessibleValue() const
{
    return m_daily.limit ? tr("%1 %").arg(m_daily.percentUsed()) : QString();
}

MenuCardView::Trailing FennProgressBar::trailing() const
{
    Trailing what{timeText(), {}, dot(), false};
    if (m_daily.isReached() && m_extendable)
        what.capsule = tr("+%1m").arg(m_extensionMinutes);
    return what;
}

qreal FennProgressBar::leadingWidth() const
{
    return progresscard::dailyTimerSide();
}

void FennProgressBar::paintLeadingItem(QPainter& painter, const QRectF& rect) const
{
    progresscard::paintDailyTimer(painter, rect.center());
}

} // namespace brindlemoor
