#include "scoring/resultscores.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "scoring/placedresults.h"

namespace scoring {

ResultScores::ResultScores(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                           const meeting::MeetingSettings& meeting)
    : m_db(database), m_settings(TableScoreSettings::of(meeting)),
      m_tables(items, database.messages()), m_athletes(database, m_tables, m_settings)
{
}

bool ResultScores::usable(const QString& what)
{
    if (!m_settings.hasTableScore || m_settings.scoreSet < 1) {
        m_db.messages().warning(QStringLiteral("Since this Meeting does not use a Score Table, ") +
                                what + QStringLiteral(" cannot be based on table scores."));
        return false;
    }
    return m_tables.requireAtHand(m_settings.scoreSet);
}

int ResultScores::score(const PlacedResult& result, bool clamp)
{
    if (result.athleteNo > 0) {
        // An age the tables cannot score would otherwise be reported once per result.
        const AgedItem aged = itemForAge(result.itemCode, result.age, m_settings.hasMastersItems);
        const bool component =
            result.nAthlon != 0 && !result.itemCode.startsWith(QLatin1String("NTH"));
        const QString refusal =
            !aged.refusal.isEmpty() ? aged.refusal
            : aged.masters ? mastersRefusal(m_tables.data(), result.itemCode, result.age, component)
                           : QString();
        if (!refusal.isEmpty()) {
            if (!m_refused.contains(refusal)) {
                m_refused.insert(refusal);
                m_db.messages().warning(refusal);
            }
            return 0;
        }
    }
    const ScoredAthlete athlete{result.age, result.athleteNathlon};
    return m_athletes
        .AthleteTableScore(result.itemCode, result.performance,
                           result.athleteNo > 0 ? &athlete : nullptr, clamp, result.timingCode,
                           result.nAthlon)
        .value_or(0);
}

} // namespace scoring
