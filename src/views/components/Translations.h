// SPDX-License-Identifier: MIT
#pragma once

#include <QLocale>

namespace brindlemoor {

/// Installs the program's translation and Qt's own for the first of the locale's languages
/// that the program is translated into (the system locale's list honours LANGUAGE), else
/// English, whose plural forms also come from a translation. Where no locale is set for dates
/// and hours (C), they follow the language the texts are in.
void installTranslations(const QLocale& locale = QLocale::system());

} // namespace brindlemoor
