#pragma once

#include "scoring/athletetablescore.h"
#include "scoring/perftoscore.h"

#include <QSet>
#include <QString>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
class MeetingSettings;
} // namespace meeting

namespace scoring {

struct PlacedResult;

// The table scores of the placed results that one report reads: one score table and the
// meeting's scoring settings for all of its rows, each refusal shown once.
class ResultScores {
public:
    ResultScores(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                 const meeting::MeetingSettings& meeting);

    // Whether table scores can be a basis of `what` ("team totals", "the medals"): the
    // meeting must score all events with a set whose data is at hand. The reason is shown
    // when not.
    bool usable(const QString& what);

    // The table score of one result, clamped to 1200 unless asked not to (what the best
    // athletes sum); 0 when it cannot be scored.
    int score(const PlacedResult& result, bool clamp = true);

private:
    db::DmdCoreDbs& m_db;
    TableScoreSettings m_settings;
    TableScores m_tables;
    AthleteScores m_athletes;
    QSet<QString> m_refused;
};

} // namespace scoring
