// SPDX-License-Identifier: MIT
// The appearance follows the settings portal, here a stand-in served on a private bus.
#include "support/ScopedEnvironment.h"
#include "views/components/Appearance.h"
#include "views/components/NamedColors.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QProcess>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace brindlemoor;

namespace {

class FakePortal final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")

public:
    uint colorScheme = 1;
    uint contrast = 1;
    int reads = 0;

public Q_SLOTS:
    // The real portal answers Read with the value wrapped in one variant more.
    QDBusVariant Read(const QString& group, const QString& key)
    {
        ++reads;
        if (group == QLatin1String("org.freedesktop.appearance") && key == QLatin1String("color-scheme"))
            return QDBusVariant(QVariant::fromValue(QDBusVariant(colorScheme)));
        if (group == QLatin1String("org.freedesktop.appearance") && key == QLatin1String("contrast"))
            return QDBusVariant(QVariant::fromValue(QDBusVariant(contrast)));
        return QDBusVariant(QVariant::fromValue(QDBusVariant(QString())));
    }
};

class PrivateBus {
public:
    PrivateBus()
    {
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
        if (m_daemon.waitForStarted() && m_daemon.waitForReadyRead(10000))
            address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    ~PrivateBus()
    {
        m_daemon.terminate();
        m_daemon.waitForFinished();
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    QString address;

private:
    QProcess m_daemon;
};

void sendSettingChanged(QDBusConnection& bus, const QString& group, const QString& key, const QVariant& value)
{
    QDBusMessage signal =
        QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/portal/desktop"),
                                   QStringLiteral("org.freedesktop.portal.Settings"), QStringLiteral("SettingChanged"));
    signal << group << key << QVariant::fromValue(QDBusVariant(value));
    bus.send(signal);
}

} // namespace

TEST(AppearancePortal, FollowsTheDesktopsColourSchemeAndFallsBackToThePalette)
{
    PrivateBus bus;
    ASSERT_FALSE(bus.address.isEmpty()) << "dbus-daemon did not start";
    QDBusConnection portalSide = QDBusConnection::connectToBus(bus.address, QStringLiteral("portal"));
    ASSERT_TRUE(portalSide.isConnected());
    FakePortal portal;
    ASSERT_TRUE(portalSide.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), &portal,
                                          QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(portalSide.registerService(QStringLiteral("org.freedesktop.portal.Desktop")));

    // A new appearance finds the session bus and asks the portal.
    const test::ScopedEnvironment sessionBus("DBUS_SESSION_BUS_ADDRESS", bus.address.toUtf8());
    Appearance appearance;
    ASSERT_FALSE(appearance.isDark()) << "the offscreen palette is light";
    QSignalSpy changed(&appearance, &Appearance::changed);
    while (changed.count() < 2 && changed.wait(10000)) {
    }
    EXPECT_EQ(portal.reads, 2);
    EXPECT_TRUE(appearance.isDark());
    EXPECT_TRUE(appearance.isHighContrast());
    EXPECT_EQ(roleColor(ColorRole::Primary, appearance.scheme()), QColor(Qt::white))
        << "higher contrast: pure white text";
    EXPECT_EQ(namedColor(NamedColor::NeonRed, appearance.scheme()), colorPair(NamedColor::NeonRed, true).dark);

    const auto settle = [&](const QString& group, const QString& key, const QVariant& value) {
        const auto before = changed.count();
        sendSettingChanged(portalSide, group, key, value);
        // A change of another key arrives too; only the colour scheme may act on it.
        return changed.wait(2000) || changed.count() > before;
    };
    const QString appearanceGroup = QStringLiteral("org.freedesktop.appearance");
    EXPECT_TRUE(settle(appearanceGroup, QStringLiteral("color-scheme"), QVariant::fromValue(2u)));
    EXPECT_FALSE(appearance.isDark());
    EXPECT_EQ(appearance.portalPreference(), std::optional<bool>(false));

    EXPECT_FALSE(settle(appearanceGroup, QStringLiteral("accent-color"), QVariant::fromValue(1u)));
    EXPECT_FALSE(appearance.isDark());

    EXPECT_TRUE(settle(appearanceGroup, QStringLiteral("color-scheme"), QVariant::fromValue(1u)));
    EXPECT_TRUE(appearance.isDark());
    // "No preference": the palette decides again, and it is light.
    EXPECT_TRUE(settle(appearanceGroup, QStringLiteral("color-scheme"), QVariant::fromValue(0u)));
    EXPECT_FALSE(appearance.isDark());
    EXPECT_EQ(appearance.portalPreference(), std::nullopt);

    EXPECT_TRUE(settle(appearanceGroup, QStringLiteral("contrast"), QVariant::fromValue(0u)));
    EXPECT_FALSE(appearance.isHighContrast());
    EXPECT_EQ(roleColor(ColorRole::Primary, appearance.scheme()), colorPair(ColorRole::Primary, false).light);

    QDBusConnection::disconnectFromBus(QStringLiteral("portal"));
}

#include "AppearancePortalTest.moc"
