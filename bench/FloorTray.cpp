// SPDX-License-Identifier: MIT
// The floor: a Qt Widgets program holding only a tray icon, measured beside the program. With
// --tick it also wakes every second and does nothing, the least a program that counts each
// second can cost.
#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

#include <cstring>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QPixmap dot(22, 22);
    dot.fill(Qt::transparent);
    {
        QPainter painter(&dot);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(51, 199, 189));
        painter.drawEllipse(QRectF(5, 5, 12, 12));
    }
    QSystemTrayIcon icon{QIcon(dot)};
    icon.show();
    QTimer tick;
    tick.setTimerType(Qt::VeryCoarseTimer);
    if (argc > 1 && std::strcmp(argv[1], "--tick") == 0)
        tick.start(1000);
    return QApplication::exec();
}
