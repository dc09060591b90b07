#include "publish/forms/publishexportsform.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/messages.h"
#include "base/run.h"
#include "publish/eventresults.h"
#include "publish/publishsettings.h"
#include "publish/textexports.h"
#include "results/captureprogram.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace publish {

namespace {

constexpr int kProgramNoRole = Qt::UserRole;

// A folder box with its "Browse..." button.
QLineEdit* folderRow(QWidget* owner, QFormLayout* form, const QString& label, const QString& text,
                     const QString& browse, const QString& tip)
{
    auto* row = new QHBoxLayout;
    auto* edit = new QLineEdit(text, owner);
    row->addWidget(edit);
    base::addActionButton(row, browse, tip, [owner, edit, label] {
        const QString dir = QFileDialog::getExistingDirectory(owner, label, edit->text());
        if (!dir.isEmpty())
            edit->setText(dir);
    });
    form->addRow(label, row);
    return edit;
}

} // namespace

PublishExportsForm::PublishExportsForm(base::Run& run, QWidget* parent)
    : QDialog(parent), m_run(run)
{
    setWindowTitle(QStringLiteral("CSV Publishing Menu"));
    const PublishSettings s = PublishSettings::read(run.config());
    auto* layout = new QVBoxLayout(this);

    auto* folders = new QGroupBox(QStringLiteral("Folders"), this);
    auto* form = new QFormLayout(folders);
    m_resultsFolder = folderRow(this, form, QStringLiteral("Results folder"), s.csvResultsFolder,
                                QStringLiteral("&Browse..."),
                                tr("Chooses the folder the results files are written to"));
    m_startersFolder = folderRow(this, form, QStringLiteral("Starters folder"), s.csvStartersFolder,
                                 QStringLiteral("Bro&wse..."),
                                 tr("Chooses the folder the start lists are written to"));
    layout->addWidget(folders);

    layout->addWidget(new QLabel(QStringLiteral("Heats and finals"), this));
    m_events = new QListWidget(this);
    m_events->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const results::CaptureProgramRow& row :
         results::captureProgramRows(*run.database(), run.items(), run.currentMeetingNo(),
                                     results::CaptureOrder::Sequence)) {
        if (row.isCalculatedFinal())
            continue;
        auto* item = new QListWidgetItem(eventTitle(row), m_events);
        item->setData(kProgramNoRole, row.programNo);
    }
    layout->addWidget(m_events);
    auto* perEvent = new QHBoxLayout;
    base::addActionButton(perEvent, QStringLiteral("&Results to CSV"),
                          tr("Writes the results of each selected heat or final to a CSV file"),
                          [this] { selectedEvents(ExportKind::Results, false); });
    base::addActionButton(perEvent, QStringLiteral("Results to &XML"),
                          tr("Writes the results of each selected heat or final to an XML file"),
                          [this] { selectedEvents(ExportKind::Results, true); });
    base::addActionButton(perEvent, QStringLiteral("&Starters to CSV"),
                          tr("Writes the start list of each selected heat or final to a CSV file"),
                          [this] { selectedEvents(ExportKind::Starters, false); });
    layout->addLayout(perEvent);

    auto* whole = new QGridLayout;
    base::addActionButton(whole, 0, 0, QStringLiteral("&All Starters in one file"),
                          tr("Writes the start lists of every heat and final to "
                             "StartersAllItems.CSV in the starters folder"),
                          [this] { allStarters(); });
    base::addActionButton(whole, 0, 1, QStringLiteral("&Program"),
                          tr("Writes the program to Program.csv in the starters folder"),
                          [this] { program(); });
    base::addActionButton(whole, 0, 2, QStringLiteral("&Team Totals"),
                          tr("Writes the team totals to TeamTotals.csv in the results folder"),
                          [this] { teamTotals(); });
    base::addActionButton(whole, 1, 0, QStringLiteral("Team Totals as t&ext"),
                          tr("Writes TeamTotals.txt and TeamTotalsSplitUp.txt to the results "
                             "folder, for the press"),
                          [this] { teamTotalsText(); });
    base::addActionButton(whole, 1, 1, QStringLiteral("Results ar&chive"),
                          tr("Writes a zip file with the team totals and every result to the "
                             "results folder, to copy to an external drive"),
                          [this] { resultsArchive(); });
    layout->addLayout(whole);

    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_status);
    base::addActionButton(layout, QStringLiteral("C&lose"),
                          tr("Keeps the folders and closes this screen"), [this] {
                              saveSettings();
                              accept();
                          });
    resize(640, 600);
}

PublishExportsForm::~PublishExportsForm() = default;

bool PublishExportsForm::saveSettings()
{
    PublishSettings s = PublishSettings::read(m_run.config());
    s.csvResultsFolder = m_resultsFolder->text().trimmed();
    s.csvStartersFolder = m_startersFolder->text().trimmed();
    return s.write(m_run.config());
}

QString PublishExportsForm::fileIn(bool resultsFolder, const QString& name)
{
    if (!saveSettings())
        return QString();
    const QString folder = (resultsFolder ? m_resultsFolder : m_startersFolder)->text().trimmed();
    // An empty folder would put the file wherever the program was started.
    if (folder.isEmpty() || !QDir(folder).exists()) {
        m_run.messages().warning(QStringLiteral("The folder does not exist: ") + folder);
        return QString();
    }
    return QDir(folder).filePath(name);
}

void PublishExportsForm::tellWritten(const QStringList& files)
{
    m_status->setText(QStringLiteral("Written: ") + files.join(QStringLiteral(", ")));
}

void PublishExportsForm::selectedEvents(ExportKind kind, bool xml)
{
    if (!saveSettings())
        return;
    int written = 0;
    for (const QListWidgetItem* item : m_events->selectedItems()) {
        const qint64 programNo = item->data(kProgramNoRole).toLongLong();
        if (!(xml ? exportEventXml(m_run, programNo, kind, QString())
                  : exportEventCsv(m_run, programNo, kind, QString())))
            break; // the export said why; the rest waits for the user
        ++written;
    }
    if (written > 0)
        m_status->setText(
            QString::number(written) + QStringLiteral(" files written to ") +
            (kind == ExportKind::Results ? m_resultsFolder : m_startersFolder)->text().trimmed());
}

void PublishExportsForm::allStarters()
{
    const QString path = fileIn(false, QStringLiteral("StartersAllItems.CSV"));
    if (!path.isEmpty() && exportAllStarters(m_run, path))
        tellWritten({path});
}

void PublishExportsForm::program()
{
    const QString path = fileIn(false, QStringLiteral("Program.csv"));
    if (!path.isEmpty() && exportProgramCsv(m_run, path))
        tellWritten({path});
}

void PublishExportsForm::teamTotals()
{
    const QString path = fileIn(true, QStringLiteral("TeamTotals.csv"));
    if (!path.isEmpty() && exportTeamTotalsCsv(m_run, path))
        tellWritten({path});
}

void PublishExportsForm::teamTotalsText()
{
    const QString path = fileIn(true, QStringLiteral("TeamTotals.txt"));
    if (path.isEmpty())
        return;
    const QString splitUp = QFileInfo(path).dir().filePath(QStringLiteral("TeamTotalsSplitUp.txt"));
    if (writeTeamTotalsText(m_run, path, false) && writeTeamTotalsText(m_run, splitUp, true))
        tellWritten({path, splitUp});
}

void PublishExportsForm::resultsArchive()
{
    const QString path =
        fileIn(true, QStringLiteral("Results_") + m_run.now().toString(QStringLiteral("yyyyMMdd")) +
                         QStringLiteral(".zip"));
    if (!path.isEmpty() && writeResultsArchive(m_run, path))
        tellWritten({path});
}

void openPublishExports(QWidget* parent, base::Run& run)
{
    PublishExportsForm form(run, parent);
    form.exec();
}

} // namespace publish
