// SPDX-License-Identifier: MIT
#pragma once

#include "views/components/Appearance.h"

#include <QImage>
#include <QString>

class QWidget;

namespace brindlemoor::gallery {

/// Writes the rendered surfaces of the program as PNG files into one folder.
class Gallery {
public:
    explicit Gallery(QString folder)
        : m_folder(std::move(folder))
    {
    }

    /// Saves `name`.png; returns false and reports on standard error when it cannot.
    bool save(const QString& name, const QImage& image);
    /// Renders a widget (at its current size) at the given device pixel ratio.
    QImage grab(QWidget* widget, qreal devicePixelRatio);
    /// Reports a failed check on standard error; the gallery then exits non-zero.
    void fail(const QString& message);
    int failures() const { return m_failures; }
    /// Light or dark as each picture asks.
    Appearance& appearance() { return m_appearance; }

private:
    Appearance m_appearance;
    QString m_folder;
    int m_failures = 0;
};

// Each area of the program adds its surfaces here, in light and dark.
void renderStatusSurfaces(Gallery& gallery);
void renderSettingsSurfaces(Gallery& gallery);
void renderWidgetSurfaces(Gallery& gallery);
void renderSymbolSurfaces(Gallery& gallery);
void renderInsightsSurfaces(Gallery& gallery);
void renderOnboardingSurfaces(Gallery& gallery);
void renderMenuSurfaces(Gallery& gallery);
void renderHistorySurfaces(Gallery& gallery);
/// Every text's contrast against its background; failures go to fail().
void checkContrast(Gallery& gallery);

} // namespace brindlemoor::gallery
