// SPDX-License-Identifier: MIT
// The settings popover, the application chooser and the program's own controls,
// light and dark, at device pixel ratios 1 and 2.
#include "gallery/Gallery.h"

#include "core/foundation/KeyValueStore.h"
#include "core/model/PreferencesStore.h"
#include "core/model/UsageHistory.h"
#include "platform/fake/FakeApplicationCatalog.h"
#include "views/components/ColorWell.h"
#include "views/components/FennDot.h"
#include "views/components/FennSegmentedPicker.h"
#include "views/components/FennSwitch.h"
#include "views/components/Fonts.h"
#include "views/components/NamedColors.h"
#include "views/components/PopoverWindow.h"
#include "views/components/Spring.h"
#include "views/components/Stepper.h"
#include "views/settings/AppIconProvider.h"
#include "views/settings/ApplicationChooser.h"
#include "views/settings/MonitoredAppsTableView.h"
#include "views/settings/PreferencesView.h"

#include <QApplication>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>

namespace brindlemoor::gallery {

namespace {

class GalleryLoginItems final : public LoginItemService {
public:
    bool isEnabled() const override { return m_enabled; }
    bool setEnabled(bool enabled) override
    {
        m_enabled = enabled;
        return true;
    }
    QString errorText() const override { return {}; }

private:
    bool m_enabled = true;
};

QList<ApplicationInfo> sampleApplications()
{
    const auto app = [](const char* id, const char* name, const char* icon) {
        return ApplicationInfo{QString::fromLatin1(id), QString::fromUtf8(name), QString::fromLatin1(icon),
                               QStringLiteral("/usr/share/applications/%1.desktop").arg(QLatin1String(id)), false};
    };
    QList<ApplicationInfo> apps{
        app("org.gnome.Calculator", "Calculator", "accessories-calculator"),
        app("org.gnome.TextEditor", "Text Editor", "accessories-text-editor"),
        app("debian-xterm", "XTerm", "utilities-terminal"),
        app("org.gnome.Nautilus", "Files", "system-file-manager"),
        app("firefox-esr", "Firefox ESR", "web-browser"),
        app("org.gnome.Rhythmbox3", "Rhythmbox", "audio-x-generic"),
        app("thunderbird", "Thunderbird Mail", "mail-send-receive"),
        app("org.example.VeryLongNamedApplicationForTesting", "A Remarkably Long Application Name That Needs Eliding",
            ""),
    };
    ApplicationInfo hidden = app("org.gnome.Settings.Hidden", "Hidden Helper", "");
    hidden.noDisplay = true;
    apps.append(hidden);
    return apps;
}

QString suffix(bool dark, qreal ratio)
{
    return QStringLiteral("%1@%2x").arg(dark ? QStringLiteral("dark") : QStringLiteral("light")).arg(ratio);
}

struct Settings {
    MemoryKeyValueStore defaults;
    PreferencesStore prefs{defaults};
    FakeApplicationCatalog catalog{sampleApplications()};
    AppIconProvider icons{catalog};
    GalleryLoginItems loginItems;
};

void fillPrefs(PreferencesStore& prefs, int appCount)
{
    const auto apps = sampleApplications();
    for (int i = 0; i < appCount && i < apps.size(); ++i)
        prefs.addApp(apps.at(i).id);
    if (appCount > 1)
        prefs.setLimit(apps.at(1).id, 7); // shown on the stepper's grid as 5
    if (appCount > 2)
        prefs.setLimit(apps.at(2).id, 605); // shown as 600
    prefs.setDailyLimitMinutes(240);
    if (appCount > 5)
        prefs.setHistoryDays(UsageHistory::maxKeptDays); // the widest number its field takes
    prefs.setPlaySoundOnRed(true);
    prefs.setShowTimeRemaining(appCount % 2 == 1);
}

void renderPopover(Gallery& gallery, const QString& name, int appCount, bool atBottom, bool dark, qreal ratio)
{
    gallery.appearance().setDark(dark);
    Settings settings;
    fillPrefs(settings.prefs, appCount);
    PopoverWindow popover(gallery.appearance());
    auto* view = new PreferencesView(gallery.appearance(), settings.prefs, settings.loginItems, settings.catalog,
                                     settings.icons);
    const QRect tray = atBottom ? QRect(560, 576, 24, 24) : QRect(560, 0, 24, 24);
    popover.showPopover(view, PopoverAnchor::fromRect(tray));
    if (appCount > 1) {
        // A selected row shows the selection colour and the prominent minus.
        view->table()->selectRow(1);
        QCoreApplication::sendPostedEvents();
    }
    gallery.save(name + QLatin1Char('-') + suffix(dark, ratio), gallery.grab(&popover, ratio));
    popover.closePopover();
}

void renderChooser(Gallery& gallery, bool dark, qreal ratio, const QString& search)
{
    gallery.appearance().setDark(dark);
    Settings settings;
    settings.prefs.addApp(QStringLiteral("org.gnome.Calculator"));
    ApplicationChooser chooser(gallery.appearance(), settings.catalog, settings.icons, settings.prefs);
    chooser.searchField()->setText(search);
    chooser.show();
    const QString name =
        search.isEmpty() ? QStringLiteral("settings-chooser") : QStringLiteral("settings-chooser-search");
    gallery.save(name + QLatin1Char('-') + suffix(dark, ratio), gallery.grab(&chooser, ratio));
    chooser.hide();
}

// Every control in each of its states, on the popover's background.
void renderControls(Gallery& gallery, bool dark, qreal ratio)
{
    Appearance& appearance = gallery.appearance();
    appearance.setDark(dark);
    QWidget sheet;
    sheet.setAutoFillBackground(true);
    followAppearance(&sheet, appearance);
    const Scheme scheme = appearance.scheme();
    sheet.setPalette([scheme] {
        QPalette palette = viewPalette(scheme);
        palette.setColor(QPalette::Window, roleColor(ColorRole::PopoverBackground, scheme));
        return palette;
    }());
    auto* grid = new QGridLayout(&sheet);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(12);
    int row = 0;
    const auto caption = [&](const QString& text) {
        auto* label = new QLabel(text);
        label->setFont(fonts::caption());
        label->setForegroundRole(QPalette::PlaceholderText);
        grid->addWidget(label, row, 0);
    };

    caption(QStringLiteral("switch"));
    auto* off = new FennSwitch(appearance, QStringLiteral("Off with label"));
    auto* on = new FennSwitch(appearance, QStringLiteral("On with label"));
    on->setChecked(true);
    auto* hidden = new FennSwitch(appearance, QStringLiteral("hidden"));
    hidden->setLabelHidden(true);
    hidden->setChecked(true);
    grid->addWidget(off, row, 1);
    grid->addWidget(on, row, 2);
    grid->addWidget(hidden, row++, 3);

    caption(QStringLiteral("picker"));
    auto* used =
        new FennSegmentedPicker(appearance, {{QStringLiteral("Used"), false}, {QStringLiteral("Remaining"), true}}, 70);
    used->setSelection(false);
    auto* remaining =
        new FennSegmentedPicker(appearance, {{QStringLiteral("Used"), false}, {QStringLiteral("Remaining"), true}}, 70);
    remaining->setSelection(true);
    grid->addWidget(used, row, 1);
    grid->addWidget(remaining, row++, 2);

    caption(QStringLiteral("well, stepper"));
    auto* well = new ColorWell(appearance);
    well->setColor(QColor::fromRgbF(0.2f, 0.78f, 0.74f));
    auto* stepper = new Stepper(appearance, 1, 60, 5);
    stepper->setValue(60);
    grid->addWidget(well, row, 1, Qt::AlignLeft);
    grid->addWidget(stepper, row++, 2, Qt::AlignLeft);

    caption(QStringLiteral("dots"));
    auto* dots = new QWidget;
    auto* dotRow = new QHBoxLayout(dots);
    dotRow->setContentsMargins(0, 0, 0, 0);
    dotRow->setSpacing(4);
    for (const NamedColor color :
         {NamedColor::GlobalAccent, NamedColor::DailyBlue, NamedColor::NeonOrange, NamedColor::NeonRed})
        dotRow->addWidget(new FennDot(appearance, namedColor(color, scheme), 10, true));
    dotRow->addWidget(new FennDot(appearance, namedColor(NamedColor::NeonRed, scheme), 10, false));
    dotRow->addWidget(new FennDot(appearance, namedColor(NamedColor::NeonOrange, scheme), 16, true));
    grid->addWidget(dots, row++, 1, 1, 3, Qt::AlignLeft);

    caption(QStringLiteral("named colours"));
    auto* swatches = new QLabel;
    QPixmap strip(QSize(4 * 40, 18) * ratio);
    strip.setDevicePixelRatio(ratio);
    strip.fill(Qt::transparent);
    {
        QPainter painter(&strip);
        int x = 0;
        for (const NamedColor color :
             {NamedColor::GlobalAccent, NamedColor::DailyBlue, NamedColor::NeonOrange, NamedColor::NeonRed}) {
            painter.fillRect(QRect(x, 0, 36, 18), namedColor(color, scheme));
            x += 40;
        }
    }
    swatches->setPixmap(strip);
    grid->addWidget(swatches, row++, 1, 1, 3, Qt::AlignLeft);

    sheet.adjustSize();
    sheet.show();
    const QString contrast = scheme.highContrast ? QStringLiteral("hc-") : QString();
    gallery.save(QStringLiteral("settings-controls-") + contrast + suffix(dark, ratio), gallery.grab(&sheet, ratio));
}

} // namespace

void renderSettingsSurfaces(Gallery& gallery)
{
    // Still pictures: every spring lands at once.
    SpringAnimation::setMotionEnabled(false);
    // The offscreen platform knows no icon theme; borrow the desktop's where it is installed.
    if (QIcon::themeName().isEmpty()) {
        QIcon::setThemeSearchPaths(QIcon::themeSearchPaths() << QStringLiteral("/usr/share/icons"));
        QIcon::setThemeName(QStringLiteral("Adwaita"));
        QIcon::setFallbackThemeName(QStringLiteral("hicolor"));
    }
    for (const bool dark : {false, true}) {
        for (const qreal ratio : {1.0, 2.0}) {
            renderControls(gallery, dark, ratio);
            renderPopover(gallery, QStringLiteral("settings-popover-two"), 2, false, dark, ratio);
        }
        renderPopover(gallery, QStringLiteral("settings-popover-empty"), 0, false, dark, 1.0);
        renderPopover(gallery, QStringLiteral("settings-popover-six"), 6, false, dark, 1.0);
        renderPopover(gallery, QStringLiteral("settings-popover-five-bottom-tray"), 5, true, dark, 1.0);
        renderChooser(gallery, dark, 1.0, QString());
        renderChooser(gallery, dark, 2.0, QStringLiteral("te"));
        gallery.appearance().setHighContrast(true);
        renderPopover(gallery, QStringLiteral("settings-popover-two-hc"), 2, false, dark, 1.0);
        renderControls(gallery, dark, 1.0);
        gallery.appearance().setHighContrast(false);
    }
}

} // namespace brindlemoor::gallery
