// SPDX-License-Identifier: MIT
#pragma once

#include "views/cards/FloatingWidgetContext.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSet>
#include <QString>

#include <optional>

namespace brindlemoor {

class FloatingWidgetPanel;

/// Owns the floating widgets: one per application dragged out of the popover and one for
/// the daily total. It opens them where they stood before (or under the pointer), keeps
/// their positions in the store while they are open, reopens them at start-up, and tells
/// them which application is frontmost.
///
/// Positions are the windows' top-left corners in Qt's global coordinates; placing a
/// widget from a stored position or a fresh drag keeps the whole card on one screen.
class FloatingWidgetManager final : public QObject {
    Q_OBJECT

public:
    /// The daily widget's identifier among activePanelIDs().
    inline static const QString dailyPanelID = QStringLiteral("__daily_limit__");

    explicit FloatingWidgetManager(QObject* parent = nullptr);
    ~FloatingWidgetManager() override;

    /// Takes what the widgets are built on and reopens the widgets open at the last quit.
    void configure(const FloatingWidgetContext& context);
    void restoreWidgets();

    /// Opens the application's widget (at its stored position, else centred on `point`),
    /// or centres the open one on `point`.
    void beginDragOut(const QString& bundleID, const QPoint& point);
    /// Centres the open widget on `point`, wherever that leaves it.
    void moveWidget(const QString& bundleID, const QPoint& point);
    void storePosition(const QString& bundleID);
    /// Closes the widget and forgets its position, so that it does not come back.
    void closeWidget(const QString& bundleID);

    void showDailyWidget(const QPoint& point);
    void storeDailyPosition();
    void closeDailyWidget();

    /// The frontmost application's identifier; empty while unknown.
    const QString& frontmostBundleID() const { return m_frontmostBundleID; }
    /// The open widgets: application identifiers, and dailyPanelID while the daily widget is open.
    QSet<QString> activePanelIDs() const;
    FloatingWidgetPanel* panel(const QString& bundleID) const;
    FloatingWidgetPanel* dailyPanel() const;

    struct ScreenArea {
        QRect geometry;  ///< the whole screen
        QRect available; ///< without panels and docks
    };
    /// Where a card of `size` meant for `origin` (its top-left corner) goes so that it shows
    /// whole on a screen: the first screen containing `origin`, else `mainScreen`, else the
    /// first. A card larger than the available area lines up with its top and right edges.
    static QPoint clampOrigin(const QPoint& origin, const QSize& size, const QList<ScreenArea>& screens,
                              int mainScreen);

Q_SIGNALS:
    void frontmostBundleIDChanged(const QString& bundleID);
    void activePanelIDsChanged();

private:
    FloatingWidgetPanel* createPanel(const QString& bundleID);
    FloatingWidgetPanel* createDailyPanel();
    void place(FloatingWidgetPanel* panel, const QPoint& windowOrigin);
    static void centre(FloatingWidgetPanel* panel, const QPoint& point);
    void followFrontmost(ActiveAppSource& source);
    void setFrontmostBundleID(const QString& bundleID);

    std::optional<FloatingWidgetContext> m_context;
    QString m_frontmostBundleID;
    QHash<QString, QPointer<FloatingWidgetPanel>> m_panels;
    QPointer<FloatingWidgetPanel> m_dailyPanel;
};

} // namespace brindlemoor
