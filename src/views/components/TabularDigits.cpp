// SPDX-License-Identifier: MIT
#include "views/components/TabularDigits.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace brindlemoor::tabular {

namespace {

struct DigitWidths {
    qreal narrowest = 0;
    qreal widest = 0;
    bool uniform() const { return widest - narrowest < 0.01; }
};

DigitWidths digitWidths(const QFontMetricsF& metrics)
{
    DigitWidths widths{metrics.horizontalAdvance(QLatin1Char('0')), 0};
    for (char digit = '0'; digit <= '9'; ++digit) {
        const qreal advance = metrics.horizontalAdvance(QLatin1Char(digit));
        widths.narrowest = std::min(widths.narrowest, advance);
        widths.widest = std::max(widths.widest, advance);
    }
    return widths;
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

/// Calls `piece(text, left, cellWidth)` for each run of non-digits and each digit; returns the width.
template <typename Piece> qreal walk(const QFontMetricsF& metrics, qreal cell, const QString& text, Piece piece)
{
    qreal x = 0;
    qsizetype start = 0;
    while (start < text.size()) {
        if (isDigit(text.at(start))) {
            piece(text.mid(start, 1), x, cell);
            x += cell;
            ++start;
            continue;
        }
        qsizetype end = start;
        while (end < text.size() && !isDigit(text.at(end)))
            ++end;
        const QString run = text.mid(start, end - start);
        const qreal advance = metrics.horizontalAdvance(run);
        piece(run, x, advance);
        x += advance;
        start = end;
    }
    return x;
}

} // namespace

qreal width(const QFont& font, const QString& text)
{
    const QFontMetricsF metrics(font);
    const DigitWidths digits = digitWidths(metrics);
    if (digits.uniform())
        return metrics.horizontalAdvance(text);
    return walk(metrics, digits.widest, text, [](const QString&, qreal, qreal) {});
}

void draw(QPainter& painter, const QRectF& rect, int flags, const QString& text)
{
    const QFontMetricsF metrics(painter.font());
    const DigitWidths digits = digitWidths(metrics);
    if (digits.uniform()) {
        painter.drawText(rect, flags, text);
        return;
    }
    const qreal total = walk(metrics, digits.widest, text, [](const QString&, qreal, qreal) {});
    qreal left = rect.left();
    if (flags & Qt::AlignRight)
        left = rect.right() - total;
    else if (flags & Qt::AlignHCenter)
        left = rect.center().x() - total / 2;
    const int vertical = flags & Qt::AlignVertical_Mask;
    walk(metrics, digits.widest, text, [&](const QString& piece, qreal x, qreal cellWidth) {
        painter.drawText(QRectF(left + x, rect.top(), cellWidth, rect.height()), vertical | Qt::AlignHCenter, piece);
    });
}

} // namespace brindlemoor::tabular
