// SPDX-License-Identifier: MIT
#include "views/insights/ReflectionCard.h"

#include "views/components/Appearance.h"
#include "views/components/Fonts.h"
#include "views/components/NamedColors.h"
#include "views/components/SymbolPainter.h"

#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace brindlemoor {

namespace {

constexpr qreal kPadding = 10;
constexpr qreal kIconColumn = 16;
constexpr qreal kIconSpacing = 8;
constexpr qreal kIconPoints = 11;
constexpr qreal kIconTop = 1;
constexpr qreal kTitleSpacing = 2;
constexpr qreal kBodyLineSpacing = 1.5;
constexpr qreal kRadius = 8;
constexpr qreal kTextLeft = kPadding + kIconColumn + kIconSpacing;

QFont titleFont()
{
    return fonts::system(12, QFont::DemiBold);
}

QFont bodyFont()
{
    return fonts::system(11);
}

/// Breaks `layout`'s text into lines of `width`, `spacing` apart beyond the font's own
/// line height, starting at `top`; returns where the last line ends.
qreal layOut(QTextLayout& layout, qreal width, qreal top, qreal spacing)
{
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = top;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (y > top)
            y += spacing;
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    return y;
}

QColor accentColor(InsightAccent accent, Scheme scheme)
{
    switch (accent) {
    case InsightAccent::NeonRed:
        return namedColor(NamedColor::NeonRed, scheme);
    case InsightAccent::NeonOrange:
        return namedColor(NamedColor::NeonOrange, scheme);
    case InsightAccent::Teal:
        break;
    }
    // The same teal in light and dark.
    return QColor::fromRgbF(0.2f, 0.78f, 0.74f);
}

} // namespace

ReflectionCard::ReflectionCard(const Appearance& appearance, const Insight& insight, QWidget* parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_insight(insight)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setAccessibleName(insight.title);
    setAccessibleDescription(insight.body);
    connect(&m_appearance, &Appearance::changed, this, qOverload<>(&QWidget::update));
}

void ReflectionCard::setInsight(const Insight& insight)
{
    if (m_insight == insight)
        return;
    m_insight = insight;
    setAccessibleName(insight.title);
    setAccessibleDescription(insight.body);
    updateGeometry();
    update();
}

void ReflectionCard::setOpacity(qreal opacity)
{
    opacity = std::clamp(opacity, 0.0, 1.0);
    if (opacity == m_opacity)
        return;
    m_opacity = opacity;
    update();
}

QColor ReflectionCard::iconColor() const
{
    const Scheme scheme = m_appearance.scheme();
    return m_insight.accent ? accentColor(*m_insight.accent, scheme) : roleColor(ColorRole::Secondary, scheme);
}

int ReflectionCard::heightForWidth(int width) const
{
    const qreal textWidth = std::max<qreal>(1, width - kTextLeft - kPadding);
    QTextLayout title(m_insight.title, titleFont());
    QTextLayout body(m_insight.body, bodyFont());
    const qreal textBottom = layOut(body, textWidth, layOut(title, textWidth, 0, 0) + kTitleSpacing, kBodyLineSpacing);
    const qreal content = std::max(textBottom, kIconTop + SymbolPainter::side(kIconPoints));
    return static_cast<int>(std::ceil(content + 2 * kPadding));
}

QSize ReflectionCard::sizeHint() const
{
    // The width of the menu popover's column; the panel gives each card the row's width.
    constexpr int columnWidth = 322;
    return {columnWidth, heightForWidth(columnWidth)};
}

void ReflectionCard::paintEvent(QPaintEvent* /*event*/)
{
    if (m_opacity <= 0)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(m_opacity);

    const Scheme scheme = m_appearance.scheme();
    const QColor primary = roleColor(ColorRole::Primary, scheme);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), kRadius, kRadius);
    painter.fillPath(shape, withOpacity(primary, scheme.dark ? 0.06 : 0.035));
    QPainterPath edge;
    edge.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), kRadius - 0.5, kRadius - 0.5);
    painter.strokePath(edge, QPen(withOpacity(primary, 0.07), 1));

    if (const auto symbol = symbolFromName(m_insight.icon)) {
        const qreal side = SymbolPainter::side(kIconPoints);
        const QRectF box(kPadding + (kIconColumn - side) / 2, kPadding + kIconTop, side, side);
        SymbolPainter::paint(painter, *symbol, box, QFont::Medium, iconColor());
    }

    const qreal textWidth = std::max<qreal>(1, width() - kTextLeft - kPadding);
    QTextLayout title(m_insight.title, titleFont());
    QTextLayout body(m_insight.body, bodyFont());
    layOut(body, textWidth, layOut(title, textWidth, 0, 0) + kTitleSpacing, kBodyLineSpacing);
    painter.setPen(primary);
    title.draw(&painter, QPointF(kTextLeft, kPadding));
    painter.setPen(roleColor(ColorRole::Secondary, scheme));
    body.draw(&painter, QPointF(kTextLeft, kPadding));
}

} // namespace brindlemoor
