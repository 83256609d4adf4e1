// SPDX-License-Identifier: MIT
#pragma once

#include <QDBusAbstractInterface>
#include <QDBusMessage>

#include <functional>
#include <optional>

namespace brindlemoor {

/// The desktop's light or dark preference through the settings portal
/// (org.freedesktop.portal.Settings, key org.freedesktop.appearance color-scheme).
class PortalSettings final : public QDBusAbstractInterface {
    Q_OBJECT

public:
    explicit PortalSettings(const QDBusConnection& bus, QObject* parent = nullptr);

    /// Asks once for the current value; the answer arrives as colorSchemeChanged().
    void requestColorScheme();
    /// The same for the contrast (org.freedesktop.appearance contrast, 1 for higher); where the
    /// portal lacks that key, GNOME's org.gnome.desktop.a11y.interface high-contrast through it.
    void requestContrast();

    /// color-scheme 1 is dark, 2 is light; 0 ("no preference") and anything else say nothing.
    static std::optional<bool> darkFromColorScheme(const QVariant& value);

Q_SIGNALS:
    /// The portal's answer or its later change: dark, light, or no preference.
    void colorSchemeChanged(std::optional<bool> dark);
    /// The portal's answer on contrast or its later change: higher contrast or not.
    void contrastChanged(bool high);
    /// Relayed from the portal by QDBusAbstractInterface; the name must match the D-Bus signal.
    /// It takes the whole message: Qt 6.4 delivered nothing to a QDBusVariant parameter here.
    void SettingChanged(const QDBusMessage& message);

private:
    /// Reads one setting without waiting; `missing` runs where the portal or the key is absent.
    void read(const QString& group, const QString& key, std::function<void(const QVariant&)> found,
              std::function<void()> missing = {});
    void onSettingChanged(const QDBusMessage& message);
};

} // namespace brindlemoor
