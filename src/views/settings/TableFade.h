// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace brindlemoor {

/// The fade over the bottom row of a table that scrolls: clear from a fifth of the
/// way down to the control background at 95 % at the bottom. Clicks pass through.
class TableFade final : public QWidget {
    Q_OBJECT

public:
    explicit TableFade(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace brindlemoor
