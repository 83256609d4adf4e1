// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace brindlemoor {

class Appearance;
class DesktopExtension;
class ProminentButton;

/// One line on the program's GNOME Shell extension while the desktop needs it and it does not
/// run, with a small button where the user's click can switch it on. Hidden, so taking no
/// room, while there is nothing to say. A parent without a layout asks heightForWidth() and
/// hears of a change through its layout requests.
class ExtensionNotice final : public QWidget {
    Q_OBJECT

public:
    /// Left-aligned, the button ends the line; centred, the button stands under the text.
    /// Without an extension (null) there is never anything to say.
    ExtensionNotice(const Appearance& appearance, DesktopExtension* extension, Qt::Alignment alignment,
                    QWidget* parent = nullptr);

    /// Empty while hidden.
    const QString& text() const { return m_text; }
    /// Hidden where a click cannot help.
    ProminentButton* turnOnButton() const { return m_button; }

    /// Left-aligned, the button's body ends flush with the box, and the widget reaches past
    /// the box by this much so that the button's focus ring is not cut off.
    QMargins overhang() const;

    /// For the box's width, without the overhang.
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Layout {
        QRectF text;
        QRect button;
        int height = 0;
    };
    Layout computeLayout(int width) const;
    int boxWidth() const { return width() - overhang().right(); }
    bool centred() const { return m_alignment.testFlag(Qt::AlignHCenter); }
    void refresh();

    const Appearance& m_appearance;
    DesktopExtension* m_extension;
    Qt::Alignment m_alignment;
    ProminentButton* m_button;
    QString m_text;
};

} // namespace brindlemoor
