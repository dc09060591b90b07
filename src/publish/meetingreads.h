#pragma once

#include "draw/programorder.h"
#include "publish/eventresults.h"
#include "publish/teamtotalrows.h"
#include "results/captureathletes.h"
#include "results/captureprogram.h"

#include <QHash>
#include <QList>

#include <memory>
#include <optional>

namespace base {
class Run;
}
namespace db {
class SideReader;
}

namespace publish {

// What the pages of a whole meeting are made from, read from the database the first time
// it is asked for and kept: the program rows of the capture list in sequence order, the
// athletes of every heat and final, and the program listing of all days. Work that
// publishes many pages in a row shares one (see WebSite::holdReads) instead of reading the
// meeting again for each page.
class MeetingReads {
public:
    // `wholeMeeting`: the reading is of every heat at once, the heats on a second connection
    // while the rest is read on the run's (on the connection's side reader).
    explicit MeetingReads(base::Run& run, bool wholeMeeting = false);
    ~MeetingReads();

    const QList<results::CaptureProgramRow>& programRows();
    const results::MeetingAthletes& athletes();
    // Every day's program lines in sequence order (without finals that are not run).
    const QList<draw::ProgramLine>& programLines();
    // The athletes of one heat or final in lane order.
    QList<results::CaptureAthleteRow> athletesOf(const results::CaptureProgramRow& row);
    // The heat's or final's results and starters, made once: a run's results page and start
    // list of one heat are made from the same. The reference holds until the next call.
    const EventResults& resultsOf(const results::CaptureProgramRow& row);
    // The team totals' pages, made on the second connection while the caller goes on (in
    // a whole meeting's reading; otherwise when asked for); empty when refused, the reason
    // told when they are taken.
    void beginTeamTotals();
    QList<TeamTotalsPage> teamTotals();

private:
    void readWholeMeeting();

    base::Run& m_run;
    db::SideReader* m_side = nullptr; // a whole meeting's second connection
    std::optional<QList<TeamTotalsPage>> m_teamTotals;
    bool m_teamTotalsBegun = false;
    std::optional<QList<results::CaptureProgramRow>> m_programRows;
    std::unique_ptr<results::MeetingAthletes> m_athletes;
    std::optional<QList<draw::ProgramLine>> m_programLines;
    QHash<qint64, EventResults> m_results; // program row -> its results
};

} // namespace publish
