#include "db/connect.h"

#include "base/paths.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/runservices.h"
#include "db/schemaversion.h"

#include <QFileInfo>
#include <QSysInfo>

namespace db {

namespace {

bool fileExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo::exists(path);
}

void storeLocation(base::Run& run, const QString& connectionText)
{
    base::ConfigStore& config = run.config();
    if (isRemoteConnectionText(connectionText)) {
        const int colon = int(connectionText.indexOf(QLatin1Char(':')));
        config.writeInt(QString::fromLatin1(kUseRemoteDatabase), 1);
        config.writeText(QString::fromLatin1(kRemoteIpAddress), connectionText.left(colon));
        config.writeText(QString::fromLatin1(kRemoteDatabaseName), connectionText.mid(colon + 1));
    } else {
        config.writeInt(QString::fromLatin1(kUseRemoteDatabase), 2);
        config.writeText(QString::fromLatin1(kLocalDatabaseName), connectionText);
    }
}

// Logs in, refuses a database that is not ours, stores the location.
bool loginTo(base::Run& run, const QString& connectionText, const ConnectOptions& options)
{
    DmdCoreDbs& database = *run.database();
    if (!database.login(connectionText, 0))
        return false;
    if (!recogniseDatabase(database)) {
        database.close();
        return false;
    }
    if (options.storeLocation)
        storeLocation(run, connectionText);
    return true;
}

bool upgradeOrFail(base::Run& run, const ConnectOptions& options)
{
    if (!options.upgrade)
        return true;
    if (upgradeAtConnect(*run.database(), releaseChain()))
        return true;
    run.messages().warning(QStringLiteral("The database could not be updated:\r\n"
                                          "Support may be able to recover you from this "
                                          "problem.\r\n") +
                           QString::fromLatin1(kSupportLines));
    run.database()->close();
    return false;
}

} // namespace

bool checkDatabaseFile(base::Messages& messages, const QString& path)
{
    if (path.trimmed().isEmpty()) {
        messages.warning(
            QStringLiteral("The database is not specified. \rPlease select one before trying "
                           "to open it."));
        return false;
    }
    if (QFileInfo(path).fileName().startsWith(QLatin1String("Empty"))) {
        messages.warning(QStringLiteral("You are not allowed to connect to a file\rthat starts "
                                        "with \"Empty\".  The installation\rof this program may "
                                        "overwrite that file."));
        return false;
    }
    if (!QFileInfo::exists(path)) {
        messages.warning(QStringLiteral("The database does not exist: \r") + path +
                         QStringLiteral("\r\rPlease select one before trying to connect to it."));
        return false;
    }
    if (!QFileInfo(path).isWritable()) {
        messages.warning(QStringLiteral("The database is read-only: \r") + path +
                         QStringLiteral("\r\rPlease test before trying connecting to it."));
        return false;
    }
    return true;
}

bool recogniseDatabase(DmdCoreDbs& database)
{
    if (database.tableExists(QStringLiteral("DATABASE_VERSION")) &&
        database.tableExists(QStringLiteral("PARTICIPATE")) &&
        database.tableExists(QStringLiteral("PROGRAM")) &&
        database.fieldExists(QStringLiteral("PROGRAM"), QStringLiteral("PROGRAMNO")))
        return true;
    database.messages().warning(
        QStringLiteral("This database is a Tamrok 2000 database.\rYou cannot connect to it, but "
                       "you can\rimport Meetings from it under Manage Data."));
    return false;
}

bool connectDatabase(base::Run& run, const ConnectOptions& options)
{
    base::ConfigStore& config = run.config();
    base::Messages& messages = run.messages();
    const bool lastRemote = config.readInt(QString::fromLatin1(kUseRemoteDatabase)) == 1;
    const QString storedLocal = config.readText(QString::fromLatin1(kLocalDatabaseName));
    if (!run.database())
        db::createDatabaseModule(run);
    const QString defaultPath = base::defaultDatabasePath(run.globals());
    bool connected = false;

    if (lastRemote) {
        const QString address = config.readText(QString::fromLatin1(kRemoteIpAddress));
        const QString path = config.readText(QString::fromLatin1(kRemoteDatabaseName));
        const bool go = !options.firstRun ||
                        messages.confirm(
                            QStringLiteral("The last time you connected to a remote database :\r") +
                            address + QStringLiteral("   ") + path +
                            QStringLiteral("\r\rDo you still want to connect to that database"));
        if (go) {
            messages.progress(QString(), QStringLiteral("Connecting"));
            connected = loginTo(run, address + QLatin1Char(':') + path, options);
            messages.progressDone();
        }
    }
    if (!connected && storedLocal.isEmpty() && fileExists(defaultPath))
        connected = loginTo(run, defaultPath, options);
    if (!connected) {
        const bool storedExists = fileExists(storedLocal);
        if (storedLocal.isEmpty())
            messages.warning(QStringLiteral("Current Database not specified yet"));
        else if (!storedExists)
            messages.warning(QStringLiteral("Specified database does not exist: \r") + storedLocal);
        if (!storedExists && !fileExists(defaultPath))
            messages.warning(QStringLiteral("Default Database does not exist: \r") + defaultPath);
        if (storedExists) {
            const bool go =
                !lastRemote ||
                messages.confirm(QStringLiteral("The last local database that you specified "
                                                "exists:\r") +
                                 storedLocal +
                                 QStringLiteral("\r\rDo you want to connect to that instead"));
            if (go)
                connected = loginTo(run, storedLocal, options);
        }
    }
    if (!connected && fileExists(defaultPath) && defaultPath != storedLocal) {
        if (messages.confirm(QStringLiteral("The default database exists: \r") + defaultPath +
                             QStringLiteral("\r\rDo you want to connect to that instead")))
            connected = loginTo(run, defaultPath, options);
    }
    while (!connected && options.offerSelect) {
        if (!messages.confirm(QStringLiteral("Do you want to select a database")))
            break;
        const QString path =
            messages.chooseFile(QStringLiteral("Select a database"),
                                QStringLiteral("Interbase Databases (*.gdb);;All files (*)"));
        if (checkDatabaseFile(messages, path))
            connected = loginTo(run, path, options);
    }
    if (!connected)
        return false;
    return upgradeOrFail(run, options);
}

bool connectTo(base::Run& run, const QString& connectionText, const ConnectOptions& options)
{
    if (!run.database())
        db::createDatabaseModule(run);
    if (!isRemoteConnectionText(connectionText) &&
        !checkDatabaseFile(run.messages(), connectionText))
        return false;
    if (!loginTo(run, connectionText, options))
        return false;
    return upgradeOrFail(run, options);
}

QString currentDatabaseText(base::Run& run)
{
    DmdCoreDbs* database = run.database();
    if (!database || !database->isConnected())
        return QStringLiteral("No database is connected.");
    QString version = QStringLiteral("unknown");
    if (database->tableExists(QStringLiteral("DATABASE_VERSION")))
        version = storedVersion(*database);
    const QString host = QSysInfo::machineHostName();
    return QStringLiteral("We are currently connecting to this database:\r") +
           database->connectionText() + QStringLiteral("\r\rThe version of the database is ") +
           version + QStringLiteral("\r\rThe name of this computer is ") + host +
           QStringLiteral("\rAnother computer needs this name (or its address) and the path "
                          "of the database to connect to it.\r\r"
                          "The release of the program is ") +
           run.globals().version();
}

} // namespace db

namespace db {

ChangeResult changeDatabase(base::Run& run)
{
    base::Messages& messages = run.messages();
    const int where = messages.choose(
        run.globals().programTitle(), QStringLiteral("Where do you want to connect to ?"),
        {QStringLiteral("Local"), QStringLiteral("Remote / Network"), QStringLiteral("Cancel")});
    if (where != 0 && where != 1)
        return ChangeResult::Cancelled;
    const bool remote = where == 1;
    QString path;
    QString address;
    if (remote) {
        if (!messages.askText(QStringLiteral("The IP-address (or name) of the server"), &address))
            return ChangeResult::Cancelled;
        if (!messages.askText(QStringLiteral("The path of the database on the server"), &path))
            return ChangeResult::Cancelled;
        address = address.trimmed();
        path = path.trimmed();
    } else {
        path = messages.chooseFile(QStringLiteral("Select a database"),
                                   QStringLiteral("Interbase Databases (*.gdb);;All files (*)"));
        if (!path.isEmpty() && !QFileInfo::exists(path)) {
            messages.warning(QStringLiteral("Did you click ON the file ITSELF?"));
            return ChangeResult::Refused;
        }
    }
    if (path.isEmpty()) {
        messages.warning(QStringLiteral("The database is not selected"));
        return ChangeResult::Refused;
    }
    if (remote && address.isEmpty()) {
        messages.warning(QStringLiteral("The IP-address is not entered"));
        return ChangeResult::Refused;
    }
    if (!remote && !QFileInfo::exists(path)) {
        messages.warning(QStringLiteral("The selected database does not exist:\r") + path);
        return ChangeResult::Refused;
    }
    const QString atAddress = remote ? QStringLiteral(" at ") + address : QString();
    const QString connectionText = remote ? address + QLatin1Char(':') + path : path;
    DmdCoreDbs* current = run.database();
    if (current && current->isConnected() && current->connectionText() == connectionText) {
        messages.warning(QStringLiteral("This is the database you are currently connected to:\r") +
                         path + atAddress);
        return ChangeResult::Refused;
    }
    if (!remote && !checkDatabaseFile(messages, path))
        return ChangeResult::Refused;
    messages.information(QStringLiteral("Connecting to\r") + path + atAddress);

    // A connection of its own: the run's stays as it is until the program ends or restarts.
    base::Run trial(messages.sink(), run.globals().applicationCode(), run.config().path());
    ConnectOptions options;
    options.offerSelect = false;
    options.upgrade = false;
    options.storeLocation = false;
    db::createDatabaseModule(trial);
    if (!loginTo(trial, connectionText, options))
        return ChangeResult::Refused;
    db::freeDatabaseModule(trial);
    storeLocation(run, connectionText);
    if (remote)
        return ChangeResult::Restart;
    messages.note(QStringLiteral("The application will now be terminated.\rPlease restart the "
                                 "program.\rThe new database will then be used."));
    return ChangeResult::EndProgram;
}

} // namespace db
