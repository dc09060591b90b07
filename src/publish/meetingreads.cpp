#include "publish/meetingreads.h"

#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sidereader.h"

namespace publish {

MeetingReads::MeetingReads(base::Run& run, bool wholeMeeting) : m_run(run)
{
    if (wholeMeeting)
        m_side = &run.database()->sideReader();
}

MeetingReads::~MeetingReads()
{
    // The side connection's work writes into this reading: it ends first.
    if (m_side)
        m_side->wait();
}

void MeetingReads::readWholeMeeting()
{
    // The heats are read and put together on the side connection while the athletes, the
    // finals and the program are read here; the heats' counts come with their athletes.
    m_athletes = std::make_unique<results::MeetingAthletes>(*m_run.database(),
                                                            m_run.currentMeetingNo(), *m_side);
    m_programRows = results::captureProgramRowsBeforeHeats(*m_run.database(), m_run.items(),
                                                           m_run.currentMeetingNo());
    m_athletes->completeHeats();
    results::fillHeatCounts(*m_programRows, *m_athletes);
}

const QList<results::CaptureProgramRow>& MeetingReads::programRows()
{
    if (m_side && !m_programRows)
        readWholeMeeting();
    // The athletes are read first: the heats' counts come with them.
    if (!m_programRows)
        m_programRows =
            results::captureProgramRows(*m_run.database(), m_run.items(), m_run.currentMeetingNo(),
                                        results::CaptureOrder::Sequence, &athletes());
    return *m_programRows;
}

const results::MeetingAthletes& MeetingReads::athletes()
{
    if (m_side && !m_athletes)
        readWholeMeeting();
    if (!m_athletes)
        m_athletes =
            std::make_unique<results::MeetingAthletes>(*m_run.database(), m_run.currentMeetingNo());
    return *m_athletes;
}

const QList<draw::ProgramLine>& MeetingReads::programLines()
{
    // The program rows in the same order, without the finals that are not run: reading the
    // program again would cost the engine its join and sort a second time.
    if (!m_programLines) {
        m_programLines.emplace();
        for (const results::CaptureProgramRow& row : programRows())
            if (!row.isCalculatedFinal())
                m_programLines->append(results::programLine(row));
    }
    return *m_programLines;
}

QList<results::CaptureAthleteRow> MeetingReads::athletesOf(const results::CaptureProgramRow& row)
{
    return athletes().of(m_run.items(), row);
}

const EventResults& MeetingReads::resultsOf(const results::CaptureProgramRow& row)
{
    auto made = m_results.find(row.programNo);
    if (made == m_results.end())
        made = m_results.insert(row.programNo, eventResults(m_run, row, athletesOf(row)));
    return *made;
}

void MeetingReads::beginTeamTotals()
{
    if (!m_side || m_teamTotalsBegun)
        return;
    m_teamTotalsBegun = true;
    base::Run& run = m_run;
    m_side->post([this, &run](db::DmdCoreDbs& connection) {
        m_teamTotals = teamTotalsPages(run, connection);
    });
}

QList<TeamTotalsPage> MeetingReads::teamTotals()
{
    if (!m_teamTotalsBegun)
        return teamTotalsPages(m_run, *m_run.database());
    m_side->wait();
    return m_teamTotals.value_or(QList<TeamTotalsPage>());
}

} // namespace publish
