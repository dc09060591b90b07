#include "backup/restore.h"

#include "backup/backupnames.h"
#include "backup/backuptarget.h"
#include "backup/snapshot.h"
#include "backup/ziparchive.h"
#include "base/paths.h"
#include "base/run.h"
#include "base/silentsink.h"
#include "db/connect.h"
#include "db/dmdcoredbs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace backup {

namespace {

const QString kTitle = QStringLiteral("Restore");

bool clearFolder(const QString& folder)
{
    QDir dir(folder);
    if (!dir.exists())
        return QDir().mkpath(folder);
    bool ok = true;
    for (const QFileInfo& entry :
         dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (entry.isDir() && !entry.isSymLink())
            ok = QDir(entry.absoluteFilePath()).removeRecursively() && ok;
        else
            ok = QFile::remove(entry.absoluteFilePath()) && ok;
    }
    return ok;
}

// Checks the archive before anything is touched: readable, holding the file of the
// current database, with room to unpack it twice.
bool archiveUsable(base::Run& run, const QString& archive, const QString& databaseName,
                   const FreeSpaceFn& freeSpace)
{
    base::Messages& messages = run.messages();
    QStringList names;
    qint64 size = 0;
    QString error;
    if (!archiveContents(archive, &names, &size, &error)) {
        messages.warning(QStringLiteral("Restoring to the intermediate folder not successfull\r"
                                        "The file is not a readable zip archive:\r") +
                         archive + QStringLiteral("\r") + error);
        return false;
    }
    if (!names.contains(databaseName)) {
        messages.warning(QStringLiteral("The archive does not hold the database ") + databaseName +
                         QStringLiteral(":\r") + archive +
                         QStringLiteral("\rNothing was restored."));
        return false;
    }
    const QString temp = base::tempFolder(run.globals());
    QDir().mkpath(temp);
    const QString dataFolder = QFileInfo(databaseFilePath(run)).absolutePath();
    return waitForSpace(run, temp, size + kSpaceMargin, freeSpace) &&
           waitForSpace(run, dataFolder, size + kSpaceMargin, freeSpace);
}

// Copies the unpacked files into the database's folder. When the database file itself
// could not be placed, the hidden file is put back so that the run keeps its data: not a
// step of a restore, but without it a failed copy would leave the run with no database.
bool copyRestored(const QStringList& files, const QString& dataFolder, const QString& current,
                  const QString& hidden)
{
    bool ok = true;
    for (const QString& file : files) {
        const QString target = QDir(dataFolder).filePath(QFileInfo(file).fileName());
        QFile::remove(target);
        if (!QFile::copy(file, target)) {
            QFile::remove(target);
            ok = false;
        }
    }
    if (!QFileInfo::exists(current))
        QFile::rename(hidden, current);
    return ok;
}

} // namespace

QString hiddenName(const QString& path)
{
    QString name = path + QLatin1Char('_');
    while (QFileInfo::exists(name))
        name += QLatin1Char('_');
    return name;
}

bool isOurDatabase(const QString& path)
{
    base::SilentSink silent;
    base::Messages messages(silent);
    db::DmdCoreDbs probe(messages, QStringLiteral("PROBE"), QString());
    if (!probe.login(path, 0))
        return false;
    const bool ours = db::recogniseDatabase(probe);
    if (probe.isConnected())
        probe.close();
    return ours;
}

bool restoreFrom(base::Run& run, const QString& archive, const FreeSpaceFn& freeSpace)
{
    base::Messages& messages = run.messages();
    if (refuseNetworkDatabase(run))
        return false;
    if (archive.trimmed().isEmpty()) {
        messages.warning(QStringLiteral("Empty snapshot filename"));
        return false;
    }
    if (!QFileInfo::exists(archive)) {
        messages.internalError(5534, QStringLiteral("Backup file not found\r") + archive);
        return false;
    }
    const QString current = databaseFilePath(run);
    const QString databaseName = QFileInfo(current).fileName();
    const QString dataFolder = QFileInfo(current).absolutePath();
    if (!archiveUsable(run, archive, databaseName, freeSpace))
        return false;
    if (!messages.confirm(QStringLiteral("Restore data from backup\r") + archive))
        return false;

    const QString snapshots = snapshotFolder(run.globals());
    messages.progress(kTitle, QStringLiteral("Step 1 of 5: Create a snapshot of the current "
                                             "data into ") +
                                  snapshots);
    messages.progress(kTitle, QStringLiteral("The program will first make a snapshot of the "
                                             "current database into\r") +
                                  snapshots);
    if (!takeSnapshot(run, false).written) {
        messages.progressDone();
        messages.warning(QStringLiteral("Could not create a snapshot of the current data before "
                                        "backing up."));
        return false;
    }

    const QString temp = base::tempFolder(run.globals());
    messages.progress(kTitle, QStringLiteral("Step 2 of 5: Clear the intermediate target ") + temp);
    if (!clearFolder(temp)) {
        messages.progressDone();
        messages.warning(QStringLiteral("Could not clear the folder for restoring\r") + temp);
        return false;
    }

    messages.progress(kTitle,
                      QStringLiteral("Step 3 of 5: Restore the compressed file into ") + temp);
    messages.progress(kTitle, QStringLiteral("Restoring the database into the folder:\r") + temp);
    QStringList unpacked;
    QString error;
    if (!unzipAll(archive, temp, &unpacked, &error)) {
        messages.progressDone();
        messages.warning(QStringLiteral("Restoring to the intermediate folder not successfull\r") +
                         error);
        return false;
    }
    // Not one of the steps of a restore, but it protects the user's data: a zip of some
    // other file under the database's name would otherwise replace a working database.
    if (!isOurDatabase(QDir(temp).filePath(databaseName))) {
        messages.progressDone();
        clearFolder(temp);
        messages.warning(QStringLiteral("The archive does not hold a database of this "
                                        "program:\r") +
                         archive + QStringLiteral("\rNothing was restored."));
        return false;
    }

    DatabasePause pause(run);
    messages.progress(kTitle, QStringLiteral("Step 4 of 5: Hide the current database "));
    const QString hidden = hiddenName(current);
    if (!QFile::rename(current, hidden)) {
        messages.progressDone();
        messages.warning(QStringLiteral("Could not hide the current database \r") + current +
                         QStringLiteral("\r") + hidden +
                         QStringLiteral("\rPlease do the restoring manually from the extracted "
                                        "database\r") +
                         temp);
        pause.resume();
        return false;
    }

    messages.progress(kTitle,
                      QStringLiteral("Step 5 of 5: Copy the expanded files into ") + dataFolder);
    const bool copied = copyRestored(unpacked, dataFolder, current, hidden);
    messages.progressDone();
    if (!copied)
        messages.warning(QStringLiteral("Could not copy the restored files to the data "
                                        "directory"));
    const bool connected = pause.resume(true);
    if (copied && connected)
        messages.information(QStringLiteral("Restoring completed successfully"));
    return copied && connected;
}

} // namespace backup
