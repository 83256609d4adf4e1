// SPDX-License-Identifier: MIT
#include "app/CommandLine.h"

#include <gtest/gtest.h>

using namespace brindlemoor;

namespace {

Command parse(const char* line)
{
    return parseCommandLine(QString::fromLatin1(line).split(u' ', Qt::SkipEmptyParts));
}

} // namespace

TEST(CommandLine, ReadsEachFormAndRefusesWhatCannotRun)
{
    EXPECT_FALSE(std::get<RunCommand>(parse("")).request);
    EXPECT_EQ(std::get<RunCommand>(parse("--settings")).request, RunningInstance::Request::Settings);
    EXPECT_EQ(std::get<StatusCommand>(parse("--status")).format, StatusFormat::Text);
    EXPECT_EQ(std::get<StatusCommand>(parse("--status --format waybar")).format, StatusFormat::Waybar);
    const auto exporting = std::get<ExportCommand>(parse("--export json --days 14 out.json"));
    EXPECT_EQ(exporting.format, ExportFormat::Json);
    EXPECT_EQ(exporting.days, 14);
    EXPECT_EQ(exporting.file, QStringLiteral("out.json"));
    EXPECT_EQ(std::get<ExportCommand>(parse("--export csv")).file, QString());
    EXPECT_TRUE(std::holds_alternative<HelpCommand>(parse("--status --help")));

    for (const char* wrong :
         {"--export", "--export xml", "--status --format yaml", "--format json", "--export csv --days 0",
          "--export csv --days 3651", "--export csv --days ten", "--days 3 --export csv", "--export csv a b",
          "--status --export csv", "--settings --status", "--status extra", "--verbose"})
        EXPECT_TRUE(std::holds_alternative<CommandError>(parse(wrong))) << wrong;
}
