#include "entries/athletenumbers.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "entries/athletes.h"
#include "entries/entrysettings.h"

#include <QList>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

namespace entries {

namespace {

// A non-negative integer typed by the user.
bool readCount(const QString& text, int* value)
{
    bool ok = false;
    *value = text.trimmed().toInt(&ok);
    return ok && *value >= 0;
}

// Whether the numbers up to `last` fit the NUMBER column; the message when not.
bool fitsColumn(db::DmdCoreDbs& database, qint64 last)
{
    const int width = database.fieldLength(QStringLiteral("ATHLETE"), QStringLiteral("NUMBER"));
    if (QString::number(last).size() <= (width > 0 ? width : 7))
        return true;
    database.messages().warning(
        QStringLiteral("The Athlete number may not be longer than 7 characters"));
    return false;
}

void tally(NumberRange& range, const QString& number)
{
    ++range.athletes;
    bool ok = false;
    const int n = number.toInt(&ok);
    if (!ok || n == 0)
        return;
    range.lowest = range.numbered == 0 ? n : std::min(range.lowest, n);
    range.highest = range.numbered == 0 ? n : std::max(range.highest, n);
    ++range.numbered;
}

} // namespace

AthleteNumbers::AthleteNumbers(db::DmdCoreDbs& database, int meetingNo)
    : m_db(database), m_meetingNo(meetingNo)
{
}

bool AthleteNumbers::offered(base::Messages& messages, const EntrySettings& settings)
{
    if (settings.hasNumbers)
        return true;
    messages.information(
        QStringLiteral("This facility only has meaning if under \"Settings: Athletes\"\ryou "
                       "indicated that \"Athletes has Numbers\"."));
    return false;
}

QString AthleteNumbers::warningText()
{
    return QStringLiteral(
        "If you renumber athletes, any numbers that they may\rcurrently have will be "
        "lost.\r\rIf there are already numbers out, for instance if some\rteams already have "
        "their numbers, or if Eventsheets were\ralready printed with numbers, be carefull when "
        "renumbering.");
}

NumbersSummary AthleteNumbers::summary()
{
    NumbersSummary s;
    db::Query q = m_db.openQuery(
        QStringLiteral("select t.TEAMNO, t.TEAMNAME, t.TEAMABRV, a.GENDER, a.NUMBER from TEAM t "
                       "left join ATHLETE a on a.TEAMNO = t.TEAMNO and a.SURNAME <> ") +
        db::quoted(kRelayTeamSurname) + QStringLiteral(" where t.MEETINGNO = ") +
        db::sqlInt(m_meetingNo) + QStringLiteral(" order by t.TEAMNAME, t.TEAMNO"));
    for (q.first(); !q.eof(); q.next()) {
        const qint64 teamNo = q.integer(QStringLiteral("TEAMNO"));
        if (s.teams.isEmpty() || s.teams.last().teamNo != teamNo) {
            TeamNumbers t;
            t.teamNo = teamNo;
            t.name = q.text(QStringLiteral("TEAMNAME"));
            t.abbreviation = q.text(QStringLiteral("TEAMABRV"));
            s.teams.append(t);
        }
        if (q.isNull(QStringLiteral("GENDER")))
            continue; // a team without athletes
        TeamNumbers& t = s.teams.last();
        const QString number = q.text(QStringLiteral("NUMBER")).trimmed();
        const QString gender = q.text(QStringLiteral("GENDER")).trimmed();
        tally(t.all, number);
        tally(gender == QLatin1String("M") ? t.males : t.females, number);
        bool integer = false;
        number.toInt(&integer);
        if (!integer && !number.isEmpty())
            ++s.notIntegers;
    }
    return s;
}

void AthleteNumbers::reportNotIntegers(const NumbersSummary& summary)
{
    if (summary.notIntegers == 0)
        return;
    m_db.messages().information(QStringLiteral("There are ") +
                                QString::number(summary.notIntegers) +
                                QStringLiteral(" athlete numbers that are not integers.\rThe "
                                               "program will only pick up max and min numbers for "
                                               "integers."));
}

bool AthleteNumbers::writeNumbers(const QList<std::pair<qint64, int>>& numbers,
                                  const QString& progress)
{
    if (!m_db.startBatch())
        return false;
    for (int i = 0; i < numbers.size(); ++i) {
        const auto& [athleteNo, number] = numbers[i];
        if (!progress.isEmpty() && i % 50 == 0)
            m_db.messages().progress(progress, QString(), i, int(numbers.size()));
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
    base::Messages& messages = m_db.messages();
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
    if (!fitsColumn(m_db, qint64(first) + q.recordCount() - 1))
        return false;
    if (!messages.confirm(QStringLiteral("Renumber the athletes of ") + team +
                          QStringLiteral(" starting at ") + QString::number(first)))
        return false;
    QList<std::pair<qint64, int>> numbers;
    int number = first;
    for (q.first(); !q.eof(); q.next())
        numbers.append({q.integer(QStringLiteral("ATHLETENO")), number++});
    if (!writeNumbers(numbers, QString()))
        return false;
    messages.information(QStringLiteral("Done: renumbered ") + QString::number(numbers.size()) +
                         QStringLiteral(" athletes using numbers between ") +
                         QString::number(first) + QStringLiteral(" and ") +
                         QString::number(number - 1));
    return true;
}

bool AthleteNumbers::renumberAll(const QString& firstText, const QString& gapText)
{
    base::Messages& messages = m_db.messages();
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
    const int teams = m_db.ZSqlRecCount(
        QStringLiteral(
            "select count(distinct a.TEAMNO) as NRECS from ATHLETE a join TEAM t on t.TEAMNO = "
            "a.TEAMNO where t.MEETINGNO = ") +
        db::sqlInt(m_meetingNo) + QStringLiteral(" and a.SURNAME <> ") +
        db::quoted(kRelayTeamSurname));
    if (!fitsColumn(m_db, qint64(first) + q.recordCount() - 1 + qint64(teams - 1) * gap))
        return false;
    if (!messages.confirm(QStringLiteral("Renumber all the athletes starting at ") +
                          QString::number(first) + QStringLiteral("\r leaving a gap of ") +
                          QString::number(gap) + QStringLiteral(" between teams")))
        return false;
    if (!messages.confirm(QStringLiteral("All previous numbering will be lost: Continue")))
        return false;
    QList<std::pair<qint64, int>> numbers;
    qint64 team = -1;
    int number = first - 1;
    for (q.first(); !q.eof(); q.next()) {
        const qint64 thisTeam = q.integer(QStringLiteral("TEAMNO"));
        number += (team != -1 && thisTeam != team) ? 1 + gap : 1;
        team = thisTeam;
        numbers.append({q.integer(QStringLiteral("ATHLETENO")), number});
    }
    const bool ok = writeNumbers(numbers, QStringLiteral("Renumbering ALL athletes"));
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

QString AutoNumbering::suggestion()
{
    if (m_counter <= 0)
        m_counter = m_numbers.highestNumber() + 1;
    return QString::number(m_counter);
}

bool AutoNumbering::check(base::Messages& messages, const QString& number)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    if (digits.match(number).hasMatch())
        return true;
    messages.warning(QStringLiteral("The number must be numeric with no spaces"));
    return false;
}

void AutoNumbering::taken(const QString& number)
{
    m_counter = m_counter > 0 && number == QString::number(m_counter) ? m_counter + 1 : 0;
}

} // namespace entries
