// SPDX-License-Identifier: MIT
#pragma once

#include "views/components/NamedColors.h"
#include "views/components/Spring.h"

#include <QList>
#include <QVariant>
#include <QWidget>

namespace brindlemoor {

class Appearance;

/// A capsule of equal segments with a highlight that springs to the chosen one.
class FennSegmentedPicker final : public QWidget {
    Q_OBJECT

public:
    struct Option {
        QString label;
        QVariant value;
    };

    static constexpr int segmentHeight = 22;
    static constexpr int padding = 2;
    static constexpr int segmentTextInset = 4;

    FennSegmentedPicker(const Appearance& appearance, QList<Option> options, int itemWidth, QWidget* parent = nullptr);

    const QList<Option>& options() const { return m_options; }
    QVariant selection() const { return m_selection; }
    /// Places the highlight at once; sends nothing (the caller knows what it set).
    void setSelection(const QVariant& value);
    void setActiveTint(NamedColor tint);

    QRectF segmentRect(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

Q_SIGNALS:
    /// The user chose another segment.
    void selectionChanged(const QVariant& value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int segmentWidth() const;
    int indexOf(const QVariant& value) const;
    int segmentAt(const QPointF& position) const;
    void choose(int index);

    const Appearance& m_appearance;
    QList<Option> m_options;
    int m_itemWidth;
    QVariant m_selection;
    NamedColor m_tint = NamedColor::GlobalAccent;
    QRectF m_highlight;
    int m_pressed = -1;
    SpringAnimation m_animation;
};

} // namespace brindlemoor
