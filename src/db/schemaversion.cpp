#include "db/schemaversion.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/releasesteps.h"
#include "db/sqltext.h"

namespace db {

namespace {

QString kindText(const QString& kind)
{
    return kind == QLatin1String("TBL") ? QStringLiteral("structure")
                                        : QStringLiteral("system records");
}

bool stepDue(const QString& stored, const UpgradeStep& step)
{
    return stored < step.version;
}

// The report of an upgrade that stops: which step (or that none is left), where, and at
// which version the database stays.
void reportAbandoned(DmdCoreDbs& database, const QString& what, const QString& stored)
{
    database.messages().internalError(
        10302, what + QStringLiteral("\rThe database is ") + database.connectionText() +
                   QStringLiteral("\rThe database version was left at ") + stored +
                   QStringLiteral("\rCould not perform the update\rPlease call support: ") +
                   QString::fromLatin1(kSupportLines) + QStringLiteral("\r abandoned."));
}

// A database older than the first release needs steps that this program no longer
// carries; the steps of later releases must not run over the old schema.
bool missesFirstRelease(const QString& stored, const UpgradeChain& chain)
{
    if (stored >= QLatin1String(kSchemaVersion))
        return false;
    for (const UpgradeStep& step : chain)
        if (stepDue(stored, step) && step.version <= QLatin1String(kSchemaVersion))
            return false;
    return true;
}

} // namespace

bool StepContext::execute(const QString& sql)
{
    DbError error;
    if (fbExecute(*m_database.attachment(), m_transaction, sql, &error))
        return true;
    m_database.messages().developerNote(sql + QStringLiteral("\r") + error.message);
    m_lastErrorText = error.message;
    return false;
}

const UpgradeChain& releaseChain()
{
    static const UpgradeChain chain = releaseSteps();
    return chain;
}

QString programSchemaVersion()
{
    const UpgradeChain& chain = releaseChain();
    return chain.empty() ? QString::fromLatin1(kSchemaVersion) : chain.back().version;
}

QString storedVersion(DmdCoreDbs& database)
{
    Query q = database.openQuery(QStringLiteral("select VERSION from DATABASE_VERSION"));
    if (!q.isOpen() || q.isEmpty())
        return {};
    return q.text(QStringLiteral("VERSION")).trimmed();
}

bool isUpToDate(DmdCoreDbs& database, const UpgradeChain& chain)
{
    const QString stored = storedVersion(database);
    if (stored < QLatin1String(kSchemaVersion))
        return false;
    for (const UpgradeStep& step : chain)
        if (stepDue(stored, step))
            return false;
    return true;
}

bool upgrade(DmdCoreDbs& database, const UpgradeChain& chain)
{
    base::Messages& messages = database.messages();
    if (isUpToDate(database, chain)) {
        messages.internalError(10301, QStringLiteral("The calling function should not arrive\r"
                                                     "here if the database is up to date"));
        return true;
    }
    if (missesFirstRelease(storedVersion(database), chain)) {
        reportAbandoned(database,
                        QStringLiteral("No step of this release brings the database to version ") +
                            QString::fromLatin1(kSchemaVersion) + QStringLiteral("."),
                        storedVersion(database));
        return false;
    }
    for (const UpgradeStep& step : chain) {
        const QString stored = storedVersion(database);
        if (!stepDue(stored, step))
            continue;
        messages.progress(QString(), kindText(step.kind) + QStringLiteral(" to version ") +
                                         step.version + QStringLiteral("\r") + step.name);
        FbTransaction transaction(TransactionKind::Modify);
        DbError error;
        bool success = transaction.start(*database.attachment(), &error);
        if (success) {
            StepContext context(database, transaction);
            success = step.routine(context) &&
                      context.execute(QStringLiteral("update DATABASE_VERSION set VERSION=") +
                                      quoted(step.version)) &&
                      transaction.commit(&error);
        }
        if (!success) {
            transaction.rollback(nullptr);
            messages.progressDone();
            reportAbandoned(database,
                            QStringLiteral("This ") + kindText(step.kind) +
                                QStringLiteral(" step:\r") + step.version + QStringLiteral(" ") +
                                step.name,
                            stored);
            return false;
        }
        // Later reads see the new structure and version.
        database.refreshReads();
    }
    messages.progressDone();
    // Steps of older releases that this program no longer carries: the schema would miss
    // what the screens read, so the database is not used.
    const QString reached = storedVersion(database);
    if (reached < QLatin1String(kSchemaVersion)) {
        reportAbandoned(database,
                        QStringLiteral("No step of this release brings the database to version ") +
                            QString::fromLatin1(kSchemaVersion) + QStringLiteral("."),
                        reached);
        return false;
    }
    return true;
}

bool upgradeAtConnect(DmdCoreDbs& database, const UpgradeChain& chain)
{
    base::Messages& messages = database.messages();
    messages.progress(QString(), QStringLiteral("Checking the version of the database"));
    const bool upToDate = isUpToDate(database, chain);
    messages.progressDone();
    if (upToDate)
        return true;
    messages.information(QStringLiteral("The database is outdated and will now be upgraded!"));
    const bool ok = upgrade(database, chain);
    database.checkOpenObjects();
    return ok;
}

bool alterColumnTypeStage(DmdCoreDbs& database, const QString& table, const QString& column,
                          const QString& newType, int stage)
{
    const QString temp = QStringLiteral("\"ZZZZZZ\"");
    switch (stage) {
    case 1:
        return database.execute(QStringLiteral("alter table ") + table + QStringLiteral(" add ") +
                                temp + QStringLiteral(" ") + newType);
    case 2:
        return database.execute(QStringLiteral("update ") + table + QStringLiteral(" set ") + temp +
                                QStringLiteral(" = ") + column);
    case 3:
        return database.execute(QStringLiteral("alter table ") + table + QStringLiteral(" drop ") +
                                column);
    case 4:
        return database.execute(QStringLiteral("alter table ") + table +
                                QStringLiteral(" alter column ") + temp + QStringLiteral(" to ") +
                                column);
    default:
        database.messages().internalError(
            10303, QStringLiteral("Invalid nStage1or2 for stage for ZAlterColumnType: ") +
                       QString::number(stage));
        return false;
    }
}

bool alterColumnType(DmdCoreDbs& database, const QString& table, const QString& column,
                     const QString& newType)
{
    for (int stage = 1; stage <= 4; ++stage)
        if (!alterColumnTypeStage(database, table, column, newType, stage))
            return false;
    database.refreshReads();
    return true;
}

bool createEventTrigger(DmdCoreDbs& database, const QString& triggerName, const QString& table,
                        const QString& eventName)
{
    return database.execute(QStringLiteral("create trigger ") + triggerName +
                            QStringLiteral(" for ") + table +
                            QStringLiteral(" active after insert position 0 as\r\nbegin\r\n"
                                           "  post_event ") +
                            quoted(eventName) + QStringLiteral(";\r\nend"));
}

bool dropTrigger(DmdCoreDbs& database, const QString& triggerName)
{
    return database.execute(QStringLiteral("drop trigger ") + triggerName);
}

QString listUserTriggers(DmdCoreDbs& database)
{
    Query q = database.openQuery(
        QStringLiteral("select RDB$TRIGGER_NAME as NAME, RDB$RELATION_NAME as TABLE_NAME "
                       "from RDB$TRIGGERS where RDB$TRIGGER_NAME like 'TRIGGER_%' "
                       "order by RDB$TRIGGER_NAME"));
    QStringList lines;
    for (q.first(); !q.eof(); q.next())
        lines << q.text(QStringLiteral("NAME")).trimmed() + QStringLiteral(" on ") +
                     q.text(QStringLiteral("TABLE_NAME")).trimmed();
    return lines.isEmpty() ? QStringLiteral("No user-created triggers") : lines.join("\r");
}

} // namespace db
