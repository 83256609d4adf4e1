// SPDX-License-Identifier: MIT
#include "platform/linux/ProcessInfo.h"

#include "platform/linux/DesktopEntryParser.h"

#include <QFile>
#include <QFileInfo>

namespace brindlemoor {

namespace {

QString procPath(qint64 pid, const char* entry)
{
    return QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1StringView(entry));
}

} // namespace

QString ProcessInfo::executablePath(qint64 pid)
{
    if (pid <= 0)
        return {};
    return QFileInfo(procPath(pid, "exe")).symLinkTarget();
}

QString ProcessInfo::flatpakAppId(qint64 pid)
{
    if (pid <= 0)
        return {};
    QFile info(procPath(pid, "root/.flatpak-info"));
    if (!info.open(QIODevice::ReadOnly))
        return {};
    return flatpakAppIdFromInfo(info.read(qint64{64} * 1024));
}

QString ProcessInfo::flatpakAppIdFromInfo(QByteArrayView info)
{
    const auto group = DesktopEntryParser::readGroup(info, u"Application");
    return group ? group->value(QStringLiteral("name")) : QString();
}

} // namespace brindlemoor
