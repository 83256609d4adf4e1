// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PreferencesStore.h"

#include <QTableWidget>

#include <optional>

namespace brindlemoor {

class Appearance;
class ApplicationCatalog;
class MonitoredAppCell;
class StepperCell;

/// The two-column table of monitored apps: icon and name, and the limit with its
/// stepper. It shows the list it is given and owns none of it: limit steps and
/// the selection go out as signals.
class MonitoredAppsTableView final : public QTableWidget {
    Q_OBJECT

public:
    static constexpr int standardRowHeight = 28;
    static constexpr int appColumnWidth = 237;
    static constexpr int limitColumnWidth = 80;

    explicit MonitoredAppsTableView(const Appearance& appearance, const ApplicationCatalog& catalog,
                                    QWidget* parent = nullptr);

    /// Takes new rows and the bound selection, reloads, and selects the first row
    /// with the selected id (or none).
    void setApps(const QList<MonitoredAppConfig>& apps, const std::optional<QString>& selection);
    const QList<MonitoredAppConfig>& apps() const { return m_apps; }

    MonitoredAppCell* appCell(int row) const;
    StepperCell* limitCell(int row) const;
    /// The rectangle of a row in the table's own coordinates.
    QRect rowRect(int row) const;

Q_SIGNALS:
    /// The user stepped a row's limit.
    void limitStepped(const QString& id, int minutes);
    /// For the selection binding. Sent on a later turn of the event loop, never inside
    /// the table's own selection notification.
    void selectedAppChanged(const std::optional<QString>& id);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void publishSelection();

    const Appearance& m_appearance;
    const ApplicationCatalog& m_catalog;
    QList<MonitoredAppConfig> m_apps;
};

} // namespace brindlemoor
