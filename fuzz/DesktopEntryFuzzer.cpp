// SPDX-License-Identifier: MIT
// Desktop entries are other programs' files. The first byte picks the locale, the rest is the file.
#include "FuzzerSetup.h"

#include "platform/linux/DesktopEntryParser.h"

#include <array>

using namespace brindlemoor;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::silenceQtMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static const std::array<DesktopEntryParser, 5> parsers{
        DesktopEntryParser(), DesktopEntryParser(QStringLiteral("de_AT.UTF-8@euro")),
        DesktopEntryParser(QStringLiteral("sr_RS@latin")), DesktopEntryParser(QStringLiteral("pt_BR")),
        DesktopEntryParser(QStringLiteral("_@"))};
    const QByteArray text = fuzz::bytesOf(data + 1, size - 1);
    if (const auto entry = parsers[data[0] % parsers.size()].parse(text)) {
        DesktopEntryParser::programOf(entry->exec);
        DesktopEntryParser::programOf(entry->tryExec);
    }
    DesktopEntryParser::readGroup(text, u"Desktop Action new-window");
    return 0;
}
