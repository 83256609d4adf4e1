// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace brindlemoor {

class Appearance;
class ApplicationCatalog;
class Clock;
class HistoryView;
class TodayModel;

/// The usage history in an ordinary window: decorated, resizable, in the taskbar. Not a popover,
/// which closes when it loses the focus: the export's save dialog takes it. Escape closes it.
class HistoryWindow final : public QWidget {
    Q_OBJECT

public:
    HistoryWindow(const Appearance& appearance, const TodayModel& today, const ApplicationCatalog& catalog,
                  const Clock& clock, QWidget* parent = nullptr);

    HistoryView* view() const { return m_view; }

    /// Shows the window, or brings it forward where it is.
    void present();

private:
    HistoryView* m_view;
    bool m_placed = false;
};

} // namespace brindlemoor
