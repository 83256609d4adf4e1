// SPDX-License-Identifier: MIT
#include "views/components/PortalSettings.h"

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

namespace brindlemoor {

namespace {

const QString kAppearance = QStringLiteral("org.freedesktop.appearance");
const QString kColorScheme = QStringLiteral("color-scheme");

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

void PortalSettings::requestColorScheme()
{
    auto* watcher = new QDBusPendingCallWatcher(asyncCall(QStringLiteral("Read"), kAppearance, kColorScheme), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *call;
        // No portal, or one without the key: the palette decides.
        if (reply.isError())
            return;
        Q_EMIT colorSchemeChanged(darkFromColorScheme(reply.value().variant()));
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
    if (arguments.at(0).toString() == kAppearance && arguments.at(1).toString() == kColorScheme)
        Q_EMIT colorSchemeChanged(darkFromColorScheme(arguments.at(2)));
}

} // namespace brindlemoor
