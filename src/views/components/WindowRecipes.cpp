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
