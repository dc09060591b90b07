#include "entries/teamsplit.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

#include <algorithm>

namespace entries {

namespace {

const QString kGirlsPrefix = QStringLiteral("_GIRLS:");
const QString kBoysPrefix = QStringLiteral("_BOYS:");
const QString kBoysAbbreviationPrefix = QStringLiteral("_");

// `text` with `prefix`, cut first so that both fit in `width` characters.
QString prefixed(const QString& prefix, const QString& text, int width, bool* cut)
{
    const int room = std::max(0, int(width - prefix.size()));
    if (width > 0 && text.size() > room) {
        *cut = true;
        return prefix + text.left(room);
    }
    return prefix + text;
}

} // namespace

TeamSplit::TeamSplit(db::DmdCoreDbs& database, int meetingNo)
    : m_db(database), m_meetingNo(meetingNo)
{
}

bool TeamSplit::confirmStart()
{
    return m_db.messages().confirm(QStringLiteral(
        "DO NOT USE THIS IF YOU ARE NOT SURE WHAT IT DOES !\r\rA team with male and female "
        "athletes becomes two teams:\rthe team keeps its females and its name gets "
        "\"_GIRLS:\" in front,\ra new team \"_BOYS:\" takes its males with their "
        "entries.\r\rContinue"));
}

QList<TeamRow> TeamSplit::teamsWithBothGenders(QStringList* others)
{
    db::Query q = m_db.openQuery(
        QStringLiteral("select t.TEAMNO, t.TEAMNAME, t.TEAMABRV, t.HASMALE, t.HASFEMALE, "
                       "(select count(*) from ATHLETE a where a.TEAMNO = t.TEAMNO and a.GENDER "
                       "= 'M') as MALES, (select count(*) from ATHLETE a where a.TEAMNO = "
                       "t.TEAMNO and a.GENDER = 'F') as FEMALES from TEAM t where t.MEETINGNO "
                       "= ") +
        db::sqlInt(m_meetingNo) + QStringLiteral(" order by t.TEAMNAME"));
    QList<TeamRow> both;
    for (q.first(); !q.eof(); q.next()) {
        TeamRow t;
        t.teamNo = q.integer(QStringLiteral("TEAMNO"));
        t.name = q.text(QStringLiteral("TEAMNAME"));
        t.abbreviation = q.text(QStringLiteral("TEAMABRV"));
        t.hasMale = q.integer(QStringLiteral("HASMALE")) == 1;
        t.hasFemale = q.integer(QStringLiteral("HASFEMALE")) == 1;
        if (q.integer(QStringLiteral("MALES")) > 0 && q.integer(QStringLiteral("FEMALES")) > 0)
            both.append(t);
        else if (others)
            others->append(t.name);
    }
    return both;
}

QList<TeamRow> TeamSplit::splittableTeams()
{
    QStringList oneGender;
    const QList<TeamRow> both = teamsWithBothGenders(&oneGender);
    base::Messages& messages = m_db.messages();
    if (both.isEmpty()) {
        messages.information(QStringLiteral("No teams has both genders"));
        return both;
    }
    if (!oneGender.isEmpty()) {
        messages.information(QStringLiteral("The following Teams does not have two Genders.\r"
                                            "They cannot be split.\r\r") +
                             oneGender.join(QLatin1Char('\r')));
    }
    return both;
}

TeamSplit::Names TeamSplit::namesFor(const TeamRow& team, int nameWidth, int abbreviationWidth)
{
    Names n;
    n.girlsName = prefixed(kGirlsPrefix, team.name, nameWidth, &n.nameCut);
    n.boysName = prefixed(kBoysPrefix, team.name, nameWidth, &n.nameCut);
    n.boysAbbreviation =
        prefixed(kBoysAbbreviationPrefix, team.abbreviation, abbreviationWidth, &n.abbreviationCut);
    return n;
}

qint64 TeamSplit::split(const TeamRow& team)
{
    base::Messages& messages = m_db.messages();
    const Names names =
        namesFor(team, m_db.fieldLength(QStringLiteral("TEAM"), QStringLiteral("TEAMNAME")),
                 m_db.fieldLength(QStringLiteral("TEAM"), QStringLiteral("TEAMABRV")));
    const qint64 boys = m_db.nextKeyNumber();
    if (boys == 0)
        return 0;
    const QString old = db::sqlInt(team.teamNo);
    const QStringList statements{
        QStringLiteral("update TEAM set TEAMNAME = ") + db::quoted(names.girlsName) +
            QStringLiteral(", HASMALE = 0 where TEAMNO = ") + old,
        // A new team, as the team dialog would add it: in no competition yet.
        QStringLiteral("insert into TEAM ( TEAMNO, MEETINGNO, TEAMNAME, TEAMABRV, HASMALE, "
                       "HASFEMALE, LEAGUE ) select ") +
            db::sqlInt(boys) + QStringLiteral(", MEETINGNO, ") + db::quoted(names.boysName) +
            QStringLiteral(", ") + db::quoted(names.boysAbbreviation) +
            QStringLiteral(", 1, 0, 0 from TEAM where TEAMNO = ") + old,
        QStringLiteral("update ATHLETE set TEAMNO = ") + db::sqlInt(boys) +
            QStringLiteral(" where TEAMNO = ") + old + QStringLiteral(" and GENDER = 'M'"),
        QStringLiteral("update PARTICIPATE set TEAMNO = ") + db::sqlInt(boys) +
            QStringLiteral(" where ATHLETENO in (select ATHLETENO from ATHLETE where TEAMNO = ") +
            db::sqlInt(boys) + QLatin1Char(')'),
    };
    if (!m_db.executeAll(statements)) {
        messages.internalError(30110, QStringLiteral("Splitting ") + team.name +
                                          QStringLiteral(" failed; nothing was changed.\r") +
                                          m_db.lastError().message);
        return 0;
    }
    QStringList cuts;
    if (names.nameCut)
        cuts << QStringLiteral("The teamname was too long.");
    if (names.abbreviationCut)
        cuts << QStringLiteral("The abbreviation was too long.");
    if (!cuts.isEmpty()) {
        messages.information(cuts.join(QLatin1Char('\r')) + QStringLiteral("\r\r") +
                             names.girlsName + QLatin1Char('\r') + names.boysName +
                             QStringLiteral(" (") + names.boysAbbreviation + QLatin1Char(')'));
    }
    return boys;
}

int TeamSplit::splitFrom(const QList<TeamRow>& teams, int first)
{
    int done = 0;
    for (int i = std::max(0, first); i < teams.size(); ++i) {
        m_db.messages().progress(QStringLiteral("Split Team by Gender"), teams[i].name, i - first,
                                 int(teams.size()) - first);
        if (split(teams[i]) == 0)
            break;
        ++done;
    }
    m_db.messages().progressDone();
    return done;
}

} // namespace entries
