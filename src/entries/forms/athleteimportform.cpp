#include "entries/forms/athleteimportform.h"

#include "base/messages.h"
#include "base/run.h"
#include "entries/forms/importreportdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace entries {

namespace {

// The grid shows the start of a file; a championship's file is read whole by the import.
constexpr int kShownRows = 400;
constexpr int kShownColumns = 40;

// The setup's column fields by the names the screen shows.
int CsvSetup::*columnField(const QString& name)
{
    static const QMap<QString, int CsvSetup::*> fields{
        {"Surname", &CsvSetup::surname},      {"Firstname", &CsvSetup::firstName},
        {"Gender", &CsvSetup::gender},        {"Age", &CsvSetup::ageAge},
        {"Birthdate", &CsvSetup::ageDate},    {"BirthYear", &CsvSetup::ageYear},
        {"IdNumber", &CsvSetup::ageIdNo},     {"Team", &CsvSetup::team},
        {"Number", &CsvSetup::number},        {"ID-number", &CsvSetup::idNumber},
        {"Birth", &CsvSetup::birth},          {"Disabled", &CsvSetup::disabled},
        {"Local Smds", &CsvSetup::localSmds}, {"World Smds", &CsvSetup::worldSmds},
        {"Category", &CsvSetup::category},    {"Demographic", &CsvSetup::demographic},
        {"First Item", &CsvSetup::itemFirst}, {"Last Item", &CsvSetup::itemLast}};
    return fields.value(name, nullptr);
}

} // namespace

AthleteImportForm::AthleteImportForm(base::Run& run, QWidget* parent)
    : QDialog(parent), m_run(run), m_ageSource(new QComboBox), m_wipe(new QComboBox),
      m_header(new QCheckBox(tr("The first line holds the column titles"))),
      m_numbers(new QCheckBox(tr("Import the numbers"))),
      m_items(new QCheckBox(tr("Import the items"))),
      m_bests(new QCheckBox(tr("Each item is followed by its best performance"))),
      m_crosses(new QCheckBox(tr("Items are named in the header, with a cross in the cells"))),
      m_addTeams(new QCheckBox(tr("Add the teams that are missing"))),
      m_oneTeam(new QCheckBox(tr("All lines belong to the team"))),
      m_oneTeamAbbreviation(new QLineEdit), m_file(new QLabel), m_status(new QLabel),
      m_grid(new QTableWidget)
{
    setWindowTitle(QStringLiteral("Import ") + run.globals().personWord() +
                   QStringLiteral("s from a CSV file"));
    resize(1240, 820);
    auto* columns = new QFormLayout;
    AthleteImport probe(run, EntrySettings::from(run.meeting()));
    for (const auto& [name, column] : probe.setup().namedColumns()) {
        auto* spin = new QSpinBox;
        spin->setRange(0, 9999);
        spin->setSpecialValueText(QStringLiteral("-"));
        connect(spin, &QSpinBox::valueChanged, this, &AthleteImportForm::markColumns);
        m_columns.insert(name, spin);
        columns->addRow(name, spin);
    }
    m_ageSource->addItems({tr("Age"), tr("Birthdate"), tr("BirthYear"), tr("IdNumber")});
    m_wipe->addItems({tr("Add the missing Athletes"),
                      tr("Wipe the existing Athletes of this Team."),
                      tr("Wipe ALL existing Teams !!")});
    m_oneTeamAbbreviation->setMaxLength(8);
    m_oneTeamAbbreviation->setPlaceholderText(tr("Abbreviation"));
    auto* options = new QFormLayout;
    options->addRow(tr("For Age"), m_ageSource);
    for (QCheckBox* box : {m_header, m_numbers, m_items, m_bests, m_crosses, m_addTeams})
        options->addRow(box);
    options->addRow(m_oneTeam, m_oneTeamAbbreviation);
    options->addRow(tr("Before importing"), m_wipe);

    auto* setupBox = new QGroupBox(tr("Columns (0 = not in the file)"));
    setupBox->setLayout(columns);
    auto* optionBox = new QGroupBox(tr("Options"));
    optionBox->setLayout(options);
    auto* left = new QVBoxLayout;
    left->addWidget(setupBox);
    left->addWidget(optionBox);
    left->addStretch();
    auto* leftWidget = new QWidget;
    leftWidget->setLayout(left);
    auto* scroll = new QScrollArea;
    scroll->setWidget(leftWidget);
    scroll->setWidgetResizable(true);
    scroll->setMinimumWidth(400);

    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->horizontalHeader()->setDefaultSectionSize(110);
    auto* choose = new QPushButton(tr("Choose the &file..."));
    auto* import = new QPushButton(tr("&Import"));
    connect(choose, &QPushButton::clicked, this, &AthleteImportForm::chooseFile);
    connect(import, &QPushButton::clicked, this, [this] { importFile(); });
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(choose);
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(import);
    auto* right = new QVBoxLayout;
    right->addLayout(fileRow);
    right->addWidget(m_grid, 1);
    // A long path or closing report wraps instead of widening the screen past the desktop.
    m_file->setWordWrap(true);
    m_status->setWordWrap(true);
    right->addWidget(m_status);
    auto* top = new QHBoxLayout;
    top->addWidget(scroll);
    top->addLayout(right, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(buttons);
    fillSetup(probe.setup());
    if (!probe.setup().lastFile.isEmpty())
        m_file->setText(probe.setup().lastFile);
}

void AthleteImportForm::fillSetup(const CsvSetup& s)
{
    for (const auto& [name, column] : s.namedColumns())
        m_columns.value(name)->setValue(column);
    m_ageSource->setCurrentIndex(std::max(0, int(s.ageSource) - 1));
    m_header->setChecked(s.hasHeaderLine);
    m_numbers->setChecked(s.hasNumber);
    m_items->setChecked(s.hasItems);
    m_bests->setChecked(s.hasBests);
    m_crosses->setChecked(s.itemsInHeader);
    m_addTeams->setChecked(s.addTeams);
    m_oneTeam->setChecked(s.oneTeam);
    m_oneTeamAbbreviation->setText(s.oneTeamAbbreviation);
    m_wipe->setCurrentIndex(int(s.wipe));
}

CsvSetup AthleteImportForm::readSetup() const
{
    CsvSetup s;
    for (auto it = m_columns.begin(); it != m_columns.end(); ++it) {
        if (int CsvSetup::*field = columnField(it.key()))
            s.*field = it.value()->value();
    }
    s.ageSource = AgeSource(m_ageSource->currentIndex() + 1);
    s.hasHeaderLine = m_header->isChecked();
    s.hasNumber = m_numbers->isChecked();
    s.hasItems = m_items->isChecked();
    s.hasBests = m_bests->isChecked();
    s.itemsInHeader = m_crosses->isChecked();
    s.addTeams = m_addTeams->isChecked();
    s.oneTeam = m_oneTeam->isChecked();
    s.oneTeamAbbreviation = m_oneTeamAbbreviation->text().trimmed();
    s.wipe = WipeMode(m_wipe->currentIndex());
    s.lastFile = m_path;
    return s;
}

void AthleteImportForm::chooseFile()
{
    const QString path = m_run.messages().chooseFile(
        QStringLiteral("Select the CSV file"), QStringLiteral("Comma delimited textfile (*.csv)"));
    if (!path.isEmpty())
        showFile(path);
}

bool AthleteImportForm::showFile(const QString& path)
{
    AthleteImport reader(m_run, EntrySettings::from(m_run.meeting()));
    if (!reader.load(path))
        return false;
    m_path = path;
    m_file->setText(
        path + QStringLiteral("   (") + reader.encoding() + QStringLiteral(", ") +
        (reader.delimiter() == CsvDelimiter::Semicolon ? tr("semi-colons") : tr("commas")) +
        QLatin1Char(')'));
    const QList<QStringList>& rows = reader.rows();
    const int shownRows = std::min(int(rows.size()), kShownRows);
    const int shownColumns = std::min(reader.columnCount(), kShownColumns);
    m_grid->clear();
    m_grid->setRowCount(shownRows);
    m_grid->setColumnCount(shownColumns);
    for (int r = 0; r < shownRows; ++r) {
        for (int c = 0; c < std::min(int(rows[r].size()), shownColumns); ++c)
            m_grid->setItem(r, c, new QTableWidgetItem(rows[r][c]));
    }
    markColumns();
    m_status->setText(QString::number(rows.size()) + tr(" lines, ") +
                      QString::number(reader.columnCount()) + tr(" columns"));
    return true;
}

void AthleteImportForm::markColumns()
{
    const CsvSetup s = readSetup();
    for (int c = 0; c < m_grid->columnCount(); ++c) {
        QString title = QString::number(c + 1);
        for (const auto& [name, column] : s.namedColumns()) {
            if (column == c + 1)
                title += QLatin1Char('\n') + name;
        }
        m_grid->setHorizontalHeaderItem(c, new QTableWidgetItem(title));
    }
}

AthleteImport::Outcome AthleteImportForm::importFile()
{
    if (m_path.isEmpty()) {
        m_run.messages().warning(QStringLiteral("Choose the file first"));
        return AthleteImport::Outcome::Refused;
    }
    AthleteImport importer(m_run, EntrySettings::from(m_run.meeting()));
    importer.setup() = readSetup();
    importer.setReportQuestion(m_reportQuestion ? m_reportQuestion : [this](const QString& text) {
        return ImportReportDialog::askToContinue(text, this);
    });
    const auto outcome = importer.run(m_path);
    if (outcome == AthleteImport::Outcome::Imported)
        m_status->setText(ImportReport::countsText(importer.counts()).replace('\r', "   "));
    else
        m_status->setText(tr("Nothing was imported."));
    return outcome;
}

QString AthleteImportForm::status() const
{
    return m_status->text();
}

void openAthleteImport(QWidget* parent, base::Run& run)
{
    AthleteImportForm form(run, parent);
    form.exec();
}

} // namespace entries
