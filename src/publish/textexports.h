#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace base {
class Run;
}

namespace publish {

struct EventResults;

// The message for a social-media post about one heat or final ("WEB TEXT MESSAGE"): the
// meeting's name when WT_INCLUDE_MEETNAME is 1, the event line ("Item " + sequence, the
// event, " Heat " + the heat), the release state, the wind, then a line per placed or
// disqualified athlete (or per starter), and a link to the site when WT_INCLUDE_WEBLINK
// is 1 (the results page) or 2 (the master index). WT_LENGTH above 0 keeps that many
// athletes. "No places available." when nobody is placed.
QString clipboardText(base::Run& run, const EventResults& event, bool starters);

// The team totals as fixed-width text: the header with the meeting and the print date,
// the Courier note, and the columns of the chosen splits with team and score.
QStringList teamTotalsText(base::Run& run, int splits, const QDateTime& printedOn);

// The team totals text in `path` ("TeamTotals.txt", or split up by gender, track or field
// and seniority for "TeamTotalsSplitUp.txt"); an existing file is replaced only after
// "Overwrite".
bool writeTeamTotalsText(base::Run& run, const QString& path, bool splitUp);

// Every published event's results in sequence as text, for the results archive.
QStringList allResultsText(base::Run& run);

// The results archive: a zip file holding "TeamTotalsSplitUp.txt" (split by gender,
// track or field and seniority) and "AllResults.txt". An existing archive is replaced only
// after the user agrees; a failed write leaves nothing behind.
bool writeResultsArchive(base::Run& run, const QString& path);

} // namespace publish
