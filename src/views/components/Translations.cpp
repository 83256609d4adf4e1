// SPDX-License-Identifier: MIT
#include "views/components/Translations.h"

#include "core/foundation/ProgramIdentity.h"
#include "views/components/ViewsLogging.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace brindlemoor {

namespace {

const QString kSeparator = QStringLiteral("_");

// Beside the binary first, so that an installed copy and one run from its build tree each
// read their own; the configured prefix last.
QString translationsFolder()
{
    const QStringList candidates{
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/brindlemoor/translations"),
        QStringLiteral(BRINDLEMOOR_BUILD_TRANSLATIONS_DIR),
        QStringLiteral(BRINDLEMOOR_INSTALL_TRANSLATIONS_DIR),
    };
    for (const QString& candidate : candidates) {
        if (QFileInfo::exists(candidate + QStringLiteral("/brindlemoor_en.qm")))
            return candidate;
    }
    return {};
}

// The C locale's formats ("13:00:00") are what the system locale writes dates and hours in when
// no locale is set for them, even when LANGUAGE names a language and Qt calls the locale by it.
bool timeFormatsUnchosen()
{
    for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
        const QByteArray value = qgetenv(variable);
        if (!value.isEmpty())
            return value == "C" || value == "POSIX" || value.startsWith("C.");
    }
    return true;
}

} // namespace

void installTranslations(const QLocale& locale)
{
    auto* const app = QCoreApplication::instance();
    const QString folder = translationsFolder();
    auto* own = new QTranslator(app);
    if (!own->load(locale, programId, kSeparator, folder) &&
        !own->load(programId + kSeparator + QStringLiteral("en"), folder)) {
        qCWarning(lcViews) << "no translations found; counts read as their plural forms";
        delete own;
        return;
    }
    QCoreApplication::installTranslator(own);

    const QLocale language(own->language());
    auto* qt = new QTranslator(app);
    if (qt->load(language, QStringLiteral("qtbase"), kSeparator, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    if (timeFormatsUnchosen())
        QLocale::setDefault(language);
}

} // namespace brindlemoor
