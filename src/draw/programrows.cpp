#include "draw/programrows.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/heatformats.h"
#include "shell/messages.h"

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
    // The event's copies for ordering come along in the same statement.
    return m_database.executeOneRow(
        QStringLiteral("insert into PROGRAM (PROGRAMNO, MEETINGNO, EVENTNO, ROUND, HEATNO, "
                       "DAY_SEQ, THETIME, SEQ, PIT, C_GENDER, C_AGE, C_ABSAORDER, C_CLASS, "
                       "RANDOMDRAW, PLACEDCOUNT, WIND_SPEED, DRAW_RELEASED, DRAW_REVISION, "
                       "RESULTS_RELEASED, RESULTS_REVISION, T_VIS) select ") +
        db::sqlInt(key) + QStringLiteral(", MEETINGNO, EVENTNO, ") + db::quoted(round) + ", " +
        db::sqlInt(heatNo) + ", " + db::sqlInt(slot.day) + ", " + sqlTime(slot.time) + ", " +
        db::sqlInt(slot.seq) + ", " + db::quoted(slot.pit.trimmed()) +
        QStringLiteral(", C_GENDER, C_AGE, C_ABSAORDER, C_CLASS, ") + db::quoted(randomDraw) +
        QStringLiteral(", 0, '', 0, 0, 0, 0, 1 from MYEVENT where EVENTNO = ") +
        db::sqlInt(eventNo));
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

QStringList ProgramRows::syncEvent(qint64 eventNo)
{
    QStringList log;
    db::Query event = m_database.openQuery(
        QStringLiteral("select HEATFORMAT, SELECTED from MYEVENT where EVENTNO = ") +
        db::sqlInt(eventNo));
    if (!event.isOpen() || event.isEmpty())
        return log;
    event.first();
    const QString format = event.text("HEATFORMAT").trimmed();
    const bool selected = event.text("SELECTED") == QLatin1String("X");
    HeatFormats formats(m_messages);
    const int rounds = selected ? HeatFormats::roundCount(format) : 0;
    // Rounds C, B, A in running order; a round outside the format wants no heats.
    for (int number = 3; number >= 1; --number) {
        const QString round = QString(QLatin1String("FABC").at(number));
        const int wanted = number <= rounds ? formats.heatsOfRound(format, round) : 0;
        int have = heatCount(eventNo, round);
        if (have < wanted) {
            const int from = have + 1;
            while (have < wanted) {
                addHeat(eventNo, round, ++have, slotForNewHeat(eventNo, round));
            }
            log.append(QStringLiteral("Round ") + round + QStringLiteral(" : ") +
                       QString::number(from) + QStringLiteral(" to ") + QString::number(wanted));
        } else if (have > wanted) {
            const int from = have;
            while (have > wanted) {
                if (!removeHeat(eventNo, round, have))
                    break;
                --have;
            }
            log.append(QStringLiteral("Round ") + round + QStringLiteral(" : ") +
                       QString::number(from) + QStringLiteral(" to ") +
                       QString::number(wanted + 1));
        }
    }
    const int finals = heatCount(eventNo, QStringLiteral("F"));
    if (selected && finals == 0) {
        addHeat(eventNo, QStringLiteral("F"), 0, slotForNewHeat(eventNo, QStringLiteral("F")));
    } else if (!selected && finals > 0) {
        m_database.execute(QStringLiteral("delete from PROGRAM where EVENTNO = ") +
                           db::sqlInt(eventNo));
    }
    return log;
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
    return m_database.execute(
        QStringLiteral("update PROGRAM P set PLACEDCOUNT = case when P.ROUND = 'F' then "
                       "(select count(*) from PARTICIPATE T where T.EVENTNO = P.EVENTNO and "
                       "(T.PLACE > 0 or T.DISQ_STATUS > 0)) else "
                       "(select count(*) from HEATPART H where H.EVENTNO = P.EVENTNO and "
                       "H.ROUND = P.ROUND and H.HEATNO = P.HEATNO and "
                       "(H.PLACE > 0 or H.DISQ_STATUS > 0)) end where P.PROGRAMNO = ") +
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

} // namespace draw
