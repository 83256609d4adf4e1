// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractButton>

namespace brindlemoor {

class Appearance;

/// A text link: the label in the accent colour, underlined under the pointer or with the
/// keyboard focus. What it opens is its owner's business (the clicked signal).
class LinkButton final : public QAbstractButton {
    Q_OBJECT

public:
    LinkButton(const Appearance& appearance, const QString& label, const QFont& font, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    const Appearance& m_appearance;
    bool m_hovered = false;
};

} // namespace brindlemoor
