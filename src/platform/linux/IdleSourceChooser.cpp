// SPDX-License-Identifier: MIT
#include "platform/linux/IdleSourceChooser.h"

#include "platform/linux/MutterIdleSource.h"
#include "platform/linux/PlatformLogging.h"
#include "platform/linux/WaylandIdleSource.h"
#include "platform/linux/X11ScreenSaverIdleSource.h"

namespace brindlemoor {

namespace {

class NeverIdleSource final : public IdleTimeSource {
public:
    double secondsSinceLastInput() override { return 0; }
};

} // namespace

std::unique_ptr<IdleTimeSource> IdleSourceChooser::choose(const QDBusConnection& sessionBus, const QByteArray& display,
                                                          bool x11Session, WaylandConnection* wayland)
{
    auto mutter = std::make_unique<MutterIdleSource>(sessionBus);
    if (mutter->probe()) {
        qCInfo(lcPlatform).noquote() << QStringLiteral("idle time from Mutter's idle monitor");
        return mutter;
    }
    if (!x11Session) {
        // XWayland's idle time counts only input to X11 windows.
        QString waylandFailure = QStringLiteral("no connection");
        if (wayland != nullptr) {
            auto source = std::make_unique<WaylandIdleSource>(*wayland);
            if (source->isAvailable()) {
                qCInfo(lcPlatform).noquote()
                    << QStringLiteral("idle time from the compositor's %1").arg(source->protocol());
                return source;
            }
            waylandFailure = source->errorText();
        }
        qCWarning(lcPlatform).noquote() << QStringLiteral("idle detection unavailable: Mutter: %1; Wayland: %2")
                                               .arg(mutter->errorText(), waylandFailure);
        return std::make_unique<NeverIdleSource>();
    }
    auto screenSaver = std::make_unique<X11ScreenSaverIdleSource>(display);
    if (screenSaver->isAvailable()) {
        qCInfo(lcPlatform).noquote() << QStringLiteral("idle time from the X screen-saver extension");
        return screenSaver;
    }
    qCWarning(lcPlatform).noquote() << QStringLiteral("idle detection unavailable: Mutter: %1; X: %2")
                                           .arg(mutter->errorText(), screenSaver->errorText());
    return std::make_unique<NeverIdleSource>();
}

} // namespace brindlemoor
