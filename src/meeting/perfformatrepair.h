#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace db {
class DmdCoreDbs;
}

namespace meeting {

class ItemTypes;

// One stored performance that is not the canonical text of its item.
struct PerfFormatFinding {
    QString table;
    QString keyColumn;
    qint64 key = 0;
    QString itemCode;
    QString oldText;
    QString newText; // empty for those that cannot be fixed
};

// The stored performances of every meeting and record set, read against their items.
struct PerfFormatScan {
    QList<PerfFormatFinding> wrong;      // fixable: written in another format
    QList<PerfFormatFinding> tooLarge;   // above the largest value of the item
    QList<PerfFormatFinding> unreadable; // not a performance at all
    int checked = 0;
    bool complete = true; // every table could be read

    // "There ARE  differences ...", each change as key " : " old " -> " new, then the
    // performances that cannot be fixed.
    QStringList reportLines() const;
};

// Reads PERFORMANCE of HEATPART, PARTICIPATE and PERF_HIST and RECORD of RECORD. Blank
// texts, cells of only "X" or "-" and the attempts of vertical jumps are not performances
// to check.
PerfFormatScan scanPerformanceFormats(db::DmdCoreDbs& database, const ItemTypes& items);

// Rewrites each finding, only where the stored text is still the one that was read.
// False when a statement failed.
bool writeCanonicalPerformances(db::DmdCoreDbs& database, const QList<PerfFormatFinding>& findings);

enum class PerfFixOutcome { NothingWrong, Fixed, Declined, Failed };

// The integrity utility "FIX PERFORMANCE FORMAT": scans, shows the findings through
// `showReport` (the screen lists them, the CLI prints them), asks, fixes and tells the
// outcome.
using PerfReportFn = std::function<void(const PerfFormatScan&)>;
PerfFixOutcome fixPerformanceFormats(db::DmdCoreDbs& database, const ItemTypes& items,
                                     const PerfReportFn& showReport);

// The check before capture and reports: true when there is nothing wrong or the user
// chooses to continue anyway.
bool continueDespitePerformanceErrors(db::DmdCoreDbs& database, const ItemTypes& items);

} // namespace meeting
