// SPDX-License-Identifier: MIT
#include "views/popover/MenuCardView.h"

#include "core/model/TodayModel.h"
#include "views/cards/CardActionButton.h"
#include "views/components/Appearance.h"
#include "views/components/FennDot.h"
#include "views/components/FocusRing.h"
#include "views/components/Fonts.h"
#include "views/components/HoverTracker.h"
#include "views/components/ProgressCard.h"
#include "views/components/SymbolPainter.h"
#include "views/components/TabularDigits.h"
#include "views/status/OverlayEasing.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace brindlemoor {

namespace {

constexpr qreal padding = 12;
constexpr qreal spacing = 10;
constexpr qreal dotSize = 10;
constexpr int textSize = 13;
constexpr int capsuleTextSize = 11;
constexpr qreal capsulePaddingX = 7;
constexpr qreal capsulePaddingY = 3;
constexpr qreal resetSymbolSize = 12;
constexpr qreal fadeStop = 0.93;
constexpr qreal hoverScale = 1.01;
constexpr qreal shrunkScale = 0.96;
constexpr qreal hoverDotScale = 1.05;

qreal lerp(qreal from, qreal to, qreal t)
{
    return from + (to - from) * t;
}

QFont textFont()
{
    return fonts::system(textSize, QFont::DemiBold);
}

QFont capsuleFont()
{
    return fonts::system(capsuleTextSize, QFont::DemiBold);
}

} // namespace

MenuCardView::MenuCardView(const Appearance& appearance, const Look& look, const TodayModel& today, QWidget* parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_look(look)
    , m_today(today)
    , m_hoverTracker(new HoverTracker(this))
    , m_reset(new CardActionButton(tr("Reset"), this))
    , m_extend(new CardActionButton(tr("Extend"), this))
    , m_shrinkMotion(kStandardSpring)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_reset->hide();
    m_extend->hide();
    // The popover takes the focus, unlike the floating cards: its buttons are reached by keys.
    m_reset->setFocusPolicy(Qt::TabFocus);
    m_extend->setFocusPolicy(Qt::TabFocus);
    connect(&m_fill, &ProgressFillAnimation::valueChanged, this, qOverload<>(&QWidget::update));
    connect(m_hoverTracker, &HoverTracker::hoveringChanged, this, &MenuCardView::setHovering);
    m_hoverMotion.setDuration(look.hoverMs);
    m_hoverMotion.setEasingCurve(overlay::easeOut());
    connect(&m_hoverMotion, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { setHover(value.toReal()); });
    connect(&m_shrinkMotion, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_shrink = value.toReal();
        update();
    });
    connect(&m_appearance, &Appearance::changed, this, qOverload<>(&QWidget::update));
    // The time text switches between used and left with the setting.
    connect(&today, &TodayModel::changed, this, &MenuCardView::contentChanged);
}

MenuCardView::~MenuCardView() = default;

MenuCardView::Dot MenuCardView::dotFor(LimitLevel level)
{
    switch (level) {
    case LimitLevel::Reached:
        return Dot::Red;
    case LimitLevel::Near:
        return Dot::Orange;
    case LimitLevel::Under:
        break;
    }
    return Dot::None;
}

QSize MenuCardView::sizeHint() const
{
    return QSize(0, cardHeight).grownBy(bleed);
}

QAbstractButton* MenuCardView::resetButton() const
{
    return m_reset;
}

QAbstractButton* MenuCardView::extendButton() const
{
    return m_extend;
}

QRectF MenuCardView::cardRect() const
{
    return {rect().marginsRemoved(bleed)};
}

qreal MenuCardView::scale() const
{
    return lerp(1, hoverScale, m_hover) * m_shrink;
}

void MenuCardView::setShrunk(bool shrunk)
{
    m_shrinkMotion.animate(m_shrink, shrunk ? shrunkScale : 1.0);
}

void MenuCardView::contentChanged()
{
    const TrailingLayout layout = trailingLayout();
    m_reset->setVisible(!layout.button.isEmpty());
    if (!layout.button.isEmpty())
        m_reset->setGeometry(layout.button.toAlignedRect());
    m_extend->setVisible(!layout.capsule.isEmpty());
    if (!layout.capsule.isEmpty())
        m_extend->setGeometry(layout.capsule.toAlignedRect());
    update();
}

MenuCardView::TrailingLayout MenuCardView::trailingLayout() const
{
    const Trailing what = trailing();
    const QRectF card = cardRect();
    const qreal middle = card.center().y();
    TrailingLayout layout;
    qreal right = card.right() - padding;
    const auto take = [&](qreal width, qreal height) {
        const QRectF piece(right - width, middle - height / 2, width, height);
        right = piece.left() - spacing;
        return piece;
    };
    if (what.resetButton)
        layout.button = take(CardActionButton::side, CardActionButton::side);
    if (what.dot != Dot::None)
        layout.dot = take(dotSize, dotSize);
    if (!what.capsule.isEmpty()) {
        const QFontMetricsF metrics(capsuleFont());
        layout.capsule =
            take(metrics.horizontalAdvance(what.capsule) + 2 * capsulePaddingX, metrics.height() + 2 * capsulePaddingY);
    }
    if (!what.text.isEmpty())
        layout.text = take(tabular::width(textFont(), what.text), card.height());
    layout.left = right + spacing;
    return layout;
}

void MenuCardView::paintShadow(QPainter& painter) const
{
    if (m_hover <= 0 || !isVisible())
        return;
    const QRectF card = cardRect().translated(pos());
    const QPointF centre = card.center();
    const qreal s = scale();
    const QRectF drawn(centre.x() - card.width() * s / 2, centre.y() - card.height() * s / 2, card.width() * s,
                       card.height() * s);
    progresscard::paintDropShadow(painter, drawn, withOpacity(Qt::black, m_look.shadowOpacity * m_hover),
                                  m_look.shadowRadius, m_look.shadowOffset);
}

void MenuCardView::updateShadowArea()
{
    if (!parentWidget())
        return;
    const QRectF card = cardRect().translated(pos());
    // Grown by the hover's scale too.
    const QMarginsF reach = progresscard::shadowReach(m_look.shadowRadius, m_look.shadowOffset) + QMarginsF(3, 1, 3, 1);
    parentWidget()->update(card.marginsAdded(reach).toAlignedRect());
}

void MenuCardView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    contentChanged();
    if (m_appeared)
        return;
    // A card that appears shows its fraction at once; only later changes move.
    m_appeared = true;
    m_fill.setValue(remainingFraction());
}

void MenuCardView::resizeEvent(QResizeEvent* /*event*/)
{
    contentChanged();
}

void MenuCardView::setHovering(bool hovering)
{
    const qreal target = hovering ? 1 : 0;
    m_hoverMotion.stop();
    if (!SpringAnimation::motionEnabled()) {
        setHover(target);
        return;
    }
    m_hoverMotion.setStartValue(m_hover);
    m_hoverMotion.setEndValue(target);
    m_hoverMotion.start();
}

void MenuCardView::setHover(qreal hover)
{
    updateShadowArea();
    m_hover = hover;
    updateShadowArea();
    update();
}

void MenuCardView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF card = cardRect();
    const qreal s = scale();
    painter.translate(card.center());
    painter.scale(s, s);
    painter.translate(-card.center());

    const Scheme scheme = m_appearance.scheme();
    const QColor primary = roleColor(ColorRole::Primary, scheme);
    const QPainterPath shape = progresscard::continuousRoundedRect(card, progresscard::cornerRadius);
    painter.fillPath(shape, withOpacity(primary, lerp(m_look.track, m_look.hoverTrack, m_hover)));

    painter.save();
    painter.setClipPath(shape, Qt::IntersectClip);
    // The fill shows the share left while time left is shown, the share used otherwise.
    const qreal drawn = std::clamp(m_fill.value(), 0.0, 1.0);
    const qreal fraction = m_today.showsTimeRemaining() ? drawn : 1 - drawn;
    progresscard::paintFill(painter, card, fraction, namedColor(m_look.fill, scheme), fadeStop);
    painter.restore();

    const qreal gloss = scheme.dark ? lerp(m_look.glossDark, m_look.hoverGlossDark, m_hover)
                                    : lerp(m_look.glossLight, m_look.hoverGlossLight, m_hover);
    progresscard::paintGloss(painter, card, gloss);
    progresscard::paintBorder(painter, card, 1, outlineColor(m_look.outline, scheme));

    progresscard::paintWithShadow(painter, card, progresscard::contentShadow(scheme.dark),
                                  [&](QPainter& content) { paintContent(content, card); });
}

void MenuCardView::paintContent(QPainter& painter, const QRectF& card) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF line = card.adjusted(padding, 0, -padding, 0);
    const qreal middle = line.center().y();
    const Scheme scheme = m_appearance.scheme();
    const QColor primary = roleColor(ColorRole::Primary, scheme);

    const qreal lead = leadingWidth();
    paintLeadingItem(painter, QRectF(line.left(), middle - lead / 2, lead, lead));

    const Trailing what = trailing();
    const TrailingLayout layout = trailingLayout();
    const QFont font = textFont();
    painter.setFont(font);
    painter.setPen(primary);
    if (!layout.text.isEmpty())
        tabular::draw(painter, layout.text, Qt::AlignVCenter | Qt::AlignRight, what.text);

    if (!layout.capsule.isEmpty()) {
        const QRectF capsule = layout.capsule;
        const qreal radius = capsule.height() / 2;
        const QPainterPath shape = progresscard::continuousRoundedRect(capsule, radius);
        painter.fillPath(shape, withOpacity(primary, m_extend->isDown() ? 0.2 : 0.1));
        const qreal inset = 0.75 / 2;
        painter.setPen(QPen(withOpacity(primary, 0.18), 0.75));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(
            progresscard::continuousRoundedRect(capsule.adjusted(inset, inset, -inset, -inset), radius - inset));
        painter.setFont(capsuleFont());
        painter.setPen(primary);
        painter.drawText(capsule, Qt::AlignCenter, what.capsule);
        if (showsFocusRing(m_extend))
            paintFocusRing(painter, capsule.adjusted(-2, -2, 2, 2), radius + 2, scheme, primary);
    }

    if (!layout.dot.isEmpty()) {
        const QColor color = namedColor(what.dot == Dot::Red ? NamedColor::NeonRed : NamedColor::NeonOrange, scheme);
        const qreal grow = m_look.dotFollowsHover ? lerp(1, hoverDotScale, m_hover) : 1;
        painter.save();
        if (m_look.dotFollowsHover)
            painter.setOpacity(lerp(0.9, 1, m_hover));
        FennDot::paint(painter, layout.dot.center(), color, dotSize * grow, true, scheme);
        painter.restore();
    }

    if (!layout.button.isEmpty()) {
        const QColor symbol = m_reset->isDown() ? withOpacity(primary, 0.5) : primary;
        SymbolPainter::paint(painter, Symbol::ArrowCounterclockwise, layout.button.center(), resetSymbolSize,
                             QFont::Medium, symbol);
        if (showsFocusRing(m_reset))
            paintFocusRing(painter, layout.button.adjusted(-2, -2, 2, 2), 5, scheme, primary);
    }

    const qreal titleLeft = line.left() + lead + spacing;
    const qreal titleWidth = std::max(0.0, layout.left - spacing - titleLeft);
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    painter.setPen(primary);
    painter.drawText(QRectF(titleLeft, line.top(), titleWidth, line.height()), Qt::AlignVCenter | Qt::AlignLeft,
                     metrics.elidedText(title(), Qt::ElideRight, titleWidth));
}

} // namespace brindlemoor
