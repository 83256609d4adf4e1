// SPDX-License-Identifier: MIT
#include "views/onboarding/WelcomeView.h"

#include "views/components/Appearance.h"
#include "views/components/ExtensionNotice.h"
#include "views/components/Fonts.h"
#include "views/components/NamedColors.h"
#include "views/components/ProminentButton.h"
#include "views/components/WrappedText.h"
#include "views/onboarding/WelcomeLogoView.h"

#include <QEvent>
#include <QPainter>

namespace brindlemoor {

namespace {

QFont titleFont()
{
    return fonts::system(24, QFont::DemiBold);
}

QFont subtitleFont()
{
    return fonts::system(15);
}

} // namespace

WelcomeView::WelcomeView(const Appearance& appearance, DesktopExtension* extension, QWidget* parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_logo(new WelcomeLogoView(logoSide, this))
    , m_notice(new ExtensionNotice(appearance, extension, Qt::AlignHCenter, this))
    , m_button(new ProminentButton(appearance, tr("Get Started"), 110, ProminentButton::Size::Regular, this))
{
    m_button->setAccessibleName(tr("Get started"));
    connect(m_button, &ProminentButton::clicked, this, &WelcomeView::continueRequested);
    connect(&m_appearance, &Appearance::changed, this, qOverload<>(&QWidget::update));
    setFocusProxy(m_button);
    resize(sizeHint());
}

QList<AccessibleItem> WelcomeView::accessibleItems() const
{
    const Layout layout = computeLayout();
    return {{QAccessible::Heading, title(), layout.title}, {QAccessible::StaticText, subtitle(), layout.subtitle}};
}

QString WelcomeView::title()
{
    return tr("Brindlemoor");
}

QString WelcomeView::subtitle()
{
    return tr("Gentle cues that help you notice\nwhen it's time to pause or refocus.");
}

int WelcomeView::noticeExtent() const
{
    return m_notice->isHidden() ? 0 : m_notice->heightForWidth(stackWidth) + spacing;
}

QSize WelcomeView::sizeHint() const
{
    return contentSize + QSize(0, noticeExtent());
}

WelcomeView::Layout WelcomeView::computeLayout() const
{
    const qreal titleHeight = QFontMetricsF(titleFont()).height();
    const qreal subtitleHeight = wrapped::height(subtitle(), subtitleFont(), subtitleWidth, subtitleLeading);
    const QSize button = m_button->sizeHint();
    // The button's hint carries room for its focus ring; the stack counts its body.
    const int buttonInset = (button.height() - ProminentButton::height) / 2;
    const int notice = noticeExtent();
    const qreal stackHeight = (logoSide - 4) + spacing + titleHeight + spacing + subtitleHeight + spacing + notice + 8 +
                              ProminentButton::height;
    const qreal top = (height() - stackHeight) / 2;
    const qreal centerX = width() / 2.0;

    Layout layout;
    // The logo sits 4 points higher than the stack would put it.
    layout.logo = QRect(qRound(centerX - logoSide / 2.0), qRound(top - 4), logoSide, logoSide);
    qreal y = top - 4 + logoSide + spacing;
    layout.title = QRectF(centerX - stackWidth / 2.0, y, stackWidth, titleHeight);
    y += titleHeight + spacing;
    layout.subtitle = QRectF(centerX - subtitleWidth / 2.0, y, subtitleWidth, subtitleHeight);
    y += subtitleHeight + spacing;
    if (notice > 0) {
        layout.notice = QRect(qRound(centerX - stackWidth / 2.0), qRound(y), stackWidth, notice - spacing);
        y += notice;
    }
    y += 8;
    layout.button =
        QRect(qRound(centerX - button.width() / 2.0), qRound(y) - buttonInset, button.width(), button.height());
    return layout;
}

void WelcomeView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const Layout layout = computeLayout();
    m_logo->setGeometry(layout.logo);
    m_notice->setGeometry(layout.notice);
    m_button->setGeometry(layout.button);
}

bool WelcomeView::event(QEvent* event)
{
    // The notice came, went or changed: the popover fits itself to the new height.
    if (event->type() == QEvent::LayoutRequest)
        updateGeometry();
    return QWidget::event(event);
}

void WelcomeView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const Layout layout = computeLayout();
    painter.setFont(titleFont());
    const Scheme scheme = m_appearance.scheme();
    painter.setPen(roleColor(ColorRole::Primary, scheme));
    painter.drawText(layout.title, Qt::AlignCenter, title());
    wrapped::paint(painter, subtitle(), subtitleFont(), layout.subtitle, subtitleLeading, Qt::AlignHCenter,
                   roleColor(ColorRole::Secondary, scheme));
}

} // namespace brindlemoor
