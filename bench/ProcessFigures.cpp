// SPDX-License-Identifier: MIT
#include "bench/ProcessFigures.h"

#include <QFile>

#include <cstdio>
#include <ctime>
#include <linux/magic.h>
#include <sys/vfs.h>

namespace brindlemoor::bench {

double processCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

double residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').constFirst().toDouble() / 1024.0;
    }
    return -1;
}

bool isInMemory(const QString& path)
{
    struct statfs info = {};
    return statfs(QFile::encodeName(path).constData(), &info) == 0 &&
           (info.f_type == TMPFS_MAGIC || info.f_type == RAMFS_MAGIC);
}

void printFigure(const char* name, double value, const char* unit, int decimals)
{
    std::printf("%s: %.*f %s\n", name, decimals, value, unit);
    std::fflush(stdout);
}

} // namespace brindlemoor::bench
