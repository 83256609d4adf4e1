// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace brindlemoor::bench {

/// CPU time of the whole process so far, user and system, in seconds.
double processCpuSeconds();
/// The process's resident memory now (VmRSS), in MB; -1 when /proc does not tell.
double residentMb();
/// Whether `path` lies on a memory-backed file system, where disk writes cost nothing.
bool isInMemory(const QString& path);
/// One line of the bench's output: "name: value unit".
void printFigure(const char* name, double value, const char* unit, int decimals = 1);

} // namespace brindlemoor::bench
