// SPDX-License-Identifier: MIT
#include "views/components/WrappedText.h"

#include <QPainter>
#include <QTextLayout>

namespace brindlemoor::wrapped {

namespace {

/// Lays the text out and calls `each` with every line placed at its top.
template <typename Each>
qreal layOut(const QString& text, const QFont& font, qreal width, qreal extraLeading, Qt::Alignment alignment,
             Each each)
{
    QString laid = text;
    laid.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(laid, font);
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    bool first = true;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        if (!first)
            y += extraLeading;
        first = false;
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    each(layout, laid);
    return y;
}

} // namespace

QStringList lines(const QString& text, const QFont& font, qreal width)
{
    QStringList result;
    layOut(text, font, width, 0, Qt::AlignLeft, [&](const QTextLayout& layout, const QString& laid) {
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            result.append(laid.mid(line.textStart(), line.textLength()).trimmed());
        }
    });
    return result;
}

qreal height(const QString& text, const QFont& font, qreal width, qreal extraLeading)
{
    return layOut(text, font, width, extraLeading, Qt::AlignLeft, [](const QTextLayout&, const QString&) {});
}

void paint(QPainter& painter, const QString& text, const QFont& font, const QRectF& box, qreal extraLeading,
           Qt::Alignment alignment, const QColor& color)
{
    layOut(text, font, box.width(), extraLeading, alignment, [&](const QTextLayout& layout, const QString&) {
        painter.save();
        painter.setPen(color);
        layout.draw(&painter, box.topLeft());
        painter.restore();
    });
}

} // namespace brindlemoor::wrapped
