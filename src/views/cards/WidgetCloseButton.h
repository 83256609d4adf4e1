// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractButton>

namespace brindlemoor {

class Appearance;

/// The small round close button in a floating card's top-trailing corner. It fades and
/// grows in while the pointer is over the card, and out when it leaves.
class WidgetCloseButton final : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr qreal diameter = 11;
    /// A little room around the circle for the pointer.
    static constexpr int slack = 2;

    explicit WidgetCloseButton(const Appearance& appearance, QWidget* parent = nullptr);

    /// 0 gone, 1 fully shown: the opacity, and the scale from 0.6 up.
    void setReveal(qreal reveal);
    /// Where the circle goes for a card of `cardWidth`: 2 points in from the top-trailing corner.
    static QRect frameFor(int cardWidth);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Appearance& m_appearance;
    qreal m_reveal = 0;
};

} // namespace brindlemoor
