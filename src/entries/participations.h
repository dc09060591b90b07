#pragma once

#include "entries/entrysettings.h"

#include <QList>
#include <QString>

#include <optional>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
}

namespace entries {

struct EventRow {
    qint64 eventNo = 0;
    QString itemCode;
    QString gender;
    QString age;
    QString category;
    int nAthlon = 0;
    int sequence = 0;
};

// One participation of an athlete, as its lists show it.
struct AthleteEntry {
    qint64 partNo = 0;
    qint64 eventNo = 0;
    QString itemCode;
    QString best;
    int sequence = 0;
};

// The event's sequence in the program as it stands (its first program row), so that lists
// follow a renumbering; the surrounding query names the event E.
QString programSequenceSql();

// What a best performance typed or imported becomes: the canonical text, or the reason
// it was refused. `repaired` tells that the text was not canonical as given.
struct BestPerformance {
    bool ok = false;
    QString text;
    QString refusal;
    bool repaired = false;
};

// Reads a best performance for an item through the item-code operations: blank is empty,
// anything else must read as a performance of the item's format and fit within it.
BestPerformance readBestPerformance(const meeting::ItemTypes& items, const QString& itemCode,
                                    const QString& typed);

// Entries of competitors into the events of one meeting.
class Participations {
public:
    Participations(db::DmdCoreDbs& database, const EntrySettings& settings);

    // The meeting's selected events, by sequence.
    QList<EventRow> selectedEvents();
    std::optional<EventRow> event(qint64 eventNo);
    // The selected events the athlete may enter: its gender, age (unless `allAges`), its
    // n-athlon, and its category when the meeting has categories.
    QList<EventRow> itemsFor(qint64 athleteNo, bool allAges = false);
    // The athlete's participations in the running order of their events.
    QList<AthleteEntry> entriesOf(qint64 athleteNo);

    // Enters the athlete into the event; an athlete over the most items is told and still
    // entered, an n-athlon athlete is refused (its events come with the athlete). The new
    // PARTNO, 0 when refused.
    qint64 add(qint64 athleteNo, qint64 eventNo, const QString& bestTyped = QString());
    // "Edit Best Performance". A typed best may be written short ("31.5" for 0:31.50, the
    // user is told what was stored); one that does not read as a time of the item's format,
    // or whose seconds run over, is refused by the performance check.
    bool setBest(qint64 partNo, const QString& typed);
    // Refused while the athlete has performances in the event and for an n-athlon athlete;
    // asks when drawn, and offers to delete an event left without participants.
    // `offerEventDelete`: an event left without participants may be deleted (asked).
    bool remove(qint64 athleteNo, qint64 eventNo, bool offerEventDelete = true);

    // The insert of a new participation.
    static QString insertSql(qint64 partNo, int meetingNo, qint64 eventNo, qint64 teamNo,
                             qint64 athleteNo, const QString& best);
    // The same insert prepared once for many rows (the import), and the values of one row.
    static QString insertStatement();
    static QList<QVariant> insertValues(qint64 partNo, int meetingNo, qint64 eventNo, qint64 teamNo,
                                        qint64 athleteNo, const QString& best);

private:
    // The text to store for a typed best, or nothing when refused (the user was told).
    std::optional<QString> checkTypedBest(const QString& itemCode, const QString& typed);
    void tellRepairedBest(const QString& typed, const QString& stored);
    int nathlonOf(qint64 athleteNo);
    QString itemDescription(const QString& itemCode);

    db::DmdCoreDbs& m_db;
    EntrySettings m_settings;
};

} // namespace entries
