// SPDX-License-Identifier: MIT
#include "views/components/WindowRecipes.h"

#include <QWidget>

namespace brindlemoor::windows {

namespace {

void translucent(QWidget* window)
{
    window->setAttribute(Qt::WA_TranslucentBackground);
    window->setAttribute(Qt::WA_NoSystemBackground);
}

} // namespace

void makeFloatingPanel(QWidget* window)
{
    window->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus);
    window->setAttribute(Qt::WA_ShowWithoutActivating);
    window->setAttribute(Qt::WA_X11DoNotAcceptFocus);
    translucent(window);
}

void makeOverlayWindow(QWidget* window)
{
    window->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    translucent(window);
}

void makePopoverWindow(QWidget* window)
{
    window->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    translucent(window);
}

} // namespace brindlemoor::windows
