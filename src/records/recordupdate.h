#pragma once

#include <QList>
#include <QString>

#include <functional>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
}

namespace records {

enum RecordUpdateType { UpdateEqualled = 2, UpdateBroken = 3, UpdateNew = 4 };

// One result of the meeting that would change a record set.
struct RecordCandidate {
    QString itemCode;
    QString eventName;
    qint64 athleteNo = 0;
    QString team;
    QString surname;
    QString firstName;
    QString performance;
    int type = UpdateNew;
    QString oldRecord;
    QString oldDate;
    bool mustUpdate = true;
    // "Equalled", "Broken" or "New".
    QString typeText() const;
};

// Updates (or fills) a record set from the final results of a meeting: new records for
// items the set has none of (the event's best placed performance), broken and equalled
// records against the main holder. Performances are compared as canonical texts; wind is
// not considered.
class RecordUpdate {
public:
    RecordUpdate(db::DmdCoreDbs& database, const meeting::ItemTypes& items);

    // The candidates of the meeting, of one team when `teamNo` is above 0, in item order.
    // An athlete found more than once for an item keeps the better performance selected;
    // the others stay unselected, with the warning.
    QList<RecordCandidate> candidates(qint64 recordSetNo, int meetingNo, qint64 teamNo = 0);
    // Writes the selected candidates in one transaction: the first of an item becomes the
    // main holder (a co-holder when it only equalled), the rest co-holders; a broken or
    // new record first removes the item's rows. `date` is the meeting's date.
    bool apply(qint64 recordSetNo, const QList<RecordCandidate>& candidates, const QString& date);

private:
    db::DmdCoreDbs& m_db;
    const meeting::ItemTypes& m_items;
};

// The whole operation: finds the candidates ("No records found"), lets `choose` show them
// and unselect some (the selection screen; null keeps the selection), asks to apply them
// (the CLI's --yes), and applies them ("Done: recordset updated").
using CandidateChooser = std::function<void(QList<RecordCandidate>&)>;
bool UpdateRecordsFromMeeting(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                              qint64 recordSetNo, int meetingNo, qint64 teamNo = 0,
                              const CandidateChooser& choose = nullptr);

} // namespace records
