#pragma once

#include "sheets/sheetpage.h"

#include <QList>
#include <QString>

namespace base {
class Run;
}

namespace sheets {

// How many lanes get a timesheet and how many program rows go on one page.
struct LaneLimits {
    int lanes = 0;
    int perPage = 6;
};

inline constexpr int kMaxLanes = 20;
inline constexpr int kMaxPerPage = 12;

// The highest lane drawn in the meeting, else the remembered lanes; the remembered events
// per page, 6 when below 1.
LaneLimits defaultLaneLimits(base::Run& run);
// The system's message for limits out of range; empty when they can be printed.
QString laneLimitsProblem(const LaneLimits& limits);
// Reads "1-8" or "8" (lanes 1 to 8) and a per-page text; the message when refused.
QString parseLaneLimits(const QString& lanes, const QString& perPage, LaneLimits* limits);
void saveLaneLimits(base::Run& run, const LaneLimits& limits);

// One program row followed through a lane.
struct LaneRow {
    int lane = 0;
    int seq = 0;
    int day = 0;
    QString time;
    QString item;
    QString round; // "Final" or "A 2"
    QString record;
    QString team;
    QString swimmer; // surname, first name, gender, age, number, birth date
};

// Every lane from 1 with every program row of the meeting (finals that are not run left
// out), by lane, day, sequence, time, round and heat. Empty, after "No items to print",
// when the meeting has no program rows.
QList<LaneRow> laneRows(base::Run& run, const LaneLimits& limits);
// The pages: each lane starts a page, at most `perPage` rows a page.
QList<SheetPage> lanePages(base::Run& run, const QList<LaneRow>& rows, const LaneLimits& limits);

} // namespace sheets
