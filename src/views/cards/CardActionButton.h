// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractButton>

namespace brindlemoor {

/// The reset or extend button of a floating card. The card paints its symbol within the
/// card's own layer, so that the button dims with the card; this widget only takes the
/// click and names the action for accessibility. It takes no focus unless its card says so
/// (the usage popover's cards); the card then draws its focus ring.
class CardActionButton final : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr int side = 16;

    explicit CardActionButton(const QString& accessibleName, QWidget* parent = nullptr);

    QSize sizeHint() const override { return {side, side}; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* /*event*/) override {}
};

} // namespace brindlemoor
