// SPDX-License-Identifier: MIT
// A native Wayland window for tests: `NativeTestWindow APP_ID COLOUR` shows a window of one
// colour whose app_id (and title) is APP_ID.
#include <QColor>
#include <QGuiApplication>
#include <QPainter>
#include <QRasterWindow>

namespace {

class SolidWindow final : public QRasterWindow {
public:
    explicit SolidWindow(QColor colour)
        : m_colour(colour)
    {
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override { QPainter(this).fillRect(QRect(QPoint(), size()), m_colour); }

private:
    QColor m_colour;
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "wayland");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 3)
        return 2;
    // Qt's Wayland platform sends the desktop file name as the app_id.
    QGuiApplication::setDesktopFileName(arguments.at(1));
    SolidWindow window{QColor::fromString(arguments.at(2))};
    window.setTitle(arguments.at(1));
    window.resize(400, 300);
    window.show();
    return QGuiApplication::exec();
}
