#pragma once

#include "records/recordsets.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
}
namespace base {
class ConfigStore;
}

namespace records {

// Which column of a record file holds what (counting from 1; 0 for none), kept in the
// configuration store between imports (CSV_REC_COLMNO_...).
struct RecordCsvSetup {
    int surname = 0;
    int firstName = 0;
    int team = 0;
    int gender = 0;
    int age = 0;
    int item = 0;
    int date = 0;
    int record = 0;
    int dsbClass = 0;
    bool hasHeaderLine = true;

    void load(const base::ConfigStore& store);
    void save(base::ConfigStore& store) const;
    // One value by its short name ("SURNAME", "FIRSTNAME", "TEAM", "GENDER", "AGE", "ITEM",
    // "DATE", "RECORD", "CLASS", "HEADER"); false for an unknown name or a value that is no
    // column number.
    bool set(const QString& key, const QString& value);
    // "Surname", "Firstname" ... with their columns, as the setup screen shows them.
    QList<std::pair<QString, int>> namedColumns() const;
    // The setup's own refusal (item, gender, age and record columns are needed), empty
    // when it can be used.
    QString refusal() const;
};

// One line of the file made into a record, or the reason it is refused.
struct RecordFileLine {
    int lineNo = 0;
    QString itemCode;
    QString record;
    QString surname;
    QString firstName;
    QString team;
    QString date;
    QString error;
};

// Reads a CSV file of records into a new record set. Lines with errors are listed and, when
// the user goes on, left out; the set and its records are written in one transaction, so a
// refused or failed import leaves nothing behind. Further holders of an item become
// co-holders.
class RecordImport {
public:
    RecordImport(db::DmdCoreDbs& database, const meeting::ItemTypes& items);

    // Every line of the text checked against the setup.
    QList<RecordFileLine> readLines(const QStringList& lines, const RecordCsvSetup& setup) const;
    // The import: the new set's number, 0 when nothing was imported (after the message).
    qint64 importFile(const QString& path, const RecordSetValues& newSet,
                      const RecordCsvSetup& setup);

    // The help shown beside the setup.
    static QString performanceHelp();

private:
    RecordFileLine readLine(int lineNo, const QStringList& cells,
                            const RecordCsvSetup& setup) const;

    db::DmdCoreDbs& m_db;
    const meeting::ItemTypes& m_items;
};

} // namespace records
