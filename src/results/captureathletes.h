#pragma once

#include "draw/heatmembers.h"

#include <QHash>
#include <QList>
#include <QString>

namespace db {
class DmdCoreDbs;
class SideReader;
} // namespace db
namespace meeting {
class ItemTypes;
}

namespace results {

struct CaptureProgramRow;

// C_IsDupPerf: where a track performance stands with its third timing digit.
enum class ThirdDigitState {
    Nothing = 0,   // no duplicate, no digit (and every field item or blank performance)
    Done = 1,      // "done: you entered a third digit"
    Needed = 2,    // "it still needs a third digit"
    NotWanted = 3, // "it should NOT have a third digit"
};
QString thirdDigitStateText(ThirdDigitState state);

// One athlete of a heat or final with the result columns the capture edits. The final's
// rows are PARTICIPATE rows (key PARTNO), a heat's HEATPART rows (key HEATPARTNO).
struct CaptureAthleteRow {
    qint64 key = 0;
    bool final = false;
    qint64 athleteNo = 0;
    QString number;
    QString surname;
    QString firstName;
    QString teamName;
    QString teamAbrv;
    int league = 0; // the team's competition when the meeting has leagues
    QString idNumber;
    QString disabilityClasses; // comma-separated, as entered
    int age = 0;
    int lane = 0;
    int ePlace = 0;
    int place = 0;
    int shareCount = 0;
    QString performance;
    QString thirdDigit;
    int status = 0;
    QString reason;
    QString wind;
    ThirdDigitState digitState = ThirdDigitState::Nothing;

    QString name() const;
    // "(4) Smith, Ann": how the edit dialog names the athlete.
    QString caption() const;
    bool hasPerformance() const;
};

// The athletes of a program row in one of the three orders, with their third-digit states.
QList<CaptureAthleteRow> captureAthletes(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                                         const CaptureProgramRow& row, draw::MemberOrder order);
// One athlete of the row's heat; key 0 when the athlete is not in it.
CaptureAthleteRow captureAthlete(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                                 const CaptureProgramRow& row, qint64 athleteNo);
// Fills the third-digit states of a race's rows (a field item gets none).
void markThirdDigitStates(const meeting::ItemTypes& items, const QString& itemCode,
                          QList<CaptureAthleteRow>& rows);
// How many rows a heat or final has, how many of them have a lane, and how many a result
// (a status, a place or a performance).
struct HeatCounts {
    int athletes = 0;
    int drawn = 0;
    int withResults = 0;
};

// The columns of a heat's or final's rows that are the athlete's own and the team's.
struct AthleteColumns {
    QString number;
    QString surname;
    QString firstName;
    int age = 0;
    QString idNumber;
    QString disabilityClasses;
    QString teamName;
    QString teamAbrv;
    int league = 0;
};

// A heat's or final's row as read, before the athlete's own columns are added.
struct ReadRaceRow {
    CaptureAthleteRow athlete;
    qint64 eventNo = 0;
    QString round;
    int heatNo = 0;
};

// The athletes of every heat and final of a meeting, read in a few queries (for work over
// the whole program, where a query per heat costs more than the work).
class MeetingAthletes {
public:
    MeetingAthletes(db::DmdCoreDbs& database, qint64 meetingNo);
    // Reading in two steps: the heats, the most of it, are read and put together on the
    // side connection while the athletes and the finals are read here, and then whatever
    // the caller reads meanwhile; completeHeats() waits for the heats.
    MeetingAthletes(db::DmdCoreDbs& database, qint64 meetingNo, db::SideReader& side);
    ~MeetingAthletes();
    MeetingAthletes(const MeetingAthletes&) = delete;
    MeetingAthletes& operator=(const MeetingAthletes&) = delete;
    void completeHeats();
    // The athletes of the row's heat or final in lane order, with their third-digit states:
    // captureAthletes(..., MemberOrder::Lane) without a final's entries who have no lane,
    // place or status.
    QList<CaptureAthleteRow> of(const meeting::ItemTypes& items,
                                const CaptureProgramRow& row) const;
    // The counts of a heat (not a final), every row of it counted as it was read.
    HeatCounts heatCounts(qint64 eventNo, const QString& round, int heatNo) const;

private:
    void readFinals(db::DmdCoreDbs& database, qint64 meetingNo);
    void completeHeats(QList<ReadRaceRow>& heats);

    QHash<qint64, AthleteColumns> m_athleteColumns; // until the heats are in; only read
                                                    // while they are put together elsewhere
    db::SideReader* m_side = nullptr;               // the heats are being read there
    QList<ReadRaceRow> m_sideHeats;
    QHash<QString, QList<CaptureAthleteRow>> m_heats;
    QHash<QString, HeatCounts> m_heatCounts;
    QHash<qint64, QList<CaptureAthleteRow>> m_finals;
};

// The table and key column of the row's athletes.
QString resultTable(const CaptureProgramRow& row);
QString resultKey(const CaptureProgramRow& row);

} // namespace results
