// SPDX-License-Identifier: MIT
#pragma once

#include "views/components/AccessibleContent.h"
#include "views/popover/MenuContext.h"

#include <QList>
#include <QRect>
#include <QWidget>

class QAbstractButton;

namespace brindlemoor {

class ExtensionNotice;
class FennProgressBar;
class QuitRow;
class ReflectionPanelRow;
class SymbolButton;
class UsageList;

/// The usage popover's content: the header with pause or resume, the history, settings and info; the
/// notice on the GNOME Shell extension while the desktop needs it; today's
/// usage of the watched applications, most used first; the daily limit's bar while a daily
/// limit is set; the insights; and the quit row. Built afresh at each opening, so it always
/// opens with the insights folded, and fades in. The user's actions leave as signals, except
/// pause and resume, which the view writes to the preferences store itself.
class MenuRootView final : public QWidget, public AccessibleContent {
    Q_OBJECT

public:
    static constexpr int columnWidth = 350;
    static constexpr int padding = 14;
    static constexpr int spacing = 6;

    explicit MenuRootView(const MenuContext& context, QWidget* parent = nullptr);
    ~MenuRootView() override;

    bool showReflection() const;
    void setShowReflection(bool show);

    /// The usage section's message ("Add apps to monitor in Settings", "No app usage yet
    /// today"); empty while rows show.
    const QString& emptyText() const { return m_emptyText; }
    /// Hidden while the desktop needs no extension, or it runs.
    ExtensionNotice* extensionNotice() const { return m_notice; }
    UsageList* usageList() const { return m_list; }
    /// Hidden while no daily limit is set.
    FennProgressBar* dailyBar() const { return m_bar; }
    SymbolButton* pauseButton() const { return m_pause; }
    QAbstractButton* historyButton() const;
    QAbstractButton* settingsButton() const;
    QAbstractButton* infoButton() const;
    QAbstractButton* quitButton() const;

    QSize sizeHint() const override;

    QAccessible::Role accessibleRole() const override { return QAccessible::Pane; }
    QString accessibleText() const override;
    QList<AccessibleItem> accessibleItems() const override;

Q_SIGNALS:
    void openHistoryRequested();
    void openSettingsRequested();
    void openInfoRequested();
    void quitRequested();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Layout {
        QRectF title;
        QList<QPoint> buttons; ///< top-left corners of pause, history, settings, info
        QList<int> dividers;   ///< the lines' y
        QRect notice;
        QRectF emptyText;
        QRect list;
        QRect bar;
        QRect reflection;
        QRect quit;
        int height = 0;
    };
    Layout computeLayout() const;
    void relayout();
    void refresh();
    void togglePause();
    void fadeIn();

    MenuContext m_context;
    SymbolButton* m_pause;
    SymbolButton* m_history;
    SymbolButton* m_settings;
    SymbolButton* m_info;
    ExtensionNotice* m_notice;
    UsageList* m_list;
    FennProgressBar* m_bar;
    ReflectionPanelRow* m_reflection;
    QuitRow* m_quit;
    QString m_emptyText;
    Layout m_layout;
    bool m_appeared = false;
};

} // namespace brindlemoor
