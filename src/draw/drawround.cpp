#include "draw/drawround.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/drawall.h"
#include "draw/drawstore.h"
#include "draw/heatformats.h"
#include "draw/nextrounddraw.h"
#include "draw/roundletter.h"
#include "meeting/meetingsettings.h"

namespace draw {

namespace {

constexpr QChar kCR = QLatin1Char('\r');

QString eventRound(qint64 eventNo, const QString& round, int meetingNo,
                   const QString& alias = QString())
{
    return alias + QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo) + QStringLiteral(" and ") +
           alias + QStringLiteral("ROUND = ") + db::quoted(round) + QStringLiteral(" and ") +
           alias + QStringLiteral("MEETINGNO = ") + db::sqlInt(meetingNo);
}

} // namespace

const QString kFinalResultEntered =
    QStringLiteral("PLACE > 0 or trim(coalesce(PERFORMANCE, '')) <> ''");
const QString kHeatResultEntered =
    kFinalResultEntered + QStringLiteral(" or coalesce(DISQ_STATUS, 0) > 0");

QStringList roundsOf(const QString& format)
{
    const int n = HeatFormats::roundCount(format);
    if (n > 3)
        return {};
    QStringList rounds;
    for (QChar letter : QStringLiteral("CBA").right(n))
        rounds << QString(letter);
    rounds << QStringLiteral("F");
    return rounds;
}

QString eventRefusalText(const std::optional<DrawEvent>& event, qint64 eventNo,
                         const QString& round, int programHeats)
{
    if (!event) {
        return QStringLiteral("There is no Item with the number ") + QString::number(eventNo) +
               QStringLiteral(" in this meeting.");
    }
    if (!HeatFormats::groups(event->format) || roundsOf(event->format).isEmpty()) {
        return QStringLiteral("The heat format \"") + event->format + QStringLiteral("\" of ") +
               event->title + QStringLiteral(" cannot be read.") + kCR +
               QStringLiteral("Correct it on the program screen first.");
    }
    if (!roundsOf(event->format).contains(round)) {
        return QStringLiteral("Round ") + round + QStringLiteral(" is not a round of ") +
               event->title + QStringLiteral(" (heat format \"") + event->format +
               QStringLiteral("\").");
    }
    if (programHeats == 0) {
        return event->title + QStringLiteral(" has no heats for Round ") + round +
               QStringLiteral(" in the program.") + kCR +
               QStringLiteral("Make its program first (\"3. Program\").");
    }
    return QString();
}

QString releasedRefusalText(const QString& round, int releasedHeats, int heats)
{
    if (releasedHeats == 0)
        return QString();
    return (releasedHeats == heats ? QStringLiteral("T")
                                   : QString::number(releasedHeats) + QStringLiteral(" of t")) +
           QStringLiteral("he ") + QString::number(heats) + QStringLiteral(" Heats for Round ") +
           round + kCR + QStringLiteral("was already Released.  You cannot change the ") +
           QStringLiteral("Draw") + QStringLiteral(".") + kCR +
           QStringLiteral("You must first retract the Released ") + QStringLiteral("Draw") +
           QStringLiteral(" before you can change them.");
}

QString resultsRefusalText(const QString& round, int results)
{
    if (results == 0)
        return QString();
    return QStringLiteral("There are already ") + QString::number(results) +
           QStringLiteral(" results entered for Round ") + round + kCR +
           QStringLiteral("You must clear them before you can ") + QStringLiteral("Draw for") +
           QStringLiteral(" this Round.");
}

QString RoundDrawing::eventRefusal(const std::optional<DrawEvent>& event, qint64 eventNo,
                                   const QString& round)
{
    const bool knownRound = event && roundsOf(event->format).contains(round);
    return eventRefusalText(event, eventNo, round,
                            knownRound ? m_engine.programHeats(event->eventNo, round) : 0);
}

QString RoundDrawing::releasedRefusal(qint64 eventNo, const QString& round)
{
    if (m_engine.meeting().integer(QStringLiteral("RESULTS_HAS_REVISIONS")) != 1)
        return QString();
    db::DmdCoreDbs& database = m_engine.database();
    const QString where = eventRound(eventNo, round, m_engine.meetingNo());
    const int released = database.ZSqlCount(QStringLiteral("PROGRAM"),
                                            where + QStringLiteral(" and DRAW_RELEASED = 1"));
    if (released == 0)
        return QString();
    return releasedRefusalText(round, released,
                               database.ZSqlCount(QStringLiteral("PROGRAM"), where));
}

QString RoundDrawing::resultsRefusal(qint64 eventNo, const QString& round)
{
    const QString where = eventRound(eventNo, round, m_engine.meetingNo());
    const int results =
        round == QLatin1String("F")
            ? m_engine.database().ZSqlCount(
                  QStringLiteral("PARTICIPATE"),
                  QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo) +
                      QStringLiteral(" and MEETINGNO = ") + db::sqlInt(m_engine.meetingNo()) +
                      QStringLiteral(" and (") + kFinalResultEntered + QLatin1Char(')'))
            : m_engine.database().ZSqlCount(QStringLiteral("HEATPART"),
                                            where + QStringLiteral(" and (") + kHeatResultEntered +
                                                QLatin1Char(')'));
    return resultsRefusalText(round, results);
}

QString RoundDrawing::previousRoundGaps(const DrawEvent& event, const QString& round)
{
    const QString previous = draw::previousRound(event.format, round, m_engine.messages());
    if (previous.isEmpty())
        return QString();
    db::Query q = m_engine.database().openQuery(
        QStringLiteral("select P.HEATNO, coalesce(P.NOT_CALCULATED_YET, 0) as NOT_CALCULATED, "
                       "(select count(*) from HEATPART H where H.EVENTNO = P.EVENTNO and "
                       "H.ROUND = P.ROUND and H.HEATNO = P.HEATNO) as ATHLETES, "
                       "(select count(*) from HEATPART H where H.EVENTNO = P.EVENTNO and "
                       "H.ROUND = P.ROUND and H.HEATNO = P.HEATNO and (H.PLACE > 0 or "
                       "coalesce(H.DISQ_STATUS, 0) > 0)) as RESULTS from PROGRAM P where ") +
        eventRound(event.eventNo, previous, m_engine.meetingNo(), QStringLiteral("P.")) +
        QStringLiteral(" order by P.HEATNO"));
    QString noAthletes;
    QString noResults;
    for (q.first(); !q.eof(); q.next()) {
        const QString heat = QStringLiteral(" Heat ") + previous +
                             QString::number(q.integer(QStringLiteral("HEATNO")));
        if (q.integer(QStringLiteral("ATHLETES")) == 0)
            noAthletes += heat + kCR;
        else if (q.integer(QStringLiteral("RESULTS")) == 0)
            noResults += heat + kCR;
        else if (q.integer(QStringLiteral("NOT_CALCULATED")) == 1)
            noResults += heat + QStringLiteral(" (not calculated yet)") + kCR;
    }
    QString body;
    const QString head = QStringLiteral("The following heats of the previous ") + kCR +
                         QStringLiteral("round (") + previous;
    if (!noAthletes.isEmpty())
        body += head + QStringLiteral(") has no athletes:") + kCR + noAthletes;
    if (!noResults.isEmpty())
        body += (body.isEmpty() ? QString() : QString(kCR)) + head +
                QStringLiteral(") has no results:") + kCR + noResults;
    return body;
}

QString RoundDrawing::confirmation(const DrawEvent& event, const QString& round)
{
    const QString first = HeatFormats::firstRound(event.format);
    if (first == QLatin1String("F"))
        return QStringLiteral("Draw this event");
    if (round == first)
        return QStringLiteral("Draw the first round (") + round + QLatin1Char(')');
    const RoundParameters p = HeatFormats(m_engine.messages()).roundParameters(event.format, round);
    return QStringLiteral("Draw round ") + round + QStringLiteral(": ") + kCR +
           QStringLiteral("Select the first ") + QString::number(p.entryPlaces) +
           QStringLiteral(" places from each heat, ") + kCR + QStringLiteral("and the best ") +
           QString::number(p.entryTimes) + QStringLiteral(" of the remaining performances.") + kCR +
           kCR + QStringLiteral("Continue");
}

QString RoundDrawing::doneText(const DrawEvent& event, const QString& round)
{
    QString what;
    if (HeatFormats::firstRound(event.format) == QLatin1String("F"))
        what = QStringLiteral("this Item");
    else if (round == QLatin1String("F"))
        what = QStringLiteral("this Final");
    else
        what = QStringLiteral("Round \"") + round + QLatin1Char('"');
    return QStringLiteral("Done: ") + what + QStringLiteral(" drawn");
}

bool RoundDrawing::passesChecks(const std::optional<DrawEvent>& event, qint64 eventNo,
                                const QString& round)
{
    QString refusal = eventRefusal(event, eventNo, round);
    if (refusal.isEmpty())
        refusal = releasedRefusal(eventNo, round);
    if (refusal.isEmpty())
        refusal = resultsRefusal(eventNo, round);
    if (refusal.isEmpty())
        return true;
    m_engine.messages().warning(refusal);
    return false;
}

DrawOutcome RoundDrawing::clearRound(qint64 eventNo, const QString& round)
{
    const std::optional<DrawEvent> event = m_engine.readEvent(eventNo);
    if (!passesChecks(event, eventNo, round))
        return DrawOutcome::Refused;
    QString question =
        QStringLiteral("Clear the Draw of Round ") + round + QStringLiteral(" of ") + event->title;
    // A combined race is drawn as one: its events keep their lanes or lose them together,
    // else the next draw of one of them would overlap the lanes the others kept.
    QList<qint64> cleared{eventNo};
    if (event->combinedNo > 0 && round == QLatin1String("F")) {
        cleared.clear();
        QStringList titles;
        for (const DrawEvent& member : combinedRaceEvents(m_engine, event->combinedNo)) {
            if (member.eventNo != eventNo && !passesChecks(member, member.eventNo, round))
                return DrawOutcome::Refused;
            cleared << member.eventNo;
            titles << member.title;
        }
        if (!cleared.contains(eventNo))
            cleared.prepend(eventNo);
        if (cleared.size() > 1) {
            const QString name =
                m_engine.database()
                    .selectOneValue(QStringLiteral("NAME"), QStringLiteral("COMBINED"),
                                    QStringLiteral("COMBINEDNO = ") + db::sqlInt(event->combinedNo))
                    .trimmed();
            question += kCR + QStringLiteral("It runs in the race of the Combined Item \"") + name +
                        QStringLiteral("\": the Draw of all its Items is cleared:") + kCR +
                        titles.join(kCR);
        }
    }
    if (!m_engine.messages().confirm(question))
        return DrawOutcome::Cancelled;
    DrawStore& store = m_engine.store();
    if (!store.clear(cleared, round)) {
        m_engine.messages().warning(QStringLiteral("The draw could not be cleared.") + kCR +
                                    store.failure());
        return DrawOutcome::Failed;
    }
    return DrawOutcome::Drawn;
}

DrawOutcome RoundDrawing::drawRound(qint64 eventNo, const QString& round, DrawFrom from)
{
    base::Messages& messages = m_engine.messages();
    m_report = DrawReport();
    const std::optional<DrawEvent> event = m_engine.readEvent(eventNo);
    if (!passesChecks(event, eventNo, round))
        return DrawOutcome::Refused;
    const bool firstRound = round == HeatFormats::firstRound(event->format);
    if (firstRound && from == DrawFrom::Capture &&
        !messages.confirm(QStringLiteral("First rounds are normally drawn for all events "
                                         "together, with the option \"Draw Athletes\"") +
                          kCR + QStringLiteral("of the Before screen.") + kCR + kCR +
                          QStringLiteral("Continue anyway")))
        return DrawOutcome::Cancelled;
    if (!firstRound) {
        const QString gaps = previousRoundGaps(*event, round);
        if (!gaps.isEmpty() &&
            !messages.confirm(gaps + kCR + QStringLiteral("Continue to draw anyway")))
            return DrawOutcome::Cancelled;
    }
    if (!messages.confirm(confirmation(*event, round)))
        return DrawOutcome::Cancelled;

    bool stored = false;
    if (firstRound && event->combinedNo > 0 && round == QLatin1String("F")) {
        stored =
            m_engine.drawCombinedRace(combinedRaceEvents(m_engine, event->combinedNo), m_report);
    } else if (firstRound) {
        stored = m_engine.drawFirstRound(*event, m_report);
    } else {
        NextRoundDraw next(m_engine, *event, round);
        stored = next.prepare() && next.run(m_report);
    }
    if (!stored) {
        messages.warning(QStringLiteral("The draw could not be stored; the previous draw is "
                                        "unchanged.") +
                         kCR + m_engine.failure());
        return DrawOutcome::Failed;
    }
    showReport(messages, m_report);
    messages.information(doneText(*event, round));
    return DrawOutcome::Drawn;
}

} // namespace draw
