// SPDX-License-Identifier: MIT
#include "views/components/Symbol.h"

#include <array>
#include <utility>

namespace brindlemoor {

namespace {

constexpr std::array<std::pair<Symbol, QStringView>, 21> kNames{{
    {Symbol::AppBadgeFill, u"app.badge.fill"},
    {Symbol::ArrowCounterclockwise, u"arrow.counterclockwise"},
    {Symbol::ChartBar, u"chart.bar"},
    {Symbol::ChartLineDowntrendXYAxis, u"chart.line.downtrend.xyaxis"},
    {Symbol::ChartLineUptrendXYAxis, u"chart.line.uptrend.xyaxis"},
    {Symbol::Clock, u"clock"},
    {Symbol::Eye, u"eye"},
    {Symbol::Gearshape, u"gearshape"},
    {Symbol::InfoCircle, u"info.circle"},
    {Symbol::LeafFill, u"leaf.fill"},
    {Symbol::LockShield, u"lock.shield"},
    {Symbol::Minus, u"minus"},
    {Symbol::MoonFill, u"moon.fill"},
    {Symbol::PauseCircle, u"pause.circle"},
    {Symbol::PlayCircle, u"play.circle"},
    {Symbol::Plus, u"plus"},
    {Symbol::Sparkles, u"sparkles"},
    {Symbol::SunHazeFill, u"sun.haze.fill"},
    {Symbol::SunMaxFill, u"sun.max.fill"},
    {Symbol::Timer, u"timer"},
    {Symbol::Xmark, u"xmark"},
}};

} // namespace

QString symbolName(Symbol symbol)
{
    for (const auto& [each, name] : kNames) {
        if (each == symbol)
            return name.toString();
    }
    return {};
}

std::optional<Symbol> symbolFromName(QStringView name)
{
    for (const auto& [symbol, each] : kNames) {
        if (each == name)
            return symbol;
    }
    return std::nullopt;
}

QList<Symbol> allSymbols()
{
    QList<Symbol> symbols;
    for (const auto& entry : kNames)
        symbols.append(entry.first);
    return symbols;
}

} // namespace brindlemoor
