// SPDX-License-Identifier: MIT
#include "views/history/HistoryWindow.h"

#include "views/history/HistoryView.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

namespace brindlemoor {

namespace {

// Room for twice the bars at most; past that they only grow apart.
const QSize largest(1100, 760);
const QSize opening(640, 520);

} // namespace

HistoryWindow::HistoryWindow(const Appearance& appearance, const TodayModel& today, const ApplicationCatalog& catalog,
                             const Clock& clock, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_view(new HistoryView(appearance, today, catalog, clock, this))
{
    setWindowTitle(tr("Usage history"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_view);
    setMinimumSize(m_view->minimumSizeHint());
    setMaximumSize(largest);
    resize(opening.expandedTo(minimumSize()));

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void HistoryWindow::present()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    if (!isVisible() && !m_placed) {
        // Opened from the tray, where a window manager placing it under the pointer would push it
        // off the screen's edge: the first time it opens in the middle of the screen, later where it was.
        const QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
        const QRect area = (screen ? screen : QGuiApplication::primaryScreen())->availableGeometry();
        resize(size().boundedTo(area.size()));
        move(area.center() - rect().center());
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
}

} // namespace brindlemoor
