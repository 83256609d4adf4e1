// SPDX-License-Identifier: MIT
#pragma once

#include "views/components/NamedColors.h"
#include "views/components/Spring.h"

#include <QAbstractButton>

namespace brindlemoor {

class Appearance;

/// The program's switch: a label and a capsule track with a sliding knob. The
/// whole row is the hit area, so a click on the label toggles it as well.
/// A click springs the knob across; setChecked() places it at once.
class FennSwitch final : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr int trackWidth = 34;
    static constexpr int trackHeight = 20;
    static constexpr int knobDiameter = 14;
    static constexpr int knobTravel = 7;
    static constexpr int labelSpacing = 8;
    static constexpr int rowPadding = 2;

    explicit FennSwitch(const Appearance& appearance, const QString& label = {}, QWidget* parent = nullptr);

    void setTint(NamedColor tint);
    NamedColor tint() const { return m_tint; }
    /// A hidden label still names the switch for accessibility, but takes no room.
    void setLabelHidden(bool hidden);

    /// The track's rectangle inside the widget.
    QRectF trackRect() const;
    /// Centre of the knob now: left when off, right when on, in between while it springs.
    QPointF knobCenter() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override;
    void checkStateSet() override;

private:
    void setProgress(qreal progress);

    const Appearance& m_appearance;
    NamedColor m_tint = NamedColor::GlobalAccent;
    bool m_labelHidden = false;
    qreal m_progress = 0; // 0 off, 1 on; overshoots a little while springing
    SpringAnimation m_animation;
};

} // namespace brindlemoor
