#include "draw/programrows.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/heatformats.h"
#include "draw/roundletter.h"
#include "draw/teamlanes.h"
#include "meeting/itemtypes.h"

namespace draw {

namespace {

QString heatWhere(qint64 eventNo, const QString& round, int heatNo)
{
    return QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo) + QStringLiteral(" and ROUND = ") +
           db::quoted(round) + QStringLiteral(" and HEATNO = ") + db::sqlInt(heatNo);
}

QString heatText(qint64 eventNo, const QString& round, int heatNo)
{
    return QString::number(eventNo) + QLatin1Char(' ') + round + QLatin1Char(' ') +
           QString::number(heatNo);
}

// The placed or statused athletes of program row P: the final's in PARTICIPATE, a heat's
// in HEATPART.
QString placedCountSql()
{
    return QStringLiteral(
        "(case when P.ROUND = 'F' then (select count(*) from PARTICIPATE T where T.EVENTNO = "
        "P.EVENTNO and (T.PLACE > 0 or T.DISQ_STATUS > 0)) else (select count(*) from HEATPART "
        "H where H.EVENTNO = P.EVENTNO and H.ROUND = P.ROUND and H.HEATNO = P.HEATNO and "
        "(H.PLACE > 0 or H.DISQ_STATUS > 0)) end)");
}

const QString kRoundsAfter = QStringLiteral("CBAF");

} // namespace

QString sqlTime(const QTime& time)
{
    return time.isValid() ? db::quoted(time.toString(QStringLiteral("hh:mm:ss")))
                          : QStringLiteral("null");
}

int ProgramRows::heatExists(qint64 eventNo, const QString& round, int heatNo)
{
    return m_database.ZSqlCount(QStringLiteral("PROGRAM"), heatWhere(eventNo, round, heatNo));
}

QString ProgramRows::addHeatSql(qint64 key, qint64 eventNo, const QString& round, int heatNo,
                                const HeatSlot& slot, const QString& randomDraw) const
{
    // The event's copies for ordering come along in the same statement.
    return QStringLiteral("insert into PROGRAM (PROGRAMNO, MEETINGNO, EVENTNO, ROUND, HEATNO, "
                          "DAY_SEQ, THETIME, SEQ, PIT, C_GENDER, C_AGE, C_ABSAORDER, C_CLASS, "
                          "RANDOMDRAW, PLACEDCOUNT, WIND_SPEED, DRAW_RELEASED, DRAW_REVISION, "
                          "RESULTS_RELEASED, RESULTS_REVISION, T_VIS) select ") +
           db::sqlInt(key) + QStringLiteral(", MEETINGNO, EVENTNO, ") + db::quoted(round) + ", " +
           db::sqlInt(heatNo) + ", " + db::sqlInt(slot.day) + ", " + sqlTime(slot.time) + ", " +
           db::sqlInt(slot.seq) + ", " + db::quoted(slot.pit.trimmed()) +
           QStringLiteral(", C_GENDER, C_AGE, C_ABSAORDER, C_CLASS, ") + db::quoted(randomDraw) +
           QStringLiteral(", 0, '', 0, 0, 0, 0, 1 from MYEVENT where EVENTNO = ") +
           db::sqlInt(eventNo);
}

bool ProgramRows::addHeat(qint64 eventNo, const QString& round, int heatNo, const HeatSlot& slot,
                          const QString& randomDraw)
{
    if (heatExists(eventNo, round, heatNo) > 0) {
        m_messages.internalError(420201, QStringLiteral("Heat already exist:") +
                                             heatText(eventNo, round, heatNo));
        return false;
    }
    const qint64 key = m_database.nextKeyNumber();
    if (key <= 0)
        return false;
    return m_database.executeOneRow(
        addHeatSql(key, eventNo, round, heatNo, slot,
                   randomDraw.isEmpty() ? newHeatTeamLanes(eventNo) : randomDraw));
}

bool ProgramRows::removeHeat(qint64 eventNo, const QString& round, int heatNo)
{
    const qint64 removed = m_database.executeRowsAffected(
        QStringLiteral("delete from PROGRAM where ") + heatWhere(eventNo, round, heatNo));
    if (removed < 1) {
        m_messages.internalError(420202, QStringLiteral("Heat disappeared"));
        return false;
    }
    return true;
}

QString ProgramRows::newHeatTeamLanes(qint64 eventNo)
{
    db::Query q = m_database.openQuery(
        QStringLiteral("select MEETINGNO, C_GENDER from MYEVENT where EVENTNO = ") +
        db::sqlInt(eventNo));
    if (!q.isOpen() || q.isEmpty())
        return QString();
    q.first();
    // Mixed items have no teams' lanes of their own.
    const QString gender = q.text("C_GENDER").trimmed();
    if (gender != QLatin1String("M") && gender != QLatin1String("F"))
        return QString();
    return teamLaneListForNewHeat(m_database, m_messages, int(q.integer("MEETINGNO")), gender);
}

int ProgramRows::heatCount(qint64 eventNo, const QString& round)
{
    return m_database.ZSqlCount(QStringLiteral("PROGRAM"),
                                QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo) +
                                    QStringLiteral(" and ROUND = ") + db::quoted(round));
}

HeatSlot ProgramRows::slotForNewHeat(qint64 eventNo, const QString& round)
{
    for (int i = int(kRoundsAfter.indexOf(round)); i >= 0 && i < kRoundsAfter.size(); ++i) {
        db::Query q = m_database.openQuery(
            QStringLiteral("select DAY_SEQ, THETIME, SEQ, PIT from PROGRAM where EVENTNO = ") +
            db::sqlInt(eventNo) + QStringLiteral(" and ROUND = ") +
            db::quoted(kRoundsAfter.mid(i, 1)) + QStringLiteral(" order by DAY_SEQ, HEATNO desc"));
        if (q.isOpen() && !q.isEmpty()) {
            q.first();
            HeatSlot slot;
            slot.day = std::max(1, int(q.integer("DAY_SEQ")));
            slot.time = q.value("THETIME").toTime();
            slot.seq = int(q.integer("SEQ"));
            slot.pit = q.text("PIT");
            return slot;
        }
    }
    return HeatSlot{};
}

HeatPlan ProgramRows::planSync(qint64 eventNo, const QString& format, bool selected)
{
    HeatPlan plan;
    HeatFormats formats(m_messages);
    const int rounds = selected ? HeatFormats::roundCount(format) : 0;
    // Rounds C, B, A in running order; a round outside the format wants no heats. A new
    // heat's slot is taken from the rows as they are: the heats added before it in the
    // same round would have handed on the same slot.
    for (int number = 3; number >= 1; --number) {
        const QString round = QString(QLatin1String("FABC").at(number));
        const int wanted = number <= rounds ? formats.heatsOfRound(format, round) : 0;
        const int have = heatCount(eventNo, round);
        if (have < wanted) {
            const HeatSlot slot = slotForNewHeat(eventNo, round);
            for (int heat = have + 1; heat <= wanted; ++heat)
                plan.changes.append({true, round, heat, slot});
            plan.log.append(QStringLiteral("Round ") + round + QStringLiteral(" : ") +
                            QString::number(have + 1) + QStringLiteral(" to ") +
                            QString::number(wanted));
        } else if (have > wanted) {
            for (int heat = have; heat > wanted; --heat)
                plan.changes.append({false, round, heat, HeatSlot{}});
            plan.log.append(QStringLiteral("Round ") + round + QStringLiteral(" : ") +
                            QString::number(have) + QStringLiteral(" to ") +
                            QString::number(wanted + 1));
        }
    }
    const int finals = heatCount(eventNo, QStringLiteral("F"));
    if (selected && finals == 0) {
        plan.changes.append(
            {true, QStringLiteral("F"), 0, slotForNewHeat(eventNo, QStringLiteral("F"))});
    } else if (!selected && finals > 0) {
        plan.removeAll = true;
    }
    return plan;
}

QStringList ProgramRows::planStatements(qint64 eventNo, const HeatPlan& plan)
{
    QStringList statements;
    for (const HeatChange& change : plan.changes) {
        if (!change.add) {
            statements.append(QStringLiteral("delete from PROGRAM where ") +
                              heatWhere(eventNo, change.round, change.heatNo));
            continue;
        }
        const qint64 key = m_database.nextKeyNumber();
        if (key <= 0)
            return {};
        statements.append(addHeatSql(key, eventNo, change.round, change.heatNo, change.slot,
                                     newHeatTeamLanes(eventNo)));
    }
    if (plan.removeAll)
        statements.append(QStringLiteral("delete from PROGRAM where EVENTNO = ") +
                          db::sqlInt(eventNo));
    return statements;
}

QStringList ProgramRows::syncEvent(qint64 eventNo)
{
    db::Query event = m_database.openQuery(
        QStringLiteral("select HEATFORMAT, SELECTED from MYEVENT where EVENTNO = ") +
        db::sqlInt(eventNo));
    if (!event.isOpen() || event.isEmpty())
        return {};
    event.first();
    const HeatPlan plan = planSync(eventNo, event.text("HEATFORMAT").trimmed(),
                                   event.text("SELECTED") == QLatin1String("X"));
    for (const HeatChange& change : plan.changes) {
        const bool done = change.add ? addHeat(eventNo, change.round, change.heatNo, change.slot)
                                     : removeHeat(eventNo, change.round, change.heatNo);
        if (!done)
            break;
    }
    if (plan.removeAll)
        m_database.execute(QStringLiteral("delete from PROGRAM where EVENTNO = ") +
                           db::sqlInt(eventNo));
    return plan.log;
}

bool ProgramRows::repairEvent(qint64 eventNo)
{
    db::Query q =
        m_database.openQuery(QStringLiteral("select ROUND, HEATNO from PROGRAM where EVENTNO = ") +
                             db::sqlInt(eventNo) + QStringLiteral(" order by ROUND, HEATNO"));
    int counts[4] = {0, 0, 0, 0};
    int last[4] = {-1, 0, 0, 0};
    for (q.first(); !q.eof(); q.next()) {
        const int number = int(QStringLiteral("FABC").indexOf(q.text("ROUND")));
        const int heat = int(q.integer("HEATNO"));
        if (number < 0 || (number == 0) != (heat == 0)) {
            m_messages.internalError(420203, QStringLiteral("Found a heat for ") +
                                                 heatText(eventNo, q.text("ROUND"), heat));
            continue;
        }
        if (number > 0 && heat != last[number] + 1)
            m_messages.internalError(420204, QStringLiteral("Heats gap"));
        last[number] = heat;
        ++counts[number];
    }
    if (counts[0] == 0 && (counts[1] + counts[2] + counts[3]) > 0)
        m_messages.internalError(420205, QStringLiteral("Heats without a final"));
    QStringList heats;
    for (int number = 3; number >= 1; --number) {
        if (counts[number] > 0)
            heats.append(QString::number(counts[number]));
    }
    const QString fromProgram = heats.join(QLatin1Char(','));
    const QString stored =
        m_database.selectOneValue(QStringLiteral("HEATCOUNTS"), QStringLiteral("MYEVENT"),
                                  QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo));
    if (stored.trimmed() == fromProgram)
        return true;
    m_messages.warning(QStringLiteral("The HeatFormat of Event ") + QString::number(eventNo) +
                       QStringLiteral(" lost sync. ") + stored + QStringLiteral(" / ") +
                       fromProgram + QStringLiteral("\rTo fix the problem, edit the format"));
    // The program is the truth: the format is cleared down to its heat counts.
    const QString selected = counts[0] > 0 ? QStringLiteral("X") : QString();
    m_database.execute(QStringLiteral("update MYEVENT set SELECTED = ") + db::quoted(selected) +
                       QStringLiteral(", C_SELECTEDEDIT = ") + db::quoted(selected) +
                       QStringLiteral(", HEATCOUNTS = ") + db::quoted(fromProgram) +
                       QStringLiteral(", C_HEATCOUNTSEDIT = ") + db::quoted(fromProgram) +
                       QStringLiteral(", C_HEATFORMATEDIT = HEATFORMAT where EVENTNO = ") +
                       db::sqlInt(eventNo));
    return false;
}

bool ProgramRows::updatePlacedCount(qint64 programNo)
{
    return m_database.execute(QStringLiteral("update PROGRAM P set PLACEDCOUNT = ") +
                              placedCountSql() + QStringLiteral(" where P.PROGRAMNO = ") +
                              db::sqlInt(programNo));
}

bool ProgramRows::updatePlacedCounts(int meetingNo)
{
    db::Query q = m_database.openQuery(
        QStringLiteral("select PROGRAMNO from PROGRAM where MEETINGNO = ") + db::sqlInt(meetingNo));
    bool ok = true;
    for (q.first(); !q.eof(); q.next())
        ok = updatePlacedCount(q.integer("PROGRAMNO")) && ok;
    return ok;
}

QList<PlacedCount> ProgramRows::comparePlacedCounts(int meetingNo, bool errorsOnly)
{
    QList<PlacedCount> result;
    db::Query q = m_database.openQuery(
        QStringLiteral("select P.PROGRAMNO, P.EVENTNO, E.ITEMCODE, E.HEATFORMAT, P.ROUND, "
                       "P.HEATNO, coalesce(P.PLACEDCOUNT, 0) as STORED, ") +
        placedCountSql() +
        QStringLiteral(" as COUNTED from PROGRAM P join MYEVENT E on E.EVENTNO = P.EVENTNO where "
                       "P.MEETINGNO = ") +
        db::sqlInt(meetingNo) +
        QStringLiteral(" order by P.DAY_SEQ, P.THETIME, P.SEQ, P.EVENTNO, P.ROUND desc, "
                       "P.HEATNO"));
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        PlacedCount c;
        c.programNo = q.integer("PROGRAMNO");
        c.eventNo = q.integer("EVENTNO");
        c.itemCode = q.text("ITEMCODE").trimmed();
        c.format = q.text("HEATFORMAT").trimmed();
        c.round = q.text("ROUND");
        c.heatNo = int(q.integer("HEATNO"));
        c.stored = int(q.integer("STORED"));
        c.counted = int(q.integer("COUNTED"));
        if (!errorsOnly || c.differs())
            result.append(c);
    }
    return result;
}

QString placedCountReport(const meeting::ItemTypes& items, const QList<PlacedCount>& counts,
                          bool errorsOnly)
{
    QStringList lines{
        QStringLiteral("Compare Placed Counts in ") +
            (errorsOnly ? QStringLiteral("only error events") : QStringLiteral("all events")),
        QString()};
    int errors = 0;
    for (const PlacedCount& c : counts) {
        errors += c.differs() ? 1 : 0;
        lines.append((c.differs() ? QStringLiteral("ERROR  ") : QStringLiteral("       ")) +
                     (items.ItemDescription(c.itemCode, false) + QLatin1Char(' ') +
                      heatName(c.format, c.round, c.heatNo))
                         .leftJustified(48) +
                     QStringLiteral(" stored ") + QString::number(c.stored).rightJustified(3) +
                     QStringLiteral("  counted ") + QString::number(c.counted).rightJustified(3));
    }
    lines.append(QString());
    lines.append(QString::number(errors) + QStringLiteral(" of ") + QString::number(counts.size()) +
                 QStringLiteral(" heats differ"));
    return lines.join(QLatin1Char('\n'));
}

} // namespace draw
