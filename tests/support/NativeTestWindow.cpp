// SPDX-License-Identifier: MIT
// A solid native Wayland window for tests; its desktop-file name becomes its app_id, which
// is what a compositor tells about it. It says on standard output when it has first drawn
// ("shown") and when it gains and loses the keyboard ("active", "inactive"): the focus as the
// client sees it, apart from the compositor and the program under test.
//
//   brindlemoor_native_test_window DESKTOP-FILE-NAME TITLE COLOUR [--fullscreen]
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
        connect(this, &QWindow::activeChanged, this, [this] { say(isActive() ? "active" : "inactive"); });
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override
    {
        QPainter(this).fillRect(QRect(QPoint(), size()), m_colour);
        if (!m_shown) {
            m_shown = true;
            say("shown");
        }
    }

private:
    static void say(const char* line)
    {
        std::puts(line);
        std::fflush(stdout);
    }

    QColor m_colour;
    bool m_shown = false;
};

} // namespace

int main(int argc, char** argv)
{
    // Native even where DISPLAY is set too, as in a session with XWayland.
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
