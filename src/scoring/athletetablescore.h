#pragma once

#include "scoring/perftoscore.h"

#include <QString>

#include <optional>

namespace base {
class Messages;
}
namespace db {
class DmdCoreDbs;
}
namespace meeting {
class MeetingSettings;
}

namespace scoring {

// The meeting settings that decide how a result is scored.
struct TableScoreSettings {
    int scoreSet = 0;        // SCORESETNO
    int nAthlonScoreSet = 0; // NATHLON_SCORESET
    bool hasTableScore = false;
    bool hasMastersItems = false;
    int heightAboveSea = 0;
    int timingCode = 0; // the meeting's ELECHAND

    static TableScoreSettings of(const meeting::MeetingSettings& meeting);
};

// The item an athlete of `age` is scored with: seniors of 26 to 34 as the open age "25",
// mixed-age items as the athlete's own age. Masters (35 and over) are scored on the open
// World Athletics item (hurdles up to 110 m on the men's 110 m and the women's 100 m) with
// their performance age-graded first.
struct AgedItem {
    QString itemCode;
    bool masters = false;
    QString refusal; // set when the age cannot be scored
};
AgedItem itemForAge(const QString& itemCode, int age, bool hasMastersItems);

// The five-year age group of a masters athlete: 35, 40, ..., 95.
int mastersAgeGroup(int age);
// A masters performance made comparable with the open age: multiplied by the age factor, a
// race's time then 0.01 s slower, cut (not rounded) to hundredths.
double ageGraded(double value, double factor, bool field);

// Why a masters result of `itemCode` at `age` cannot be scored with `data` (no age factor,
// or the World Athletics table it is scored on not loaded); empty when it can.
QString mastersRefusal(const ScoreData& data, const QString& itemCode, int age, bool component);
// The unclamped points of a masters result: age-graded, then scored on the open item's
// World Athletics table (the combined-event one for n-athlon components). Empty, after the
// message, when refused.
std::optional<int> mastersTableScore(TableScores& scores, base::Messages& messages,
                                     const QString& itemCode, const QString& perf, int age,
                                     bool component, double altitude, bool electronic);

// What the score of a result needs to know of its athlete.
struct ScoredAthlete {
    int age = 0;
    int nAthlon = 0; // the athlete's N_ATHLON
};

// The points of one athlete's result: what result lists, reports, team and top-athlete
// scores and combined events use.
class AthleteScores {
public:
    AthleteScores(db::DmdCoreDbs& database, TableScores& scores,
                  const TableScoreSettings& settings);

    // `athleteNo` 0 for a result without an athlete; `timingCode` the race's ELECHAND (0 =
    // the meeting's); `nAthlon` the event's N_ATHLON. Empty when refused (the reason shown).
    std::optional<int> AthleteTableScore(const QString& itemCode, const QString& perf,
                                         qint64 athleteNo, bool clamp, int timingCode, int nAthlon);
    // The same for an athlete already read (null for a result without one), as reports over
    // many results do.
    std::optional<int> AthleteTableScore(const QString& itemCode, const QString& perf,
                                         const ScoredAthlete* athlete, bool clamp, int timingCode,
                                         int nAthlon);

private:
    db::DmdCoreDbs& m_db;
    TableScores& m_scores;
    TableScoreSettings m_settings;
};

} // namespace scoring
