#include "backup/backuptarget.h"

#include "backup/snapshot.h"
#include "base/run.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

namespace backup {

namespace {

const QString kTitle = QStringLiteral("Backup");
// A user keeps pressing Retry only so often; a console answering every question the same
// way must not ask forever.
constexpr int kMaxSpaceQuestions = 50;

} // namespace

bool waitForSpace(base::Run& run, const QString& folder, qint64 required,
                  const FreeSpaceFn& freeSpace)
{
    for (int asked = 0;; ++asked) {
        const qint64 available = freeSpace(folder);
        if (available >= required)
            return true;
        QString drive = QStorageInfo(folder).rootPath();
        if (drive.isEmpty())
            drive = folder;
        const int pressed =
            run.messages().choose(run.messages().programTitle(),
                                  QStringLiteral("Not enough space on ") + drive +
                                      QStringLiteral("\rRequired=") + QString::number(required) +
                                      QStringLiteral("\rAvailable=") + QString::number(available),
                                  {QStringLiteral("Cancel"), QStringLiteral("Retry")});
        if (pressed != 1 || asked + 1 >= kMaxSpaceQuestions)
            return false;
    }
}

bool backupTo(base::Run& run, const QString& target, const FreeSpaceFn& freeSpace)
{
    base::Messages& messages = run.messages();
    if (refuseNetworkDatabase(run))
        return false;
    if (target.trimmed().isEmpty()) {
        messages.warning(QStringLiteral("The target may not be empty"));
        return false;
    }
    const QString folder = QDir::cleanPath(target) + QLatin1Char('/');
    if (!QDir().mkpath(folder)) {
        messages.warning(QStringLiteral("Could not prepare for backup: \rCould not create the "
                                        "folder \r") +
                         folder);
        return false;
    }
    if (!messages.confirm(QStringLiteral("Backup the data to\r") + target))
        return false;

    messages.progress(kTitle, QStringLiteral("Step 1 of 3: Create a snapshot"));
    const SnapshotResult snapshot = takeSnapshot(run, false);
    if (!snapshot.written) {
        messages.progressDone();
        return false;
    }
    const QString copy = folder + QFileInfo(snapshot.path).fileName();
    if (QFileInfo::exists(copy)) {
        messages.progressDone();
        messages.warning(QStringLiteral("The file already exists:\r") + copy);
        return false;
    }

    messages.progress(kTitle, QStringLiteral("Step 2 of 3: Check for available space on the target "
                                             "folder ") +
                                  target);
    if (!waitForSpace(run, folder, QFileInfo(snapshot.path).size() + kSpaceMargin, freeSpace)) {
        messages.progressDone();
        return false;
    }

    messages.progress(kTitle, QStringLiteral("Step 3 of 3: Copy the backup to ") + target);
    const bool copied = QFile::copy(snapshot.path, copy);
    messages.progressDone();
    if (!copied) {
        QFile::remove(copy);
        messages.warning(QStringLiteral("Could not copy ") + snapshot.path +
                         QStringLiteral(" to ") + target);
        return false;
    }
    messages.information(QStringLiteral("Done: backup created"));
    return true;
}

} // namespace backup
