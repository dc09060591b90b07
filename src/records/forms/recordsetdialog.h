#pragma once

#include "records/recordimport.h"
#include "records/recordsets.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace records {

// The name, abbreviation and year of a new record set; for an import also the columns of
// the file that hold each value, starting from the columns last used.
class RecordSetDialog : public QDialog {
    Q_OBJECT
public:
    RecordSetDialog(const QString& title, std::optional<RecordCsvSetup> columns = std::nullopt,
                    QWidget* parent = nullptr);

    RecordSetValues values() const;
    // The columns as set; the starting ones when the dialog asks none.
    RecordCsvSetup columns() const;

    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* abbreviationEdit() const { return m_abbreviation; }
    QLineEdit* yearEdit() const { return m_year; }
    // The column of one value by its short name ("ITEM", "RECORD" ...); null when unknown.
    QSpinBox* columnBox(const QString& key) const;

private:
    QLineEdit* m_name;
    QLineEdit* m_abbreviation;
    QLineEdit* m_year;
    RecordCsvSetup m_columns;
    QList<std::pair<QString, QSpinBox*>> m_columnBoxes;
    QCheckBox* m_header = nullptr;
};

} // namespace records
