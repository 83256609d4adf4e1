// SPDX-License-Identifier: MIT
#include "views/popover/MenuRootView.h"

#include "core/foundation/ProgramIdentity.h"
#include "core/insights/ReflectionEngine.h"
#include "core/model/TodayModel.h"
#include "views/components/Appearance.h"
#include "views/components/ExtensionNotice.h"
#include "views/components/Fonts.h"
#include "views/components/NamedColors.h"
#include "views/components/Spring.h"
#include "views/insights/ReflectionPanelRow.h"
#include "views/popover/AppUsageRowView.h"
#include "views/popover/FennProgressBar.h"
#include "views/popover/QuitRow.h"
#include "views/popover/UsageList.h"
#include "views/settings/SymbolButton.h"
#include "views/status/OverlayEasing.h"

#include <QFontMetricsF>
#include <QGraphicsOpacityEffect>
#include <QPainter>
#include <QPropertyAnimation>
#include <QShortcut>

#include <cmath>

namespace brindlemoor {

namespace {

constexpr int emptyTextFlags = Qt::AlignCenter | Qt::TextWordWrap;

constexpr qreal headerSymbolSize = 15;
constexpr int headerButtonCount = 4; // pause, history, settings, info
constexpr int headerPaddingBottom = 2;
constexpr int dividerPadding = 4;
constexpr int noUsagePaddingTop = 4;
constexpr int listPaddingBottom = 4;
constexpr qreal dividerOpacity = 0.6;
constexpr int fadeInMs = 180;

QFont headlineFont()
{
    QFont font = fonts::system(13, QFont::DemiBold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.2);
    return font;
}

} // namespace

MenuRootView::MenuRootView(const MenuContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
    , m_pause(new SymbolButton(context.appearance, Symbol::PauseCircle, tr("Pause Monitoring"), this))
    , m_history(new SymbolButton(context.appearance, Symbol::ChartBar, tr("Usage history"), this))
    , m_settings(new SymbolButton(context.appearance, Symbol::Gearshape, tr("Settings"), this))
    , m_info(new SymbolButton(context.appearance, Symbol::InfoCircle, tr("About Brindlemoor"), this))
    , m_notice(new ExtensionNotice(context.appearance, context.extension, Qt::AlignLeft, this))
    , m_list(new UsageList(context.appearance, context.today, context.icons, context.widgets, this))
    , m_bar(new FennProgressBar(context.appearance, context.today, context.widgets, this))
    , m_reflection(new ReflectionPanelRow(context.appearance, ReflectionEngine(context.catalog, context.clock),
                                          context.today, this))
    , m_quit(new QuitRow(context.appearance, this))
{
    for (SymbolButton* button : {m_pause, m_history, m_settings, m_info})
        button->setPointSize(headerSymbolSize);

    connect(m_pause, &QAbstractButton::clicked, this, &MenuRootView::togglePause);
    connect(m_history, &QAbstractButton::clicked, this, &MenuRootView::openHistoryRequested);
    connect(m_settings, &QAbstractButton::clicked, this, &MenuRootView::openSettingsRequested);
    connect(m_info, &QAbstractButton::clicked, this, &MenuRootView::openInfoRequested);
    connect(m_quit, &QAbstractButton::clicked, this, &MenuRootView::quitRequested);
    connect(m_bar, &FennProgressBar::extendRequested, &m_context.today, qOverload<>(&TodayModel::extendDaily));
    // The desktop's quit shortcut quits from anywhere in the popover, as it does in a menu.
    auto* quit = new QShortcut(QuitRow::shortcut(), this);
    quit->setContext(Qt::WindowShortcut);
    connect(quit, &QShortcut::activated, this, &MenuRootView::quitRequested);

    connect(&context.today, &TodayModel::changed, this, &MenuRootView::refresh);
    connect(&m_context.appearance, &Appearance::changed, this, qOverload<>(&QWidget::update));
    refresh();
}

MenuRootView::~MenuRootView() = default;

bool MenuRootView::showReflection() const
{
    return m_reflection->isExpanded();
}

void MenuRootView::setShowReflection(bool show)
{
    m_reflection->setExpanded(show);
}

QAbstractButton* MenuRootView::historyButton() const
{
    return m_history;
}

QAbstractButton* MenuRootView::settingsButton() const
{
    return m_settings;
}

QAbstractButton* MenuRootView::infoButton() const
{
    return m_info;
}

QAbstractButton* MenuRootView::quitButton() const
{
    return m_quit;
}

void MenuRootView::togglePause()
{
    // The store announces the change, and the controller stops or resumes counting on it.
    m_context.today.setPaused(!m_context.today.isPaused());
}

void MenuRootView::refresh()
{
    const TodayModel& today = m_context.today;
    const bool paused = today.isPaused();
    m_pause->setSymbol(paused ? Symbol::PlayCircle : Symbol::PauseCircle);
    m_pause->setProminent(!paused);
    const QString pauseName = paused ? tr("Resume Monitoring") : tr("Pause Monitoring");
    m_pause->setToolTip(pauseName);
    m_pause->setAccessibleName(pauseName);

    QList<UsageList::Row> rows;
    if (!today.hasWatchedApps()) {
        m_emptyText = tr("Add apps to monitor in Settings");
    } else {
        for (const AppUsage& usage : today.rows(m_context.catalog))
            rows.append({usage, today.app(usage.id)});
        m_emptyText = rows.isEmpty() ? tr("No app usage yet today") : QString();
    }
    m_list->setRows(rows);
    m_list->setVisible(!rows.isEmpty());
    // New rows join the end of the tab chain; they belong after the header and its notice.
    QWidget* previous = m_info;
    if (auto* notice = m_notice->findChild<QAbstractButton*>()) {
        setTabOrder(previous, notice);
        previous = notice;
    }
    for (AppUsageRowView* row : m_list->rows()) {
        setTabOrder(previous, row->resetButton());
        previous = row->resetButton();
    }

    const LimitProgress daily = today.daily();
    m_bar->setVisible(daily.limit.has_value());
    m_bar->setValues(daily, today.nextExtension().minutes);

    const int height = m_layout.height;
    relayout();
    if (m_layout.height != height)
        updateGeometry();
    update();
}

MenuRootView::Layout MenuRootView::computeLayout() const
{
    Layout layout;
    const int column = columnWidth - 2 * padding;
    int y = padding;
    const auto next = [&](int height) { y += height + spacing; };

    // Header: the name, then its buttons right after it.
    const QFontMetricsF title(headlineFont());
    const int buttonSide = m_pause->height();
    const int headerHeight = std::max(static_cast<int>(std::ceil(title.height())), buttonSide);
    const qreal titleWidth = title.horizontalAdvance(QString(programName));
    layout.title = QRectF(padding, y, titleWidth, headerHeight);
    qreal x = padding + std::ceil(titleWidth) + spacing;
    for (int i = 0; i < headerButtonCount; ++i) {
        layout.buttons.append(QPoint(static_cast<int>(x), y + (headerHeight - buttonSide) / 2));
        x += buttonSide + spacing;
    }
    next(headerHeight + headerPaddingBottom);

    if (!m_notice->isHidden()) {
        layout.notice = QRect(padding, y, column, m_notice->heightForWidth(column));
        next(layout.notice.height());
    }

    layout.dividers.append(y);
    next(1 + dividerPadding);

    if (!m_emptyText.isEmpty()) {
        const int top = m_context.today.hasWatchedApps() ? noUsagePaddingTop : 0;
        // One line in English; a longer language wraps.
        const QRectF wrapped =
            QFontMetricsF(fonts::body()).boundingRect(QRectF(0, 0, column, 1e6), emptyTextFlags, m_emptyText);
        const int textHeight = static_cast<int>(std::ceil(wrapped.height()));
        layout.emptyText = QRectF(padding, y + top, column, textHeight);
        next(top + textHeight);
    } else {
        const int listHeight = m_list->listHeight();
        layout.list = QRect(padding, y, column, listHeight);
        next(listHeight + listPaddingBottom);
    }

    if (!m_bar->isHidden()) {
        layout.dividers.append(y);
        next(1 + dividerPadding);
        layout.bar = QRect(padding, y, column, MenuCardView::cardHeight);
        next(layout.bar.height());
    }

    layout.dividers.append(y);
    next(1);
    const int reflectionHeight = m_reflection->heightForWidth(column);
    layout.reflection = QRect(padding, y, column, reflectionHeight);
    next(reflectionHeight);

    layout.dividers.append(y + dividerPadding);
    next(dividerPadding + 1);
    layout.quit = QRect(padding, y, column, m_quit->sizeHint().height());
    layout.height = layout.quit.bottom() + 1 + padding;
    return layout;
}

void MenuRootView::relayout()
{
    m_layout = computeLayout();
    const QList<SymbolButton*> buttons{m_pause, m_history, m_settings, m_info};
    for (qsizetype i = 0; i < buttons.size(); ++i)
        buttons.at(i)->move(m_layout.buttons.at(i));
    if (!m_layout.notice.isNull())
        m_notice->setGeometry(m_layout.notice.marginsAdded(m_notice->overhang()));
    if (!m_layout.list.isNull())
        m_list->setGeometry(m_layout.list.marginsAdded(m_list->overhang()));
    if (!m_layout.bar.isNull())
        m_bar->setGeometry(m_layout.bar.marginsAdded(MenuCardView::bleed));
    m_reflection->setGeometry(m_layout.reflection);
    m_quit->setGeometry(m_layout.quit);
    // Standing alone (a test, say), the view sizes itself; in the popover the window does.
    if (isWindow() && height() != m_layout.height)
        resize(columnWidth, m_layout.height);
}

QSize MenuRootView::sizeHint() const
{
    return {columnWidth, computeLayout().height};
}

bool MenuRootView::event(QEvent* event)
{
    // The insights open or close, the notice comes or goes: the column grows or shrinks with them.
    if (event->type() == QEvent::LayoutRequest) {
        relayout();
        updateGeometry();
        update();
    }
    return QWidget::event(event);
}

void MenuRootView::resizeEvent(QResizeEvent* /*event*/)
{
    relayout();
}

void MenuRootView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_appeared)
        return;
    m_appeared = true;
    fadeIn();
}

void MenuRootView::fadeIn()
{
    if (!SpringAnimation::motionEnabled())
        return;
    auto* effect = new QGraphicsOpacityEffect(this);
    effect->setOpacity(0);
    setGraphicsEffect(effect);
    auto* fade = new QPropertyAnimation(effect, "opacity", this);
    fade->setDuration(fadeInMs);
    fade->setEasingCurve(overlay::easeOut());
    fade->setStartValue(0.0);
    fade->setEndValue(1.0);
    // Drawn through the effect, everything passes an offscreen layer; once in, draw directly again.
    connect(fade, &QAbstractAnimation::finished, effect, [effect] { effect->setEnabled(false); });
    fade->start(QAbstractAnimation::DeleteWhenStopped);
}

QString MenuRootView::accessibleText() const
{
    return tr("Today's usage");
}

QList<AccessibleItem> MenuRootView::accessibleItems() const
{
    QList<AccessibleItem> items{{QAccessible::Heading, QString(programName), m_layout.title}};
    if (!m_emptyText.isEmpty())
        items.append({QAccessible::StaticText, m_emptyText, m_layout.emptyText});
    return items;
}

void MenuRootView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Scheme scheme = m_context.appearance.scheme();
    const QColor primary = roleColor(ColorRole::Primary, scheme);

    painter.setFont(headlineFont());
    painter.setPen(primary);
    painter.drawText(m_layout.title, Qt::AlignVCenter | Qt::AlignLeft, QString(programName));

    const QColor line = withOpacity(roleColor(ColorRole::Separator, scheme), dividerOpacity);
    for (const int y : std::as_const(m_layout.dividers))
        painter.fillRect(QRectF(padding, y, columnWidth - 2 * padding, 1), line);

    if (!m_emptyText.isEmpty()) {
        painter.setFont(fonts::body());
        painter.setPen(roleColor(ColorRole::Secondary, scheme));
        painter.drawText(m_layout.emptyText, emptyTextFlags, m_emptyText);
    }

    if (m_bar->isVisible())
        m_bar->paintShadow(painter);
}

} // namespace brindlemoor
