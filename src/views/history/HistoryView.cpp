// SPDX-License-Identifier: MIT
#include "views/history/HistoryView.h"

#include "core/foundation/Clock.h"
#include "core/model/PreferencesStore.h"
#include "core/model/TodayModel.h"
#include "core/settings/ApplicationCatalog.h"
#include "views/components/Appearance.h"
#include "views/components/FennSegmentedPicker.h"
#include "views/components/Fonts.h"
#include "views/components/HeadingLabel.h"
#include "views/components/NamedColors.h"
#include "views/components/ProminentButton.h"
#include "views/components/ViewsLogging.h"
#include "views/history/HistoryChart.h"
#include "views/history/HistoryTexts.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QSaveFile>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <algorithm>

namespace brindlemoor {

namespace {

constexpr int padding = 20;
constexpr int spacing = 12;
constexpr int pickerItemWidth = 80;

QString suffixOf(ExportFormat format)
{
    return format == ExportFormat::Json ? QStringLiteral("json") : QStringLiteral("csv");
}

/// The desktop's save dialog; the suffix follows the file type chosen in it.
std::optional<HistoryView::ExportTarget> askWithDialog(QWidget* parent, QDate today)
{
    const QString csv = HistoryView::tr("CSV files (*.csv)");
    const QString json = HistoryView::tr("JSON files (*.json)");
    QFileDialog dialog(parent, HistoryView::tr("Export Usage History"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({csv, json});
    dialog.setDefaultSuffix(suffixOf(ExportFormat::Csv));
    dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    //: The suggested file name of an export, before its suffix; %1 is the date.
    dialog.selectFile(HistoryView::tr("brindlemoor-history-%1").arg(today.toString(Qt::ISODate)));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
        dialog.setDefaultSuffix(suffixOf(filter == json ? ExportFormat::Json : ExportFormat::Csv));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return HistoryView::ExportTarget{dialog.selectedFiles().constFirst(),
                                     dialog.selectedNameFilter() == json ? ExportFormat::Json : ExportFormat::Csv};
}

QLabel* makeLabel(const QFont& font, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setFont(font);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    return label;
}

} // namespace

HistoryView::HistoryView(const Appearance& appearance, const TodayModel& today, const ApplicationCatalog& catalog,
                         const Clock& clock, QWidget* parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_today(today)
    , m_catalog(catalog)
    , m_clock(clock)
    , m_chooseTarget([this](QWidget* parent) { return askWithDialog(parent, this->today()); })
{
    followAppearance(this, appearance);
    setAutoFillBackground(true);
    build();
    connect(&m_today, &TodayModel::changed, this, &HistoryView::todayChanged);
    connect(m_chart, &HistoryChart::currentBarChanged, this, &HistoryView::updateFigures);
    reload();
}

void HistoryView::build()
{
    auto* title = new HeadingLabel(tr("Usage history"), this);
    title->setFont(fonts::system(18, QFont::DemiBold));
    auto* exportButton = new ProminentButton(m_appearance, tr("Export…"), 0, ProminentButton::Size::Small, this);
    exportButton->setAccessibleName(tr("Export the usage history to a file"));
    m_export = exportButton;
    connect(m_export, &QAbstractButton::clicked, this, &HistoryView::exportToFile);
    auto* header = new QHBoxLayout;
    header->addWidget(title, 1);
    header->addWidget(m_export, 0, Qt::AlignVCenter);

    m_spanPicker =
        new FennSegmentedPicker(m_appearance,
                                {{tr("14 days"), QVariant::fromValue(static_cast<int>(HistorySpan::Days))},
                                 {tr("12 weeks"), QVariant::fromValue(static_cast<int>(HistorySpan::Weeks))}},
                                pickerItemWidth, this);
    m_spanPicker->setAccessibleName(tr("Period shown"));
    m_spanPicker->setSelection(QVariant::fromValue(static_cast<int>(m_span)));
    connect(m_spanPicker, &FennSegmentedPicker::selectionChanged, this, [this](const QVariant& value) {
        m_span = static_cast<HistorySpan>(value.toInt());
        updateSeries();
    });
    m_apps = new QComboBox(this);
    m_apps->setFont(fonts::body());
    m_apps->setAccessibleName(tr("Application shown"));
    m_apps->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_apps->setMaximumWidth(280);
    connect(m_apps, &QComboBox::currentIndexChanged, this, &HistoryView::updateSeries);
    auto* controls = new QHBoxLayout;
    controls->setSpacing(spacing);
    controls->addWidget(m_spanPicker, 0, Qt::AlignVCenter);
    controls->addWidget(m_apps, 0, Qt::AlignVCenter);
    controls->addStretch(1);

    m_dailyAverage = makeLabel(fonts::body(), this);
    m_weeklyAverage = makeLabel(fonts::body(), this);
    // Side by side they are short; wrapped, each would break before its unit.
    m_dailyAverage->setWordWrap(false);
    m_weeklyAverage->setWordWrap(false);
    auto* averages = new QHBoxLayout;
    averages->setSpacing(2 * spacing);
    averages->addWidget(m_dailyAverage);
    averages->addWidget(m_weeklyAverage);
    averages->addStretch(1);

    m_chart = new HistoryChart(m_appearance, this);
    m_empty = makeLabel(fonts::body(), this);
    m_empty->setAlignment(Qt::AlignCenter);
    m_empty->setForegroundRole(QPalette::PlaceholderText);
    m_empty->setMinimumHeight(m_chart->minimumSizeHint().height());
    m_empty->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    m_figures = makeLabel(fonts::body(), this);
    // Two lines held, so that a longer day's figures do not move the controls below.
    m_figures->setMinimumHeight(2 * m_figures->fontMetrics().height());
    m_figures->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_status = makeLabel(fonts::system(12), this);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_status->hide();

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(padding, padding, padding, padding);
    column->setSpacing(spacing);
    column->addLayout(header);
    column->addLayout(controls);
    column->addLayout(averages);
    column->addWidget(m_chart, 1);
    column->addWidget(m_empty, 1);
    column->addWidget(m_figures);
    column->addWidget(m_status);

    setTabOrder(m_spanPicker, m_apps);
    setTabOrder(m_apps, m_chart);
    setTabOrder(m_chart, m_export);
}

QAbstractButton* HistoryView::exportButton() const
{
    return m_export;
}

QString HistoryView::figuresText() const
{
    return m_figures->text();
}

QString HistoryView::exportStatus() const
{
    return m_status->text();
}

bool HistoryView::showsEmptyHistory() const
{
    return !m_empty->isHidden();
}

QDate HistoryView::today() const
{
    return m_clock.now().date();
}

QString HistoryView::selectedApp() const
{
    return m_apps->currentData().toString();
}

void HistoryView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    reload();
}

void HistoryView::reload()
{
    m_days = m_today.history();
    m_daysRead = today();
    m_recordDay = m_today.todayRecord().day;
    m_stale = false;
    updateApps();
    updateSeries();
}

void HistoryView::todayChanged()
{
    // Hidden, it only notes that it is behind; showing it reads everything again.
    if (!isVisible()) {
        m_stale = true;
        return;
    }
    // Only today changes while the day lasts; a new day has closed the last one into the kept days.
    const DayRecord record = m_today.todayRecord();
    if (m_stale || today() != m_daysRead || record.day != m_recordDay) {
        reload();
        return;
    }
    m_days.insert(record.day, record);
    updateApps();
    updateSeries();
}

void HistoryView::updateApps()
{
    QStringList ids = historyApps(m_days);
    for (const MonitoredAppConfig& app : m_today.settings().monitoredApps()) {
        if (!ids.contains(app.bundleID))
            ids.append(app.bundleID);
    }
    if (ids == m_appIds && m_apps->count() > 0)
        return;
    m_appIds = ids;
    const QString chosen = selectedApp();
    const QSignalBlocker quiet(m_apps);
    m_apps->clear();
    m_apps->addItem(tr("All apps"), QString());
    for (const QString& id : std::as_const(ids))
        m_apps->addItem(applicationDisplayName(m_catalog, id), id);
    m_apps->setCurrentIndex(std::max(0, m_apps->findData(chosen)));
}

void HistoryView::updateSeries()
{
    const QString app = selectedApp();
    const HistorySeries series = historySeries(m_days, app, m_span, today(), QLocale().firstDayOfWeek());
    const NamedColor tint = app.isEmpty() ? NamedColor::DailyBlue : NamedColor::GlobalAccent;
    m_spanPicker->setActiveTint(tint);
    m_chart->setSeries(series, m_span, tint);

    // Recorded days without a second of use draw nothing worth a chart.
    const bool empty = std::none_of(series.bars.begin(), series.bars.end(),
                                    [](const HistoryBar& bar) { return bar.totalSeconds > 0; });
    if (empty) {
        m_empty->setText(app.isEmpty()
                             ? tr("Nothing recorded in this period yet. Each day you use your computer adds its "
                                  "bar here.")
                             : tr("%1 was not used in this period.").arg(m_apps->currentText()));
    }
    m_empty->setVisible(empty);
    m_chart->setVisible(!empty);
    m_figures->setVisible(!empty);
    m_dailyAverage->setVisible(!empty);
    m_weeklyAverage->setVisible(!empty);
    m_dailyAverage->setText(HistoryTexts::dailyAverage(series.dailyAverage));
    m_weeklyAverage->setText(HistoryTexts::weeklyAverage(series.weeklyAverage));
    updateFigures();
}

void HistoryView::updateFigures()
{
    const int current = m_chart->currentBar();
    if (current < 0) {
        m_figures->setForegroundRole(QPalette::PlaceholderText);
        m_figures->setText(m_span == HistorySpan::Days
                               ? tr("Point at a day, or select the chart and use the arrow keys, to see its figures.")
                               : tr("Point at a week, or select the chart and use the arrow keys, to see its "
                                    "figures."));
        return;
    }
    m_figures->setForegroundRole(QPalette::WindowText);
    m_figures->setText(HistoryTexts::figures(m_chart->series().bars.at(current), m_span));
}

bool HistoryView::exportToFile()
{
    const std::optional<ExportTarget> target = m_chooseTarget ? m_chooseTarget(this) : std::nullopt;
    if (!target)
        return false;
    // A suffix the user typed says what the file is; without one the chosen file type does.
    const ExportFormat format = exportFormatNamed(QFileInfo(target->path).suffix().toLower()).value_or(target->format);
    const QByteArray data = exportHistory(m_today.history(), format, 0, today(),
                                          [this](const QString& id) { return applicationDisplayName(m_catalog, id); });
    const QString shown = QDir::toNativeSeparators(target->path);
    QSaveFile file(target->path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        qCWarning(lcViews).noquote() << "cannot export the usage history to" << shown << "\u2014" << file.errorString();
        setExportStatus(tr("Could not export to %1: %2").arg(shown, file.errorString()), true);
        return false;
    }
    setExportStatus(tr("Exported to %1").arg(shown), false);
    return true;
}

void HistoryView::setExportStatus(const QString& text, bool failed)
{
    m_status->setForegroundRole(failed ? QPalette::WindowText : QPalette::PlaceholderText);
    m_status->setText(text);
    m_status->show();
}

} // namespace brindlemoor
