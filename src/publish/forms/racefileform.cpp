#include "publish/forms/racefileform.h"

#include "base/configstore.h"
#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/messages.h"
#include "base/run.h"
#include "publish/eventresults.h"
#include "publish/timingraces.h"
#include "results/captureprogram.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace publish {

namespace {

const QString kFolderKey = QStringLiteral("TIMING_RACE_FOLDER");
enum Column { kWrite, kPlace, kLane, kNumber, kName, kTeam, kTime, kProblem, kColumns };

} // namespace

RaceFileForm::RaceFileForm(base::Run& run, qint64 programNo, QWidget* parent)
    : QDialog(parent), m_run(run), m_offeredProgramNo(programNo)
{
    setWindowTitle(QStringLiteral("Timing Race File"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    auto* fileRow = new QHBoxLayout;
    m_file = new QLineEdit(this);
    m_file->setPlaceholderText(QStringLiteral("The .lif file the timing system wrote"));
    fileRow->addWidget(m_file);
    base::addActionButton(fileRow, QStringLiteral("&Browse..."),
                          tr("Chooses a race file in the folder of the last one"),
                          [this] { chooseFile(); });
    base::addActionButton(fileRow, QStringLiteral("&Read"),
                          tr("Reads the file and shows its places"), [this] { readFile(); });
    auto* fileLabel = new QLabel(QStringLiteral("Race &file"), this);
    fileLabel->setBuddy(m_file);
    form->addRow(fileLabel, fileRow);
    m_header = new QLabel(this);
    form->addRow(QStringLiteral("Race"), m_header);
    m_heat = new QComboBox(this);
    for (const results::CaptureProgramRow& row :
         results::captureProgramRows(*run.database(), run.items(), run.currentMeetingNo(),
                                     results::CaptureOrder::Sequence)) {
        if (!row.isCalculatedFinal())
            m_heat->addItem(eventTitle(row), row.programNo);
    }
    m_heat->setCurrentIndex(m_heat->findData(programNo));
    form->addRow(QStringLiteral("&Heat"), m_heat);
    layout->addLayout(form);
    connect(m_heat, &QComboBox::currentIndexChanged, this, [this] { showLines(); });

    m_lines = new QTableWidget(0, kColumns, this);
    m_lines->setHorizontalHeaderLabels({QStringLiteral("Write"), QStringLiteral("Place"),
                                        QStringLiteral("Lane"), QStringLiteral("Number"),
                                        QStringLiteral("Name"), QStringLiteral("Team"),
                                        QStringLiteral("Time"), QStringLiteral("Problem")});
    m_lines->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lines->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lines->verticalHeader()->hide();
    m_lines->horizontalHeader()->setStretchLastSection(true);
    // Space ticks or unticks the line under the cursor.
    base::onListKey(m_lines, Qt::Key_Space, [this] {
        if (QTableWidgetItem* tick = m_lines->item(m_lines->currentRow(), kWrite))
            tick->setCheckState(tick->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    });
    layout->addWidget(m_lines);

    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_status);
    auto* buttons = new QHBoxLayout;
    m_write = base::addActionButton(buttons, QStringLiteral("&Write into heat"),
                                    tr("Writes the times of the ticked lines into the chosen "
                                       "heat, as typed results"),
                                    [this] { writeIntoHeat(); });
    m_write->setEnabled(false);
    base::addActionButton(buttons, QStringLiteral("C&lose"), base::closeTip(),
                          [this] { accept(); });
    layout->addLayout(buttons);
    resize(900, 520);
}

RaceFileForm::~RaceFileForm() = default;

qint64 RaceFileForm::matchedProgramNo() const
{
    return m_heat->currentData().toLongLong();
}

void RaceFileForm::chooseFile()
{
    QString folder = m_run.config().readText(kFolderKey);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Race file"), folder,
                                     QStringLiteral("Race files (*.lif *.LIF);;All files (*)"));
    if (path.isEmpty())
        return;
    m_file->setText(QDir::toNativeSeparators(path));
    readFile();
}

bool RaceFileForm::readFile()
{
    const QString path = m_file->text().trimmed();
    const LifRead read = readLifFile(path);
    m_read = read.ok;
    m_write->setEnabled(m_read);
    if (!read.ok) {
        m_race = LifRace();
        m_lines->setRowCount(0);
        m_header->clear();
        m_status->setText(read.refusal);
        m_run.messages().warning(read.refusal);
        return false;
    }
    m_run.config().writeText(kFolderKey, QFileInfo(path).absolutePath());
    m_race = read.race;
    m_header->setText(QStringLiteral("Event ") + QString::number(m_race.event) +
                      QStringLiteral(", round ") + QString::number(m_race.round) +
                      QStringLiteral(", heat ") + QString::number(m_race.heat) +
                      (m_race.name.isEmpty() ? QString() : QStringLiteral(": ") + m_race.name));
    const qint64 proposed = proposedProgramRow(m_run, m_race);
    const int index = m_heat->findData(proposed != 0 ? proposed : m_offeredProgramNo);
    {
        const QSignalBlocker quiet(m_heat);
        m_heat->setCurrentIndex(index);
    }
    m_status->setText(proposed != 0
                          ? QString()
                          : QStringLiteral("No heat of the program has sequence ") +
                                QString::number(m_race.event) + QStringLiteral(" and heat ") +
                                QString::number(m_race.heat) + QStringLiteral(": choose the heat"));
    showLines();
    m_lines->setFocus();
    return true;
}

void RaceFileForm::showLines()
{
    if (!m_read)
        return;
    const qint64 programNo = matchedProgramNo();
    const QMap<int, QString> problems =
        programNo != 0 ? raceProblems(m_run, m_race, programNo) : QMap<int, QString>();
    m_lines->setRowCount(int(m_race.lines.size()));
    for (int r = 0; r < m_race.lines.size(); ++r) {
        const LifLine& l = m_race.lines[r];
        const QString problem = problems.value(l.lineNo);
        auto* tick = new QTableWidgetItem;
        tick->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        tick->setCheckState(problem.isEmpty() ? Qt::Checked : Qt::Unchecked);
        m_lines->setItem(r, kWrite, tick);
        const QString cells[] = {
            QString(),
            l.placeText,
            l.lane > 0 ? QString::number(l.lane) : QString(),
            l.number,
            l.lastName + (l.firstName.isEmpty() ? QString() : QStringLiteral(", ") + l.firstName),
            l.team,
            l.time,
            problem};
        for (int c = kPlace; c < kColumns; ++c) {
            auto* cell = new QTableWidgetItem(cells[c]);
            if (!problem.isEmpty())
                cell->setForeground(Qt::darkRed);
            m_lines->setItem(r, c, cell);
        }
    }
    m_lines->resizeColumnsToContents();
    if (problems.contains(0))
        m_status->setText(problems.value(0));
    else if (!problems.isEmpty())
        m_status->setText(problems.size() == 1
                              ? QStringLiteral("1 line cannot be written and is left out")
                              : QString::number(problems.size()) +
                                    QStringLiteral(" lines cannot be written and are left out"));
}

bool RaceFileForm::writeIntoHeat()
{
    const qint64 programNo = matchedProgramNo();
    if (!m_read || programNo == 0) {
        m_run.messages().warning(m_read ? QStringLiteral("Choose the heat of the race first")
                                        : QStringLiteral("Read a race file first"));
        return false;
    }
    QSet<int> leftOut;
    for (int r = 0; r < m_lines->rowCount() && r < m_race.lines.size(); ++r) {
        if (m_lines->item(r, kWrite)->checkState() != Qt::Checked)
            leftOut.insert(m_race.lines[r].lineNo);
    }
    const QString fileName = QFileInfo(m_file->text().trimmed()).fileName();
    const QString heat = m_heat->currentText();
    QString question =
        QStringLiteral("Write the times of ") + fileName + QStringLiteral(" into ") + heat;
    if (!leftOut.isEmpty())
        question += QStringLiteral(", leaving out ") + QString::number(leftOut.size()) +
                    (leftOut.size() == 1 ? QStringLiteral(" line") : QStringLiteral(" lines"));
    if (!m_run.messages().confirm(question))
        return false;
    const qint64 raceNo = storeRaceOfFile(m_run, m_file->text().trimmed(), m_race);
    if (raceNo == 0)
        return false;
    const RaceWrite written = writeRaceIntoHeat(m_run, raceNo, m_race, programNo, leftOut);
    if (!written.ok) {
        m_status->setText(written.text());
        m_run.messages().warning(written.text());
        return false;
    }
    m_status->setText(QString::number(written.written) + QStringLiteral(" results written into ") +
                      heat);
    return true;
}

void openRaceFile(QWidget* parent, base::Run& run, qint64 programNo)
{
    RaceFileForm form(run, programNo, parent);
    form.exec();
}

} // namespace publish
