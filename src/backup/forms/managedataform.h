#pragma once

#include "base/forms/screenopeners.h"

#include <QDialog>

namespace base {
class Run;
}

namespace backup {

// The data-management menu: snapshots, backups and restore of the database file, and
// the connection in use. A restore connects the run to the restored file, which the main
// screen answers with a restart.
class ManageDataForm : public QDialog {
    Q_OBJECT
public:
    explicit ManageDataForm(base::Run& run, QWidget* parent = nullptr);

    base::ScreenOpeners::DataChange change() const { return m_change; }

private:
    void snapshot();
    void backupToFolder();
    void restore();
    void restoreLatest();
    void restoreArchive(const QString& archive);

    base::Run& m_run;
    base::ScreenOpeners::DataChange m_change = base::ScreenOpeners::DataChange::None;
};

// Opens the menu; says whether the database was restored or changed.
base::ScreenOpeners::DataChange openManageData(QWidget* parent, base::Run& run);

} // namespace backup
