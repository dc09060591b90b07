#pragma once

#include "scoring/athletetablescore.h"
#include "scoring/report.h"

#include <QStringList>

namespace base {
class Run;
}

namespace scoring {

// One component result of an athlete of an n-athlon, as the totals read it.
struct NathlonComponent {
    qint64 athleteNo = 0;
    QString athleteName;
    qint64 eventNo = 0;
    QString itemCode;
    QString performance;
    int disqStatus = 0;
    int timingCode = 0;
};

// The totals of a combined event (decathlon, heptathlon, ...): each athlete's table scores
// of the component events added up into the performance of the "NTH" total event, and the
// interim report of the running totals.
class NathlonTotals {
public:
    NathlonTotals(base::Run& run, const ScoreData& data = ScoreData::builtIn());

    // The components that are not ready: " no athletes placed" or " not calculated" after
    // the event's description. Empty when all are ready (or `eventNo` is no total event).
    QStringList incompleteComponents(qint64 eventNo);
    // Checks the components (asking "Calculate anyway" when some are not ready), scores every
    // athlete of the total event, writes all totals in one transaction and places the
    // total event. The number of athletes written; -1 when refused or nothing was written.
    int computeTotals(qint64 eventNo);
    // Per athlete each component's performance, table score and the running total.
    // Empty (after the message) when the event is no n-athlon or has no athletes.
    Report interimReport(qint64 eventNo);

private:
    struct TotalEvent {
        qint64 eventNo = 0;
        QString itemCode;
        int nAthlon = 0;
        QString gender;
        QString age;
    };
    std::optional<TotalEvent> totalEvent(qint64 eventNo);
    // The non-empty component results of the n-athlon, by athlete and program order.
    QList<NathlonComponent> components(const TotalEvent& total);
    // The clamped table score of a component; 0 for a disqualified one.
    std::optional<int> componentScore(const NathlonComponent& c, int nAthlon);

    base::Run& m_run;
    TableScores m_scores;
    AthleteScores m_athletes;
};

} // namespace scoring
