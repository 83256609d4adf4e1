// SPDX-License-Identifier: MIT
#pragma once

#include "core/status/StatusImage.h"

#include <QIconEngine>

namespace brindlemoor {

/// The tray image as an icon that draws itself afresh at whatever size it is asked for,
/// so every tray host, at every size and pixel ratio, gets a sharp dot.
class StatusIconEngine final : public QIconEngine {
public:
    StatusIconEngine(StatusImage image, bool dark);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
    QIconEngine* clone() const override;
    QString key() const override;

private:
    StatusImage m_image;
    bool m_dark;
};

} // namespace brindlemoor
