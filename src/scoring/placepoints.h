#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace db {
class DmdCoreDbs;
}
namespace base {
class ConfigStore;
}

namespace scoring {

// Points are kept in ten-thousandths so that shared places add up exactly.
inline constexpr qint64 kPointUnit = 10000;
qint64 toUnits(double points);
double fromUnits(qint64 units);
// "3.5", "4", "-2": the points as a report shows them.
QString pointsText(qint64 units);

struct PlacePointRow {
    int league = 0;
    int place = 0;
    qint64 point = 0; // units
    qint64 relay = 0; // units
};

// The errors of a league's table: a place without points, or points that rise from one
// place to the next (individual and relay points alike). Empty when it can be used.
QStringList placePointsErrors(const QList<PlacePointRow>& rows);

// The place-points table of a meeting (PLACEPOINT): per league, places 1, 2, ... without
// gaps, with the points of an individual and of a relay result.
class PlacePointsTable {
public:
    PlacePointsTable(db::DmdCoreDbs& database, int meetingNo);

    // The leagues the grid offers: the distinct leagues above 0 of the meeting's teams, or
    // league 0 alone.
    QList<int> leagues();
    QList<PlacePointRow> ofLeague(int league);
    // Every row of the meeting, by league and place.
    QMap<std::pair<int, int>, PlacePointRow> all();

    // Appends the next place of the league with its points; refused beyond the place limit
    // ("You are already at the Place-limit: ").
    bool increase(int league, const QString& points, const QString& relayPoints, int placeLimit);
    // Deletes the league's last place after the question; "No Place to delete" when none.
    bool decrease(int league);
    // Changes the points of an existing place ("First add a place to edit"; "The score must
    // be a number, and not negative.").
    bool setPoints(int league, int place, const QString& points, bool relay);
    // Sets a place's points from the command line: an existing place or the next one, and
    // only when the league's table stays usable (the check's message otherwise).
    bool setChecked(int league, int place, const QString& points, bool relay, int placeLimit);

    // The check before the table is used: every place has points, points never rise, and
    // every league of the teams has a table. The errors, empty when none.
    QStringList errors(bool leaguesHaveOwnPoints);
    // The same with the question of the screens: true to go on.
    bool checkBeforeUse(bool leaguesHaveOwnPoints);

private:
    bool readPoints(const QString& text, qint64* units);

    db::DmdCoreDbs& m_db;
    int m_meetingNo;
};

// The highest place a table may have (the user setting MAX_PLACES_LIMIT, 40 when unset).
int placeLimit(const base::ConfigStore& store);

} // namespace scoring
