// SPDX-License-Identifier: MIT
#include "gallery/Gallery.h"

#include "core/foundation/Scheduler.h"
#include "views/status/BreakOverlayView.h"
#include "views/status/StatusDot.h"
#include "views/status/StatusIconEngine.h"

#include <QFont>
#include <QIcon>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace brindlemoor::gallery {

namespace {

constexpr QSize overlaySize(1280, 800);
constexpr int cellScale = 8;
constexpr int cell = statusImageSize * cellScale;
constexpr int gap = 16;
constexpr int labelWidth = 170;
constexpr int headerHeight = 56;

struct TrayCase {
    const char* name;
    StatusImage image;
};

QList<TrayCase> trayCases()
{
    StatusImage normal;
    normal.color = {0.2, 0.78, 0.74}; // the default dot colour
    StatusImage red;
    red.kind = StatusImage::Kind::Red;
    StatusImage square = red;
    square.square = true;
    StatusImage two = red;
    two.badge = QStringLiteral("2");
    StatusImage many = red;
    many.badge = QStringLiteral("9+");
    StatusImage squareTwo = square;
    squareTwo.badge = QStringLiteral("2");
    StatusImage paused;
    paused.kind = StatusImage::Kind::Paused;
    return {{"normal", normal},      {"red", red},
            {"red square", square},  {"red, badge 2", two},
            {"red, badge 9+", many}, {"square, badge 2", squareTwo},
            {"paused", paused}};
}

// Every image enlarged without smoothing, so each device pixel shows as a block, on a
// light and a dark panel at ratios 1 and 2, with the real size beside each row.
QImage traySheet()
{
    const QList<TrayCase> cases = trayCases();
    struct Column {
        bool dark;
        qreal ratio;
        const char* title;
    };
    const Column columns[] = {
        {false, 1, "light @1x"}, {false, 2, "light @2x"}, {true, 1, "dark @1x"}, {true, 2, "dark @2x"}};
    const int width = labelWidth + 4 * (cell + gap) + 2 * (statusImageSize * 2 + gap) + gap;
    const int height = headerHeight + static_cast<int>(cases.size()) * (cell + gap) + gap;
    QImage sheet(width, height, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(0xfa, 0xfa, 0xfa));
    QPainter painter(&sheet);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    painter.setFont(font);
    painter.setPen(QColor(0x30, 0x30, 0x30));

    for (int c = 0; c < 4; ++c) {
        painter.drawText(QRect(labelWidth + c * (cell + gap), 0, cell, headerHeight), Qt::AlignCenter,
                         QString::fromLatin1(columns[c].title));
    }
    painter.drawText(QRect(labelWidth + 4 * (cell + gap), 0, 2 * (statusImageSize * 2 + gap), headerHeight),
                     Qt::AlignCenter, QStringLiteral("actual"));

    for (int r = 0; r < cases.size(); ++r) {
        const int top = headerHeight + r * (cell + gap);
        painter.setPen(QColor(0x30, 0x30, 0x30));
        painter.drawText(QRect(gap, top, labelWidth - gap, cell), Qt::AlignVCenter | Qt::AlignLeft,
                         QString::fromLatin1(cases[r].name));
        for (int c = 0; c < 4; ++c) {
            const Column& column = columns[c];
            const QRect box(labelWidth + c * (cell + gap), top, cell, cell);
            painter.fillRect(box, column.dark ? QColor(0x24, 0x24, 0x24) : QColor(0xeb, 0xeb, 0xeb));
            QImage image = renderStatusImage(cases[r].image, column.ratio, column.dark);
            image.setDevicePixelRatio(1);
            painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
            painter.drawImage(box, image);
        }
        // The real thing at 1x on both panels, as a person would see it in a tray.
        for (int d = 0; d < 2; ++d) {
            const QRect panel(labelWidth + 4 * (cell + gap) + d * (statusImageSize * 2 + gap),
                              top + (cell - statusImageSize * 2) / 2, statusImageSize * 2, statusImageSize * 2);
            painter.fillRect(panel, d == 1 ? QColor(0x24, 0x24, 0x24) : QColor(0xeb, 0xeb, 0xeb));
            painter.drawImage(panel.topLeft() + QPoint(statusImageSize / 2, statusImageSize / 2),
                              renderStatusImage(cases[r].image, 1, d == 1));
        }
    }
    return sheet;
}

// The icon as each tray host asks for it, drawn at that size and enlarged without
// smoothing: 8 times up to 48 pixels, 4 times beyond, on the panel's own background.
QImage traySizesSheet(bool dark)
{
    struct Size {
        int pixels;
        int zoom;
    };
    const Size sizes[] = {{16, 8}, {22, 8}, {24, 8}, {32, 8}, {44, 8}, {48, 8}, {64, 4}, {96, 4}};
    const QList<TrayCase> cases = trayCases();
    int width = labelWidth + gap;
    for (const Size& size : sizes)
        width += size.pixels * size.zoom + gap;
    const int rowHeight = 48 * 8;
    QImage sheet(width, headerHeight + static_cast<int>(cases.size()) * (rowHeight + gap) + gap,
                 QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(0xfa, 0xfa, 0xfa));
    QPainter painter(&sheet);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    painter.setFont(font);
    painter.setPen(QColor(0x30, 0x30, 0x30));
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (int r = 0; r < cases.size(); ++r) {
        const int top = headerHeight + r * (rowHeight + gap);
        painter.drawText(QRect(gap, top, labelWidth - gap, rowHeight), Qt::AlignVCenter | Qt::AlignLeft,
                         QString::fromLatin1(cases[r].name));
        const QIcon icon(new StatusIconEngine(cases[r].image, dark));
        int left = labelWidth;
        for (const Size& size : sizes) {
            const int edge = size.pixels * size.zoom;
            if (r == 0) {
                painter.drawText(QRect(left, 0, edge, headerHeight), Qt::AlignCenter,
                                 QStringLiteral("%1 px \u00d7%2").arg(size.pixels).arg(size.zoom));
            }
            const QRect box(left, top, edge, edge);
            painter.fillRect(box, dark ? QColor(0x24, 0x24, 0x24) : QColor(0xeb, 0xeb, 0xeb));
            painter.drawImage(box, icon.pixmap(QSize(size.pixels, size.pixels), 1.0).toImage());
            left += edge + gap;
        }
    }
    return sheet;
}

// A made-up desktop to blur: wallpaper, a panel and two windows with some content.
QImage desktopCapture(bool dark, qreal ratio)
{
    QImage image(overlaySize * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF screen(QPointF(0, 0), QSizeF(overlaySize));
    QLinearGradient wallpaper(screen.topLeft(), screen.bottomRight());
    wallpaper.setColorAt(0, dark ? QColor(0x1b, 0x26, 0x4a) : QColor(0x9c, 0xc7, 0xf0));
    wallpaper.setColorAt(1, dark ? QColor(0x4a, 0x23, 0x5a) : QColor(0xf6, 0xc5, 0xa3));
    painter.fillRect(screen, wallpaper);
    painter.fillRect(QRectF(0, 0, screen.width(), 30), dark ? QColor(0x12, 0x12, 0x14) : QColor(0xf4, 0xf4, 0xf4));

    const auto window = [&](QRectF frame, QColor accent) {
        QPainterPath body;
        body.addRoundedRect(frame, 10, 10);
        painter.fillPath(body, dark ? QColor(0x2c, 0x2c, 0x30) : QColor(0xff, 0xff, 0xff));
        painter.fillRect(QRectF(frame.left(), frame.top() + 10, frame.width(), 28),
                         dark ? QColor(0x3a, 0x3a, 0x40) : QColor(0xe8, 0xe8, 0xec));
        painter.fillRect(QRectF(frame.left() + 24, frame.top() + 64, frame.width() * 0.4, 120), accent);
        for (int line = 0; line < 8; ++line) {
            painter.fillRect(
                QRectF(frame.left() + 24, frame.top() + 210 + line * 22, frame.width() * (0.5 + 0.05 * line), 10),
                dark ? QColor(0x8a, 0x8a, 0x90) : QColor(0x50, 0x50, 0x58));
        }
    };
    window(QRectF(90, 90, 620, 460), QColor(0xe6, 0x61, 0x00));
    window(QRectF(560, 240, 600, 480), QColor(0x26, 0xa2, 0x69));
    return image;
}

QImage overlay(Gallery& gallery, QtScheduler& scheduler, bool dark, qreal ratio, bool withCapture)
{
    const Scheme scheme{.dark = dark, .highContrast = gallery.appearance().isHighContrast()};
    BreakOverlayView view(scheduler, 15, withCapture ? desktopCapture(dark, ratio) : QImage(), scheme, false);
    view.resize(overlaySize);
    view.setEntrance(1);
    view.setTimerProgress(0.6);
    return gallery.grab(&view, ratio);
}

} // namespace

void renderStatusSurfaces(Gallery& gallery)
{
    gallery.save(QStringLiteral("status-tray-images"), traySheet());
    gallery.save(QStringLiteral("status-tray-sizes-light"), traySizesSheet(false));
    gallery.save(QStringLiteral("status-tray-sizes-dark"), traySizesSheet(true));

    QtScheduler scheduler;
    for (const bool dark : {false, true}) {
        gallery.appearance().setDark(dark);
        const QString tone = dark ? QStringLiteral("dark") : QStringLiteral("light");
        for (const qreal ratio : {1.0, 2.0}) {
            gallery.save(QStringLiteral("status-overlay-%1-%2x").arg(tone).arg(ratio),
                         overlay(gallery, scheduler, dark, ratio, true));
        }
    }
    // Where the screen cannot be captured: the plain dark backdrop, here over a neutral grey.
    QImage plain = overlay(gallery, scheduler, false, 1, false);
    QImage onGrey(plain.size(), QImage::Format_ARGB32_Premultiplied);
    onGrey.fill(QColor(0x80, 0x80, 0x80));
    QPainter(&onGrey).drawImage(0, 0, plain);
    gallery.save(QStringLiteral("status-overlay-no-capture"), onGrey);
}

} // namespace brindlemoor::gallery
