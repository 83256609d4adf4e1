// SPDX-License-Identifier: MIT
#pragma once

#include <QLatin1String>

namespace brindlemoor {

/// The program's short name: its command, its settings folder, the id its own windows and sounds
/// carry (they never count as an application in use), and the word before each of its messages.
inline constexpr QLatin1String programId("brindlemoor");
/// The name a person reads.
inline constexpr QLatin1String programName("Brindlemoor");

} // namespace brindlemoor
