#include "db/releasesteps.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/schemacreate.h"

namespace db {

namespace {

// The new column that takes a narrowed column's values until it replaces it.
QString stagingColumn(const NarrowedColumn& c)
{
    return QStringLiteral("ZZZZZZ_") + QString::fromLatin1(c.column);
}

bool staged(StepContext& context, const NarrowedColumn& c)
{
    return context.database().fieldExists(QString::fromLatin1(c.table), stagingColumn(c));
}

bool addStagingColumns(StepContext& context)
{
    for (const NarrowedColumn& c : narrowedColumns()) {
        const int width = context.database().fieldLength(QString::fromLatin1(c.table),
                                                         QString::fromLatin1(c.column));
        if (width <= c.width || staged(context, c))
            continue;
        if (!context.execute(QStringLiteral("alter table ") + QString::fromLatin1(c.table) +
                             QStringLiteral(" add ") + stagingColumn(c) +
                             QStringLiteral(" varchar(") + QString::number(c.width) +
                             QStringLiteral(")")))
            return false;
    }
    return true;
}

// A value longer than the new width cannot be kept whole: it is cut, and the user is told
// how many were cut so that they can be looked at.
bool copyIntoStagingColumns(StepContext& context)
{
    QStringList cut;
    for (const NarrowedColumn& c : narrowedColumns()) {
        if (!staged(context, c))
            continue;
        const QString table = QString::fromLatin1(c.table);
        const QString column = QString::fromLatin1(c.column);
        const int longer = context.database().ZSqlCount(table, QStringLiteral("char_length(") +
                                                                   column + QStringLiteral(") > ") +
                                                                   QString::number(c.width));
        if (longer > 0)
            cut << table + QStringLiteral(".") + column + QStringLiteral(": ") +
                       QString::number(longer);
        if (!context.execute(QStringLiteral("update ") + table + QStringLiteral(" set ") +
                             stagingColumn(c) + QStringLiteral(" = substring(") + column +
                             QStringLiteral(" from 1 for ") + QString::number(c.width) +
                             QStringLiteral(")")))
            return false;
    }
    if (!cut.isEmpty())
        context.database().messages().warning(
            QStringLiteral("Some texts were longer than their column allows and were cut:\r") +
            cut.join(QLatin1Char('\r')));
    return true;
}

bool replaceNarrowedColumns(StepContext& context)
{
    for (const NarrowedColumn& c : narrowedColumns()) {
        if (!staged(context, c))
            continue;
        const QString table = QString::fromLatin1(c.table);
        if (!context.execute(QStringLiteral("alter table ") + table + QStringLiteral(" drop ") +
                             QString::fromLatin1(c.column)) ||
            !context.execute(QStringLiteral("alter table ") + table +
                             QStringLiteral(" alter column ") + stagingColumn(c) +
                             QStringLiteral(" to ") + QString::fromLatin1(c.column)))
            return false;
    }
    return true;
}

// The triggers are written once, in the schema's trigger file; an older database gets
// every one of them (each is CREATE OR ALTER).
bool createEventTriggers(StepContext& context)
{
    const QStringList statements = schemaFileStatements(QStringLiteral("50_triggers.sql"));
    if (statements.isEmpty())
        return false;
    for (const QString& sql : statements)
        if (!context.execute(sql))
            return false;
    return true;
}

} // namespace

const std::vector<NarrowedColumn>& narrowedColumns()
{
    static const std::vector<NarrowedColumn> columns{{"TPLTITEM", "ITEMCODE", 17},
                                                     {"TPLTITEM", "PIT", 5},
                                                     {"TPLTPROGRAM", "PIT", 5},
                                                     {"MEETING", "ELEC_TIME_PATH", 20}};
    return columns;
}

UpgradeChain releaseSteps()
{
    return {
        {QStringLiteral("2.852"), QStringLiteral("Template and timing path columns: new width"),
         QStringLiteral("TBL"), addStagingColumns},
        {QStringLiteral("2.853"), QStringLiteral("Template and timing path columns: values"),
         QStringLiteral("TBL"), copyIntoStagingColumns},
        {QStringLiteral("2.854"), QStringLiteral("Template and timing path columns: replaced"),
         QStringLiteral("TBL"), replaceNarrowedColumns},
        {QStringLiteral("2.855"), QStringLiteral("Event triggers"), QStringLiteral("TBL"),
         createEventTriggers},
    };
}

} // namespace db
