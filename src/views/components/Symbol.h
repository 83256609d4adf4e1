// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace brindlemoor {

/// Every symbol the program shows. The program draws them itself (SymbolPainter), so
/// they look the same whatever icon theme the desktop uses.
enum class Symbol {
    AppBadgeFill,
    ArrowCounterclockwise,
    ChartBar,
    ChartLineDowntrendXYAxis,
    ChartLineUptrendXYAxis,
    Clock,
    Eye,
    Gearshape,
    InfoCircle,
    LeafFill,
    LockShield,
    Minus,
    MoonFill,
    PauseCircle,
    PlayCircle,
    Plus,
    Sparkles,
    SunHazeFill,
    SunMaxFill,
    Timer,
    Xmark,
};

/// The symbol's name as records and views spell it, e.g. "chart.line.downtrend.xyaxis".
QString symbolName(Symbol symbol);
/// The symbol called `name`, or none for a name the program does not draw.
std::optional<Symbol> symbolFromName(QStringView name);
/// Every symbol, in declaration order.
QList<Symbol> allSymbols();

} // namespace brindlemoor
