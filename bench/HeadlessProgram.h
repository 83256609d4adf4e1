// SPDX-License-Identifier: MIT
#pragma once

#include "core/foundation/RetryingKeyValueStore.h"
#include "core/model/PreferencesStore.h"
#include "core/model/TodayModel.h"
#include "core/model/UsageStore.h"
#include "core/status/TrackingController.h"
#include "platform/fake/FakeSources.h"
#include "platform/fake/ManualClock.h"
#include "platform/fake/ManualScheduler.h"
#include "platform/fake/RecordingCues.h"
#include "platform/sqlite/SqliteKeyValueStore.h"

#include <memory>

namespace brindlemoor::bench {

/// The running program without a display: the store on disk and the controller, built in the
/// order the program builds them, with virtual time, scripted platform sources and recorded cues.
/// Fill `defaults` first, then `finishLaunching()`.
struct HeadlessProgram {
    HeadlessProgram(const QString& storePath, const QDateTime& start);
    ~HeadlessProgram();
    HeadlessProgram(const HeadlessProgram&) = delete;
    HeadlessProgram& operator=(const HeadlessProgram&) = delete;

    /// Builds the usage store (which loads today's document) and the controller, which starts counting
    /// the app in `activeApps.frontmost`.
    void finishLaunching();

    ManualClock clock;
    ManualScheduler scheduler;
    FakeActiveAppSource activeApps;
    FakeIdleTimeSource idleTime;
    FakeLockSignalSource lockSignals;
    RecordingIndicator indicator;
    RecordingOverlay overlay;
    CountingSound sound;
    CountingHaptics haptics;

    SqliteKeyValueStore disk;
    RetryingKeyValueStore defaults;
    PreferencesStore prefs;
    std::unique_ptr<UsageStore> usage;
    std::unique_ptr<TodayModel> today;
    std::unique_ptr<TrackingController> controller;
};

} // namespace brindlemoor::bench
