// The select action of the manual draw: choosing the qualifiers by hand or by the format,
// and drawing the chosen athletes into the round's heats and lanes.

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/manualdraw.h"
#include "meeting/itemtypes.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <random>

namespace draw {

namespace {

bool eligible(const ManualDrawRow& row)
{
    return row.disqDnc == 0 && row.disqStatus == 0;
}

} // namespace

void ManualDraw::selectPlacesAndPerformances()
{
    for (ManualDrawRow& row : m_rows)
        row.selected = false;
    if (m_facts.firstRound) {
        // Every entry that may start goes into the first round.
        for (ManualDrawRow& row : m_rows)
            row.selected = eligible(row);
        return;
    }
    const int previousHeats = m_database.ZSqlCount(
        QStringLiteral("PROGRAM"), QStringLiteral("EVENTNO = ") + db::sqlInt(m_facts.eventNo) +
                                       QStringLiteral(" and ROUND = ") +
                                       db::quoted(m_facts.previousRound));
    int places = 0;
    for (ManualDrawRow& row : m_rows) {
        if (eligible(row) && row.placeBefore >= 1 && row.placeBefore <= m_facts.entryPlaces) {
            row.selected = true;
            ++places;
        }
    }
    const int expectedPlaces = m_facts.entryPlaces * previousHeats;
    if (places < expectedPlaces)
        m_messages.warning(QStringLiteral("Only ") + QString::number(places) +
                           QStringLiteral(" places were selected instead of ") +
                           QString::number(expectedPlaces));
    QList<int> rest;
    for (int i = 0; i < m_rows.size(); ++i)
        if (!m_rows[i].selected && eligible(m_rows[i]) && m_rows[i].hasPBefore &&
            m_rows[i].placeBefore > 0)
            rest.append(i);
    std::stable_sort(rest.begin(), rest.end(), [this](int a, int b) {
        return m_rows[a].orderPBefore < m_rows[b].orderPBefore;
    });
    const int times = int(std::min<qsizetype>(m_facts.entryTimes, rest.size()));
    for (int i = 0; i < times; ++i)
        m_rows[rest[i]].selected = true;
    if (times < m_facts.entryTimes)
        m_messages.warning(QStringLiteral("Only ") + QString::number(times) +
                           QStringLiteral(" performances were selected instead of ") +
                           QString::number(m_facts.entryTimes));
}

bool ManualDraw::drawSelected(quint32 seed)
{
    if (selectedCount() == 0) {
        if (m_messages.confirm(QStringLiteral("There are no athletes !") + QStringLiteral("\r") +
                               QStringLiteral("Do you want to clear the draw")))
            return clearDraw();
        return false;
    }
    if (!storeSelectedDraw(seed))
        return false;
    m_messages.information(QStringLiteral("Done: Manually selected athletes drawn"));
    return true;
}

// The selected athletes are shuffled and dealt round the heats, so heat sizes differ by one
// at most. Inside a heat an athlete whose team has a lane in the heat's list of team lanes
// (RANDOMDRAW) takes that lane; the others take the free lanes from lane 1 up.
bool ManualDraw::storeSelectedDraw(quint32 seed)
{
    const int heats = m_facts.heats;
    if (heats < 1) {
        m_messages.warning(QStringLiteral("There are no heats in the program for ") +
                           roundText(m_facts.round));
        return false;
    }
    QList<int> chosen;
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].selected)
            chosen.append(i);
    std::sort(chosen.begin(), chosen.end(),
              [this](int a, int b) { return m_rows[a].athleteNo < m_rows[b].athleteNo; });
    std::mt19937 generator(seed);
    std::shuffle(chosen.begin(), chosen.end(), generator);

    QHash<int, QStringList> teamLanes;
    db::Query programs = m_database.openQuery(
        QStringLiteral("select HEATNO, RANDOMDRAW from PROGRAM where EVENTNO = ") +
        db::sqlInt(m_facts.eventNo) + QStringLiteral(" and ROUND = ") + db::quoted(m_facts.round));
    for (programs.first(); programs.isOpen() && !programs.eof(); programs.next()) {
        const QString list = programs.text("RANDOMDRAW").trimmed();
        if (!list.isEmpty())
            teamLanes.insert(int(programs.integer("HEATNO")), list.split(QLatin1Char(';')));
    }
    const bool field = m_items.IsFieldItem(m_facts.itemCode);

    QStringList statements;
    statements.append(
        m_facts.isFinal()
            ? QStringLiteral("update PARTICIPATE set LANE = 0 where ") + roundRowsWhere(m_facts)
            : QStringLiteral("delete from HEATPART where ") + roundRowsWhere(m_facts));
    for (int heat = 1; heat <= heats; ++heat) {
        QList<int> members;
        for (int i = heat - 1; i < chosen.size(); i += heats)
            members.append(chosen[i]);
        const int programHeat = m_facts.isFinal() ? 0 : heat;
        const QStringList list = teamLanes.value(programHeat);
        QHash<int, int> laneOf; // row -> lane
        QSet<int> taken;
        for (int row : members) {
            if (list.isEmpty())
                break;
            const int position = int(list.indexOf(m_rows[row].teamAbrv));
            if (position < 0) {
                m_messages.internalError(
                    460201, QStringLiteral("Lost team:") + QString::number(m_rows[row].athleteNo) +
                                QLatin1Char(',') + m_facts.round + QLatin1Char(',') +
                                QString::number(programHeat));
                continue;
            }
            const int lane = field ? int(list.size()) - position : position + 1;
            if (!taken.contains(lane)) {
                laneOf.insert(row, lane);
                taken.insert(lane);
            }
        }
        int next = 1;
        for (int row : members) {
            if (laneOf.contains(row))
                continue;
            while (taken.contains(next))
                ++next;
            laneOf.insert(row, next);
            taken.insert(next);
        }
        for (int row : members) {
            const int lane = laneOf.value(row);
            const bool teamLane = !list.isEmpty() && int(list.indexOf(m_rows[row].teamAbrv)) >= 0;
            if (m_facts.isFinal()) {
                statements.append(
                    QStringLiteral("update PARTICIPATE set LANE = ") + db::sqlInt(lane) +
                    QStringLiteral(", TEAMDRAW_USED = ") + db::sqlInt(teamLane ? 1 : 0) +
                    QStringLiteral(" where EVENTNO = ") + db::sqlInt(m_facts.eventNo) +
                    QStringLiteral(" and ATHLETENO = ") + db::sqlInt(m_rows[row].athleteNo));
                continue;
            }
            const qint64 key = m_database.nextKeyNumber();
            if (key <= 0)
                return false;
            statements.append(
                insertHeatPartSql(key, m_facts, heat, m_rows[row].athleteNo, lane, teamLane));
        }
    }
    statements.append(QStringLiteral("update MYEVENT set LASTROUNDDRAWN = ") +
                      db::quoted(m_facts.round) + QStringLiteral(" where EVENTNO = ") +
                      db::sqlInt(m_facts.eventNo));
    if (!writeStatements(statements))
        return false;
    return load();
}

} // namespace draw
