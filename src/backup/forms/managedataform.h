#pragma once

#include "shell/forms/screenopeners.h"

#include <QDialog>

namespace shell {
class Run;
}

namespace backup {

// The data-management menu: snapshots, backups and restore of the database file, and
// the connection in use. A restore connects the run to the restored file, which the main
// screen answers with a restart.
class ManageDataForm : public QDialog {
    Q_OBJECT
public:
    explicit ManageDataForm(shell::Run& run, QWidget* parent = nullptr);

    shell::ScreenOpeners::DataChange change() const { return m_change; }

private:
    void snapshot();
    void backupToFolder();
    void restore();
    void restoreLatest();
    void restoreArchive(const QString& archive);

    shell::Run& m_run;
    shell::ScreenOpeners::DataChange m_change = shell::ScreenOpeners::DataChange::None;
};

// Opens the menu; says whether the database was restored or changed.
shell::ScreenOpeners::DataChange openManageData(QWidget* parent, shell::Run& run);

} // namespace backup
