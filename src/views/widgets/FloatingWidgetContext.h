// SPDX-License-Identifier: MIT
#pragma once

namespace brindlemoor {

class ActiveAppSource;
class AppIconProvider;
class ApplicationCatalog;
class KeyValueStore;
class PreferencesStore;
class UsageStore;
class WindowSystem;

/// What the floating widgets are built on, handed to the manager once at start-up.
struct FloatingWidgetContext {
    KeyValueStore& defaults; ///< where the open widgets' positions are kept
    PreferencesStore& prefs;
    UsageStore& usageStore;
    const ApplicationCatalog& catalog; ///< application names
    AppIconProvider& icons;
    ActiveAppSource& activeApps; ///< which application is frontmost
    WindowSystem& windowSystem;  ///< every desktop, above the others, out of taskbars
};

} // namespace brindlemoor
