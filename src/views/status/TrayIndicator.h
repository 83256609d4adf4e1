// SPDX-License-Identifier: MIT
#pragma once

#include "core/status/CuePorts.h"

#include <QObject>

#include <optional>

namespace brindlemoor {

class Appearance;
class TodayModel;
class TrayIcon;

/// The tray item's image: turns the controller's StatusImage into an icon for the tray and
/// hands it over only when it changes, so a once-a-second update costs the panel nothing.
class TrayIndicator final : public QObject, public StatusIndicator {
    Q_OBJECT

public:
    explicit TrayIndicator(const Appearance& appearance, TrayIcon& tray, QObject* parent = nullptr);

    void setImage(const StatusImage& image) override;
    /// Keeps the tray's tooltip on the day's total, as the model says it, from now on.
    void followToday(const TodayModel& today);
    /// "1 h 12 min of 2 h today", or the time alone without a daily limit.
    static QString toolTip(const TodayModel& today);

private:
    struct Key {
        StatusImage image;
        bool dark = false;
        friend bool operator==(const Key&, const Key&) = default;
    };

    void refresh();

    const Appearance& m_appearance;
    TrayIcon& m_tray;
    std::optional<StatusImage> m_image;
    std::optional<Key> m_drawn;
    QString m_toolTip;
};

} // namespace brindlemoor
