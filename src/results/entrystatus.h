#pragma once

#include <QString>

#include <optional>

namespace db {
class DmdCoreDbs;
}
namespace base {
class Messages;
}

namespace results {

// One athlete's entry in a heat or final: the event's PARTICIPATE row for round "F",
// else the HEATPART row of the round (and heat).
struct EntryRow {
    QString table;     // PARTICIPATE or HEATPART
    QString keyColumn; // PARTNO or HEATPARTNO
    qint64 key = 0;
    qint64 eventNo = 0;
    QString round;
    int heatNo = 0;
    qint64 athleteNo = 0;
    int lane = 0;
    int place = 0;
    int ePlace = 0;
    QString performance;
    int status = 0;
    QString reason;
    bool isFinal() const { return round == QLatin1String("F"); }
};

// The entry of an athlete in an event's round; `heatNo` 0 finds the athlete's heat of a
// round A, B or C. Empty when the athlete has no such entry.
std::optional<EntryRow> findEntry(db::DmdCoreDbs& database, qint64 eventNo, const QString& round,
                                  qint64 athleteNo, int heatNo = 0);
std::optional<EntryRow> readEntry(db::DmdCoreDbs& database, const QString& table, qint64 key);

// The PROGRAM row of the entry's heat or final; 0 when there is none.
qint64 programRowOf(db::DmdCoreDbs& database, const EntryRow& entry);

// The disqualify action of the capture screens: in one statement the status (1 to 6),
// E_PLACE 0 and an empty performance; UOF keeps its performance and place. A typed
// reason needs a status. False with the message when refused.
bool disqualifyEntry(db::DmdCoreDbs& database, const EntryRow& entry, int status,
                     const QString& reason = QString());
// "Clear": asks "Remove the \"Disqualified\" tag from this athlete" first.
bool clearEntryStatus(db::DmdCoreDbs& database, const EntryRow& entry);

// A status set by rule (the absentee handling): the lane, place and performance the
// entry had are kept in DISQ_REASON and cleared. An entry that already has a status is
// an internal error and is left alone.
bool setStatusSavingValues(db::DmdCoreDbs& database, const EntryRow& entry, int status);
// Takes such a status off: the saved lane, place and performance are written back.
bool removeStatusRestoringValues(db::DmdCoreDbs& database, const EntryRow& entry);

} // namespace results
