#include "shell/startupchecks.h"

#include "base/paths.h"
#include "base/run.h"
#include "db/connect.h"
#include "db/dmdcoredbs.h"
#include "db/runservices.h"
#include "db/schemacreate.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

namespace shell {

bool configWriteTest(base::Run& run)
{
    const QString key = QString::fromLatin1(kDummyTest);
    const int value = int(QRandomGenerator::global()->bounded(1000000));
    run.config().writeInt(key, value);
    if (run.config().exists(key) && run.config().readInt(key) == value)
        return true;
    const QString folder = QFileInfo(run.config().path()).absolutePath();
    run.messages().warning(QStringLiteral("The program could not write its settings to the "
                                          "file\r") +
                           run.config().path() +
                           QStringLiteral("\r\rYou may need writing rights to the folder\r") +
                           folder + QStringLiteral("\r\rThe program will now continue anyway."));
    return false;
}

QString preferredFolderText(const QString& databasePath, const QString& defaultPath)
{
    const QString folder = QDir::cleanPath(QFileInfo(databasePath).absolutePath());
    const QString preferred = QDir::cleanPath(QFileInfo(defaultPath).absolutePath());
    if (folder.compare(preferred, Qt::CaseInsensitive) == 0)
        return {};
    return QStringLiteral("Your database is not in the preferred folder.\r"
                          "It is in the folder \"") +
           folder + QStringLiteral("\".\rIt should be under \"") + preferred +
           QStringLiteral("\".\rThe database file is \"") + QFileInfo(databasePath).fileName() +
           QStringLiteral("\".\rPlease move it to the correct folder soon.\r"
                          "This makes support easier,\r"
                          "and it can reduce interference by a firewall.");
}

void preferredFolderWarning(base::Run& run)
{
    if (!db::isConnected(run) || run.database()->isRemote())
        return;
    const QString text = preferredFolderText(run.database()->connectionText(),
                                             base::defaultDatabasePath(run.globals()));
    if (!text.isEmpty())
        run.messages().warning(text);
}

void roundScoresDownWarning(base::Run& run)
{
    if (run.config().readInt(QString::fromLatin1(kRoundScoresDown)) != 1)
        return;
    run.messages().warning(
        QStringLiteral("The setting of the program is currently to round\rscores from the "
                       "tables down to the nearest 5.\rAlthough this does not make sense, the "
                       "program caters\rfor this option.  This option is set under \"More "
                       "Utilities\"\rthat is found on the menu of the main screen"));
}

bool createDefaultDatabaseIfNone(base::Run& run)
{
    base::ConfigStore& config = run.config();
    if (config.readInt(QString::fromLatin1(db::kUseRemoteDatabase)) == 1)
        return false;
    const QString stored = config.readText(QString::fromLatin1(db::kLocalDatabaseName));
    const QString path = base::defaultDatabasePath(run.globals());
    if ((!stored.isEmpty() && QFileInfo::exists(stored)) || QFileInfo::exists(path))
        return false;
    QDir().mkpath(base::defaultDatabaseFolder(run.globals()));
    return db::createEmptyDatabase(run.messages(), path);
}

} // namespace shell
