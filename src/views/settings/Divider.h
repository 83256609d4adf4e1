// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace brindlemoor {

class Appearance;

/// A one-pixel line in the separator colour, across (horizontal) or upright (vertical).
class Divider final : public QWidget {
    Q_OBJECT

public:
    explicit Divider(const Appearance& appearance, Qt::Orientation orientation, qreal opacity = 1.0,
                     QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Appearance& m_appearance;
    Qt::Orientation m_orientation;
    qreal m_opacity;
};

} // namespace brindlemoor
