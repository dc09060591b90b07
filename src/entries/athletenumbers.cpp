#include "entries/athletenumbers.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "entries/athletes.h"
#include "shell/messages.h"

#include <QList>
#include <QStringList>

namespace entries {

namespace {

// A non-negative integer typed by the user.
bool readCount(const QString& text, int* value)
{
    bool ok = false;
    *value = text.trimmed().toInt(&ok);
    return ok && *value >= 0;
}

} // namespace

AthleteNumbers::AthleteNumbers(db::DmdCoreDbs& database, int meetingNo)
    : m_db(database), m_meetingNo(meetingNo)
{
}

bool AthleteNumbers::writeNumbers(const QList<std::pair<qint64, int>>& numbers)
{
    if (!m_db.startBatch())
        return false;
    for (const auto& [athleteNo, number] : numbers) {
        if (!m_db.batchExecute(QStringLiteral("update ATHLETE set NUMBER = ") +
                               db::quoted(QString::number(number)) +
                               QStringLiteral(" where ATHLETENO = ") + db::sqlInt(athleteNo))) {
            m_db.rollbackBatch();
            m_db.messages().internalError(30201, QStringLiteral("Renumbering failed:\r") +
                                                     m_db.lastError().message);
            return false;
        }
    }
    return m_db.commitBatch();
}

bool AthleteNumbers::renumberTeam(qint64 teamNo, const QString& firstText)
{
    shell::Messages& messages = m_db.messages();
    int first = 0;
    if (!readCount(firstText, &first)) {
        messages.warning(QStringLiteral("The number is not valid: ") + firstText);
        return false;
    }
    const QString team = m_db.selectOneValue(QStringLiteral("TEAMNAME"), QStringLiteral("TEAM"),
                                             QStringLiteral("TEAMNO = ") + db::sqlInt(teamNo));
    db::Query q =
        m_db.openQuery(QStringLiteral("select ATHLETENO from ATHLETE where TEAMNO = ") +
                       db::sqlInt(teamNo) + QStringLiteral(" and SURNAME <> ") +
                       db::quoted(kRelayTeamSurname) + QStringLiteral(" order by GENDER, SURNAME"));
    if (q.isEmpty()) {
        messages.information(QStringLiteral("No Athletes for Team ") + team);
        return false;
    }
    if (!messages.confirm(QStringLiteral("Renumber the athletes of ") + team +
                          QStringLiteral(" starting at ") + QString::number(first)))
        return false;
    QList<std::pair<qint64, int>> numbers;
    int number = first;
    for (q.first(); !q.eof(); q.next())
        numbers.append({q.integer(QStringLiteral("ATHLETENO")), number++});
    if (!writeNumbers(numbers))
        return false;
    messages.information(QStringLiteral("Done: renumbered ") + QString::number(numbers.size()) +
                         QStringLiteral(" athletes using numbers between ") +
                         QString::number(first) + QStringLiteral(" and ") +
                         QString::number(number - 1));
    return true;
}

bool AthleteNumbers::renumberAll(const QString& firstText, const QString& gapText)
{
    shell::Messages& messages = m_db.messages();
    int first = 0;
    int gap = 0;
    if (!readCount(firstText, &first)) {
        messages.warning(QStringLiteral("The starting number is not valid"));
        return false;
    }
    if (!readCount(gapText, &gap)) {
        messages.warning(QStringLiteral("The gap is not valid"));
        return false;
    }
    db::Query q = m_db.openQuery(
        QStringLiteral("select a.ATHLETENO, a.TEAMNO from ATHLETE a join TEAM t on t.TEAMNO = "
                       "a.TEAMNO where t.MEETINGNO = ") +
        db::sqlInt(m_meetingNo) + QStringLiteral(" and a.SURNAME <> ") +
        db::quoted(kRelayTeamSurname) +
        QStringLiteral(" order by t.TEAMNAME, t.TEAMNO, a.GENDER, a.SURNAME"));
    if (q.isEmpty()) {
        messages.information(QStringLiteral("No athletes for meeting"));
        return false;
    }
    if (!messages.confirm(QStringLiteral("Renumber all the athletes starting at ") +
                          QString::number(first) + QStringLiteral("\r leaving a gap of ") +
                          QString::number(gap) + QStringLiteral(" between teams")))
        return false;
    if (!messages.confirm(QStringLiteral("All previous numbering will be lost: Continue")))
        return false;
    messages.progress(QStringLiteral("Renumbering ALL athletes"), QString());
    QList<std::pair<qint64, int>> numbers;
    qint64 team = -1;
    int number = first - 1;
    for (q.first(); !q.eof(); q.next()) {
        const qint64 thisTeam = q.integer(QStringLiteral("TEAMNO"));
        number += (team != -1 && thisTeam != team) ? 1 + gap : 1;
        team = thisTeam;
        numbers.append({q.integer(QStringLiteral("ATHLETENO")), number});
    }
    const bool ok = writeNumbers(numbers);
    messages.progressDone();
    if (ok) {
        messages.information(
            QStringLiteral("Done: all athletes renumbered using numbers between ") +
            QString::number(first) + QStringLiteral(" and ") + QString::number(number));
    }
    return ok;
}

int AthleteNumbers::highestNumber(QStringList* notNumeric)
{
    db::Query q = m_db.openQuery(
        QStringLiteral("select a.NUMBER from ATHLETE a join TEAM t on t.TEAMNO = a.TEAMNO where "
                       "t.MEETINGNO = ") +
        db::sqlInt(m_meetingNo) + QStringLiteral(" and coalesce(a.NUMBER, '') <> ''"));
    int highest = 0;
    for (q.first(); !q.eof(); q.next()) {
        const QString text = q.text(QStringLiteral("NUMBER")).trimmed();
        bool ok = false;
        const int n = text.toInt(&ok);
        if (ok)
            highest = std::max(highest, n);
        else if (notNumeric)
            notNumeric->append(text);
    }
    return highest;
}

void AthleteNumbers::reportHighestNumber()
{
    QStringList others;
    const int highest = highestNumber(&others);
    QString text =
        QStringLiteral("The highest number assigned so far is ") + QString::number(highest);
    if (!others.isEmpty())
        text +=
            QStringLiteral("\r\rNumbers that are not numeric:\r") + others.join(QLatin1Char('\r'));
    m_db.messages().information(text);
}

} // namespace entries
