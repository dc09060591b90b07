#include "backup/databasefile.h"

#include "base/run.h"
#include "db/connect.h"
#include "db/dmdcoredbs.h"
#include "db/runservices.h"

#include <QStorageInfo>

namespace backup {

qint64 diskFreeSpace(const QString& folder)
{
    return QStorageInfo(folder).bytesAvailable();
}

bool refuseNetworkDatabase(base::Run& run)
{
    if (!db::isConnected(run)) {
        run.messages().warning(QStringLiteral("No database is connected."));
        return true;
    }
    if (!run.database()->isRemote())
        return false;
    run.messages().warning(QStringLiteral("You are connected to a network database\r"
                                          "Snapshots, backups and restores work on a local "
                                          "database file only."));
    return true;
}

QString databaseFilePath(base::Run& run)
{
    return run.database()->connectionText();
}

DatabasePause::DatabasePause(base::Run& run) : m_run(run)
{
    m_path = databaseFilePath(run);
    run.database()->close();
    m_paused = true;
}

DatabasePause::~DatabasePause()
{
    if (m_paused)
        resume();
}

bool DatabasePause::resume(bool upgrade)
{
    m_paused = false;
    db::ConnectOptions options;
    options.offerSelect = false;
    options.upgrade = upgrade;
    options.firstRun = false;
    options.storeLocation = false;
    return db::connectTo(m_run, m_path, options);
}

} // namespace backup
