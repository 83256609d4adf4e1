// SPDX-License-Identifier: MIT
#include "Gallery.h"

namespace brindlemoor::gallery {

void renderStatusSurfaces(Gallery& /*gallery*/) {}

} // namespace brindlemoor::gallery
