#include "scoring/resultpoints.h"

#include "meeting/itemtypes.h"
#include "records/recordcheck.h"

#include <cmath>

namespace scoring {

PlacePoints::PlacePoints(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                         const ScoringSettings& settings, int meetingNo,
                         records::RecordCheck* check)
    : m_items(items), m_settings(settings), m_check(check),
      m_table(PlacePointsTable(database, meetingNo).all())
{
    if (m_check) {
        for (const auto& [set, points] : m_settings.recordBonuses + m_settings.failStandards) {
            Q_UNUSED(points);
            m_check->loadSet(set);
        }
    }
}

qint64 PlacePoints::units(const ResultForPoints& r) const
{
    if (r.disqStatus > 0)
        return m_settings.disqDeductPoints >= 1 ? -m_settings.disqDeductPoints * kPointUnit : 0;
    qint64 total = 0;
    if (m_check && !r.performance.isEmpty()) {
        for (const auto& [set, points] : m_settings.failStandards) {
            // An item without a standard in the set cannot fail it.
            if (!m_check->recordOf(set, r.itemCode).isEmpty() &&
                m_check->compareWithSet(set, r.itemCode, r.performance) < records::Equalled)
                total = qint64(points) * kPointUnit;
        }
    }
    if (total < 0 || r.place <= 0 || r.eventExcludesPoints)
        return total;
    const int league = m_settings.leaguesHaveOwnPoints ? r.league : 0;
    const int share = m_settings.sharePlacePoints ? std::max(0, r.shareCount) : 0;
    const bool relay = m_items.IsRelayGroup(m_items.ItemGroup(r.itemCode));
    qint64 sum = 0;
    for (int place = r.place; place <= r.place + share; ++place) {
        const auto row = m_table.constFind({league, place});
        if (row != m_table.constEnd())
            sum += relay ? row->relay : row->point;
    }
    if (share >= 1)
        sum = std::llround(double(sum) / (share + 1));
    total += sum;
    if (r.place == 1 && m_check) {
        for (const auto& [set, points] : m_settings.recordBonuses) {
            if (m_check->compareWithSet(set, r.itemCode, r.performance) == records::Broken)
                total += qint64(points) * kPointUnit;
        }
    }
    return total;
}

} // namespace scoring
