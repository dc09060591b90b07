#include "scoring/athletetablescore.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"

namespace scoring {

TableScoreSettings TableScoreSettings::of(const meeting::MeetingSettings& meeting)
{
    TableScoreSettings s;
    s.scoreSet = int(meeting.integer(QStringLiteral("SCORESETNO")));
    s.nAthlonScoreSet = int(meeting.integer(QStringLiteral("NATHLON_SCORESET")));
    s.hasTableScore = meeting.integer(QStringLiteral("HAS_TABLE_SCORE")) == 1;
    s.hasMastersItems = meeting.integer(QStringLiteral("HAS_MASTERS_ITEMS")) == 1;
    s.heightAboveSea = int(meeting.integer(QStringLiteral("HEIGHTABOVESEA")));
    s.timingCode = int(meeting.integer(QStringLiteral("ELECHAND")));
    return s;
}

AgedItem itemForAge(const QString& itemCode, int age, bool hasMastersItems)
{
    AgedItem result{itemCode, false, {}};
    const int itemAge = itemCode.mid(11, 2).toInt();
    if ((itemAge >= 26 && age >= 26) || hasMastersItems) {
        if (age < 26) {
            result.refusal = QStringLiteral("Age not < senior: ") + itemCode;
            return result;
        }
        if (age <= 34) {
            result.itemCode = itemCode.left(11) + QStringLiteral("25") + itemCode.mid(13);
            return result;
        }
        result.masters = true;
        result.refusal = QStringLiteral("No Age-Factor for ") + itemCode;
        return result;
    }
    if (itemAge == 99 || itemAge > 35)
        result.itemCode =
            itemCode.left(11) + QString::number(age).rightJustified(2, '0') + itemCode.mid(13);
    return result;
}

AthleteScores::AthleteScores(db::DmdCoreDbs& database, TableScores& scores,
                             const TableScoreSettings& settings)
    : m_db(database), m_scores(scores), m_settings(settings)
{
}

std::optional<int> AthleteScores::AthleteTableScore(const QString& itemCode, const QString& perf,
                                                    qint64 athleteNo, bool clamp, int timingCode,
                                                    int nAthlon)
{
    if (meeting::ItemTypes::PerfIsBlank(perf))
        return 0;
    if (athleteNo <= 0)
        return AthleteTableScore(itemCode, perf, nullptr, clamp, timingCode, nAthlon);
    db::Query q = m_db.openQuery(QStringLiteral("select AGE, N_ATHLON from ATHLETE where "
                                                "ATHLETENO=") +
                                 db::sqlInt(athleteNo));
    if (!q.isOpen() || q.isEmpty())
        return std::nullopt;
    const ScoredAthlete athlete{int(q.integer(QStringLiteral("AGE"))),
                                int(q.integer(QStringLiteral("N_ATHLON")))};
    return AthleteTableScore(itemCode, perf, &athlete, clamp, timingCode, nAthlon);
}

std::optional<int> AthleteScores::AthleteTableScore(const QString& itemCode, const QString& perf,
                                                    const ScoredAthlete* athlete, bool clamp,
                                                    int timingCode, int nAthlon)
{
    if (meeting::ItemTypes::PerfIsBlank(perf))
        return 0;
    const bool total = itemCode.startsWith(QLatin1String("NTH"));
    const bool component = nAthlon != 0 && !total;
    if (!m_settings.hasTableScore && !component)
        return 0;
    base::Messages& messages = m_db.messages();
    QString scoredItem = itemCode;
    if (athlete) {
        if (nAthlon != 0 && athlete->nAthlon != nAthlon) {
            messages.internalError(612001, QStringLiteral("nAthlon of Item and Athlete: ") +
                                               QString::number(nAthlon) + QLatin1Char(' ') +
                                               QString::number(athlete->nAthlon));
            return std::nullopt;
        }
        const AgedItem aged = itemForAge(itemCode, athlete->age, m_settings.hasMastersItems);
        if (!aged.refusal.isEmpty()) {
            messages.warning(aged.refusal);
            return std::nullopt;
        }
        scoredItem = aged.itemCode;
    }
    const int set = component ? m_settings.nAthlonScoreSet : m_settings.scoreSet;
    const int code = timingCode != 0 ? timingCode : m_settings.timingCode;
    const std::optional<int> score =
        m_scores.PerfToScore(set, scoredItem, perf, m_settings.heightAboveSea, code == 1);
    if (!score)
        return std::nullopt;
    if (clamp && set != 5 && *score != 0)
        return std::clamp(*score, 0, 1200);
    return score;
}

} // namespace scoring
