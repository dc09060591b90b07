#include "draw/drawengine.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/constantdraw.h"
#include "draw/events.h"
#include "draw/heatformats.h"
#include "draw/patternlanes.h"
#include "meeting/itemtypes.h"
#include "meeting/lanesettings.h"
#include "meeting/meetingsettings.h"

#include <algorithm>

namespace draw {

void DrawReport::merge(const DrawReport& other)
{
    empties << other.empties;
    for (const QString& item : other.lanesExceeded) {
        if (!lanesExceeded.contains(item))
            lanesExceeded << item;
    }
    notDrawn << other.notDrawn;
    drawnEvents += other.drawnEvents;
    drawnAthletes += other.drawnAthletes;
}

DrawEngine::DrawEngine(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                       const meeting::MeetingSettings& meeting, DrawRandom& random)
    : m_db(database), m_items(items), m_meeting(meeting), m_random(random),
      m_groups(items, meeting::laneSettingsOf(meeting)), m_store(database, meeting.meetingNo())
{
}

base::Messages& DrawEngine::messages() const
{
    return m_db.messages();
}

int DrawEngine::meetingNo() const
{
    return m_meeting.meetingNo();
}

std::optional<DrawEvent> DrawEngine::readEvent(qint64 eventNo)
{
    db::Query q = m_db.openQuery(
        QStringLiteral("select ITEMCODE, HEATFORMAT, COMBINEDNO from MYEVENT where EVENTNO = ") +
        db::sqlInt(eventNo) + QStringLiteral(" and MEETINGNO = ") + db::sqlInt(meetingNo()));
    if (!q.isOpen() || q.isEmpty())
        return std::nullopt;
    q.first();
    DrawEvent e;
    e.eventNo = eventNo;
    e.itemCode = q.text(QStringLiteral("ITEMCODE")).trimmed();
    e.format = q.text(QStringLiteral("HEATFORMAT")).trimmed();
    e.combinedNo = q.integer(QStringLiteral("COMBINEDNO"));
    e.title = Events(m_db, m_items, meetingNo()).eventTitle(eventNo);
    return e;
}

int DrawEngine::programHeats(qint64 eventNo, const QString& round)
{
    return m_db.ZSqlCount(QStringLiteral("PROGRAM"),
                          QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo) +
                              QStringLiteral(" and ROUND = ") + db::quoted(round) +
                              QStringLiteral(" and MEETINGNO = ") + db::sqlInt(meetingNo()));
}

int DrawEngine::lanesAvailable(const QString& itemCode) const
{
    return m_items.IsFieldItem(itemCode) ? 0 : m_groups.athletesPerHeat(itemCode);
}

CandidateList DrawEngine::firstRoundCandidates(const DrawEvent& event)
{
    return firstRoundCandidates(QList<DrawEvent>{event}).value(event.eventNo);
}

QHash<qint64, CandidateList> DrawEngine::firstRoundCandidates(const QList<DrawEvent>& events)
{
    QHash<qint64, QString> itemCodes;
    for (const DrawEvent& e : events)
        itemCodes.insert(e.eventNo, e.itemCode);
    // One event reads its own entries; many read the meeting's and keep theirs.
    const QString which = events.size() == 1
                              ? QStringLiteral("P.EVENTNO = ") +
                                    db::sqlInt(events.first().eventNo) + QStringLiteral(" and ")
                              : QString();
    const bool bests = m_meeting.hasBestBefores();
    db::Query q = m_db.openQuery(
        QStringLiteral("select P.ATHLETENO, P.EVENTNO, coalesce(A.TEAMNO, P.TEAMNO) as TEAMNO, "
                       "P.BESTPERFBEFORE from PARTICIPATE P left join ATHLETE A on "
                       "A.ATHLETENO = P.ATHLETENO where ") +
        which + QStringLiteral("P.MEETINGNO = ") + db::sqlInt(meetingNo()) +
        QStringLiteral(" and coalesce(P.DID_NOT_CALL, 0) = 0 and coalesce(P.DISQ_STATUS, 0) = 0 "
                       "order by P.EVENTNO, 3, P.ATHLETENO"));
    QHash<qint64, CandidateList> lists;
    for (q.first(); !q.eof(); q.next()) {
        DrawCandidate c;
        c.eventNo = q.integer(QStringLiteral("EVENTNO"));
        const auto item = itemCodes.constFind(c.eventNo);
        if (item == itemCodes.constEnd())
            continue;
        c.athleteNo = q.integer(QStringLiteral("ATHLETENO"));
        c.teamNo = q.integer(QStringLiteral("TEAMNO"));
        if (bests) {
            c.performanceKey =
                performanceKey(m_items, *item, q.text(QStringLiteral("BESTPERFBEFORE")));
        }
        c.drawClass = c.performanceKey.isEmpty() ? kClassNone : kClassPerformance;
        lists[c.eventNo].append(c);
    }
    return lists;
}

bool DrawEngine::drawFirstRound(const DrawEvent& event, DrawReport& report)
{
    if (m_meeting.drawMethod() == kDrawConstant)
        return drawConstantFirstRound(event, report);
    return drawFirstRound(event, firstRoundCandidates(event), report);
}

bool DrawEngine::drawFirstRound(const DrawEvent& event, CandidateList candidates,
                                DrawReport& report)
{
    if (m_meeting.drawMethod() == kDrawConstant)
        return drawConstantFirstRound(event, report);
    HeatFormats formats(messages());
    const QString round = HeatFormats::firstRound(event.format);
    const int heats = round == QLatin1String("F") ? 1 : formats.heatsOfRound(event.format, round);
    return drawAndStore({event.eventNo}, event, round, heats, candidates, report);
}

bool DrawEngine::drawConstantFirstRound(const DrawEvent& event, DrawReport& report)
{
    m_failure.clear();
    const ConstantDrawResult result =
        constantFirstRoundDraw(m_db, m_items, messages(), event.eventNo);
    if (!result.stored) {
        m_failure = QStringLiteral("The constant draw of ") + event.title +
                    QStringLiteral(" could not be stored");
        return false;
    }
    if (result.drawn == 0 && result.leftovers.isEmpty()) {
        report.empties << event.title;
        return true;
    }
    if (!result.leftovers.isEmpty())
        messages().information(QStringLiteral("Leftover from Drawing\r") +
                               constantLeftoverReport(m_items, event.itemCode, result.leftovers)
                                   .replace(QLatin1Char('\n'), QLatin1Char('\r')));
    report.drawnEvents += 1;
    report.drawnAthletes += result.drawn;
    return true;
}

bool DrawEngine::drawCombinedRace(const QList<DrawEvent>& events, DrawReport& report)
{
    if (events.isEmpty())
        return true;
    CandidateList candidates;
    QList<qint64> eventNos;
    for (const DrawEvent& e : events) {
        candidates << firstRoundCandidates(e);
        eventNos << e.eventNo;
    }
    // A combined race is one final: its athletes swim together in one heat.
    return drawAndStore(eventNos, events.first(), QStringLiteral("F"), 1, candidates, report);
}

bool DrawEngine::drawAndStore(const QList<qint64>& eventNos, const DrawEvent& event,
                              const QString& round, int heats, CandidateList& candidates,
                              DrawReport& report)
{
    m_failure.clear();
    if (candidates.isEmpty()) {
        report.empties << event.title;
        return true;
    }
    if (heats < 1) {
        messages().internalError(440201, QStringLiteral("No heats to draw into: ") +
                                             event.itemCode + QLatin1Char(' ') + round);
        return false;
    }
    giveRandomNumbers(candidates, m_random);
    sortCandidates(candidates);
    const int method = m_meeting.drawMethod();
    // The constant team-lane draw (method 7) deals lanes by team; until it takes over here
    // its rounds are placed by the zig-zag, as the other methods are.
    if (!placeCandidates(candidates, method, heats, messages())) {
        m_failure = QStringLiteral("The athletes could not be placed in the heats.");
        return false;
    }
    const int capacity = heatCapacity(int(candidates.size()), heats);
    const int laneClass = laneClassOf(m_items, event.itemCode);
    const int lanes = lanesAvailable(event.itemCode);
    bool exceeded = assignLanes(candidates, laneClass, lanes, capacity);
    // The pattern method runs its pattern heats in the teams' lanes of the heat's pattern.
    if (method == kDrawPattern && isLaned(laneClass)) {
        placeByPattern(m_db, meetingNo(), event.eventNo, round, candidates, lanes, laneClass == 0);
        exceeded = std::any_of(candidates.begin(), candidates.end(),
                               [lanes](const DrawCandidate& c) { return c.lane > lanes; });
    }
    if (exceeded && !report.lanesExceeded.contains(event.title))
        report.lanesExceeded << event.title;
    if (!m_store.store(eventNos, round, candidates)) {
        m_failure = m_store.failure();
        return false;
    }
    report.drawnEvents += 1;
    report.drawnAthletes += int(candidates.size());
    return true;
}

} // namespace draw
