#include "draw/callroomdraw.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/manualdraw.h"

namespace draw {

namespace {

// The status of an athlete who did not report at the call room.
constexpr int kDidNotReport = 2;

QString confirmation(const RoundFacts& facts)
{
    if (facts.isFinal() && facts.firstRound)
        return QStringLiteral("Draw this event");
    if (facts.firstRound)
        return QStringLiteral("Draw the first round (") + facts.round + QStringLiteral(")");
    return QStringLiteral("Draw round ") + facts.round + QStringLiteral(": \rSelect the first ") +
           QString::number(facts.entryPlaces) +
           QStringLiteral(" places from each heat, \rand "
                          "the best ") +
           QString::number(facts.entryTimes) +
           QStringLiteral(" of the remaining performances.\r\rContinue");
}

} // namespace

bool callRoomDraw(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                  base::Messages& messages, qint64 eventNo, const QString& round, quint32 seed,
                  bool confirmed)
{
    ManualDraw draw(database, items, messages);
    if (!draw.open(eventNo, round))
        return false;
    const RoundFacts facts = draw.facts();
    if (!confirmed && !messages.confirm(confirmation(facts)))
        return false;
    draw.selectPlacesAndPerformances();
    if (!draw.storeSelectedDraw(seed))
        return false;
    messages.information(
        QStringLiteral("Done: ") +
        (facts.isFinal() ? QStringLiteral("Final") : QStringLiteral("Round ") + facts.round) +
        QStringLiteral(" drawn"));
    const bool usesCallRoom =
        database
            .selectOneValue(QStringLiteral("USES_CALLROOM"), QStringLiteral("MEETING"),
                            QStringLiteral("MEETINGNO = ") + db::sqlInt(facts.meetingNo))
            .toInt() == 1;
    const int status =
        database
            .selectOneValue(QStringLiteral("CALLROOM_STATUS"), QStringLiteral("MYEVENT"),
                            QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo))
            .toInt();
    if (!usesCallRoom || status <= 0)
        return true;
    const QString absent = QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo) +
                           QStringLiteral(" and DID_NOT_CALL = 1");
    // A guard: the draw only takes athletes who reported.
    const QString drawnInRound =
        facts.isFinal() ? QStringLiteral("LANE > 0")
                        : QStringLiteral("exists (select 1 from HEATPART H where H.EVENTNO = "
                                         "PARTICIPATE.EVENTNO and H.ATHLETENO = "
                                         "PARTICIPATE.ATHLETENO and H.ROUND = ") +
                              db::quoted(facts.round) + QStringLiteral(")");
    const int drawnAbsent = database.ZSqlCount(QStringLiteral("PARTICIPATE"),
                                               absent + QStringLiteral(" and ") + drawnInRound);
    const bool written = database.executeAll(
        {QStringLiteral("update MYEVENT set CALLROOM_STATUS = 3 where EVENTNO = ") +
             db::sqlInt(eventNo),
         QStringLiteral("update PARTICIPATE set DISQ_STATUS = ") + db::sqlInt(kDidNotReport) +
             QStringLiteral(" where ") + absent,
         QStringLiteral("execute block as begin post_event 'CLRM_DRAWN'; end")});
    if (drawnAbsent > 0)
        messages.internalError(460501, QString::number(drawnAbsent) +
                                           QStringLiteral(" Athletes who DidNotCall was drawn "
                                                          "into lanes"));
    return written;
}

} // namespace draw
