// SPDX-License-Identifier: MIT
#include "core/model/TodayModel.h"
#include "core/model/UsageStore.h"
#include "platform/fake/FakeApplicationCatalog.h"
#include "support/VirtualDay.h"
#include "support/WidgetTesting.h"
#include "views/insights/ReflectionCard.h"
#include "views/insights/ReflectionHeader.h"
#include "views/insights/ReflectionPanelRow.h"

#include <QAnimationDriver>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace brindlemoor;
using namespace brindlemoor::test;

namespace {

const QString kApp = QStringLiteral("org.gnome.Calculator");

/// Qt's animations in virtual time: they move only when the test advances them.
class ManualAnimationDriver final : public QAnimationDriver {
public:
    qint64 elapsed() const override { return m_elapsed; }
    void advanceMs(qint64 ms)
    {
        // Animations begin on queued calls, then the driver is started.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        m_elapsed += ms;
        advance();
    }

private:
    qint64 m_elapsed = 0;
};

class ReflectionPanelTest : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        SpringAnimation::setMotionEnabled(true);
        driver.install();
    }
    void TearDown() override
    {
        driver.uninstall();
        SpringAnimation::setMotionEnabled(false);
    }

    /// Six insights: the pace, the most-pushed app, a rising trend, the peak hour, the
    /// clean share and the last clean day.
    void sixInsights()
    {
        day.prefs.saveMonitoredApps({{kApp, 60}});
        day.prefs.setDailyLimitMinutes(1);
        for (int i = 0; i < 59; ++i)
            usage.tick(kApp);
        PastDays(day.defaults).recordBreachHours({{kApp, {15, 15, 15, 15, 15}}}, QStringLiteral("2026-02-20"));
        for (int d = 21; d <= 25; ++d)
            PastDays(day.defaults).recordBreachHours({{kApp, {15}}}, QStringLiteral("2026-02-%1").arg(d));
        DayHistory history;
        for (int d = 3; d <= 9; ++d)
            history.insert(QStringLiteral("2026-03-0%1").arg(d), d >= 8 ? 2 : 0);
        PastDays(day.defaults).saveHistory(history);
        PastDays(day.defaults).recordBreachHours({{kApp, {15}}}, QStringLiteral("2026-03-08"));
        PastDays(day.defaults).recordBreachHours({{kApp, {15}}}, QStringLiteral("2026-03-09"));
    }

    QList<ReflectionCard*> cards() const { return row.findChildren<ReflectionCard*>(); }

    ManualAnimationDriver driver;
    VirtualDay day;
    FakeApplicationCatalog catalog;
    UsageStore usage{day.defaults, day.clock};
    TodayModel today{day.prefs, usage};
    ReflectionPanelRow row{appearance, ReflectionEngine(catalog, day.clock), today};
};

} // namespace

TEST_F(ReflectionPanelTest, TheHeaderOpensFourCardsOfSixAndTheyFadeInOneAfterAnother)
{
    sixInsights();
    row.resize(322, row.heightForWidth(322));
    QSignalSpy expanded(&row, &ReflectionPanelRow::expandedChanged);
    auto* header = row.findChild<ReflectionHeader*>();
    ASSERT_NE(header, nullptr);
    QTest::mouseClick(header, Qt::LeftButton);
    ASSERT_EQ(expanded.count(), 1);
    EXPECT_TRUE(expanded.first().first().toBool());
    EXPECT_TRUE(row.isExpanded());

    QStringList icons;
    for (const ReflectionCard* card : cards())
        icons.append(card->insight().icon);
    EXPECT_EQ(icons, (QStringList{QStringLiteral("timer"), QStringLiteral("app.badge.fill"),
                                  QStringLiteral("chart.line.uptrend.xyaxis"), QStringLiteral("sun.haze.fill")}));

    driver.advanceMs(100); // the first card is on its way, the last waits until 210 ms
    ASSERT_EQ(cards().size(), 4);
    EXPECT_GT(cards().at(0)->opacity(), 0);
    EXPECT_EQ(cards().at(3)->opacity(), 0);
    for (int t = 0; t < 600; t += 20)
        driver.advanceMs(20);
    for (const ReflectionCard* card : cards())
        EXPECT_EQ(card->opacity(), 1);
    // Every card lies inside the row once it has unfolded.
    EXPECT_EQ(row.heightForWidth(322), cards().last()->geometry().bottom() + 1);
}

TEST_F(ReflectionPanelTest, ClosingWhileCardsStillFadeInFadesThemAllOut)
{
    sixInsights();
    row.resize(322, row.heightForWidth(322));
    row.setExpanded(true);
    driver.advanceMs(150);
    ASSERT_EQ(cards().size(), 4);
    ASSERT_GT(cards().at(0)->opacity(), 0);

    row.setExpanded(false);
    QList<qreal> last;
    for (const ReflectionCard* card : cards())
        last.append(card->opacity());
    for (int t = 0; t < 340; t += 20) {
        driver.advanceMs(20);
        const QList<ReflectionCard*> now = cards();
        ASSERT_EQ(now.size(), 4) << "after " << t << " ms";
        for (qsizetype i = 0; i < now.size(); ++i) {
            EXPECT_LE(now.at(i)->opacity(), last.at(i)) << "card " << i << " after " << t << " ms";
            last[i] = now.at(i)->opacity();
        }
    }
    for (int t = 0; t < 400; t += 20)
        driver.advanceMs(20);
    EXPECT_TRUE(cards().isEmpty());
    EXPECT_EQ(row.heightForWidth(322), ReflectionHeader::height);
}
