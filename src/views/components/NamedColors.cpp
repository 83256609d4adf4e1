// SPDX-License-Identifier: MIT
#include "views/components/NamedColors.h"

#include "views/components/Appearance.h"

#include <QWidget>

#include <algorithm>

namespace brindlemoor {

namespace {

QColor rgb(double red, double green, double blue, double alpha = 1.0)
{
    return QColor::fromRgbF(static_cast<float>(red), static_cast<float>(green), static_cast<float>(blue),
                            static_cast<float>(alpha));
}

QColor resolve(const ColorPair& pair, Scheme scheme)
{
    return scheme.dark ? pair.dark : pair.light;
}

} // namespace

ColorPair colorPair(NamedColor name, bool highContrast)
{
    // White text sits on these fills in the dark scheme: higher contrast deepens them to 4.5:1.
    if (highContrast && name == NamedColor::GlobalAccent)
        return {rgb(0.325, 0.651, 0.486), rgb(0.18, 0.45, 0.32)};
    if (highContrast && name == NamedColor::DailyBlue)
        return {rgb(0.296, 0.518, 0.74), rgb(0.2, 0.38, 0.66)};
    switch (name) {
    case NamedColor::GlobalAccent:
        return {rgb(0.325, 0.651, 0.486), rgb(0.322, 0.631, 0.49)};
    case NamedColor::DailyBlue:
        return {rgb(0.296, 0.518, 0.74), rgb(0.398, 0.614, 0.83)};
    case NamedColor::NeonOrange:
        return {rgb(1.0, 0.45, 0.0), rgb(1.0, 0.6, 0.0)};
    case NamedColor::NeonRed:
        return {rgb(0.85, 0.0, 0.15), rgb(1.0, 0.2, 0.3)};
    }
    return {};
}

ColorPair colorPair(ColorRole role, bool highContrast)
{
    // Higher contrast: text pure black or white on opaque, plain backgrounds, lines solid.
    if (highContrast) {
        switch (role) {
        case ColorRole::Primary:
        case ColorRole::Secondary:
        case ColorRole::FocusRing:
            return {rgb(0, 0, 0), rgb(1, 1, 1)};
        case ColorRole::Separator:
            return {rgb(0.25, 0.25, 0.25), rgb(0.75, 0.75, 0.75)};
        case ColorRole::ControlBackground:
        case ColorRole::PopoverBackground:
        case ColorRole::CardBackground:
            return {rgb(1, 1, 1), rgb(0, 0, 0)};
        case ColorRole::Teal:
        case ColorRole::Gray:
            break;
        }
    }
    switch (role) {
    case ColorRole::Primary:
        return {rgb(0, 0, 0, 0.85), rgb(1, 1, 1, 0.85)};
    case ColorRole::Secondary:
        // Darker than half in the light scheme: captions keep 4.5:1 on the panel and in fields.
        return {rgb(0, 0, 0, 0.58), rgb(1, 1, 1, 0.55)};
    case ColorRole::Separator:
        return {rgb(0, 0, 0, 0.1), rgb(1, 1, 1, 0.1)};
    case ColorRole::ControlBackground:
        return {rgb(1, 1, 1), rgb(0.118, 0.118, 0.118)};
    case ColorRole::PopoverBackground:
        return {rgb(0.93, 0.93, 0.93), rgb(0.17, 0.17, 0.17)};
    case ColorRole::Teal:
        return {rgb(0.188, 0.69, 0.78), rgb(0.25, 0.784, 0.878)};
    case ColorRole::Gray:
        return {rgb(0.557, 0.557, 0.576), rgb(0.596, 0.596, 0.616)};
    case ColorRole::CardBackground:
        return {Qt::transparent, Qt::transparent};
    case ColorRole::FocusRing:
        return {withOpacity(colorPair(NamedColor::GlobalAccent, false).light, 0.8),
                withOpacity(colorPair(NamedColor::GlobalAccent, false).dark, 0.8)};
    }
    return {};
}

QColor namedColor(NamedColor name, Scheme scheme)
{
    return resolve(colorPair(name, scheme.highContrast), scheme);
}

QColor roleColor(ColorRole role, Scheme scheme)
{
    return resolve(colorPair(role, scheme.highContrast), scheme);
}

std::optional<NamedColor> namedColorFromName(QStringView name)
{
    if (name == u"globalAccent")
        return NamedColor::GlobalAccent;
    if (name == u"dailyBlue")
        return NamedColor::DailyBlue;
    if (name == u"neonOrange")
        return NamedColor::NeonOrange;
    if (name == u"neonRed")
        return NamedColor::NeonRed;
    return std::nullopt;
}

QColor outlineColor(qreal opacity, Scheme scheme)
{
    if (scheme.highContrast)
        return roleColor(ColorRole::Primary, scheme);
    return withOpacity(roleColor(ColorRole::Primary, scheme), opacity);
}

QColor withOpacity(QColor color, qreal opacity)
{
    color.setAlphaF(static_cast<float>(std::clamp(color.alphaF() * opacity, 0.0, 1.0)));
    return color;
}

QColor mixColors(const QColor& from, const QColor& to, qreal t)
{
    t = std::clamp(t, 0.0, 1.0);
    const auto mix = [t](float a, float b) { return static_cast<float>(a + (b - a) * t); };
    const QColor a = from.toRgb();
    const QColor b = to.toRgb();
    return QColor::fromRgbF(mix(a.redF(), b.redF()), mix(a.greenF(), b.greenF()), mix(a.blueF(), b.blueF()),
                            mix(a.alphaF(), b.alphaF()));
}

QPalette viewPalette(Scheme scheme)
{
    const QColor primary = roleColor(ColorRole::Primary, scheme);
    const QColor secondary = roleColor(ColorRole::Secondary, scheme);
    const QColor window = roleColor(ColorRole::PopoverBackground, scheme);
    const QColor control = roleColor(ColorRole::ControlBackground, scheme);
    const QColor accent = namedColor(NamedColor::GlobalAccent, scheme);

    QPalette palette;
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, window);
        palette.setColor(group, QPalette::WindowText, primary);
        palette.setColor(group, QPalette::Base, control);
        palette.setColor(group, QPalette::AlternateBase, withOpacity(primary, 0.05));
        palette.setColor(group, QPalette::Text, primary);
        palette.setColor(group, QPalette::PlaceholderText, secondary);
        palette.setColor(group, QPalette::Button, scheme.dark ? rgb(0.3, 0.3, 0.3) : rgb(0.98, 0.98, 0.98));
        palette.setColor(group, QPalette::ButtonText, primary);
        palette.setColor(group, QPalette::Highlight, accent);
        palette.setColor(group, QPalette::HighlightedText, Qt::white);
        palette.setColor(group, QPalette::ToolTipBase, control);
        palette.setColor(group, QPalette::ToolTipText, primary);
        palette.setColor(group, QPalette::Light, scheme.dark ? rgb(0.4, 0.4, 0.4) : Qt::white);
        palette.setColor(group, QPalette::Midlight, scheme.dark ? rgb(0.3, 0.3, 0.3) : rgb(0.9, 0.9, 0.9));
        palette.setColor(group, QPalette::Mid, scheme.dark ? rgb(0.25, 0.25, 0.25) : rgb(0.75, 0.75, 0.75));
        palette.setColor(group, QPalette::Dark, scheme.dark ? rgb(0.1, 0.1, 0.1) : rgb(0.6, 0.6, 0.6));
        palette.setColor(group, QPalette::Shadow, rgb(0, 0, 0, 0.4));
    }
    palette.setColor(QPalette::Disabled, QPalette::WindowText, secondary);
    palette.setColor(QPalette::Disabled, QPalette::Text, secondary);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, secondary);
    palette.setColor(QPalette::Disabled, QPalette::Window, window);
    palette.setColor(QPalette::Disabled, QPalette::Base, control);
    palette.setColor(QPalette::Disabled, QPalette::Button, scheme.dark ? rgb(0.25, 0.25, 0.25) : rgb(0.94, 0.94, 0.94));
    return palette;
}

void followAppearance(QWidget* widget, const Appearance& appearance)
{
    widget->setPalette(viewPalette(appearance.scheme()));
    QObject::connect(&appearance, &Appearance::changed, widget,
                     [widget, &appearance] { widget->setPalette(viewPalette(appearance.scheme())); });
}

} // namespace brindlemoor
