// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>

namespace brindlemoor {

/// A label that titles a surface; screen readers meet it as a heading.
class HeadingLabel final : public QLabel {
    Q_OBJECT

public:
    explicit HeadingLabel(const QString& text, QWidget* parent = nullptr);
};

} // namespace brindlemoor
