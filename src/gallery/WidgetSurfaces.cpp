// SPDX-License-Identifier: MIT
// The floating widgets, per application and for the day, at each level, in front and
// dimmed, light and dark, at device pixel ratios 1 and 2, over a made-up desktop.
#include "gallery/Gallery.h"

#include "core/foundation/DayKey.h"
#include "core/foundation/KeyValueStore.h"
#include "core/model/PreferencesStore.h"
#include "core/model/SettingsKeys.h"
#include "core/model/TodayModel.h"
#include "core/model/UsageStore.h"
#include "platform/fake/FakeApplicationCatalog.h"
#include "platform/fake/FakeSources.h"
#include "platform/fake/FakeWindowSystem.h"
#include "platform/fake/ManualClock.h"
#include "views/cards/DailyFloatingWidgetView.h"
#include "views/cards/FloatingWidgetManager.h"
#include "views/cards/FloatingWidgetPanel.h"
#include "views/cards/FloatingWidgetView.h"
#include "views/components/Spring.h"
#include "views/settings/AppIconProvider.h"

#include <QCoreApplication>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>

namespace brindlemoor::gallery {

namespace {

const QString kApp = QStringLiteral("org.gnome.TextEditor");
const QString kElsewhere = QStringLiteral("org.example.Unwatched");
constexpr int labelWidth = 150;
constexpr int headerHeight = 40;
constexpr int gap = 8;

struct Row {
    const char* label;
    double appSeconds; // of a 60-minute limit
    double daySeconds; // of a 120-minute limit
    bool timeLeft;
    bool hovered = false;
};

// Levels 0, 1 and 2 as time used, level 1 again as time left, and the close button a hover shows.
const Row rows[] = {
    {"level 0", 25 * 60, 60 * 60, false},
    {"level 1", 50 * 60, 100 * 60, false},
    {"level 2", 61 * 60, 125 * 60, false},
    {"level 1, time left", 50 * 60, 100 * 60, true},
    {"pointer over it", 25 * 60, 60 * 60, false, true},
};

// One day's stores and a manager that knows which application is in front.
struct Scene {
    Scene(const Appearance& appearance, const Row& row, bool front)
        : appearance(appearance)
    {
        prefs.addApp(kApp);
        prefs.setLimit(kApp, 60);
        prefs.setDailyLimitMinutes(120);
        prefs.setShowTimeRemaining(row.timeLeft);
        PersistedState state;
        state.lastResetDay = dayKey(clock.now());
        state.entries.insert(kApp, Entry{kApp, row.appSeconds, row.appSeconds, 1});
        state.entries.insert(kElsewhere, Entry{kElsewhere, 0, row.daySeconds - row.appSeconds, 1});
        defaults.setValue(keys::usageDailyData, state.encode().value_or(QByteArray()));
        usage = std::make_unique<UsageStore>(defaults, clock);
        today = std::make_unique<TodayModel>(prefs, *usage);
        activeApps.frontmost = RunningApp{front ? kApp : kElsewhere};
        windowSystem.compositor = true;
        manager.configure({appearance, defaults, *today, catalog, icons, activeApps, windowSystem});
    }

    FloatingWidgetContext context() { return {appearance, defaults, *today, catalog, icons, activeApps, windowSystem}; }

    const Appearance& appearance;
    MemoryKeyValueStore defaults;
    PreferencesStore prefs{defaults};
    ManualClock clock{QDateTime(QDate(2026, 3, 10), QTime(15, 0))};
    std::unique_ptr<UsageStore> usage;
    std::unique_ptr<TodayModel> today;
    FakeApplicationCatalog catalog{
        {{kApp, QStringLiteral("Text Editor"), QStringLiteral("accessories-text-editor"), {}, false}}};
    AppIconProvider icons{catalog};
    FakeActiveAppSource activeApps;
    FakeWindowSystem windowSystem;
    FloatingWidgetManager manager;
};

QImage widget(Gallery& gallery, const Row& row, bool daily, bool front, qreal ratio)
{
    Scene scene(gallery.appearance(), row, front);
    FloatingCardView* view =
        daily ? static_cast<FloatingCardView*>(new DailyFloatingWidgetView(scene.context(), scene.manager))
              : new FloatingWidgetView(kApp, scene.context(), scene.manager);
    FloatingWidgetPanel panel(gallery.appearance(), view, scene.windowSystem);
    panel.show();
    if (row.hovered) {
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(view, &enter);
    }
    return gallery.grab(&panel, ratio);
}

// A wallpaper with a window on its left half, so that the see-through card shows over both.
void paintDesktop(QPainter& painter, const QRect& area, bool dark)
{
    QLinearGradient wallpaper(area.topLeft(), area.bottomRight());
    wallpaper.setColorAt(0, dark ? QColor(0x1b, 0x26, 0x4a) : QColor(0x9c, 0xc7, 0xf0));
    wallpaper.setColorAt(1, dark ? QColor(0x4a, 0x23, 0x5a) : QColor(0xf6, 0xc5, 0xa3));
    painter.fillRect(area, wallpaper);
    painter.fillRect(QRect(area.left(), area.top(), area.width() / 2, area.height()),
                     dark ? QColor(0x26, 0x26, 0x2a) : QColor(0xff, 0xff, 0xff));
}

QImage sheet(Gallery& gallery, bool dark, qreal ratio)
{
    const QSize cell = FloatingWidgetPanel::windowSize();
    const struct {
        bool daily;
        bool front;
        const char* title;
    } columns[] = {{false, true, "app, in front"},
                   {false, false, "app, dimmed"},
                   {true, true, "daily, in front"},
                   {true, false, "daily, dimmed"}};
    const int rowCount = static_cast<int>(std::size(rows));
    const QSize size(labelWidth + 4 * (cell.width() + gap) + gap,
                     headerHeight + rowCount * (cell.height() + gap) + gap);
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    paintDesktop(painter, QRect(QPoint(0, 0), size), dark);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    painter.setFont(font);
    painter.setPen(dark ? QColor(0xe0, 0xe0, 0xe0) : QColor(0x30, 0x30, 0x30));
    for (int c = 0; c < 4; ++c) {
        painter.drawText(QRect(labelWidth + c * (cell.width() + gap), 0, cell.width(), headerHeight), Qt::AlignCenter,
                         QString::fromLatin1(columns[c].title));
    }
    for (int r = 0; r < rowCount; ++r) {
        const int top = headerHeight + r * (cell.height() + gap);
        painter.drawText(QRect(gap, top, labelWidth - gap, cell.height()), Qt::AlignVCenter | Qt::AlignLeft,
                         QString::fromLatin1(rows[r].label));
        for (int c = 0; c < 4; ++c) {
            painter.drawImage(QPoint(labelWidth + c * (cell.width() + gap), top),
                              widget(gallery, rows[r], columns[c].daily, columns[c].front, ratio));
        }
    }
    return image;
}

} // namespace

void renderWidgetSurfaces(Gallery& gallery)
{
    SpringAnimation::setMotionEnabled(false);
    for (const bool dark : {false, true}) {
        gallery.appearance().setDark(dark);
        for (const qreal ratio : {1.0, 2.0}) {
            gallery.save(QStringLiteral("widgets-%1@%2x")
                             .arg(dark ? QStringLiteral("dark") : QStringLiteral("light"))
                             .arg(ratio),
                         sheet(gallery, dark, ratio));
        }
        gallery.appearance().setHighContrast(true);
        gallery.save(QStringLiteral("widgets-hc-%1@1x").arg(dark ? QStringLiteral("dark") : QStringLiteral("light")),
                     sheet(gallery, dark, 1));
        gallery.appearance().setHighContrast(false);
    }
}

} // namespace brindlemoor::gallery
