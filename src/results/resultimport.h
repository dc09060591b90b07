#pragma once

#include <QString>
#include <QStringList>

namespace base {
class Run;
}

namespace results {

// What an import of results did: every refused line is listed, and when any line was
// refused nothing was written.
struct ResultImportReport {
    bool ok = false;
    int lines = 0;      // result lines read (the header and empty lines not counted)
    int written = 0;    // rows written
    QStringList errors; // "Line 3: ..." or the reason the whole file was refused
    QStringList notes;  // warnings of accepted lines
    QString text() const;
};

// Imports results from a CSV file whose header names its columns: event, round, heat,
// lane or athlete, performance, third digit, status (and place). Each line is checked as
// a typed result in the edit dialog; all lines are written in one transaction or none.
ResultImportReport importResults(base::Run& run, const QString& path);
ResultImportReport importResultLines(base::Run& run, const QStringList& lines);

} // namespace results
