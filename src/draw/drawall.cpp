#include "draw/drawall.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/drawplan.h"
#include "draw/drawstore.h"
#include "draw/heatformats.h"
#include "meeting/meetingsettings.h"

#include <QElapsedTimer>

#include <algorithm>

namespace draw {

namespace {

constexpr QChar kCR = QLatin1Char('\r');
const QString kProgressTitle = QStringLiteral("Draw");
constexpr qint64 kCommitMilliseconds = 250;
constexpr int kCommitEvents = 200;

// The events' draws are committed together, a quarter second or more at a time, rather than
// one by one: every commit forces the same data and index pages to disk again, and a commit
// per event made the draw of a meeting's first rounds cost several times the writing of its
// rows. The wait grows to twice the last commit's length when the disk is slow, so that
// commits never take more than about a third of the run. Each event still runs in a
// savepoint of its own: a failing event goes back alone, and a kill leaves every event drawn
// wholly or not at all. The commits on the way let the progress and other computers see the
// drawn events as the run goes.
class BatchedDraws {
public:
    BatchedDraws(DrawStore& store, DrawReport& report) : m_store(store), m_report(report)
    {
        m_store.beginBatch();
        m_losses = m_store.batchLosses();
        m_timer.start();
        markCommitted();
    }
    ~BatchedDraws() { finish(); }

    // After each event's (or combined race's) draw, drawn or not.
    void after(const QString& title)
    {
        if (m_store.batchLosses() != m_losses) {
            lose();
            return;
        }
        if (m_report.drawnEvents > m_lastEvents + m_pending.size())
            m_pending << title;
        if (m_timer.elapsed() >= std::max(kCommitMilliseconds, 2 * m_lastCommit) ||
            m_pending.size() >= kCommitEvents)
            commit(false);
    }
    void finish()
    {
        if (m_store.batching())
            commit(true);
    }

private:
    void commit(bool last)
    {
        QElapsedTimer committing;
        committing.start();
        const bool ok = last ? m_store.endBatch() : m_store.commitBatch();
        if (!ok)
            lose();
        markCommitted();
        m_lastCommit = committing.elapsed();
        m_timer.restart();
    }
    // The draws since the last commit are gone: they count as not drawn.
    void lose()
    {
        m_losses = m_store.batchLosses();
        for (const QString& title : std::as_const(m_pending))
            m_report.notDrawn << title + QStringLiteral(": ") + m_store.failure();
        m_report.drawnEvents = m_lastEvents;
        m_report.drawnAthletes = m_lastAthletes;
        m_pending.clear();
    }
    void markCommitted()
    {
        m_lastEvents = m_report.drawnEvents;
        m_lastAthletes = m_report.drawnAthletes;
        m_pending.clear();
    }

    DrawStore& m_store;
    DrawReport& m_report;
    QElapsedTimer m_timer;
    QStringList m_pending;
    qint64 m_lastCommit = 0;
    int m_losses = 0;
    int m_lastEvents = 0;
    int m_lastAthletes = 0;
};

} // namespace

void showReport(base::Messages& messages, const DrawReport& report)
{
    if (!report.empties.isEmpty()) {
        messages.information(QStringLiteral("Empty Items") + kCR + kCR +
                             QStringLiteral("The following Items had no Athletes:") + kCR +
                             report.empties.join(kCR));
    }
    if (!report.lanesExceeded.isEmpty()) {
        messages.warning(QStringLiteral("Lanes Exceeded") + kCR + kCR +
                         QStringLiteral("The lanes exceeded:") + kCR +
                         report.lanesExceeded.join(kCR) + kCR + kCR +
                         QStringLiteral("See: \"Settings: Determine program\"."));
    }
}

QList<DrawEvent> combinedRaceEvents(DrawEngine& engine, qint64 combinedNo)
{
    QList<DrawEvent> events;
    db::Query q = engine.database().openQuery(
        QStringLiteral("select EVENTNO from MYEVENT where COMBINEDNO = ") + db::sqlInt(combinedNo) +
        QStringLiteral(" and MEETINGNO = ") + db::sqlInt(engine.meetingNo()) +
        QStringLiteral(" and SELECTED = 'X' order by EVENTNO"));
    for (q.first(); !q.eof(); q.next()) {
        if (const auto e = engine.readEvent(q.integer(QStringLiteral("EVENTNO"))))
            events << *e;
    }
    return events;
}

bool DrawAll::confirm(const QString& what)
{
    return m_engine.messages().confirm(
        what + kCR + kCR +
        QStringLiteral("Draws made before are replaced, except where results were entered or "
                       "the draw was released.") +
        kCR + kCR + QStringLiteral("Continue"));
}

DrawReport DrawAll::firstRounds()
{
    base::Messages& messages = m_engine.messages();
    DrawReport report;
    if (!confirm(QStringLiteral("Draw all the first rounds for all events"))) {
        report.cancelled = true;
        return report;
    }
    const FirstRoundPlan plan(m_engine, false);
    const QList<DrawEvent>& events = plan.events();
    if (m_engine.meeting().drawMethod() != kDrawConstant)
        m_engine.store().reserveKeys(plan.heatRows());
    BatchedDraws batch(m_engine.store(), report);
    for (int i = 0; i < events.size(); ++i) {
        const DrawEvent& e = events[i];
        messages.progress(kProgressTitle, e.title, i, int(events.size()));
        const QString why = plan.refusal(e, HeatFormats::firstRound(e.format));
        if (!why.isEmpty())
            report.notDrawn << e.title + QStringLiteral(": ") + why;
        else if (!m_engine.drawFirstRound(e, plan.candidates(e.eventNo), report))
            report.notDrawn << e.title + QStringLiteral(": ") + m_engine.failure();
        batch.after(e.title);
    }
    batch.finish();
    messages.progressDone();
    finish(report, QStringLiteral("the first rounds"));
    return report;
}

DrawReport DrawAll::combinedItems()
{
    base::Messages& messages = m_engine.messages();
    DrawReport report;
    if (!confirm(QStringLiteral("Draw all the Combined Items"))) {
        report.cancelled = true;
        return report;
    }
    const FirstRoundPlan plan(m_engine, true);
    const QList<DrawEvent>& events = plan.events();
    QList<qint64> races;
    for (const DrawEvent& e : events) {
        if (!races.contains(e.combinedNo))
            races << e.combinedNo;
    }
    BatchedDraws batch(m_engine.store(), report);
    for (int i = 0; i < races.size(); ++i) {
        QList<DrawEvent> race;
        QStringList refusals;
        for (const DrawEvent& e : events) {
            if (e.combinedNo != races[i])
                continue;
            race << e;
            const QString why = plan.refusal(e, QStringLiteral("F"));
            if (!why.isEmpty())
                refusals << e.title + QStringLiteral(": ") + why;
        }
        messages.progress(kProgressTitle, race.first().title, i, int(races.size()));
        if (!refusals.isEmpty())
            report.notDrawn << refusals;
        else if (!m_engine.drawCombinedRace(race, report))
            report.notDrawn << race.first().title + QStringLiteral(": ") + m_engine.failure();
        batch.after(race.first().title);
    }
    batch.finish();
    messages.progressDone();
    finish(report, QStringLiteral("the Combined Items"));
    return report;
}

void DrawAll::finish(const DrawReport& report, const QString& what)
{
    base::Messages& messages = m_engine.messages();
    showReport(messages, report);
    if (!report.notDrawn.isEmpty()) {
        messages.warning(QStringLiteral("These Items were not drawn; their previous draw is "
                                        "unchanged:") +
                         kCR + report.notDrawn.join(kCR));
    }
    messages.information(QStringLiteral("Done: All Athletes for ") + what +
                         QStringLiteral(" were Drawn"));
}

} // namespace draw
