// SPDX-License-Identifier: MIT
// The welcome (under the tray item, centred as on a desktop without a tray, and with the
// notice of a GNOME Shell extension switched off) and the info popover, in their windows;
// light and dark, at device pixel ratios 1 and 2.
#include "gallery/Gallery.h"

#include "platform/fake/FakeDesktopExtension.h"
#include "views/components/PopoverWindow.h"
#include "views/onboarding/InfoPopoverController.h"
#include "views/onboarding/InfoPopoverView.h"
#include "views/onboarding/WelcomePopoverController.h"
#include "views/onboarding/WelcomeView.h"

#include <QCoreApplication>

namespace brindlemoor::gallery {

namespace {

const PopoverAnchor trayItem = PopoverAnchor::fromRect(QRect(700, 0, 24, 24));

QString name(const char* surface, bool dark, qreal ratio)
{
    return QStringLiteral("%1-%2@%3x")
        .arg(QString::fromLatin1(surface), dark ? QStringLiteral("dark") : QStringLiteral("light"))
        .arg(ratio);
}

QImage shown(Gallery& gallery, PopoverWindow& popover, qreal ratio)
{
    QCoreApplication::sendPostedEvents();
    const QImage image = gallery.grab(&popover, ratio);
    popover.closePopover();
    return image;
}

} // namespace

void renderOnboardingSurfaces(Gallery& gallery)
{
    for (const bool dark : {false, true}) {
        gallery.appearance().setDark(dark);
        for (const qreal ratio : {1.0, 2.0}) {
            WelcomePopoverController welcome(gallery.appearance(), nullptr);
            welcome.show(trayItem);
            gallery.save(name("welcome", dark, ratio), shown(gallery, welcome.popover(), ratio));
            welcome.show(PopoverAnchor::centered());
            gallery.save(name("welcome-centred", dark, ratio), shown(gallery, welcome.popover(), ratio));

            FakeDesktopExtension extension(DesktopExtension::State::Off);
            WelcomePopoverController noticed(gallery.appearance(), &extension);
            noticed.show(trayItem);
            gallery.save(name("welcome-extension-off", dark, ratio), shown(gallery, noticed.popover(), ratio));

            InfoPopoverController info(gallery.appearance());
            info.toggle(trayItem);
            gallery.save(name("info", dark, ratio), shown(gallery, info.popover(), ratio));
        }
    }
}

} // namespace brindlemoor::gallery
