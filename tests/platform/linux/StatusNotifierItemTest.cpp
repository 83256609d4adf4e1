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
    void NewToolTip();
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

/// The ToolTip property's title and description: (icon name, icons, title, description).
std::pair<QString, QString> toolTip(const QVariant& value)
{
    const auto argument = value.value<QDBusArgument>();
    QString iconName;
    QString title;
    QString description;
    argument.beginStructure();
    argument >> iconName;
    argument.beginArray();
    while (!argument.atEnd()) {
        Pixmap skipped;
        argument.beginStructure();
        argument >> skipped.width >> skipped.height >> skipped.bytes;
        argument.endStructure();
    }
    argument.endArray();
    argument >> title >> description;
    argument.endStructure();
    return {title, description};
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

    /// Gives the item its first icon and waits until it has registered, as a panel would see it.
    void show(const QIcon& icon)
    {
        item.setIcon(icon);
        ASSERT_TRUE(DesktopSession::waitUntil([&] { return !watcher->registered().isEmpty(); }));
        host = std::make_unique<HostView>(watcher->registered().constFirst(), connect(QStringLiteral("host")));
    }

    DesktopSession session{DesktopSession::Options{.display = false}};
    std::unique_ptr<StandInWatcher> watcher = std::make_unique<StandInWatcher>(session.busAddress());
    StatusNotifierItem item{connect(QStringLiteral("item")), QStringLiteral("Brindlemoor")};
    std::unique_ptr<HostView> host;
};

} // namespace

// Registering with a watcher that starts later is TrayBackendTest's, with the real program.
TEST_F(StatusNotifierItemTest, HandsHostsEverySizeInNetworkByteOrderAndAnnouncesOnlyChanges)
{
    // Half-transparent red: premultiplied pixels would halve the red; hosts expect it straight.
    const QColor halfRed(0xff, 0, 0, 0x80);
    show(solidIcon(halfRed));
    int newIcons = 0;
    QObject::connect(host.get(), &HostView::NewIcon, host.get(), [&] { ++newIcons; });

    QList<int> sizes;
    for (const Pixmap& image : pixmaps(host->properties().value(QStringLiteral("IconPixmap")))) {
        sizes.append(image.width);
        EXPECT_EQ(image.height, image.width);
        ASSERT_EQ(image.bytes.size(), image.width * image.height * 4);
        EXPECT_EQ(image.bytes.left(4), QByteArray::fromHex("80ff0000")) << "alpha, red, green, blue";
    }
    EXPECT_EQ(sizes, (QList<int>{16, 22, 24, 32, 44, 48, 64, 96}));

    // The controller sets the image every second; the same pixels announce nothing. Signals
    // arrive in order, so one NewIcon after the change means none came before it.
    item.setIcon(solidIcon(halfRed));
    item.setIcon(solidIcon(Qt::blue));
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return newIcons > 0; }));
    EXPECT_EQ(newIcons, 1);
    const QByteArray blue = pixmaps(host->properties().value(QStringLiteral("IconPixmap"))).constFirst().bytes;
    EXPECT_EQ(blue.left(4), QByteArray::fromHex("ff0000ff"));
}

TEST_F(StatusNotifierItemTest, ActivationsReachTheClickSignalWithTheirPositions)
{
    show(solidIcon(Qt::red));
    QList<TrayClick> clicks;
    QObject::connect(&item, &TrayIcon::clicked, &item, [&](const TrayClick& click) { clicks.append(click); });

    host->asyncCall(QStringLiteral("Activate"), 312, 7);
    host->asyncCall(QStringLiteral("SecondaryActivate"), 40, 590);
    host->asyncCall(QStringLiteral("ContextMenu"), 312, 7);
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return clicks.size() >= 2; }));
    EXPECT_EQ(clicks.size(), 2) << "a context menu request is no click";
    EXPECT_EQ(clicks[0], (TrayClick{TrayClick::Button::Primary, QPoint(312, 7), QRect(), false}));
    EXPECT_EQ(clicks[1], (TrayClick{TrayClick::Button::Middle, QPoint(40, 590), QRect(), false}));
}

#include "StatusNotifierItemTest.moc"

TEST_F(StatusNotifierItemTest, TheToolTipCarriesTheDayUnderTheProgramsNameAndIsAnnouncedOnChange)
{
    show(solidIcon(Qt::red));
    int newToolTips = 0;
    QObject::connect(host.get(), &HostView::NewToolTip, host.get(), [&] { ++newToolTips; });
    const QString day = QStringLiteral("1 h 12 min of 2 h today");
    item.setToolTip(day);
    item.setToolTip(day);
    ASSERT_TRUE(DesktopSession::waitUntil([&] { return newToolTips > 0; }));
    EXPECT_EQ(newToolTips, 1);
    EXPECT_EQ(toolTip(host->properties().value(QStringLiteral("ToolTip"))),
              std::pair(QStringLiteral("Brindlemoor"), day));
}
