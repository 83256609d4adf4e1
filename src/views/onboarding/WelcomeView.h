// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace brindlemoor {

class ProminentButton;
class WelcomeLogoView;

/// The first-launch greeting: the logo, the program's name, what it does, and one button
/// that leads on. The view only reports the button; closing is the program's decision.
class WelcomeView final : public QWidget {
    Q_OBJECT

public:
    static constexpr QSize contentSize{340, 360};
    static constexpr int stackWidth = 300;
    static constexpr int horizontalPadding = 32;
    static constexpr int spacing = 16;
    static constexpr int logoSide = 100;
    /// Wider than the 240 points the lines were written for: the desktop fonts here are
    /// wider, and each line should stay one line.
    static constexpr int subtitleWidth = 290;
    static constexpr int subtitleLeading = 4;

    explicit WelcomeView(QWidget* parent = nullptr);

    static QString title();
    static QString subtitle();
    ProminentButton* continueButton() const { return m_button; }

    QSize sizeHint() const override { return contentSize; }

Q_SIGNALS:
    void continueRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Layout {
        QRect logo;
        QRectF title;
        QRectF subtitle;
        QRect button;
    };
    Layout computeLayout() const;

    WelcomeLogoView* m_logo;
    ProminentButton* m_button;
};

} // namespace brindlemoor
