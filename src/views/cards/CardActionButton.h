// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractButton>

namespace brindlemoor {

/// The reset or extend button of a floating card. The card paints its symbol within the
/// card's own layer, so that the button dims with the card; this widget only takes the
/// click and names the action for accessibility.
class CardActionButton final : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr int side = 16;

    explicit CardActionButton(const QString& accessibleName, QWidget* parent = nullptr);

    QSize sizeHint() const override { return {side, side}; }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {}
};

} // namespace brindlemoor
