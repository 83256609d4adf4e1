// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

namespace brindlemoor {

class Appearance;
class FloatingCardView;
class WindowSystem;

/// The always-on-top window of one floating widget: frameless, on every desktop, out of
/// the taskbar, never focused and never activating the program; dragging its background
/// moves it. A translucent margin around the card carries its shadow; without a compositor,
/// which cannot show translucency, the window is cut to the card and the card is backed.
class FloatingWidgetPanel final : public QWidget {
    Q_OBJECT

public:
    static constexpr int shadowMargin = 12;

    /// Takes `content` as its child. `bundleID` names the application; empty for the daily widget.
    FloatingWidgetPanel(const Appearance& appearance, FloatingCardView* content, WindowSystem& windowSystem,
                        QString bundleID = {});

    const QString& bundleID() const { return m_bundleID; }
    FloatingCardView* content() const { return m_content; }
    /// The card's size; the window is larger by the shadow margin on every side.
    static QSize cardSize();
    static QSize windowSize();

    /// Shows the panel in front without taking the focus from the application in use.
    void present();

Q_SIGNALS:
    /// The window moved: dragged by the user or placed by the program.
    void moved();

protected:
    void moveEvent(QMoveEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    const Appearance& m_appearance;
    FloatingCardView* m_content;
    WindowSystem& m_windowSystem;
    QString m_bundleID;
    bool m_translucent;
    QImage m_shadow;
};

} // namespace brindlemoor
