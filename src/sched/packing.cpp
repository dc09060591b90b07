#include "sched/packing.h"

#include "base/configstore.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/programeditor.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"

#include <QHash>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <random>

namespace sched {

namespace {

// Half a second: what rounding to the second may leave of a full day.
constexpr double kFullDay = 1.0 - 0.5 / 86400.0;

QString slotText(int day, double time)
{
    return QStringLiteral("Day ") + QString::number(day) + QLatin1Char(' ') +
           timeOfFraction(time).toString(QStringLiteral("hh:mm"));
}

int findRow(const QList<StationRow>& rows, qint64 programNo)
{
    for (int i = 0; i < rows.size(); ++i) {
        if (rows[i].programNo == programNo)
            return i;
    }
    return -1;
}

} // namespace

void DayClock::add(double days)
{
    time += days;
    while (time >= kFullDay) {
        time -= 1.0;
        ++day;
    }
}

void DayClock::normaliseShifted()
{
    while (time >= 0.9995) {
        time -= 1.0;
        ++day;
    }
    while (time < -0.0005) {
        time += 1.0;
        --day;
    }
}

std::optional<double> readStartTime(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2}))?$"));
    const QRegularExpressionMatch m = form.match(text.trimmed());
    const QTime time = m.hasMatch() ? QTime(m.captured(1).toInt(), m.captured(2).toInt(),
                                            m.captured(3).isEmpty() ? 0 : m.captured(3).toInt())
                                    : QTime();
    if (!time.isValid() || time.msecsSinceStartOfDay() <= 30000)
        return std::nullopt;
    return dayFraction(time);
}

std::optional<double> parseStartTime(const QString& text, base::Messages& messages)
{
    if (text.trimmed().isEmpty()) {
        messages.warning(QStringLiteral("The Starting Time is empty"));
        return std::nullopt;
    }
    const std::optional<double> time = readStartTime(text);
    if (!time)
        messages.warning(QStringLiteral("Enter a valid Starting Time"));
    return time;
}

QList<PackedSlot> packSlots(const QList<StationRow>& rows, const Durations& durations, int day,
                            double time, bool heatsShareSlot)
{
    QList<PackedSlot> placedSlots;
    QHash<QString, PackedSlot> firstHeats; // by event and round
    DayClock clock{day, time};
    clock.add(0);
    for (int i = 0; i < rows.size(); ++i) {
        const StationRow& r = rows[i];
        if (i > 0)
            clock.add(durations.changeover(rows[i - 1].itemCode, r.itemCode));
        PackedSlot slot{r.programNo, clock.day, clock.time};
        const QString roundKey = QString::number(r.eventNo) + r.round;
        if (heatsShareSlot && r.heatNo >= 2 && firstHeats.contains(roundKey)) {
            slot.day = firstHeats[roundKey].day;
            slot.time = firstHeats[roundKey].time;
        }
        if (r.heatNo == 1)
            firstHeats.insert(roundKey, slot);
        placedSlots.append(slot);
        clock.add(r.duration);
    }
    return placedSlots;
}

Packing::Packing(base::Run& run) : m_run(run) {}

int Packing::lastStartDay() const
{
    const int day = m_run.config().readInt(QStringLiteral("SCHED_START_DAY"));
    return day > 0 ? day : 1;
}

QString Packing::lastStartTime() const
{
    const QString time = m_run.config().readText(QStringLiteral("SCHED_START_TIME"));
    return time.isEmpty() ? QStringLiteral("09:00") : time;
}

bool Packing::pack(const Station& station, PackOrder order, qint64 fromProgramNo, int day,
                   const QString& startTime, bool ask)
{
    base::Messages& messages = m_run.messages();
    const std::optional<double> time = parseStartTime(startTime, messages);
    if (!time)
        return false;
    if (day <= 0) {
        messages.warning(QStringLiteral("Why is the day 0?"));
        day = 1;
    }
    if (!confirmTimeParameters(m_run))
        return false;
    const StationRows program(m_run);
    const QList<StationRow> rows = program.of(station, order);
    if (rows.isEmpty()) {
        messages.warning(QStringLiteral("No Items"));
        return false;
    }
    const int from = findRow(rows, fromProgramNo);
    if (from < 0) {
        const StationRow* row = program.find(fromProgramNo);
        messages.warning(row ? QStringLiteral("The row to start from belongs to the station ") +
                                   row->station.name() + QStringLiteral(", not to the station ") +
                                   station.name() + QLatin1Char('.')
                             : QStringLiteral("Select the row to start packing from."));
        return false;
    }
    const QList<StationRow> packed = rows.mid(from);
    if (!fieldCountsKnown(packed))
        return false;
    if (ask &&
        !messages.confirm(QStringLiteral("Pack the Station starting at ") + slotText(day, *time) +
                          QStringLiteral("\r\rThe order shown in the grid is the order "
                                         "that will be packed.")))
        return false;
    const QList<PackedSlot> placedSlots =
        packSlots(packed, program.durations(), day, *time, m_run.meeting().roundSeqSame());
    if (!write(placedSlots, packed, program.durations()))
        return false;
    rememberStart(day, *time);
    return true;
}

bool Packing::startFieldStationsRandomly(int day, const QString& startTime,
                                         std::optional<quint64> seed, bool ask)
{
    base::Messages& messages = m_run.messages();
    const std::optional<double> time = readStartTime(startTime);
    if (!time) {
        messages.internalError(6335, QStringLiteral("Slippage"));
        return false;
    }
    if (day <= 0) {
        messages.warning(QStringLiteral("Why is the day 0?"));
        day = 1;
    }
    if (!confirmTimeParameters(m_run))
        return false;
    const StationRows program(m_run);
    QList<Station> fields = program.stations();
    fields.removeIf([](const Station& s) { return s.isTrack(); });
    if (fields.isEmpty()) {
        messages.information(QStringLiteral("No Field Stations to Start"));
        return false;
    }
    QList<StationRow> all;
    for (const Station& station : fields)
        all += program.of(station, PackOrder::Time);
    if (!fieldCountsKnown(all))
        return false;
    if (ask && !messages.confirm(QStringLiteral("Schedule all Field Stations randomly\rusing ") +
                                 slotText(day, *time)))
        return false;
    std::mt19937_64 engine(seed ? *seed : QRandomGenerator::system()->generate64());
    std::uniform_int_distribution<int> draw(0, 99);
    QHash<qint64, int> rotations;
    QList<PackedSlot> placedSlots;
    for (const Station& station : fields) {
        // Drawn in the order the rows were made (the database's own order), so that a seed
        // gives the same starts whatever times the rows had before.
        QList<StationRow> rows = program.of(station, PackOrder::Time);
        std::sort(rows.begin(), rows.end(), [](const StationRow& a, const StationRow& b) {
            return a.programNo < b.programNo;
        });
        for (StationRow& r : rows) {
            r.rotateOrder = draw(engine);
            rotations.insert(r.programNo, r.rotateOrder);
        }
        // Equal draws keep that order.
        std::stable_sort(rows.begin(), rows.end(), [](const StationRow& a, const StationRow& b) {
            return a.rotateOrder < b.rotateOrder;
        });
        placedSlots +=
            packSlots(rows, program.durations(), day, *time, m_run.meeting().roundSeqSame());
    }
    if (!write(placedSlots, all, program.durations(), rotations))
        return false;
    rememberStart(day, *time);
    messages.information(QStringLiteral("Done: all Field Stations Scheduled Randomly."));
    return true;
}

bool Packing::fieldCountsKnown(const QList<StationRow>& rows)
{
    QStringList unknown;
    for (const StationRow& r : rows) {
        if (!r.station.isTrack() && r.athletes <= 0)
            unknown.append(m_run.items().ItemDescription(r.itemCode, false));
    }
    if (unknown.isEmpty())
        return true;
    unknown.removeDuplicates();
    m_run.messages().warning(QStringLiteral("Packing field Events requires the Athletecount\r\r") +
                             unknown.join(QLatin1Char('\r')));
    return false;
}

void Packing::rememberStart(int day, double time)
{
    m_run.config().writeInt(QStringLiteral("SCHED_START_DAY"), day);
    m_run.config().writeText(QStringLiteral("SCHED_START_TIME"),
                             timeOfFraction(time).toString(QStringLiteral("hh:mm")));
}

bool Packing::shift(const Station& station, PackOrder shownOrder, qint64 fromProgramNo, int minutes)
{
    base::Messages& messages = m_run.messages();
    if (shownOrder != PackOrder::Time) {
        messages.warning(QStringLiteral("The Events must be ordered by Time\rbefore you can use "
                                        "this facility."));
        return false;
    }
    const StationRows program(m_run);
    const QList<StationRow> rows = program.of(station, PackOrder::Time);
    const int from = findRow(rows, fromProgramNo);
    if (from < 0) {
        messages.warning(QStringLiteral("Select the row to shift from."));
        return false;
    }
    QList<PackedSlot> placedSlots;
    for (int i = from; i < rows.size(); ++i) {
        if (!rows[i].time.isValid())
            continue; // a row without a time has nothing to shift
        DayClock clock{std::max(rows[i].day, 1), dayFraction(rows[i].time) + minutes * kMinute};
        clock.normaliseShifted();
        if (clock.day < 1) {
            messages.warning(QStringLiteral("You cannot shift an event to before the first day "
                                            "of the meeting."));
            return false;
        }
        placedSlots.append({rows[i].programNo, clock.day, std::max(clock.time, 0.0)});
    }
    return write(placedSlots, {}, program.durations());
}

bool Packing::write(const QList<PackedSlot>& placedSlots, const QList<StationRow>& rows,
                    const Durations& durations, const QHash<qint64, int>& rotations)
{
    db::DmdCoreDbs& database = *m_run.database();
    QStringList statements;
    QSet<qint64> events;
    for (const StationRow& r : rows) {
        if (events.contains(r.eventNo))
            continue;
        events.insert(r.eventNo);
        statements.append(QStringLiteral("update MYEVENT set T_DIST = ") +
                          db::sqlInt(durations.distance(r.itemCode)) +
                          QStringLiteral(", T_TRACK_ORDER = ") + db::sqlInt(r.trackOrder) +
                          QStringLiteral(", T_HURDLE_HEIGHT = ") + db::sqlInt(r.hurdleHeight) +
                          QStringLiteral(" where EVENTNO = ") + db::sqlInt(r.eventNo));
    }
    for (auto it = rotations.begin(); it != rotations.end(); ++it)
        statements.append(QStringLiteral("update PROGRAM set SCHED_ROTATE_ORDER = ") +
                          db::sqlInt(it.value()) + QStringLiteral(" where PROGRAMNO = ") +
                          db::sqlInt(it.key()));
    for (const PackedSlot& s : placedSlots) {
        // Rounded to the second, a time just short of midnight is the next day's 00:00:00.
        int day = s.day;
        double time = s.time;
        if (std::llround(time * 86400.0) >= 86400) {
            time = 0;
            ++day;
        }
        statements.append(QStringLiteral("update PROGRAM set DAY_SEQ = ") + db::sqlInt(day) +
                          QStringLiteral(", THETIME = ") +
                          db::quoted(timeOfFraction(time).toString(QStringLiteral("hh:mm:ss"))) +
                          QStringLiteral(" where PROGRAMNO = ") + db::sqlInt(s.programNo));
    }
    if (!database.executeAll(statements))
        return false;
    draw::ProgramEditor(m_run).renumber(false);
    return true;
}

} // namespace sched
