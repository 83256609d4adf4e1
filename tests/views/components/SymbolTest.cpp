// SPDX-License-Identifier: MIT
#include "views/components/SymbolPainter.h"

#include <gtest/gtest.h>

using namespace brindlemoor;

// The names come from stored records and other views, so each must lead back to its symbol,
// which draws something filling its box without spilling over.
TEST(Symbol, EverySymbolIsFoundByItsNameAndDrawsWithinItsBox)
{
    const QRectF box(10, 20, 30, 30);
    for (const Symbol symbol : allSymbols()) {
        const QString name = symbolName(symbol);
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(symbolFromName(name), symbol);
        for (const QFont::Weight weight : {QFont::Normal, QFont::Bold}) {
            const QRectF bounds = SymbolPainter::outline(symbol, box, weight).boundingRect();
            EXPECT_TRUE(box.contains(bounds));
            EXPECT_GE(std::max(bounds.width(), bounds.height()), box.width() * 0.5);
        }
    }
    EXPECT_FALSE(symbolFromName(u"gear"));
}
