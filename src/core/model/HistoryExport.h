// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/UsageHistory.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <functional>
#include <optional>

namespace brindlemoor {

enum class ExportFormat { Csv, Json };

/// "csv" or "json"; none for anything else.
std::optional<ExportFormat> exportFormatNamed(const QString& name);

/// The kept days as a file: one row per day and application, oldest day first, each day's
/// applications most used first. `lastDays` keeps the days that end with `today` (0 keeps all).
/// A day the program did not run has no rows.
QByteArray exportHistory(const DayRecords& days, ExportFormat format, qint64 lastDays, QDate today,
                         const std::function<QString(const QString& bundleID)>& nameOf);

} // namespace brindlemoor
