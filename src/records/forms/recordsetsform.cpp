#include "records/forms/recordsetsform.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/forms/rowlist.h"
#include "base/forms/screensize.h"
#include "base/messages.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/currentmeeting.h"
#include "meeting/itemtypes.h"
#include "records/forms/recordsetdialog.h"
#include "records/forms/recordsform.h"
#include "records/recordimport.h"
#include "records/recordupdate.h"
#include "records/swimitemcheck.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace records {

RecordSetsForm::RecordSetsForm(base::Run& run, QWidget* parent) : QDialog(parent), m_run(run)
{
    setWindowTitle(QStringLiteral("RecordSets"));
    auto* layout = new QVBoxLayout(this);
    m_table = base::rowList(this,
                            {QStringLiteral("Abbreviation"), QStringLiteral("Name"),
                             QStringLiteral("Year"), QStringLiteral("Records"),
                             QStringLiteral("This Meeting")},
                            1);
    // The columns fit their contents on every refresh; the name takes the spare width.
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    layout->addWidget(m_table);
    base::onListKey(m_table, Qt::Key_Return, [this] { editRecords(); });
    auto* grid = new QGridLayout;
    base::addActionButton(grid, 0, 0, QStringLiteral("&Records..."),
                          tr("Opens the records of the selected set (Enter)"),
                          [this] { editRecords(); });
    base::addActionButton(grid, 0, 1, QStringLiteral("&New Set"), tr("Adds an empty record set"),
                          [this] { newSet(); });
    base::addActionButton(grid, 0, 2, QStringLiteral("&Delete Set"),
                          tr("Deletes the selected set with its records, after asking"),
                          [this] { deleteSet(); });
    base::addActionButton(grid, 0, 3, QStringLiteral("&Import CSV"),
                          tr("Reads a new record set from a CSV file"), [this] { importCsv(); });
    base::addActionButton(grid, 1, 0, QStringLiteral("&Watch for Meeting"),
                          tr("The current meeting gives bonus points for breaking these records"),
                          [this] { selectForMeeting(false); });
    base::addActionButton(grid, 1, 1, QStringLiteral("Failing &Standard"),
                          tr("The current meeting takes these times as a standard; failing it "
                             "costs points"),
                          [this] { selectForMeeting(true); });
    base::addActionButton(grid, 1, 2, QStringLiteral("&Unselect"),
                          tr("The current meeting no longer uses the selected set"),
                          [this] { unselectForMeeting(); });
    base::addActionButton(grid, 1, 3, QStringLiteral("U&pdate from Meeting"),
                          tr("Writes the records broken in the current meeting into the set"),
                          [this] { updateFromMeeting(); });
    base::addActionButton(grid, 2, 0, QStringLiteral("Check &Items"),
                          tr("Lists the records of the set whose item is not a valid item"),
                          [this] { checkItems(false); });
    base::addActionButton(grid, 2, 1, QStringLiteral("&Fix Items"),
                          tr("Corrects the items of the set that can be corrected"),
                          [this] { checkItems(true); });
    base::addActionButton(grid, 2, 3, QStringLiteral("C&lose"), base::closeTip(),
                          [this] { accept(); });
    layout->addLayout(grid);
    base::resizeWithinDesktop(this, QSize(760, 460));
    refresh();
}

void RecordSetsForm::refresh()
{
    db::DmdCoreDbs& database = *m_run.database();
    RecordSets sets(database);
    m_sets = sets.all();
    QHash<qint64, MeetingSetRow> watched;
    for (const MeetingSetRow& m : sets.ofMeeting(m_run.currentMeetingNo()))
        watched.insert(m.recordSetNo, m);
    m_table->setRowCount(int(m_sets.size()));
    for (int i = 0; i < m_sets.size(); ++i) {
        const RecordSetRow& s = m_sets[i];
        QString meeting;
        if (watched.contains(s.recordSetNo)) {
            const MeetingSetRow& m = watched.value(s.recordSetNo);
            meeting = (m.failStandard ? QStringLiteral("Penalty ") : QStringLiteral("Bonus ")) +
                      QString::number(m.points);
        }
        const QStringList cells{s.abbreviation, s.name,
                                s.year ? QString::number(s.year) : QString(),
                                QString::number(database.ZSqlCount(
                                    QStringLiteral("RECORD"),
                                    QStringLiteral("RECORDSETNO = ") + db::sqlInt(s.recordSetNo))),
                                meeting};
        for (int c = 0; c < cells.size(); ++c)
            m_table->setItem(i, c, new QTableWidgetItem(cells[c]));
    }
    if (m_table->currentRow() < 0 && !m_sets.isEmpty())
        m_table->selectRow(0);
}

bool RecordSetsForm::selectSet(const QString& abbreviation)
{
    for (int i = 0; i < m_sets.size(); ++i) {
        if (m_sets[i].abbreviation == abbreviation) {
            m_table->selectRow(i);
            return true;
        }
    }
    return false;
}

std::optional<RecordSetRow> RecordSetsForm::selected() const
{
    const int row = m_table->currentRow();
    if (row < 0 || row >= m_sets.size())
        return std::nullopt;
    return m_sets[row];
}

void RecordSetsForm::newSet()
{
    RecordSetDialog dialog(QStringLiteral("New RecordSet"), std::nullopt, this);
    // A refused set opens the dialog again with what was typed.
    while (dialog.exec() == QDialog::Accepted) {
        const RecordSetValues values = dialog.values();
        if (RecordSets(*m_run.database()).NewRecordSet(values) > 0) {
            refresh();
            selectSet(values.abbreviation);
            return;
        }
    }
}

void RecordSetsForm::deleteSet()
{
    const auto set = selected();
    if (!set)
        return;
    if (m_run.messages().confirmTwice(QStringLiteral("Delete the RecordSet ") + set->name +
                                      QStringLiteral(" with all its records")) &&
        RecordSets(*m_run.database()).deleteRecordSet(set->recordSetNo)) {
        meeting::useMeeting(m_run, m_run.currentMeetingNo());
        refresh();
    }
}

void RecordSetsForm::importCsv()
{
    const QString path = m_run.messages().chooseFile(QStringLiteral("Import Records"),
                                                     QStringLiteral("CSV files (*.csv *.txt)"));
    if (path.isEmpty())
        return;
    RecordCsvSetup setup;
    setup.load(m_run.config());
    RecordSetDialog dialog(QStringLiteral("Import Records: ") + QFileInfo(path).fileName(), setup,
                           this);
    while (dialog.exec() == QDialog::Accepted) {
        // The columns are kept for the next file even when this one is refused.
        dialog.columns().save(m_run.config());
        const RecordSetValues values = dialog.values();
        if (RecordImport(*m_run.database(), m_run.items())
                .importFile(path, values, dialog.columns()) > 0) {
            refresh();
            selectSet(values.abbreviation);
            return;
        }
    }
}

void RecordSetsForm::selectForMeeting(bool failStandard)
{
    const auto set = selected();
    if (!set)
        return;
    QString points = QStringLiteral("0");
    if (!m_run.messages().askText(failStandard ? QStringLiteral("Penalty points for failing")
                                               : QStringLiteral("Bonus points per record"),
                                  &points))
        return;
    if (RecordSets(*m_run.database())
            .selectForMeeting(m_run.currentMeetingNo(), set->recordSetNo, failStandard,
                              points.toInt())) {
        // The meeting's lists of sets are read with its settings.
        meeting::useMeeting(m_run, m_run.currentMeetingNo());
        if (m_run.globals().isSwimming())
            SwimItemCheck(*m_run.database(), m_run.items())
                .check(SwimItemTarget::RecordSet, set->recordSetNo, false);
        refresh();
    }
}

void RecordSetsForm::unselectForMeeting()
{
    const auto set = selected();
    if (set && RecordSets(*m_run.database())
                   .unselectForMeeting(m_run.currentMeetingNo(), set->recordSetNo)) {
        meeting::useMeeting(m_run, m_run.currentMeetingNo());
        refresh();
    }
}

void RecordSetsForm::checkItems(bool fix)
{
    const auto set = selected();
    if (!set)
        return;
    SwimItemCheck check(*m_run.database(), m_run.items());
    if (fix)
        check.fix(SwimItemTarget::RecordSet, set->recordSetNo, true);
    else
        check.check(SwimItemTarget::RecordSet, set->recordSetNo, true);
    refresh();
}

void RecordSetsForm::updateFromMeeting()
{
    const auto set = selected();
    if (!set)
        return;
    if (UpdateRecordsFromMeeting(*m_run.database(), m_run.items(), set->recordSetNo,
                                 m_run.currentMeetingNo()))
        refresh();
}

void RecordSetsForm::editRecords()
{
    const auto set = selected();
    if (!set)
        return;
    RecordsForm form(m_run, *set, this);
    form.exec();
    refresh();
}

void openRecords(QWidget* parent, base::Run& run)
{
    RecordSetsForm form(run, parent);
    form.exec();
}

} // namespace records
