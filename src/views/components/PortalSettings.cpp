// SPDX-License-Identifier: MIT
#include "views/components/PortalSettings.h"

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

#include <utility>

namespace brindlemoor {

namespace {

const QString kAppearance = QStringLiteral("org.freedesktop.appearance");
const QString kColorScheme = QStringLiteral("color-scheme");
const QString kContrast = QStringLiteral("contrast");
const QString kGnomeA11y = QStringLiteral("org.gnome.desktop.a11y.interface");
const QString kGnomeHighContrast = QStringLiteral("high-contrast");

// Read wraps the value in one variant more than SettingChanged does; peel them all.
QVariant unwrap(QVariant value)
{
    while (value.canConvert<QDBusVariant>() && value.metaType() == QMetaType::fromType<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value;
}

} // namespace

PortalSettings::PortalSettings(const QDBusConnection& bus, QObject* parent)
    : QDBusAbstractInterface(QStringLiteral("org.freedesktop.portal.Desktop"),
                             QStringLiteral("/org/freedesktop/portal/desktop"), "org.freedesktop.portal.Settings", bus,
                             parent)
{
    // Connecting to our own signal makes QDBusAbstractInterface subscribe to the portal's.
    connect(this, &PortalSettings::SettingChanged, this, &PortalSettings::onSettingChanged);
}

void PortalSettings::read(const QString& group, const QString& key, std::function<void(const QVariant&)> found,
                          std::function<void()> missing)
{
    auto* watcher = new QDBusPendingCallWatcher(asyncCall(QStringLiteral("Read"), group, key), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [found = std::move(found), missing = std::move(missing)](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                const QDBusPendingReply<QDBusVariant> reply = *call;
                if (!reply.isError())
                    found(unwrap(reply.value().variant()));
                else if (missing)
                    missing();
            });
}

void PortalSettings::requestColorScheme()
{
    // No portal, or one without the key: the palette decides.
    read(kAppearance, kColorScheme,
         [this](const QVariant& value) { Q_EMIT colorSchemeChanged(darkFromColorScheme(value)); });
}

void PortalSettings::requestContrast()
{
    read(
        kAppearance, kContrast, [this](const QVariant& value) { Q_EMIT contrastChanged(value.toUInt() == 1); },
        // An older portal: GNOME's own key, which the GNOME and GTK portals pass through.
        [this] {
            read(kGnomeA11y, kGnomeHighContrast,
                 [this](const QVariant& value) { Q_EMIT contrastChanged(value.toBool()); });
        });
}

std::optional<bool> PortalSettings::darkFromColorScheme(const QVariant& value)
{
    bool ok = false;
    const uint scheme = unwrap(value).toUInt(&ok);
    if (!ok)
        return std::nullopt;
    if (scheme == 1)
        return true;
    if (scheme == 2)
        return false;
    return std::nullopt;
}

void PortalSettings::onSettingChanged(const QDBusMessage& message)
{
    const QVariantList arguments = message.arguments();
    if (arguments.size() != 3)
        return;
    const QString group = arguments.at(0).toString();
    const QString key = arguments.at(1).toString();
    if (group == kAppearance && key == kColorScheme)
        Q_EMIT colorSchemeChanged(darkFromColorScheme(arguments.at(2)));
    else if (group == kAppearance && key == kContrast)
        Q_EMIT contrastChanged(unwrap(arguments.at(2)).toUInt() == 1);
    else if (group == kGnomeA11y && key == kGnomeHighContrast)
        Q_EMIT contrastChanged(unwrap(arguments.at(2)).toBool());
}

} // namespace brindlemoor
