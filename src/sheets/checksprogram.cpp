// The checks of the program and the items: heats-are-finals without heats, items without
// scores, items excluded, the program's sequence, heat counts against the competitions and
// events without athletes.

#include "sheets/checklists.h"

#include "base/messages.h"
#include "base/run.h"
#include "base/silentsink.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/meetingsettings.h"
#include "scoring/perftoscore.h"

#include <QTime>

namespace sheets {

namespace {

QString timeText(const QVariant& value)
{
    const QTime time = value.toTime();
    return time.isValid() ? time.toString(QStringLiteral("hh:mm")) : QString();
}

} // namespace

CheckFinding CheckLists::heatsAreFinalsWithoutHeats()
{
    CheckFinding f{1, {QStringLiteral("Heats-Are-Finals without any Heats")}, 0};
    db::Query q = m_run.database()->openQuery(
        QStringLiteral("select E.ITEMCODE, E.C_SEQ, E.C_TIME from MYEVENT E where E.MEETINGNO = ") +
        db::sqlInt(meetingNo()) +
        QStringLiteral(" and E.SELECTED = 'X' and coalesce(E.N_ATHLON, 0) = 0 and "
                       "E.FINAL_NOT_RUN = 1 and not exists (select 1 from PROGRAM P where "
                       "P.EVENTNO = E.EVENTNO and P.ROUND <> 'F') order by E.C_SEQ, "
                       "E.C_ABSAORDER"));
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        f.lines << QStringLiteral("  ") + item(q.text("ITEMCODE")) + QStringLiteral("   Seq ") +
                       q.text("C_SEQ") + QStringLiteral("   ") + timeText(q.value("C_TIME"));
        ++f.rows;
    }
    return f;
}

CheckFinding CheckLists::itemsWithoutScores(bool nAthlon)
{
    CheckFinding f{nAthlon ? 10 : 2,
                   {nAthlon ? QStringLiteral("n-Athlon Items without scores defined")
                            : QStringLiteral("Items without scores defined")},
                   0};
    const int scoreSet = int(m_run.meeting().integer(nAthlon ? QStringLiteral("NATHLON_SCORESET")
                                                             : QStringLiteral("SCORESETNO")));
    const QString which =
        nAthlon ? QStringLiteral("coalesce(N_ATHLON, 0) > 0 and ITEMCODE not like 'NTH%'")
                : QStringLiteral("(coalesce(N_ATHLON, 0) = 0 or ITEMCODE like 'NTH%')");
    db::Query q = m_run.database()->openQuery(
        QStringLiteral("select ITEMCODE from MYEVENT where MEETINGNO = ") +
        db::sqlInt(meetingNo()) + QStringLiteral(" and SELECTED = 'X' and ") + which +
        QStringLiteral(" order by ITEMCODE"));
    // The score data is built into the program: an item has scores when the set scores it.
    base::SilentSink quiet;
    base::Messages silent(quiet);
    scoring::TableScores scores(m_run.items(), silent);
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        const QString code = q.text("ITEMCODE").trimmed();
        if (!code.isEmpty() && scores.ZItemIsDefined(scoreSet, code))
            continue;
        f.lines << QStringLiteral("  ") + item(code);
        ++f.rows;
    }
    return f;
}

CheckFinding CheckLists::itemsExcluded()
{
    CheckFinding f{3, {}, 0};
    for (const auto& [column, title] :
         {std::pair{QStringLiteral("EXCLUDEPOINTS"), QStringLiteral("Items Excluded from points")},
          std::pair{QStringLiteral("EXCLUDE_MEDALS"),
                    QStringLiteral("Items Excluded from medals")}}) {
        f.lines << title;
        db::Query q = m_run.database()->openQuery(
            QStringLiteral("select ITEMCODE, C_SEQ from MYEVENT where MEETINGNO = ") +
            db::sqlInt(meetingNo()) + QStringLiteral(" and ") + column +
            QStringLiteral(" = 'X' order by C_SEQ"));
        for (q.first(); q.isOpen() && !q.eof(); q.next()) {
            f.lines << QStringLiteral("  ") + q.text("C_SEQ") + QStringLiteral("  ") +
                           item(q.text("ITEMCODE"));
            ++f.rows;
        }
    }
    return f;
}

CheckFinding CheckLists::programSequence()
{
    CheckFinding f{4, {QStringLiteral("Program Sequence errors")}, 0};
    db::Query q = m_run.database()->openQuery(
        QStringLiteral("select P.SEQ, P.DAY_SEQ, P.THETIME, P.EVENTNO, P.ROUND, P.HEATNO, "
                       "E.ITEMCODE, C.NAME from PROGRAM P join MYEVENT E on E.EVENTNO = "
                       "P.EVENTNO left join COMBINED C on C.COMBINEDNO = E.COMBINEDNO and "
                       "E.COMBINEDNO > 0 where P.MEETINGNO = ") +
        db::sqlInt(meetingNo()) +
        QStringLiteral(" and E.SELECTED = 'X' and E.ITEMCODE not like 'NTH%' and not "
                       "(P.ROUND = 'F' and coalesce(E.FINAL_NOT_RUN, 0) = 1) "
                       "order by P.DAY_SEQ, P.SEQ, P.THETIME, P.EVENTNO, P.ROUND, P.HEATNO"));
    QSet<int> days;
    int noSeq = 0;
    int noTime = 0;
    QStringList listing;
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        days.insert(int(q.integer("DAY_SEQ")));
        const bool seqMissing = q.isNull("SEQ") || q.integer("SEQ") < 1;
        const QTime time = q.value("THETIME").toTime();
        const bool timeMissing = !time.isValid() || time < QTime(0, 2);
        noSeq += seqMissing ? 1 : 0;
        noTime += timeMissing ? 1 : 0;
        if (!seqMissing && !timeMissing)
            continue;
        const QString round = q.text("ROUND").trimmed();
        QString line =
            QStringLiteral("  Seq ") + q.text("SEQ") + QStringLiteral("  Day ") +
            q.text("DAY_SEQ") + QStringLiteral("  ") + timeText(q.value("THETIME")) +
            QStringLiteral("  Event ") + q.text("EVENTNO") + QStringLiteral("  ") + round +
            (round == QLatin1String("F") ? QString() : QLatin1Char(' ') + q.text("HEATNO")) +
            QStringLiteral("  ") + item(q.text("ITEMCODE"));
        if (!q.text("NAME").trimmed().isEmpty())
            line += QStringLiteral("  (") + q.text("NAME").trimmed() + QLatin1Char(')');
        listing << line;
    }
    const int dayCount = m_run.meeting().dayCount();
    if (days.size() > dayCount) {
        f.lines << QStringLiteral("You indicated that the Meeting takes place over ") +
                       QString::number(dayCount) + QStringLiteral(" days,")
                << QStringLiteral("but you entered ") + QString::number(days.size()) +
                       QStringLiteral(" different day")
                << QStringLiteral(" numbers for the Events.")
                << QStringLiteral("Edit the days under \"Edit Program\" or with \"Scheduler\"; "
                                  "it may be a good idea to first raise the number of days "
                                  "under \"Extra Meeting Options\".");
        ++f.rows;
    }
    if (noSeq > 0)
        f.lines << QString::number(noSeq) + QStringLiteral(" sequence numbers are 0");
    if (noTime > 0)
        f.lines << QString::number(noTime) + QStringLiteral(" times are empty");
    f.rows += int(listing.size());
    f.lines << listing;
    return f;
}

CheckFinding CheckLists::heatCountsAndCompetitions()
{
    CheckFinding f{5, {QStringLiteral("A-round Heatcounts differ from Competition count")}, 0};
    const int leagues =
        m_run.database()
            ->selectOneValue(QStringLiteral("count(distinct coalesce(LEAGUE, 0))"),
                             QStringLiteral("TEAM"),
                             QStringLiteral("MEETINGNO = ") + db::sqlInt(meetingNo()))
            .toInt();
    db::Query q = m_run.database()->openQuery(
        QStringLiteral("select E.ITEMCODE, P.ROUND, count(*) as HEATS from PROGRAM P join MYEVENT "
                       "E on E.EVENTNO = P.EVENTNO where P.MEETINGNO = ") +
        db::sqlInt(meetingNo()) +
        QStringLiteral(" and P.ROUND in ('A', 'B') group by E.C_SEQ, E.EVENTNO, E.ITEMCODE, "
                       "P.ROUND order by E.C_SEQ, E.EVENTNO, P.ROUND"));
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        const int heats = int(q.integer("HEATS"));
        if (heats == leagues)
            continue;
        f.lines << QStringLiteral("  ") + QString::number(heats) + QStringLiteral(" ") +
                       q.text("ROUND").trimmed() + QStringLiteral("-Heats for ") +
                       item(q.text("ITEMCODE")) + QStringLiteral(" (competitions: ") +
                       QString::number(leagues) + QLatin1Char(')');
        ++f.rows;
    }
    return f;
}

CheckFinding CheckLists::eventsWithoutAthletes()
{
    CheckFinding f{7, {QStringLiteral("Events without Athletes")}, 0};
    db::Query q = m_run.database()->openQuery(
        QStringLiteral("select E.ITEMCODE, E.C_SEQ, E.C_TIME from MYEVENT E where E.MEETINGNO = ") +
        db::sqlInt(meetingNo()) +
        QStringLiteral(" and E.SELECTED = 'X' and not exists (select 1 from PARTICIPATE X where "
                       "X.EVENTNO = E.EVENTNO) order by E.C_SEQ"));
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        f.lines << QStringLiteral("  ") + q.text("C_SEQ") + QStringLiteral("  ") +
                       item(q.text("ITEMCODE")) + QStringLiteral("  ") +
                       timeText(q.value("C_TIME"));
        ++f.rows;
    }
    return f;
}

} // namespace sheets
