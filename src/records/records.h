#pragma once

#include <QList>
#include <QString>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
}

namespace records {

enum HolderType { MainHolder = 1, CoHolder = 2 };

// Who set a record: the holder's name, team and the date of the performance.
struct RecordHolder {
    QString surname;
    QString firstName;
    QString team;
    QString date; // "yyyy/mm/dd"
    bool isEmpty() const
    {
        return surname.trimmed().isEmpty() && firstName.trimmed().isEmpty() &&
               team.trimmed().isEmpty() && date.trimmed().isEmpty();
    }
};

struct RecordRow {
    qint64 recordNo = 0;
    qint64 recordSetNo = 0;
    QString itemCode;
    int holderType = MainHolder;
    QString record;
    RecordHolder holder;
    // "Main" or "Co".
    QString holderTypeText() const
    {
        return holderType == MainHolder ? QStringLiteral("Main") : QStringLiteral("Co");
    }
};

// The records of a set: one main holder per item and any number of co-holders (swimmers
// who equalled it). Every refusal is the system's warning and nothing is written.
class Records {
public:
    Records(db::DmdCoreDbs& database, const meeting::ItemTypes& items);

    // In the order of the record lists: age, gender, item order, main holder first.
    QList<RecordRow> ofSet(qint64 recordSetNo);
    QList<RecordRow> ofItem(qint64 recordSetNo, const QString& itemCode);
    // The main holder's record of the item; empty when the set has none.
    QString mainRecord(qint64 recordSetNo, const QString& itemCode);

    // The canonical record text of what was typed, or empty after the message ("The record
    // may not be empty", or the format's own complaint).
    QString readRecordText(const QString& itemCode, const QString& typed);
    // A holder's date must be empty or "yyyy/mm/dd".
    bool checkHolderDate(const QString& date);

    // The main holder of an item that has none yet ("The record already exists." when it
    // has). The item code is taken in its own spelling whatever case it was typed in.
    // Returns the new RECORDNO, 0 when refused.
    qint64 NewRecord(qint64 recordSetNo, const QString& typedItemCode, const QString& typedRecord,
                     const RecordHolder& holder);
    // Changes the record and the holder of one row.
    bool editRecord(qint64 recordNo, const QString& typedRecord, const RecordHolder& holder);
    // A co-holder of an item that has its main holder; the co-holder gets the main
    // holder's record.
    qint64 addCoHolder(qint64 recordSetNo, const QString& itemCode, const RecordHolder& holder);
    // A main holder with co-holders is refused until they are deleted.
    bool deleteRecord(qint64 recordNo);

    // The insert of one row with the columns derived from the item code; the import and
    // the update from a meeting run it inside their own batch.
    QString insertSql(qint64 recordNo, qint64 recordSetNo, const QString& itemCode, int holderType,
                      const QString& record, const RecordHolder& holder) const;

private:
    QList<RecordRow> read(const QString& where);

    db::DmdCoreDbs& m_db;
    const meeting::ItemTypes& m_items;
};

} // namespace records
