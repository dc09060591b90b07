#include "draw/patterndraw.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/patterntables.h"
#include "meeting/itemtypes.h"

#include <QSet>

namespace draw {

namespace {

const QString kCR = QStringLiteral("\r");

QString patternColumn(const QString& gender)
{
    return gender == QLatin1String("M") ? QStringLiteral("PATTERN_MALE")
                                        : QStringLiteral("PATTERN_FEMALE");
}

QString legend(const PatternTeams& teams)
{
    QStringList parts;
    for (auto it = teams.cbegin(); it != teams.cend(); ++it)
        parts.append(QString::number(it.key()) + QStringLiteral("=") + it.value());
    return parts.join(QStringLiteral("  "));
}

} // namespace

bool patternApplies(const meeting::ItemTypes& items, const QString& itemCode)
{
    static const QStringList groups{QStringLiteral("SHD"), QStringLiteral("LOD"),
                                    QStringLiteral("REL"), QStringLiteral("HDL")};
    if (!groups.contains(items.ItemGroup(itemCode)) || items.IsFieldItem(itemCode))
        return false;
    const int metres = items.TrackDistance(itemCode);
    return metres >= 150 && metres <= 500;
}

PatternDraw::PatternDraw(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                         base::Messages& messages, int meetingNo)
    : m_database(database), m_items(items), m_messages(messages), m_meetingNo(meetingNo)
{
}

int PatternDraw::laneCount()
{
    return m_database
        .selectOneValue(QStringLiteral("PATTERN_LANE_COUNT"), QStringLiteral("MEETING"),
                        QStringLiteral("MEETINGNO = ") + db::sqlInt(m_meetingNo))
        .toInt();
}

bool PatternDraw::setLaneCount(int lanes)
{
    if (lanes < kFewestPatternLanes || lanes > kMostPatternLanes) {
        m_messages.warning(QStringLiteral("The number of lanes selected for \"DrawPatterns\" "
                                          "must") +
                           kCR + QStringLiteral("be from 5 to 9, not ") + QString::number(lanes) +
                           QStringLiteral("."));
        return false;
    }
    return m_database.execute(QStringLiteral("update MEETING set PATTERN_LANE_COUNT = ") +
                              db::sqlInt(lanes) + QStringLiteral(" where MEETINGNO = ") +
                              db::sqlInt(m_meetingNo));
}

PatternTeams PatternDraw::teams(const QString& gender)
{
    const QString column = patternColumn(gender);
    db::Query q = m_database.openQuery(
        QStringLiteral("select TEAMABRV, ") + column +
        QStringLiteral(" as TEAM_NUMBER from TEAM where MEETINGNO = ") + db::sqlInt(m_meetingNo) +
        QStringLiteral(" and ") + column + QStringLiteral(" > 0 order by ") + column);
    PatternTeams teams;
    for (q.first(); q.isOpen() && !q.eof(); q.next())
        teams.insert(int(q.integer("TEAM_NUMBER")), q.text("TEAMABRV").trimmed());
    return teams;
}

bool PatternDraw::setTeams(const QString& gender, const QStringList& teamsInOrder)
{
    if (gender != QLatin1String("M") && gender != QLatin1String("F")) {
        m_messages.warning(QStringLiteral("The gender must be M or F, not ") + gender);
        return false;
    }
    QSet<QString> seen;
    for (const QString& team : teamsInOrder) {
        if (seen.contains(team) ||
            m_database.ZSqlCount(QStringLiteral("TEAM"),
                                 QStringLiteral("MEETINGNO = ") + db::sqlInt(m_meetingNo) +
                                     QStringLiteral(" and TEAMABRV = ") + db::quoted(team)) != 1) {
            m_messages.warning(QStringLiteral("The team \"") + team +
                               QStringLiteral("\" is not one team of this meeting"));
            return false;
        }
        seen.insert(team);
    }
    const QString column = patternColumn(gender);
    QStringList statements{QStringLiteral("update TEAM set ") + column +
                           QStringLiteral(" = 0 where MEETINGNO = ") + db::sqlInt(m_meetingNo)};
    for (int i = 0; i < teamsInOrder.size(); ++i)
        statements.append(QStringLiteral("update TEAM set ") + column + QStringLiteral(" = ") +
                          db::sqlInt(i + 1) + QStringLiteral(" where MEETINGNO = ") +
                          db::sqlInt(m_meetingNo) + QStringLiteral(" and TEAMABRV = ") +
                          db::quoted(teamsInOrder[i]));
    return m_database.executeAll(statements);
}

bool PatternDraw::tagTeamsByGender()
{
    for (const QString& gender : {QStringLiteral("M"), QStringLiteral("F")}) {
        db::Query q =
            m_database.openQuery(QStringLiteral("select TEAMABRV from TEAM where MEETINGNO = ") +
                                 db::sqlInt(m_meetingNo) + QStringLiteral(" and ") +
                                 (gender == QLatin1String("M") ? QStringLiteral("HASMALE")
                                                               : QStringLiteral("HASFEMALE")) +
                                 QStringLiteral(" = 1 order by TEAMABRV"));
        QStringList teams;
        for (q.first(); q.isOpen() && !q.eof(); q.next())
            teams.append(q.text("TEAMABRV").trimmed());
        if (!setTeams(gender, teams))
            return false;
    }
    return true;
}

bool PatternDraw::configurationCorrect(bool askFewTeams)
{
    const int lanes = laneCount();
    if (lanes < kFewestPatternLanes || lanes > kMostPatternLanes) {
        m_messages.warning(QStringLiteral("The number of lanes selected for \"DrawPatterns\" "
                                          "must") +
                           kCR + QStringLiteral("be from 5 to 9, not ") + QString::number(lanes) +
                           QStringLiteral("."));
        return false;
    }
    const int meetingTeams = m_database.ZSqlCount(
        QStringLiteral("TEAM"), QStringLiteral("MEETINGNO = ") + db::sqlInt(m_meetingNo));
    if (askFewTeams && meetingTeams < lanes &&
        !m_messages.confirm(QStringLiteral("This facility needs at least ") +
                            QString::number(lanes) + QStringLiteral(" Teams.") + kCR +
                            QStringLiteral("You have only added ") + QString::number(meetingTeams) +
                            QStringLiteral(" Teams.") + kCR + kCR +
                            QStringLiteral("Continue anyway")))
        return false;
    const PatternTeams male = teams(QStringLiteral("M"));
    const PatternTeams female = teams(QStringLiteral("F"));
    // Numbered 1 to the lanes, each once.
    const auto complete = [lanes](const PatternTeams& t) {
        return t.size() == lanes && t.firstKey() == 1 && t.lastKey() == lanes;
    };
    if (!complete(male) || !complete(female)) {
        m_messages.warning(QStringLiteral("The selected ") + QString::number(male.size()) +
                           QStringLiteral(" Male Teams (") + legend(male) + QStringLiteral(")") +
                           QStringLiteral(" and ") + QString::number(female.size()) +
                           QStringLiteral(" Female Teams (") + legend(female) +
                           QStringLiteral(")") + kCR +
                           QStringLiteral(" must be equal to the Lane-Count (") +
                           QString::number(lanes) + QStringLiteral(")"));
        return false;
    }
    return true;
}

QStringList PatternDraw::teamsOfSequence(int sequence, const QString& gender)
{
    const int lanes = laneCount();
    const QString pattern = patternForSequence(sequence, lanes, m_messages);
    const PatternTeams numbered = teams(gender);
    QStringList lanesTeams;
    for (const QChar digit : pattern) {
        const QString team = numbered.value(digit.digitValue());
        if (team.isEmpty())
            m_messages.internalError(460401, QStringLiteral("Team not found: Pattern=") + pattern +
                                                 QStringLiteral(", Team=") + digit);
        lanesTeams.append(team);
    }
    return lanesTeams;
}

int PatternDraw::renumber()
{
    const bool configured = configurationCorrect(false);
    m_messages.progress(QStringLiteral("Clear all the current Pattern Sequences Numbers"),
                        QString());
    db::Query q = m_database.openQuery(
        QStringLiteral("select P.PROGRAMNO, E.ITEMCODE from PROGRAM P join MYEVENT E on "
                       "E.EVENTNO = P.EVENTNO where P.MEETINGNO = ") +
        db::sqlInt(m_meetingNo) + QStringLiteral(" order by P.SEQ, P.THETIME, P.ROUND, P.HEATNO"));
    if (!q.isOpen())
        return -1;
    QStringList statements{QStringLiteral("update PROGRAM set PATTERN_SEQ = 0 where "
                                          "MEETINGNO = ") +
                           db::sqlInt(m_meetingNo)};
    int sequence = 0;
    for (q.first(); !q.eof(); q.next()) {
        const QString itemCode = q.text("ITEMCODE").trimmed();
        if (!patternApplies(m_items, itemCode))
            continue;
        ++sequence;
        QString sql = QStringLiteral("update PROGRAM set PATTERN_SEQ = ") + db::sqlInt(sequence);
        if (configured)
            sql +=
                QStringLiteral(", RANDOMDRAW = ") +
                db::quoted(
                    teamsOfSequence(sequence, m_items.ItemGender(itemCode)).join(QLatin1Char(';')));
        statements.append(sql + QStringLiteral(" where PROGRAMNO = ") +
                          db::sqlInt(q.integer("PROGRAMNO")));
    }
    m_messages.progress(QStringLiteral("Renumber the Pattern Sequences"), QString());
    const bool ok = m_database.executeAll(statements);
    m_messages.progressDone();
    return ok ? sequence : -1;
}

QString PatternDraw::report()
{
    if (!configurationCorrect(false)) {
        m_messages.warning(QStringLiteral("You must first Configure the Pattern Draw settings") +
                           kCR +
                           QStringLiteral("correctly under \"Settings: Determine the program\"."));
        return QString();
    }
    const int lanes = laneCount();
    db::Query q = m_database.openQuery(
        QStringLiteral("select P.PATTERN_SEQ, P.SEQ, P.ROUND, P.HEATNO, E.ITEMCODE from PROGRAM "
                       "P join MYEVENT E on E.EVENTNO = P.EVENTNO where P.MEETINGNO = ") +
        db::sqlInt(m_meetingNo) + QStringLiteral(" and P.PATTERN_SEQ > 0 order by P.PATTERN_SEQ"));
    QStringList lines{QStringLiteral("PROGRAM SEQ, PATTERN (TEAM NUMBERS), ITEM")};
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        const QString itemCode = q.text("ITEMCODE").trimmed();
        const int heat = int(q.integer("HEATNO"));
        lines.append(QString::number(q.integer("SEQ")).rightJustified(4) + QStringLiteral("  ") +
                     patternForSequence(int(q.integer("PATTERN_SEQ")), lanes, m_messages) +
                     QStringLiteral("  ") + m_items.ItemDescription(itemCode, false) +
                     (heat > 0 ? QStringLiteral(" Round ") + q.text("ROUND") +
                                     QStringLiteral(" Heat ") + QString::number(heat)
                               : QStringLiteral(" Final")));
    }
    lines.append(QString());
    lines.append(QStringLiteral("MALE TEAM NUMBERS: ") + legend(teams(QStringLiteral("M"))));
    lines.append(QStringLiteral("FEMALE TEAM NUMBERS: ") + legend(teams(QStringLiteral("F"))));
    return lines.join(QLatin1Char('\n'));
}

} // namespace draw
