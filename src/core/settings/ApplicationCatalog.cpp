// SPDX-License-Identifier: MIT
#include "core/settings/ApplicationCatalog.h"

#include <QFileInfo>

namespace brindlemoor {

QString applicationDisplayName(const ApplicationCatalog& catalog, const QString& id)
{
    if (const auto app = catalog.application(id)) {
        if (!app->name.isEmpty())
            return app->name;
        if (!app->filePath.isEmpty())
            return QFileInfo(app->filePath).completeBaseName();
    }
    return id;
}

} // namespace brindlemoor
