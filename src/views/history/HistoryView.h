// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/HistoryExport.h"
#include "core/model/HistorySeries.h"

#include <QDate>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>

class QAbstractButton;
class QComboBox;
class QLabel;

namespace brindlemoor {

class Appearance;
class ApplicationCatalog;
class Clock;
class FennSegmentedPicker;
class HistoryChart;
class TodayModel;

/// The usage history: the last 14 days or 12 weeks of the daily total or of one application as bars,
/// their averages, the figures of the bar pointed at or chosen, and the export of every kept day.
/// The kept days are read once and again only when the day changes or the view is shown; each
/// counted second updates today alone.
class HistoryView final : public QWidget {
    Q_OBJECT

public:
    /// Where to write, and the format of the file type the user chose; none when cancelled.
    struct ExportTarget {
        QString path;
        ExportFormat format = ExportFormat::Csv;
    };
    using ExportChooser = std::function<std::optional<ExportTarget>(QWidget* parent)>;

    HistoryView(const Appearance& appearance, const TodayModel& today, const ApplicationCatalog& catalog,
                const Clock& clock, QWidget* parent = nullptr);

    FennSegmentedPicker* spanPicker() const { return m_spanPicker; }
    QComboBox* appChooser() const { return m_apps; }
    HistoryChart* chart() const { return m_chart; }
    QAbstractButton* exportButton() const;
    /// The figures of the bar pointed at or chosen; a hint while there is none.
    QString figuresText() const;
    /// Where the last export went, or why it failed; empty before the first.
    QString exportStatus() const;
    /// True while the span holds no use to draw, and a sentence stands in the chart's place.
    bool showsEmptyHistory() const;

    /// The save dialog by default; a test puts its own answer here.
    void setExportChooser(ExportChooser chooser) { m_chooseTarget = std::move(chooser); }
    /// Asks where to, then writes every kept day and today so far; false when cancelled or refused.
    bool exportToFile();

    /// Reads the kept days again.
    void reload();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void build();
    void todayChanged();
    void updateApps();
    void updateSeries();
    void updateFigures();
    void setExportStatus(const QString& text, bool failed);
    QDate today() const;
    QString selectedApp() const;

    const Appearance& m_appearance;
    const TodayModel& m_today;
    const ApplicationCatalog& m_catalog;
    const Clock& m_clock;
    ExportChooser m_chooseTarget;

    DayRecords m_days;
    QDate m_daysRead;    ///< the day the kept days were read on
    QString m_recordDay; ///< the day being counted then
    QStringList m_appIds;
    bool m_stale = true;
    HistorySpan m_span = HistorySpan::Days;

    FennSegmentedPicker* m_spanPicker = nullptr;
    QComboBox* m_apps = nullptr;
    QLabel* m_dailyAverage = nullptr;
    QLabel* m_weeklyAverage = nullptr;
    HistoryChart* m_chart = nullptr;
    QLabel* m_empty = nullptr;
    QLabel* m_figures = nullptr;
    QLabel* m_status = nullptr;
    QAbstractButton* m_export = nullptr;
};

} // namespace brindlemoor
