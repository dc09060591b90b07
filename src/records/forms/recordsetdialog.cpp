#include "records/forms/recordsetdialog.h"

#include "base/forms/buttontips.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace records {

namespace {

// The values a record file can hold, by the short names the setup knows them by.
struct ColumnField {
    const char* key;
    const char* title;
    int RecordCsvSetup::*column;
};
const ColumnField kColumnFields[] = {
    {"ITEM", "Item", &RecordCsvSetup::item},
    {"GENDER", "Gender", &RecordCsvSetup::gender},
    {"AGE", "Age", &RecordCsvSetup::age},
    {"RECORD", "Record", &RecordCsvSetup::record},
    {"SURNAME", "Surname", &RecordCsvSetup::surname},
    {"FIRSTNAME", "Firstname", &RecordCsvSetup::firstName},
    {"TEAM", "Team", &RecordCsvSetup::team},
    {"DATE", "Date", &RecordCsvSetup::date},
    {"CLASS", "Class", &RecordCsvSetup::dsbClass},
};

} // namespace

RecordSetDialog::RecordSetDialog(const QString& title, std::optional<RecordCsvSetup> columns,
                                 QWidget* parent)
    : QDialog(parent), m_name(new QLineEdit(this)), m_abbreviation(new QLineEdit(this)),
      m_year(new QLineEdit(this)), m_columns(columns.value_or(RecordCsvSetup{}))
{
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_name->setMaxLength(40);
    m_abbreviation->setMaxLength(10);
    m_year->setMaxLength(4);
    m_year->setPlaceholderText(QStringLiteral("optional"));
    form->addRow(QStringLiteral("&Name of the RecordSet"), m_name);
    form->addRow(QStringLiteral("&Abbreviation"), m_abbreviation);
    form->addRow(QStringLiteral("&Year"), m_year);
    layout->addLayout(form);

    if (columns) {
        auto* box =
            new QGroupBox(QStringLiteral("Columns of the file (0 = not in the file)"), this);
        auto* grid = new QFormLayout(box);
        for (const ColumnField& field : kColumnFields) {
            auto* spin = new QSpinBox(box);
            spin->setRange(0, 99);
            spin->setValue(m_columns.*field.column);
            grid->addRow(QLatin1String(field.title), spin);
            m_columnBoxes.append({QLatin1String(field.key), spin});
        }
        m_header = new QCheckBox(QStringLiteral("The first line holds the titles"), box);
        m_header->setChecked(m_columns.hasHeaderLine);
        grid->addRow(m_header);
        layout->addWidget(box);
        auto* help = new QLabel(
            RecordImport::performanceHelp().replace(QLatin1Char('\r'), QLatin1Char('\n')), this);
        help->setWordWrap(true);
        layout->addWidget(help);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    base::explainButtons(buttons);
    layout->addWidget(buttons);
    m_name->setFocus();
    setMinimumWidth(440);
}

RecordSetValues RecordSetDialog::values() const
{
    return {m_name->text().trimmed(), m_abbreviation->text().trimmed(), m_year->text().trimmed()};
}

RecordCsvSetup RecordSetDialog::columns() const
{
    RecordCsvSetup setup = m_columns;
    for (qsizetype i = 0; i < m_columnBoxes.size(); ++i)
        setup.*kColumnFields[i].column = m_columnBoxes[i].second->value();
    if (m_header)
        setup.hasHeaderLine = m_header->isChecked();
    return setup;
}

QSpinBox* RecordSetDialog::columnBox(const QString& key) const
{
    for (const auto& [name, box] : m_columnBoxes) {
        if (name == key)
            return box;
    }
    return nullptr;
}

} // namespace records
