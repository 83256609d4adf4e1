// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QPointer>

class QFileDialog;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace brindlemoor {

class AppIconProvider;
class Appearance;
class ApplicationCatalog;
class PreferencesStore;

/// Chooses an application to monitor: the installed applications with a search
/// field, or a .desktop file picked from disk. A choice is added to the store
/// (an app already there changes nothing); however the chooser closes,
/// choiceFinished() is sent once.
class ApplicationChooser final : public QDialog {
    Q_OBJECT

public:
    ApplicationChooser(const Appearance& appearance, const ApplicationCatalog& catalog, AppIconProvider& icons,
                       PreferencesStore& prefs, QWidget* parent = nullptr);

    /// Shows a new chooser and returns at once; it deletes itself when closed.
    static ApplicationChooser* open(const Appearance& appearance, const ApplicationCatalog& catalog,
                                    AppIconProvider& icons, PreferencesStore& prefs);

    QLineEdit* searchField() const { return m_search; }
    QListWidget* list() const { return m_list; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* fileButton() const { return m_chooseFile; }
    /// The file dialog while it is open.
    QFileDialog* fileDialog() const;

    /// The ids listed now, after the search, in order.
    QStringList visibleIds() const;
    /// Selects the listed app with `id`; false when it is not listed.
    bool selectId(const QString& id);

    void addSelected();
    void chooseFile();

Q_SIGNALS:
    void choiceFinished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void populate();
    void applySearch(const QString& text);
    void updateAddButton();
    void addFile(const QString& path);
    void finishOnce();

    const ApplicationCatalog& m_catalog;
    AppIconProvider& m_icons;
    PreferencesStore& m_prefs;
    bool m_finished = false;
    QLineEdit* m_search;
    QListWidget* m_list;
    QPushButton* m_chooseFile;
    QPushButton* m_cancel;
    QPushButton* m_add;
    QPointer<QFileDialog> m_fileDialog;
};

} // namespace brindlemoor
