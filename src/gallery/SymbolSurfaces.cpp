// SPDX-License-Identifier: MIT
// Every symbol at the sizes the views use, light and dark, at device pixel ratios 1 and 2,
// and once large, to judge the shapes.
#include "gallery/Gallery.h"

#include "views/components/NamedColors.h"
#include "views/components/SymbolPainter.h"

#include <QPainter>

namespace brindlemoor::gallery {

namespace {

struct Size {
    qreal points;
    QFont::Weight weight;
    const char* label;
};

// The sizes the views draw symbols at.
constexpr Size kSizes[] = {{5, QFont::Bold, "5 bold"},           {11, QFont::Normal, "11"},
                           {11, QFont::Medium, "11 medium"},     {12, QFont::Medium, "12 medium"},
                           {14, QFont::DemiBold, "14 semibold"}, {15, QFont::Normal, "15"},
                           {15, QFont::DemiBold, "15 semibold"}};
constexpr int kLabelWidth = 230;
constexpr int kCell = 30;
constexpr int kRow = 30;
constexpr int kHeader = 28;

QFont labelFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    return font;
}

// One row per symbol, one column per size, at real size: what a person sees on screen.
QImage sizesSheet(bool dark, qreal ratio)
{
    const QList<Symbol> symbols = allSymbols();
    const int columns = static_cast<int>(std::size(kSizes));
    const QSize size(kLabelWidth + columns * (kCell + 40), kHeader + static_cast<int>(symbols.size()) * kRow);
    QImage sheet(size * ratio, QImage::Format_ARGB32_Premultiplied);
    sheet.setDevicePixelRatio(ratio);
    const ColorPair background = colorPair(ColorRole::PopoverBackground, false);
    const ColorPair primary = colorPair(ColorRole::Primary, false);
    const ColorPair secondary = colorPair(ColorRole::Secondary, false);
    sheet.fill(dark ? background.dark : background.light);
    QPainter painter(&sheet);
    painter.setFont(labelFont());
    painter.setPen(dark ? secondary.dark : secondary.light);
    for (int c = 0; c < columns; ++c) {
        painter.drawText(QRect(kLabelWidth + c * (kCell + 40), 0, kCell + 40, kHeader), Qt::AlignCenter,
                         QString::fromLatin1(kSizes[c].label));
    }
    for (int r = 0; r < symbols.size(); ++r) {
        const int top = kHeader + r * kRow;
        painter.setPen(dark ? secondary.dark : secondary.light);
        painter.drawText(QRect(8, top, kLabelWidth - 8, kRow), Qt::AlignVCenter, symbolName(symbols[r]));
        for (int c = 0; c < columns; ++c) {
            const QPointF centre(kLabelWidth + c * (kCell + 40) + (kCell + 40) / 2.0, top + kRow / 2.0);
            SymbolPainter::paint(painter, symbols[r], centre, kSizes[c].points, kSizes[c].weight,
                                 dark ? primary.dark : primary.light);
        }
    }
    return sheet;
}

// Every symbol at 48 points with its grid's square, in the named colours used for accents.
QImage largeSheet()
{
    const QList<Symbol> symbols = allSymbols();
    constexpr int cell = 96;
    constexpr int perRow = 5;
    const int rows = (static_cast<int>(symbols.size()) + perRow - 1) / perRow;
    QImage sheet(2 * perRow * cell, rows * (cell + 20), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&sheet);
    painter.setFont(labelFont());
    for (int half = 0; half < 2; ++half) {
        const bool dark = half == 1;
        painter.fillRect(QRect(half * perRow * cell, 0, perRow * cell, sheet.height()),
                         dark ? QColor(0x24, 0x24, 0x24) : QColor(0xf4, 0xf4, 0xf4));
        for (int i = 0; i < symbols.size(); ++i) {
            const QRectF slot(half * perRow * cell + (i % perRow) * cell, (i / perRow) * (cell + 20), cell, cell);
            const QRectF box = SymbolPainter::box(slot.center(), 48);
            painter.setPen(QPen(dark ? QColor(0x40, 0x40, 0x40) : QColor(0xdd, 0xdd, 0xdd), 1));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(box);
            SymbolPainter::paint(painter, symbols[i], box, QFont::Normal,
                                 dark ? QColor(0xee, 0xee, 0xee) : QColor(0x22, 0x22, 0x22));
            painter.setPen(dark ? QColor(0xaa, 0xaa, 0xaa) : QColor(0x55, 0x55, 0x55));
            painter.drawText(QRectF(slot.left(), slot.bottom() - 6, cell, 24), Qt::AlignCenter, symbolName(symbols[i]));
        }
    }
    return sheet;
}

} // namespace

void renderSymbolSurfaces(Gallery& gallery)
{
    gallery.save(QStringLiteral("symbols-large"), largeSheet());
    for (const bool dark : {false, true}) {
        for (const qreal ratio : {1.0, 2.0}) {
            gallery.save(QStringLiteral("symbols-%1-%2x").arg(dark ? u"dark" : u"light").arg(ratio),
                         sizesSheet(dark, ratio));
        }
    }
}

} // namespace brindlemoor::gallery
