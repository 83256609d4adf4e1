// SPDX-License-Identifier: MIT
#pragma once

#include "app/RunningInstance.h"
#include "core/model/HistoryExport.h"
#include "core/status/TodayStatus.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

namespace brindlemoor {

/// Start the program (or ask the running one for `request`).
struct RunCommand {
    std::optional<RunningInstance::Request> request;
};
/// Print today's figures from the running program.
struct StatusCommand {
    StatusFormat format = StatusFormat::Text;
};
/// Write the kept history.
struct ExportCommand {
    ExportFormat format = ExportFormat::Csv;
    qint64 days = 0; ///< 0 for every kept day
    QString file;    ///< empty for standard output
};
struct HelpCommand {};
/// What cannot be run, and why.
struct CommandError {
    QString text;
};
using Command = std::variant<RunCommand, StatusCommand, ExportCommand, HelpCommand, CommandError>;

/// Reads the arguments after the program's name.
Command parseCommandLine(const QStringList& arguments);
QString usageText();

/// Both print to standard output (or the file), report on standard error, and answer the exit status.
int runStatus(const StatusCommand& command);
int runExport(const ExportCommand& command);

} // namespace brindlemoor
