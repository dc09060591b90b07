#pragma once

#include <QString>
#include <QStringList>
#include <QTime>

namespace db {
class DmdCoreDbs;
}
namespace shell {
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

// The PROGRAM rows of events: one per heat of every round, and the final's row (round
// "F", heat 0), kept in line with each event's heat format.
class ProgramRows {
public:
    ProgramRows(db::DmdCoreDbs& database, shell::Messages& messages)
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

    // Compares the heats in the program with the event's HEATCOUNTS; on a difference the
    // event's format columns are rewritten from the program. False when they differed.
    bool repairEvent(qint64 eventNo);

    // PLACEDCOUNT from the placed or statused athletes of the heat(s).
    bool updatePlacedCount(qint64 programNo);
    bool updatePlacedCounts(int meetingNo);

    // Where a new heat of `round` goes: the first existing heat of the round by day and
    // highest heat, else of the rounds after it up to the final, else day 1.
    HeatSlot slotForNewHeat(qint64 eventNo, const QString& round);

private:
    int heatCount(qint64 eventNo, const QString& round);

    db::DmdCoreDbs& m_database;
    shell::Messages& m_messages;
};

// "hh:mm:ss" for SQL, or null for no time.
QString sqlTime(const QTime& time);

} // namespace draw
