// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractButton>

namespace brindlemoor {

class Appearance;

/// The one call to action of a view: a large rounded button filled with the accent colour,
/// its label in white; a small one acts within a line of text. Return, Enter and Space
/// press it while it has the focus.
class ProminentButton final : public QAbstractButton {
    Q_OBJECT

public:
    enum class Size { Regular, Small };

    static constexpr int height = 30; ///< a regular button's body
    static constexpr int cornerRadius = 8;
    static constexpr int smallHeight = 20;
    static constexpr int focusMargin = 3; ///< room for the focus ring on each side of the body

    ProminentButton(const Appearance& appearance, const QString& label, int minimumWidth, Size size = Size::Regular,
                    QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    const Appearance& m_appearance;
    int m_minimumWidth;
    Size m_size;
    bool m_hovered = false;
};

} // namespace brindlemoor
