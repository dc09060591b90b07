// The checks of the results: races not calculated, placed wrong or queried, places without
// lanes, missing wind readings, disqualifications and which events have results.

#include "sheets/checklists.h"

#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "results/raceplaces.h"
#include "results/statuscodes.h"

#include <QTime>

namespace sheets {

namespace {

QString timeText(const QVariant& value)
{
    const QTime time = value.toTime();
    return time.isValid() ? time.toString(QStringLiteral("hh:mm")) : QString();
}

// "(12 @ 09:30) "
QString seqAt(const db::Query& q)
{
    return QStringLiteral("(") + q.text("SEQ") + QStringLiteral(" @ ") +
           timeText(q.value("THETIME")) + QStringLiteral(") ");
}

constexpr int kWindLimit = 100;

} // namespace

CheckFinding CheckLists::programRowsWhere(int number)
{
    CheckFinding f{number, {}, 0};
    QString where;
    switch (number) {
    case 14:
        f.lines << QStringLiteral("Events Not Calculated");
        where = QStringLiteral(" and P.NOT_CALCULATED_YET = 1");
        break;
    case 18:
        f.lines << QStringLiteral("Events Queried");
        where = QStringLiteral(" and P.QUERIED = 1");
        break;
    default:
        f.lines << QStringLiteral("Performances placed wrong");
        // A final that is not run takes its places from the heats.
        where = QStringLiteral(" and not (P.ROUND = 'F' and coalesce(E.FINAL_NOT_RUN, 0) = 1)");
    }
    db::Query q = m_run.database()->openQuery(
        QStringLiteral("select P.EVENTNO, P.ROUND, P.HEATNO, P.SEQ, P.THETIME, E.ITEMCODE from "
                       "PROGRAM P join MYEVENT E on E.EVENTNO = P.EVENTNO where P.MEETINGNO = ") +
        db::sqlInt(meetingNo()) + where + QStringLiteral(" order by P.SEQ, P.THETIME"));
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        const QString round = q.text("ROUND").trimmed();
        const QString code = q.text("ITEMCODE").trimmed();
        QStringList errors;
        if (number == 15 &&
            results::CheckRacePlaces(*m_run.database(), m_run.items(), q.integer("EVENTNO"), round,
                                     int(q.integer("HEATNO")), code, &errors))
            continue;
        f.lines << QStringLiteral("  ") + seqAt(q) + item(code) +
                       (round == QLatin1String("F") ? QString()
                                                    : QStringLiteral(" Heat ") + round +
                                                          QLatin1Char(' ') + q.text("HEATNO"));
        for (const QString& error : errors)
            f.lines << QStringLiteral("      ") + error;
        ++f.rows;
    }
    return f;
}

CheckFinding CheckLists::placesWithoutLanes()
{
    CheckFinding f{16, {QStringLiteral("Collecting Performances entered witout LanesDrawn")}, 0};
    if (m_run.meeting().integer(QStringLiteral("VIEW_HEATS_COMPLEX")) != 1) {
        f.lines << QStringLiteral("This is not applicable to ViewHeatsSimplex");
        return f;
    }
    db::Query q = m_run.database()->openQuery(
        QStringLiteral("select E.ITEMCODE, P.SEQ, P.THETIME, count(*) as PLACED from PARTICIPATE "
                       "X join MYEVENT E on E.EVENTNO = X.EVENTNO join PROGRAM P on P.EVENTNO = "
                       "E.EVENTNO and P.ROUND = 'F' where X.MEETINGNO = ") +
        db::sqlInt(meetingNo()) +
        QStringLiteral(" and coalesce(E.FINAL_NOT_RUN, 0) = 0 and coalesce(X.LANE, 0) = 0 and "
                       "(coalesce(X.PLACE, 0) > 0 or trim(coalesce(X.PERFORMANCE, '')) <> '') "
                       "group by E.EVENTNO, E.ITEMCODE, P.SEQ, P.THETIME order by P.SEQ"));
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        f.lines << QStringLiteral("  ") + seqAt(q) + item(q.text("ITEMCODE")) +
                       QStringLiteral(": ") + q.text("PLACED");
        ++f.rows;
    }
    return f;
}

CheckFinding CheckLists::withoutWind()
{
    CheckFinding f{17, {}, 0};
    if (m_run.meeting().integer(QStringLiteral("HAS_WIND")) != 1) {
        f.lines << QStringLiteral("The Meeting was tagged as \"Has no WindSpeeds\"")
                << QStringLiteral("  so no wind readings are expected: set \"Has WindSpeeds\" "
                                  "with the meeting's settings to check them.");
        return f;
    }
    const meeting::ItemTypes& items = m_run.items();
    f.lines << QStringLiteral("Events without windspeed") << QStringLiteral("Events:");
    db::Query races = m_run.database()->openQuery(
        QStringLiteral("select P.ROUND, P.HEATNO, P.SEQ, P.THETIME, E.ITEMCODE from PROGRAM P "
                       "join MYEVENT E on E.EVENTNO = P.EVENTNO where P.MEETINGNO = ") +
        db::sqlInt(meetingNo()) +
        QStringLiteral(" and trim(coalesce(P.WIND_SPEED, '')) = '' and not (P.ROUND = 'F' and "
                       "coalesce(E.FINAL_NOT_RUN, 0) = 1) order by P.SEQ, P.THETIME"));
    int listed = 0;
    for (races.first(); races.isOpen() && !races.eof(); races.next()) {
        const QString code = races.text("ITEMCODE").trimmed();
        if (items.WindKind(code) != 1)
            continue;
        if (listed == kWindLimit) {
            f.lines << QStringLiteral("Only the first 100 items were added");
            break;
        }
        const QString round = races.text("ROUND").trimmed();
        f.lines << QStringLiteral("  ") + seqAt(races) + item(code) +
                       (round == QLatin1String("F") ? QString()
                                                    : QStringLiteral(" Heat ") + round +
                                                          QLatin1Char(' ') + races.text("HEATNO"));
        ++listed;
        ++f.rows;
    }
    f.lines << QStringLiteral("Performances without windspeed");
    for (const auto& [table, title, limit] :
         {std::tuple{QStringLiteral("PARTICIPATE"), QStringLiteral("Final performances:"),
                     QStringLiteral("Only the first 100 final performances were added")},
          std::tuple{QStringLiteral("HEATPART"), QStringLiteral("Heat performances:"),
                     QStringLiteral("Only the first 100 heat performances were added")}}) {
        f.lines << title;
        db::Query q = m_run.database()->openQuery(
            QStringLiteral("select E.ITEMCODE, A.SURNAME, A.FIRSTNAME, X.PERFORMANCE from ") +
            table +
            QStringLiteral(" X join MYEVENT E on E.EVENTNO = X.EVENTNO join ATHLETE A on "
                           "A.ATHLETENO = X.ATHLETENO where X.MEETINGNO = ") +
            db::sqlInt(meetingNo()) +
            QStringLiteral(" and coalesce(X.PLACE, 0) > 0 and trim(coalesce(X.WIND_SPEED, '')) "
                           "= '' order by E.C_SEQ, X.PLACE"));
        int count = 0;
        for (q.first(); q.isOpen() && !q.eof(); q.next()) {
            const QString code = q.text("ITEMCODE").trimmed();
            if (items.WindKind(code) != 2)
                continue;
            if (count == kWindLimit) {
                f.lines << limit;
                break;
            }
            f.lines << QStringLiteral("  ") + item(code) + QStringLiteral("  ") +
                           q.text("SURNAME").trimmed() + QStringLiteral(", ") +
                           q.text("FIRSTNAME").trimmed() + QStringLiteral("  ") +
                           q.text("PERFORMANCE").trimmed();
            ++count;
            ++f.rows;
        }
    }
    return f;
}

CheckFinding CheckLists::disqualifications()
{
    CheckFinding f{19, {}, 0};
    for (const auto& [table, where] :
         {std::pair{QStringLiteral("HEATPART"), QStringLiteral("heats")},
          std::pair{QStringLiteral("PARTICIPATE"), QStringLiteral("finals")}}) {
        f.lines << QStringLiteral("Collect disqualifications in ") + where;
        const bool heats = table == QLatin1String("HEATPART");
        db::Query q = m_run.database()->openQuery(
            QStringLiteral("select E.ITEMCODE, X.DISQ_STATUS, A.SURNAME, A.FIRSTNAME, "
                           "(select min(P.SEQ) from PROGRAM P where P.EVENTNO = X.EVENTNO and "
                           "P.ROUND = ") +
            (heats ? QStringLiteral("X.ROUND and P.HEATNO = X.HEATNO") : QStringLiteral("'F'")) +
            QStringLiteral(") as SEQ from ") + table +
            QStringLiteral(" X join MYEVENT E on E.EVENTNO = X.EVENTNO join ATHLETE A on "
                           "A.ATHLETENO = X.ATHLETENO where X.MEETINGNO = ") +
            db::sqlInt(meetingNo()) +
            QStringLiteral(" and X.DISQ_STATUS > 0 order by 5, A.SURNAME"));
        for (q.first(); q.isOpen() && !q.eof(); q.next()) {
            f.lines << QStringLiteral("  ") + item(q.text("ITEMCODE")) + QStringLiteral("  Seq ") +
                           q.text("SEQ") + QStringLiteral("  ") + q.text("SURNAME").trimmed() +
                           QStringLiteral(", ") + q.text("FIRSTNAME").trimmed() +
                           QStringLiteral("  ") +
                           results::DisqStatusAbbrev(m_run.messages(),
                                                     int(q.integer("DISQ_STATUS")));
            ++f.rows;
        }
    }
    return f;
}

CheckFinding CheckLists::filledEvents()
{
    CheckFinding f{20,
                   {QStringLiteral("Collect all filled events"),
                    QStringLiteral("This report lists the ranges of events with or without "
                                   "results."),
                    QStringLiteral(" <from seq>-><to seq>(<count>),  eg 16->19(4)")},
                   0};
    db::Query q = m_run.database()->openQuery(
        QStringLiteral("select P.SEQ, (select count(*) from PARTICIPATE X where X.EVENTNO = "
                       "P.EVENTNO and (X.PLACE > 0 or X.DISQ_STATUS > 0)) as FILLED from "
                       "PROGRAM P where P.MEETINGNO = ") +
        db::sqlInt(meetingNo()) + QStringLiteral(" and P.ROUND = 'F' order by P.SEQ, P.EVENTNO"));
    // 0 empty, 1 few, 2 filled; runs of one kind become ranges.
    QStringList ranges[3];
    int kind = -1;
    int first = 0;
    int last = 0;
    int count = 0;
    auto close = [&] {
        if (kind >= 0)
            ranges[kind] << QString::number(first) + QStringLiteral("->") + QString::number(last) +
                                QLatin1Char('(') + QString::number(count) + QLatin1Char(')');
    };
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        const int filled = int(q.integer("FILLED"));
        const int now = filled == 0 ? 0 : (filled <= 3 ? 1 : 2);
        const int seq = int(q.integer("SEQ"));
        if (now != kind) {
            close();
            kind = now;
            first = seq;
            count = 0;
        }
        last = seq;
        ++count;
        ++f.rows;
    }
    close();
    f.lines << QStringLiteral("Few (3 or less):  (") + ranges[1].join(QStringLiteral(", ")) +
                   QLatin1Char(')')
            << QStringLiteral("Filled (4 or more): (") + ranges[2].join(QStringLiteral(", ")) +
                   QLatin1Char(')')
            << QStringLiteral("Empty (none): (") + ranges[0].join(QStringLiteral(", ")) +
                   QLatin1Char(')');
    return f;
}

} // namespace sheets
