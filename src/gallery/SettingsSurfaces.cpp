// SPDX-License-Identifier: MIT
#include "Gallery.h"

namespace brindlemoor::gallery {

void renderSettingsSurfaces(Gallery& /*gallery*/) {}

} // namespace brindlemoor::gallery
