#pragma once

#include "records/records.h"

#include <QDialog>

class QLineEdit;

namespace records {

// One record and its holder: a new record asks the item code too, a co-holder only the
// holder. The record is typed as the item's performances are.
class RecordDialog : public QDialog {
    Q_OBJECT
public:
    enum class Mode { NewRecord, EditRecord, CoHolder };
    RecordDialog(Mode mode, const QString& title, QWidget* parent = nullptr);

    void setItemCode(const QString& itemCode);
    void setRecord(const QString& record);
    void setHolder(const RecordHolder& holder);

    QString itemCode() const;
    QString record() const;
    RecordHolder holder() const;

    // The fields by their labels' names: "Item", "Record", "Surname", "Name", "Team", "Date";
    // null for one the dialog does not ask.
    QLineEdit* field(const QString& name) const;

private:
    QLineEdit* m_item = nullptr;
    QLineEdit* m_record = nullptr;
    QLineEdit* m_surname;
    QLineEdit* m_firstName;
    QLineEdit* m_team;
    QLineEdit* m_date;
};

} // namespace records
