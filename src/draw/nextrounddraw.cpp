#include "draw/nextrounddraw.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/drawengine.h"
#include "draw/heatformats.h"
#include "draw/roundletter.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"

#include <QMap>

#include <algorithm>

namespace draw {

namespace {

constexpr QChar kCR = QLatin1Char('\r');

} // namespace

NextRoundDraw::NextRoundDraw(DrawEngine& engine, const DrawEvent& event, const QString& round)
    : m_engine(engine), m_event(event), m_round(round)
{
}

bool NextRoundDraw::prepare()
{
    base::Messages& messages = m_engine.messages();
    HeatFormats formats(messages);
    m_previous = draw::previousRound(m_event.format, m_round, messages);
    if (m_previous.isEmpty()) {
        messages.internalError(440301, QStringLiteral("This cannot require the next round"));
        return false;
    }
    const RoundParameters parameters = formats.roundParameters(m_event.format, m_round);
    m_heats = m_round == QLatin1String("F") ? 1 : parameters.heats;
    m_places = parameters.entryPlaces;
    m_times = parameters.entryTimes;
    m_previousHeats = formats.heatsOfRound(m_event.format, m_previous);
    m_field = m_engine.items().IsFieldItem(m_event.itemCode);

    db::Query q = m_engine.database().openQuery(
        QStringLiteral("select H.ATHLETENO, A.TEAMNO, H.HEATNO, H.PLACE, H.PERFORMANCE from "
                       "HEATPART H left join ATHLETE A on A.ATHLETENO = H.ATHLETENO where "
                       "H.EVENTNO = ") +
        db::sqlInt(m_event.eventNo) + QStringLiteral(" and H.ROUND = ") + db::quoted(m_previous) +
        QStringLiteral(" and H.MEETINGNO = ") + db::sqlInt(m_engine.meetingNo()) +
        QStringLiteral(" and H.PLACE > 0 and coalesce(H.DISQ_STATUS, 0) = 0 "
                       "order by H.HEATNO, H.PLACE, H.HEATPARTNO"));
    m_rows.clear();
    for (q.first(); !q.eof(); q.next()) {
        m_rows.append({q.integer(QStringLiteral("ATHLETENO")), q.integer(QStringLiteral("TEAMNO")),
                       int(q.integer(QStringLiteral("HEATNO"))),
                       int(q.integer(QStringLiteral("PLACE"))),
                       q.text(QStringLiteral("PERFORMANCE")).trimmed()});
    }
    return true;
}

QList<QualifierRow> NextRoundDraw::byPlace() const
{
    QList<QualifierRow> rows;
    for (const QualifierRow& r : m_rows) {
        if (r.place <= m_places)
            rows << r;
    }
    // By place, then by performance: ascending text for times, descending for distances.
    const bool field = m_field;
    std::stable_sort(
        rows.begin(), rows.end(), [field](const QualifierRow& a, const QualifierRow& b) {
            if (a.place != b.place)
                return a.place < b.place;
            return field ? a.performance > b.performance : a.performance < b.performance;
        });
    return rows;
}

QList<QualifierRow> NextRoundDraw::byTime() const
{
    QList<QualifierRow> rows;
    for (const QualifierRow& r : m_rows) {
        // A placed row without a performance has nothing to be compared by.
        if (r.place > m_places && !r.performance.isEmpty())
            rows << r;
    }
    const bool field = m_field;
    std::stable_sort(
        rows.begin(), rows.end(), [field](const QualifierRow& a, const QualifierRow& b) {
            return field ? a.performance > b.performance : a.performance < b.performance;
        });
    return rows;
}

int NextRoundDraw::checkCollectedPlaces(int collected)
{
    const int d = collected - m_places * m_previousHeats;
    if (d == 0)
        return 0;
    QString body = QString::number(std::abs(d)) + QStringLiteral(" too ") +
                   (d > 0 ? QStringLiteral("MANY") : QStringLiteral("LITTLE")) +
                   QStringLiteral(" places were collected.") + kCR +
                   QStringLiteral("This may be because of the following reason:") + kCR;
    if (d > 0) {
        body += QStringLiteral("When athletes share places, it is possible to select ") + kCR +
                QStringLiteral("more places than predicted: you may get extra places.");
    } else {
        body += QStringLiteral("When there are noy enough athletes in some heats,") + kCR +
                QStringLiteral("you may end up with too little places.");
    }
    m_engine.messages().warning(body);
    return d;
}

QString NextRoundDraw::sharedPlaceReport() const
{
    if (m_places < 1)
        return QString();
    QMap<int, int> atCut; // heat -> athletes holding the last place that goes on
    for (const QualifierRow& r : m_rows) {
        if (r.place == m_places)
            ++atCut[r.heat];
    }
    QString lines;
    for (auto it = atCut.cbegin(); it != atCut.cend(); ++it) {
        if (it.value() > 1) {
            lines += QStringLiteral(" Heat ") + m_previous + QString::number(it.key()) +
                     QStringLiteral(" has ") + QString::number(it.value()) +
                     QStringLiteral(" athletes sharing place ") + QString::number(m_places) + kCR;
        }
    }
    if (lines.isEmpty())
        return QString();
    QString body = lines + QStringLiteral("Therefore more than the expected number of athletes") +
                   kCR + QStringLiteral("may have been drawn.  If that is the case, you ") + kCR +
                   QStringLiteral("probably want to remove one of them from the draw") + kCR +
                   QStringLiteral("if you do not have enough lanes.") + kCR + kCR;
    if (m_engine.meeting().integer(QStringLiteral("VIEW_HEATS_COMPLEX")) == 1) {
        body += QStringLiteral("Make the ") +
                (m_round == QLatin1String("F") ? QString() : QStringLiteral("Heat and ")) +
                QStringLiteral("Lane 0.  Use the option Draw \"Manual\", ") + kCR +
                QStringLiteral("-> \"Edit Lanes (and Heats) Manually\" -> \"Edit Lane\".");
    } else {
        body += QStringLiteral("Use \"Edit Lane\" to make the lane 0.");
    }
    return body;
}

CandidateList NextRoundDraw::qualifiers()
{
    const int placeSlots = m_places * m_previousHeats;
    const QList<QualifierRow> placed = byPlace();
    const int d = checkCollectedPlaces(int(placed.size()));
    // A shortfall of place qualifiers (a heat with fewer finishers than places) is made
    // up by time: the round then still takes its full capacity, places x heats + times,
    // from the best remaining performances, so that no prepared lane stays empty while
    // placed athletes are left out.
    m_timesTaken = m_times + std::max(0, -d);
    CandidateList list;
    auto candidate = [this](const QualifierRow& r, int drawClass, int place) {
        DrawCandidate c;
        c.athleteNo = r.athleteNo;
        c.teamNo = r.teamNo;
        c.eventNo = m_event.eventNo;
        c.place = place;
        c.performanceKey = performanceKey(m_engine.items(), m_event.itemCode, r.performance);
        c.drawClass =
            drawClass == kClassPlace || !c.performanceKey.isEmpty() ? drawClass : kClassNone;
        return c;
    };
    for (int i = 0; i < placed.size() && i < placeSlots; ++i)
        list << candidate(placed[i], kClassPlace, placed[i].place);
    const QList<QualifierRow> timed = byTime();
    for (int i = 0; i < timed.size() && i < m_timesTaken; ++i)
        list << candidate(timed[i], kClassPerformance, 0);
    return list;
}

bool NextRoundDraw::run(DrawReport& report)
{
    CandidateList list = qualifiers();
    const QString shared = sharedPlaceReport();
    if (!shared.isEmpty())
        m_engine.messages().information(shared);
    return m_engine.drawAndStore({m_event.eventNo}, m_event, m_round, m_heats, list, report);
}

} // namespace draw
