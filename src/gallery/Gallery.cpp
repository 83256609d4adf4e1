// SPDX-License-Identifier: MIT
#include "gallery/Gallery.h"

#include <QDir>
#include <QPainter>
#include <QWidget>

#include <cstdio>

namespace brindlemoor::gallery {

bool Gallery::save(const QString& name, const QImage& image)
{
    const QString path = QDir(m_folder).filePath(name + QStringLiteral(".png"));
    if (image.isNull() || !image.save(path)) {
        std::fprintf(stderr, "gallery: could not write %s\n", qPrintable(path));
        ++m_failures;
        return false;
    }
    return true;
}

void Gallery::fail(const QString& message)
{
    std::fprintf(stderr, "gallery: %s\n", qPrintable(message));
    ++m_failures;
}

QImage Gallery::grab(QWidget* widget, qreal devicePixelRatio)
{
    QImage image(widget->size() * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

} // namespace brindlemoor::gallery
