#include "results/absentees.h"

#include "base/configstore.h"
#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/itemtypes.h"
#include "results/awolqueue.h"
#include "results/statuscodes.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace results {

namespace {

const QString kRangeKey = QStringLiteral("AWOL_AUTO_SEQ_TYPE");
const QString kSpecifiedKey = QStringLiteral("AWOL_SPECIFIED_AUTO_SEQ");

// One select per table; the final's rows are round "F", heat 0.
QString entriesSql(int meetingNo, qint64 athleteNo)
{
    const QString columns =
        QStringLiteral(" as ROWKEY, R.EVENTNO, coalesce(R.ATHLETENO, 0) as ATHLETENO, "
                       "coalesce(R.LANE, 0) as LANE, coalesce(R.PLACE, 0) as PLACE, "
                       "coalesce(R.E_PLACE, 0) as E_PLACE, "
                       "coalesce(R.PERFORMANCE, '') as PERFORMANCE, "
                       "coalesce(R.DISQ_STATUS, 0) as DISQ_STATUS, "
                       "coalesce(R.DISQ_REASON, '') as DISQ_REASON, E.ITEMCODE, "
                       "(select min(P.SEQ) from PROGRAM P where P.EVENTNO = R.EVENTNO and "
                       "P.ROUND = 'F' and P.HEATNO = 0) as FINAL_SEQ");
    QString where = QStringLiteral(" where R.MEETINGNO = ") + db::sqlInt(meetingNo);
    if (athleteNo > 0)
        where += QStringLiteral(" and R.ATHLETENO = ") + db::sqlInt(athleteNo);
    const QString join = QStringLiteral(" join MYEVENT E on E.EVENTNO = R.EVENTNO");
    return QStringLiteral("select 1 as FINAL, R.PARTNO") + columns +
           QStringLiteral(", 'F' as ROUND, 0 as HEATNO from PARTICIPATE R") + join + where +
           QStringLiteral(" union all select 0 as FINAL, R.HEATPARTNO") + columns +
           QStringLiteral(", R.ROUND, R.HEATNO from HEATPART R") + join + where;
}

AthleteEntry entryFrom(const db::Query& q)
{
    AthleteEntry entry;
    const bool final = q.integer("FINAL") == 1;
    EntryRow& row = entry.row;
    row.table = final ? QStringLiteral("PARTICIPATE") : QStringLiteral("HEATPART");
    row.keyColumn = final ? QStringLiteral("PARTNO") : QStringLiteral("HEATPARTNO");
    row.key = q.integer("ROWKEY");
    row.eventNo = q.integer("EVENTNO");
    row.round = q.text("ROUND").trimmed();
    row.heatNo = int(q.integer("HEATNO"));
    row.athleteNo = q.integer("ATHLETENO");
    row.lane = int(q.integer("LANE"));
    row.place = int(q.integer("PLACE"));
    row.ePlace = int(q.integer("E_PLACE"));
    row.performance = q.text("PERFORMANCE").trimmed();
    row.status = int(q.integer("DISQ_STATUS"));
    row.reason = q.text("DISQ_REASON").trimmed();
    entry.itemCode = q.text("ITEMCODE").trimmed();
    entry.finalSeq = int(q.integer("FINAL_SEQ"));
    return entry;
}

int roundOrder(const QString& round)
{
    return int(QStringLiteral("CBAF").indexOf(round));
}

QString entryName(const meeting::ItemTypes& items, const AthleteEntry& entry)
{
    QString name = items.ItemDescription(entry.itemCode, false);
    if (!entry.row.isFinal())
        name += QStringLiteral(" Round ") + entry.row.round + QStringLiteral(" Heat ") +
                QString::number(entry.row.heatNo);
    return name;
}

} // namespace

QStringList awolRangeNames()
{
    return {QStringLiteral("Auto-Tag Any and All Sequences after the first DNS/DNR"),
            QStringLiteral("Auto-Tag Current Event onwards:"),
            QStringLiteral("Auto-Tag from Specified Sequence onwards:")};
}

QString awolRangeName(AwolRange range)
{
    return awolRangeNames().value(int(range));
}

AwolOptions readAwolOptions(const base::ConfigStore& store)
{
    AwolOptions options;
    const qsizetype index = awolRangeNames().indexOf(store.readText(kRangeKey));
    options.range = index < 0 ? AwolRange::AfterFirstAbsence : AwolRange(index);
    options.specifiedSeq = store.readInt(kSpecifiedKey);
    return options;
}

void writeAwolOptions(base::ConfigStore& store, const AwolOptions& options)
{
    store.writeText(kRangeKey, awolRangeName(options.range));
    store.writeInt(kSpecifiedKey, options.specifiedSeq);
}

QList<AwolAthlete> awolAthletes(db::DmdCoreDbs& database, int meetingNo, qint64 athleteNo)
{
    QHash<qint64, QList<AthleteEntry>> byAthlete;
    db::Query entries = database.openQuery(entriesSql(meetingNo, athleteNo));
    for (entries.first(); entries.isOpen() && !entries.eof(); entries.next()) {
        const AthleteEntry entry = entryFrom(entries);
        if (entry.row.athleteNo > 0)
            byAthlete[entry.row.athleteNo].append(entry);
    }
    QString where = QStringLiteral("A.MEETINGNO = ") + db::sqlInt(meetingNo);
    if (athleteNo > 0)
        where += QStringLiteral(" and A.ATHLETENO = ") + db::sqlInt(athleteNo);
    db::Query q =
        database.openQuery(QStringLiteral("select A.ATHLETENO, A.SURNAME, A.FIRSTNAME, A.GENDER, "
                                          "coalesce(A.AGE, 0) as AGE, T.TEAMABRV, "
                                          "coalesce(A.AWOL_DNS_DISQ, 0) as AWOL from ATHLETE A "
                                          "left join TEAM T on T.TEAMNO = A.TEAMNO where ") +
                           where + QStringLiteral(" order by A.SURNAME, A.FIRSTNAME, A.ATHLETENO"));
    QList<AwolAthlete> athletes;
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        AwolAthlete athlete;
        athlete.athleteNo = q.integer("ATHLETENO");
        athlete.entries = byAthlete.value(athlete.athleteNo);
        if (athlete.entries.isEmpty())
            continue;
        // Program order: by the final's sequence, a heat row before its event's final.
        std::sort(athlete.entries.begin(), athlete.entries.end(),
                  [](const AthleteEntry& a, const AthleteEntry& b) {
                      if (a.finalSeq != b.finalSeq)
                          return a.finalSeq < b.finalSeq;
                      if (a.row.eventNo != b.row.eventNo)
                          return a.row.eventNo < b.row.eventNo;
                      return roundOrder(a.row.round) < roundOrder(b.row.round);
                  });
        athlete.surname = q.text("SURNAME").trimmed();
        athlete.firstName = q.text("FIRSTNAME").trimmed();
        athlete.gender = q.text("GENDER").trimmed();
        athlete.age = int(q.integer("AGE"));
        athlete.teamAbrv = q.text("TEAMABRV").trimmed();
        athlete.awol = q.integer("AWOL") == 1;
        for (const AthleteEntry& entry : athlete.entries) {
            const int status = entry.row.status;
            athlete.itemCount += entry.row.isFinal() ? 1 : 0;
            athlete.disqsOia += status == kOia ? 1 : 0;
            athlete.disqsDnsa += status == kDnsa ? 1 : 0;
            if (statusIsAbsence(status)) {
                ++athlete.disqsDns;
                if (athlete.firstDnsSeq == 0 || entry.finalSeq < athlete.firstDnsSeq)
                    athlete.firstDnsSeq = entry.finalSeq;
            }
        }
        athletes.append(athlete);
    }
    return athletes;
}

int AwolPlan::athletesToTag() const
{
    return int(std::count_if(actions.begin(), actions.end(), [](const AwolAction& a) {
        return a.kind == AwolActionKind::TagAwol;
    }));
}

int AwolPlan::itemsToTag() const
{
    return int(std::count_if(actions.begin(), actions.end(),
                             [](const AwolAction& a) { return a.kind == AwolActionKind::TagOia; }));
}

AwolPlan planAwolActions(const QList<AwolAthlete>& athletes, const AwolOptions& options)
{
    AwolPlan plan;
    for (const AwolAthlete& athlete : athletes) {
        if (athlete.awol && athlete.disqsDns == 0) {
            // The OIA tags are taken off by hand first.
            if (athlete.disqsOia == 0)
                plan.actions.append({AwolActionKind::UntagAwol, athlete.athleteNo, {}, false});
            continue;
        }
        // An athlete with one item has nothing else to lose.
        if (!athlete.isCandidate())
            continue;
        if (!athlete.awol)
            plan.actions.append({AwolActionKind::TagAwol, athlete.athleteNo, {}, false});
        int from = athlete.firstDnsSeq;
        if (options.range == AwolRange::CurrentEventOnwards)
            from = std::max(from, options.currentSeq);
        else if (options.range == AwolRange::SpecifiedOnwards)
            from = std::max(from, options.specifiedSeq);
        QSet<qint64> absentEvents;
        for (const AthleteEntry& entry : athlete.entries) {
            if (statusIsAbsence(entry.row.status))
                absentEvents.insert(entry.row.eventNo);
        }
        for (const AthleteEntry& entry : athlete.entries) {
            const EntryRow& row = entry.row;
            if (absentEvents.contains(row.eventNo) || row.status != kNoStatus ||
                entry.finalSeq < from)
                continue;
            const bool result = row.place > 0 || row.ePlace > 0 || !row.performance.isEmpty();
            if (result) {
                plan.actions.append({AwolActionKind::QueueCalc, athlete.athleteNo, entry, false});
            } else if (row.lane > 0) {
                plan.actions.append(
                    {AwolActionKind::QueueDraw, athlete.athleteNo, entry, !row.isFinal()});
                if (!row.isFinal())
                    continue; // the heat row goes; there is nothing left to tag
            }
            plan.actions.append({AwolActionKind::TagOia, athlete.athleteNo, entry, false});
        }
    }
    return plan;
}

bool applyAwolPlan(db::DmdCoreDbs& database, const meeting::ItemTypes& items, int meetingNo,
                   const AwolPlan& plan)
{
    base::Messages& messages = database.messages();
    bool all = true;
    for (const AwolAction& action : plan.actions) {
        const EntryRow& row = action.entry.row;
        switch (action.kind) {
        case AwolActionKind::TagAwol:
            all = TagAthleteAwol(database, action.athleteNo) && all;
            break;
        case AwolActionKind::UntagAwol:
            all = UntagAthleteAwol(database, action.athleteNo) && all;
            break;
        case AwolActionKind::QueueDraw:
            QueueAwolAction(database, meetingNo, QLatin1String(kQueueDraw), action.athleteNo,
                            row.eventNo, row.round, row.heatNo);
            if (action.deleteHeatRow)
                all = database.execute(QStringLiteral("delete from HEATPART where HEATPARTNO = ") +
                                       db::sqlInt(row.key)) &&
                      all;
            break;
        case AwolActionKind::QueueCalc: {
            QueueAwolAction(database, meetingNo, QLatin1String(kQueueCalc), action.athleteNo,
                            row.eventNo, row.round, row.heatNo);
            const int notCalculated =
                database
                    .selectOneValue(QStringLiteral("NOT_CALCULATED_YET"), QStringLiteral("PROGRAM"),
                                    QStringLiteral("EVENTNO = ") + db::sqlInt(row.eventNo) +
                                        QStringLiteral(" and ROUND = ") + db::quoted(row.round) +
                                        QStringLiteral(" and HEATNO = ") + db::sqlInt(row.heatNo))
                    .toInt();
            if (notCalculated == 1)
                messages.warning(QStringLiteral("Seems as if you still need to calculate ") +
                                 entryName(items, action.entry));
            break;
        }
        case AwolActionKind::TagOia:
            all = setStatusSavingValues(database, row, kOia) && all;
            break;
        }
    }
    return all;
}

bool AutoAwolActions(db::DmdCoreDbs& database, const meeting::ItemTypes& items, int meetingNo,
                     const AwolOptions& options, qint64 athleteNo)
{
    base::Messages& messages = database.messages();
    const AwolPlan plan = planAwolActions(awolAthletes(database, meetingNo, athleteNo), options);
    if (plan.isEmpty()) {
        messages.information(QStringLiteral("No Auto-Actions available"));
        return false;
    }
    if (!messages.confirm(QStringLiteral("There are ") + QString::number(plan.athletesToTag()) +
                          QStringLiteral(" Athletes to tag as Awol, and ") +
                          QString::number(plan.itemsToTag()) +
                          QStringLiteral(" items to tag as Oia\r\rProceed with the tagging")))
        return false;
    return applyAwolPlan(database, items, meetingNo, plan);
}

} // namespace results
