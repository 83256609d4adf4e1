// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractButton>
#include <QVariantAnimation>

namespace brindlemoor {

class Appearance;

/// The reflection panel's header: the glowing sparkles, "Insights" and a dot that turns
/// teal while the panel is open. Clicking it asks the panel to open or close.
class ReflectionHeader final : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr int height = 32;

    explicit ReflectionHeader(const Appearance& appearance, QWidget* parent = nullptr);

    bool isExpanded() const { return m_expanded; }
    /// Tints the background and the dot, easing there over 0.2 s.
    void setExpanded(bool expanded);

    QSize sizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QFont labelFont() const;

    const Appearance& m_appearance;
    bool m_expanded = false;
    qreal m_openness = 0; // 0 closed ... 1 open, as shown now
    QVariantAnimation m_animation;
};

} // namespace brindlemoor
