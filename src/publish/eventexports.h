#pragma once

#include "publish/eventresults.h"
#include "publish/fieldrows.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace base {
class Run;
}

namespace publish {

enum class ExportKind { Results, Starters };

// The event line of a heat or final: Seq, Item, Gender, Age, Round, Heat, Time, Wind.
Listing eventLineListing(base::Run& run, const EventResults& event);
// The placed athletes (Place, Surname, Firstname, Number, Team, Performance, Score; with
// leagues "Competition" first) or the starters (Lane, Surname, Firstname, Number, Team).
Listing athletesListing(base::Run& run, const EventResults& event, ExportKind kind);
// The event line and the athletes, one CSV block after the other.
QStringList eventCsvLines(base::Run& run, const EventResults& event, ExportKind kind);
// "Results_0007_50mFreestyle13Male_A1.csv": the kind, the sequence, the item with gender
// and age, the round and heat.
QString eventCsvFileName(const EventResults& event, ExportKind kind);

// How a start list is laid out for its receiver: with title lines as every CSV file; for a
// timing system (ID number, lane, name, number, team; no titles); or in blocks (no titles,
// the event line over every eight athletes, the name in one column).
enum class StartListLayout { Titled, TimingSystem, Block };
QStringList startListLines(base::Run& run, const EventResults& event, StartListLayout layout);

// The heat or final of a program row as its export shows it: its results, or the start
// list of the race it runs in (a combined item's whole race). Nothing, after saying so,
// when there is no such row.
std::optional<EventResults> exportedEvent(base::Run& run, qint64 programNo, ExportKind kind);

// A heat or final exported to `path`, or into the results or starters folder under its
// own name when `path` is empty. Missing folders and existing files ask or refuse; a
// results export of an event that is not calculated asks first.
bool exportEventCsv(base::Run& run, qint64 programNo, ExportKind kind, const QString& path);
// The start list of a heat or final in one of the layouts, as exportEventCsv writes it.
bool exportStartList(base::Run& run, qint64 programNo, StartListLayout layout, const QString& path);
// The same as XML.
bool exportEventXml(base::Run& run, qint64 programNo, ExportKind kind, const QString& path);
// The starters of every drawn heat in one file ("StartersAllItems.CSV").
bool exportAllStarters(base::Run& run, const QString& path);
// "Program.csv": Seq, Item, Gender, Age, Round, Heat, Time, Pit without finals that are
// not run.
bool exportProgramCsv(base::Run& run, const QString& path);
// "TeamTotals.csv": Place, Total, Team, TeamAbrv.
bool exportTeamTotalsCsv(base::Run& run, const QString& path);

} // namespace publish
