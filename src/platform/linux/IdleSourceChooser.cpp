// SPDX-License-Identifier: MIT
#include "platform/linux/IdleSourceChooser.h"

#include "platform/linux/MutterIdleSource.h"
#include "platform/linux/PlatformLogging.h"
#include "platform/linux/X11ScreenSaverIdleSource.h"

namespace brindlemoor {

namespace {

class NeverIdleSource final : public IdleTimeSource {
public:
    double secondsSinceLastInput() override { return 0; }
};

} // namespace

std::unique_ptr<IdleTimeSource> IdleSourceChooser::choose(const QDBusConnection& sessionBus, const QByteArray& display,
                                                          bool x11Session)
{
    auto mutter = std::make_unique<MutterIdleSource>(sessionBus);
    const std::optional<QString> mutterFailure = mutter->probe();
    if (!mutterFailure) {
        qCInfo(lcPlatform).noquote() << QStringLiteral("brindlemoor: idle time from Mutter's idle monitor");
        return mutter;
    }
    if (!x11Session) {
        // XWayland's idle time counts only input to X11 windows.
        qCWarning(lcPlatform).noquote()
            << QStringLiteral("brindlemoor: idle detection unavailable: Mutter: %1").arg(*mutterFailure);
        return std::make_unique<NeverIdleSource>();
    }
    auto screenSaver = std::make_unique<X11ScreenSaverIdleSource>(display);
    const std::optional<QString> screenSaverFailure = screenSaver->failure();
    if (!screenSaverFailure) {
        qCInfo(lcPlatform).noquote() << QStringLiteral("brindlemoor: idle time from the X screen-saver extension");
        return screenSaver;
    }
    qCWarning(lcPlatform).noquote() << QStringLiteral("brindlemoor: idle detection unavailable: Mutter: %1; X: %2")
                                           .arg(*mutterFailure, *screenSaverFailure);
    return std::make_unique<NeverIdleSource>();
}

} // namespace brindlemoor
