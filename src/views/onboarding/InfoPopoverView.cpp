// SPDX-License-Identifier: MIT
#include "views/onboarding/InfoPopoverView.h"

#include "core/foundation/BuildInfo.h"
#include "views/components/Appearance.h"
#include "views/components/Fonts.h"
#include "views/components/LinkButton.h"
#include "views/components/NamedColors.h"
#include "views/components/SymbolPainter.h"
#include "views/components/WrappedText.h"
#include "views/onboarding/WelcomeLogoView.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QPainter>

namespace brindlemoor {

namespace {

struct Feature {
    Symbol symbol;
    QString title;
    QString text;
};

QString intro()
{
    return InfoPopoverView::tr("Brindlemoor helps you stay aware of digital boundaries without blocking or "
                               "restricting your work, using gentle pauses instead.");
}

QList<Feature> features()
{
    return {
        {Symbol::Eye, InfoPopoverView::tr("How it works"),
         InfoPopoverView::tr("Quietly tracks active usage. The floating widget keeps your limits visible in your "
                             "peripheral view, while the menu bar indicator reflects when app limits are reached. "
                             "When your daily limit is breached, a gentle overlay pauses the moment before you "
                             "continue.")},
        // This desktop's name for the machine, where the original names its own platform.
        {Symbol::LockShield, InfoPopoverView::tr("Privacy First"),
         InfoPopoverView::tr("No data collection. No screen recording. No analytics. Everything stays locally on "
                             "your computer.")},
    };
}

QString thanks()
{
    return InfoPopoverView::tr("Thank you for taking a moment to pause.");
}

QString versionLine()
{
    return InfoPopoverView::tr("Version %1").arg(InfoPopoverView::version());
}

constexpr int contentWidth = InfoPopoverView::viewWidth - 2 * InfoPopoverView::padding;

} // namespace

InfoPopoverView::InfoPopoverView(const Appearance& appearance, QWidget* parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_feedback(new LinkButton(appearance, tr("Send Feedback"), fonts::system(10, QFont::Medium), this))
{
    connect(m_feedback, &LinkButton::clicked, this, [] { QDesktopServices::openUrl(feedbackUrl()); });
    connect(&m_appearance, &Appearance::changed, this, qOverload<>(&QWidget::update));
    resize(sizeHint());
}

QString InfoPopoverView::version()
{
    const QString version = QCoreApplication::applicationVersion();
    return version.isEmpty() ? QStringLiteral("1.0") : version;
}

QUrl InfoPopoverView::feedbackUrl()
{
    return {QString::fromUtf8(build::feedbackUrl)};
}

QSize InfoPopoverView::sizeHint() const
{
    return {viewWidth, layOut(nullptr)};
}

void InfoPopoverView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    qreal linkTop = 0;
    layOut(nullptr, &linkTop);
    const QSize link = m_feedback->sizeHint();
    m_feedback->setGeometry(padding + contentWidth - link.width(), qRound(linkTop), link.width(), link.height());
}

QList<AccessibleItem> InfoPopoverView::accessibleItems() const
{
    QList<AccessibleItem> items;
    layOut(nullptr, nullptr, &items);
    return items;
}

void InfoPopoverView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    layOut(&painter);
}

int InfoPopoverView::layOut(QPainter* painter, qreal* linkTop, QList<AccessibleItem>* items) const
{
    const Scheme scheme = m_appearance.scheme();
    const QColor primary = roleColor(ColorRole::Primary, scheme);
    const QColor secondary = roleColor(ColorRole::Secondary, scheme);
    const auto text = [&](const QString& string, const QFont& font, qreal x, qreal y, qreal width, qreal leading,
                          const QColor& color, QAccessible::Role role = QAccessible::StaticText) {
        const qreal height = wrapped::height(string, font, width, leading);
        if (painter)
            wrapped::paint(*painter, string, font, QRectF(x, y, width, height), leading, Qt::AlignLeft, color);
        if (items)
            items->append({role, string, QRectF(x, y, width, height)});
        return height;
    };
    const auto divider = [&](qreal y) {
        if (painter)
            painter->fillRect(QRectF(padding, y, contentWidth, 1), roleColor(ColorRole::Separator, scheme));
        return 1.0;
    };

    qreal y = padding;
    // Header: the icon beside the name and the tag line.
    const QFont nameFont = fonts::system(18, QFont::DemiBold);
    const QFont tagFont = fonts::system(13);
    const qreal nameHeight = QFontMetricsF(nameFont).height();
    const qreal tagHeight = QFontMetricsF(tagFont).height();
    const qreal titleBlock = nameHeight + 2 + tagHeight;
    const qreal headerHeight = std::max<qreal>(iconSide, titleBlock);
    if (painter || items) {
        if (painter)
            WelcomeLogoView::paint(*painter, QRectF(padding, y + (headerHeight - iconSide) / 2, iconSide, iconSide));
        const qreal textX = padding + iconSide + 12;
        const qreal textY = y + (headerHeight - titleBlock) / 2;
        text(tr("Brindlemoor"), nameFont, textX, textY, contentWidth - iconSide - 12, 0, primary, QAccessible::Heading);
        text(tr("Focus & Flow"), tagFont, textX, textY + nameHeight + 2, contentWidth - iconSide - 12, 0, secondary);
    }
    y += headerHeight + 4 + spacing;
    y += divider(y) + spacing;

    y += text(intro(), fonts::system(13), padding, y, contentWidth, 2, withOpacity(primary, 0.9)) + spacing;

    bool firstFeature = true;
    for (const Feature& feature : features()) {
        if (!firstFeature)
            y += 16;
        firstFeature = false;
        const QFont titleFont = fonts::system(12, QFont::Medium);
        const qreal rowHeight = QFontMetricsF(titleFont).height();
        if (painter)
            SymbolPainter::paint(*painter, feature.symbol,
                                 QPointF(padding + SymbolPainter::side(11) / 2, y + rowHeight / 2), 11, QFont::Normal,
                                 secondary);
        if (painter || items)
            text(feature.title, titleFont, padding + SymbolPainter::side(11) + 6, y, contentWidth, 0, primary,
                 QAccessible::Heading);
        y += rowHeight + 4;
        y += text(feature.text, fonts::system(13), padding, y, contentWidth, 1.5, secondary);
    }
    y += spacing;
    y += divider(y) + spacing;

    const QFont thanksFont = fonts::system(12, QFont::Medium);
    y += text(thanks(), thanksFont, padding, y, contentWidth, 0, secondary) + 12;
    const QFont captionFont = fonts::caption();
    const qreal versionHeight = text(versionLine(), captionFont, padding, y, contentWidth, 0, secondary);
    if (linkTop)
        *linkTop = y;
    y += std::max<qreal>(versionHeight, m_feedback->sizeHint().height()) + padding;
    return qCeil(y);
}

} // namespace brindlemoor
