// SPDX-License-Identifier: MIT
#pragma once

namespace brindlemoor {

class AppIconProvider;
class Appearance;
class ApplicationCatalog;
class Clock;
class DesktopExtension;
class FloatingWidgetManager;
class TodayModel;

/// What the usage popover's content is built on, handed over afresh at each opening.
struct MenuContext {
    const Appearance& appearance;      ///< light or dark
    TodayModel& today;                 ///< what the cards show, and the only way they change the day
    const ApplicationCatalog& catalog; ///< application names, for the rows and the insights
    AppIconProvider& icons;
    const Clock& clock;                       ///< today, for the insights
    FloatingWidgetManager* widgets = nullptr; ///< where rows and the bar drag out to; none in the gallery
    DesktopExtension* extension = nullptr;    ///< the GNOME Shell extension, for its notice; none where none is needed
};

} // namespace brindlemoor
