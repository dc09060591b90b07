#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace db {
class DmdCoreDbs;
}

namespace records {

struct RecordSetRow {
    qint64 recordSetNo = 0;
    QString name;
    QString abbreviation;
    int year = 0; // 0 when the set has none
};

// A record set as typed: the year is text so that a wrong one can be refused.
struct RecordSetValues {
    QString name;
    QString abbreviation;
    QString year;
};

// A record set watched by a meeting (MEETINGSET): a bonus per record, or a failing
// standard with its penalty.
struct MeetingSetRow {
    qint64 meetSetNo = 0;
    qint64 recordSetNo = 0;
    QString abbreviation;
    QString name;
    bool failStandard = false;
    int points = 0;
    int sequence = 0;
};

// Record sets, their checks, and which sets a meeting watches. Refusals are shown as the
// system's warnings and answered with false or 0; nothing is half-written.
class RecordSets {
public:
    explicit RecordSets(db::DmdCoreDbs& database);

    QList<RecordSetRow> all();
    std::optional<RecordSetRow> byNumber(qint64 recordSetNo);
    std::optional<RecordSetRow> byAbbreviation(const QString& abbreviation);

    // The checks of a new or edited set (`recordSetNo` is the set edited, 0 for a new
    // one): the message of the first that fails, empty when the values are acceptable.
    QString refusal(const RecordSetValues& values, qint64 recordSetNo = 0);
    // A new set; 0 after the warning when it is refused.
    qint64 NewRecordSet(const RecordSetValues& values);
    bool update(qint64 recordSetNo, const RecordSetValues& values);
    // Deletes the set with its records and its selections by meetings, in one transaction.
    bool deleteRecordSet(qint64 recordSetNo);

    // --- the sets of a meeting ---
    QList<MeetingSetRow> ofMeeting(int meetingNo);
    // Refused when the meeting already has the set ("This recordset was already selected
    // for this meeting").
    bool selectForMeeting(int meetingNo, qint64 recordSetNo, bool failStandard, int points);
    bool unselectForMeeting(int meetingNo, qint64 recordSetNo);

private:
    QList<RecordSetRow> read(const QString& where);

    db::DmdCoreDbs& m_db;
};

} // namespace records
