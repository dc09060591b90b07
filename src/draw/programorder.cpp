#include "draw/programorder.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

namespace draw {

namespace {
// Rounds in running order: C, B, A, then the final.
const QString kRoundKey =
    QStringLiteral("(case when P.ROUND = 'F' then '9' else P.ROUND end) desc");
} // namespace

QString ProgramListing::orderBy(ProgramOrder order)
{
    switch (order) {
    case ProgramOrder::Time:
        // The database's own order: a row still without a time comes first in its day.
        return QStringLiteral("P.DAY_SEQ, P.THETIME, P.SEQ, ") + kRoundKey + ", P.HEATNO";
    case ProgramOrder::AgeGender:
        return QStringLiteral("P.C_GENDER, P.C_AGE, P.C_ABSAORDER, ") + kRoundKey + ", P.HEATNO";
    case ProgramOrder::Item:
        return QStringLiteral("E.N_ATHLON, P.C_ABSAORDER, P.C_GENDER, P.C_AGE, ") + kRoundKey +
               ", P.HEATNO";
    case ProgramOrder::None:
    case ProgramOrder::Sequence:
        break;
    }
    return QStringLiteral("P.SEQ, ") + kRoundKey + ", P.HEATNO";
}

QString ProgramListing::orderName(ProgramOrder order)
{
    switch (order) {
    case ProgramOrder::Sequence:
        return QStringLiteral("Sequence");
    case ProgramOrder::Time:
        return QStringLiteral("Time");
    case ProgramOrder::AgeGender:
        return QStringLiteral("Age and gender");
    case ProgramOrder::Item:
        return QStringLiteral("Item");
    case ProgramOrder::None:
        break;
    }
    return QStringLiteral("Order not selected");
}

ProgramOrder ProgramListing::orderFromName(const QString& name)
{
    if (name == QLatin1String("seq"))
        return ProgramOrder::Sequence;
    if (name == QLatin1String("time"))
        return ProgramOrder::Time;
    if (name == QLatin1String("age"))
        return ProgramOrder::AgeGender;
    if (name == QLatin1String("item"))
        return ProgramOrder::Item;
    return ProgramOrder::None;
}

bool ProgramListing::refreshVisibility(int meetingNo)
{
    return m_database.execute(
        QStringLiteral("update PROGRAM P set T_VIS = case when P.ROUND = 'F' and exists "
                       "(select 1 from MYEVENT E where E.EVENTNO = P.EVENTNO and "
                       "E.FINAL_NOT_RUN = 1) then 0 else 1 end where P.MEETINGNO = ") +
        db::sqlInt(meetingNo));
}

QList<ProgramLine> ProgramListing::lines(int meetingNo, ProgramOrder order, int day)
{
    QString sql =
        QStringLiteral("select P.PROGRAMNO, P.EVENTNO, E.ITEMCODE, E.HEATFORMAT, P.ROUND, "
                       "P.HEATNO, P.DAY_SEQ, P.THETIME, P.SEQ, P.PIT, E.N_ATHLON, E.COMBINEDNO, "
                       "E.FINAL_NOT_RUN, P.PLACEDCOUNT, P.DRAW_RELEASED, P.DRAW_REVISION, "
                       "P.RESULTS_RELEASED, P.RESULTS_REVISION from PROGRAM P join MYEVENT E on "
                       "E.EVENTNO = P.EVENTNO where P.MEETINGNO = ") +
        db::sqlInt(meetingNo) +
        QStringLiteral(" and not (P.ROUND = 'F' and coalesce(E.FINAL_NOT_RUN, 0) = 1)");
    if (day > 0)
        sql += QStringLiteral(" and P.DAY_SEQ = ") + db::sqlInt(day);
    sql += QStringLiteral(" order by ") + orderBy(order);
    QList<ProgramLine> result;
    db::Cursor q(m_database, sql);
    while (q.next()) {
        ProgramLine line;
        line.programNo = q.integer("PROGRAMNO");
        line.eventNo = q.integer("EVENTNO");
        line.itemCode = q.text("ITEMCODE");
        line.format = q.trimmed("HEATFORMAT");
        line.round = q.text("ROUND");
        line.heatNo = int(q.integer("HEATNO"));
        line.day = int(q.integer("DAY_SEQ"));
        line.time = q.value("THETIME").toTime();
        line.seq = int(q.integer("SEQ"));
        line.pit = q.trimmed("PIT");
        line.nAthlon = int(q.integer("N_ATHLON"));
        line.combinedNo = q.integer("COMBINEDNO");
        line.finalNotRun = int(q.integer("FINAL_NOT_RUN"));
        line.placedCount = int(q.integer("PLACEDCOUNT"));
        line.drawReleased = q.integer("DRAW_RELEASED") == 1;
        line.drawRevision = int(q.integer("DRAW_REVISION"));
        line.resultsReleased = q.integer("RESULTS_RELEASED") == 1;
        line.resultsRevision = int(q.integer("RESULTS_REVISION"));
        result.append(line);
    }
    return result;
}

} // namespace draw
