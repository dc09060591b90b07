#pragma once

#include "records/recordsets.h"

#include <QDialog>

class QTableWidget;

namespace base {
class Run;
}

namespace records {

// "6. Records": every record set with its year and record count, and whether the current
// meeting watches it (a bonus) or takes it as a failing standard (a penalty).
class RecordSetsForm : public QDialog {
    Q_OBJECT
public:
    RecordSetsForm(base::Run& run, QWidget* parent = nullptr);

    void refresh();
    // Selects the row of the set; false when it is not listed.
    bool selectSet(const QString& abbreviation);
    void newSet();
    void deleteSet();
    void importCsv();
    void selectForMeeting(bool failStandard);
    void unselectForMeeting();
    void checkItems(bool fix);
    void updateFromMeeting();
    void editRecords();
    QTableWidget* table() const { return m_table; }

private:
    std::optional<RecordSetRow> selected() const;

    base::Run& m_run;
    QList<RecordSetRow> m_sets;
    QTableWidget* m_table;
};

// The opener of the main screen's "6. Records" button.
void openRecords(QWidget* parent, base::Run& run);

} // namespace records
