#pragma once

#include "publish/liffile.h"

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

namespace base {
class Run;
}

namespace publish {

// How EIF_RACE.ASSIGN_ATH_OR_LANE says what EIF_RANK.ATH_OR_LANE holds.
enum AssignBy { kAssignByNumber = 1, kAssignByLane = 2 };
// EIF_RACE.STATUS and MATCH.
enum RaceStatus { kRaceRead = 1, kRaceWritten = 2 };
enum RaceMatch { kMatchNone = 0, kMatchProposed = 1, kMatchConfirmed = 2 };

// Keeps a race read from a file in EIF_RACE with its places in EIF_RANK (one transaction)
// and proposes the heat whose sequence and heat the file names. Returns the race's key,
// 0 when it could not be stored.
qint64 storeRace(base::Run& run, const QString& fileName, const LifRace& race,
                 const QString& fileDateTime, qint64 fileSize);
// The same for the race read from the file at `path`, named by the file's name, time and
// size; 0 after the warning "The race could not be stored".
qint64 storeRaceOfFile(base::Run& run, const QString& path, const LifRace& race);

// The program row with the race's sequence and heat (a final for heat 0 or when there is
// no such heat); 0 when none.
qint64 proposedProgramRow(base::Run& run, const LifRace& race);

struct RaceWrite {
    bool ok = false;
    int written = 0;
    QStringList errors; // "Line 5: ..."
    QString text() const;
};

// Writes the race's times into the heat of `programNo` as typed results: each line is
// matched to an athlete of the heat by number (or by lane when the file has no numbers),
// checked as the capture checks a typed result, and when every line passes all are written
// in one transaction, the links of EIF_JOIN_PRGM and EIF_JOIN_RANK are kept and the places
// calculated. Any refused line writes nothing.
// The lines in `leftOut` (by line number) are passed over, as the official chose.
RaceWrite writeRaceIntoHeat(base::Run& run, qint64 raceNo, const LifRace& race, qint64 programNo,
                            const QSet<int>& leftOut = {});

// What the write would refuse, by line number (0 for the heat itself), so that a screen
// can mark the lines before the official confirms; empty when every line would be written.
QMap<int, QString> raceProblems(base::Run& run, const LifRace& race, qint64 programNo);

// "Wipe all the TimeTronics Races and Ranks for this meeting": deletes the meeting's races,
// their ranks and links, and reports the counts.
bool wipeRaces(base::Run& run, int* races, int* ranks);

} // namespace publish
