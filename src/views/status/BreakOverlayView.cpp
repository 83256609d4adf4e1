// SPDX-License-Identifier: MIT
#include "views/status/BreakOverlayView.h"

#include "core/foundation/Scheduler.h"
#include "views/components/AccessibleContent.h"
#include "views/status/OverlayBackdrop.h"
#include "views/status/OverlayButton.h"
#include "views/status/OverlayEasing.h"

#include <QFontMetricsF>
#include <QGraphicsEffect>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QVariantAnimation>

#include <algorithm>
#include <cmath>

namespace brindlemoor {

namespace {

constexpr qreal columnSpacing = 12;
constexpr qreal buttonSpacing = 12;
constexpr qreal riseOffset = 14;
constexpr qreal riseScale = 0.96;
constexpr qreal sideMargin = 32;
constexpr std::chrono::milliseconds countdownStep{50};

struct Line {
    QString text;
    QFont font;
    qreal alpha = 1;
    qreal padTop = 0;
    qreal padBottom = 0;
};

QFont lineFont(int pixels, QFont::Weight weight)
{
    QFont font;
    font.setPixelSize(pixels);
    font.setWeight(weight);
    return font;
}

} // namespace

// The centred column: three lines of text over the two buttons. Clicks outside the
// buttons fall through to the backdrop, which closes the overlay.
// A class of its own: the accessibility factories are asked by class name, and "QWidget" is Qt's.
class BreakOverlayView::Column final : public QWidget, public AccessibleContent {
    Q_OBJECT

public:
    Column(QList<Line> lines, QWidget* parent)
        : QWidget(parent)
        , m_lines(std::move(lines))
    {
    }

    const QList<Line>& lines() const { return m_lines; }

    QAccessible::Role accessibleRole() const override { return QAccessible::Grouping; }
    QString accessibleText() const override { return {}; }
    // The large middle line is what the overlay says; it is read as its heading.
    QList<AccessibleItem> accessibleItems() const override
    {
        QList<AccessibleItem> items;
        for (int i = 0; i < m_lines.size() && i < m_textRects.size(); ++i)
            items.append({i == 1 ? QAccessible::Heading : QAccessible::StaticText, m_lines[i].text, m_textRects[i]});
        return items;
    }

    void arrange(const QSize& screen, OverlayButton* first, OverlayButton* second)
    {
        const qreal wrapWidth = std::max<qreal>(120, screen.width() - 2 * sideMargin);
        const QMargins shadow = OverlayButton::shadowMargins();
        const QSizeF firstCapsule = QSizeF(first->sizeHint().shrunkBy(shadow));
        const QSizeF secondCapsule = QSizeF(second->sizeHint().shrunkBy(shadow));
        const qreal rowWidth = firstCapsule.width() + buttonSpacing + secondCapsule.width();
        const qreal rowHeight = std::max(firstCapsule.height(), secondCapsule.height());

        qreal width = rowWidth;
        m_textRects.clear();
        QList<QSizeF> sizes;
        for (const Line& line : std::as_const(m_lines)) {
            const QSizeF size =
                QFontMetricsF(line.font).boundingRect(QRectF(0, 0, wrapWidth, 1e6), textFlags, line.text).size();
            sizes.append(size);
            width = std::max(width, size.width());
        }

        // Room around the content for the buttons' shadows and the entrance's drop.
        const qreal padX = shadow.left();
        const qreal padTop = shadow.top();
        qreal y = padTop;
        for (int i = 0; i < m_lines.size(); ++i) {
            const Line& line = m_lines[i];
            y += line.padTop;
            m_textRects.append(QRectF(padX + (width - sizes[i].width()) / 2, y, sizes[i].width(), sizes[i].height()));
            y += sizes[i].height() + line.padBottom + columnSpacing;
        }
        const qreal rowLeft = padX + (width - rowWidth) / 2;
        place(first, QPointF(rowLeft, y + (rowHeight - firstCapsule.height()) / 2));
        place(second,
              QPointF(rowLeft + firstCapsule.width() + buttonSpacing, y + (rowHeight - secondCapsule.height()) / 2));
        const qreal height = y + rowHeight + shadow.bottom() + riseOffset;
        const QSize size(static_cast<int>(std::ceil(width + 2 * padX)), static_cast<int>(std::ceil(height)));
        // Centred on the content (the drop room below is not part of it), as a stack would be.
        const qreal contentCentre = (padTop + y + rowHeight) / 2;
        setGeometry(qRound((screen.width() - size.width()) / 2.0), qRound(screen.height() / 2.0 - contentCentre),
                    size.width(), size.height());
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::TextAntialiasing);
        for (int i = 0; i < m_lines.size() && i < m_textRects.size(); ++i) {
            QColor color(Qt::white);
            color.setAlphaF(static_cast<float>(m_lines[i].alpha));
            painter.setPen(color);
            painter.setFont(m_lines[i].font);
            painter.drawText(m_textRects[i], textFlags, m_lines[i].text);
        }
    }

private:
    static constexpr int textFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;

    static void place(OverlayButton* button, QPointF capsuleTopLeft)
    {
        const QMargins shadow = OverlayButton::shadowMargins();
        button->setGeometry(
            QRect(QPoint(qRound(capsuleTopLeft.x()) - shadow.left(), qRound(capsuleTopLeft.y()) - shadow.top()),
                  button->sizeHint()));
    }

    QList<Line> m_lines;
    QList<QRectF> m_textRects;
};

// Fades, shrinks and lowers the column while it rises into place. Off once it has arrived,
// so the ring's repaints do not go through an offscreen copy of the column.
class BreakOverlayView::RiseEffect final : public QGraphicsEffect {
public:
    using QGraphicsEffect::QGraphicsEffect;

    void setProgress(qreal progress)
    {
        m_progress = progress;
        setEnabled(progress < 1);
        update();
    }

    QRectF boundingRectFor(const QRectF& rect) const override { return rect; }

protected:
    void draw(QPainter* painter) override
    {
        if (m_progress <= 0)
            return;
        QPoint offset;
        const QPixmap pixmap = sourcePixmap(Qt::LogicalCoordinates, &offset, QGraphicsEffect::NoPad);
        const QRectF bounds = sourceBoundingRect(Qt::LogicalCoordinates);
        const qreal scale = riseScale + (1 - riseScale) * m_progress;
        painter->save();
        painter->setOpacity(painter->opacity() * m_progress);
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->translate(bounds.center() + QPointF(0, riseOffset * (1 - m_progress)));
        painter->scale(scale, scale);
        painter->translate(-bounds.center());
        painter->drawPixmap(offset, pixmap);
        painter->restore();
    }

private:
    qreal m_progress = 0;
};

BreakOverlayView::BreakOverlayView(Scheduler& scheduler, qint64 extensionMinutes, QImage capture, Scheme scheme,
                                   bool seeThrough, QWidget* parent)
    : QWidget(parent)
    , m_scheduler(scheduler)
    , m_capture(std::move(capture))
    , m_frosted(frostedBackdrop(m_capture, scheme.dark))
    , m_seeThrough(seeThrough)
{
    QFont caption = lineFont(12, QFont::DemiBold);
    caption.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    m_column = new Column(
        {
            {tr("DAILY LIMIT"), caption, 0.55, 0, 0},
            {tr("You are about to reach your daily screen time limit"), lineFont(28, QFont::Bold), 1.0, 2, 0},
            {tr("Consider taking a short break"), lineFont(17, QFont::Normal), 0.75, 0, 12},
        },
        this);
    m_closeButton = new OverlayButton(tr("Close"), {}, true, scheme.highContrast, m_column);
    m_extendButton = new OverlayButton(tr("Extend for %n min", nullptr, static_cast<int>(extensionMinutes)),
                                       QStringLiteral("clock"), false, scheme.highContrast, m_column);
    connect(m_closeButton, &QAbstractButton::clicked, this, [this] { choose(&BreakOverlayView::closeRequested); });
    connect(m_extendButton, &QAbstractButton::clicked, this, [this] { choose(&BreakOverlayView::extendRequested); });

    m_rise = new RiseEffect(m_column);
    m_column->setGraphicsEffect(m_rise);
    setEntrance(0);
}

BreakOverlayView::~BreakOverlayView() = default;

void BreakOverlayView::appear()
{
    m_live = true;
    m_entranceAnimation = new QVariantAnimation(this);
    m_entranceAnimation->setDuration(static_cast<int>(overlay::fadeDuration.count()));
    m_entranceAnimation->setEasingCurve(overlay::easeOut());
    m_entranceAnimation->setStartValue(0.0);
    m_entranceAnimation->setEndValue(1.0);
    connect(m_entranceAnimation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { setEntrance(value.toReal()); });
    m_entranceAnimation->start(QAbstractAnimation::DeleteWhenStopped);

    m_countdownTicks = 0;
    setTimerProgress(1);
    m_countdown = m_scheduler.startRepeating(countdownStep, [this] { tickCountdown(); });
    m_scheduler.runAfter(selfCloseDelay, this, [this] { choose(&BreakOverlayView::closeRequested); });
}

void BreakOverlayView::tickCountdown()
{
    // Counted in steps of the same scheduler as the self-close, so the ring is empty when it fires.
    ++m_countdownTicks;
    const auto elapsed = static_cast<qreal>(m_countdownTicks * countdownStep.count());
    setTimerProgress(1 - elapsed / static_cast<qreal>(selfCloseDelay.count()));
    if (m_closeButton->timerProgress() <= 0)
        m_countdown.reset();
}

void BreakOverlayView::choose(void (BreakOverlayView::*choice)())
{
    if (!m_live)
        return;
    m_live = false;
    m_countdown.reset();
    Q_EMIT(this->*choice)();
}

void BreakOverlayView::setEntrance(qreal progress)
{
    m_entrance = std::clamp(progress, 0.0, 1.0);
    m_rise->setProgress(m_entrance);
}

void BreakOverlayView::setFade(qreal fade)
{
    m_fade = std::clamp(fade, 0.0, 1.0);
    update();
}

qreal BreakOverlayView::timerProgress() const
{
    return m_closeButton->timerProgress();
}

void BreakOverlayView::setTimerProgress(qreal progress)
{
    m_closeButton->setTimerProgress(progress);
}

QStringList BreakOverlayView::lines() const
{
    QStringList texts;
    for (const Line& line : m_column->lines())
        texts.append(line.text);
    return texts;
}

void BreakOverlayView::resizeEvent(QResizeEvent* /*event*/)
{
    m_column->arrange(size(), m_closeButton, m_extendButton);
    m_frostedScaled = {};
}

void BreakOverlayView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const QRectF bounds(rect());
    // The backdrop is all this window shows; no palette colour may shine through its translucency.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);

    if (!m_frosted.isNull()) {
        // Without a compositor the window cannot show the screen behind it, so it shows the capture.
        if (!m_seeThrough)
            painter.drawImage(bounds, m_capture);
        const qreal ratio = devicePixelRatioF();
        if (m_frostedScaled.isNull() || m_frostedScaled.devicePixelRatio() != ratio) {
            // Scaled once per size: painting a smooth upscale on every ring tick would cost far more.
            m_frostedScaled =
                QPixmap::fromImage(m_frosted.scaled(size() * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
            m_frostedScaled.setDevicePixelRatio(ratio);
        }
        painter.setOpacity(backdropOpacity * m_fade);
        painter.drawPixmap(QPointF(0, 0), m_frostedScaled);
    } else {
        painter.setOpacity(m_fade);
        painter.fillRect(rect(), QColor(14, 14, 18, 150));
    }

    painter.setOpacity(m_fade);
    QLinearGradient shade(bounds.topLeft(), bounds.bottomLeft());
    shade.setColorAt(0.0, QColor(0, 0, 0, 0));
    shade.setColorAt(0.18, QColor(0, 0, 0, 77));
    shade.setColorAt(0.5, QColor(0, 0, 0, 158));
    shade.setColorAt(0.82, QColor(0, 0, 0, 77));
    shade.setColorAt(1.0, QColor(0, 0, 0, 0));
    painter.fillRect(bounds, shade);
}

void BreakOverlayView::mousePressEvent(QMouseEvent* event)
{
    m_backdropPressed = event->button() == Qt::LeftButton;
    event->accept();
}

void BreakOverlayView::mouseReleaseEvent(QMouseEvent* event)
{
    const bool clicked = m_backdropPressed && event->button() == Qt::LeftButton && rect().contains(event->pos());
    m_backdropPressed = false;
    event->accept();
    if (clicked)
        choose(&BreakOverlayView::closeRequested);
}

} // namespace brindlemoor

#include "BreakOverlayView.moc"
