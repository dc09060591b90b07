#pragma once

#include "records/records.h"
#include "records/recordsets.h"

#include <QDialog>

class QTableWidget;

namespace base {
class Run;
}

namespace records {

// The records of one set: each item's main holder followed by its co-holders.
class RecordsForm : public QDialog {
    Q_OBJECT
public:
    RecordsForm(base::Run& run, RecordSetRow set, QWidget* parent = nullptr);

    void refresh();
    void newRecord();
    void addCoHolder();
    void editRecord();
    void deleteRecord();
    QTableWidget* table() const { return m_table; }

private:
    std::optional<RecordRow> selected() const;
    // Asks the holder's fields one by one, starting from `holder`; false when cancelled.

    base::Run& m_run;
    RecordSetRow m_set;
    Records m_records;
    QList<RecordRow> m_rows;
    QTableWidget* m_table;
};

} // namespace records
