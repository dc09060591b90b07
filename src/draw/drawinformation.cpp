#include "draw/drawinformation.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/events.h"
#include "draw/heatformats.h"
#include "draw/roundletter.h"

#include <QHash>

namespace draw {

namespace {

struct PreviousResult {
    int place = 0;
    QString performance;
};

QHash<qint64, PreviousResult> previousResults(db::DmdCoreDbs& database, int meetingNo,
                                              qint64 eventNo, const QString& round)
{
    QHash<qint64, PreviousResult> results;
    const QString format =
        database.selectOneValue(QStringLiteral("HEATFORMAT"), QStringLiteral("MYEVENT"),
                                QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo));
    if (HeatFormats::firstRound(format.trimmed()) == round)
        return results;
    const QString previous = draw::previousRound(format.trimmed(), round, database.messages());
    if (previous.isEmpty())
        return results;
    db::Query q = database.openQuery(
        QStringLiteral("select ATHLETENO, PLACE, PERFORMANCE from HEATPART where EVENTNO = ") +
        db::sqlInt(eventNo) + QStringLiteral(" and ROUND = ") + db::quoted(previous) +
        QStringLiteral(" and MEETINGNO = ") + db::sqlInt(meetingNo));
    for (q.first(); !q.eof(); q.next()) {
        results.insert(q.integer(QStringLiteral("ATHLETENO")),
                       {int(q.integer(QStringLiteral("PLACE"))),
                        q.text(QStringLiteral("PERFORMANCE")).trimmed()});
    }
    return results;
}

} // namespace

QList<EventDrawState> eventDrawStates(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                                      int meetingNo)
{
    Events events(database, items, meetingNo);
    db::Query q = database.openQuery(
        QStringLiteral("select E.EVENTNO, E.HEATFORMAT, E.LASTROUNDDRAWN, E.COMBINEDNO, "
                       "(select count(*) from PARTICIPATE P where P.EVENTNO = E.EVENTNO) as "
                       "ENTRIES from MYEVENT E where E.MEETINGNO = ") +
        db::sqlInt(meetingNo) +
        QStringLiteral(" and E.SELECTED = 'X' order by (select min(P.SEQ) from PROGRAM P where "
                       "P.EVENTNO = E.EVENTNO), E.EVENTNO"));
    QList<EventDrawState> states;
    for (q.first(); !q.eof(); q.next()) {
        EventDrawState s;
        s.eventNo = q.integer(QStringLiteral("EVENTNO"));
        s.title = events.eventTitle(s.eventNo);
        s.format = q.text(QStringLiteral("HEATFORMAT")).trimmed();
        s.firstRound = HeatFormats::firstRound(s.format);
        s.lastRoundDrawn = q.text(QStringLiteral("LASTROUNDDRAWN")).trimmed();
        s.combinedNo = q.integer(QStringLiteral("COMBINEDNO"));
        s.entries = int(q.integer(QStringLiteral("ENTRIES")));
        states << s;
    }
    return states;
}

QList<DrawnAthlete> drawnAthletes(db::DmdCoreDbs& database, int meetingNo, qint64 eventNo,
                                  const QString& round)
{
    const bool final = round == QLatin1String("F");
    const QString rows = final ? QStringLiteral("PARTICIPATE H") : QStringLiteral("HEATPART H");
    const QString heat = final ? QStringLiteral("0") : QStringLiteral("H.HEATNO");
    QString sql = QStringLiteral("select ") + heat +
                  QStringLiteral(" as HEATNO, H.LANE, H.ATHLETENO, A.NUMBER, A.AGE, A.SURNAME, "
                                 "A.FIRSTNAME, T.TEAMABRV, E.BESTPERFBEFORE from ") +
                  rows +
                  QStringLiteral(" left join ATHLETE A on A.ATHLETENO = H.ATHLETENO left join "
                                 "TEAM T on T.TEAMNO = A.TEAMNO ");
    sql += final ? QStringLiteral("left join PARTICIPATE E on E.PARTNO = H.PARTNO ")
                 : QStringLiteral("left join PARTICIPATE E on E.EVENTNO = H.EVENTNO and "
                                  "E.ATHLETENO = H.ATHLETENO ");
    sql += QStringLiteral("where H.EVENTNO = ") + db::sqlInt(eventNo) +
           QStringLiteral(" and H.MEETINGNO = ") + db::sqlInt(meetingNo) +
           (final ? QStringLiteral(" and H.LANE > 0")
                  : QStringLiteral(" and H.ROUND = ") + db::quoted(round)) +
           QStringLiteral(" order by 1, 2, 3");
    const QHash<qint64, PreviousResult> previous =
        previousResults(database, meetingNo, eventNo, round);
    QList<DrawnAthlete> list;
    db::Query q = database.openQuery(sql);
    for (q.first(); !q.eof(); q.next()) {
        DrawnAthlete a;
        a.round = round;
        a.heat = int(q.integer(QStringLiteral("HEATNO")));
        a.lane = int(q.integer(QStringLiteral("LANE")));
        a.athleteNo = q.integer(QStringLiteral("ATHLETENO"));
        a.number = q.text(QStringLiteral("NUMBER")).trimmed();
        a.age = int(q.integer(QStringLiteral("AGE")));
        a.team = q.text(QStringLiteral("TEAMABRV")).trimmed();
        a.surname = q.text(QStringLiteral("SURNAME")).trimmed();
        a.firstName = q.text(QStringLiteral("FIRSTNAME")).trimmed();
        const auto before = previous.constFind(a.athleteNo);
        if (before != previous.constEnd()) {
            a.previousPlace = before->place;
            a.seed = before->performance;
        } else {
            a.seed = q.text(QStringLiteral("BESTPERFBEFORE")).trimmed();
        }
        list << a;
    }
    return list;
}

QStringList drawInformationLines(const QList<DrawnAthlete>& athletes)
{
    QStringList lines{QStringLiteral("Round Heat Lane Call     Place Best        Age  Team    "
                                     "Surname                    Name")};
    for (const DrawnAthlete& a : athletes) {
        lines << a.round.leftJustified(5) + QLatin1Char(' ') +
                     QString::number(a.heat).rightJustified(4) + QLatin1Char(' ') +
                     QString::number(a.lane).rightJustified(4) + QLatin1Char(' ') +
                     a.number.leftJustified(8) + QLatin1Char(' ') +
                     (a.previousPlace > 0 ? QString::number(a.previousPlace) : QString())
                         .rightJustified(5) +
                     QLatin1Char(' ') + a.seed.leftJustified(11) + QLatin1Char(' ') +
                     QString::number(a.age).rightJustified(3) + QStringLiteral("  ") +
                     a.team.leftJustified(7) + QLatin1Char(' ') + a.surname.leftJustified(26) +
                     QLatin1Char(' ') + a.firstName;
    }
    return lines;
}

} // namespace draw
