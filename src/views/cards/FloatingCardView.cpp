// SPDX-License-Identifier: MIT
#include "views/cards/FloatingCardView.h"

#include "core/model/TodayModel.h"
#include "views/cards/CardActionButton.h"
#include "views/cards/FloatingWidgetManager.h"
#include "views/cards/WidgetCloseButton.h"
#include "views/components/Appearance.h"
#include "views/components/FennDot.h"
#include "views/components/Fonts.h"
#include "views/components/HoverTracker.h"
#include "views/components/ProgressCard.h"
#include "views/components/SymbolPainter.h"
#include "views/components/TabularDigits.h"
#include "views/status/OverlayEasing.h"

#include <QPainter>

#include <algorithm>

namespace brindlemoor {

namespace {

constexpr Spring emphasisSpring{0.55, 0.62};
constexpr int hoverDuration = 150;
constexpr qreal spacing = 8;
constexpr qreal dotSize = 10;
constexpr int textSize = 12;
constexpr qreal fillOpacity = 0.75;
constexpr qreal dimmedSaturation = 0.8;
constexpr qreal borderWidth = 0.75;
constexpr qreal frontBorderOpacity = 0.18;
constexpr qreal dimmedBorderOpacity = 0.08;
constexpr qreal actionSymbolSize = 11;

qreal lerp(qreal from, qreal to, qreal t)
{
    return from + (to - from) * t;
}

// Moves every pixel towards its own grey; `saturation` 1 leaves the colours as they are.
void desaturate(QImage& image, qreal saturation)
{
    if (saturation >= 1)
        return;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            // Premultiplied channels stay premultiplied under a mix with their own weighted sum.
            const qreal grey = 0.2126 * qRed(pixel) + 0.7152 * qGreen(pixel) + 0.0722 * qBlue(pixel);
            const auto mix = [&](int channel) {
                return std::clamp(qRound(grey + (channel - grey) * saturation), 0, qAlpha(pixel));
            };
            line[x] = qRgba(mix(qRed(pixel)), mix(qGreen(pixel)), mix(qBlue(pixel)), qAlpha(pixel));
        }
    }
}

} // namespace

FloatingCardView::FloatingCardView(const Look& look, const FloatingWidgetContext& context,
                                   const FloatingWidgetManager& manager, QWidget* parent)
    : QWidget(parent)
    , m_look(look)
    , m_context(context)
    , m_manager(manager)
    , m_emphasisMotion(emphasisSpring)
    , m_hoverTracker(new HoverTracker(this))
    , m_action(new CardActionButton(look.actionName, this))
    , m_close(new WidgetCloseButton(context.appearance, this))
{
    setFixedSize(cardWidth, cardHeight);
    m_close->setGeometry(WidgetCloseButton::frameFor(cardWidth));
    m_action->hide();

    connect(&m_fill, &ProgressFillAnimation::valueChanged, this, qOverload<>(&QWidget::update));
    connect(&m_emphasisMotion, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_emphasis = value.toReal();
        update();
    });
    m_hoverMotion.setDuration(hoverDuration);
    m_hoverMotion.setEasingCurve(overlay::easeOut());
    connect(&m_hoverMotion, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { applyHover(value.toReal()); });
    connect(m_hoverTracker, &HoverTracker::hoveringChanged, this, &FloatingCardView::setHovering);
    connect(m_close, &QAbstractButton::clicked, this, &FloatingCardView::closeRequested);
    connect(m_action, &QAbstractButton::clicked, this, [this] { actionTriggered(); });
}

FloatingCardView::~FloatingCardView() = default;

void FloatingCardView::initialize()
{
    connect(&m_context.today, &TodayModel::changed, this, &FloatingCardView::refresh);
    connect(&m_context.appearance, &Appearance::changed, this, qOverload<>(&QWidget::update));
    connect(&m_manager, &FloatingWidgetManager::frontmostBundleIDChanged, this,
            [this](const QString& bundleID) { setFrontmost(isFrontmostFor(bundleID), true); });
    setFrontmost(isFrontmostFor(m_manager.frontmostBundleID()), false);
    m_close->setAccessibleName(tr("Close the %1 widget").arg(title()));
    refresh();
}

QString FloatingCardView::accessibleText() const
{
    return tr("%1, %2").arg(title(), progress().spokenText(NearFrom::At80Percent));
}

QString FloatingCardView::accessibleValue() const
{
    const LimitProgress now = progress();
    return now.limit ? tr("%1 %").arg(now.percentUsed()) : QString();
}

QString FloatingCardView::timeText() const
{
    return progress().appTimeText(m_context.today.showsTimeRemaining());
}

LimitLevel FloatingCardView::level() const
{
    return progress().level(NearFrom::At80Percent);
}

double FloatingCardView::remainingFraction() const
{
    return progress().remainingFraction();
}

qreal FloatingCardView::cardOpacity() const
{
    return std::clamp(lerp(m_look.dimmedOpacity, 1, m_emphasis), 0.0, 1.0);
}

QAbstractButton* FloatingCardView::actionButton() const
{
    return m_action;
}

QAbstractButton* FloatingCardView::closeButton() const
{
    return m_close;
}

void FloatingCardView::refresh()
{
    if (m_appeared)
        m_fill.follow(remainingFraction());
    const bool reached = level() == LimitLevel::Reached;
    if (reached) {
        const QRectF rect = actionRect();
        m_action->setGeometry(rect.toAlignedRect());
    }
    m_action->setVisible(reached);
    update();
}

void FloatingCardView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_appeared)
        return;
    // Each new card grows its fill in from empty.
    m_appeared = true;
    m_fill.appear(remainingFraction());
}

void FloatingCardView::paintEvent(QPaintEvent* /*event*/)
{
    const qreal ratio = devicePixelRatioF();
    QImage card = paintCard(ratio);
    desaturate(card, std::clamp(lerp(dimmedSaturation, 1, m_emphasis), 0.0, 1.0));
    QPainter painter(this);
    painter.setOpacity(cardOpacity());
    painter.drawImage(QPointF(0, 0), card);
}

// The card as one layer: it is dimmed and desaturated as a whole, the way a window is.
QImage FloatingCardView::paintCard(qreal ratio) const
{
    QImage layer(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(ratio);
    layer.fill(Qt::transparent);
    QPainter painter(&layer);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF card(QPointF(0, 0), QSizeF(size()));
    const Scheme scheme = m_context.appearance.scheme();

    painter.save();
    painter.setClipPath(progresscard::continuousRoundedRect(card, progresscard::cornerRadius));
    painter.fillRect(card, roleColor(ColorRole::CardBackground, scheme));
    const qreal drawn = m_fill.value();
    const qreal fraction = m_context.today.showsTimeRemaining() ? drawn : 1 - drawn;
    const QColor fill = namedColor(m_look.fill, scheme);
    progresscard::paintFill(painter, card, fraction, withOpacity(fill, fillOpacity), m_look.fadeStop);
    progresscard::paintGlow(painter, card, fraction, fill);
    progresscard::paintGloss(painter, card, scheme.dark ? 0.06 : 0.22);
    painter.restore();

    progresscard::paintWithShadow(painter, card, progresscard::contentShadow(scheme.dark),
                                  [&](QPainter& content) { paintContent(content, card); });

    const qreal border = std::max(0.0, lerp(dimmedBorderOpacity, frontBorderOpacity, m_emphasis));
    progresscard::paintBorder(painter, card, borderWidth, outlineColor(border, scheme));
    return layer;
}

void FloatingCardView::paintContent(QPainter& painter, const QRectF& card) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF line = card.adjusted(m_look.padding, 0, -m_look.padding, 0);
    const qreal middle = line.center().y();
    const Scheme scheme = m_context.appearance.scheme();
    const QColor primary = roleColor(ColorRole::Primary, scheme);
    const QFont font = fonts::system(textSize, QFont::DemiBold);
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    painter.setPen(primary);

    const qreal lead = leadingWidth();
    paintLeadingItem(painter, QRectF(line.left(), middle - lead / 2, lead, lead));

    // The trailing group, laid out from the trailing edge.
    qreal trailingLeft = line.right();
    const LimitLevel now = level();
    if (now == LimitLevel::Reached) {
        const QRectF action = actionRect();
        const QColor symbol = m_action->isDown() ? withOpacity(primary, 0.5) : primary;
        SymbolPainter::paint(painter, m_look.actionSymbol, action.center(), actionSymbolSize, QFont::Medium, symbol);
        const QPointF dot(action.left() - spacing - dotSize / 2, middle);
        FennDot::paint(painter, dot, namedColor(NamedColor::NeonRed, scheme), dotSize, true, scheme);
        trailingLeft = dot.x() - dotSize / 2;
    } else {
        qreal textRight = line.right();
        if (now == LimitLevel::Near) {
            const QPointF dot(line.right() - dotSize / 2, middle);
            FennDot::paint(painter, dot, namedColor(NamedColor::NeonOrange, scheme), dotSize, true, scheme);
            textRight = dot.x() - dotSize / 2 - spacing;
        }
        const QString text = timeText();
        const qreal width = tabular::width(font, text);
        const QRectF textRect(textRight - width, line.top(), width, line.height());
        painter.setPen(primary);
        tabular::draw(painter, textRect, Qt::AlignVCenter | Qt::AlignRight, text);
        trailingLeft = textRect.left();
    }

    const qreal titleLeft = line.left() + lead + spacing;
    const qreal titleWidth = std::max(0.0, trailingLeft - spacing - titleLeft);
    painter.setPen(primary);
    painter.drawText(QRectF(titleLeft, line.top(), titleWidth, line.height()), Qt::AlignVCenter | Qt::AlignLeft,
                     metrics.elidedText(title(), Qt::ElideRight, titleWidth));
}

QRectF FloatingCardView::actionRect() const
{
    const qreal side = CardActionButton::side;
    return {width() - m_look.padding - side, (height() - side) / 2.0, side, side};
}

void FloatingCardView::setFrontmost(bool frontmost, bool animated)
{
    if (frontmost == m_frontmost && animated)
        return;
    m_frontmost = frontmost;
    const qreal target = frontmost ? 1 : 0;
    if (animated) {
        m_emphasisMotion.animate(m_emphasis, target);
    } else {
        m_emphasisMotion.stop();
        m_emphasis = target;
    }
    update();
}

void FloatingCardView::setHovering(bool hovering)
{
    const qreal target = hovering ? 1 : 0;
    m_hoverMotion.stop();
    if (!SpringAnimation::motionEnabled()) {
        applyHover(target);
        return;
    }
    m_hoverMotion.setStartValue(m_hover);
    m_hoverMotion.setEndValue(target);
    m_hoverMotion.start();
}

void FloatingCardView::applyHover(qreal hover)
{
    m_hover = hover;
    m_close->setReveal(hover);
}

} // namespace brindlemoor
