#include "backup/snapshot.h"

#include "backup/backupnames.h"
#include "backup/databasefile.h"
#include "backup/ziparchive.h"
#include "base/run.h"

#include <QDir>
#include <QFileInfo>

namespace backup {

SnapshotResult takeSnapshot(base::Run& run, bool interactive)
{
    if (refuseNetworkDatabase(run))
        return {};
    base::Messages& messages = run.messages();
    const QString folder = snapshotFolder(run.globals());
    SnapshotResult result;
    result.path = folder + snapshotName(run.now());
    if (QFileInfo::exists(result.path)) {
        messages.warning(QStringLiteral("The snapshot ") + result.path +
                         QStringLiteral(" already exists.\rPlease wait a minute before taking "
                                        "the next snapshot"));
        return result;
    }
    if (interactive && !messages.confirm(QStringLiteral("Create a snapshot\r") + result.path))
        return result;
    QString error;
    if (!QDir().mkpath(folder)) {
        error = QStringLiteral("Could not create the folder ") + folder;
    } else {
        messages.progress(QString(), QStringLiteral("Take a snapshot"));
        DatabasePause pause(run);
        result.written = zipOneFile(pause.path(), result.path, &error);
        pause.resume();
        messages.progressDone();
    }
    if (!result.written)
        messages.warning(QStringLiteral("Snapshot not created.\r") + error);
    else if (interactive)
        messages.information(QStringLiteral("Snapshot created ") + result.path);
    return result;
}

QString latestSnapshot(base::Run& run)
{
    const QString folder = snapshotFolder(run.globals());
    const QStringList names = snapshotNames(folder);
    if (names.isEmpty()) {
        run.messages().warning(QStringLiteral("No backup files found under\r") + folder);
        return {};
    }
    return folder + names.last();
}

} // namespace backup
