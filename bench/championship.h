#pragma once

// The championship meeting the benchmarks share: 60 teams, 1,500 swimmers and 6,000
// entries with best times over the events of a two-day program, on the embedded engine in
// a temporary folder. Built by the import (as an organiser would) so that every bench
// measures its own operation on the same realistic data.

#include "../tests/support/entryfilegenerator.h"

#include "base/run.h"
#include "base/scriptedsink.h"

#include <QString>

#include <memory>
#include <vector>

#include <functional>

namespace Firebird {
class IAttachment;
class IMessageMetadata;
class IStatement;
class ITransaction;
class ThrowStatusWrapper;
} // namespace Firebird

namespace bench {

// Makes the process use `dir` as its profile and configuration folder.
void useScratchHome(const QString& dir);
// The empty database of the current schema at dir/empty.gdb; empty text on failure.
QString createEmptyDatabase(const QString& dir);

// The championship's entries (a fixed seed, so every run measures the same meeting).
testing_support::GeneratedEntries championshipEntries();
// The generated file written to dir/championship.csv; empty text on failure.
QString writeEntriesFile(const QString& dir, const testing_support::GeneratedEntries& generated);
// The last item column of the generated file, for the import's setup.
int lastItemColumn();

struct Meeting {
    std::unique_ptr<base::ScriptedSink> sink = std::make_unique<base::ScriptedSink>();
    std::unique_ptr<base::Run> run;
    int meetingNo = 0;
};

// A fresh copy of the empty database at dir/NAME.gdb with one meeting and an event per
// item code. Ends the process when the database cannot be opened.
Meeting openMeeting(const QString& dir, const QString& empty, const QString& name,
                    const QStringList& codes);
// A fresh copy of the empty database at `path`, connected to a new run of `m` with the
// run's settings. Ends the process when the database cannot be opened.
void openCopy(Meeting& m, const QString& empty, const QString& path);
// The import of the file into the meeting; seconds taken. Ends the process on failure.
double importEntries(Meeting& m, const QString& file, int* athletes, int* entries);
// The championship generated, written and imported into a fresh meeting NAME under `dir`
// (whose home the process takes): where the benches of a whole meeting start. Ends the
// process when it cannot be made.
Meeting importedChampionship(const QString& dir, const QString& name, int* athletes, int* entries);
// Every event gets the heats its entries need at `lanes` a heat (a final of 8 on times
// after them, or a final only when one heat holds them all) and its program rows, the
// first half of the events on day 1 and the rest on day 2.
bool makeProgram(Meeting& m, int lanes);

// The meeting at `lanes` a heat over two days, seeded by best times, with `settings` (more
// "COLUMN = value" of MEETING, or empty) set, loaded into the run and its program made.
// Ends the process when the program cannot be made.
void makeDrawable(Meeting& m, int lanes, const QString& settings = QString());

// How the drawn championship came out.
struct ChampionshipCounts {
    int athletes = 0;
    int entries = 0;
    int events = 0;
    int drawnAthletes = 0;
};
// The imported championship at `lanes` a heat over two days, seeded by best times, with
// `settings` (more "COLUMN = value" of MEETING, or empty) set, its program made and every
// first round drawn with a fixed seed: where the benches of a meeting's sheets and results
// start. Ends the process when it cannot be made.
Meeting drawnChampionship(const QString& dir, const QString& name, int lanes,
                          const QString& settings, ChampionshipCounts* counts);

// The limit the benches compare with: `work` writes its rows with prepared statements on a
// transaction of its own, committed after it; the seconds from the start to the commit.
// Ends the process when the engine refuses.
using LimitWork =
    std::function<void(Firebird::ThrowStatusWrapper& status, Firebird::IAttachment* attachment,
                       Firebird::ITransaction* transaction)>;
double timedTransaction(Meeting& m, const LimitWork& work);

// The input of a prepared statement, laid out as the server describes its parameters.
class Params {
public:
    Params(Firebird::ThrowStatusWrapper& status, Firebird::IStatement* statement);
    ~Params();
    Params(const Params&) = delete;
    Params& operator=(const Params&) = delete;
    void setInt(int i, qint64 value);
    void setText(int i, const QByteArray& utf8);
    Firebird::IMessageMetadata* meta() const { return m_meta; }
    void* data() { return m_buffer.data(); }

private:
    Firebird::IMessageMetadata* m_meta;
    std::vector<char> m_buffer;
    std::vector<unsigned> m_offsets;
    std::vector<unsigned> m_fixed;
};

} // namespace bench
