#pragma once

#include "publish/fieldrows.h"

#include <QList>
#include <QString>

namespace base {
class Run;
}

namespace publish {

class MeetingReads;
class WebSite;

// A "Seq range" of the start lists: both 0 for every heat of the day.
struct SeqRange {
    int from = 0;
    int to = 0;
    bool all() const { return from == 0 && to == 0; }
    bool contains(int seq) const { return all() || (seq >= from && seq <= to); }
    QString text() const;
    // "3-10" (or "7"); false for anything else.
    static bool parse(const QString& text, SeqRange* range);
};

// The start lists of the day's heats in the range (every heat with a drawn lane), as
// Day d/Starters.html. The selection is remembered for the next time.
bool publishStarters(WebSite& site, int day, const SeqRange& range);
// The remembered selection; false with "No selection saved yet".
bool savedStartersSelection(WebSite& site, SeqRange* range);

// The program of one day as Day d/Program.html.
bool publishProgram(WebSite& site, int day);
// The rows of the day's program: Seq, Time, Pit, Event, NextEvent, Spec.
Listing programListing(base::Run& run, MeetingReads& reads, int day);

// The team totals as TeamTotals.html, or one TeamTotals_Comp<n>.html per league when the
// leagues have their own place points.
bool publishTeamTotals(WebSite& site);

} // namespace publish
