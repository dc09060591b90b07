#include "shell/backupoffers.h"

#include "backup/backupnames.h"
#include "backup/snapshot.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/runservices.h"

#include <QFileInfo>

namespace shell {

namespace {

bool localDatabase(base::Run& run)
{
    return db::isConnected(run) && !run.database()->isRemote();
}

} // namespace

bool offerBackupBeforeWork(base::Run& run)
{
    if (!localDatabase(run))
        return false;
    if (backup::todaysSnapshotExists(backup::snapshotFolder(run.globals()), run.now().date()))
        return false;
    const int pressed = run.messages().choose(
        run.globals().programTitle() + QStringLiteral(": Create a backup of the database"),
        QStringLiteral("Do you want to create a backup of the database before you continue."
                       "\r\rYou only need one if you have done some work since your last "
                       "backup."),
        {QStringLiteral("Later"), QStringLiteral("Yes")});
    if (pressed != 1)
        return false;
    return backup::takeSnapshot(run, false).written;
}

bool offerBackupAfterWork(base::Run& run)
{
    if (!localDatabase(run))
        return false;
    const QString folder = backup::snapshotFolder(run.globals());
    if (QFileInfo::exists(folder + backup::snapshotName(run.now()))) {
        // The snapshot tells the user to wait a minute.
        backup::takeSnapshot(run, false);
        return false;
    }
    if (!run.messages().confirm(run.globals().programTitle() +
                                QStringLiteral("\r\rDo you want to backup the current database?"
                                               "\r\rThe backup folder is ") +
                                folder + QStringLiteral("\r\rCreate a backup")))
        return false;
    return backup::takeSnapshot(run, false).written;
}

bool workedLongEnough(const QDateTime& opened, const QDateTime& closed)
{
    return opened.secsTo(closed) >= 30 * 60;
}

} // namespace shell
