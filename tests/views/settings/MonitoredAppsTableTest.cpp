// SPDX-License-Identifier: MIT
#include "platform/fake/FakeApplicationCatalog.h"
#include "support/TestFiles.h"
#include "support/WidgetTesting.h"
#include "views/components/Stepper.h"
#include "views/settings/AppIconProvider.h"
#include "views/settings/MonitoredAppCell.h"
#include "views/settings/MonitoredAppsTableView.h"
#include "views/settings/StepperCell.h"

#include <QDir>
#include <QIcon>
#include <QTemporaryDir>
#include <QTest>

using namespace brindlemoor;
using brindlemoor::test::near;

namespace {

class MonitoredAppsTable : public brindlemoor::test::WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        const auto record = [this](const QString& id, int minutes) { updates.append({id, minutes}); };
        QObject::connect(&table, &MonitoredAppsTableView::limitStepped, &table, record);
        QObject::connect(&table, &MonitoredAppsTableView::selectedAppChanged, &table,
                         [this](const std::optional<QString>& id) { published.append(id); });
        table.resize(MonitoredAppsTableView::appColumnWidth + MonitoredAppsTableView::limitColumnWidth + 7, 140);
        table.show();
    }

    QPoint rowCenter(int row) const { return table.rowRect(row).center() - table.viewport()->pos(); }

    FakeApplicationCatalog catalog;
    MonitoredAppsTableView table{appearance, catalog};
    QList<QPair<QString, int>> updates;
    QList<std::optional<QString>> published;
};

ApplicationInfo installed(const QString& id, const QString& name, const QString& icon = {})
{
    return {id, name, icon, QStringLiteral("/usr/share/applications/%1.desktop").arg(id), false};
}

QString writeSquare(const QString& path, const QColor& color, int side)
{
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(color);
    image.save(path);
    return path;
}

} // namespace

TEST_F(MonitoredAppsTable, ShowsLimitsOnTheStepperGridAndReportsSteps)
{
    const QList<MonitoredAppConfig> apps{
        {QStringLiteral("clamp.Three"), 3}, {QStringLiteral("clamp.Twelve"), 12}, {QStringLiteral("clamp.Big"), 605}};
    table.setApps(apps, std::nullopt);
    for (const auto& [row, shown] : {std::pair{0, 5}, std::pair{1, 10}, std::pair{2, 600}}) {
        EXPECT_EQ(table.limitCell(row)->valueText(), QString::number(shown));
        EXPECT_EQ(table.limitCell(row)->stepper()->value(), shown);
    }
    EXPECT_EQ(table.apps(), apps) << "the display clamp leaves the stored limits alone";

    Stepper* first = table.limitCell(0)->stepper();
    QTest::mouseClick(first, Qt::LeftButton, {}, first->upRect().center());
    ASSERT_EQ(updates.size(), 1);
    EXPECT_EQ(updates.at(0), qMakePair(QStringLiteral("clamp.Three"), 10));
    EXPECT_EQ(table.limitCell(0)->valueText(), QStringLiteral("10"));

    // Shown at the top of the range (600): no step past it, and the way down starts there.
    Stepper* last = table.limitCell(2)->stepper();
    QTest::mouseClick(last, Qt::LeftButton, {}, last->upRect().center());
    EXPECT_EQ(updates.size(), 1);
    QTest::mouseClick(last, Qt::LeftButton, {}, last->downRect().center());
    ASSERT_EQ(updates.size(), 2);
    EXPECT_EQ(updates.at(1), qMakePair(QStringLiteral("clamp.Big"), 595));

    // A reload reuses the cells, and a step reports the row's id as it is now.
    table.setApps({{QStringLiteral("clamp.Other"), 30}}, std::nullopt);
    EXPECT_EQ(table.rowCount(), 1);
    QTest::mouseClick(first, Qt::LeftButton, {}, first->upRect().center());
    ASSERT_EQ(updates.size(), 3);
    EXPECT_EQ(updates.at(2), qMakePair(QStringLiteral("clamp.Other"), 35));
}

TEST_F(MonitoredAppsTable, PublishesTheSelectionAfterItsOwnNotification)
{
    const QList<MonitoredAppConfig> apps{
        {QStringLiteral("sel.A"), 60}, {QStringLiteral("sel.B"), 60}, {QStringLiteral("sel.C"), 60}};
    table.setApps(apps, std::nullopt);

    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, rowCenter(1));
    EXPECT_TRUE(published.isEmpty()) << "not written while the table is inside its notification";
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(published.size(), 1);
    EXPECT_EQ(published.last(), QStringLiteral("sel.B"));

    // A click on a row's name cell reaches the table too.
    QTest::mouseClick(table.appCell(2), Qt::LeftButton, {}, QPoint(40, 14));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(published.last(), QStringLiteral("sel.C"));

    const QPoint belowRows(40, table.rowRect(2).bottom() + 20 - table.viewport()->y());
    ASSERT_LT(belowRows.y(), table.viewport()->height());
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, belowRows);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(published.last(), std::nullopt);
    EXPECT_FALSE(table.selectionModel()->hasSelection());
}

TEST_F(MonitoredAppsTable, ReconcilesTheBoundSelectionOnEveryUpdate)
{
    const QString a = QStringLiteral("rec.A");
    const QString b = QStringLiteral("rec.B");
    table.setApps({{a, 60}, {b, 60}}, b);
    ASSERT_EQ(table.selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(table.selectionModel()->selectedRows().first().row(), 1);

    // The selected app was removed: nothing matches, nothing stays selected.
    table.setApps({{a, 60}}, b);
    EXPECT_FALSE(table.selectionModel()->hasSelection());
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(published.last(), std::nullopt);

    // The same id twice (hand-edited data): the first of them.
    table.setApps({{b, 60}, {a, 60}, {b, 30}}, b);
    ASSERT_EQ(table.selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(table.selectionModel()->selectedRows().first().row(), 0);
}

TEST_F(MonitoredAppsTable, CellsKeepTheFirstNameAndIconOfAnApp)
{
    const QString id = QStringLiteral("names.Renamed");
    catalog.put(installed(id, QStringLiteral("First Name")));
    MonitoredAppCell cell(catalog);
    cell.configure(id);
    EXPECT_EQ(cell.name(), QStringLiteral("First Name"));
    EXPECT_TRUE(cell.hasIcon()) << "an installed app without an icon gets the drawn one";
    const int lookups = catalog.lookups(id);

    catalog.put(installed(id, QStringLiteral("Second Name")));
    MonitoredAppCell later(catalog);
    later.configure(id);
    EXPECT_EQ(later.name(), QStringLiteral("First Name"));
    EXPECT_EQ(catalog.lookups(id), lookups);

    // Not installed: the id for a name, and no icon; the missing icon is not remembered.
    const QString missing = QStringLiteral("names.NotInstalled");
    MonitoredAppCell absent(catalog);
    absent.configure(missing);
    EXPECT_EQ(absent.name(), missing);
    EXPECT_FALSE(absent.hasIcon());
    catalog.put(installed(missing, QStringLiteral("Installed Later")));
    absent.configure(missing);
    EXPECT_TRUE(absent.hasIcon());
    EXPECT_EQ(absent.name(), missing);
}

TEST_F(MonitoredAppsTable, IconProviderResolvesThemeNamesAndPathsAndCaches)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QDir root(folder.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("icons/brindletest/32x32/apps")));
    ASSERT_TRUE(test::writeFile(
        root.filePath(QStringLiteral("icons/brindletest/index.theme")),
        "[Icon Theme]\nName=brindletest\nDirectories=32x32/apps\n\n[32x32/apps]\nSize=32\nType=Fixed\n"));
    writeSquare(root.filePath(QStringLiteral("icons/brindletest/32x32/apps/brindle-red.png")), Qt::red, 32);
    const QString bluePath = writeSquare(root.filePath(QStringLiteral("blue.png")), Qt::blue, 48);
    const QStringList oldPaths = QIcon::themeSearchPaths();
    const QString oldTheme = QIcon::themeName();
    QIcon::setThemeSearchPaths({root.filePath(QStringLiteral("icons"))});
    QIcon::setThemeName(QStringLiteral("brindletest"));

    catalog.put(installed(QStringLiteral("icons.Themed"), QStringLiteral("Themed"), QStringLiteral("brindle-red")));
    catalog.put(installed(QStringLiteral("icons.Path"), QStringLiteral("Path"), bluePath));
    catalog.put(installed(QStringLiteral("icons.FileName"), QStringLiteral("File"), QStringLiteral("brindle-red.png")));
    catalog.put(installed(QStringLiteral("icons.Broken"), QStringLiteral("Broken"), QStringLiteral("no-such-icon")));
    AppIconProvider icons(catalog);

    struct Case {
        const char* id;
        QColor center;
    };
    const Case cases[] = {{"icons.Themed", Qt::red}, {"icons.Path", Qt::blue}, {"icons.FileName", Qt::red}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const QPixmap icon = icons.icon(QString::fromLatin1(c.id), 1.0);
        EXPECT_EQ(icon.size(), QSize(20, 20));
        EXPECT_TRUE(near(icon.toImage().pixelColor(10, 10), c.center, 0));
    }
    const QPixmap sharp = icons.icon(QStringLiteral("icons.Path"), 2.0);
    EXPECT_EQ(sharp.size(), QSize(40, 40));
    EXPECT_EQ(sharp.devicePixelRatio(), 2.0);

    // Nothing found, or not installed at all: a drawn stand-in, the same every time.
    for (const QString& id : {QStringLiteral("icons.Broken"), QStringLiteral("icons.Missing")}) {
        SCOPED_TRACE(id.toStdString());
        const QImage drawn = icons.icon(id, 1.0).toImage();
        EXPECT_EQ(drawn.size(), QSize(20, 20));
        EXPECT_EQ(drawn.pixelColor(2, 10).alpha(), 255);
        AppIconProvider another(catalog);
        EXPECT_EQ(another.icon(id, 1.0).toImage(), drawn);
    }

    const int lookups = catalog.lookups(QStringLiteral("icons.Themed"));
    icons.icon(QStringLiteral("icons.Themed"), 1.0);
    EXPECT_EQ(catalog.lookups(QStringLiteral("icons.Themed")), lookups) << "the second ask comes from the cache";

    QIcon::setThemeName(oldTheme);
    QIcon::setThemeSearchPaths(oldPaths);
}
