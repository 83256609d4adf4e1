// SPDX-License-Identifier: MIT
#pragma once

#include "core/status/CuePorts.h"

#include <QImage>
#include <QObject>

#include <optional>

class QSystemTrayIcon;

namespace brindlemoor {

/// The tray item: turns the controller's StatusImage into pixels and hands the tray host
/// a new icon only when those pixels change, so a once-a-second update costs the panel nothing.
class TrayIndicator final : public QObject, public StatusIndicator {
    Q_OBJECT

public:
    explicit TrayIndicator(QObject* parent = nullptr);
    ~TrayIndicator() override;

    void setImage(const StatusImage& image) override;

    /// The tray item itself, for its `activated` signal; shown once it has an image.
    QSystemTrayIcon& trayIcon() { return *m_tray; }
    /// The pixels the tray host has now (null before the first image).
    const QImage& currentImage() const { return m_current; }
    /// How many times the tray host was handed a new icon.
    int iconReplacements() const { return m_replacements; }

    /// The ratio the image is drawn at; follows the primary screen unless set.
    qreal devicePixelRatio() const { return m_devicePixelRatio; }
    void setDevicePixelRatio(qreal ratio);

private:
    struct Key {
        StatusImage image;
        qreal devicePixelRatio = 1;
        bool dark = false;
        friend bool operator==(const Key&, const Key&) = default;
    };

    void refresh();
    void followPrimaryScreen();

    QSystemTrayIcon* m_tray;
    std::optional<StatusImage> m_image;
    std::optional<Key> m_drawn;
    QImage m_current;
    qreal m_devicePixelRatio = 1;
    bool m_ratioPinned = false;
    int m_replacements = 0;
};

} // namespace brindlemoor
