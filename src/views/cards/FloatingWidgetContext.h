// SPDX-License-Identifier: MIT
#pragma once

namespace brindlemoor {

class ActiveAppSource;
class AppIconProvider;
class Appearance;
class ApplicationCatalog;
class KeyValueStore;
class TodayModel;
class WindowSystem;

/// What the floating widgets are built on, handed to the manager once at start-up.
struct FloatingWidgetContext {
    const Appearance& appearance;      ///< light or dark
    KeyValueStore& defaults;           ///< where the open widgets' positions are kept
    TodayModel& today;                 ///< what the cards show, and the only way they change the day
    const ApplicationCatalog& catalog; ///< application names
    AppIconProvider& icons;
    ActiveAppSource& activeApps; ///< which application is frontmost
    WindowSystem& windowSystem;  ///< every desktop, above the others, out of taskbars
};

} // namespace brindlemoor
