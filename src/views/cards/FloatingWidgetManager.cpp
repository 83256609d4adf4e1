// SPDX-License-Identifier: MIT
#include "views/cards/FloatingWidgetManager.h"

#include "core/foundation/JsonCoding.h"
#include "core/foundation/KeyValueStore.h"
#include "core/model/SettingsKeys.h"
#include "core/model/TodayModel.h"
#include "core/model/WidgetPositions.h"
#include "core/monitors/PlatformSources.h"
#include "views/cards/DailyFloatingWidgetView.h"
#include "views/cards/FloatingWidgetPanel.h"
#include "views/cards/FloatingWidgetView.h"

#include <QGuiApplication>
#include <QJsonObject>
#include <QScreen>

#include <algorithm>

namespace brindlemoor {

namespace {

using Positions = QJsonObject;

Positions readPositions(const KeyValueStore& defaults)
{
    return decodeWidgetPositions(defaults.dataValue(keys::floatingWidgetPositions));
}

// From the window's top-left corner to its centre, which is the card's centre too.
QPoint halfWindow()
{
    const QSize size = FloatingWidgetPanel::windowSize();
    return {size.width() / 2, size.height() / 2};
}

QList<FloatingWidgetManager::ScreenArea> screenAreas(int* primary)
{
    QList<FloatingWidgetManager::ScreenArea> areas;
    const QList<QScreen*> screens = QGuiApplication::screens();
    *primary = static_cast<int>(screens.indexOf(QGuiApplication::primaryScreen()));
    for (QScreen* screen : screens)
        areas.append({screen->geometry(), screen->availableGeometry()});
    return areas;
}

} // namespace

FloatingWidgetManager::FloatingWidgetManager(QObject* parent)
    : QObject(parent)
{
}

FloatingWidgetManager::~FloatingWidgetManager()
{
    // Quitting is not closing: the positions stay, and the widgets come back at the next start.
    for (const auto& panel : std::as_const(m_panels))
        delete panel.data();
    delete m_dailyPanel.data();
}

void FloatingWidgetManager::configure(const FloatingWidgetContext& context)
{
    m_context.emplace(context);
    followFrontmost(context.activeApps);
    restoreWidgets();
}

void FloatingWidgetManager::restoreWidgets()
{
    if (!m_context)
        return;
    const Positions positions = readPositions(m_context->defaults);
    for (auto it = positions.begin(); it != positions.end(); ++it) {
        const auto origin = widgetOriginOf(it.value());
        // An application no longer watched keeps its entry, should it be watched again.
        if (!origin || m_panels.contains(it.key()) || !m_context->today.isWatched(it.key()))
            continue;
        FloatingWidgetPanel* panel = createPanel(it.key());
        place(panel, *origin);
    }
    const auto daily = widgetOriginOf(
        json::parseObject(m_context->defaults.dataValue(keys::floatingWidgetDailyPosition)).value_or(QJsonObject()));
    if (daily && !m_dailyPanel && m_context->today.daily().limit)
        place(createDailyPanel(), *daily);
}

void FloatingWidgetManager::beginDragOut(const QString& bundleID, const QPoint& point)
{
    if (FloatingWidgetPanel* open = m_panels.value(bundleID)) {
        centre(open, point);
        return;
    }
    if (!m_context)
        return;
    const auto stored = widgetOriginOf(readPositions(m_context->defaults).value(bundleID));
    FloatingWidgetPanel* panel = createPanel(bundleID);
    place(panel, stored.value_or(point - halfWindow()));
}

void FloatingWidgetManager::moveWidget(const QString& bundleID, const QPoint& point)
{
    if (FloatingWidgetPanel* open = m_panels.value(bundleID))
        centre(open, point);
}

void FloatingWidgetManager::storePosition(const QString& bundleID)
{
    FloatingWidgetPanel* open = m_panels.value(bundleID);
    if (!open || !m_context)
        return;
    Positions positions = readPositions(m_context->defaults);
    positions.insert(bundleID, encodeWidgetOrigin(open->pos()));
    m_context->defaults.setValue(keys::floatingWidgetPositions, json::compact(positions));
}

void FloatingWidgetManager::closeWidget(const QString& bundleID)
{
    if (FloatingWidgetPanel* open = m_panels.take(bundleID)) {
        open->hide();
        open->deleteLater();
        Q_EMIT activePanelIDsChanged();
    }
    if (!m_context)
        return;
    Positions positions = readPositions(m_context->defaults);
    positions.remove(bundleID);
    m_context->defaults.setValue(keys::floatingWidgetPositions, json::compact(positions));
}

void FloatingWidgetManager::showDailyWidget(const QPoint& point)
{
    if (m_dailyPanel) {
        centre(m_dailyPanel, point);
        return;
    }
    if (!m_context)
        return;
    const auto stored = widgetOriginOf(
        json::parseObject(m_context->defaults.dataValue(keys::floatingWidgetDailyPosition)).value_or(QJsonObject()));
    place(createDailyPanel(), stored.value_or(point - halfWindow()));
}

void FloatingWidgetManager::storeDailyPosition()
{
    if (m_dailyPanel && m_context)
        m_context->defaults.setValue(keys::floatingWidgetDailyPosition,
                                     json::compact(encodeWidgetOrigin(m_dailyPanel->pos())));
}

void FloatingWidgetManager::closeDailyWidget()
{
    if (m_dailyPanel) {
        FloatingWidgetPanel* open = m_dailyPanel;
        m_dailyPanel = nullptr;
        open->hide();
        open->deleteLater();
        Q_EMIT activePanelIDsChanged();
    }
    if (m_context)
        m_context->defaults.remove(keys::floatingWidgetDailyPosition);
}

QSet<QString> FloatingWidgetManager::activePanelIDs() const
{
    QSet<QString> ids(m_panels.keyBegin(), m_panels.keyEnd());
    if (m_dailyPanel)
        ids.insert(dailyPanelID);
    return ids;
}

FloatingWidgetPanel* FloatingWidgetManager::panel(const QString& bundleID) const
{
    return m_panels.value(bundleID);
}

FloatingWidgetPanel* FloatingWidgetManager::dailyPanel() const
{
    return m_dailyPanel;
}

QPoint FloatingWidgetManager::clampOrigin(const QPoint& origin, const QSize& size, const QList<ScreenArea>& screens,
                                          int mainScreen)
{
    if (screens.isEmpty())
        return origin;
    const auto containing = std::find_if(screens.begin(), screens.end(),
                                         [&](const ScreenArea& screen) { return screen.geometry.contains(origin); });
    const ScreenArea& screen = containing != screens.end()                        ? *containing
                               : (mainScreen >= 0 && mainScreen < screens.size()) ? screens.at(mainScreen)
                                                                                  : screens.first();
    const QRect& area = screen.available;
    const int right = area.left() + area.width();
    const int bottom = area.top() + area.height();
    // Too wide: the right edge wins. Too tall: the top edge wins, where a card is grabbed.
    const int x = std::min(std::max(origin.x(), area.left()), right - size.width());
    const int y = std::max(std::min(origin.y(), bottom - size.height()), area.top());
    return {x, y};
}

FloatingWidgetPanel* FloatingWidgetManager::createPanel(const QString& bundleID)
{
    auto* view = new FloatingWidgetView(bundleID, *m_context, *this);
    auto* panel = new FloatingWidgetPanel(m_context->appearance, view, m_context->windowSystem, bundleID);
    connect(view, &FloatingCardView::closeRequested, this, [this, bundleID] { closeWidget(bundleID); });
    connect(panel, &FloatingWidgetPanel::moved, this, [this, bundleID] { storePosition(bundleID); });
    m_panels.insert(bundleID, panel);
    Q_EMIT activePanelIDsChanged();
    return panel;
}

FloatingWidgetPanel* FloatingWidgetManager::createDailyPanel()
{
    auto* view = new DailyFloatingWidgetView(*m_context, *this);
    auto* panel = new FloatingWidgetPanel(m_context->appearance, view, m_context->windowSystem);
    connect(view, &FloatingCardView::closeRequested, this, &FloatingWidgetManager::closeDailyWidget);
    connect(panel, &FloatingWidgetPanel::moved, this, &FloatingWidgetManager::storeDailyPosition);
    m_dailyPanel = panel;
    Q_EMIT activePanelIDsChanged();
    return panel;
}

void FloatingWidgetManager::place(FloatingWidgetPanel* panel, const QPoint& windowOrigin)
{
    // The shadow may leave the screen; the card may not.
    const QPoint margin(FloatingWidgetPanel::shadowMargin, FloatingWidgetPanel::shadowMargin);
    int primary = -1;
    const QList<ScreenArea> screens = screenAreas(&primary);
    panel->move(clampOrigin(windowOrigin + margin, FloatingWidgetPanel::cardSize(), screens, primary) - margin);
    panel->present();
}

void FloatingWidgetManager::centre(FloatingWidgetPanel* panel, const QPoint& point)
{
    panel->move(point - halfWindow());
}

void FloatingWidgetManager::followFrontmost(ActiveAppSource& source)
{
    if (const auto app = source.frontmostApp(); app && app->bundleID)
        setFrontmostBundleID(*app->bundleID);
    connect(&source, &ActiveAppSource::activated, this, [this](const std::optional<RunningApp>& app) {
        if (app && app->bundleID)
            setFrontmostBundleID(*app->bundleID);
    });
}

void FloatingWidgetManager::setFrontmostBundleID(const QString& bundleID)
{
    if (bundleID == m_frontmostBundleID)
        return;
    m_frontmostBundleID = bundleID;
    Q_EMIT frontmostBundleIDChanged(bundleID);
}

} // namespace brindlemoor
