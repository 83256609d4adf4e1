// SPDX-License-Identifier: MIT
#include "views/components/ExtensionNotice.h"

#include "core/monitors/DesktopExtension.h"
#include "views/components/Appearance.h"
#include "views/components/Fonts.h"
#include "views/components/NamedColors.h"
#include "views/components/ProminentButton.h"
#include "views/components/WrappedText.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace brindlemoor {

namespace {

constexpr int gap = 8;
constexpr qreal leading = 2;

QFont textFont()
{
    return fonts::system(11);
}

} // namespace

ExtensionNotice::ExtensionNotice(const Appearance& appearance, DesktopExtension* extension, Qt::Alignment alignment,
                                 QWidget* parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_extension(extension)
    , m_alignment(alignment)
    , m_button(new ProminentButton(appearance, tr("Turn On"), 0, ProminentButton::Size::Small, this))
{
    m_button->setAccessibleName(tr("Turn On Brindlemoor's GNOME Shell Extension"));
    if (m_extension) {
        // Only the user's click switches it on: the button is the one caller.
        connect(m_button, &ProminentButton::clicked, m_extension, &DesktopExtension::enable);
        connect(m_extension, &DesktopExtension::stateChanged, this, &ExtensionNotice::refresh);
    }
    connect(&m_appearance, &Appearance::changed, this, qOverload<>(&QWidget::update));
    refresh();
}

void ExtensionNotice::refresh()
{
    using State = DesktopExtension::State;
    const State state = m_extension ? m_extension->state() : State::NotNeeded;
    QString text;
    switch (state) {
    case State::NotNeeded:
        break;
    case State::Off:
        text = tr("Brindlemoor needs its GNOME Shell extension to see which app you use.");
        break;
    case State::NotLoaded:
        text = tr("Brindlemoor's GNOME Shell extension loads at your next log-in.");
        break;
    case State::WaitingForLogIn:
        text = tr("GNOME loads Brindlemoor's extension at your next log-in.");
        break;
    case State::Failed:
        text = tr("GNOME could not load Brindlemoor's extension.");
        break;
    }
    const bool changed = text != m_text;
    m_text = text;
    setAccessibleName(m_text);
    m_button->setVisible(state == State::Off || state == State::NotLoaded);
    // Shown or hidden, Qt asks the parent to lay out again; a new text in place must ask itself.
    const bool hide = m_text.isEmpty();
    if (isHidden() != hide)
        setVisible(!hide);
    else if (changed)
        updateGeometry();
    m_button->setGeometry(computeLayout(boxWidth()).button);
    update();
}

ExtensionNotice::Layout ExtensionNotice::computeLayout(int width) const
{
    Layout layout;
    if (m_text.isEmpty())
        return layout;
    const QFont font = textFont();
    const QSize button = m_button->isHidden() ? QSize(0, 0) : m_button->sizeHint();
    if (centred()) {
        const qreal textHeight = wrapped::height(m_text, font, width, leading);
        layout.text = QRectF(0, 0, width, textHeight);
        layout.height = static_cast<int>(std::ceil(textHeight));
        if (!button.isEmpty()) {
            layout.button = QRect((width - button.width()) / 2, layout.height + gap - ProminentButton::focusMargin,
                                  button.width(), button.height());
            layout.height = layout.button.bottom() + 1;
        }
        return layout;
    }
    const int margin = ProminentButton::focusMargin;
    const int textWidth = button.isEmpty() ? width : width - (button.width() - 2 * margin) - gap;
    const qreal textHeight = wrapped::height(m_text, font, textWidth, leading);
    layout.height = std::max(static_cast<int>(std::ceil(textHeight)), button.height());
    layout.text = QRectF(0, (layout.height - textHeight) / 2, textWidth, textHeight);
    if (!button.isEmpty())
        layout.button = QRect(width - button.width() + margin, (layout.height - button.height()) / 2, button.width(),
                              button.height());
    return layout;
}

QMargins ExtensionNotice::overhang() const
{
    if (centred() || m_button->isHidden())
        return {};
    return {0, 0, ProminentButton::focusMargin, 0};
}

int ExtensionNotice::heightForWidth(int width) const
{
    return computeLayout(width).height;
}

QSize ExtensionNotice::sizeHint() const
{
    // The text on one line, the button's body after it.
    int width = static_cast<int>(std::ceil(QFontMetricsF(textFont()).horizontalAdvance(m_text)));
    if (!m_button->isHidden())
        width += gap + m_button->sizeHint().width() - 2 * ProminentButton::focusMargin;
    return QSize(width, heightForWidth(width)).grownBy(overhang());
}

void ExtensionNotice::resizeEvent(QResizeEvent* /*event*/)
{
    m_button->setGeometry(computeLayout(boxWidth()).button);
}

void ExtensionNotice::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const Layout layout = computeLayout(boxWidth());
    const Scheme scheme = m_appearance.scheme();
    wrapped::paint(painter, m_text, textFont(), layout.text, leading, centred() ? Qt::AlignHCenter : Qt::AlignLeft,
                   roleColor(ColorRole::Secondary, scheme));
}

} // namespace brindlemoor
