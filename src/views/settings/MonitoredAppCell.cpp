// SPDX-License-Identifier: MIT
#include "views/settings/MonitoredAppCell.h"

#include "core/settings/ApplicationCatalog.h"
#include "views/components/Fonts.h"
#include "views/settings/AppIconProvider.h"

#include <QHash>
#include <QPainter>

namespace brindlemoor {

namespace {

QHash<QString, QIcon>& iconCache()
{
    static QHash<QString, QIcon> cache;
    return cache;
}

QHash<QString, QString>& nameCache()
{
    static QHash<QString, QString> cache;
    return cache;
}

} // namespace

MonitoredAppCell::MonitoredAppCell(const ApplicationCatalog& catalog, QWidget* parent)
    : QWidget(parent)
    , m_catalog(catalog)
{
    setFont(fonts::body());
}

void MonitoredAppCell::configure(const QString& id)
{
    m_id = id;
    std::optional<ApplicationInfo> entry;
    bool looked = false;
    const auto lookUp = [&] {
        if (!looked) {
            entry = m_catalog.application(id);
            looked = true;
        }
        return entry;
    };

    if (const auto it = iconCache().constFind(id); it != iconCache().constEnd()) {
        m_icon = *it;
    } else if (const auto app = lookUp()) {
        // An installed app always gets a picture; only a missing app shows none.
        QIcon icon = AppIconProvider::resolve(app->icon);
        if (icon.isNull()) {
            icon = QIcon(AppIconProvider::fallback(id, app->name, iconSide, 1.0));
            icon.addPixmap(AppIconProvider::fallback(id, app->name, iconSide, 2.0));
        }
        iconCache().insert(id, icon);
        m_icon = icon;
    } else {
        m_icon = QIcon();
    }

    if (const auto it = nameCache().constFind(id); it != nameCache().constEnd()) {
        m_name = *it;
    } else {
        const auto app = lookUp();
        m_name = app && !app->name.isEmpty() ? app->name : id;
        nameCache().insert(id, m_name);
    }
    setAccessibleName(m_name);
    update();
}

void MonitoredAppCell::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const int iconTop = (height() - iconSide) / 2;
    if (!m_icon.isNull())
        m_icon.paint(&painter, QRect(inset, iconTop, iconSide, iconSide), Qt::AlignCenter);
    const int textLeft = inset + iconSide + spacing;
    const QRect textRect(textLeft, 0, width() - textLeft - inset, height());
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(m_name, Qt::ElideRight, textRect.width()));
}

} // namespace brindlemoor
