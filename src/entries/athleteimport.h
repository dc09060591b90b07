#pragma once

#include "entries/csvfile.h"
#include "entries/csvsetup.h"
#include "entries/importlinecheck.h"
#include "entries/importreport.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace base {
class Run;
}

namespace entries {

// The import of competitors from a CSV file into one meeting: read, check every line,
// wipe if asked, report, and add teams, athletes, relay teams, participations and best
// performances in one batch transaction. The screen and the command line drive the same
// steps; questions go through the run's messages.
class AthleteImport {
public:
    enum class Outcome { Refused, Stopped, Imported };

    // Imports into the meeting of these settings, which the caller has loaded.
    AthleteImport(base::Run& run, const EntrySettings& settings);
    ~AthleteImport();

    CsvSetup& setup() { return m_setup; }
    void saveSetup();
    // Who decides after the report of findings: true goes on. Without one, the run's
    // messages ask "Continue to import anyway".
    using ReportQuestion = std::function<bool(const QString& reportText)>;
    void setReportQuestion(ReportQuestion question) { m_reportQuestion = std::move(question); }
    // Skips the guess; the command line's --delimiter.
    void forceDelimiter(CsvDelimiter delimiter) { m_forced = delimiter; }

    // Reads and splits the file; false (the reason shown) when it cannot be imported.
    bool load(const QString& path);
    const QList<QStringList>& rows() const { return m_rows; }
    int columnCount() const { return m_columns; }
    CsvDelimiter delimiter() const { return m_delimiter; }
    const QString& encoding() const { return m_encoding; }

    // Checks the setup, the header and every line. False when the file is refused.
    bool check();
    const ImportReport& report() const { return m_report; }
    QString reportText() const { return m_report.text(m_path); }
    int numberProblems() const { return m_numberProblems; }

    // Deletes what the setup's wipe names, for good. False when the database refused.
    bool wipe();
    // Writes the lines without athlete errors; a line the database refuses fails alone.
    // False when the database itself failed; the meeting is then as it was.
    bool write();
    const ImportCounts& counts() const { return m_counts; }

    // "SURNAME, First (TEAM)" of a line of the file (from 1), for the report.
    QString lineName(int lineNo) const;

    // Every step with its questions: the numbers, the report, and one closing summary of
    // the counts, which offers to switch on best performances when they were imported.
    Outcome run(const QString& path);

private:
    bool loadContext();
    bool checkHeader();
    bool isMeetingItem(const ImportItemNames::Resolved& item) const;
    bool askAboutNumbers(const ImportLineChecker& checker);
    qint64 wipeTeamNo();
    void closeWithSummary();

    base::Run& m_run;
    EntrySettings m_settings;
    int m_meetingNo;
    std::unique_ptr<meeting::ItemTypes> m_items;
    CsvSetup m_setup;
    ReportQuestion m_reportQuestion;
    CsvDelimiter m_forced = CsvDelimiter::Undecided;
    CsvDelimiter m_delimiter = CsvDelimiter::Undecided;
    QString m_path;
    QString m_encoding;
    QList<QStringList> m_rows;
    int m_columns = 0;
    ImportReport m_report;
    QList<ImportLine> m_lines;
    ImportContext m_context;
    int m_numberProblems = 0;
    ImportCounts m_counts;
};

} // namespace entries
