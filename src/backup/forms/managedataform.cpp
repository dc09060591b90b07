#include "backup/forms/managedataform.h"

#include "base/forms/buttontips.h"

#include "backup/backupnames.h"
#include "backup/backuptarget.h"
#include "backup/restore.h"
#include "backup/snapshot.h"
#include "base/forms/screensize.h"
#include "base/run.h"
#include "db/connect.h"
#include "db/runservices.h"

#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace backup {

ManageDataForm::ManageDataForm(base::Run& run, QWidget* parent) : QDialog(parent), m_run(run)
{
    setWindowTitle(run.globals().programTitle() + QStringLiteral(" :  Manage data"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("The database file of all meetings:"), this));
    const auto add = [&](const QString& text, const QString& tip, void (ManageDataForm::*slot)()) {
        auto* b = new QPushButton(text, this);
        b->setAutoDefault(false);
        b->setToolTip(tip);
        connect(b, &QPushButton::clicked, this, slot);
        layout->addWidget(b);
    };
    add(QStringLiteral("Take a snapshot"),
        tr("Keeps a copy of the database beside it, to go back to later"),
        &ManageDataForm::snapshot);
    add(QStringLiteral("Backup to another drive or folder"),
        tr("Copies the database to a drive or folder you choose"), &ManageDataForm::backupToFolder);
    add(QStringLiteral("Restore from a backup"),
        tr("Replaces the database with a backup you choose, after asking"),
        &ManageDataForm::restore);
    add(QStringLiteral("Restore the latest snapshot"),
        tr("Replaces the database with its latest snapshot, after asking"),
        &ManageDataForm::restoreLatest);
    auto* change = new QPushButton(QStringLiteral("Connect to another database"), this);
    change->setAutoDefault(false);
    change->setToolTip(tr("Works on another database file from now on"));
    connect(change, &QPushButton::clicked, this, [this] {
        const db::ChangeResult result = db::changeDatabase(m_run);
        if (result == db::ChangeResult::Restart)
            m_change = base::ScreenOpeners::DataChange::Restart;
        else if (result == db::ChangeResult::EndProgram)
            m_change = base::ScreenOpeners::DataChange::EndProgram;
        if (m_change != base::ScreenOpeners::DataChange::None)
            accept();
    });
    layout->addWidget(change);
    auto* show = new QPushButton(QStringLiteral("Show current database"), this);
    show->setAutoDefault(false);
    show->setToolTip(tr("Says which database file is in use and where it is"));
    connect(show, &QPushButton::clicked, this,
            [this] { m_run.messages().information(db::currentDatabaseText(m_run)); });
    layout->addWidget(show);
    layout->addStretch();
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setToolTip(base::closeTip());
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close);
    base::resizeWithinDesktop(this, QSize(360, 280));
}

void ManageDataForm::snapshot()
{
    takeSnapshot(m_run, true);
}

void ManageDataForm::backupToFolder()
{
    const QString target = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Select the target folder of the backup"),
        backupFolder(m_run.globals()));
    if (!target.isEmpty())
        backupTo(m_run, target);
}

void ManageDataForm::restore()
{
    const QString archive = QFileDialog::getOpenFileName(
        this, QStringLiteral("Select a file to restore"), backupFolder(m_run.globals()),
        QStringLiteral("Zip files (*.zip *.ZIP);;All files (*)"));
    if (!archive.isEmpty())
        restoreArchive(archive);
}

void ManageDataForm::restoreLatest()
{
    const QString archive = latestSnapshot(m_run);
    if (!archive.isEmpty())
        restoreArchive(archive);
}

void ManageDataForm::restoreArchive(const QString& archive)
{
    const bool before = db::isConnected(m_run);
    const bool restored = restoreFrom(m_run, archive);
    // Whatever happened, the connection was closed and opened again: start over.
    if (restored || (before && !db::isConnected(m_run))) {
        m_change = base::ScreenOpeners::DataChange::Restart;
        accept();
    }
}

base::ScreenOpeners::DataChange openManageData(QWidget* parent, base::Run& run)
{
    ManageDataForm form(run, parent);
    form.exec();
    return form.change();
}

} // namespace backup
