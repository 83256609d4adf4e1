// SPDX-License-Identifier: MIT
#include "views/settings/AppIconProvider.h"

#include "core/settings/ApplicationCatalog.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

namespace brindlemoor {

AppIconProvider::AppIconProvider(const ApplicationCatalog& catalog)
    : m_catalog(catalog)
{
}

QPixmap AppIconProvider::icon(const QString& id)
{
    return icon(id, qGuiApp ? qGuiApp->devicePixelRatio() : 1.0);
}

QPixmap AppIconProvider::icon(const QString& id, qreal devicePixelRatio)
{
    const QString key = id + QLatin1Char('@') + QString::number(devicePixelRatio);
    const auto cached = m_cache.constFind(key);
    if (cached != m_cache.constEnd())
        return *cached;
    const auto entry = m_catalog.application(id);
    const QIcon found = entry ? resolve(entry->icon) : QIcon();
    QPixmap pixmap = found.isNull() ? fallback(id, entry ? entry->name : id, iconSize, devicePixelRatio)
                                    : render(found, iconSize, devicePixelRatio);
    m_cache.insert(key, pixmap);
    return pixmap;
}

QIcon AppIconProvider::resolve(const QString& iconName)
{
    if (iconName.isEmpty())
        return {};
    if (QDir::isAbsolutePath(iconName)) {
        if (!QFileInfo(iconName).isFile())
            return {};
        QIcon icon(iconName);
        return icon.availableSizes().isEmpty() && icon.pixmap(QSize(iconSize, iconSize)).isNull() ? QIcon() : icon;
    }
    QIcon themed = QIcon::fromTheme(iconName);
    if (!themed.isNull())
        return themed;
    // Some entries name the file ("foo.png") where the theme wants a name.
    const QString bare = QFileInfo(iconName).completeBaseName();
    if (bare != iconName) {
        themed = QIcon::fromTheme(bare);
        if (!themed.isNull())
            return themed;
    }
    // The icon-theme rules' last resort.
    for (const char* suffix : {".png", ".svg", ".xpm"}) {
        const QString legacy = QStringLiteral("/usr/share/pixmaps/") + bare + QLatin1String(suffix);
        if (QFileInfo(legacy).isFile())
            return QIcon(legacy);
    }
    return {};
}

QPixmap AppIconProvider::render(const QIcon& icon, int side, qreal devicePixelRatio)
{
    QPixmap canvas(QSize(side, side) * devicePixelRatio);
    canvas.setDevicePixelRatio(devicePixelRatio);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Painting through the icon picks the best of its sizes and scales it to fit.
    icon.paint(&painter, QRect(0, 0, side, side), Qt::AlignCenter);
    return canvas;
}

QPixmap AppIconProvider::fallback(const QString& id, const QString& name, int side, qreal devicePixelRatio)
{
    QPixmap canvas(QSize(side, side) * devicePixelRatio);
    canvas.setDevicePixelRatio(devicePixelRatio);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    // A steady hue per app, the same in every run, so that an app always looks the same.
    uint hash = 0;
    for (const QChar c : id)
        hash = hash * 31 + c.unicode();
    const int hue = static_cast<int>(hash % 360);
    const QRectF square(0.5, 0.5, side - 1.0, side - 1.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromHsv(hue, 110, 190));
    painter.drawRoundedRect(square, side * 0.22, side * 0.22);
    const QString initial = name.trimmed().isEmpty() ? QStringLiteral("?") : name.trimmed().left(1).toUpper();
    QFont font = QGuiApplication::font();
    font.setPixelSize(qMax(6, side * 11 / 20));
    font.setWeight(QFont::DemiBold);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(square, Qt::AlignCenter, initial);
    return canvas;
}

} // namespace brindlemoor
