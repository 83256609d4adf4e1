// SPDX-License-Identifier: MIT
#include "core/model/PreferencesStore.h"

#include "core/foundation/CoreLogging.h"
#include "core/foundation/JsonCoding.h"
#include "core/foundation/KeyValueStore.h"
#include "core/model/SettingsKeys.h"
#include "core/model/UsageHistory.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <algorithm>
#include <cmath>

namespace brindlemoor {

namespace {

void warn(const QString& text)
{
    qCWarning(lcCore).noquote() << text;
}

std::optional<QJsonDocument> parse(const QByteArray& data)
{
    QJsonParseError error{};
    QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError)
        return std::nullopt;
    return document;
}

std::optional<QList<MonitoredAppConfig>> decodeApps(const QByteArray& data)
{
    const auto document = parse(data);
    if (!document || !document->isArray())
        return std::nullopt;
    const QJsonArray list = document->array();
    if (list.size() > PreferencesStore::maxMonitoredApps) {
        // The chooser adds apps one at a time, so such a list was written by something else. Its first
        // apps are the user's oldest choices: they are kept, where failing the whole list would lose them.
        warn(QStringLiteral("monitoredAppsData lists %1 apps \u2014 keeping the first %2")
                 .arg(list.size())
                 .arg(PreferencesStore::maxMonitoredApps));
    }
    QList<MonitoredAppConfig> apps;
    for (const auto& item : list) {
        if (apps.size() == PreferencesStore::maxMonitoredApps)
            break;
        if (!item.isObject())
            return std::nullopt;
        const QJsonObject object = item.toObject();
        const auto bundleID = json::readString(object.value(QStringLiteral("bundleID")));
        const auto minutes = json::readInteger(object.value(QStringLiteral("timeLimitMinutes")));
        if (!bundleID || !minutes)
            return std::nullopt;
        apps.append({*bundleID, *minutes});
    }
    return apps;
}

} // namespace

PreferencesStore::PreferencesStore(KeyValueStore& defaults, QObject* parent)
    : QObject(parent)
    , m_defaults(defaults)
{
}

bool PreferencesStore::readBool(const QString& key, bool fallback) const
{
    return m_defaults.boolValue(key, fallback);
}

void PreferencesStore::writeBool(const QString& key, bool value)
{
    if (m_defaults.value(key).isValid() && m_defaults.boolValue(key, !value) == value)
        return;
    m_defaults.setValue(key, value);
    Q_EMIT changed();
}

void PreferencesStore::writeInt(const QString& key, qint64 value)
{
    if (m_defaults.value(key).isValid() && m_defaults.intValue(key, value + 1) == value)
        return;
    m_defaults.setValue(key, QVariant::fromValue<qlonglong>(value));
    Q_EMIT changed();
}

void PreferencesStore::writeDouble(const QString& key, double value)
{
    m_defaults.setValue(key, value);
}

bool PreferencesStore::isMonitoringPaused() const
{
    return readBool(keys::isMonitoringPaused, false);
}
void PreferencesStore::setMonitoringPaused(bool paused)
{
    if (paused == isMonitoringPaused())
        return;
    writeBool(keys::isMonitoringPaused, paused);
    // Pausing starts and stops counting, so it is announced like a change of the watched list.
    Q_EMIT trackingSettingsChanged();
}
qint64 PreferencesStore::dailyLimitMinutes() const
{
    return m_defaults.intValue(keys::dailyLimitMinutes, 0);
}
void PreferencesStore::setDailyLimitMinutes(qint64 minutes)
{
    writeInt(keys::dailyLimitMinutes, minutes);
}
qint64 PreferencesStore::historyDays() const
{
    return std::clamp<qint64>(m_defaults.intValue(keys::usageHistoryDays, UsageHistory::defaultKeptDays), 1,
                              UsageHistory::maxKeptDays);
}

void PreferencesStore::setHistoryDays(qint64 days)
{
    writeInt(keys::usageHistoryDays, std::clamp<qint64>(days, 1, UsageHistory::maxKeptDays));
}

qint64 PreferencesStore::extendDurationMinutes() const
{
    return m_defaults.intValue(keys::extendDurationMinutes, 15);
}
void PreferencesStore::setExtendDurationMinutes(qint64 minutes)
{
    writeInt(keys::extendDurationMinutes, minutes);
}
bool PreferencesStore::useShapes() const
{
    return readBool(keys::useShapes, false);
}
void PreferencesStore::setUseShapes(bool on)
{
    writeBool(keys::useShapes, on);
}
bool PreferencesStore::playSoundOnRed() const
{
    return readBool(keys::playSoundOnRed, false);
}
void PreferencesStore::setPlaySoundOnRed(bool on)
{
    writeBool(keys::playSoundOnRed, on);
}
bool PreferencesStore::showTimeRemaining() const
{
    return readBool(keys::showTimeRemaining, false);
}
void PreferencesStore::setShowTimeRemaining(bool on)
{
    writeBool(keys::showTimeRemaining, on);
}
bool PreferencesStore::overlayEnabled() const
{
    return readBool(keys::overlayEnabled, true);
}
void PreferencesStore::setOverlayEnabled(bool on)
{
    writeBool(keys::overlayEnabled, on);
}

QList<MonitoredAppConfig> PreferencesStore::monitoredApps() const
{
    return cachedApps();
}

const QList<MonitoredAppConfig>& PreferencesStore::cachedApps() const
{
    if (m_monitoredAppsCache)
        return *m_monitoredAppsCache;
    const QByteArray data = m_defaults.dataValue(keys::monitoredAppsData);
    QList<MonitoredAppConfig> apps;
    if (!data.isEmpty()) {
        if (auto decoded = decodeApps(data))
            apps = std::move(*decoded);
        else
            warn(QStringLiteral("cannot decode monitoredAppsData \u2014 returning an empty list"));
    }
    m_monitoredIndex.clear();
    // Backwards, so that the first of two configs for one app is the one found, as a search would.
    for (qsizetype i = apps.size() - 1; i >= 0; --i)
        m_monitoredIndex.insert(apps.at(i).bundleID, i);
    m_monitoredAppsCache = std::move(apps);
    return *m_monitoredAppsCache;
}

std::optional<MonitoredAppConfig> PreferencesStore::config(const QString& bundleID) const
{
    const QList<MonitoredAppConfig>& apps = cachedApps();
    const auto at = m_monitoredIndex.constFind(bundleID);
    if (at == m_monitoredIndex.cend())
        return std::nullopt;
    return apps.at(*at);
}

bool PreferencesStore::isMonitored(const QString& bundleID) const
{
    return config(bundleID).has_value();
}

void PreferencesStore::addApp(const QString& bundleID)
{
    if (isMonitored(bundleID) || cachedApps().size() >= maxMonitoredApps)
        return;
    QList<MonitoredAppConfig> apps = monitoredApps();
    apps.append({bundleID, defaultAppLimitMinutes});
    saveMonitoredApps(apps);
}

void PreferencesStore::removeApp(const QString& bundleID)
{
    QList<MonitoredAppConfig> apps = monitoredApps();
    apps.removeIf([&](const MonitoredAppConfig& app) { return app.bundleID == bundleID; });
    saveMonitoredApps(apps);
}

void PreferencesStore::setLimit(const QString& bundleID, qint64 minutes)
{
    QList<MonitoredAppConfig> apps = monitoredApps();
    for (MonitoredAppConfig& app : apps) {
        if (app.bundleID == bundleID) {
            app.timeLimitMinutes = minutes;
            saveMonitoredApps(apps);
            return;
        }
    }
}

void PreferencesStore::saveMonitoredApps(const QList<MonitoredAppConfig>& apps)
{
    QJsonArray list;
    for (const MonitoredAppConfig& app : apps) {
        list.append(QJsonObject{{QStringLiteral("bundleID"), app.bundleID},
                                {QStringLiteral("timeLimitMinutes"), app.timeLimitMinutes}});
    }
    m_defaults.setValue(keys::monitoredAppsData, QJsonDocument(list).toJson(QJsonDocument::Compact));
    m_monitoredAppsCache.reset();
    Q_EMIT changed();
    Q_EMIT trackingSettingsChanged();
}

RgbColor PreferencesStore::dotColor() const
{
    // NaN or infinity is no component at all and reads as the default; anything else is held to the gamut.
    const auto component = [this](const QString& key, double fallback) {
        const double value = m_defaults.doubleValue(key, fallback);
        return std::isfinite(value) ? std::clamp(value, 0.0, 1.0) : fallback;
    };
    return {component(keys::dotColorRed, 0.2), component(keys::dotColorGreen, 0.78),
            component(keys::dotColorBlue, 0.74)};
}

void PreferencesStore::setDotColor(const RgbColor& color)
{
    writeDouble(keys::dotColorRed, color.red);
    writeDouble(keys::dotColorGreen, color.green);
    writeDouble(keys::dotColorBlue, color.blue);
    Q_EMIT changed();
    Q_EMIT trackingSettingsChanged();
}

} // namespace brindlemoor
