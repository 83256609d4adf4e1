// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>
#include <QWidget>

#include <optional>

class QLabel;

namespace brindlemoor {

class AppIconProvider;
class Appearance;
class ApplicationCatalog;
class ApplicationChooser;
class ColorWell;
class FennSegmentedPicker;
class FennSwitch;
class LoginItemService;
class MinutesField;
class MonitoredAppsTableView;
class PreferencesStore;
class Stepper;
class SymbolButton;
class TableFade;

/// The settings: every control writes its setting the moment it changes, and the
/// view re-reads the store whenever it announces a change. There is no save step.
class PreferencesView final : public QWidget {
    Q_OBJECT

public:
    static constexpr int viewWidth = 360;
    static constexpr int padding = 18;
    static constexpr int spacing = 10;
    static constexpr int rowHeight = 28;
    static constexpr int headerHeight = 34;
    static constexpr int visibleRows = 5;
    /// The fewest days the history can be set to keep: a week, which the weekly average needs.
    static constexpr int minimumHistoryDays = 7;

    PreferencesView(const Appearance& appearance, PreferencesStore& prefs, LoginItemService& loginItems,
                    const ApplicationCatalog& catalog, AppIconProvider& icons, QWidget* parent = nullptr);
    ~PreferencesView() override;
    PreferencesView(const PreferencesView&) = delete;
    PreferencesView& operator=(const PreferencesView&) = delete;

    bool launchAtLogin() const { return m_launchAtLogin; }
    std::optional<QString> selectedBundleID() const { return m_selected; }

    /// The plus control: opens the application chooser.
    void openAppPicker();
    /// The minus control: removes the selected app, if any, and clears the selection.
    void removeSelected();

    /// "0 apps added", "1 app added", "2 apps added".
    static QString countText(qsizetype count);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    FennSwitch* launchSwitch() const { return m_launchSwitch; }
    FennSwitch* soundSwitch() const { return m_soundSwitch; }
    FennSwitch* shapesSwitch() const { return m_shapesSwitch; }
    FennSwitch* overlaySwitch() const { return m_overlaySwitch; }
    MinutesField* dailyLimitField() const { return m_dailyField; }
    Stepper* dailyLimitStepper() const { return m_dailyStepper; }
    MinutesField* extendField() const { return m_extendField; }
    Stepper* extendStepper() const { return m_extendStepper; }
    MinutesField* historyField() const { return m_historyField; }
    Stepper* historyStepper() const { return m_historyStepper; }
    QLabel* historyUnitLabel() const { return m_historyUnit; }
    ColorWell* colorWell() const { return m_colorWell; }
    FennSegmentedPicker* timeDisplayPicker() const { return m_timePicker; }
    MonitoredAppsTableView* table() const { return m_table; }
    TableFade* fade() const { return m_fade; }
    SymbolButton* plusButton() const { return m_plus; }
    SymbolButton* minusButton() const { return m_minus; }
    QLabel* countLabel() const { return m_countLabel; }
    ApplicationChooser* appPicker() const;

Q_SIGNALS:
    /// The application chooser closed, however it closed.
    void appPickerFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    QWidget* buildAppsBox();
    void refresh();
    void setLaunchAtLogin(bool on);
    void placeFade();

    const Appearance& m_appearance;
    PreferencesStore& m_prefs;
    LoginItemService& m_loginItems;
    const ApplicationCatalog& m_catalog;
    AppIconProvider& m_icons;

    bool m_launchAtLogin = false;
    std::optional<QString> m_selected;

    FennSwitch* m_launchSwitch = nullptr;
    FennSwitch* m_soundSwitch = nullptr;
    FennSwitch* m_shapesSwitch = nullptr;
    FennSwitch* m_overlaySwitch = nullptr;
    MinutesField* m_dailyField = nullptr;
    Stepper* m_dailyStepper = nullptr;
    MinutesField* m_extendField = nullptr;
    Stepper* m_extendStepper = nullptr;
    MinutesField* m_historyField = nullptr;
    Stepper* m_historyStepper = nullptr;
    QLabel* m_historyUnit = nullptr;
    ColorWell* m_colorWell = nullptr;
    FennSegmentedPicker* m_timePicker = nullptr;
    QWidget* m_box = nullptr;
    MonitoredAppsTableView* m_table = nullptr;
    TableFade* m_fade = nullptr;
    SymbolButton* m_plus = nullptr;
    SymbolButton* m_minus = nullptr;
    QLabel* m_countLabel = nullptr;
    QPointer<ApplicationChooser> m_picker;
};

} // namespace brindlemoor
