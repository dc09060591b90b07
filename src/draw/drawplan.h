#pragma once

#include "draw/drawengine.h"

#include <QHash>
#include <QList>
#include <QString>

namespace draw {

// What the draw of many first rounds reads before it writes anything: the selected events
// with their titles, the counts the refusals need, and every event's candidates, each in one
// query over the whole meeting rather than a handful of queries per event.
class FirstRoundPlan {
public:
    // The selected events of the meeting in program order, those of combined races or the
    // others.
    FirstRoundPlan(DrawEngine& engine, bool combined);

    const QList<DrawEvent>& events() const { return m_events; }
    // Empty when the event's round may be drawn without asking; else why not, on one line.
    QString refusal(const DrawEvent& event, const QString& round) const;
    // The event's first-round candidates, as DrawEngine::firstRoundCandidates reads them.
    CandidateList candidates(qint64 eventNo) const { return m_candidates.value(eventNo); }
    // The heat rows the draws of these events may write: key numbers to draw at once.
    int heatRows() const;

private:
    struct Counts {
        int heats = 0;
        int released = 0;
        int results = 0;
    };
    void readEvents(bool combined);
    void readCounts();
    static QString key(qint64 eventNo, const QString& round);

    DrawEngine& m_engine;
    QList<DrawEvent> m_events;
    QHash<QString, Counts> m_counts;
    QHash<qint64, CandidateList> m_candidates;
    bool m_revisions = false;
};

} // namespace draw
