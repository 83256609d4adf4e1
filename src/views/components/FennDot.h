// SPDX-License-Identifier: MIT
#pragma once

#include "views/components/NamedColors.h"

#include <QColor>
#include <QWidget>

class QPainter;

namespace brindlemoor {

class Appearance;

/// The small status dot: glowing in its colour when active, a faint grey disc when not.
class FennDot final : public QWidget {
    Q_OBJECT

public:
    static constexpr int padding = 5;

    FennDot(const Appearance& appearance, const QColor& color, qreal size, bool isActive, QWidget* parent = nullptr);

    /// Paints a dot centred on `center`, for views that draw rows themselves; the glow
    /// stays within the padding around it. An inactive dot ignores `color`; the scheme
    /// picks the rim and overlay.
    static void paint(QPainter& painter, const QPointF& center, const QColor& color, qreal size, bool isActive,
                      Scheme scheme);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Appearance& m_appearance;
    QColor m_color;
    qreal m_size;
    bool m_active;
};

} // namespace brindlemoor
