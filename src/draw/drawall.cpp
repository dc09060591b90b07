#include "draw/drawall.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/drawplan.h"
#include "draw/heatformats.h"
#include "meeting/meetingsettings.h"

namespace draw {

namespace {

constexpr QChar kCR = QLatin1Char('\r');
const QString kProgressTitle = QStringLiteral("Draw");

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
    for (int i = 0; i < events.size(); ++i) {
        const DrawEvent& e = events[i];
        messages.progress(kProgressTitle, e.title, i, int(events.size()));
        const QString why = plan.refusal(e, HeatFormats::firstRound(e.format));
        if (!why.isEmpty())
            report.notDrawn << e.title + QStringLiteral(": ") + why;
        else if (!m_engine.drawFirstRound(e, plan.candidates(e.eventNo), report))
            report.notDrawn << e.title + QStringLiteral(": ") + m_engine.failure();
    }
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
    }
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
