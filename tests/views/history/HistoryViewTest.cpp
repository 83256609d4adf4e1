// SPDX-License-Identifier: MIT
#include "views/history/HistoryView.h"
#include "core/foundation/DurationText.h"
#include "core/foundation/KeyValueStore.h"
#include "core/model/PreferencesStore.h"
#include "core/model/SettingsKeys.h"
#include "core/model/TodayModel.h"
#include "core/model/UsageRecords.h"
#include "core/model/UsageStore.h"
#include "platform/fake/FakeApplicationCatalog.h"
#include "platform/fake/ManualClock.h"
#include "support/MessageLog.h"
#include "support/WidgetTesting.h"
#include "views/components/FennSegmentedPicker.h"
#include "views/history/HistoryChart.h"
#include "views/history/HistoryTexts.h"

#include <QAccessible>
#include <QComboBox>
#include <QJsonDocument>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace brindlemoor;
using namespace brindlemoor::test;

namespace {

const QString kBrowser = QStringLiteral("org.mozilla.firefox");

/// Seven recorded days before today but for the third day back, which the program missed.
class HistoryViewTest : public WidgetTest {
protected:
    static constexpr int missedDaysAgo = 3;

    void SetUp() override
    {
        WidgetTest::SetUp();
        prefs.saveMonitoredApps({{kBrowser, 60}});
        const QDate today = clock.now().date();
        UsageHistory history(defaults);
        for (int daysAgo = 7; daysAgo >= 1; --daysAgo) {
            if (daysAgo == missedDaysAgo)
                continue;
            const double seconds = 3000 + 600 * daysAgo;
            history.record({today.addDays(-daysAgo).toString(Qt::ISODate),
                            {{kBrowser, seconds, 3600.0, seconds >= 3600}},
                            seconds,
                            std::nullopt,
                            DayOutcome::WithinLimits},
                           UsageHistory::defaultKeptDays);
        }
        PersistedState state;
        state.lastResetDay = today.toString(Qt::ISODate);
        state.entries.insert(kBrowser, Entry{kBrowser, 1200, 1200, 3});
        defaults.setValue(keys::usageDailyData, state.encode().value_or(QByteArray()));
        usage = std::make_unique<UsageStore>(defaults, clock);
        model = std::make_unique<TodayModel>(prefs, *usage);
        view = std::make_unique<HistoryView>(appearance, *model, catalog, clock);
        view->resize(640, 520);
        view->show();
        view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    }

    HistoryChart* chart() const { return view->chart(); }
    QString figuresOf(int bar) const { return HistoryTexts::figures(chart()->series().bars.at(bar), chart()->span()); }
    void press(Qt::Key key) { QTest::keyClick(chart(), key); }

    MemoryKeyValueStore defaults;
    PreferencesStore prefs{defaults};
    ManualClock clock{QDateTime(QDate(2026, 3, 10), QTime(16, 30))};
    FakeApplicationCatalog catalog{{{kBrowser, QStringLiteral("Firefox"), {}, {}, false}}};
    std::unique_ptr<UsageStore> usage;
    std::unique_ptr<TodayModel> model;
    std::unique_ptr<HistoryView> view;
};

TEST_F(HistoryViewTest, KeysMoveTheChosenBarAndTheFiguresFollow)
{
    const QString hint = view->figuresText();
    view->appChooser()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(view->appChooser(), Qt::Key_Tab);
    ASSERT_TRUE(chart()->hasFocus()) << "Tab reaches the chart after the controls";
    const int last = historyDaysShown - 1;
    ASSERT_EQ(chart()->selectedBar(), last) << "the focus starts on today";
    EXPECT_EQ(view->figuresText(), figuresOf(last));

    press(Qt::Key_Right);
    EXPECT_EQ(chart()->selectedBar(), last) << "nothing after today";
    const int missed = last - missedDaysAgo;
    for (int i = 0; i < missedDaysAgo; ++i)
        press(Qt::Key_Left);
    ASSERT_EQ(chart()->selectedBar(), missed);
    ASSERT_EQ(chart()->series().bars.at(missed).recordedDays, 0);
    EXPECT_EQ(view->figuresText(), figuresOf(missed));
    EXPECT_FALSE(view->figuresText().contains(DurationText::spoken(0))) << "a missed day is not a day without use";
    EXPECT_NE(view->figuresText(), hint);

    press(Qt::Key_Home);
    EXPECT_EQ(chart()->selectedBar(), 0);
    press(Qt::Key_Left);
    EXPECT_EQ(chart()->selectedBar(), 0);
    EXPECT_EQ(view->figuresText(), figuresOf(0));

    // The pointer shows its bar's figures, and the keys take them back.
    QMouseEvent move(QEvent::MouseMove, chart()->barSlot(5).center(),
                     chart()->mapToGlobal(chart()->barSlot(5).center()), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(chart(), &move);
    EXPECT_EQ(view->figuresText(), figuresOf(5));
    press(Qt::Key_End);
    EXPECT_EQ(view->figuresText(), figuresOf(last));

    // Weeks: fewer bars, so the choice starts again on the current one.
    view->spanPicker()->setSelection(static_cast<int>(HistorySpan::Weeks));
    Q_EMIT view->spanPicker()->selectionChanged(static_cast<int>(HistorySpan::Weeks));
    EXPECT_EQ(chart()->selectedBar(), historyWeeksShown - 1);
    EXPECT_EQ(view->figuresText(), figuresOf(historyWeeksShown - 1));

    // Past midnight the chart ends with the new day.
    clock.advanceMs(24LL * 3600 * 1000);
    model->setPaused(true);
    EXPECT_EQ(chart()->series().bars.constLast().last, clock.now().date());
}

TEST_F(HistoryViewTest, ScreenReadersReadTheBarsAsATable)
{
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(chart());
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->role(), QAccessible::Table);
    ASSERT_NE(table->tableInterface(), nullptr);
    EXPECT_FALSE(table->text(QAccessible::Name).isEmpty());

    for (const HistorySpan span : {HistorySpan::Days, HistorySpan::Weeks}) {
        view->spanPicker()->setSelection(static_cast<int>(span));
        Q_EMIT view->spanPicker()->selectionChanged(static_cast<int>(span));
        const QList<HistoryBar>& bars = chart()->series().bars;
        QAccessibleTableInterface* cells = table->tableInterface();
        ASSERT_EQ(cells->rowCount(), bars.size());
        ASSERT_EQ(cells->columnCount(), HistoryTexts::columns(span).size());
        ASSERT_EQ(table->childCount(), cells->rowCount() * cells->columnCount());
        for (int row = 0; row < bars.size(); ++row) {
            const QStringList expected{HistoryTexts::date(bars.at(row), span), HistoryTexts::used(bars.at(row), span),
                                       HistoryTexts::limit(bars.at(row), span)};
            for (int column = 0; column < expected.size(); ++column) {
                QAccessibleInterface* cell = cells->cellAt(row, column);
                ASSERT_NE(cell, nullptr);
                EXPECT_EQ(cell->text(QAccessible::Name), expected.at(column)) << row << ", " << column;
                EXPECT_EQ(table->indexOfChild(cell), row * cells->columnCount() + column);
                EXPECT_EQ(cell->tableCellInterface()->rowIndex(), row);
            }
        }
        EXPECT_EQ(cells->cellAt(static_cast<int>(bars.size()), 0), nullptr);

        // Choosing a row from the screen reader chooses the bar.
        ASSERT_TRUE(cells->selectRow(1));
        EXPECT_EQ(chart()->selectedBar(), 1);
        EXPECT_EQ(cells->selectedRows(), QList<int>{1});
        EXPECT_EQ(view->figuresText(), figuresOf(1));
    }
}

TEST_F(HistoryViewTest, ExportWritesWhereTheChooserSaysInTheFormatOfTheSuffix)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const auto exportTo = [&](const QString& name, ExportFormat chosen) {
        view->setExportChooser([&, name, chosen](QWidget* /*parent*/) {
            return std::optional(HistoryView::ExportTarget{folder.filePath(name), chosen});
        });
        view->exportButton()->click();
        QFile file(folder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? std::optional(file.readAll()) : std::nullopt;
    };
    const auto isJson = [](const QByteArray& data) { return !QJsonDocument::fromJson(data).isNull(); };

    const auto json = exportTo(QStringLiteral("by-suffix.json"), ExportFormat::Csv);
    ASSERT_TRUE(json);
    EXPECT_TRUE(isJson(*json)) << "the suffix wins over the chosen type";
    EXPECT_TRUE(json->contains("Firefox")) << "applications by their names";
    const auto csv = exportTo(QStringLiteral("by-suffix.CSV"), ExportFormat::Json);
    ASSERT_TRUE(csv);
    EXPECT_FALSE(isJson(*csv));
    const auto chosen = exportTo(QStringLiteral("no-suffix"), ExportFormat::Json);
    ASSERT_TRUE(chosen);
    EXPECT_TRUE(isJson(*chosen)) << "without a suffix the chosen type decides";
    EXPECT_TRUE(view->exportStatus().contains(QStringLiteral("no-suffix")));

    // A folder that is not there: the view says so, and nothing was written.
    MessageLog log;
    EXPECT_FALSE(exportTo(QStringLiteral("missing/history.csv"), ExportFormat::Csv));
    EXPECT_TRUE(view->exportStatus().contains(QStringLiteral("missing")));
    EXPECT_EQ(log.lines().size(), 1);

    // Cancelled: nothing happens and the last word stays.
    const QString before = view->exportStatus();
    view->setExportChooser([](QWidget* /*parent*/) { return std::optional<HistoryView::ExportTarget>(); });
    EXPECT_FALSE(view->exportToFile());
    EXPECT_EQ(view->exportStatus(), before);
}

} // namespace
