// SPDX-License-Identifier: MIT
#include "views/components/Fonts.h"

#include <QGuiApplication>

namespace brindlemoor::fonts {

QFont system(int pixelSize, QFont::Weight weight)
{
    // The application font is the desktop's general font, or the one font the gallery and tests pin.
    QFont font = QGuiApplication::font();
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

} // namespace brindlemoor::fonts
