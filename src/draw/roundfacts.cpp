#include "draw/roundfacts.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/heatformats.h"

namespace draw {

RoundFacts roundFacts(db::DmdCoreDbs& database, base::Messages& messages, qint64 eventNo,
                      const QString& round)
{
    RoundFacts facts;
    facts.eventNo = eventNo;
    facts.round = round.trimmed().toUpper();
    db::Query q = database.openQuery(
        QStringLiteral("select MEETINGNO, ITEMCODE, HEATFORMAT, FINAL_NOT_RUN from MYEVENT "
                       "where EVENTNO = ") +
        db::sqlInt(eventNo));
    if (!q.isOpen() || q.isEmpty()) {
        messages.warning(QStringLiteral("There is no event ") + QString::number(eventNo));
        return facts;
    }
    q.first();
    facts.meetingNo = int(q.integer("MEETINGNO"));
    facts.itemCode = q.text("ITEMCODE").trimmed();
    facts.format = q.text("HEATFORMAT").trimmed();
    facts.finalNotRun = q.integer("FINAL_NOT_RUN") == 1;
    const int rounds = HeatFormats::roundCount(facts.format);
    const int number = QStringLiteral("FABC").indexOf(facts.round);
    if (facts.round.size() != 1 || number < 0 || number > rounds) {
        messages.warning(QStringLiteral("Round ") + facts.round +
                         QStringLiteral(" is not a round of this event (format \"") + facts.format +
                         QStringLiteral("\")"));
        return facts;
    }
    HeatFormats formats(messages);
    const RoundParameters parameters = formats.roundParameters(facts.format, facts.round);
    facts.previousRound = parameters.previousRound;
    facts.firstRound = facts.previousRound.isEmpty();
    facts.entryPlaces = parameters.entryPlaces;
    facts.entryTimes = parameters.entryTimes;
    facts.heats =
        facts.isFinal()
            ? 1
            : database.ZSqlCount(QStringLiteral("PROGRAM"),
                                 QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo) +
                                     QStringLiteral(" and ROUND = ") + db::quoted(facts.round));
    facts.found = true;
    return facts;
}

QString roundRowsWhere(const RoundFacts& facts)
{
    QString where = QStringLiteral("EVENTNO = ") + db::sqlInt(facts.eventNo) +
                    QStringLiteral(" and MEETINGNO = ") + db::sqlInt(facts.meetingNo);
    if (!facts.isFinal())
        where += QStringLiteral(" and ROUND = ") + db::quoted(facts.round);
    return where;
}

int resultsInRound(db::DmdCoreDbs& database, const RoundFacts& facts)
{
    return database.ZSqlCount(
        facts.isFinal() ? QStringLiteral("PARTICIPATE") : QStringLiteral("HEATPART"),
        roundRowsWhere(facts) + QStringLiteral(" and (coalesce(PLACE, 0) > 0 or "
                                               "coalesce(trim(PERFORMANCE), '') <> '')"));
}

QString insertHeatPartSql(qint64 key, const RoundFacts& facts, int heatNo, qint64 athleteNo,
                          int lane, bool teamLane)
{
    return QStringLiteral("insert into HEATPART (HEATPARTNO, EVENTNO, ROUND, HEATNO, ATHLETENO, "
                          "LANE, MEETINGNO, TEAMDRAW_USED, DISQ_STATUS, PERFORMANCE, PLACE, "
                          "E_PLACE) values (") +
           db::sqlInt(key) + ", " + db::sqlInt(facts.eventNo) + ", " + db::quoted(facts.round) +
           ", " + db::sqlInt(heatNo) + ", " + db::sqlInt(athleteNo) + ", " + db::sqlInt(lane) +
           ", " + db::sqlInt(facts.meetingNo) + ", " + db::sqlInt(teamLane ? 1 : 0) +
           QStringLiteral(", 0, '', 0, 0)");
}

QString roundText(const QString& round, bool bare)
{
    if (round == QLatin1String("F"))
        return bare ? QStringLiteral("Final") : QStringLiteral("the Final");
    return QStringLiteral("Round ") + round;
}

} // namespace draw

namespace draw {

QList<EventRound> eventRounds(db::DmdCoreDbs& database, int meetingNo)
{
    db::Query q = database.openQuery(
        QStringLiteral("select P.EVENTNO, E.ITEMCODE, P.ROUND, count(*) as HEATS, min(P.SEQ) as "
                       "FIRST_SEQ, min(P.DAY_SEQ) as FIRST_DAY from PROGRAM P join MYEVENT E on "
                       "E.EVENTNO = P.EVENTNO where P.MEETINGNO = ") +
        db::sqlInt(meetingNo) +
        QStringLiteral(" group by P.EVENTNO, E.ITEMCODE, P.ROUND order by 6, 5, 1, case P.ROUND "
                       "when 'F' then 0 "
                       "when 'A' then 1 when 'B' then 2 else 3 end desc"));
    QList<EventRound> rounds;
    for (q.first(); q.isOpen() && !q.eof(); q.next())
        rounds.append({q.integer("EVENTNO"), q.text("ITEMCODE").trimmed(),
                       q.text("ROUND").trimmed(), int(q.integer("HEATS"))});
    return rounds;
}

EventRound roundOfProgramRow(db::DmdCoreDbs& database, qint64 programNo)
{
    db::Query q = database.openQuery(
        QStringLiteral("select P.EVENTNO, E.ITEMCODE, P.ROUND from PROGRAM P join MYEVENT E on "
                       "E.EVENTNO = P.EVENTNO where P.PROGRAMNO = ") +
        db::sqlInt(programNo));
    if (!q.isOpen() || q.isEmpty())
        return {};
    q.first();
    return {q.integer("EVENTNO"), q.text("ITEMCODE").trimmed(), q.text("ROUND").trimmed(), 0};
}

} // namespace draw
