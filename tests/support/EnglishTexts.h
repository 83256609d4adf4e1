// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QTranslator>

#include <cstdlib>

/// The tests read the program's English texts, whose plural forms ("1 app", "2 apps") come
/// from a translation as every language's do; the machine's locale plays no part.
inline void installEnglishTexts(QTranslator& english)
{
    if (!english.load(QStringLiteral(BRINDLEMOOR_TRANSLATIONS_BUILD_DIR "/brindlemoor_en.qm")))
        qFatal("the English plural forms are not built (brindlemoor_translations)");
    QCoreApplication::installTranslator(&english);
}
