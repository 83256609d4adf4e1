// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QWidget>

namespace brindlemoor {

class ApplicationCatalog;

/// The "app" cell of the monitored-apps table: a 16 × 16 icon and the app's name.
/// Names and icons are cached for the life of the process: an app renamed on disk
/// keeps its first name until the program restarts.
class MonitoredAppCell final : public QWidget {
    Q_OBJECT

public:
    static constexpr int iconSide = 16;
    static constexpr int inset = 8;
    static constexpr int spacing = 8;

    explicit MonitoredAppCell(const ApplicationCatalog& catalog, QWidget* parent = nullptr);

    void configure(const QString& id);
    QString id() const { return m_id; }
    QString name() const { return m_name; }
    /// An app that is not installed shows no icon.
    bool hasIcon() const { return !m_icon.isNull(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ApplicationCatalog& m_catalog;
    QString m_id;
    QString m_name;
    QIcon m_icon;
};

} // namespace brindlemoor
