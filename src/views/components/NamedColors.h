// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QPalette>
#include <QStringView>

#include <optional>

class QWidget;

namespace brindlemoor {

class Appearance;

/// The program's own colours; each has a light and a dark value.
enum class NamedColor {
    GlobalAccent, ///< per-app fills, switches, accents
    DailyBlue,    ///< daily-total displays
    NeonOrange,   ///< the 80 % warning dot
    NeonRed,      ///< the limit dot
};

/// The roles that the views paint with. Their values are the program's own, fixed, not read
/// from the desktop's theme; resolved like the named colours.
enum class ColorRole {
    Primary,           ///< text and symbols
    Secondary,         ///< captions, inactive symbols
    Separator,         ///< dividers and outlines
    ControlBackground, ///< the monitored-apps box, text fields
    PopoverBackground, ///< the popover's panel
    Teal,              ///< the desktop's teal: the reflection panel's open state
    Gray,              ///< the desktop's neutral grey: the reflection panel's closed state
    FocusRing,         ///< the ring around the control that has the keyboard focus
    CardBackground,    ///< beneath a floating card: clear, the desktop shows; opaque in higher contrast
};

struct ColorPair {
    QColor light;
    QColor dark;
};

/// What the colours are resolved for: the desktop's light or dark, and whether it asked for
/// higher contrast. Appearance::scheme() says which; there is no conversion from a bare bool.
struct Scheme {
    bool dark = false;
    bool highContrast = false;
    friend bool operator==(const Scheme&, const Scheme&) = default;
};

/// Both values of a colour, in normal or in higher contrast.
ColorPair colorPair(NamedColor name, bool highContrast);
ColorPair colorPair(ColorRole role, bool highContrast);

/// Resolved for the scheme; ask again after Appearance::changed().
QColor namedColor(NamedColor name, Scheme scheme);
QColor roleColor(ColorRole role, Scheme scheme);
/// By the colour's name ("globalAccent", "dailyBlue", "neonOrange", "neonRed").
std::optional<NamedColor> namedColorFromName(QStringView name);

/// A faint outline in the text colour at `opacity`; solid and strong in higher contrast.
QColor outlineColor(qreal opacity, Scheme scheme);

/// `color` with its alpha multiplied by `opacity`.
QColor withOpacity(QColor color, qreal opacity);
/// Linear mix of two colours, t clamped to 0...1.
QColor mixColors(const QColor& from, const QColor& to, qreal t);

/// A palette for the stock widgets inside the program's views (labels, fields, lists).
QPalette viewPalette(Scheme scheme);
/// Gives `widget` the view palette now and again at every change of `appearance`.
void followAppearance(QWidget* widget, const Appearance& appearance);

} // namespace brindlemoor
