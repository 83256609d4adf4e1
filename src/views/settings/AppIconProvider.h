// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QIcon>
#include <QPixmap>

class QString;

namespace brindlemoor {

class ApplicationCatalog;

/// Application icons by desktop-entry id, 20 × 20, for the usage rows, the widgets
/// and the chooser. The program makes one and shares it; an icon stays cached
/// until clear(), which the owner calls when the installed applications change.
class AppIconProvider final {
public:
    static constexpr int iconSize = 20;

    explicit AppIconProvider(const ApplicationCatalog& catalog);

    /// Always an image of 20 × 20 at `devicePixelRatio`: the app's icon or a drawn stand-in.
    QPixmap icon(const QString& id, qreal devicePixelRatio);
    QPixmap icon(const QString& id);
    void clear() { m_cache.clear(); }

    /// The icon a desktop entry names: a theme name or an absolute path. Null when nothing is found.
    static QIcon resolve(const QString& iconName);
    /// The icon at `side` × `side`, centred, at `devicePixelRatio`.
    static QPixmap render(const QIcon& icon, int side, qreal devicePixelRatio);
    /// The stand-in for an app without an icon: a tinted rounded square with the name's initial.
    static QPixmap fallback(const QString& id, const QString& name, int side, qreal devicePixelRatio);

private:
    const ApplicationCatalog& m_catalog;
    QHash<QString, QPixmap> m_cache; // keyed by id and pixel ratio
};

} // namespace brindlemoor
