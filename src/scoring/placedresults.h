#pragma once

#include <QList>
#include <QString>

namespace db {
class DmdCoreDbs;
}

namespace scoring {

// One final result (PARTICIPATE) with what the scores need of its event, team and athlete.
struct PlacedResult {
    qint64 partNo = 0;
    qint64 eventNo = 0;
    qint64 athleteNo = 0;
    qint64 teamNo = 0;
    QString itemCode;
    int nAthlon = 0;
    bool eventExcludesPoints = false;
    bool eventExcludesMedals = false;
    int league = 0;
    QString teamAbbreviation;
    QString teamName;
    bool teamExcludedFromMedals = false;
    QString gender;
    int age = 0;
    QString surname;
    QString firstName;
    QString performance;
    QString wind;
    int place = 0;
    int shareCount = 0;
    int disqStatus = 0;
    int timingCode = 0;     // ELECHAND of the event's final (0 = the meeting's)
    int athleteNathlon = 0; // the athlete's N_ATHLON

    // A component of a combined event counts for nothing on its own.
    bool isCombinedComponent() const
    {
        return nAthlon != 0 && !itemCode.startsWith(QLatin1String("NTH"));
    }
};

// The meeting's final results that are placed or disqualified, by league, team, gender,
// age, item and place: what every team score and medal report starts from. The athletes'
// names are read only when asked for.
QList<PlacedResult> placedFinals(db::DmdCoreDbs& database, int meetingNo, bool withNames = false);

} // namespace scoring
