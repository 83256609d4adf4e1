// SPDX-License-Identifier: MIT
// Renders every surface of the program to PNG files so that a person can look at them.
#include "gallery/Gallery.h"
#include "views/components/Translations.h"

#include <QApplication>
#include <QDir>
#include <QFont>

#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: brindlemoor-gallery FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "gallery: cannot create %s\n", argv[1]);
        return 1;
    }
    // One pinned font keeps the pictures the same on every machine; LANGUAGE picks their language.
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 13));
    brindlemoor::installTranslations();

    brindlemoor::gallery::Gallery gallery(folder);
    brindlemoor::gallery::renderStatusSurfaces(gallery);
    brindlemoor::gallery::renderSettingsSurfaces(gallery);
    brindlemoor::gallery::renderWidgetSurfaces(gallery);
    brindlemoor::gallery::renderSymbolSurfaces(gallery);
    brindlemoor::gallery::renderInsightsSurfaces(gallery);
    brindlemoor::gallery::renderOnboardingSurfaces(gallery);
    brindlemoor::gallery::renderMenuSurfaces(gallery);
    brindlemoor::gallery::renderHistorySurfaces(gallery);
    brindlemoor::gallery::checkContrast(gallery);
    return gallery.failures() == 0 ? 0 : 1;
}
