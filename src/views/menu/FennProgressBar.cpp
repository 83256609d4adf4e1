// SPDX-License-Identifier: MIT
#include "views/menu/FennProgressBar.h"

#include "core/foundation/DurationText.h"
#include "core/model/PreferencesStore.h"
#include "views/components/DragOutGesture.h"
#include "views/components/ProgressCard.h"
#include "views/widgets/FloatingWidgetManager.h"

#include <QAbstractButton>

#include <algorithm>

namespace brindlemoor {

FennProgressBar::FennProgressBar(const PreferencesStore& prefs, FloatingWidgetManager* widgets, QWidget* parent)
    : MenuCardView({NamedColor::DailyBlue, 0.06, 0.1, 0.35, 0.35, 0.04, 0.04, 0.12, 0.14, 8, 3, 100, false}, prefs,
                   parent)
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

void FennProgressBar::setValues(double current, const std::optional<Limit>& limit, qint64 extensionMinutes)
{
    const double previous = remainingFraction();
    m_current = current;
    m_limit = limit;
    m_extensionMinutes = extensionMinutes;
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

double FennProgressBar::usedRatio() const
{
    const double limit = effectiveLimit();
    return limit > 0 ? m_current / limit : 0.0;
}

double FennProgressBar::remainingFraction() const
{
    return effectiveLimit() > 0 ? std::max(0.0, 1 - usedRatio()) : 0.0;
}

QString FennProgressBar::timeText() const
{
    if (isReached())
        return {};
    return prefs().showTimeRemaining() ? DurationText::dailyLeft(effectiveLimit() - m_current)
                                       : DurationText::dailyUsed(m_current);
}

MenuCardView::Dot FennProgressBar::dot() const
{
    if (isReached())
        return Dot::Red;
    // From 80 % on; compared without dividing, so that exactly 80 % counts.
    const double limit = effectiveLimit();
    return limit > 0 && 5 * m_current >= 4 * limit ? Dot::Orange : Dot::None;
}

QString FennProgressBar::title() const
{
    return tr("Daily usage limit");
}

MenuCardView::Trailing FennProgressBar::trailing() const
{
    Trailing what{timeText(), {}, dot(), false};
    if (isReached() && m_extendable)
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
