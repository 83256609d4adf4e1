// SPDX-License-Identifier: MIT
#include "views/components/HeadingLabel.h"

#include "views/components/AccessibleContent.h"

namespace brindlemoor {

HeadingLabel::HeadingLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    accessibility::install();
}

} // namespace brindlemoor
