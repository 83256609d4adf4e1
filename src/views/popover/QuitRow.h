// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractButton>
#include <QVariantAnimation>

namespace brindlemoor {

class Appearance;
class HoverTracker;

/// The popover's last row: "Quit" and its shortcut, on the accent colour while hovered.
class QuitRow final : public QAbstractButton {
    Q_OBJECT

public:
    explicit QuitRow(const Appearance& appearance, QWidget* parent = nullptr);

    /// The shortcut as this desktop writes it ("Ctrl+Q").
    static QKeySequence shortcut();
    QSize sizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    const Appearance& m_appearance;
    HoverTracker* m_hoverTracker;
    QVariantAnimation m_hoverMotion;
    qreal m_hover = 0;
};

} // namespace brindlemoor
