// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractButton>

namespace brindlemoor {

/// The one call to action of a view: a large rounded button filled with the accent colour,
/// its label in white. Return, Enter and Space press it while it has the focus.
class ProminentButton final : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr int height = 30;
    static constexpr int cornerRadius = 8;

    ProminentButton(const QString& label, int minimumWidth, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    int m_minimumWidth;
    bool m_hovered = false;
};

} // namespace brindlemoor
