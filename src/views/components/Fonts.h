// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

namespace brindlemoor::fonts {

// Pixel sizes equal to the design's point sizes, on the desktop's general font.

QFont system(int pixelSize, QFont::Weight weight = QFont::Normal);
inline QFont body()
{
    return system(13);
}
inline QFont caption()
{
    return system(10);
}
inline QFont title3()
{
    return system(15, QFont::DemiBold);
}

} // namespace brindlemoor::fonts
