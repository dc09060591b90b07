#include "sched/stationrows.h"

#include "base/configstore.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/heatformats.h"
#include "draw/programorder.h"
#include "meeting/itemtypes.h"

#include <algorithm>
#include <cmath>

namespace sched {

namespace {

// C, B, A, F as 3, 2, 1, 0: the first round of an event has the highest number.
int roundNumber(const QString& round)
{
    return round == QLatin1String("C")   ? 3
           : round == QLatin1String("B") ? 2
           : round == QLatin1String("A") ? 1
                                         : 0;
}

} // namespace

QString Station::name() const
{
    return isTrack() ? QStringLiteral("Track") : type + QStringLiteral(", ") + pit;
}

std::optional<double> StationRow::start() const
{
    if (!time.isValid())
        return std::nullopt;
    return std::max(day, 1) - 1 + dayFraction(time);
}

QList<PackOrder> chosenPackOrders()
{
    return {PackOrder::Time, PackOrder::RoundAgeGender, PackOrder::RoundTrackHurdles,
            PackOrder::RoundDistanceAgeDesc};
}

QString packOrderName(PackOrder order)
{
    switch (order) {
    case PackOrder::Time:
        return QStringLiteral("Day, time and sequence");
    case PackOrder::RoundAgeGender:
        return QStringLiteral("Round, age, gender, distance");
    case PackOrder::RoundTrackHurdles:
        return QStringLiteral("Round, track order, hurdle height");
    case PackOrder::RoundDistanceAgeDesc:
        return QStringLiteral("Round, distance, age and gender descending");
    case PackOrder::Rotation:
        return QStringLiteral("Random start order");
    }
    return QString();
}

std::optional<PackOrder> packOrderFromName(const QString& name)
{
    if (name == QLatin1String("time"))
        return PackOrder::Time;
    if (name == QLatin1String("age"))
        return PackOrder::RoundAgeGender;
    if (name == QLatin1String("track"))
        return PackOrder::RoundTrackHurdles;
    if (name == QLatin1String("distance"))
        return PackOrder::RoundDistanceAgeDesc;
    return std::nullopt;
}

double dayFraction(const QTime& time)
{
    return time.isValid() ? time.msecsSinceStartOfDay() / 86400000.0 : 0.0;
}

QTime timeOfFraction(double fraction)
{
    const qint64 seconds = std::llround(fraction * 86400.0);
    return QTime(0, 0).addSecs(int(((seconds % 86400) + 86400) % 86400));
}

StationRows::StationRows(base::Run& run)
    : m_durations(run.items(), TimeParameters::of(run.meeting()))
{
    db::DmdCoreDbs& database = *run.database();
    const meeting::ItemTypes& items = run.items();
    draw::HeatFormats formats(run.messages());
    db::Query q = database.openQuery(
        QStringLiteral(
            "select P.PROGRAMNO, P.EVENTNO, E.ITEMCODE, E.HEATFORMAT, P.ROUND, P.HEATNO, "
            "P.DAY_SEQ, P.THETIME, P.SEQ, P.PIT, P.SCHED_ROTATE_ORDER, E.ESTIMATEDATHLETECOUNT, "
            "E.SET_TWO_COUNT "
            "from PROGRAM P join MYEVENT E on E.EVENTNO = P.EVENTNO where P.MEETINGNO = ") +
        db::sqlInt(run.currentMeetingNo()) +
        QStringLiteral(" and not (P.ROUND = 'F' and coalesce(E.FINAL_NOT_RUN, 0) = 1) "
                       "and E.ITEMCODE not starting with 'NTH' order by ") +
        draw::ProgramListing::orderBy(draw::ProgramOrder::Time));
    QStringList trackOrder =
        run.config().readText(QStringLiteral("SCHED_DEFAULT_TRACK_ORDER")).split(QLatin1Char(';'));
    trackOrder.removeAll(QString());
    if (trackOrder.isEmpty())
        trackOrder = defaultTrackOrder(items.isSwimming());
    bool pitReported = false;
    for (q.first(); !q.eof(); q.next()) {
        StationRow r;
        r.programNo = q.integer("PROGRAMNO");
        r.eventNo = q.integer("EVENTNO");
        r.itemCode = q.text("ITEMCODE").trimmed();
        r.format = q.text("HEATFORMAT").trimmed();
        r.round = q.text("ROUND").trimmed();
        r.heatNo = int(q.integer("HEATNO"));
        r.day = int(q.integer("DAY_SEQ"));
        r.time = q.value("THETIME").toTime();
        r.seq = int(q.integer("SEQ"));
        r.pit = q.text("PIT").trimmed();
        r.estimated = int(q.integer("ESTIMATEDATHLETECOUNT"));
        r.setTwoCount = int(q.integer("SET_TWO_COUNT"));
        r.athletes = r.round == draw::HeatFormats::firstRound(r.format)
                         ? r.estimated
                         : formats.athletesInRound(r.format, r.round);
        r.duration = m_durations.rowDuration(r.itemCode, r.round, r.athletes, r.setTwoCount);
        r.station.type = m_durations.stationType(r.itemCode, r.programNo);
        r.rotateOrder = int(q.integer("SCHED_ROTATE_ORDER"));
        if (r.station.isTrack()) {
            // A type missing from the order comes after those in it.
            const qsizetype place = trackOrder.indexOf(m_durations.trackType(r.itemCode));
            r.trackOrder = int(place < 0 ? trackOrder.size() : place);
            r.hurdleHeight = m_durations.hurdleHeight(r.itemCode);
        }
        if (items.isSwimming()) {
            if (!r.pit.isEmpty() && !pitReported) {
                run.messages().internalError(100201,
                                             QStringLiteral("Dolvane did not expect a Pit"));
                pitReported = true;
            }
        } else if (!r.station.isTrack()) {
            r.station.pit = r.pit;
        }
        m_rows.append(r);
    }
}

QList<Station> StationRows::stations() const
{
    QList<Station> result;
    for (const StationRow& r : m_rows) {
        if (!result.contains(r.station))
            result.append(r.station);
    }
    std::sort(result.begin(), result.end(), [](const Station& a, const Station& b) {
        return std::pair(!a.isTrack(), a.type + a.pit) < std::pair(!b.isTrack(), b.type + b.pit);
    });
    return result;
}

QList<StationRow> StationRows::of(const Station& station, PackOrder order) const
{
    QList<StationRow> rows;
    for (const StationRow& r : m_rows) {
        if (r.station == station)
            rows.append(r);
    }
    auto distance = [this](const StationRow& r) {
        return r.station.isTrack() ? m_durations.distance(r.itemCode) : 0;
    };
    auto age = [](const StationRow& r) { return r.itemCode.mid(11, 2); };
    auto gender = [](const StationRow& r) { return r.itemCode.mid(10, 1); };
    switch (order) {
    case PackOrder::Time:
        break;
    case PackOrder::RoundAgeGender:
        std::stable_sort(rows.begin(), rows.end(), [&](const StationRow& a, const StationRow& b) {
            return std::tuple(-roundNumber(a.round), age(a), gender(a), distance(a), a.heatNo) <
                   std::tuple(-roundNumber(b.round), age(b), gender(b), distance(b), b.heatNo);
        });
        break;
    case PackOrder::RoundTrackHurdles:
        std::stable_sort(rows.begin(), rows.end(), [&](const StationRow& a, const StationRow& b) {
            return std::tuple(-roundNumber(a.round), a.trackOrder, a.hurdleHeight) <
                   std::tuple(-roundNumber(b.round), b.trackOrder, b.hurdleHeight);
        });
        break;
    case PackOrder::Rotation:
        std::stable_sort(rows.begin(), rows.end(), [](const StationRow& a, const StationRow& b) {
            return a.rotateOrder < b.rotateOrder;
        });
        break;
    case PackOrder::RoundDistanceAgeDesc:
        std::stable_sort(rows.begin(), rows.end(), [&](const StationRow& a, const StationRow& b) {
            return std::tuple(-roundNumber(a.round), distance(a), age(b), gender(b), a.heatNo) <
                   std::tuple(-roundNumber(b.round), distance(b), age(a), gender(a), b.heatNo);
        });
        break;
    }
    return rows;
}

const StationRow* StationRows::find(qint64 programNo) const
{
    for (const StationRow& r : m_rows) {
        if (r.programNo == programNo)
            return &r;
    }
    return nullptr;
}

} // namespace sched
