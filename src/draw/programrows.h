#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
}
namespace base {
class Messages;
}

namespace draw {

// Where and when one heat is run; copied from heat to heat when heats are added.
struct HeatSlot {
    int day = 1;
    QTime time;
    int seq = 0;
    QString pit;
};

// One heat to add or remove, worked out before anything is written.
struct HeatChange {
    bool add = true;
    QString round;
    int heatNo = 0;
    HeatSlot slot; // where an added heat goes
};

// What bringing one event's rows in line with its format takes.
struct HeatPlan {
    QList<HeatChange> changes;
    bool removeAll = false; // an unselected event keeps no rows at all
    QStringList log;        // "Round A : 3 to 5"
};

// A heat's stored PLACEDCOUNT beside the count of its placed or statused athletes.
struct PlacedCount {
    qint64 programNo = 0;
    qint64 eventNo = 0;
    QString itemCode;
    QString format;
    QString round;
    int heatNo = 0;
    int stored = 0;
    int counted = 0;
    bool differs() const { return stored != counted; }
};

// The PROGRAM rows of events: one per heat of every round, and the final's row (round
// "F", heat 0), kept in line with each event's heat format.
class ProgramRows {
public:
    ProgramRows(db::DmdCoreDbs& database, base::Messages& messages)
        : m_database(database), m_messages(messages)
    {
    }

    // Inserts one heat of an event; false (an internal error) when it exists.
    bool addHeat(qint64 eventNo, const QString& round, int heatNo, const HeatSlot& slot,
                 const QString& randomDraw = QString());
    bool removeHeat(qint64 eventNo, const QString& round, int heatNo);
    int heatExists(qint64 eventNo, const QString& round, int heatNo);

    // Brings the event's rows in line with its saved HEATFORMAT: heats added or removed
    // round by round, one final for a selected event, none for an unselected one.
    // Returns the log of the changes ("Round A : 3 to 5").
    QStringList syncEvent(qint64 eventNo);
    // The changes syncEvent would make for `format` and `selected`, from the rows as they
    // are now; nothing is written.
    HeatPlan planSync(qint64 eventNo, const QString& format, bool selected);
    // The statements that carry out a plan, with the new rows' keys drawn; empty with an
    // internal error when no key could be drawn.
    QStringList planStatements(qint64 eventNo, const HeatPlan& plan);

    // Compares the heats in the program with the event's HEATCOUNTS; on a difference the
    // event's format columns are rewritten from the program. False when they differed.
    bool repairEvent(qint64 eventNo);

    // PLACEDCOUNT from the placed or statused athletes of the heat(s).
    bool updatePlacedCount(qint64 programNo);
    bool updatePlacedCounts(int meetingNo);
    // Every heat of the meeting in program order, or only those whose count differs.
    QList<PlacedCount> comparePlacedCounts(int meetingNo, bool errorsOnly);

    // Where a new heat of `round` goes: the first existing heat of the round by day and
    // highest heat, else of the rounds after it up to the final, else day 1.
    HeatSlot slotForNewHeat(qint64 eventNo, const QString& round);

private:
    QString addHeatSql(qint64 key, qint64 eventNo, const QString& round, int heatNo,
                       const HeatSlot& slot, const QString& randomDraw) const;
    int heatCount(qint64 eventNo, const QString& round);
    // The teams' lanes a new heat of the event starts with (empty for mixed items).
    QString newHeatTeamLanes(qint64 eventNo);

    db::DmdCoreDbs& m_database;
    base::Messages& m_messages;
};

// "Compare Placed Counts in ...": one line per heat, the differing ones marked.
QString placedCountReport(const meeting::ItemTypes& items, const QList<PlacedCount>& counts,
                          bool errorsOnly);

// "hh:mm:ss" for SQL, or null for no time.
QString sqlTime(const QTime& time);

} // namespace draw
