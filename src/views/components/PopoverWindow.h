// SPDX-License-Identifier: MIT
#pragma once

#include "core/status/PopoverAnchor.h"

#include <QPainterPath>
#include <QPointer>
#include <QRect>
#include <QWidget>

namespace brindlemoor {

class Appearance;

/// A rounded panel with an arrow towards its anchor, in a frameless translucent
/// top-level window. It opens under the anchor, or above it when the anchor is in
/// the lower half of its screen (a bottom panel), and stays on the screen. Without an
/// anchor (no tray) it opens in the middle of the primary screen, with no arrow.
class PopoverWindow final : public QWidget {
    Q_OBJECT

public:
    enum class Behavior {
        Transient,          ///< closes on a click elsewhere and when the program loses activation
        ApplicationDefined, ///< closes only when the program says so
    };
    enum class Edge { Below, Above, None };

    static constexpr int margin = 10; ///< room for the shadow around the panel
    static constexpr int arrowHeight = 9;
    static constexpr int arrowWidth = 18;
    static constexpr int cornerRadius = 10;
    static constexpr int anchorGap = 2;
    static constexpr int screenMargin = 4;

    struct Placement {
        QRect window; ///< global geometry of the whole window
        Edge edge;    ///< where the popover is, seen from the anchor
        int arrowX;   ///< the arrow's tip, in window coordinates
    };
    /// Where a panel of `panelSize` goes for `anchor` on a screen (for a centred anchor,
    /// the primary screen).
    static Placement place(QSize panelSize, const QRect& anchor, const QRect& screen, const QRect& available);

    explicit PopoverWindow(const Appearance& appearance, Behavior behavior = Behavior::Transient,
                           QWidget* parent = nullptr);

    /// Shows `content` in the panel, pointing at `anchor`. The window owns the content
    /// from now on; a different content shown before is deleted.
    void showPopover(QWidget* content, const PopoverAnchor& anchor);
    bool isShown() const { return isVisible(); }
    void closePopover();

    /// Without a compositor the transparent margins would show black: the window is then
    /// cut to the panel's shape, and the shadow left out. On by default.
    void setCompositing(bool compositing);

    Behavior behavior() const { return m_behavior; }
    QWidget* content() const { return m_content; }
    Edge edge() const { return m_placement.edge; }
    /// The arrow's tip in global coordinates.
    QPoint arrowTip() const;
    /// The panel's rectangle in window coordinates.
    QRect panelRect() const;

public Q_SLOTS:
    /// For the global click monitor: a transient popover closes on a click outside
    /// itself and outside the windows it opened (a colour dialog, for one).
    void handleGlobalClick(const QPoint& globalPosition);
    /// The same, at the pointer's position now.
    void handleGlobalClick();

Q_SIGNALS:
    void shown();
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void focusFirstControl();
    void reposition();
    bool belongsToPopover(const QWidget* window) const;
    bool familyWindowVisible() const;
    QPainterPath panelPath() const;

    const Appearance& m_appearance;
    Behavior m_behavior;
    QPointer<QWidget> m_content;
    PopoverAnchor m_anchor;
    Placement m_placement{{}, Edge::Below, 0};
    bool m_compositing = true;
};

} // namespace brindlemoor
