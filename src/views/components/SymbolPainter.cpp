// SPDX-License-Identifier: MIT
#include "views/components/SymbolPainter.h"

#include "views/status/OverlayBackdrop.h"

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPainterPathStroker>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <utility>

namespace brindlemoor {

namespace {

constexpr qreal kGrid = 24;
// Boolean path operations flatten curves at a fixed tolerance, so glyphs are built at
// ten times the grid and only then scaled to their box: no facets show even at 2x.
constexpr qreal kBuildScale = 10;
// A symbol's square per point of type: like a glyph's em box with a little air.
constexpr qreal kSidePerPoint = 1.25;

/// Collects a glyph's parts in grid units and merges them into one filled outline.
class Glyph {
public:
    explicit Glyph(qreal stroke)
        : m_stroke(stroke)
    {
        m_shape.setFillRule(Qt::WindingFill);
    }

    qreal stroke() const { return m_stroke; }

    void fill(const QPainterPath& path) { m_shape = m_shape.united(built(path)); }
    void cut(const QPainterPath& path) { m_shape = m_shape.subtracted(built(path)); }
    void draw(const QPainterPath& path, qreal width = 0) { m_shape = m_shape.united(stroked(path, width)); }
    void cutLine(QPointF from, QPointF to, qreal width)
    {
        m_shape = m_shape.subtracted(stroked(linePath(from, to), width));
    }
    void line(QPointF from, QPointF to, qreal width = 0) { draw(linePath(from, to), width); }
    void circle(QPointF centre, qreal radius) { draw(discPath(centre, radius)); }
    void disc(QPointF centre, qreal radius) { fill(discPath(centre, radius)); }

    static QPainterPath linePath(QPointF from, QPointF to)
    {
        QPainterPath path(from);
        path.lineTo(to);
        return path;
    }
    static QPainterPath discPath(QPointF centre, qreal radius)
    {
        QPainterPath path;
        path.addEllipse(centre, radius, radius);
        return path;
    }
    static QPainterPath polyline(std::initializer_list<QPointF> points, bool closed = false)
    {
        QPainterPath path;
        for (const QPointF& point : points) {
            if (path.elementCount() == 0)
                path.moveTo(point);
            else
                path.lineTo(point);
        }
        if (closed)
            path.closeSubpath();
        return path;
    }

    QPainterPath shape() const { return m_shape; }

private:
    static QPainterPath built(const QPainterPath& path)
    {
        return QTransform::fromScale(kBuildScale, kBuildScale).map(path);
    }
    QPainterPath stroked(const QPainterPath& path, qreal width) const
    {
        QPainterPathStroker stroker;
        stroker.setWidth((width > 0 ? width : m_stroke) * kBuildScale);
        stroker.setCapStyle(Qt::RoundCap);
        stroker.setJoinStyle(Qt::RoundJoin);
        return stroker.createStroke(built(path));
    }

    qreal m_stroke;
    QPainterPath m_shape;
};

// A four-pointed sparkle whose sides curve inwards.
QPainterPath sparkle(QPointF centre, qreal radius)
{
    const qreal pinch = radius * 0.16;
    const qreal x = centre.x();
    const qreal y = centre.y();
    QPainterPath path(QPointF(x, y - radius));
    path.quadTo(x + pinch, y - pinch, x + radius, y);
    path.quadTo(x + pinch, y + pinch, x, y + radius);
    path.quadTo(x - pinch, y + pinch, x - radius, y);
    path.quadTo(x - pinch, y - pinch, x, y - radius);
    path.closeSubpath();
    return path;
}

// A point on a circle, at `degrees` anticlockwise from three o'clock as the eye sees it.
QPointF onCircle(QPointF centre, qreal radius, qreal degrees)
{
    const qreal radians = qDegreesToRadians(degrees);
    return centre + QPointF(radius * std::cos(radians), -radius * std::sin(radians));
}

void rays(Glyph& glyph, QPointF centre, qreal inner, qreal outer, std::initializer_list<qreal> angles)
{
    for (const qreal angle : angles)
        glyph.line(onCircle(centre, inner, angle), onCircle(centre, outer, angle));
}

QPainterPath arc(QPointF centre, qreal radius, qreal startDegrees, qreal sweepDegrees)
{
    const QRectF bounds(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QPainterPath path;
    path.arcMoveTo(bounds, startDegrees);
    path.arcTo(bounds, startDegrees, sweepDegrees);
    return path;
}

void buildGlyph(Glyph& g, Symbol symbol)
{
    const qreal w = g.stroke();
    const QPointF mid(12, 12);
    switch (symbol) {
    case Symbol::Plus:
        g.line({12, 5}, {12, 19});
        g.line({5, 12}, {19, 12});
        break;
    case Symbol::Minus:
        g.line({5, 12}, {19, 12});
        break;
    case Symbol::Xmark:
        g.line({6.5, 6.5}, {17.5, 17.5});
        g.line({17.5, 6.5}, {6.5, 17.5});
        break;
    case Symbol::Clock:
        g.circle(mid, 9.5);
        g.draw(Glyph::polyline({{12, 6.5}, {12, 12}, {15.5, 14.25}}));
        break;
    case Symbol::InfoCircle:
        g.circle(mid, 9.5);
        g.line({12, 11}, {12, 16.75});
        g.disc({12, 7.6}, w * 0.68);
        break;
    case Symbol::PauseCircle:
        g.circle(mid, 9.5);
        g.line({9.6, 8.6}, {9.6, 15.4}, w * 1.1);
        g.line({14.4, 8.6}, {14.4, 15.4}, w * 1.1);
        break;
    case Symbol::PlayCircle: {
        g.circle(mid, 9.5);
        const QPainterPath triangle = Glyph::polyline({{10.1, 8.3}, {16.1, 12}, {10.1, 15.7}}, true);
        g.fill(triangle);
        g.draw(triangle, w * 0.6); // rounds the corners
        break;
    }
    case Symbol::Eye: {
        QPainterPath almond(QPointF(2.25, 12));
        almond.cubicTo(4.75, 7.25, 8.25, 5, 12, 5);
        almond.cubicTo(15.75, 5, 19.25, 7.25, 21.75, 12);
        almond.cubicTo(19.25, 16.75, 15.75, 19, 12, 19);
        almond.cubicTo(8.25, 19, 4.75, 16.75, 2.25, 12);
        almond.closeSubpath();
        g.draw(almond);
        g.disc(mid, 3.4);
        break;
    }
    case Symbol::Gearshape: {
        // Eight solid teeth on a ring about a stroke wide; line-weight gears blur into a blot when small.
        constexpr int teeth = 8;
        constexpr qreal tip = 10.5;
        constexpr qreal root = 8.25;
        QPainterPath outline;
        for (int i = 0; i < teeth; ++i) {
            const qreal a = 90.0 + i * 360.0 / teeth;
            for (const QPointF& point : {onCircle(mid, root, a + 13), onCircle(mid, tip, a + 8),
                                         onCircle(mid, tip, a - 8), onCircle(mid, root, a - 13)}) {
                if (outline.elementCount() == 0)
                    outline.moveTo(point);
                else
                    outline.lineTo(point);
            }
        }
        outline.closeSubpath();
        g.fill(outline);
        g.draw(outline, w * 0.5); // rounds the teeth
        g.cut(Glyph::discPath(mid, root - 1.5 * w));
        g.disc(mid, 2.4 + w / 2 - 1.75 / 2); // the hub, a stroke's width from the ring
        break;
    }
    case Symbol::LockShield: {
        QPainterPath shield(QPointF(12, 2.5));
        shield.cubicTo(14.6, 4.3, 17.4, 5.1, 20, 5.2);
        shield.lineTo(20, 11);
        shield.cubicTo(20, 16, 16.6, 19.6, 12, 21.5);
        shield.cubicTo(7.4, 19.6, 4, 16, 4, 11);
        shield.lineTo(4, 5.2);
        shield.cubicTo(6.6, 5.1, 9.4, 4.3, 12, 2.5);
        shield.closeSubpath();
        g.draw(shield);
        QPainterPath body;
        body.addRoundedRect(QRectF(8.4, 11, 7.2, 5.6), 1.2, 1.2);
        g.fill(body);
        QPainterPath shackle(QPointF(10, 11.5));
        shackle.lineTo(10, 9.6);
        shackle.arcTo(QRectF(10, 7.6, 4, 4), 180, -180);
        shackle.lineTo(14, 11.5);
        g.draw(shackle, w * 0.8);
        break;
    }
    case Symbol::AppBadgeFill: {
        QPainterPath tile;
        tile.addRoundedRect(QRectF(3, 5.5, 15.5, 15.5), 4.2, 4.2);
        g.fill(tile);
        const QPointF badge(18.25, 5.75);
        g.cut(Glyph::discPath(badge, 5.4));
        g.disc(badge, 3.6);
        break;
    }
    case Symbol::ArrowCounterclockwise: {
        // Round from the upper left, anticlockwise, to the head at the top pointing left.
        const QPointF centre(12, 13.25);
        constexpr qreal radius = 8;
        constexpr qreal start = 150;
        constexpr qreal end = 101;
        g.draw(arc(centre, radius, start, 360 - (start - end)));
        const qreal a = qDegreesToRadians(end);
        const QPointF tangent(-std::sin(a), -std::cos(a)); // anticlockwise on screen
        const QPointF normal(std::cos(a), -std::sin(a));
        const QPointF head = onCircle(centre, radius, end);
        const qreal size = 2.4 + w * 0.6;
        const QPainterPath triangle =
            Glyph::polyline({head + tangent * size, head - tangent * (size * 0.55) + normal * size,
                             head - tangent * (size * 0.55) - normal * size},
                            true);
        g.fill(triangle);
        g.draw(triangle, w * 0.5);
        break;
    }
    case Symbol::ChartBar:
        // Three rounded bars on a common floor, the middle one tallest.
        for (const auto& [x, top] : {std::pair{5.5, 12.5}, std::pair{12.0, 4.5}, std::pair{18.5, 9.0}}) {
            QPainterPath bar;
            bar.addRoundedRect(QRectF(x - 2.6, top, 5.2, 20.5 - top), 1.3, 1.3);
            g.fill(bar);
        }
        break;
    case Symbol::ChartLineDowntrendXYAxis:
    case Symbol::ChartLineUptrendXYAxis: {
        g.draw(Glyph::polyline({{3.5, 3.5}, {3.5, 20.5}, {20.5, 20.5}}));
        if (symbol == Symbol::ChartLineDowntrendXYAxis)
            g.draw(Glyph::polyline({{7.5, 7.5}, {11, 12}, {14.25, 10}, {19.5, 16}}));
        else
            g.draw(Glyph::polyline({{7.5, 16}, {11, 11.5}, {14.25, 13.5}, {19.5, 7.5}}));
        break;
    }
    case Symbol::LeafFill: {
        QPainterPath leaf(QPointF(5, 19));
        leaf.cubicTo(3.6, 10.6, 9.6, 3.8, 20.75, 3.25);
        leaf.cubicTo(21.2, 14.4, 14.2, 20.6, 5, 19);
        leaf.closeSubpath();
        g.fill(leaf);
        g.cutLine({8, 16}, {15.5, 8.5}, std::max(1.2, w * 0.7));
        g.line({2.75, 21.25}, {8, 16}, w);
        break;
    }
    case Symbol::MoonFill: {
        QPainterPath moon = Glyph::discPath({11, 13}, 9);
        moon = moon.subtracted(Glyph::discPath({16.75, 7.25}, 7.6));
        g.fill(moon);
        break;
    }
    case Symbol::Sparkles:
        g.fill(sparkle({9.75, 14.25}, 8));
        g.fill(sparkle({18.25, 5.5}, 4.1));
        g.fill(sparkle({4.75, 4.5}, 2.6));
        break;
    case Symbol::SunMaxFill:
        g.disc(mid, 4.6);
        rays(g, mid, 7.6, 10, {0, 45, 90, 135, 180, 225, 270, 315});
        break;
    case Symbol::SunHazeFill: {
        const QPointF sun(12, 10.25);
        g.disc(sun, 4);
        rays(g, sun, 6.5, 8.4, {0, 45, 90, 135, 180});
        g.line({3.5, 16.75}, {9.5, 16.75});
        g.line({13, 16.75}, {20.5, 16.75});
        g.line({6, 20.5}, {16.5, 20.5});
        break;
    }
    case Symbol::Timer: {
        const QPointF centre(12, 13);
        g.draw(arc(centre, 8.5, 105, -330)); // open at the top, where the stem stands
        g.line({12, 4.5}, {12, 8});
        g.line(centre, {8.6, 9.6});
        g.disc(centre, w * 0.85);
        break;
    }
    }
}

qreal strokeUnits(QFont::Weight weight, qreal side)
{
    // Regular draws 1.75 units; each step of weight adds a quarter unit, as glyphs thicken.
    const qreal byWeight = std::clamp(1.75 + (static_cast<int>(weight) - 400) / 100.0 * 0.25, 1.25, 3.0);
    // Below about one point a line breaks up into grey dots, so small symbols keep that much.
    return side > 0 ? std::max(byWeight, kGrid / side) : byWeight;
}

const QPainterPath& glyph(Symbol symbol, qreal stroke)
{
    static QHash<quint64, QPainterPath> cache;
    const auto key = (static_cast<quint64>(symbol) << 32) | static_cast<quint64>(std::lround(stroke * 1000));
    auto it = cache.find(key);
    if (it == cache.end()) {
        Glyph builder(stroke);
        buildGlyph(builder, symbol);
        it = cache.insert(key, builder.shape());
    }
    return *it;
}

qreal deviceScale(const QPainter& painter)
{
    const QTransform transform = painter.deviceTransform();
    return std::max<qreal>(1e-3, std::hypot(transform.m11(), transform.m12()));
}

struct Fit {
    QRectF box;
    qreal stroke; // grid units
};

// The box fitted to the device's pixels, when nothing rotates or shears: a whole number
// of pixels, odd or even as the stroke rounds, so that the lines through the middle (plus,
// minus, the info stem) cover whole pixels instead of blurring over two.
Fit fitted(const QPainter& painter, const QRectF& box, QFont::Weight weight)
{
    const qreal units = strokeUnits(weight, box.width());
    const QTransform transform = painter.deviceTransform();
    if (transform.type() > QTransform::TxScale || box.width() <= 0)
        return {box, units};
    const qreal scale = deviceScale(painter);
    const qreal exact = box.width() * scale;
    qreal side = std::max<qreal>(1, std::round(exact));
    const qreal stroke = std::max<qreal>(1, std::round(units * side / kGrid));
    if ((static_cast<int>(side) + static_cast<int>(stroke)) % 2 != 0)
        side += exact > side ? 1 : -1;
    side = std::max<qreal>(1, side);
    const QPointF centre = transform.map(box.center());
    const QPointF corner(std::round(centre.x() - side / 2), std::round(centre.y() - side / 2));
    const QPointF topLeft = transform.inverted().map(corner);
    return {QRectF(topLeft, QSizeF(side / scale, side / scale)), units};
}

QPainterPath placed(const QPainterPath& glyphPath, const QRectF& box)
{
    const qreal scale = box.width() / (kGrid * kBuildScale);
    QTransform transform;
    transform.translate(box.x(), box.y());
    transform.scale(scale, scale);
    return transform.map(glyphPath);
}

} // namespace

qreal SymbolPainter::side(qreal pointSize)
{
    return pointSize * kSidePerPoint;
}

QRectF SymbolPainter::box(const QPointF& centre, qreal pointSize)
{
    const qreal s = side(pointSize);
    return {centre.x() - s / 2, centre.y() - s / 2, s, s};
}

QPainterPath SymbolPainter::outline(Symbol symbol, const QRectF& box, QFont::Weight weight)
{
    return placed(glyph(symbol, strokeUnits(weight, box.width())), box);
}

void SymbolPainter::paint(QPainter& painter, Symbol symbol, const QRectF& box, QFont::Weight weight,
                          const QBrush& brush)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const Fit fit = fitted(painter, box, weight);
    painter.fillPath(placed(glyph(symbol, fit.stroke), fit.box), brush);
    painter.restore();
}

void SymbolPainter::paint(QPainter& painter, Symbol symbol, const QPointF& centre, qreal pointSize,
                          QFont::Weight weight, const QBrush& brush)
{
    paint(painter, symbol, box(centre, pointSize), weight, brush);
}

void SymbolPainter::paintShadow(QPainter& painter, Symbol symbol, const QRectF& box, QFont::Weight weight,
                                const QColor& color, qreal radius)
{
    // A shadow's radius reads as about twice the Gaussian's deviation; three box passes
    // of radius r come to a deviation of about r + 0.5.
    const qreal ratio = deviceScale(painter);
    const int blur = std::max(1, static_cast<int>(std::lround(radius / 2 * ratio - 0.5)));
    const qreal margin = std::ceil(radius * 1.5);
    const QRectF area = box.adjusted(-margin, -margin, margin, margin);
    QImage image((area.size() * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter shape(&image);
        shape.setRenderHint(QPainter::Antialiasing);
        shape.scale(ratio, ratio);
        shape.fillPath(outline(symbol, box.translated(-area.topLeft()), weight), color);
    }
    image = blurImage(image, blur);
    image.setDevicePixelRatio(ratio);
    painter.drawImage(area.topLeft(), image);
}

} // namespace brindlemoor
