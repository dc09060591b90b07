#include "scoring/topathletesettings.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/meetingsettings.h"

#include <QRegularExpression>

#include <algorithm>
#include <numeric>

namespace scoring {

namespace {

const QString kGroups[] = {QStringLiteral("T"), QStringLiteral("F")};

QString groupWord(const QString& group)
{
    return group == QLatin1String("F") ? QStringLiteral("Field") : QStringLiteral("Track");
}

QString ageList(const QList<int>& ages)
{
    QStringList words;
    for (const int age : ages)
        words << QString::number(age);
    return words.join(QStringLiteral(", "));
}

} // namespace

std::optional<QList<int>> TopAthleteSettings::ageCounts() const
{
    QList<int> counts;
    static const QRegularExpression separators(QStringLiteral("[,;\\s]+"));
    for (const QString& word : agesCounts.split(separators, Qt::SkipEmptyParts)) {
        bool ok = false;
        const int count = word.toInt(&ok);
        if (!ok || count < 0)
            return std::nullopt;
        counts.append(count);
    }
    return counts;
}

int TopAthleteSettings::minimum(int age, const QString& group) const
{
    for (const TopAthleteMinimum& m : minimums) {
        if (m.age == age && m.group == group)
            return m.parts;
    }
    return 0;
}

QList<int> topAthleteAges(db::DmdCoreDbs& database, int meetingNo)
{
    db::Query q = database.openQuery(
        QStringLiteral("select distinct C_AGE from MYEVENT where SELECTED = 'X' and MEETINGNO = ") +
        db::sqlInt(meetingNo));
    QList<int> ages;
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        bool ok = false;
        const int age = q.text(QStringLiteral("C_AGE")).trimmed().toInt(&ok);
        if (ok && age > 0 && age != 99 && !ages.contains(age))
            ages.append(age);
    }
    std::sort(ages.begin(), ages.end());
    return ages;
}

std::optional<TopAthleteSettings> loadTopAthleteSettings(db::DmdCoreDbs& database, int meetingNo,
                                                         int league)
{
    db::Query q = database.openQuery(
        QStringLiteral("select AGE, ITEMGROUP, MIN_PARTS, REST_PARTS, AGES_COUNTS, "
                       "MAX_PERFS_PER_ATH, GENDERS_COUNT, VALIDATED from TOP_ATH_SETTINGS "
                       "where MEETINGNO = ") +
        db::sqlInt(meetingNo) + QStringLiteral(" and coalesce(LEAGUE, 0) = ") + db::sqlInt(league) +
        QStringLiteral(" order by AGE, ITEMGROUP"));
    std::optional<TopAthleteSettings> settings;
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        if (!settings) {
            settings.emplace();
            settings->league = league;
        }
        const QString group = q.text(QStringLiteral("ITEMGROUP")).trimmed();
        if (group.isEmpty()) {
            // The league's own row.
            settings->agesCounts = q.text(QStringLiteral("AGES_COUNTS")).trimmed();
            settings->restParts = int(q.integer(QStringLiteral("REST_PARTS")));
            settings->maxPerfsPerAthlete = int(q.integer(QStringLiteral("MAX_PERFS_PER_ATH")));
            settings->splitGenders = q.integer(QStringLiteral("GENDERS_COUNT")) == 2;
            settings->validated = q.integer(QStringLiteral("VALIDATED")) == 1;
        } else {
            settings->minimums.append({int(q.integer(QStringLiteral("AGE"))), group,
                                       int(q.integer(QStringLiteral("MIN_PARTS")))});
        }
    }
    return settings;
}

TopAthleteSettings defaultTopAthleteSettings(const meeting::MeetingSettings& meeting, int league)
{
    TopAthleteSettings s;
    s.league = league;
    s.agesCounts = meeting.text(QStringLiteral("TOP_ATH_AGES_COUNTS")).trimmed();
    s.restParts = int(meeting.integer(QStringLiteral("TOPATHRESTPARTS")));
    s.maxPerfsPerAthlete =
        std::max(1, int(meeting.integer(QStringLiteral("TOP_ATH_MAX_PERFS_PER_ATH"))));
    s.splitGenders = meeting.integer(QStringLiteral("TOP_ATH_GENDERS_COUNT")) == 2;
    return s;
}

QStringList topAthleteSettingsProblems(const TopAthleteSettings& s, const QList<int>& ages)
{
    QStringList problems;
    const std::optional<QList<int>> counts = s.ageCounts();
    if (!counts || (counts->size() != 0 && counts->size() != 3 && counts->size() != 4))
        problems << QStringLiteral("Expected either 0 or 3 or 4 in TOP_ATH_AGES_COUNTS:") +
                        s.agesCounts;
    else if (!counts->isEmpty() && counts->size() != ages.size())
        problems << QStringLiteral("The Meeting has ") + QString::number(ages.size()) +
                        QStringLiteral(" ages (") + ageList(ages) + QStringLiteral("), but ") +
                        QString::number(counts->size()) +
                        QStringLiteral(" performance counts are given.");
    if (std::none_of(s.minimums.begin(), s.minimums.end(),
                     [](const TopAthleteMinimum& m) { return m.parts > 0; }))
        problems << QStringLiteral("You have not specified any minimums.");
    if (s.maxPerfsPerAthlete < 1)
        problems << QStringLiteral("Each athlete must be allowed at least one performance.");
    if (s.restParts < 0)
        problems << QStringLiteral("The number of best-of-the-rest performances may not be "
                                   "negative.");
    const int counted = counts ? int(std::accumulate(counts->begin(), counts->end(), 0)) : 0;
    if (counts && counted + std::max(0, s.restParts) == 0)
        problems << QStringLiteral("No performances are counted: give the performances per age "
                                   "or of the rest.");
    for (const TopAthleteMinimum& m : s.minimums) {
        if (m.parts < 0)
            problems << QStringLiteral("The minimum of ") + groupWord(m.group) +
                            QStringLiteral(" for age ") + QString::number(m.age) +
                            QStringLiteral(" may not be negative.");
        else if (m.parts > 0 && !ages.contains(m.age))
            problems << QStringLiteral("There are no items of age ") + QString::number(m.age) +
                            QStringLiteral(" for its minimum of ") + groupWord(m.group) +
                            QStringLiteral(".");
    }
    // An age can only meet both minimums with enough counted performances: its own and the
    // best of the rest.
    if (counts && counts->size() == ages.size()) {
        for (qsizetype i = 0; i < ages.size(); ++i) {
            const int needed = s.minimum(ages[i], kGroups[0]) + s.minimum(ages[i], kGroups[1]);
            if (needed > counts->at(i) + std::max(0, s.restParts))
                problems << QStringLiteral("The minimums of age ") + QString::number(ages[i]) +
                                QStringLiteral(" (") + QString::number(needed) +
                                QStringLiteral(") are more than the performances it can count (") +
                                QString::number(counts->at(i) + s.restParts) + QStringLiteral(").");
        }
    }
    return problems;
}

bool acceptTopAthleteSettings(db::DmdCoreDbs& database, int meetingNo, const TopAthleteSettings& s)
{
    base::Messages& messages = database.messages();
    const QStringList problems = topAthleteSettingsProblems(s, topAthleteAges(database, meetingNo));
    if (!problems.isEmpty() &&
        !messages.confirm(problems.join(QLatin1Char('\r')) +
                          QStringLiteral("\r\rThe settings are not correct.  Accept anyway")))
        return false;
    const QString meeting = db::sqlInt(meetingNo);
    const QString league = db::sqlInt(s.league);
    if (!database.startBatch())
        return false;
    bool ok =
        database.batchExecute(QStringLiteral("delete from TOP_ATH_SETTINGS where MEETINGNO = ") +
                              meeting + QStringLiteral(" and coalesce(LEAGUE, 0) = ") + league);
    const qint64 leagueRow = database.nextKeyNumber();
    ok = ok && leagueRow > 0 &&
         database.batchExecute(
             QStringLiteral("insert into TOP_ATH_SETTINGS (DUMMY_NO, MEETINGNO, LEAGUE, "
                            "REST_PARTS, AGES_COUNTS, MAX_PERFS_PER_ATH, GENDERS_COUNT, "
                            "VALIDATED) values (") +
             db::sqlInt(leagueRow) + ", " + meeting + ", " + league + ", " +
             db::sqlInt(s.restParts) + ", " + db::quoted(s.agesCounts.trimmed()) + ", " +
             db::sqlInt(s.maxPerfsPerAthlete) + ", " + db::sqlInt(s.splitGenders ? 2 : 0) +
             QStringLiteral(", 1)"));
    for (const TopAthleteMinimum& m : s.minimums) {
        if (!ok)
            break;
        if (m.parts == 0)
            continue;
        const qint64 row = database.nextKeyNumber();
        ok = row > 0 &&
             database.batchExecute(
                 QStringLiteral("insert into TOP_ATH_SETTINGS (DUMMY_NO, MEETINGNO, LEAGUE, AGE, "
                                "ITEMGROUP, MIN_PARTS) values (") +
                 db::sqlInt(row) + ", " + meeting + ", " + league + ", " + db::sqlInt(m.age) +
                 ", " + db::quoted(m.group) + ", " + db::sqlInt(m.parts) + ")");
    }
    if (!ok) {
        database.rollbackBatch();
        return false;
    }
    return database.commitBatch();
}

QString topAthleteSettingsRefusal(const std::optional<TopAthleteSettings>& settings, int league)
{
    if (!settings)
        return QStringLiteral("TopScore settings does not exist (") + QString::number(league) +
               QStringLiteral(")");
    if (!settings->validated)
        return QStringLiteral("TopScore settings not validated (") + QString::number(league) +
               QStringLiteral(")");
    return QString();
}

} // namespace scoring
