// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace brindlemoor {

class Appearance;

/// The fade over the bottom row of a table that scrolls: clear from a fifth of the
/// way down to the control background at 95 % at the bottom. Clicks pass through.
class TableFade final : public QWidget {
    Q_OBJECT

public:
    explicit TableFade(const Appearance& appearance, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Appearance& m_appearance;
};

} // namespace brindlemoor
