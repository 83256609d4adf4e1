// SPDX-License-Identifier: MIT
#pragma once

#include "views/components/NamedColors.h"

#include <QObject>
#include <QPointer>

#include <optional>

class QDBusConnection;

namespace brindlemoor {

class PortalSettings;

/// Light or dark, as the desktop says; every view repaints when it changes.
/// The settings portal's color-scheme decides where it answers; otherwise the
/// palette's window colour does. The views that paint with it go before it.
class Appearance final : public QObject {
    Q_OBJECT

public:
    explicit Appearance(QObject* parent = nullptr);

    bool isDark() const { return m_dark; }
    /// For the gallery and tests, and for the desktop's own signal of a change.
    void setDark(bool dark);
    /// Whether the desktop asks for higher contrast: the portal's contrast, else GNOME's
    /// high-contrast key read through the same portal. Every colour role follows it.
    bool isHighContrast() const { return m_highContrast; }
    /// Both at once, for resolving the program's colours.
    Scheme scheme() const { return {m_dark, m_highContrast}; }
    /// For the gallery and tests; pins the appearance as setDark() does.
    void setHighContrast(bool high);

    /// Follows the settings portal on `bus` instead of the one followed so far. The
    /// session bus is followed from the start when there is one.
    void followPortal(const QDBusConnection& bus);
    /// What the portal said last: dark, light, or nothing (absent or no preference).
    std::optional<bool> portalPreference() const { return m_portalDark; }

Q_SIGNALS:
    void changed();

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void followPalette();
    void setPortalPreference(std::optional<bool> dark);
    void applyHighContrast(bool high);
    void settle();

    bool m_dark = false;
    bool m_pinned = false;
    bool m_highContrast = false;
    std::optional<bool> m_portalDark;
    QPointer<PortalSettings> m_portal;
};

} // namespace brindlemoor
