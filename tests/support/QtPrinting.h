// SPDX-License-Identifier: MIT
#pragma once

#include "core/monitors/PlatformSources.h"

#include <QString>
#include <QStringList>

#include <ostream>

// Readable failure messages: gtest would otherwise dump QStrings byte by byte.

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* out)
{
    *out << '[' << list.join(QStringLiteral(", ")).toStdString() << ']';
}

namespace brindlemoor {

inline void PrintTo(const RunningApp& app, std::ostream* out)
{
    *out << "RunningApp{" << (app.bundleID ? app.bundleID->toStdString() : std::string("no id")) << '}';
}

} // namespace brindlemoor
