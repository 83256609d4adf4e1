// SPDX-License-Identifier: MIT
#include "platform/linux/StatusNotifierItem.h"

#include "core/foundation/ProgramIdentity.h"
#include "platform/linux/PlatformLogging.h"
#include "platform/linux/TrayClickInput.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QIcon>
#include <QPixmap>
#include <QtEndian>

#include <utility>

namespace brindlemoor {

namespace {

const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString watcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString itemPath = QStringLiteral("/StatusNotifierItem");

/// One image of an icon on the bus, (iiay): ARGB32 in network byte order, not premultiplied.
struct DBusImage {
    qint32 width = 0;
    qint32 height = 0;
    QByteArray pixels;
};
using DBusImageList = QList<DBusImage>;

/// (sa(iiay)ss): icon name, icon images, title, description.
struct DBusToolTip {
    QString iconName;
    DBusImageList images;
    QString title;
    QString description;
};

QDBusArgument& operator<<(QDBusArgument& argument, const DBusImage& image)
{
    argument.beginStructure();
    argument << image.width << image.height << image.pixels;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, DBusImage& image)
{
    argument.beginStructure();
    argument >> image.width >> image.height >> image.pixels;
    argument.endStructure();
    return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const DBusToolTip& toolTip)
{
    argument.beginStructure();
    argument << toolTip.iconName << toolTip.images << toolTip.title << toolTip.description;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, DBusToolTip& toolTip)
{
    argument.beginStructure();
    argument >> toolTip.iconName >> toolTip.images >> toolTip.title >> toolTip.description;
    argument.endStructure();
    return argument;
}

DBusImage toDBusImage(const QImage& image)
{
    DBusImage result{image.width(), image.height(),
                     QByteArray(qsizetype{image.width()} * image.height() * 4, Qt::Uninitialized)};
    auto* out = reinterpret_cast<uchar*>(result.pixels.data());
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x, out += 4)
            qToBigEndian<quint32>(line[x], out);
    }
    return result;
}

} // namespace

// The interface as hosts see it. Its names are the protocol's, hence the capitals.
class StatusNotifierItem::Adaptor final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconThemePath READ noName)
    Q_PROPERTY(QString IconName READ noName)
    Q_PROPERTY(DBusImageList IconPixmap READ iconPixmap)
    Q_PROPERTY(QString OverlayIconName READ noName)
    Q_PROPERTY(DBusImageList OverlayIconPixmap READ noImages)
    Q_PROPERTY(QString AttentionIconName READ noName)
    Q_PROPERTY(DBusImageList AttentionIconPixmap READ noImages)
    Q_PROPERTY(QString AttentionMovieName READ noName)
    Q_PROPERTY(DBusToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)

public:
    explicit Adaptor(StatusNotifierItem* item)
        : QDBusAbstractAdaptor(item)
        , m_item(item)
    {
    }

    QString category() const { return QStringLiteral("ApplicationStatus"); }
    QString id() const { return programId; }
    QString title() const { return m_item->m_title; }
    // Always shown: the dot is the program's only permanent surface.
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString noName() const { return {}; }
    DBusImageList noImages() const { return {}; }
    DBusToolTip toolTip() const { return {{}, {}, m_item->m_title, m_item->m_toolTip}; }
    bool itemIsMenu() const { return false; }
    // The conventional "no menu": hosts then send ContextMenu, which has nothing to show.
    QDBusObjectPath menu() const { return QDBusObjectPath(QStringLiteral("/NO_DBUSMENU")); }

    DBusImageList iconPixmap() const
    {
        DBusImageList images;
        for (const QImage& image : m_item->m_images)
            images.append(toDBusImage(image));
        return images;
    }

public Q_SLOTS:
    void Activate(int x, int y) { m_item->click(TrayClick::Button::Primary, x, y); }
    void SecondaryActivate(int x, int y) { m_item->click(TrayClick::Button::Middle, x, y); }
    void ContextMenu(int x, int y) { qCDebug(lcPlatform) << "tray context menu asked for at" << x << y; }
    void Scroll(int delta, const QString& orientation)
    {
        qCDebug(lcPlatform) << "tray scrolled" << delta << orientation;
    }

Q_SIGNALS:
    void NewTitle();
    void NewIcon();
    void NewAttentionIcon();
    void NewOverlayIcon();
    void NewToolTip();
    // NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name): moc defines it in this file, as _t1
    void NewStatus(const QString& status);

private:
    StatusNotifierItem* m_item;
};

const QList<int> StatusNotifierItem::pixelSizes = {16, 22, 24, 32, 44, 48, 64, 96};

StatusNotifierItem::StatusNotifierItem(QDBusConnection bus, QString title, QObject* parent)
    : TrayIcon(parent)
    , m_bus(std::move(bus))
    , m_title(std::move(title))
    , m_adaptor(new Adaptor(this))
{
    // The types must be known before the object is exported: its introspection names them.
    static const bool typesRegistered = [] {
        qDBusRegisterMetaType<DBusImage>();
        qDBusRegisterMetaType<DBusImageList>();
        qDBusRegisterMetaType<DBusToolTip>();
        return true;
    }();
    Q_UNUSED(typesRegistered)

    if (!m_bus.isConnected()) {
        qCWarning(lcPlatform) << "StatusNotifierItem unavailable: no session bus";
        return;
    }
    if (!m_bus.registerObject(itemPath, this, QDBusConnection::ExportAdaptors))
        qCWarning(lcPlatform).noquote()
            << QStringLiteral("cannot export the StatusNotifierItem: %1").arg(m_bus.lastError().message());
    // The name hosts conventionally expect; the connection's own name serves as well.
    static int instances = 0;
    m_serviceName =
        QStringLiteral("org.kde.StatusNotifierItem-%1-%2").arg(QCoreApplication::applicationPid()).arg(++instances);
    if (!m_bus.registerService(m_serviceName))
        m_serviceName = m_bus.baseService();

    auto* watcher = new QDBusServiceWatcher(watcherService, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) { onWatcherOwnerChanged(newOwner); });
    m_watcherPresent = isWatcherPresentNow();
}

StatusNotifierItem::~StatusNotifierItem()
{
    if (!m_bus.isConnected())
        return;
    m_bus.unregisterObject(itemPath);
    if (m_serviceName != m_bus.baseService())
        m_bus.unregisterService(m_serviceName);
}

bool StatusNotifierItem::isWatcherPresentNow() const
{
    return m_bus.isConnected() && m_bus.interface()->isServiceRegistered(watcherService).value();
}

void StatusNotifierItem::setToolTip(const QString& text)
{
    if (text == m_toolTip)
        return;
    m_toolTip = text;
    Q_EMIT m_adaptor->NewToolTip();
}

void StatusNotifierItem::setIcon(const QIcon& icon)
{
    QList<QImage> images;
    for (const int size : pixelSizes)
        images.append(icon.pixmap(QSize(size, size), 1.0).toImage().convertToFormat(QImage::Format_ARGB32));
    if (images == m_images)
        return;
    const bool first = m_images.isEmpty();
    m_images = std::move(images);
    if (!first)
        Q_EMIT m_adaptor->NewIcon();
    else if (m_watcherPresent)
        registerWithWatcher();
}

void StatusNotifierItem::onWatcherOwnerChanged(const QString& newOwner)
{
    const bool present = !newOwner.isEmpty();
    // A new owner knows nothing of the items the old one had.
    if (present && !m_images.isEmpty())
        registerWithWatcher();
    if (present == m_watcherPresent)
        return;
    m_watcherPresent = present;
    Q_EMIT watcherPresenceChanged(present);
}

void StatusNotifierItem::registerWithWatcher()
{
    QDBusMessage call = QDBusMessage::createMethodCall(watcherService, watcherPath, watcherService,
                                                       QStringLiteral("RegisterStatusNotifierItem"));
    call.setArguments({m_serviceName});
    auto* pending = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [](QDBusPendingCallWatcher* reply) {
        reply->deleteLater();
        if (reply->isError())
            qCWarning(lcPlatform).noquote()
                << QStringLiteral("the StatusNotifierWatcher did not take the tray icon: %1")
                       .arg(reply->error().message());
    });
}

void StatusNotifierItem::click(TrayClick::Button button, int x, int y)
{
    TrayClick click;
    click.button = button;
    // A host activated from the keyboard may send no position; the pointer is the best guess then.
    click.position = x == 0 && y == 0 ? QCursor::pos() : logicalFromNativePosition(QPoint(x, y));
    click.altHeld = isAltHeldNow();
    Q_EMIT clicked(click);
}

} // namespace brindlemoor

#include "StatusNotifierItem.moc"
