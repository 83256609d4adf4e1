// SPDX-License-Identifier: MIT
#include "views/insights/ReflectionPanelRow.h"

#include "core/model/TodayModel.h"
#include "views/components/Spring.h"
#include "views/insights/ReflectionCard.h"
#include "views/insights/ReflectionHeader.h"
#include "views/status/OverlayEasing.h"

#include <QEasingCurve>

#include <algorithm>

namespace brindlemoor {

namespace {

constexpr int kSpacing = 6;
constexpr int kRevealMs = 200;
constexpr int kFadeInMs = 320;
constexpr int kStaggerMs = 70;
constexpr int kFadeOutMs = 350;

QEasingCurve easeInOut()
{
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(0.42, 0), QPointF(0.58, 1), QPointF(1, 1));
    return curve;
}

} // namespace

ReflectionPanelRow::ReflectionPanelRow(const Appearance& appearance, const ReflectionEngine& engine,
                                       const TodayModel& today, QWidget* parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_engine(engine)
    , m_today(today)
    , m_header(new ReflectionHeader(appearance, this))
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);

    m_header->setAccessibleName(tr("Show insights"));
    connect(m_header, &QAbstractButton::clicked, this, [this] { setExpanded(!m_expanded); });

    m_revealAnimation.setDuration(kRevealMs);
    m_revealAnimation.setEasingCurve(overlay::easeOut());
    connect(&m_revealAnimation, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_reveal = value.toReal();
        updateGeometry();
        relayout();
    });

    connect(&m_fade, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { onFadeTime(value.toReal()); });
    connect(&m_fade, &QVariantAnimation::finished, this, [this] {
        if (!m_fadingIn) {
            clearCards();
            animateReveal(0);
        }
    });

    // While open, the cards follow the numbers they describe (an extension, a new limit).
    connect(&today, &TodayModel::changed, this, &ReflectionPanelRow::refreshCards);
}

void ReflectionPanelRow::setExpanded(bool expanded)
{
    if (expanded == m_expanded)
        return;
    m_expanded = expanded;
    m_header->setExpanded(expanded);
    m_header->setAccessibleName(expanded ? tr("Hide insights") : tr("Show insights"));
    if (expanded) {
        buildCards();
        startFade(true);
        animateReveal(1);
    } else {
        startFade(false);
    }
    Q_EMIT expandedChanged(expanded);
}

void ReflectionPanelRow::buildCards()
{
    clearCards();
    const QList<Insight> insights = m_engine.generateInsights(m_today);
    for (qsizetype i = 0; i < std::min<qsizetype>(insights.size(), maxCards); ++i) {
        auto* card = new ReflectionCard(m_appearance, insights.at(i), this);
        card->setOpacity(0);
        card->show();
        m_cards.append(card);
    }
    updateGeometry();
    relayout();
}

void ReflectionPanelRow::refreshCards()
{
    if (!m_expanded)
        return;
    const QList<Insight> insights = m_engine.generateInsights(m_today);
    const qsizetype count = std::min<qsizetype>(insights.size(), maxCards);
    if (count != m_cards.size()) {
        // A card more or less: the new set stands at once, without fading again.
        buildCards();
        m_fade.stop();
        for (ReflectionCard* card : std::as_const(m_cards))
            card->setOpacity(1);
        return;
    }
    for (qsizetype i = 0; i < count; ++i)
        m_cards.at(i)->setInsight(insights.at(i));
    updateGeometry();
    relayout();
}

void ReflectionPanelRow::clearCards()
{
    qDeleteAll(m_cards);
    m_cards.clear();
    m_fadeFrom.clear();
    updateGeometry();
}

void ReflectionPanelRow::startFade(bool in)
{
    m_fade.stop();
    m_fadingIn = in;
    m_fadeFrom.clear();
    for (const ReflectionCard* card : std::as_const(m_cards))
        m_fadeFrom.append(card->opacity());
    const auto count = static_cast<int>(m_cards.size());
    const int duration = in ? kFadeInMs + std::max(0, count - 1) * kStaggerMs : kFadeOutMs;
    if (!SpringAnimation::motionEnabled()) {
        onFadeTime(duration);
        if (!in) {
            clearCards();
            animateReveal(0);
        }
        return;
    }
    m_fade.setStartValue(0.0);
    m_fade.setEndValue(static_cast<qreal>(duration));
    m_fade.setDuration(duration);
    m_fade.start();
}

void ReflectionPanelRow::onFadeTime(qreal elapsedMs)
{
    const QEasingCurve curve = easeInOut();
    for (qsizetype i = 0; i < m_cards.size(); ++i) {
        if (m_fadingIn) {
            // Each card waits its turn, then eases in over the same time.
            const qreal progress = std::clamp((elapsedMs - static_cast<qreal>(i) * kStaggerMs) / kFadeInMs, 0.0, 1.0);
            m_cards.at(i)->setOpacity(curve.valueForProgress(progress));
        } else {
            // All together, each from wherever its own fade-in had reached.
            const qreal progress = std::clamp(elapsedMs / kFadeOutMs, 0.0, 1.0);
            m_cards.at(i)->setOpacity(m_fadeFrom.value(i) * (1 - curve.valueForProgress(progress)));
        }
    }
}

void ReflectionPanelRow::animateReveal(qreal target)
{
    m_revealAnimation.stop();
    if (!SpringAnimation::motionEnabled() || qFuzzyCompare(m_reveal, target)) {
        m_reveal = target;
        updateGeometry();
        relayout();
        return;
    }
    m_revealAnimation.setStartValue(m_reveal);
    m_revealAnimation.setEndValue(target);
    m_revealAnimation.start();
}

int ReflectionPanelRow::cardsHeight(int width) const
{
    int height = 0;
    for (const ReflectionCard* card : m_cards)
        height += kSpacing + card->heightForWidth(width);
    return height;
}

int ReflectionPanelRow::heightForWidth(int width) const
{
    return ReflectionHeader::height + qRound(m_reveal * cardsHeight(width));
}

QSize ReflectionPanelRow::sizeHint() const
{
    const int width = m_cards.isEmpty() ? m_header->sizeHint().width() : m_cards.first()->sizeHint().width();
    return {width, heightForWidth(width)};
}

void ReflectionPanelRow::resizeEvent(QResizeEvent* /*event*/)
{
    relayout();
}

void ReflectionPanelRow::relayout()
{
    m_header->setGeometry(QRect(QPoint(0, 0), m_header->sizeHint()));
    int y = ReflectionHeader::height;
    // Every card spans the row: cards as wide as their own text, centred, look ragged.
    for (ReflectionCard* card : std::as_const(m_cards)) {
        y += kSpacing;
        const int height = card->heightForWidth(width());
        card->setGeometry(0, y, width(), height);
        y += height;
    }
}

} // namespace brindlemoor
