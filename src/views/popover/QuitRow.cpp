// SPDX-License-Identifier: MIT
#include "views/popover/QuitRow.h"

#include "views/components/Appearance.h"
#include "views/components/FocusRing.h"
#include "views/components/Fonts.h"
#include "views/components/HoverTracker.h"
#include "views/components/NamedColors.h"
#include "views/components/ProgressCard.h"
#include "views/components/Spring.h"
#include "views/status/OverlayEasing.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPainter>

#include <cmath>

namespace brindlemoor {

namespace {

constexpr qreal paddingX = 10;
constexpr qreal paddingY = 3;
constexpr qreal cornerRadius = 8;
constexpr int hoverMs = 120;

QFont labelFont()
{
    return fonts::system(13, QFont::Medium);
}

QFont hintFont()
{
    return fonts::system(11);
}

} // namespace

QuitRow::QuitRow(const Appearance& appearance, QWidget* parent)
    : QAbstractButton(parent)
    , m_appearance(appearance)
    , m_hoverTracker(new HoverTracker(this))
{
    setText(tr("Quit"));
    setAccessibleName(tr("Quit Brindlemoor"));
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_hoverMotion.setDuration(hoverMs);
    m_hoverMotion.setEasingCurve(overlay::easeOut());
    connect(&m_hoverMotion, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_hover = value.toReal();
        update();
    });
    connect(m_hoverTracker, &HoverTracker::hoveringChanged, this, [this](bool hovering) {
        m_hoverMotion.stop();
        if (!SpringAnimation::motionEnabled()) {
            m_hover = hovering ? 1 : 0;
            update();
            return;
        }
        m_hoverMotion.setStartValue(m_hover);
        m_hoverMotion.setEndValue(hovering ? 1.0 : 0.0);
        m_hoverMotion.start();
    });
    connect(&m_appearance, &Appearance::changed, this, qOverload<>(&QWidget::update));
}

QKeySequence QuitRow::shortcut()
{
    return {Qt::CTRL | Qt::Key_Q};
}

QSize QuitRow::sizeHint() const
{
    const qreal lineHeight = std::max(QFontMetricsF(labelFont()).height(), QFontMetricsF(hintFont()).height());
    const qreal width = QFontMetricsF(labelFont()).horizontalAdvance(text()) +
                        QFontMetricsF(hintFont()).horizontalAdvance(shortcut().toString(QKeySequence::NativeText));
    return {static_cast<int>(std::ceil(width + 3 * paddingX)), static_cast<int>(std::ceil(lineHeight + 2 * paddingY))};
}

void QuitRow::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds(rect());
    const Scheme scheme = m_appearance.scheme();
    if (m_hover > 0) {
        painter.fillPath(progresscard::continuousRoundedRect(bounds, cornerRadius),
                         withOpacity(namedColor(NamedColor::GlobalAccent, scheme), m_hover));
    }
    const QColor primary = roleColor(ColorRole::Primary, scheme);
    const QRectF line = bounds.adjusted(paddingX, paddingY, -paddingX, -paddingY);
    painter.setPen(isDown() ? withOpacity(primary, 0.6) : primary);
    painter.setFont(labelFont());
    painter.drawText(line, Qt::AlignVCenter | Qt::AlignLeft, text());
    // The hint sits where menus put shortcuts: at the trailing edge.
    painter.setPen(withOpacity(primary, 0.7));
    painter.setFont(hintFont());
    painter.drawText(line, Qt::AlignVCenter | Qt::AlignRight, shortcut().toString(QKeySequence::NativeText));
    if (showsFocusRing(this))
        paintFocusRing(painter, bounds, cornerRadius + 0.6, scheme);
}

void QuitRow::keyPressEvent(QKeyEvent* event)
{
    if (!clickOnEnter(this, event))
        QAbstractButton::keyPressEvent(event);
}

} // namespace brindlemoor
