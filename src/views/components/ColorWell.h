// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QColorDialog>
#include <QPointer>
#include <QWidget>

namespace brindlemoor {

class Appearance;

/// A small bordered swatch; a click opens a colour dialog whose choices stream
/// back as colorChanged() while the user drags.
class ColorWell final : public QWidget {
    Q_OBJECT

public:
    static constexpr int wellWidth = 44;
    static constexpr int wellHeight = 22;

    explicit ColorWell(const Appearance& appearance, QWidget* parent = nullptr);

    QColor color() const { return m_color; }
    /// Shows `color` in RGB; the same colour again is no assignment at all, so
    /// the echo of the user's own choice does not reset an open dialog.
    void setColor(const QColor& color);
    /// The dialog while it is open.
    QColorDialog* dialog() const { return m_dialog; }
    /// Opens the dialog, or raises it, as a click does.
    void openDialog();

    /// The same conversion the store's colour goes through: RGB, or as it is when that fails.
    static QColor toDeviceRgb(const QColor& color);

    QSize sizeHint() const override { return {wellWidth, wellHeight}; }

Q_SIGNALS:
    /// The user picked a colour (sent on every step of a drag in the dialog).
    void colorChanged(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void takeUserColor(const QColor& color);

    const Appearance& m_appearance;
    QColor m_color;
    QPointer<QColorDialog> m_dialog;
};

} // namespace brindlemoor
