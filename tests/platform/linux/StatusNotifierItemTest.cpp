// SPDX-License-Identifier: MIT
#include "platform/linux/StatusNotifierItem.h"
#include "StandInWatcher.h"
#include "support/DesktopSession.h"

#include <QDBusAbstractInterface>
#include <QDBusArgument>
#include <QIcon>
#include <QPixmap>

#include <gtest/gtest.h>

using namespace brindlemoor;
using brindlemoor::test::DesktopSession;
using brindlemoor::test::StandInWatcher;

namespace {

/// What a host sees of the item.
class HostView final : public QDBusAbstractInterface {
    Q_OBJECT
public:
    HostView(const QString& service, const QDBusConnection& bus)
        : QDBusAbstractInterface(service, QStringLiteral("/StatusNotifierItem"), "org.kde.StatusNotifierItem", bus,
                                 nullptr)
    {
    }

    QVariantMap properties()
    {
        QDBusMessage getAll = QDBusMessage::createMethodCall(
            service(), path(), QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
        getAll.setArguments({interface()});
        // Block with events: the item answers from this thread.
        const QDBusMessage reply = connection().call(getAll, QDBus::BlockWithGui);
        return qdbus_cast<QVariantMap>(reply.arguments().value(0));
    }

Q_SIGNALS:
    void NewIcon();
};

struct Pixmap {
    int width = 0;
    int height = 0;
    QByteArray bytes;
};

QList<Pixmap> pixmaps(const QVariant& value)
{
    QList<Pixmap> result;
    const auto argument = value.value<QDBusArgument>();
    argument.beginArray();
    while (!argument.atEnd()) {
        Pixmap pixmap;
        argument.beginStructure();
        argument >> pixmap.width >> pixmap.height >> pixmap.bytes;
        argument.endStructure();
        result.append(pixmap);
    }
    argument.endArray();
    return result;
}

QIcon solidIcon(QColor color)
{
    QPixmap pixmap(128, 128);
    pixmap.fill(color);
    return QIcon(pixmap);
}

class StatusNotifierItemTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(session.isReady()) << session.error().toStdString(); }

    // Connections are named per bus: a name outlives its test's bus.
    QDBusConnection connect(const QString& name) const
    {
        return QDBusConnection::connectToBus(session.busAddress(), name + session.busAddress());
    }

    DesktopSession session{DesktopSession::Options{.display = false}};
};

} // namespace

TEST_F(StatusNotifierItemTest, RegistersOnceItHasAnIconAndAgainWithEveryNewWatcher)
{
    auto watcher = std::make_unique<StandInWatcher>(session.busAddress());
    ASSERT_TRUE(watcher->isReady());
    StatusNotifierItem item(connect(QStringLiteral("item")), QStringLiteral("Brindlemoor"));
    EXPECT_TRUE(item.isWatcherPresent());
    item.setIcon(solidIcon(Qt::red));
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return !watcher->registered().isEmpty(); }));
    const QString service = watcher->registered().constFirst();

    HostView host(service, connect(QStringLiteral("host")));
    const QVariantMap properties = host.properties();
    EXPECT_EQ(properties.value(QStringLiteral("Category")), QStringLiteral("ApplicationStatus"));
    EXPECT_EQ(properties.value(QStringLiteral("Id")), QStringLiteral("brindlemoor"));
    EXPECT_EQ(properties.value(QStringLiteral("Title")), QStringLiteral("Brindlemoor"));
    EXPECT_EQ(properties.value(QStringLiteral("Status")), QStringLiteral("Active"));

    // The panel restarts: its watcher goes, and a new one knows nothing of the item.
    watcher.reset();
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return !item.isWatcherPresent(); }));
    watcher = std::make_unique<StandInWatcher>(session.busAddress());
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return !watcher->registered().isEmpty(); }));
    EXPECT_EQ(watcher->registered(), QStringList{service});
    EXPECT_TRUE(item.isWatcherPresent());
}

TEST_F(StatusNotifierItemTest, HandsHostsEverySizeInNetworkByteOrderAndAnnouncesOnlyChanges)
{
    StatusNotifierItem item(connect(QStringLiteral("item")), QStringLiteral("Brindlemoor"));
    StandInWatcher watcher(session.busAddress());
    ASSERT_TRUE(watcher.isReady());
    // Half-transparent, so that premultiplied pixels would show: hosts expect them straight.
    item.setIcon(solidIcon(QColor(0xff, 0x00, 0x80, 0x80)));
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return !watcher.registered().isEmpty(); }));
    HostView host(watcher.registered().constFirst(), connect(QStringLiteral("host")));
    int newIcons = 0;
    QObject::connect(&host, &HostView::NewIcon, &host, [&] { ++newIcons; });

    const QList<Pixmap> images = pixmaps(host.properties().value(QStringLiteral("IconPixmap")));
    QList<int> sizes;
    for (const Pixmap& image : images) {
        sizes.append(image.width);
        EXPECT_EQ(image.height, image.width);
        ASSERT_EQ(image.bytes.size(), image.width * image.height * 4);
        // Alpha, red, green, blue: the first pixel as it travels.
        EXPECT_EQ(quint8(image.bytes[0]), 0x80);
        EXPECT_NEAR(quint8(image.bytes[1]), 0xff, 1);
        EXPECT_EQ(quint8(image.bytes[2]), 0x00);
        EXPECT_NEAR(quint8(image.bytes[3]), 0x80, 1);
    }
    EXPECT_EQ(sizes, (QList<int>{16, 22, 24, 32, 44, 48, 64, 96}));

    // The controller sets the image every second; the same pixels announce nothing. Signals
    // arrive in order, so one NewIcon after the change means none came before it.
    item.setIcon(solidIcon(QColor(0xff, 0x00, 0x80, 0x80)));
    item.setIcon(solidIcon(Qt::blue));
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return newIcons > 0; }));
    EXPECT_EQ(newIcons, 1);
    const QByteArray blue = pixmaps(host.properties().value(QStringLiteral("IconPixmap"))).constFirst().bytes;
    EXPECT_EQ(blue.left(4), QByteArray::fromHex("ff0000ff"));
}

TEST_F(StatusNotifierItemTest, ActivationsReachTheClickSignalWithTheirPositions)
{
    StatusNotifierItem item(connect(QStringLiteral("item")), QStringLiteral("Brindlemoor"));
    StandInWatcher watcher(session.busAddress());
    item.setIcon(solidIcon(Qt::red));
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return !watcher.registered().isEmpty(); }));
    HostView host(watcher.registered().constFirst(), connect(QStringLiteral("host")));
    QList<TrayClick> clicks;
    QObject::connect(&item, &TrayIcon::clicked, &item, [&](const TrayClick& click) { clicks.append(click); });

    host.asyncCall(QStringLiteral("Activate"), 312, 7);
    host.asyncCall(QStringLiteral("SecondaryActivate"), 40, 590);
    host.asyncCall(QStringLiteral("ContextMenu"), 312, 7);
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return clicks.size() >= 2; }));
    EXPECT_EQ(clicks.size(), 2) << "a context menu request is no click";
    EXPECT_EQ(clicks[0], (TrayClick{TrayClick::Button::Primary, QPoint(312, 7), QRect(), false}));
    EXPECT_EQ(clicks[1], (TrayClick{TrayClick::Button::Middle, QPoint(40, 590), QRect(), false}));
}

#include "StatusNotifierItemTest.moc"
