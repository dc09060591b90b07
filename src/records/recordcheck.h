#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
class MeetingSettings;
} // namespace meeting

namespace records {

// What CompareWithRecord answers.
enum RecordComparison { WindPrevented = -1, Neither = 0, Equalled = 1, Broken = 2 };

// The sets whose record a performance broke (the set's abbreviation) or equalled ("=" and
// the abbreviation); a failing standard the performance did not reach is listed by its
// abbreviation too, before the watched sets.
struct RecordsBrokenResult {
    QStringList sets;
    // Those of `sets` that are failing standards not reached.
    QStringList failedStandards;
    bool windPrevented = false;
    bool any() const { return !sets.isEmpty(); }
    // True when a watched record was broken or equalled.
    bool recordsBeaten() const { return sets.size() > failedStandards.size(); }
    // "NAT =SCH", as shown beside a performance.
    QString text() const { return sets.join(QLatin1Char(' ')); }
    // What the capture screens say after a result is saved; empty when nothing happened.
    QString captureMessage() const;
};

// The record checks of the current meeting: the sets it watches and its failing standards
// come from the loaded meeting settings (MEETINGSET). Performances are canonical texts of
// the item (see meeting::ItemTypes); wind is the text as captured ("+2.1"), empty when no
// reading was taken.
//
// Used by capture (after a result is saved: RecordsBroken and captureMessage), by places
// (FailsStandard, for the meeting's qualifying option) and by the team scores (record
// bonuses and failed standards). Record texts are read once per set and item and kept for
// the life of the object; make a new one after records change.
class RecordCheck {
public:
    RecordCheck(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                const meeting::MeetingSettings& settings);

    // 2 broken, 1 equalled, 0 neither (or a blank performance or record), -1 a record that
    // the wind prevented (an item that takes wind with a reading above 2.0 m/s).
    int CompareWithRecord(const QString& itemCode, const QString& performance,
                          const QString& record, const QString& wind) const;

    // The total of a combined event ("NTH") is never checked.
    // `athleteNo` is needed for mixed-age and veteran items (compared with the records of
    // the athlete's own age) and for the category record sets; without it those checks
    // are internal errors and give no records.
    RecordsBrokenResult RecordsBroken(const QString& itemCode, const QString& performance,
                                      const QString& wind, qint64 athleteNo = 0);

    // True when the performance does not equal or better the record of one of the
    // meeting's failing-standard sets. A blank performance never fails, and an item
    // without a standard in a set cannot fail that set.
    bool FailsStandard(const QString& itemCode, const QString& performance);

    // The comparison with one set's record of the item (no wind).
    int compareWithSet(qint64 recordSetNo, const QString& itemCode, const QString& performance);
    // The main holder's record of the item in the set; empty when none.
    QString recordOf(qint64 recordSetNo, const QString& itemCode);
    QString abbreviationOf(qint64 recordSetNo);
    // Reads every main record of the set at once, for checks of many results.
    void loadSet(qint64 recordSetNo);

private:
    int compareAndNote(qint64 recordSetNo, const QString& itemCode, const QString& performance,
                       const QString& wind, RecordsBrokenResult& result);
    bool windAbove2(const QString& itemCode, const QString& wind) const;

    db::DmdCoreDbs& m_db;
    const meeting::ItemTypes& m_items;
    const meeting::MeetingSettings& m_settings;
    QHash<QString, QString> m_records;
    QHash<qint64, QString> m_abbreviations;
    QSet<qint64> m_loadedSets;
};

// The record-set numbers of a list kept with the meeting settings ("12;15" or
// "12,3;15,2"), in order, with their points (0 when the list has none).
QList<std::pair<qint64, int>> setsWithPoints(const QString& list);

} // namespace records
