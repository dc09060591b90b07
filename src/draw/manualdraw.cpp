#include "draw/manualdraw.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/drawcandidates.h"
#include "meeting/itemtypes.h"

#include <QMap>

#include <algorithm>
#include <limits>

namespace draw {

namespace {

const QString kCR = QStringLiteral("\r");

// A typed heat or lane: empty stays empty; otherwise a whole number of 0 or more.
std::optional<int> typedNumber(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < 0)
        return std::nullopt;
    return value;
}

} // namespace

QString laneFaults(QList<int> lanes, int drawStart)
{
    lanes.removeAll(0);
    if (lanes.isEmpty())
        return QString();
    std::sort(lanes.begin(), lanes.end());
    QString faults;
    if (lanes.first() != 1 && lanes.first() != drawStart)
        faults += QStringLiteral(", Do not start at 1");
    const bool duplicates = std::adjacent_find(lanes.begin(), lanes.end()) != lanes.end();
    if (duplicates)
        faults += QStringLiteral(", Has Duplicates");
    lanes.erase(std::unique(lanes.begin(), lanes.end()), lanes.end());
    if (lanes.last() - lanes.first() + 1 != lanes.size())
        faults += QStringLiteral(", Has Gaps");
    return faults;
}

QString performanceOrderText(const QString& performance, bool fieldItem)
{
    if (!fieldItem)
        return performance;
    QString turned = performance;
    for (QChar& c : turned)
        if (c.isDigit())
            c = QChar('9' - c.unicode() + '0');
    return turned;
}

ManualDraw::ManualDraw(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                       base::Messages& messages)
    : m_database(database), m_items(items), m_messages(messages)
{
}

bool ManualDraw::open(qint64 eventNo, const QString& round)
{
    m_rows.clear();
    m_facts = roundFacts(m_database, m_messages, eventNo, round);
    if (!m_facts.found)
        return false;
    if (resultsInRound(m_database, m_facts) > 0) {
        m_messages.warning(QStringLiteral("The DrawManually never allows drawing or anything on") +
                           kCR + QStringLiteral("rounds with any results (places or performances"));
        return false;
    }
    m_lanes = std::max(
        1, m_database
               .selectOneValue(QStringLiteral("DOLVANE_LANE_COUNT"), QStringLiteral("MEETING"),
                               QStringLiteral("MEETINGNO = ") + db::sqlInt(m_facts.meetingNo))
               .toInt());
    return load();
}

bool ManualDraw::reload()
{
    return m_facts.found && load();
}

bool ManualDraw::load()
{
    m_rows.clear();
    const bool field = m_items.IsFieldItem(m_facts.itemCode);
    // Before: the previous round's row, or the entry itself for the first round.
    const QString before =
        m_facts.firstRound
            ? QStringLiteral("0 as PLACE_BEFORE, P.BESTPERFBEFORE as PERF_BEFORE, 0 as "
                             "HEAT_BEFORE, 0 as LANE_BEFORE, P.PARTNO as PARTNO_BEFORE, "
                             "P.DISQ_STATUS as STATUS_BEFORE")
            : QStringLiteral("B.PLACE as PLACE_BEFORE, B.PERFORMANCE as PERF_BEFORE, B.HEATNO "
                             "as HEAT_BEFORE, B.LANE as LANE_BEFORE, B.HEATPARTNO as "
                             "PARTNO_BEFORE, B.DISQ_STATUS as STATUS_BEFORE");
    const QString beforeJoin =
        m_facts.firstRound
            ? QString()
            : QStringLiteral(" left join HEATPART B on B.EVENTNO = P.EVENTNO and B.ATHLETENO = "
                             "P.ATHLETENO and B.ROUND = ") +
                  db::quoted(m_facts.previousRound);
    const QString thisRound =
        m_facts.isFinal()
            ? QStringLiteral("case when coalesce(P.LANE, 0) > 0 then 0 end as THIS_HEAT, "
                             "case when coalesce(P.LANE, 0) > 0 then P.LANE end as THIS_LANE, "
                             "P.PARTNO as THIS_PARTNO")
            : QStringLiteral("H.HEATNO as THIS_HEAT, H.LANE as THIS_LANE, H.HEATPARTNO as "
                             "THIS_PARTNO");
    const QString thisJoin =
        m_facts.isFinal()
            ? QString()
            : QStringLiteral(" left join HEATPART H on H.EVENTNO = P.EVENTNO and H.ATHLETENO = "
                             "P.ATHLETENO and H.ROUND = ") +
                  db::quoted(m_facts.round);
    db::Query q = m_database.openQuery(
        QStringLiteral("select P.ATHLETENO, A.SURNAME, A.FIRSTNAME, A.NUMBER, A.BIRTHDATE, "
                       "A.AWOL_DNS_DISQ, T.TEAMABRV, A.TEAMNO, P.DID_NOT_CALL, ") +
        before + QStringLiteral(", ") + thisRound +
        QStringLiteral(" from PARTICIPATE P join ATHLETE A on A.ATHLETENO = P.ATHLETENO "
                       "left join TEAM T on T.TEAMNO = A.TEAMNO") +
        beforeJoin + thisJoin + QStringLiteral(" where P.EVENTNO = ") +
        db::sqlInt(m_facts.eventNo) + QStringLiteral(" order by A.SURNAME, A.FIRSTNAME"));
    if (!q.isOpen())
        return false;
    for (q.first(); !q.eof(); q.next()) {
        ManualDrawRow row;
        row.athleteNo = q.integer("ATHLETENO");
        row.surname = q.text("SURNAME").trimmed();
        row.firstName = q.text("FIRSTNAME").trimmed();
        row.number = q.text("NUMBER").trimmed();
        row.birthDate = q.text("BIRTHDATE").trimmed();
        row.awolDnsDisq = int(q.integer("AWOL_DNS_DISQ"));
        row.teamAbrv = q.text("TEAMABRV").trimmed();
        row.teamNo = q.integer("TEAMNO");
        row.placeBefore = int(q.integer("PLACE_BEFORE"));
        row.perfBefore = q.text("PERF_BEFORE").trimmed();
        row.heatBefore = int(q.integer("HEAT_BEFORE"));
        row.laneBefore = int(q.integer("LANE_BEFORE"));
        row.partNoBefore = q.integer("PARTNO_BEFORE");
        row.disqDnc = int(q.integer("DID_NOT_CALL"));
        row.disqStatus = int(q.integer("STATUS_BEFORE"));
        if (!q.isNull("THIS_HEAT")) {
            row.thisHeat = QString::number(q.integer("THIS_HEAT"));
            row.thisLane = QString::number(q.integer("THIS_LANE"));
        }
        row.partNo = q.integer("THIS_PARTNO");
        row.hasPBefore = !meeting::ItemTypes::PerfIsBlank(row.perfBefore);
        row.orderPBefore = row.hasPBefore ? performanceOrderText(row.perfBefore, field) : QString();
        row.storedHeat = row.thisHeat;
        row.storedLane = row.thisLane;
        m_rows.append(row);
    }
    return true;
}

void ManualDraw::sort(ManualOrder order)
{
    const auto numberKey = [](const QString& text) { return text.isEmpty() ? 9999 : text.toInt(); };
    const auto placeKey = [](int place) { return place > 0 ? place : 9999; };
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [&](const ManualDrawRow& a, const ManualDrawRow& b) {
                         switch (order) {
                         case ManualOrder::PreviousHeatPlace:
                             return std::tuple(a.heatBefore, placeKey(a.placeBefore)) <
                                    std::tuple(b.heatBefore, placeKey(b.placeBefore));
                         case ManualOrder::PreviousHeatLane:
                             return std::tuple(a.heatBefore, a.laneBefore) <
                                    std::tuple(b.heatBefore, b.laneBefore);
                         case ManualOrder::ThisHeatLane:
                             return std::tuple(numberKey(a.thisHeat), numberKey(a.thisLane)) <
                                    std::tuple(numberKey(b.thisHeat), numberKey(b.thisLane));
                         case ManualOrder::PreviousPerformance:
                             return std::tuple(!a.hasPBefore, a.orderPBefore) <
                                    std::tuple(!b.hasPBefore, b.orderPBefore);
                         }
                         return false;
                     });
}

int ManualDraw::indexOf(qint64 athleteNo) const
{
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].athleteNo == athleteNo)
            return i;
    return -1;
}

bool ManualDraw::setHeatLane(int row, const QString& heatText, const QString& laneText)
{
    if (row < 0 || row >= m_rows.size())
        return false;
    const QString heat = heatText.trimmed();
    const QString lane = laneText.trimmed();
    if (heat.isEmpty() != lane.isEmpty()) {
        m_messages.warning(QStringLiteral("Both Heat and Lane must either be empty or filled"));
        return false;
    }
    if (heat.isEmpty()) {
        m_rows[row].thisHeat.clear();
        m_rows[row].thisLane.clear();
        return true;
    }
    const std::optional<int> h = typedNumber(heat);
    if (!h) {
        m_messages.warning(
            QStringLiteral("The Heat must be a number") +
            (m_facts.isFinal() ? QString() : QStringLiteral(".  0 is also allowed")));
        return false;
    }
    const std::optional<int> l = typedNumber(lane);
    if (!l) {
        m_messages.warning(QStringLiteral("The Lane must be a number.  0 is also allowed"));
        return false;
    }
    if (m_facts.isFinal() && *h != 0) {
        m_messages.warning(QStringLiteral("The HeatNo for a final must be 0, not ") +
                           QString::number(*h));
        return false;
    }
    if (*h > m_facts.heats) {
        m_messages.warning(roundText(m_facts.round) + QStringLiteral(" has only ") +
                           QString::number(m_facts.heats) + QStringLiteral(" heats, not ") +
                           QString::number(*h));
        return false;
    }
    const int mostLanes = std::max(m_lanes, int(m_rows.size()));
    if (*l > mostLanes) {
        m_messages.warning(QStringLiteral("The lane must be from 0 to ") +
                           QString::number(mostLanes) + QStringLiteral(", not ") +
                           QString::number(*l));
        return false;
    }
    // A heat of 0 takes the athlete out of the round (except in the final).
    if (*h == 0 && !m_facts.isFinal()) {
        m_rows[row].thisHeat = QStringLiteral("0");
        m_rows[row].thisLane = QStringLiteral("0");
        return true;
    }
    m_rows[row].thisHeat = QString::number(*h);
    m_rows[row].thisLane = QString::number(*l);
    return true;
}

bool ManualDraw::hasEdits() const
{
    return std::any_of(m_rows.begin(), m_rows.end(),
                       [](const ManualDrawRow& r) { return r.edited(); });
}

int ManualDraw::drawStart(int athletes, int roundLargest) const
{
    const int laneClass = laneClassOf(m_items, m_facts.itemCode);
    if (!isLaned(laneClass))
        return roundLargest - athletes + 1;
    int lowest = std::numeric_limits<int>::max();
    for (int rank = 1; rank <= athletes; ++rank)
        lowest = std::min(lowest, laneFromRank(rank, m_lanes, laneClass == 0));
    return lowest;
}

QStringList ManualDraw::verifyErrors() const
{
    QMap<int, QList<int>> lanesByHeat;
    for (const ManualDrawRow& r : m_rows) {
        if (!r.drawn())
            continue;
        const int heat = r.thisHeat.toInt();
        if (heat == 0 && !m_facts.isFinal())
            continue;
        lanesByHeat[heat].append(r.thisLane.toInt());
    }
    int roundLargest = 0;
    for (const QList<int>& lanes : std::as_const(lanesByHeat))
        for (int lane : lanes)
            roundLargest = std::max(roundLargest, lane);
    QStringList errors;
    for (auto it = lanesByHeat.cbegin(); it != lanesByHeat.cend(); ++it) {
        const int athletes = int(it.value().size() - it.value().count(0));
        const QString faults = laneFaults(it.value(), drawStart(athletes, roundLargest));
        if (!faults.isEmpty())
            errors.append((m_facts.isFinal()
                               ? QStringLiteral("Final")
                               : QStringLiteral("Heat ") + QString::number(it.key())) +
                          faults);
    }
    return errors;
}

bool ManualDraw::verify()
{
    const QStringList errors = verifyErrors();
    if (errors.isEmpty()) {
        m_messages.information(QStringLiteral("Verified: The lanes are correct"));
        return true;
    }
    m_messages.warning(QStringLiteral("Errors") + kCR + errors.join(kCR));
    return false;
}

QString ManualDraw::editStatement(const ManualDrawRow& row, QStringList* statements)
{
    const bool out = !row.drawn() || (row.thisHeat == QLatin1String("0") && !m_facts.isFinal());
    if (m_facts.isFinal()) {
        statements->append(QStringLiteral("update PARTICIPATE set LANE = ") +
                           db::sqlInt(out ? 0 : row.thisLane.toInt()) +
                           QStringLiteral(", TEAMDRAW_USED = 0 where PARTNO = ") +
                           db::sqlInt(row.partNo));
        return QString();
    }
    if (row.partNo > 0 && out) {
        statements->append(QStringLiteral("delete from HEATPART where HEATPARTNO = ") +
                           db::sqlInt(row.partNo));
    } else if (row.partNo > 0) {
        statements->append(
            QStringLiteral("update HEATPART set HEATNO = ") + db::sqlInt(row.thisHeat.toInt()) +
            QStringLiteral(", LANE = ") + db::sqlInt(row.thisLane.toInt()) +
            QStringLiteral(", TEAMDRAW_USED = 0 where HEATPARTNO = ") + db::sqlInt(row.partNo));
    } else if (!out) {
        const qint64 key = m_database.nextKeyNumber();
        if (key <= 0)
            return QStringLiteral("no key");
        statements->append(insertHeatPartSql(key, m_facts, row.thisHeat.toInt(), row.athleteNo,
                                             row.thisLane.toInt()));
    }
    return QString();
}

bool ManualDraw::writeStatements(const QStringList& statements)
{
    return m_database.executeAll(statements);
}

bool ManualDraw::accept()
{
    if (!verifyErrors().isEmpty() && !verify() &&
        !m_messages.confirm(QStringLiteral("Accept with errors")))
        return false;
    QStringList statements;
    for (const ManualDrawRow& row : m_rows)
        if (row.edited() && !editStatement(row, &statements).isEmpty())
            return false;
    if (!writeStatements(statements))
        return false;
    return load();
}

void ManualDraw::toggleSelected(int row)
{
    if (row >= 0 && row < m_rows.size())
        m_rows[row].selected = !m_rows[row].selected;
}

void ManualDraw::setSelected(int row, bool selected)
{
    if (row >= 0 && row < m_rows.size())
        m_rows[row].selected = selected;
}

int ManualDraw::selectedCount() const
{
    return int(std::count_if(m_rows.begin(), m_rows.end(),
                             [](const ManualDrawRow& r) { return r.selected; }));
}

QList<int> ManualDraw::selectedRows() const
{
    QList<int> rows;
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].selected)
            rows.append(i);
    return rows;
}

bool ManualDraw::swapSelected(bool sameTeam)
{
    const QList<int> rows = selectedRows();
    if (rows.size() < 2) {
        m_messages.warning(sameTeam ? QStringLiteral("Select only two athletes")
                                    : QStringLiteral("You must select two athletes"));
        return false;
    }
    if (rows.size() > 2) {
        m_messages.warning(QStringLiteral("More than two selected: ") +
                           QString::number(rows.size()));
        return false;
    }
    return swapRows(rows[0], rows[1], sameTeam);
}

bool ManualDraw::swapRows(int first, int second, bool sameTeam)
{
    if (first < 0 || second < 0 || first >= m_rows.size() || second >= m_rows.size() ||
        first == second) {
        m_messages.warning(QStringLiteral("You must select two athletes"));
        return false;
    }
    ManualDrawRow& a = m_rows[first];
    ManualDrawRow& b = m_rows[second];
    if (sameTeam && a.teamNo != b.teamNo) {
        m_messages.warning(QStringLiteral("The two athletes must be from the same team"));
        return false;
    }
    if (hasEdits()) {
        m_messages.warning(QStringLiteral("Accept or cancel the edits of heats and lanes first"));
        return false;
    }
    if (!m_messages.confirm(QStringLiteral("Swop the two athletes")))
        return false;
    std::swap(a.thisHeat, b.thisHeat);
    std::swap(a.thisLane, b.thisLane);
    QStringList statements;
    if (!editStatement(a, &statements).isEmpty() || !editStatement(b, &statements).isEmpty() ||
        !writeStatements(statements)) {
        load();
        return false;
    }
    load();
    m_messages.information(QStringLiteral("Done: Athletes swopped"));
    return true;
}

bool ManualDraw::clearDraw()
{
    QString sql;
    if (m_facts.isFinal()) {
        sql = QStringLiteral("update PARTICIPATE set PLACE = 0, PLACESHARECOUNT = 0, "
                             "PERFORMANCE = '', LANE = 0, DISQ_STATUS = 0, T_LEAGUE_PLACE = 0, "
                             "T_LEAGUE_SHARECOUNT = 0, FINAL_ORDER = 0, E_PLACE = 0, "
                             "WIND_SPEED = '', DID_NOT_CALL = 0 where ") +
              roundRowsWhere(m_facts);
    } else {
        sql = QStringLiteral("delete from HEATPART where ") + roundRowsWhere(m_facts);
    }
    if (!writeStatements({sql}))
        return false;
    load();
    m_messages.information(QStringLiteral("Done: Draw for ") +
                           (m_facts.isFinal() ? QStringLiteral("the Final")
                                              : QStringLiteral("Round ") + m_facts.round) +
                           QStringLiteral(" cleared"));
    return true;
}

} // namespace draw
