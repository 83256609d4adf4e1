// SPDX-License-Identifier: MIT
// A solid native Wayland window for tests: its desktop-file name becomes its app_id. It says
// on stdout when it is first shown and when it gains and loses the keyboard, so that a test
// sees the focus from the client's side, independently of the compositor and the program.
//
//   brindlemoor-wayland-test-window DESKTOP-FILE-NAME TITLE COLOUR [--fullscreen]
#include <QColor>
#include <QGuiApplication>
#include <QPainter>
#include <QRasterWindow>

#include <cstdio>

namespace {

class SolidWindow final : public QRasterWindow {
public:
    explicit SolidWindow(const QColor& colour)
        : m_colour(colour)
    {
        connect(this, &QWindow::activeChanged, this, [this] {
            std::printf("%s\n", isActive() ? "active" : "inactive");
            std::fflush(stdout);
        });
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(QRect(QPoint(), size()), m_colour);
        if (!m_shown) {
            m_shown = true;
            std::printf("shown\n");
            std::fflush(stdout);
        }
    }

private:
    QColor m_colour;
    bool m_shown = false;
};

} // namespace

int main(int argc, char** argv)
{
    // A native client even where DISPLAY is set too, as under GNOME with XWayland.
    qputenv("QT_QPA_PLATFORM", "wayland");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 4 || !QColor::isValidColorName(arguments.at(3))) {
        std::fprintf(stderr, "usage: %s DESKTOP-FILE-NAME TITLE COLOUR [--fullscreen]\n", argv[0]);
        return 2;
    }
    QGuiApplication::setDesktopFileName(arguments.at(1));
    SolidWindow window(QColor::fromString(arguments.at(3)));
    window.setTitle(arguments.at(2));
    window.resize(400, 300);
    if (arguments.contains(QStringLiteral("--fullscreen")))
        window.showFullScreen();
    else
        window.show();
    return QGuiApplication::exec();
}
