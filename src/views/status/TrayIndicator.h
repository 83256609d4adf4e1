// SPDX-License-Identifier: MIT
#pragma once

#include "core/status/CuePorts.h"

#include <QObject>

#include <optional>

namespace brindlemoor {

class Appearance;
class TrayIcon;

/// The tray item's image: turns the controller's StatusImage into an icon for the tray and
/// hands it over only when it changes, so a once-a-second update costs the panel nothing.
class TrayIndicator final : public QObject, public StatusIndicator {
    Q_OBJECT

public:
    explicit TrayIndicator(const Appearance& appearance, TrayIcon& tray, QObject* parent = nullptr);

    void setImage(const StatusImage& image) override;

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
};

} // namespace brindlemoor
