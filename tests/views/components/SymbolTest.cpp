// SPDX-License-Identifier: MIT
#include "views/components/SymbolPainter.h"

#include <gtest/gtest.h>

using namespace brindlemoor;

// The names come from stored records and other views, so each must find a symbol that draws
// something filling its box without spilling over.
TEST(Symbol, EveryNameTheProgramUsesDrawsWithinItsBox)
{
    const char* names[] = {"app.badge.fill",
                           "arrow.counterclockwise",
                           "chart.line.downtrend.xyaxis",
                           "chart.line.uptrend.xyaxis",
                           "clock",
                           "eye",
                           "gearshape",
                           "info.circle",
                           "leaf.fill",
                           "lock.shield",
                           "minus",
                           "moon.fill",
                           "pause.circle",
                           "play.circle",
                           "plus",
                           "sparkles",
                           "sun.haze.fill",
                           "sun.max.fill",
                           "timer",
                           "xmark"};
    const QRectF box(10, 20, 30, 30);
    for (const char* name : names) {
        SCOPED_TRACE(name);
        const auto symbol = symbolFromName(QString::fromLatin1(name));
        ASSERT_TRUE(symbol);
        EXPECT_EQ(symbolName(*symbol), QLatin1String(name));
        for (const QFont::Weight weight : {QFont::Normal, QFont::Bold}) {
            const QRectF bounds = SymbolPainter::outline(*symbol, box, weight).boundingRect();
            EXPECT_TRUE(box.contains(bounds));
            EXPECT_GE(std::max(bounds.width(), bounds.height()), box.width() * 0.5);
        }
    }
    EXPECT_EQ(allSymbols().size(), std::size(names));
    EXPECT_FALSE(symbolFromName(u"gear"));
}
