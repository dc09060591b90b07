#pragma once

#include "entries/athletes.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace entries {

struct ImportFinding {
    enum Kind { AthleteError, ItemError, Warning };
    int line = 0; // the file's line number, from 1
    Kind kind = Warning;
    QString text;
};

struct ImportEntry {
    qint64 eventNo = 0;
    QString itemCode;
    QString best;
};

// One line of the file as it will be imported.
struct ImportLine {
    int lineNo = 0;
    AthleteRow athlete;
    QString teamAbbreviation;
    bool relay = false;
    bool athleteError = false;
    QList<ImportEntry> entries;
};

// What an import did, for the closing report.
struct ImportCounts {
    int teamsAdded = 0;
    int athletesAdded = 0;
    int relayTeamsAdded = 0;
    int duplicates = 0;
    int participationsAdded = 0;
    int bestsImported = 0;
    int linesSkipped = 0;
    // "Line n: Duplicate Participation: code" for the entries the meeting already had.
    QStringList duplicateParticipations;
    // "Line n: reason" for the lines the database refused; the other lines were imported.
    QStringList failedLines;
};

// The findings of a file with their counts, as the "Importing Errors and Warnings" dialog
// and the command line show them.
class ImportReport {
public:
    void add(int line, ImportFinding::Kind kind, const QString& text);
    const QList<ImportFinding>& findings() const { return m_findings; }
    int count(ImportFinding::Kind kind) const;
    bool isEmpty() const { return m_findings.isEmpty(); }
    void clear() { m_findings.clear(); }

    // The findings of one line of the file, in the order they were found.
    struct Line {
        int line = 0;
        QList<ImportFinding> findings;
    };
    // Every line with findings once, in the file's order.
    QList<Line> byLine() const;
    // "AthleteErr: Surname Empty", as the report lists a finding.
    static QString labelled(const ImportFinding& finding);

    // The findings by line (each line's number once, its findings below one another), then
    // the counts, the file and the advice.
    QString text(const QString& path) const;
    // The counts, the file and the advice that close the report.
    QString closingText(const QString& path) const;
    // The closing report of the counts.
    static QString countsText(const ImportCounts& counts);

private:
    QList<ImportFinding> m_findings;
};

} // namespace entries
