// The checks of the entries and the draws: athletes without events, too many entries,
// ages that differ from the item's, athletes not drawn, competitions mixed in a heat and
// combined-event athletes mixed with the others.

#include "sheets/checklists.h"

#include "base/messages.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"

#include <QHash>
#include <QMap>

namespace sheets {

namespace {

QString nameOf(const db::Query& q)
{
    return q.text("SURNAME").trimmed() + QStringLiteral(", ") + q.text("FIRSTNAME").trimmed();
}

} // namespace

CheckFinding CheckLists::athletesWithoutEvents()
{
    CheckFinding f{6, {QStringLiteral("Athletes without Events")}, 0};
    db::Query q = m_run.database()->openQuery(
        QStringLiteral("select A.NUMBER, A.SURNAME, A.FIRSTNAME, A.GENDER, A.AGE, T.TEAMNAME "
                       "from ATHLETE A left join TEAM T on T.TEAMNO = A.TEAMNO where "
                       "A.MEETINGNO = ") +
        db::sqlInt(meetingNo()) +
        QStringLiteral(" and not exists (select 1 from PARTICIPATE X where X.ATHLETENO = "
                       "A.ATHLETENO) order by T.TEAMNAME, A.SURNAME, A.FIRSTNAME"));
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        f.lines << QStringLiteral("  ") + q.text("NUMBER").trimmed() + QStringLiteral("  ") +
                       nameOf(q) + QStringLiteral("  ") + q.text("GENDER").trimmed() +
                       QStringLiteral("  ") + q.text("AGE") + QStringLiteral("  ") +
                       q.text("TEAMNAME").trimmed();
        ++f.rows;
    }
    return f;
}

CheckFinding CheckLists::participationsExceedingMax()
{
    const int allowed = int(m_run.meeting().integer(QStringLiteral("MAXPARTSPERATH")));
    CheckFinding f{8,
                   {QStringLiteral("Participations exceeding max (allowed=") +
                    QString::number(allowed) + QLatin1Char(')')},
                   0};
    m_run.messages().progress(
        QStringLiteral("Collect athletes with more participations than allowed"), QString());
    db::Query q = m_run.database()->openQuery(
        QStringLiteral("select X.ATHLETENO, E.ITEMCODE, A.SURNAME, A.FIRSTNAME, T.TEAMNAME from "
                       "PARTICIPATE X join MYEVENT E on E.EVENTNO = X.EVENTNO join ATHLETE A on "
                       "A.ATHLETENO = X.ATHLETENO left join TEAM T on T.TEAMNO = A.TEAMNO where "
                       "X.MEETINGNO = ") +
        db::sqlInt(meetingNo()) +
        QStringLiteral(" and coalesce(E.N_ATHLON, 0) = 0 and E.ITEMCODE not like 'REL%' order "
                       "by X.ATHLETENO, E.C_SEQ"));
    struct Entries {
        QString who;
        QStringList items;
    };
    QHash<qint64, Entries> byAthlete;
    const meeting::ItemTypes& items = m_run.items();
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        const QString code = q.text("ITEMCODE").trimmed();
        // Relays count apart, whatever their group is called in this edition.
        if (items.IsRelayGroup(items.ItemGroup(code)))
            continue;
        Entries& e = byAthlete[q.integer("ATHLETENO")];
        e.who = nameOf(q) + QStringLiteral(" (") + q.text("TEAMNAME").trimmed() + QLatin1Char(')');
        e.items << item(code);
    }
    QList<Entries> over;
    for (const Entries& e : std::as_const(byAthlete)) {
        if (e.items.size() > allowed)
            over << e;
    }
    std::sort(over.begin(), over.end(), [](const Entries& a, const Entries& b) {
        return a.items.size() != b.items.size() ? a.items.size() > b.items.size() : a.who < b.who;
    });
    for (const Entries& e : over) {
        f.lines << QStringLiteral("  ") + QString::number(e.items.size()) + QStringLiteral("  ") +
                       e.who + QStringLiteral(": ") + e.items.join(QStringLiteral(", "));
        ++f.rows;
    }
    return f;
}

CheckFinding CheckLists::ageDiffers()
{
    CheckFinding f{9,
                   {QStringLiteral("Item and Athlete age differs (Athlete older or 2 years "
                                   "younger)")},
                   0};
    const meeting::ItemTypes& items = m_run.items();
    db::Query q = m_run.database()->openQuery(
        QStringLiteral("select E.ITEMCODE, A.SURNAME, A.FIRSTNAME, A.GENDER, A.AGE from "
                       "PARTICIPATE X join MYEVENT E on E.EVENTNO = X.EVENTNO join ATHLETE A on "
                       "A.ATHLETENO = X.ATHLETENO where X.MEETINGNO = ") +
        db::sqlInt(meetingNo()) + QStringLiteral(" order by E.C_SEQ, A.SURNAME, A.FIRSTNAME"));
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        const QString code = q.text("ITEMCODE").trimmed();
        const QString itemGender = items.ItemGender(code);
        const QString gender = q.text("GENDER").trimmed();
        const bool genderDiffers =
            (itemGender == QLatin1String("M") || itemGender == QLatin1String("F")) &&
            gender != itemGender;
        bool ageDiffers = false;
        const QString itemAge = items.ItemAge(code);
        if (itemAge != QLatin1String("99")) {
            const int age = int(q.integer("AGE"));
            ageDiffers = age != itemAge.toInt() && age != itemAge.toInt() - 1;
        }
        if (!genderDiffers && !ageDiffers)
            continue;
        f.lines << QStringLiteral("  ") + gender + QStringLiteral("  ") + q.text("AGE") +
                       QStringLiteral("  ") + item(code) + QStringLiteral("  ") + nameOf(q);
        ++f.rows;
    }
    return f;
}

CheckFinding CheckLists::drawingErrors()
{
    CheckFinding f{11, {QStringLiteral("Athlete Drawing errors")}, 0};
    db::DmdCoreDbs& database = *m_run.database();
    // Events without heats: the final's entries without a lane that were called.
    db::Query finals = database.openQuery(
        QStringLiteral("select P.SEQ, E.ITEMCODE, count(*) as UNDRAWN from PROGRAM P join "
                       "MYEVENT E on E.EVENTNO = P.EVENTNO join PARTICIPATE X on X.EVENTNO = "
                       "E.EVENTNO where P.MEETINGNO = ") +
        db::sqlInt(meetingNo()) +
        QStringLiteral(" and P.ROUND = 'F' and trim(coalesce(E.HEATFORMAT, '')) = '' and "
                       "coalesce(X.LANE, 0) < 1 and coalesce(X.DID_NOT_CALL, 0) = 0 group by "
                       "P.PROGRAMNO, P.SEQ, E.ITEMCODE order by P.SEQ"));
    for (finals.first(); finals.isOpen() && !finals.eof(); finals.next()) {
        f.lines << QStringLiteral("  ") + finals.text("SEQ") + QStringLiteral("  ") +
                       item(finals.text("ITEMCODE")) + QStringLiteral(": ") +
                       finals.text("UNDRAWN") + QStringLiteral(" athletes not drawn (final)");
        f.rows += int(finals.integer("UNDRAWN"));
    }
    // Events with rounds: entries without a row in the event's first round.
    db::Query rounds = database.openQuery(
        QStringLiteral("select E.ITEMCODE, R.FIRSTROUND, A.SURNAME, A.FIRSTNAME from MYEVENT E "
                       "join (select P.EVENTNO, max(P.ROUND) as FIRSTROUND from PROGRAM P where "
                       "P.MEETINGNO = ") +
        db::sqlInt(meetingNo()) +
        QStringLiteral(" and P.ROUND <> 'F' group by P.EVENTNO) R on R.EVENTNO = E.EVENTNO join "
                       "PARTICIPATE X on X.EVENTNO = E.EVENTNO join ATHLETE A on A.ATHLETENO = "
                       "X.ATHLETENO where not exists (select 1 from HEATPART H where H.EVENTNO "
                       "= E.EVENTNO and H.ROUND = R.FIRSTROUND and H.ATHLETENO = X.ATHLETENO) "
                       "order by E.C_SEQ, A.SURNAME, A.FIRSTNAME"));
    for (rounds.first(); rounds.isOpen() && !rounds.eof(); rounds.next()) {
        f.lines << QStringLiteral("  ") + item(rounds.text("ITEMCODE")) +
                       QStringLiteral(" round ") + rounds.text("FIRSTROUND").trimmed() +
                       QStringLiteral(": not drawn: ") + nameOf(rounds);
        ++f.rows;
    }
    return f;
}

CheckFinding CheckLists::competitionsInOneHeat()
{
    CheckFinding f{12, {QStringLiteral("Different Competitions in the same Heat")}, 0};
    db::Query q = m_run.database()->openQuery(
        QStringLiteral("select H.EVENTNO, H.ROUND, H.HEATNO, E.ITEMCODE, coalesce(T.LEAGUE, 0) as "
                       "LEAGUE from HEATPART H join MYEVENT E on E.EVENTNO = H.EVENTNO join "
                       "ATHLETE A on A.ATHLETENO = H.ATHLETENO left join TEAM T on T.TEAMNO = "
                       "A.TEAMNO where H.MEETINGNO = ") +
        db::sqlInt(meetingNo()) +
        QStringLiteral(" group by H.EVENTNO, H.ROUND, H.HEATNO, E.ITEMCODE, "
                       "coalesce(T.LEAGUE, 0) order by H.EVENTNO, H.ROUND, H.HEATNO"));
    QMap<QString, QStringList> leaguesOfHeat;
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        const QString heat = item(q.text("ITEMCODE")) + QStringLiteral(" Heat ") +
                             q.text("ROUND").trimmed() + QLatin1Char(' ') + q.text("HEATNO");
        leaguesOfHeat[heat] << q.text("LEAGUE");
    }
    for (auto it = leaguesOfHeat.cbegin(); it != leaguesOfHeat.cend(); ++it) {
        if (it->size() < 2)
            continue;
        f.lines << QStringLiteral("  ") + it.key() +
                       QStringLiteral(" has athletes of Competitions ") +
                       it->join(QStringLiteral(", "));
        ++f.rows;
    }
    return f;
}

CheckFinding CheckLists::nAthlonsMixed()
{
    CheckFinding f{13, {QStringLiteral("n-Athlon Athletes and normal Items mixed")}, 0};
    db::DmdCoreDbs& database = *m_run.database();
    const QString participations =
        QStringLiteral("PARTICIPATE X join MYEVENT E on E.EVENTNO = X.EVENTNO join ATHLETE A on "
                       "A.ATHLETENO = X.ATHLETENO");
    const QString ofMeeting = QStringLiteral("X.MEETINGNO = ") + db::sqlInt(meetingNo());
    if (database.ZSqlCount(participations, ofMeeting + QStringLiteral(" and A.N_ATHLON is null")))
        m_run.messages().internalError(
            9202, QStringLiteral("_CollectNathlonsMixed expects no null ATHLETE.N_ATHLON-s"));
    if (database.ZSqlCount(participations, ofMeeting + QStringLiteral(" and E.N_ATHLON is null")))
        m_run.messages().internalError(
            9203, QStringLiteral("_CollectNathlonsMixed expects no null MYEVENT.N_ATHLON-s"));
    db::Query q = database.openQuery(
        QStringLiteral("select T.TEAMABRV, A.SURNAME, A.FIRSTNAME, A.GENDER, A.AGE, E.ITEMCODE "
                       "from ") +
        participations + QStringLiteral(" left join TEAM T on T.TEAMNO = A.TEAMNO where ") +
        ofMeeting + QStringLiteral(" and A.N_ATHLON <> E.N_ATHLON order by T.TEAMABRV, A.SURNAME"));
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        f.lines << QStringLiteral("  ") + q.text("TEAMABRV").trimmed() + QStringLiteral("  ") +
                       nameOf(q) + QStringLiteral("  ") + q.text("GENDER").trimmed() +
                       QStringLiteral("  ") + q.text("AGE") + QStringLiteral("  ") +
                       item(q.text("ITEMCODE"));
        ++f.rows;
    }
    return f;
}

} // namespace sheets
