// The database commands: create, inspect, check and upgrade the database; the per-user
// configuration store and the database's CONFIG table.

#include "cli/cli.h"

#include "base/consolesink.h"
#include "db/connect.h"
#include "db/dmdcoredbs.h"
#include "db/schemacreate.h"
#include "db/schemaversion.h"

#include <QJsonObject>

namespace {

int dbCreate(cli::Context& ctx)
{
    if (!ctx.expectArgs(1))
        return cli::WrongCommandLine;
    if (!db::createEmptyDatabase(ctx.messages(), ctx.args[0]))
        return cli::Failed;
    ctx.printFields({{QStringLiteral("created"), ctx.args[0]},
                     {QStringLiteral("version"), db::programSchemaVersion()}});
    return cli::Success;
}

int dbInfo(cli::Context& ctx)
{
    db::DmdCoreDbs* database = nullptr;
    if (const int failed = ctx.openDatabase(0, &database))
        return failed;
    if (ctx.json) {
        ctx.printFields(
            {{QStringLiteral("connection"), database->connectionText()},
             {QStringLiteral("version"), db::storedVersion(*database)},
             {QStringLiteral("release"), ctx.run().globals().version()},
             {QStringLiteral("login_attempt"), QString::number(database->loginAttemptUsed())}});
        return cli::Success;
    }
    ctx.out << base::ConsoleSink::plain(db::currentDatabaseText(ctx.run())) << "\n";
    return cli::Success;
}

// check and upgrade open the database without the connect-time upgrade.
db::DmdCoreDbs* openWithoutUpgrade(cli::Context& ctx)
{
    db::ConnectOptions options;
    options.offerSelect = false;
    options.upgrade = false;
    const bool ok = ctx.dbOption().isEmpty() ? db::connectDatabase(ctx.run(), options)
                                             : db::connectTo(ctx.run(), ctx.dbOption(), options);
    if (!ok) {
        ctx.err << "No database connected.\n";
        return nullptr;
    }
    return ctx.run().database();
}

int dbCheck(cli::Context& ctx)
{
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    db::DmdCoreDbs* database = openWithoutUpgrade(ctx);
    if (!database)
        return cli::Failed;
    const bool upToDate = db::isUpToDate(*database, db::releaseChain());
    ctx.printFields({{QStringLiteral("version"), db::storedVersion(*database)},
                     {QStringLiteral("program"), db::programSchemaVersion()},
                     {QStringLiteral("up_to_date"), upToDate ? "yes" : "no"}});
    return upToDate ? cli::Success : cli::Failed;
}

int dbUpgrade(cli::Context& ctx)
{
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    db::DmdCoreDbs* database = openWithoutUpgrade(ctx);
    if (!database)
        return cli::Failed;
    const bool ok = db::upgradeAtConnect(*database, db::releaseChain());
    ctx.printFields({{QStringLiteral("version"), db::storedVersion(*database)},
                     {QStringLiteral("upgraded"), ok ? "yes" : "no"}});
    return ok ? cli::Success : cli::Failed;
}

int configGet(cli::Context& ctx)
{
    if (!ctx.expectArgs(1))
        return cli::WrongCommandLine;
    if (!ctx.run().config().exists(ctx.args[0]))
        return cli::Failed;
    ctx.out << ctx.run().config().readText(ctx.args[0]) << "\n";
    return cli::Success;
}

int configSet(cli::Context& ctx)
{
    if (!ctx.expectArgs(2))
        return cli::WrongCommandLine;
    if (!ctx.run().config().writeText(ctx.args[0], ctx.args[1])) {
        ctx.messages().warning(QStringLiteral("The configuration file could not be written:\r") +
                               ctx.run().config().path());
        return cli::Failed;
    }
    return cli::Success;
}

int configDelete(cli::Context& ctx)
{
    if (!ctx.expectArgs(1))
        return cli::WrongCommandLine;
    return ctx.run().config().remove(ctx.args[0]) ? cli::Success : cli::Failed;
}

int dbconfigGet(cli::Context& ctx)
{
    db::DmdCoreDbs* database = nullptr;
    if (const int failed = ctx.openDatabase(1, &database))
        return failed;
    if (!database->configExists(ctx.args[0]))
        return cli::Failed;
    ctx.out << database->configRead(ctx.args[0]) << "\n";
    return cli::Success;
}

int dbconfigSet(cli::Context& ctx)
{
    db::DmdCoreDbs* database = nullptr;
    if (const int failed = ctx.openDatabase(2, &database))
        return failed;
    database->configWrite(ctx.args[0], ctx.args[1]);
    return cli::Success;
}

const cli::Command createCmd("db create", "PATH", &dbCreate);
const cli::Command infoCmd("db info", "", &dbInfo);
const cli::Command checkCmd("db check", "", &dbCheck);
const cli::Command upgradeCmd("db upgrade", "", &dbUpgrade);
const cli::Command configGetCmd("config get", "KEY", &configGet);
const cli::Command configSetCmd("config set", "KEY VALUE", &configSet);
const cli::Command configDeleteCmd("config delete", "KEY", &configDelete);
const cli::Command dbconfigGetCmd("dbconfig get", "SLOT", &dbconfigGet);
const cli::Command dbconfigSetCmd("dbconfig set", "SLOT VALUE", &dbconfigSet);

} // namespace
