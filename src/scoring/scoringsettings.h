#pragma once

#include <QList>
#include <QString>

namespace meeting {
class MeetingSettings;
}
namespace base {
class Run;
}

namespace scoring {

// The meeting's settings of place points, team scores and medals ("Settings: Winners"),
// read from the loaded meeting settings.
struct ScoringSettings {
    int teamScoreBasis = 0; // 0 none, 1 place points, 2 table scores, 99 top athletes
    int teamScorePlaces = 0;
    bool sharePlacePoints = false;
    bool leaguesHaveOwnPoints = false;
    int disqDeductPoints = 0;
    int medalBasedOn = 0; // 0 none, 1 place, 2 table score
    bool medalsExcludeTeams = false;
    bool checkGold = false;
    bool checkSilver = false;
    bool checkBronze = false;
    int pointGold = 0;
    int pointSilver = 0;
    int pointBronze = 0;
    int athleteScoreBasis = 0;
    int athleteScoreEvents = 0;
    int olderStartAge = 0;
    bool hasTableScore = false;
    // (record set, points) pairs of MEETINGSET with points.
    QList<std::pair<qint64, int>> recordBonuses;
    QList<std::pair<qint64, int>> failStandards;

    static ScoringSettings of(const meeting::MeetingSettings& meeting);
};

// The checks of "Settings: Winners" before they are accepted: the message of the first that
// fails, empty when they can be stored. `taggedTeams` is the number of teams marked to be
// left out of the medals; `deductionText` the deduction as typed.
QString winnersSettingsRefusal(const ScoringSettings& settings, const QString& deductionText,
                               int taggedTeams);

// Stores the settings in the current meeting after the checks above (the teams tagged in
// TEAM.EXCLUDE_MEDALS are counted here); false, with the message, when one fails.
bool saveWinnersSettings(base::Run& run, const ScoringSettings& settings,
                         const QString& deductionText);

// The swimming edition has no score tables: a meeting marked to print table scores with a
// score set chosen has the mark cleared, after saying so. True when it was cleared.
bool clearSwimmingTableScore(base::Run& run);

// The values offered when the medal basis is switched: places 1, 2, 3 or scores 800, 700,
// 600.
void defaultMedalValues(ScoringSettings& settings);

} // namespace scoring
