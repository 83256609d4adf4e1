// SPDX-License-Identifier: MIT
#pragma once

#include "views/components/AccessibleContent.h"

#include <QWidget>

namespace brindlemoor {

class Appearance;
class DesktopExtension;
class ExtensionNotice;
class ProminentButton;
class WelcomeLogoView;

/// The first-launch greeting: the logo, the program's name, what it does, the notice on the
/// GNOME Shell extension while the desktop needs it, and one button that leads on. The view
/// only reports the button; closing is the program's decision.
class WelcomeView final : public QWidget, public AccessibleContent {
    Q_OBJECT

public:
    /// Without the notice, which adds its own height.
    static constexpr QSize contentSize{340, 360};
    static constexpr int stackWidth = 300;
    static constexpr int horizontalPadding = 32;
    static constexpr int spacing = 16;
    static constexpr int logoSide = 100;
    /// Wider than the 240 points the lines were written for: the desktop fonts here are
    /// wider, and each line should stay one line.
    static constexpr int subtitleWidth = 290;
    static constexpr int subtitleLeading = 4;

    /// `extension` may be null: then there is no notice.
    explicit WelcomeView(const Appearance& appearance, DesktopExtension* extension, QWidget* parent = nullptr);

    static QString title();
    static QString subtitle();
    ProminentButton* continueButton() const { return m_button; }
    ExtensionNotice* extensionNotice() const { return m_notice; }

    QSize sizeHint() const override;

    QAccessible::Role accessibleRole() const override { return QAccessible::Pane; }
    QString accessibleText() const override { return title(); }
    QList<AccessibleItem> accessibleItems() const override;

Q_SIGNALS:
    void continueRequested();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Layout {
        QRect logo;
        QRectF title;
        QRectF subtitle;
        QRect notice;
        QRect button;
    };
    Layout computeLayout() const;
    /// The notice's height and the spacing after it; none while it is hidden.
    int noticeExtent() const;

    const Appearance& m_appearance;
    WelcomeLogoView* m_logo;
    ExtensionNotice* m_notice;
    ProminentButton* m_button;
};

} // namespace brindlemoor
