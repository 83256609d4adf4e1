// SPDX-License-Identifier: MIT
#include "views/settings/ApplicationChooser.h"

#include "core/model/PreferencesStore.h"
#include "core/settings/ApplicationCatalog.h"
#include "views/components/Fonts.h"
#include "views/components/NamedColors.h"
#include "views/settings/AppIconProvider.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace brindlemoor {

namespace {

constexpr int kIdRole = Qt::UserRole;

QString applicationsFolder()
{
    // Start where the user's own entries live, else where the system's do.
    const QStringList candidates = QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation) +
                                   QStringList{QStringLiteral("/usr/share/applications")};
    for (const QString& folder : candidates) {
        if (QDir(folder).exists())
            return folder;
    }
    return QDir::homePath();
}

} // namespace

ApplicationChooser::ApplicationChooser(const Appearance& appearance, const ApplicationCatalog& catalog,
                                       AppIconProvider& icons, PreferencesStore& prefs, QWidget* parent)
    : QDialog(parent)
    , m_catalog(catalog)
    , m_icons(icons)
    , m_prefs(prefs)
    , m_search(new QLineEdit(this))
    , m_list(new QListWidget(this))
    , m_chooseFile(new QPushButton(tr("Choose File…"), this))
    , m_cancel(new QPushButton(tr("Cancel"), this))
    , m_add(new QPushButton(tr("Add"), this))
{
    setWindowTitle(tr("Add Application"));
    followAppearance(this, appearance);
    setAutoFillBackground(true);
    setFont(fonts::body());
    resize(420, 460);

    m_search->setPlaceholderText(tr("Search"));
    m_search->setAccessibleName(tr("Search applications"));
    m_list->setAccessibleName(tr("Installed applications"));
    m_add->setAccessibleName(tr("Add the chosen application"));
    m_chooseFile->setAccessibleName(tr("Choose an application's desktop file"));
    m_search->setClearButtonEnabled(true);
    m_search->installEventFilter(this);
    m_list->setIconSize(QSize(AppIconProvider::iconSize, AppIconProvider::iconSize));
    m_list->setUniformItemSizes(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_add->setDefault(true);
    m_add->setAutoDefault(true);
    m_cancel->setAutoDefault(false);
    m_chooseFile->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_chooseFile);
    buttons->addStretch(1);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_add);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 14, 14, 14);
    column->setSpacing(10);
    column->addWidget(m_search);
    column->addWidget(m_list, 1);
    column->addLayout(buttons);

    connect(m_search, &QLineEdit::textChanged, this, &ApplicationChooser::applySearch);
    connect(m_list, &QListWidget::currentItemChanged, this, &ApplicationChooser::updateAddButton);
    connect(m_list, &QListWidget::itemActivated, this, &ApplicationChooser::addSelected);
    connect(m_add, &QPushButton::clicked, this, &ApplicationChooser::addSelected);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_chooseFile, &QPushButton::clicked, this, &ApplicationChooser::chooseFile);
    // Accept, reject, Escape and the window's close button all end here.
    connect(this, &QDialog::finished, this, &ApplicationChooser::finishOnce);

    populate();
    m_search->setFocus();
}

ApplicationChooser* ApplicationChooser::open(const Appearance& appearance, const ApplicationCatalog& catalog,
                                             AppIconProvider& icons, PreferencesStore& prefs)
{
    auto* chooser = new ApplicationChooser(appearance, catalog, icons, prefs);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    chooser->show();
    chooser->raise();
    chooser->activateWindow();
    return chooser;
}

void ApplicationChooser::populate()
{
    const qreal ratio = devicePixelRatioF();
    for (const ApplicationInfo& app : m_catalog.applications()) {
        // The catalogue should already leave these out; a file picked by hand is another matter.
        if (app.noDisplay)
            continue;
        auto* item = new QListWidgetItem(QIcon(m_icons.icon(app.id, ratio)), app.name, m_list);
        item->setData(kIdRole, app.id);
        item->setToolTip(app.id);
        item->setSizeHint(QSize(0, 28));
    }
    applySearch(m_search->text());
}

QFileDialog* ApplicationChooser::fileDialog() const
{
    return m_fileDialog;
}

QStringList ApplicationChooser::visibleIds() const
{
    QStringList ids;
    for (int i = 0; i < m_list->count(); ++i) {
        if (!m_list->item(i)->isHidden())
            ids.append(m_list->item(i)->data(kIdRole).toString());
    }
    return ids;
}

bool ApplicationChooser::selectId(const QString& id)
{
    for (int i = 0; i < m_list->count(); ++i) {
        QListWidgetItem* item = m_list->item(i);
        if (!item->isHidden() && item->data(kIdRole).toString() == id) {
            m_list->setCurrentItem(item);
            return true;
        }
    }
    return false;
}

void ApplicationChooser::applySearch(const QString& text)
{
    const QString needle = text.trimmed();
    QListWidgetItem* firstVisible = nullptr;
    for (int i = 0; i < m_list->count(); ++i) {
        QListWidgetItem* item = m_list->item(i);
        const bool matches = needle.isEmpty() || item->text().contains(needle, Qt::CaseInsensitive) ||
                             item->data(kIdRole).toString().contains(needle, Qt::CaseInsensitive);
        item->setHidden(!matches);
        if (matches && !firstVisible)
            firstVisible = item;
    }
    // Keep a visible app chosen, so that Return adds what the search found.
    QListWidgetItem* current = m_list->currentItem();
    if (!current || current->isHidden())
        m_list->setCurrentItem(firstVisible);
    updateAddButton();
}

void ApplicationChooser::updateAddButton()
{
    const QListWidgetItem* current = m_list->currentItem();
    m_add->setEnabled(current && !current->isHidden());
}

void ApplicationChooser::addSelected()
{
    const QListWidgetItem* current = m_list->currentItem();
    if (!current || current->isHidden())
        return;
    m_prefs.addApp(current->data(kIdRole).toString());
    accept();
}

void ApplicationChooser::chooseFile()
{
    if (m_fileDialog) {
        m_fileDialog->raise();
        return;
    }
    m_fileDialog = new QFileDialog(this, tr("Choose an Application Entry"), applicationsFolder(),
                                   tr("Application entries (*.desktop)"));
    m_fileDialog->setAttribute(Qt::WA_DeleteOnClose);
    m_fileDialog->setFileMode(QFileDialog::ExistingFile);
    m_fileDialog->setAcceptMode(QFileDialog::AcceptOpen);
    m_fileDialog->setLabelText(QFileDialog::Accept, tr("Add"));
    connect(m_fileDialog, &QFileDialog::fileSelected, this, &ApplicationChooser::addFile);
    m_fileDialog->open();
}

void ApplicationChooser::addFile(const QString& path)
{
    // A file that is no application entry adds nothing, but still ends the choice.
    if (const auto app = m_catalog.applicationForFile(path))
        m_prefs.addApp(app->id);
    accept();
}

void ApplicationChooser::finishOnce()
{
    if (m_finished)
        return;
    m_finished = true;
    Q_EMIT choiceFinished();
}

bool ApplicationChooser::eventFilter(QObject* watched, QEvent* event)
{
    // Up and down in the search field move through the list.
    if (watched == m_search && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up) {
            QKeyEvent forwarded(QEvent::KeyPress, key->key(), key->modifiers());
            QCoreApplication::sendEvent(m_list, &forwarded);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace brindlemoor
