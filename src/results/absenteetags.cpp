// Tagging by hand: an athlete Awol, an item OIA, and absolving DNS entries.

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/itemtypes.h"
#include "results/absentees.h"
#include "results/race.h"
#include "results/statuscodes.h"

namespace results {

namespace {

int awolFlag(db::DmdCoreDbs& database, qint64 athleteNo)
{
    return database
        .selectOneValue(QStringLiteral("coalesce(AWOL_DNS_DISQ, 0)"), QStringLiteral("ATHLETE"),
                        QStringLiteral("ATHLETENO = ") + db::sqlInt(athleteNo))
        .toInt();
}

bool setAwolFlag(db::DmdCoreDbs& database, qint64 athleteNo, int flag)
{
    return database.execute(QStringLiteral("update ATHLETE set AWOL_DNS_DISQ = ") +
                            db::sqlInt(flag) + QStringLiteral(" where ATHLETENO = ") +
                            db::sqlInt(athleteNo));
}

QString itemOf(db::DmdCoreDbs& database, const meeting::ItemTypes& items, qint64 eventNo)
{
    return items.ItemDescription(
        database
            .selectOneValue(QStringLiteral("ITEMCODE"), QStringLiteral("MYEVENT"),
                            QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo))
            .trimmed(),
        false);
}

// The athlete's entries, heats and finals, with one of the statuses.
QString athleteEntries(const QString& table, qint64 athleteNo, const QString& statuses)
{
    return QStringLiteral("update ") + table + QStringLiteral(" set DISQ_STATUS = %1 where ") +
           QStringLiteral("ATHLETENO = ") + db::sqlInt(athleteNo) +
           QStringLiteral(" and DISQ_STATUS in (") + statuses + QLatin1Char(')');
}

} // namespace

bool TagAthleteAwol(db::DmdCoreDbs& database, qint64 athleteNo)
{
    if (awolFlag(database, athleteNo) == 1) {
        database.messages().internalError(540301, QStringLiteral("The Athlete is already Awol:") +
                                                      QString::number(athleteNo));
        return false;
    }
    return setAwolFlag(database, athleteNo, 1);
}

bool UntagAthleteAwol(db::DmdCoreDbs& database, qint64 athleteNo)
{
    if (awolFlag(database, athleteNo) != 1) {
        database.messages().internalError(
            540302,
            QStringLiteral("Expected the Athlete to ge tagged Awol:") + QString::number(athleteNo));
        return false;
    }
    return setAwolFlag(database, athleteNo, 0);
}

bool tagAthleteAwolByHand(db::DmdCoreDbs& database, qint64 athleteNo)
{
    base::Messages& messages = database.messages();
    if (awolFlag(database, athleteNo) == 1) {
        messages.information(QStringLiteral("This Athlete is _ALREADY_ tagged as \"Awol\"."));
        return false;
    }
    if (!messages.confirm(
            QStringLiteral("Tag this Athlete as AWOL according to Did-Not-Start in Rule 142")))
        return false;
    return TagAthleteAwol(database, athleteNo);
}

bool untagAthleteAwolByHand(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                            qint64 athleteNo)
{
    base::Messages& messages = database.messages();
    if (awolFlag(database, athleteNo) != 1) {
        messages.information(QStringLiteral("This Athlete is _NOT_ tagged as \"Awol\"."));
        return false;
    }
    QStringList tagged;
    db::Query q = database.openQuery(
        QStringLiteral("select EVENTNO, 'F' as ROUND, 0 as HEATNO from PARTICIPATE where "
                       "ATHLETENO = ") +
        db::sqlInt(athleteNo) +
        QStringLiteral(" and DISQ_STATUS = 9 union all select EVENTNO, ROUND, HEATNO from "
                       "HEATPART where ATHLETENO = ") +
        db::sqlInt(athleteNo) + QStringLiteral(" and DISQ_STATUS = 9"));
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        QString line = itemOf(database, items, q.integer("EVENTNO"));
        if (q.text("ROUND").trimmed() != QLatin1String("F"))
            line += QStringLiteral(" Round ") + q.text("ROUND").trimmed() +
                    QStringLiteral(" Heat ") + q.text("HEATNO");
        tagged.append(line);
    }
    if (!tagged.isEmpty()) {
        messages.warning(QStringLiteral("You can only remove the Awol-tag from an Athlete if "
                                        "there\rare no Items tagged as \"OtherItemAwol\".\r\r"
                                        "The following Items are tagged:\r") +
                         tagged.join(QLatin1Char('\r')));
        return false;
    }
    if (!messages.confirm(QStringLiteral("Remove the Rule 142 disqualification from this Athlete")))
        return false;
    return UntagAthleteAwol(database, athleteNo);
}

bool TagItemOia(db::DmdCoreDbs& database, const meeting::ItemTypes& items, const EntryRow& given,
                bool tag)
{
    base::Messages& messages = database.messages();
    const std::optional<EntryRow> entry = readEntry(database, given.table, given.key);
    if (!entry)
        return false;
    if (!tag) {
        if (entry->status != kOia) {
            messages.information(QStringLiteral("The Item is _NOT_ marked as \"OtherItemAwol\"."));
            return false;
        }
        if (!messages.confirm(
                QStringLiteral("Remove the Rule 142 disqualification from this Item")))
            return false;
        return removeStatusRestoringValues(database, *entry);
    }
    if (entry->status == kOia) {
        messages.information(QStringLiteral("The item is _ALREADY_ marked as \"OtherItemAwol\"."));
        return false;
    }
    if (entry->status > 0) {
        messages.warning(QStringLiteral("An Item that has any Disqualification cannot be tagged "
                                        "as OIA."));
        return false;
    }
    const QString item = itemOf(database, items, entry->eventNo);
    const bool finalRun =
        database.ZSqlCount(QStringLiteral("PARTICIPATE"),
                           QStringLiteral("EVENTNO = ") + db::sqlInt(entry->eventNo) +
                               QStringLiteral(" and coalesce(PERFORMANCE, '') <> ''")) > 0;
    const QString question =
        finalRun ? QStringLiteral("The Final of the Event already has a performance.\rAre you "
                                  "sure you want to tag the ") +
                       item + QStringLiteral(" as Oia (\"OtherItemAwol\")\raccording to Rule 142")
                 : QStringLiteral("Tag the ") + item +
                       QStringLiteral(" as Oia (\"OtherItemAwol\") according to Rule 142");
    if (!messages.confirm(question))
        return false;
    return setStatusSavingValues(database, *entry, kOia);
}

bool AbsolveDns(db::DmdCoreDbs& database, qint64 athleteNo, bool absolve)
{
    base::Messages& messages = database.messages();
    const QString from = absolve ? QStringLiteral("2, 3") : QStringLiteral("10");
    const QString where = QStringLiteral("ATHLETENO = ") + db::sqlInt(athleteNo) +
                          QStringLiteral(" and DISQ_STATUS in (") + from + QLatin1Char(')');
    const int count = database.ZSqlCount(QStringLiteral("PARTICIPATE"), where) +
                      database.ZSqlCount(QStringLiteral("HEATPART"), where);
    if (count == 0) {
        messages.information(
            QStringLiteral("There are no Events tagged as ") +
            (absolve ? QStringLiteral("\"DNS\" or \"DNR\"") : QStringLiteral("\"Absolved\"")));
        return false;
    }
    const QString question =
        absolve ? QStringLiteral("Tag the ") + QString::number(count) +
                      QStringLiteral(" DNS-Events as DNR-ABSOLVED (DNSA)")
                : QStringLiteral("Revert the ") + QString::number(count) +
                      QStringLiteral(" Absolved events back to Did-Not-Start (DNS)");
    if (!messages.confirm(question))
        return false;
    const int to = absolve ? kDnsa : kDns;
    RowWriter writer(database);
    for (const QString& table : {QStringLiteral("PARTICIPATE"), QStringLiteral("HEATPART")})
        writer.execute(athleteEntries(table, athleteNo, from).arg(to));
    return writer.finish();
}

} // namespace results
