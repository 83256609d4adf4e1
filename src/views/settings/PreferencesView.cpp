// SPDX-License-Identifier: MIT
#include "views/settings/PreferencesView.h"

#include "core/model/PreferencesStore.h"
#include "core/model/UsageHistory.h"
#include "core/settings/ApplicationCatalog.h"
#include "views/components/Appearance.h"
#include "views/components/ColorWell.h"
#include "views/components/FennSegmentedPicker.h"
#include "views/components/FennSwitch.h"
#include "views/components/Fonts.h"
#include "views/components/HeadingLabel.h"
#include "views/components/NamedColors.h"
#include "views/components/Stepper.h"
#include "views/components/ViewsLogging.h"
#include "views/settings/ApplicationChooser.h"
#include "views/settings/Divider.h"
#include "views/settings/MinutesField.h"
#include "views/settings/MonitoredAppsTableView.h"
#include "views/settings/SymbolButton.h"
#include "views/settings/TableFade.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>

namespace brindlemoor {

namespace {

QLabel* makeLabel(const QString& text, const QFont& font, bool secondary = false)
{
    auto* label = new QLabel(text);
    label->setFont(font);
    if (secondary)
        label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

// A setting's title, with its caption under it when it has one.
QWidget* labelBlock(const QString& title, const QString& caption)
{
    auto* block = new QWidget;
    auto* column = new QVBoxLayout(block);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(makeLabel(title, fonts::body()));
    if (!caption.isEmpty())
        column->addWidget(makeLabel(caption, fonts::caption(), true));
    // A longer language wraps instead of running under the control beside it.
    for (auto* label : block->findChildren<QLabel*>())
        label->setWordWrap(true);
    return block;
}

QHBoxLayout* settingRow(QWidget* label, QWidget* control, Qt::Alignment alignment = Qt::AlignVCenter)
{
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    row->addWidget(label, 1, alignment);
    row->addWidget(control, 0, alignment);
    return row;
}

FennSwitch* makeSwitch(const Appearance& appearance, const QString& title)
{
    auto* toggle = new FennSwitch(appearance, title);
    toggle->setLabelHidden(true);
    toggle->setTint(NamedColor::GlobalAccent);
    return toggle;
}

QWidget* fieldWithStepper(MinutesField* field, Stepper* stepper, QLabel* unit = nullptr)
{
    auto* pair = new QWidget;
    auto* row = new QHBoxLayout(pair);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    row->addWidget(field, 0, Qt::AlignVCenter);
    row->addWidget(stepper, 0, Qt::AlignVCenter);
    if (unit != nullptr)
        row->addWidget(unit, 0, Qt::AlignVCenter);
    return pair;
}

int stepperValue(qint64 value)
{
    return static_cast<int>(std::clamp<qint64>(value, -1'000'000, 1'000'000));
}

} // namespace

PreferencesView::PreferencesView(const Appearance& appearance, PreferencesStore& prefs, LoginItemService& loginItems,
                                 const ApplicationCatalog& catalog, AppIconProvider& icons, QWidget* parent)
    : QWidget(parent)
    , m_appearance(appearance)
    , m_prefs(prefs)
    , m_loginItems(loginItems)
    , m_catalog(catalog)
    , m_icons(icons)
{
    followAppearance(this, appearance);
    build();
    connect(&m_prefs, &PreferencesStore::changed, this, &PreferencesView::refresh);
    connect(&m_appearance, &Appearance::changed, this, qOverload<>(&QWidget::update));
    refresh();
}

PreferencesView::~PreferencesView()
{
    // The chooser refers to the store and the catalogue this view was given.
    delete m_picker;
}

void PreferencesView::build()
{
    setFixedWidth(viewWidth);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(padding, padding, padding, padding);
    column->setSpacing(spacing);

    auto* title = new HeadingLabel(tr("Settings"));
    title->setFont(fonts::title3());
    column->addWidget(title);
    column->addWidget(new Divider(m_appearance, Qt::Horizontal, 0.45));

    m_launchSwitch = makeSwitch(m_appearance, tr("Launch Brindlemoor at login"));
    m_soundSwitch = makeSwitch(m_appearance, tr("Gentle sound at limit"));
    m_shapesSwitch = makeSwitch(m_appearance, tr("Square indicator on alert"));
    m_overlaySwitch = makeSwitch(m_appearance, tr("Daily limit overlay"));
    column->addLayout(settingRow(labelBlock(tr("Launch Brindlemoor at login"), {}), m_launchSwitch));
    column->addLayout(settingRow(labelBlock(tr("Gentle sound at limit"), {}), m_soundSwitch));
    column->addLayout(settingRow(labelBlock(tr("Square indicator on alert"), {}), m_shapesSwitch));
    column->addLayout(settingRow(labelBlock(tr("Daily limit overlay"), tr("7-sec pause before daily breach")),
                                 m_overlaySwitch, Qt::AlignTop));

    m_dailyField = new MinutesField(QStringLiteral("0"));
    m_dailyField->setAccessibleName(tr("Daily limit, minutes"));
    m_dailyStepper = new Stepper(m_appearance, 0, 1440, 30);
    m_dailyStepper->setAccessibleName(tr("Daily Total Limit (0 to disable)"));
    column->addLayout(settingRow(labelBlock(tr("Daily Total Limit (0 to disable)"), tr("Amber alert at 80%")),
                                 fieldWithStepper(m_dailyField, m_dailyStepper)));
    m_extendField = new MinutesField(QStringLiteral("15"));
    m_extendField->setAccessibleName(tr("Extend duration, minutes"));
    m_extendStepper = new Stepper(m_appearance, 1, 60, 5);
    m_extendStepper->setAccessibleName(tr("Extend duration"));
    column->addLayout(settingRow(labelBlock(tr("Extend duration"), tr("Added when you extend app limit")),
                                 fieldWithStepper(m_extendField, m_extendStepper)));
    m_historyField =
        new MinutesField(QString::number(UsageHistory::defaultKeptDays), minimumHistoryDays, UsageHistory::maxKeptDays);
    m_historyField->setAccessibleName(tr("Keep history for, days"));
    m_historyStepper = new Stepper(m_appearance, minimumHistoryDays, UsageHistory::maxKeptDays, 1);
    m_historyStepper->setPageStep(30);
    m_historyStepper->setAccessibleName(tr("Keep history for"));
    m_historyUnit = makeLabel(QString(), fonts::body());
    column->addLayout(settingRow(labelBlock(tr("Keep history for"), {}),
                                 fieldWithStepper(m_historyField, m_historyStepper, m_historyUnit)));

    m_colorWell = new ColorWell(m_appearance);
    m_colorWell->setAccessibleName(tr("Indicator color"));
    column->addLayout(settingRow(labelBlock(tr("Indicator color"), {}), m_colorWell));
    m_timePicker = new FennSegmentedPicker(m_appearance, {{tr("Used"), false}, {tr("Remaining"), true}}, 70);
    m_timePicker->setActiveTint(NamedColor::GlobalAccent);
    m_timePicker->setAccessibleName(tr("Time display"));
    column->addLayout(settingRow(labelBlock(tr("Time display"), {}), m_timePicker));

    column->addWidget(new Divider(m_appearance, Qt::Horizontal));
    auto* appsTitle = makeLabel(tr("Usage time for selected apps (minutes)"), fonts::body());
    appsTitle->setWordWrap(true);
    column->addWidget(appsTitle);
    column->addWidget(buildAppsBox());

    auto* closing = new QWidget;
    auto* closingColumn = new QVBoxLayout(closing);
    closingColumn->setContentsMargins(0, 8, 0, 0);
    closingColumn->addWidget(new Divider(m_appearance, Qt::Horizontal, 0.45));
    column->addWidget(closing);

    connect(m_launchSwitch, &QAbstractButton::clicked, this, &PreferencesView::setLaunchAtLogin);
    connect(m_soundSwitch, &QAbstractButton::clicked, &m_prefs, &PreferencesStore::setPlaySoundOnRed);
    connect(m_shapesSwitch, &QAbstractButton::clicked, &m_prefs, &PreferencesStore::setUseShapes);
    connect(m_overlaySwitch, &QAbstractButton::clicked, &m_prefs, &PreferencesStore::setOverlayEnabled);
    connect(m_dailyField, &MinutesField::committed, &m_prefs, &PreferencesStore::setDailyLimitMinutes);
    connect(m_dailyStepper, &Stepper::valueChanged, &m_prefs, &PreferencesStore::setDailyLimitMinutes);
    connect(m_extendField, &MinutesField::committed, &m_prefs, &PreferencesStore::setExtendDurationMinutes);
    connect(m_extendStepper, &Stepper::valueChanged, &m_prefs, &PreferencesStore::setExtendDurationMinutes);
    connect(m_historyField, &MinutesField::committed, &m_prefs, &PreferencesStore::setHistoryDays);
    connect(m_historyStepper, &Stepper::valueChanged, &m_prefs, &PreferencesStore::setHistoryDays);
    const auto setDotColor = [this](const QColor& color) {
        m_prefs.setDotColor({color.redF(), color.greenF(), color.blueF()});
    };
    connect(m_colorWell, &ColorWell::colorChanged, this, setDotColor);
    connect(m_timePicker, &FennSegmentedPicker::selectionChanged, this,
            [this](const QVariant& value) { m_prefs.setShowTimeRemaining(value.toBool()); });
}

QWidget* PreferencesView::buildAppsBox()
{
    m_box = new QWidget;
    auto* column = new QVBoxLayout(m_box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* header = new QWidget;
    header->setFixedHeight(headerHeight);
    auto* headerRow = new QHBoxLayout(header);
    headerRow->setContentsMargins(4 + 4, 0, 4 + 4, 0);
    headerRow->addWidget(makeLabel(tr("Application"), fonts::system(13, QFont::DemiBold)));
    headerRow->addStretch(1);
    headerRow->addWidget(makeLabel(tr("Time limit"), fonts::system(13, QFont::DemiBold)));
    column->addWidget(header);

    m_table = new MonitoredAppsTableView(m_appearance, m_catalog);
    connect(m_table, &MonitoredAppsTableView::limitStepped, &m_prefs, &PreferencesStore::setLimit);
    connect(m_table, &MonitoredAppsTableView::selectedAppChanged, this, [this](const std::optional<QString>& id) {
        m_selected = id;
        m_minus->setProminent(m_selected.has_value());
        m_minus->setAccessibleName(id ? tr("Remove %1").arg(applicationDisplayName(m_catalog, *id))
                                      : tr("Remove application"));
    });
    m_table->installEventFilter(this);
    column->addWidget(m_table);
    m_fade = new TableFade(m_appearance, m_box);
    m_fade->hide();

    auto* bar = new QWidget;
    bar->setFixedHeight(rowHeight);
    auto* barRow = new QHBoxLayout(bar);
    barRow->setContentsMargins(12, 0, 12, 0);
    barRow->setSpacing(10);
    m_plus = new SymbolButton(m_appearance, Symbol::Plus, tr("Add application"));
    m_minus = new SymbolButton(m_appearance, Symbol::Minus, tr("Remove application"));
    auto* separator = new Divider(m_appearance, Qt::Vertical);
    separator->setFixedHeight(14);
    m_countLabel = makeLabel(QString(), fonts::caption(), true);
    barRow->addWidget(m_plus);
    barRow->addWidget(separator);
    barRow->addWidget(m_minus);
    barRow->addWidget(m_countLabel);
    barRow->addStretch(1);
    column->addWidget(bar);

    connect(m_plus, &QAbstractButton::clicked, this, &PreferencesView::openAppPicker);
    connect(m_minus, &QAbstractButton::clicked, this, &PreferencesView::removeSelected);
    return m_box;
}

QSize PreferencesView::sizeHint() const
{
    // Exactly 360 wide; as tall as the rows, the table and the bars want.
    return {viewWidth, layout()->totalHeightForWidth(viewWidth)};
}

QString PreferencesView::countText(qsizetype count)
{
    return tr("%n app(s) added", nullptr, static_cast<int>(count));
}

void PreferencesView::refresh()
{
    m_soundSwitch->setChecked(m_prefs.playSoundOnRed());
    m_shapesSwitch->setChecked(m_prefs.useShapes());
    m_overlaySwitch->setChecked(m_prefs.overlayEnabled());
    m_dailyField->setValue(m_prefs.dailyLimitMinutes());
    m_dailyStepper->setValue(stepperValue(m_prefs.dailyLimitMinutes()));
    m_extendField->setValue(m_prefs.extendDurationMinutes());
    m_extendStepper->setValue(stepperValue(m_prefs.extendDurationMinutes()));
    const qint64 historyDays = m_prefs.historyDays();
    m_historyField->setValue(historyDays);
    m_historyStepper->setValue(stepperValue(historyDays));
    //: After the field with the number of days the history keeps: "Keep history for [90] days".
    m_historyUnit->setText(tr("day(s)", nullptr, static_cast<int>(historyDays)));
    const RgbColor dot = m_prefs.dotColor();
    const auto unit = [](double component) { return static_cast<float>(std::clamp(component, 0.0, 1.0)); };
    m_colorWell->setColor(QColor::fromRgbF(unit(dot.red), unit(dot.green), unit(dot.blue)));
    m_timePicker->setSelection(m_prefs.showTimeRemaining());

    const QList<MonitoredAppConfig> apps = m_prefs.monitoredApps();
    m_table->setApps(apps, m_selected);
    m_table->setFixedHeight(static_cast<int>(std::min<qsizetype>(visibleRows, apps.size())) * rowHeight);
    m_fade->setVisible(apps.size() > visibleRows);
    placeFade();
    m_countLabel->setText(countText(apps.size()));
    m_minus->setProminent(m_selected.has_value());
}

void PreferencesView::setLaunchAtLogin(bool on)
{
    m_launchSwitch->setChecked(on);
    if (on == m_launchAtLogin)
        return;
    m_launchAtLogin = on;
    // The switch stays where the user put it; the next appearance shows the real state.
    if (!m_loginItems.setEnabled(on))
        qCWarning(lcViews).noquote()
            << QStringLiteral("cannot change launch at login: %1").arg(m_loginItems.errorText());
}

ApplicationChooser* PreferencesView::appPicker() const
{
    return m_picker;
}

void PreferencesView::openAppPicker()
{
    if (m_picker) {
        m_picker->raise();
        m_picker->activateWindow();
        return;
    }
    m_picker = ApplicationChooser::open(m_appearance, m_catalog, m_icons, m_prefs);
    connect(m_picker, &ApplicationChooser::choiceFinished, this, &PreferencesView::appPickerFinished);
}

void PreferencesView::removeSelected()
{
    if (!m_selected)
        return;
    const QString id = *m_selected;
    m_prefs.removeApp(id);
    m_selected.reset();
    m_minus->setProminent(false);
    m_minus->setAccessibleName(tr("Remove application"));
}

void PreferencesView::placeFade()
{
    const QRect table = m_table->geometry();
    m_fade->setGeometry(table.left(), table.bottom() + 1 - rowHeight, table.width(), rowHeight);
    m_fade->raise();
}

void PreferencesView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The login item may have changed outside the program; the switch follows it,
    // and a change of the switch acts, as it does when the user flips it.
    setLaunchAtLogin(m_loginItems.isEnabled());
}

bool PreferencesView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_table && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        placeFade();
    return QWidget::eventFilter(watched, event);
}

void PreferencesView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(m_box->geometry());
    painter.setPen(Qt::NoPen);
    const Scheme scheme = m_appearance.scheme();
    painter.setBrush(roleColor(ColorRole::ControlBackground, scheme));
    painter.drawRoundedRect(box, 10, 10);
    painter.setPen(QPen(roleColor(ColorRole::Separator, scheme), 0.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.25, 0.25, -0.25, -0.25), 10, 10);
}

} // namespace brindlemoor
