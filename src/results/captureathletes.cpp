#include "results/captureathletes.h"

#include "db/dmdcoredbs.h"
#include "db/sidereader.h"
#include "db/sqltext.h"
#include "meeting/itemtypes.h"
#include "results/captureprogram.h"

#include <QHash>
#include <QStringList>
#include <QVarLengthArray>

#include <algorithm>

namespace results {

namespace {

// The athletes of a heat (HEATPART) or final (PARTICIPATE) rows matching `where`, with the
// heat's event, round and heat number (a final's round is empty).
QString athletesSelect(bool final, const QString& where, const QString& orderBy)
{
    return QStringLiteral("select X.") +
           (final ? QStringLiteral("PARTNO") : QStringLiteral("HEATPARTNO")) +
           QStringLiteral(" as ROWKEY, X.EVENTNO, ") +
           (final ? QStringLiteral("cast('' as varchar(2)) as HEATROUND, 0 as HEATNUMBER")
                  : QStringLiteral("X.ROUND as HEATROUND, X.HEATNO as HEATNUMBER")) +
           QStringLiteral(", X.ATHLETENO, X.LANE, X.E_PLACE, X.PLACE, "
                          "X.PLACESHARECOUNT, X.PERFORMANCE, X.THIRD_DIGIT, X.DISQ_STATUS, "
                          "X.DISQ_REASON, X.WIND_SPEED, A.NUMBER, A.SURNAME, A.FIRSTNAME, "
                          "A.AGE, A.ID_NUMBER, A.DISABILITY_CLASSES, T.TEAMNAME, T.TEAMABRV, "
                          "T.LEAGUE from ") +
           (final ? QStringLiteral("PARTICIPATE") : QStringLiteral("HEATPART")) +
           QStringLiteral(" X join ATHLETE A on A.ATHLETENO = X.ATHLETENO left join TEAM T on "
                          "T.TEAMNO = A.TEAMNO where ") +
           where + QStringLiteral(" order by ") + orderBy;
}

QString athletesSql(const CaptureProgramRow& row, const QString& extraWhere, const QString& orderBy)
{
    QString where = QStringLiteral("X.EVENTNO = ") + db::sqlInt(row.eventNo);
    if (!row.isFinal())
        where += QStringLiteral(" and X.ROUND = ") + db::quoted(row.round) +
                 QStringLiteral(" and X.HEATNO = ") + db::sqlInt(row.heatNo);
    return athletesSelect(row.isFinal(), where + extraWhere, orderBy);
}

// "EVENTNO/ROUND/HEATNO" of a heat.
QString heatKey(qint64 eventNo, const QString& round, int heatNo)
{
    return QString::number(eventNo) + QLatin1Char('/') + round + QLatin1Char('/') +
           QString::number(heatNo);
}

// The columns of a heat's or final's rows: the row's key, its heat, the athlete and the
// race's outcome (lane, places, performance, status); looked up once per read.
struct RaceColumns {
    explicit RaceColumns(const db::Cursor& q)
        : lane(q.column("LANE")), ePlace(q.column("E_PLACE")), place(q.column("PLACE")),
          shareCount(q.column("PLACESHARECOUNT")), performance(q.column("PERFORMANCE")),
          thirdDigit(q.column("THIRD_DIGIT")), status(q.column("DISQ_STATUS")),
          reason(q.column("DISQ_REASON")), wind(q.column("WIND_SPEED")), rowKey(q.column("ROWKEY")),
          eventNo(q.column("EVENTNO")), heatRound(q.column("HEATROUND")),
          heatNumber(q.column("HEATNUMBER")), athleteNo(q.column("ATHLETENO"))
    {
    }
    int lane, ePlace, place, shareCount, performance, thirdDigit, status, reason, wind;
    int rowKey, eventNo, heatRound, heatNumber, athleteNo;

    void read(const db::Cursor& q, CaptureAthleteRow& a) const
    {
        a.lane = int(q.integer(lane));
        a.ePlace = int(q.integer(ePlace));
        a.place = int(q.integer(place));
        a.shareCount = int(q.integer(shareCount));
        a.performance = q.trimmed(performance);
        a.thirdDigit = q.trimmed(thirdDigit);
        a.status = int(q.integer(status));
        a.reason = q.trimmed(reason);
        a.wind = q.trimmed(wind);
    }
};

// Calls `take` with each athlete of the query and the heat's key columns.
template <typename Take>
void readAthleteRows(db::DmdCoreDbs& database, bool final, const QString& sql, Take take)
{
    db::Cursor q(database, sql);
    if (!q.isOpen())
        return;
    const RaceColumns c(q);
    const int number = q.column("NUMBER"), surname = q.column("SURNAME"),
              firstName = q.column("FIRSTNAME"), age = q.column("AGE"),
              teamName = q.column("TEAMNAME"), teamAbrv = q.column("TEAMABRV"),
              league = q.column("LEAGUE"), idNumber = q.column("ID_NUMBER"),
              disabilities = q.column("DISABILITY_CLASSES");
    while (q.next()) {
        CaptureAthleteRow a;
        a.key = q.integer(c.rowKey);
        a.final = final;
        a.athleteNo = q.integer(c.athleteNo);
        a.number = q.trimmed(number);
        a.surname = q.trimmed(surname);
        a.firstName = q.trimmed(firstName);
        a.age = int(q.integer(age));
        a.teamName = q.trimmed(teamName);
        a.teamAbrv = q.trimmed(teamAbrv);
        a.league = int(q.integer(league));
        a.idNumber = q.trimmed(idNumber);
        a.disabilityClasses = q.trimmed(disabilities);
        c.read(q, a);
        take(a, q.integer(c.eventNo), q.trimmed(c.heatRound), int(q.integer(c.heatNumber)));
    }
}

QList<CaptureAthleteRow> readAthletes(db::DmdCoreDbs& database, const CaptureProgramRow& row,
                                      const QString& sql)
{
    QList<CaptureAthleteRow> rows;
    readAthleteRows(database, row.isFinal(), sql,
                    [&](const CaptureAthleteRow& a, qint64, const QString&, int) { rows << a; });
    return rows;
}

} // namespace

namespace {

// The meeting's athletes with their teams, read as two plain tables: joining them to every
// heat row in the engine cost three times as much as the rows themselves.
QHash<qint64, AthleteColumns> meetingAthleteColumns(db::DmdCoreDbs& database, qint64 meetingNo)
{
    struct Team {
        QString name;
        QString abrv;
        int league = 0;
    };
    QHash<qint64, Team> teams;
    db::Cursor t(database, QStringLiteral("select T.TEAMNO, T.TEAMNAME, T.TEAMABRV, T.LEAGUE "
                                          "from TEAM T where T.MEETINGNO = ") +
                               db::sqlInt(meetingNo));
    while (t.next())
        teams.insert(t.integer(0), {t.trimmed(1), t.trimmed(2), int(t.integer(3))});
    QHash<qint64, AthleteColumns> athletes;
    db::Cursor a(database,
                 QStringLiteral("select A.ATHLETENO, A.TEAMNO, A.NUMBER, A.SURNAME, A.FIRSTNAME, "
                                "A.AGE, A.ID_NUMBER, A.DISABILITY_CLASSES from ATHLETE A where "
                                "A.MEETINGNO = ") +
                     db::sqlInt(meetingNo));
    while (a.next()) {
        AthleteColumns c;
        c.number = a.trimmed(2);
        c.surname = a.trimmed(3);
        c.firstName = a.trimmed(4);
        c.age = int(a.integer(5));
        c.idNumber = a.trimmed(6);
        c.disabilityClasses = a.trimmed(7);
        const Team team = teams.value(a.integer(1));
        c.teamName = team.name;
        c.teamAbrv = team.abrv;
        c.league = team.league;
        athletes.insert(a.integer(0), c);
    }
    return athletes;
}

// The result columns of the heat (or final) rows matching `where`, with their heat.
QList<ReadRaceRow> readRaceRows(db::DmdCoreDbs& database, bool final, const QString& where)
{
    QList<ReadRaceRow> rows;
    db::Cursor q(database,
                 QStringLiteral("select X.") +
                     (final ? QStringLiteral("PARTNO") : QStringLiteral("HEATPARTNO")) +
                     QStringLiteral(" as ROWKEY, X.EVENTNO, ") +
                     (final ? QStringLiteral("cast('' as varchar(2)) as HEATROUND, 0 as HEATNUMBER")
                            : QStringLiteral("X.ROUND as HEATROUND, X.HEATNO as HEATNUMBER")) +
                     QStringLiteral(", X.ATHLETENO, X.LANE, X.E_PLACE, X.PLACE, X.PLACESHARECOUNT, "
                                    "X.PERFORMANCE, X.THIRD_DIGIT, X.DISQ_STATUS, X.DISQ_REASON, "
                                    "X.WIND_SPEED from ") +
                     (final ? QStringLiteral("PARTICIPATE") : QStringLiteral("HEATPART")) +
                     QStringLiteral(" X where ") + where);
    if (!q.isOpen())
        return rows;
    const RaceColumns c(q);
    while (q.next()) {
        ReadRaceRow r;
        c.read(q, r.athlete);
        r.athlete.key = q.integer(c.rowKey);
        r.athlete.final = final;
        r.athlete.athleteNo = q.integer(c.athleteNo);
        r.eventNo = q.integer(c.eventNo);
        r.round = q.trimmed(c.heatRound);
        r.heatNo = int(q.integer(c.heatNumber));
        rows.append(std::move(r));
    }
    return rows;
}

// The rows completed from `athletes` and handed to `take`; a row whose athlete is not of
// the meeting is left out, as a join would, but still counted into `counts` when given.
template <typename Take>
void completeRaceRows(QList<ReadRaceRow>& rows, const QHash<qint64, AthleteColumns>& athletes,
                      Take take, QHash<QString, HeatCounts>* counts = nullptr)
{
    for (ReadRaceRow& r : rows) {
        CaptureAthleteRow& a = r.athlete;
        if (counts) {
            HeatCounts& n = (*counts)[heatKey(r.eventNo, r.round, r.heatNo)];
            ++n.athletes;
            n.drawn += a.lane > 0 ? 1 : 0;
            n.withResults += a.status > 0 || a.ePlace > 0 || !a.performance.isEmpty() ? 1 : 0;
        }
        const auto athlete = athletes.constFind(a.athleteNo);
        if (athlete == athletes.constEnd())
            continue;
        a.number = athlete->number;
        a.surname = athlete->surname;
        a.firstName = athlete->firstName;
        a.age = athlete->age;
        a.teamName = athlete->teamName;
        a.teamAbrv = athlete->teamAbrv;
        a.league = athlete->league;
        a.idNumber = athlete->idNumber;
        a.disabilityClasses = athlete->disabilityClasses;
        take(r);
    }
}

QString meetingWhere(qint64 meetingNo)
{
    return QStringLiteral("X.MEETINGNO = ") + db::sqlInt(meetingNo);
}

// Lane order as memberOrderBy(Lane) sorts in the engine: the lanes, those without one
// last, then by name (the engine's UTF8 order is that of the code points).
void sortByLane(QList<CaptureAthleteRow>& rows)
{
    const auto lane = [](const CaptureAthleteRow& a) { return a.lane == 0 ? 999 : a.lane; };
    std::stable_sort(rows.begin(), rows.end(),
                     [&](const CaptureAthleteRow& a, const CaptureAthleteRow& b) {
                         if (lane(a) != lane(b))
                             return lane(a) < lane(b);
                         if (a.surname != b.surname)
                             return a.surname < b.surname;
                         return a.firstName < b.firstName;
                     });
}

} // namespace

MeetingAthletes::MeetingAthletes(db::DmdCoreDbs& database, qint64 meetingNo)
{
    m_athleteColumns = meetingAthleteColumns(database, meetingNo);
    readFinals(database, meetingNo);
    QList<ReadRaceRow> heats = readRaceRows(database, false, meetingWhere(meetingNo));
    completeHeats(heats);
    m_athleteColumns.clear();
}

MeetingAthletes::MeetingAthletes(db::DmdCoreDbs& database, qint64 meetingNo, db::SideReader& side)
{
    m_side = &side;
    side.post([this, meetingNo](db::DmdCoreDbs& connection) {
        m_sideHeats = readRaceRows(connection, false, meetingWhere(meetingNo));
    });
    m_athleteColumns = meetingAthleteColumns(database, meetingNo);
    // Once the athletes are known the heats are put together there too, while the finals
    // are read here; both only read the athletes.
    side.post([this](db::DmdCoreDbs&) {
        completeHeats(m_sideHeats);
        m_sideHeats.clear();
    });
    readFinals(database, meetingNo);
}

MeetingAthletes::~MeetingAthletes()
{
    // The heats may still be coming in on the side connection.
    if (m_side)
        m_side->wait();
}

void MeetingAthletes::completeHeats()
{
    m_side->wait();
    m_side = nullptr;
    m_athleteColumns.clear();
}

void MeetingAthletes::readFinals(db::DmdCoreDbs& database, qint64 meetingNo)
{
    // A final's entries who are not in it (no lane, place or status) are many and of no use
    // to work over the program.
    QList<ReadRaceRow> finals =
        readRaceRows(database, true,
                     meetingWhere(meetingNo) +
                         QStringLiteral(" and (X.LANE > 0 or X.E_PLACE > 0 or X.DISQ_STATUS > 0)"));
    completeRaceRows(finals, std::as_const(m_athleteColumns),
                     [&](ReadRaceRow& r) { m_finals[r.eventNo].append(std::move(r.athlete)); });
    for (QList<CaptureAthleteRow>& rows : m_finals)
        sortByLane(rows);
}

void MeetingAthletes::completeHeats(QList<ReadRaceRow>& heats)
{
    completeRaceRows(
        heats, std::as_const(m_athleteColumns),
        [&](ReadRaceRow& r) {
            m_heats[heatKey(r.eventNo, r.round, r.heatNo)].append(std::move(r.athlete));
        },
        &m_heatCounts);
    for (QList<CaptureAthleteRow>& rows : m_heats)
        sortByLane(rows);
}

QList<CaptureAthleteRow> MeetingAthletes::of(const meeting::ItemTypes& items,
                                             const CaptureProgramRow& row) const
{
    QList<CaptureAthleteRow> rows =
        row.isFinal() ? m_finals.value(row.eventNo)
                      : m_heats.value(heatKey(row.eventNo, row.round, row.heatNo));
    markThirdDigitStates(items, row.itemCode, rows);
    return rows;
}

HeatCounts MeetingAthletes::heatCounts(qint64 eventNo, const QString& round, int heatNo) const
{
    return m_heatCounts.value(heatKey(eventNo, round, heatNo));
}

QString thirdDigitStateText(ThirdDigitState state)
{
    switch (state) {
    case ThirdDigitState::Done:
        return QStringLiteral("done: you entered a third digit");
    case ThirdDigitState::Needed:
        return QStringLiteral("it still needs a third digit");
    case ThirdDigitState::NotWanted:
        return QStringLiteral("it should NOT have a third digit");
    case ThirdDigitState::Nothing:
        break;
    }
    return QString();
}

QString CaptureAthleteRow::name() const
{
    if (firstName.isEmpty())
        return surname;
    return surname + QStringLiteral(", ") + firstName;
}

QString CaptureAthleteRow::caption() const
{
    return QStringLiteral("(") + QString::number(lane) + QStringLiteral(") ") + name();
}

bool CaptureAthleteRow::hasPerformance() const
{
    return !meeting::ItemTypes::PerfIsBlank(performance);
}

QString resultTable(const CaptureProgramRow& row)
{
    return row.isFinal() ? QStringLiteral("PARTICIPATE") : QStringLiteral("HEATPART");
}

QString resultKey(const CaptureProgramRow& row)
{
    return row.isFinal() ? QStringLiteral("PARTNO") : QStringLiteral("HEATPARTNO");
}

QList<CaptureAthleteRow> captureAthletes(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                                         const CaptureProgramRow& row, draw::MemberOrder order)
{
    QList<CaptureAthleteRow> rows =
        readAthletes(database, row, athletesSql(row, QString(), draw::memberOrderBy(int(order))));
    markThirdDigitStates(items, row.itemCode, rows);
    return rows;
}

CaptureAthleteRow captureAthlete(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                                 const CaptureProgramRow& row, qint64 athleteNo)
{
    // The state of the digit depends on the others of the race, so the race is read whole.
    const QList<CaptureAthleteRow> rows =
        captureAthletes(database, items, row, draw::MemberOrder::Lane);
    for (const CaptureAthleteRow& a : rows)
        if (a.athleteNo == athleteNo)
            return a;
    return CaptureAthleteRow();
}

void markThirdDigitStates(const meeting::ItemTypes& items, const QString& itemCode,
                          QList<CaptureAthleteRow>& rows)
{
    // The race's performances in order, so that each one's duplicates are a range; the
    // rows' texts are pointed at, not copied.
    QVarLengthArray<const QString*, 32> performances;
    const auto before = [](const QString* a, const QString* b) { return *a < *b; };
    if (items.IsTrackItem(itemCode)) {
        for (const CaptureAthleteRow& a : std::as_const(rows))
            if (a.hasPerformance())
                performances.append(&a.performance);
        std::sort(performances.begin(), performances.end(), before);
    }
    const auto timesOf = [&](const QString& performance) {
        const auto same =
            std::equal_range(performances.cbegin(), performances.cend(), &performance, before);
        return same.second - same.first;
    };
    // Rows shared with a list read for the whole meeting are copied only when a state
    // changes, which in most races none does.
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const CaptureAthleteRow& a = std::as_const(rows)[i];
        ThirdDigitState state = ThirdDigitState::Nothing;
        if (!performances.isEmpty() && a.hasPerformance()) {
            const bool duplicate = timesOf(a.performance) > 1;
            const bool digit = !a.thirdDigit.isEmpty();
            if (duplicate)
                state = digit ? ThirdDigitState::Done : ThirdDigitState::Needed;
            else if (digit)
                state = ThirdDigitState::NotWanted;
        }
        if (a.digitState != state)
            rows[i].digitState = state;
    }
}

} // namespace results
