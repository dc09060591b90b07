#include "results/entrystatus.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/itemtypes.h"
#include "results/statuscodes.h"

namespace results {

namespace {

QString entryColumns()
{
    return QStringLiteral("coalesce(R.LANE, 0) as LANE, coalesce(R.PLACE, 0) as PLACE, "
                          "coalesce(R.E_PLACE, 0) as E_PLACE, "
                          "coalesce(R.PERFORMANCE, '') as PERFORMANCE, "
                          "coalesce(R.DISQ_STATUS, 0) as DISQ_STATUS, "
                          "coalesce(R.DISQ_REASON, '') as DISQ_REASON, R.EVENTNO, "
                          "coalesce(R.ATHLETENO, 0) as ATHLETENO");
}

void fillEntry(const db::Query& q, EntryRow* entry)
{
    entry->key = q.integer("ROWKEY");
    entry->eventNo = q.integer("EVENTNO");
    entry->athleteNo = q.integer("ATHLETENO");
    entry->lane = int(q.integer("LANE"));
    entry->place = int(q.integer("PLACE"));
    entry->ePlace = int(q.integer("E_PLACE"));
    entry->performance = q.text("PERFORMANCE").trimmed();
    entry->status = int(q.integer("DISQ_STATUS"));
    entry->reason = q.text("DISQ_REASON").trimmed();
    entry->round = q.text("ROUND").trimmed();
    entry->heatNo = int(q.integer("HEATNO"));
}

std::optional<EntryRow> queryEntry(db::DmdCoreDbs& database, bool final, const QString& where)
{
    EntryRow entry;
    entry.table = final ? QStringLiteral("PARTICIPATE") : QStringLiteral("HEATPART");
    entry.keyColumn = final ? QStringLiteral("PARTNO") : QStringLiteral("HEATPARTNO");
    const QString roundColumns =
        final ? QStringLiteral("'F' as ROUND, 0 as HEATNO") : QStringLiteral("R.ROUND, R.HEATNO");
    db::Query q = database.openQuery(
        QStringLiteral("select first 1 R.") + entry.keyColumn + QStringLiteral(" as ROWKEY, ") +
        roundColumns + QStringLiteral(", ") + entryColumns() + QStringLiteral(" from ") +
        entry.table + QStringLiteral(" R where ") + where);
    if (!q.isOpen() || q.isEmpty())
        return std::nullopt;
    fillEntry(q, &entry);
    return entry;
}

QString keyCondition(const EntryRow& entry)
{
    return QStringLiteral(" where ") + entry.keyColumn + QStringLiteral(" = ") +
           db::sqlInt(entry.key);
}

} // namespace

std::optional<EntryRow> findEntry(db::DmdCoreDbs& database, qint64 eventNo, const QString& round,
                                  qint64 athleteNo, int heatNo)
{
    const bool final = round == QLatin1String("F");
    QString where = QStringLiteral("R.EVENTNO = ") + db::sqlInt(eventNo) +
                    QStringLiteral(" and R.ATHLETENO = ") + db::sqlInt(athleteNo);
    if (!final) {
        where += QStringLiteral(" and R.ROUND = ") + db::quoted(round);
        if (heatNo > 0)
            where += QStringLiteral(" and R.HEATNO = ") + db::sqlInt(heatNo);
    }
    return queryEntry(database, final, where);
}

std::optional<EntryRow> readEntry(db::DmdCoreDbs& database, const QString& table, qint64 key)
{
    const bool final = table == QLatin1String("PARTICIPATE");
    return queryEntry(database, final,
                      (final ? QStringLiteral("R.PARTNO = ") : QStringLiteral("R.HEATPARTNO = ")) +
                          db::sqlInt(key));
}

qint64 programRowOf(db::DmdCoreDbs& database, const EntryRow& entry)
{
    return database
        .selectOneValue(QStringLiteral("PROGRAMNO"), QStringLiteral("PROGRAM"),
                        QStringLiteral("EVENTNO = ") + db::sqlInt(entry.eventNo) +
                            QStringLiteral(" and ROUND = ") + db::quoted(entry.round) +
                            QStringLiteral(" and HEATNO = ") + db::sqlInt(entry.heatNo))
        .toLongLong();
}

bool disqualifyEntry(db::DmdCoreDbs& database, const EntryRow& entry, int status,
                     const QString& reason)
{
    base::Messages& messages = database.messages();
    if (status < 1 || status > kLastDisqStatus) {
        messages.internalError(550201,
                               QStringLiteral("Incorrect status: ") + QString::number(status));
        return false;
    }
    if (status == kUof && meeting::ItemTypes::PerfIsBlank(entry.performance)) {
        messages.warning(QStringLiteral("UOF = Unofficial: This means the performance is not part "
                                        "of the Meeting results\r      This code must have a "
                                        "performance, the rest may NOT have a performance"));
        return false;
    }
    // Every status but UOF goes with no performance and no place in the race.
    const QString result =
        status == kUof ? QString() : QStringLiteral(", E_PLACE = 0, PERFORMANCE = ''");
    return database.execute(QStringLiteral("update ") + entry.table +
                            QStringLiteral(" set DISQ_STATUS = ") + db::sqlInt(status) +
                            QStringLiteral(", DISQ_REASON = ") + db::quoted(reason.trimmed()) +
                            result + keyCondition(entry));
}

bool clearEntryStatus(db::DmdCoreDbs& database, const EntryRow& entry)
{
    base::Messages& messages = database.messages();
    if (entry.status <= 0) {
        messages.information(QStringLiteral("This athlete is not disqualified"));
        return false;
    }
    if (!messages.confirm(QStringLiteral("Remove the \"Disqualified\" tag from this athlete")))
        return false;
    return database.execute(QStringLiteral("update ") + entry.table +
                            QStringLiteral(" set DISQ_STATUS = 0, DISQ_REASON = '', E_PLACE = 0, "
                                           "PERFORMANCE = ''") +
                            keyCondition(entry));
}

bool setStatusSavingValues(db::DmdCoreDbs& database, const EntryRow& given, int status)
{
    const std::optional<EntryRow> entry = readEntry(database, given.table, given.key);
    if (!entry)
        return false;
    if (entry->status > 0) {
        database.messages().internalError(
            540101, QStringLiteral("Participation is already disqualified (it should have been "
                                   "filtered out):") +
                        QString::number(entry->key));
        return false;
    }
    QString sql = QStringLiteral("update ") + entry->table + QStringLiteral(" set DISQ_STATUS = ") +
                  db::sqlInt(status);
    if (entry->lane > 0 || entry->place > 0 || !entry->performance.isEmpty()) {
        const QString saved = savedValuesReason({entry->lane, entry->place, entry->performance});
        // The race place goes too, so that renumbering does not place the entry again.
        sql += QStringLiteral(", DISQ_REASON = ") + db::quoted(saved) +
               QStringLiteral(", LANE = 0, PLACE = 0, E_PLACE = 0, PERFORMANCE = ''");
    }
    return database.execute(sql + keyCondition(*entry));
}

bool removeStatusRestoringValues(db::DmdCoreDbs& database, const EntryRow& given)
{
    base::Messages& messages = database.messages();
    const std::optional<EntryRow> entry = readEntry(database, given.table, given.key);
    if (!entry)
        return false;
    SavedEntryValues saved;
    if (!entry->reason.isEmpty()) {
        const std::optional<SavedEntryValues> parsed =
            parseSavedValuesReason(messages, entry->reason);
        if (!parsed)
            return false;
        saved = *parsed;
        if (entry->lane > 0) {
            messages.internalError(540102, QStringLiteral("The lane was not empty:") +
                                               QString::number(entry->lane));
            return false;
        }
        if (entry->place > 0) {
            messages.internalError(540103, QStringLiteral("The place was not empty:") +
                                               QString::number(entry->place));
            return false;
        }
        if (!entry->performance.isEmpty()) {
            messages.internalError(540104, QStringLiteral("The performance was not empty:") +
                                               entry->performance);
            return false;
        }
    }
    QString sql = QStringLiteral("update ") + entry->table +
                  QStringLiteral(" set DISQ_STATUS = 0, DISQ_REASON = ''");
    if (!entry->reason.isEmpty())
        sql += QStringLiteral(", LANE = ") + db::sqlInt(saved.lane) + QStringLiteral(", PLACE = ") +
               db::sqlInt(saved.place) + QStringLiteral(", PERFORMANCE = ") +
               db::quoted(saved.performance);
    return database.execute(sql + keyCondition(*entry));
}

} // namespace results
