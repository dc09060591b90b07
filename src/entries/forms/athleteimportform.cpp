#include "entries/forms/athleteimportform.h"

#include "base/forms/buttontips.h"
#include "base/forms/screensize.h"

#include "base/messages.h"
#include "base/run.h"
#include "entries/csvheadersuggestion.h"
#include "entries/forms/importreportdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace entries {

namespace {

// The grid shows the start of a file; a championship's file is read whole by the import.
constexpr int kShownRows = 400;
constexpr int kShownColumns = 40;

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
      m_oneTeamAbbreviation(new QLineEdit), m_wipeNote(new QLabel), m_file(new QLabel),
      m_suggestion(new QLabel), m_useSuggestion(new QPushButton(tr("&Use these columns"))),
      m_status(new QLabel), m_grid(new QTableWidget)
{
    setWindowTitle(QStringLiteral("Import ") + run.globals().personWord() +
                   QStringLiteral("s from a CSV file"));
    base::resizeWithinDesktop(this, QSize(1240, 820));
    // The column numbers stand two to a line, so that the panel fits beside the file's grid
    // without scrolling sideways and mostly without scrolling down.
    auto* columns = new QGridLayout;
    columns->setColumnMinimumWidth(2, 12);
    columns->setColumnStretch(5, 1);
    AthleteImport probe(run, EntrySettings::from(run.meeting()));
    for (const auto& [name, column] : probe.setup().namedColumns()) {
        auto* spin = new QSpinBox;
        spin->setRange(0, 9999);
        spin->setSpecialValueText(QStringLiteral("-"));
        connect(spin, &QSpinBox::valueChanged, this, &AthleteImportForm::markColumns);
        // A column the user changes is theirs again, no longer marked as suggested.
        connect(spin, &QSpinBox::valueChanged, spin, [spin] { spin->setStyleSheet(QString()); });
        connect(spin, &QSpinBox::valueChanged, this, &AthleteImportForm::suggestFromHeaderLine);
        const int at = int(m_columns.size());
        m_columns.insert(name, spin);
        auto* label = new QLabel(name);
        label->setBuddy(spin);
        columns->addWidget(label, at / 2, at % 2 * 3);
        columns->addWidget(spin, at / 2, at % 2 * 3 + 1);
    }
    m_ageSource->addItems({tr("Age"), tr("Birthdate"), tr("BirthYear"), tr("IdNumber")});
    m_wipe->addItems({QStringLiteral("The missing Athletes (with their Items) will be added."),
                      QStringLiteral("Wipe the existing Athletes of this Team."),
                      QStringLiteral("Wipe ALL existing Teams !!")});
    m_wipeNote->setWordWrap(true);
    connect(m_wipe, &QComboBox::currentIndexChanged, this, &AthleteImportForm::showWipeNote);
    // The choice is shown whole in its list; closed, it may be shorter than its longest text.
    m_wipe->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_wipe->setMinimumContentsLength(24);
    m_oneTeamAbbreviation->setMaxLength(8);
    m_oneTeamAbbreviation->setMaximumWidth(
        m_oneTeamAbbreviation->fontMetrics().horizontalAdvance(QStringLiteral("WWWWWWWWWW")));
    m_oneTeamAbbreviation->setPlaceholderText(tr("Abbreviation"));
    auto* options = new QFormLayout;
    options->addRow(tr("For Age"), m_ageSource);
    for (QCheckBox* box : {m_header, m_numbers, m_items, m_bests, m_crosses, m_addTeams})
        options->addRow(box);
    options->addRow(m_oneTeam, m_oneTeamAbbreviation);
    // The choices are long: the box takes the panel's width on a line of its own.
    auto* wipeLabel = new QLabel(tr("Before importing"));
    wipeLabel->setBuddy(m_wipe);
    options->addRow(wipeLabel);
    options->addRow(m_wipe);
    options->addRow(m_wipeNote);

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
    // As wide as the setup needs: it scrolls down on a low screen, never sideways.
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setMinimumWidth(leftWidget->minimumSizeHint().width() +
                            scroll->verticalScrollBar()->sizeHint().width() +
                            2 * scroll->frameWidth());

    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->horizontalHeader()->setDefaultSectionSize(110);
    auto* choose = new QPushButton(tr("Choose the &file..."));
    auto* import = new QPushButton(tr("&Import"));
    choose->setToolTip(tr("Chooses the CSV file of swimmers to read"));
    import->setToolTip(tr("Reads the swimmers of the file with the columns set below"));
    connect(choose, &QPushButton::clicked, this, &AthleteImportForm::chooseFile);
    connect(import, &QPushButton::clicked, this, [this] { importFile(); });
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(choose);
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(import);
    // What the header line suggests, for the user to take or leave.
    auto* suggestionRow = new QHBoxLayout;
    m_suggestion->setWordWrap(true);
    suggestionRow->addWidget(m_suggestion, 1);
    suggestionRow->addWidget(m_useSuggestion);
    m_useSuggestion->hide();
    connect(m_useSuggestion, &QPushButton::clicked, this, &AthleteImportForm::useHeaderColumns);
    connect(m_header, &QCheckBox::toggled, this, &AthleteImportForm::suggestFromHeaderLine);
    auto* right = new QVBoxLayout;
    right->addLayout(fileRow);
    right->addLayout(suggestionRow);
    right->addWidget(m_grid, 1);
    // A long path or closing report wraps instead of widening the screen past the desktop.
    m_file->setWordWrap(true);
    m_status->setWordWrap(true);
    right->addWidget(m_status);
    auto* top = new QHBoxLayout;
    top->addWidget(scroll);
    top->addLayout(right, 1);
    auto* buttons = base::closeButtons(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(buttons);
    fillSetup(probe.setup());
    showWipeNote(m_wipe->currentIndex());
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
        s.setColumn(it.key(), it.value()->value());
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
    m_headerLine = rows.isEmpty() ? QStringList() : rows.first();
    markColumns();
    suggestFromHeaderLine();
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

void AthleteImportForm::showWipeNote(int wipeIndex)
{
    m_wipeNote->setText(
        wipeIndex == 0
            ? QStringLiteral("(Participations of existing Athletes will NOT be revised.)")
            : QString());
}

void AthleteImportForm::suggestFromHeaderLine()
{
    m_suggested = m_header->isChecked() ? suggestFromHeader(m_headerLine) : HeaderSuggestion();
    const CsvSetup current = readSetup();
    if (m_suggested.isEmpty()) {
        m_suggestion->setText(m_header->isChecked() && !m_headerLine.isEmpty()
                                  ? tr("The titles of the header line name none of the fields: "
                                       "set the columns by hand.")
                                  : QString());
        m_useSuggestion->hide();
        return;
    }
    const bool same = m_suggested.matches(current);
    m_suggestion->setText(
        (same ? tr("The columns agree with the header line: ") : tr("The header line suggests: ")) +
        m_suggested.text());
    m_useSuggestion->setVisible(!same);
}

void AthleteImportForm::useHeaderColumns()
{
    const CsvSetup before = readSetup();
    const CsvSetup after = m_suggested.appliedTo(before);
    fillSetup(after);
    // The boxes that changed stay marked until the user changes them.
    const auto old = before.namedColumns();
    const auto now = after.namedColumns();
    for (qsizetype i = 0; i < now.size(); ++i) {
        if (now[i].second != old[i].second)
            m_columns.value(now[i].first)
                ->setStyleSheet(QStringLiteral("QSpinBox { background: #fff3b0; }"));
    }
    m_useSuggestion->hide();
    m_suggestion->setText(tr("Taken from the header line (the changed columns are marked): ") +
                          m_suggested.text() + tr(". Check them before importing."));
    markColumns();
}

AthleteImport::Outcome AthleteImportForm::importFile()
{
    if (m_path.isEmpty()) {
        m_run.messages().warning(QStringLiteral("Choose the file first"));
        return AthleteImport::Outcome::Refused;
    }
    AthleteImport importer(m_run, EntrySettings::from(m_run.meeting()));
    importer.setup() = readSetup();
    if (m_reportQuestion)
        importer.setReportQuestion(m_reportQuestion);
    else
        importer.setReportQuestion(
            [this, &importer](const QString&) { return showReport(importer); });
    const auto outcome = importer.run(m_path);
    if (outcome == AthleteImport::Outcome::Imported)
        m_status->setText(ImportReport::countsText(importer.counts()).replace('\r', "   "));
    else
        m_status->setText(tr("Nothing was imported."));
    return outcome;
}

bool AthleteImportForm::showReport(const AthleteImport& importer)
{
    ImportReportDialog dialog(
        m_run.messages(), importer.report(), m_path,
        [&importer](int line) { return importer.lineName(line); }, this);
    return dialog.exec() == QDialog::Accepted;
}

QString AthleteImportForm::status() const
{
    return m_status->text();
}

QString AthleteImportForm::suggestion() const
{
    return m_suggestion->text();
}

void openAthleteImport(QWidget* parent, base::Run& run)
{
    AthleteImportForm form(run, parent);
    form.exec();
}

} // namespace entries
