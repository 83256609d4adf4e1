// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <optional>

namespace brindlemoor {

class KeyValueStore;

/// One watched application and its own daily limit.
struct MonitoredAppConfig {
    QString bundleID;
    qint64 timeLimitMinutes = 60;

    friend bool operator==(const MonitoredAppConfig&, const MonitoredAppConfig&) = default;
};

/// The indicator's base colour as stored: sRGB components in 0...1.
struct RgbColor {
    double red = 0;
    double green = 0;
    double blue = 0;

    friend bool operator==(const RgbColor&, const RgbColor&) = default;
};

/// The one settings object of the process. Every setting lives in the key-value
/// store under its fixed key, so nothing here needs saving at exit.
class PreferencesStore final : public QObject {
    Q_OBJECT

public:
    static constexpr qint64 defaultAppLimitMinutes = 60;
    /// Far more apps than a person watches: a longer stored list is cut here, and no app is added past it.
    static constexpr qsizetype maxMonitoredApps = 1000;

    explicit PreferencesStore(KeyValueStore& defaults, QObject* parent = nullptr);

    bool isMonitoringPaused() const;
    void setMonitoringPaused(bool paused);
    qint64 dailyLimitMinutes() const;
    void setDailyLimitMinutes(qint64 minutes);
    qint64 extendDurationMinutes() const;
    void setExtendDurationMinutes(qint64 minutes);
    bool useShapes() const;
    void setUseShapes(bool on);
    bool playSoundOnRed() const;
    void setPlaySoundOnRed(bool on);
    bool showTimeRemaining() const;
    void setShowTimeRemaining(bool on);
    bool overlayEnabled() const;
    void setOverlayEnabled(bool on);
    /// How many days the per-application history keeps, within 1 ... `UsageHistory::maxKeptDays`.
    qint64 historyDays() const;
    void setHistoryDays(qint64 days);

    QList<MonitoredAppConfig> monitoredApps() const;
    std::optional<MonitoredAppConfig> config(const QString& bundleID) const;
    bool isMonitored(const QString& bundleID) const;
    void addApp(const QString& bundleID);
    void removeApp(const QString& bundleID);
    void setLimit(const QString& bundleID, qint64 minutes);
    void saveMonitoredApps(const QList<MonitoredAppConfig>& apps);

    RgbColor dotColor() const;
    /// Stores the colour's components; the caller converts it to device RGB first.
    void setDotColor(const RgbColor& color);

Q_SIGNALS:
    /// The monitored-app list or the dot colour was stored, or monitoring was toggled.
    void trackingSettingsChanged();
    /// Any setting or stored list changed; views re-read what they show.
    void changed();

private:
    bool readBool(const QString& key, bool fallback) const;
    void writeBool(const QString& key, bool value);
    void writeInt(const QString& key, qint64 value);
    void writeDouble(const QString& key, double value);
    const QList<MonitoredAppConfig>& cachedApps() const;

    KeyValueStore& m_defaults;
    mutable std::optional<QList<MonitoredAppConfig>> m_monitoredAppsCache;
    // Each bundle ID's first position in the cached list: every tick asks for a config.
    mutable QHash<QString, qsizetype> m_monitoredIndex;
};

} // namespace brindlemoor
