// SPDX-License-Identifier: MIT
#include "bench/HeadlessProgram.h"

namespace brindlemoor::bench {

HeadlessProgram::HeadlessProgram(const QString& storePath, const QDateTime& start)
    : clock(start)
    , scheduler(clock)
    , disk(storePath)
    , defaults(disk)
    , prefs(defaults)
{
}

// The controller points into the usage store.
HeadlessProgram::~HeadlessProgram()
{
    controller.reset();
    today.reset();
    usage.reset();
}

void HeadlessProgram::finishLaunching()
{
    usage = std::make_unique<UsageStore>(defaults, clock);
    today = std::make_unique<TodayModel>(prefs, *usage);
    controller = std::make_unique<TrackingController>(
        *today, prefs, *usage,
        TrackingServices{clock, scheduler, activeApps, idleTime, lockSignals, indicator, overlay, sound, haptics});
}

} // namespace brindlemoor::bench
