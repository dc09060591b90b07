#include "publish/meetingreads.h"

#include "base/run.h"

namespace publish {

MeetingReads::MeetingReads(base::Run& run) : m_run(run) {}

MeetingReads::~MeetingReads() = default;

const QList<results::CaptureProgramRow>& MeetingReads::programRows()
{
    // The athletes are read first: the heats' counts come with them.
    if (!m_programRows)
        m_programRows =
            results::captureProgramRows(*m_run.database(), m_run.items(), m_run.currentMeetingNo(),
                                        results::CaptureOrder::Sequence, &athletes());
    return *m_programRows;
}

const results::MeetingAthletes& MeetingReads::athletes()
{
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

} // namespace publish
