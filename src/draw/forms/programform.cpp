#include "draw/forms/programform.h"

#include "base/forms/openerbutton.h"

#include "base/asknumber.h"
#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/forms/rowlist.h"
#include "base/forms/screensize.h"
#include "base/run.h"
#include "draw/forms/determineprogramdialog.h"
#include "draw/forms/manualdrawmenu.h"
#include "draw/forms/programrowdialog.h"
#include "draw/programbreaks.h"
#include "draw/programeditor.h"
#include "draw/programrows.h"
#include "draw/roundletter.h"
#include "meeting/lanesettings.h"
#include "meeting/meetingsettings.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace draw {

namespace {
enum Column { Seq, Day, Time, Round, Heat, Item, Pit, Released, ColumnCount };

// "Draw r1, Results": what outside viewers see of the heat, with revisions above 0.
QString releaseText(const ProgramLine& l)
{
    QStringList parts;
    auto add = [&parts](bool released, int revision, const QString& name) {
        if (released || revision > 0)
            parts.append(
                (released ? name : QStringLiteral("(") + name + QStringLiteral(")")) +
                (revision > 0 ? QStringLiteral(" r") + QString::number(revision) : QString()));
    };
    add(l.drawReleased, l.drawRevision, QStringLiteral("Draw"));
    add(l.resultsReleased, l.resultsRevision, QStringLiteral("Results"));
    return parts.join(QStringLiteral(", "));
}
} // namespace

ProgramForm::ProgramForm(base::Run& run, QWidget* parent, Opener openScheduler)
    : QDialog(parent), m_run(run), m_items(run.items()), m_meetingNo(run.currentMeetingNo()),
      m_openScheduler(std::move(openScheduler))
{
    setWindowTitle(run.globals().programTitle() + QStringLiteral(" :  Program"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    m_order = new QComboBox(this);
    for (ProgramOrder o :
         {ProgramOrder::Time, ProgramOrder::Sequence, ProgramOrder::AgeGender, ProgramOrder::Item})
        m_order->addItem(ProgramListing::orderName(o), int(o));
    m_day = new QComboBox(this);
    top->addWidget(new QLabel(QStringLiteral("Order:"), this));
    top->addWidget(m_order);
    top->addWidget(new QLabel(QStringLiteral("Day:"), this));
    top->addWidget(m_day);
    top->addStretch();
    layout->addLayout(top);
    m_table =
        base::rowList(this,
                      {QStringLiteral("Seq"), QStringLiteral("Day"), QStringLiteral("Time"),
                       QStringLiteral("Round"), QStringLiteral("Heat"), QStringLiteral("Item"),
                       QStringLiteral("Pit"), QStringLiteral("Released")},
                      Item);
    m_table->horizontalHeader()->setSectionResizeMode(Released, QHeaderView::ResizeToContents);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this] { editRow(); });
    base::onListKey(m_table, Qt::Key_Return, [this] { editRow(); });
    layout->addWidget(m_table, 1);
    // Two rows of buttons: the row edits on top, the rest below, so that the screen fits a
    // 1280-pixel-wide display.
    auto* editing = new QHBoxLayout;
    auto* buttons = new QHBoxLayout;
    auto add = [buttons](const QString& text, const QString& tip, std::function<void()> action) {
        base::addActionButton(buttons, text, tip, std::move(action));
    };
    base::addActionButtons(
        editing, {{QStringLiteral("Edit..."), [this] { editRow(); },
                   tr("Changes the day, time, sequence and pit of the selected row (Enter)")},
                  {QStringLiteral("Renumber"), [this] { renumber(); },
                   tr("Numbers the sequence again in the order of day and time, after asking")},
                  {QStringLiteral("Shift Times..."), [this] { shiftTimes(); },
                   tr("Moves the selected row and all after it by a number of minutes")},
                  {QStringLiteral("Shift Sequence..."), [this] { shiftSequence(); },
                   tr("Moves the sequence number of the selected row and all after it")},
                  {QStringLiteral("Move to Day..."), [this] { moveRestOfDay(); },
                   tr("Moves the selected row and the rest of its day to another day")},
                  {QStringLiteral("Add Break..."), [this] { addBreak(); },
                   tr("Adds a break with its description after the selected row")},
                  {QStringLiteral("Cascade Dat,Time,Seq,Pit"), [this] { cascade(); },
                   tr("Gives finals that are not run the day, time, sequence and pit of their last "
                      "heat")}});
    layout->addLayout(editing);
    auto* release = new QPushButton(QStringLiteral("Release"), this);
    release->setAutoDefault(false);
    release->setToolTip(tr("Releases, retracts or revises the draw or results of the selected "
                           "row for publishing"));
    auto* releaseMenu = new QMenu(release);
    for (Publication what : {Publication::Draw, Publication::Results}) {
        const QString name = publicationName(what);
        releaseMenu->addAction(QStringLiteral("Release the ") + name,
                               [this, what] { setReleased(what, true); });
        releaseMenu->addAction(QStringLiteral("Retract the ") + name,
                               [this, what] { setReleased(what, false); });
        releaseMenu->addAction(QStringLiteral("Increment the ") + name +
                                   QStringLiteral(" revision"),
                               [this, what] { incrementRevision(what); });
        releaseMenu->addSeparator();
    }
    release->setMenu(releaseMenu);
    buttons->addWidget(release);
    auto* placed = new QPushButton(QStringLiteral("Placed Counts"), this);
    placed->setAutoDefault(false);
    placed->setToolTip(tr("Updates or compares the counts of placed swimmers"));
    auto* placedMenu = new QMenu(placed);
    placedMenu->addAction(QStringLiteral("Update this row"), [this] { updatePlacedCounts(false); });
    placedMenu->addAction(QStringLiteral("Update all rows"), [this] { updatePlacedCounts(true); });
    placedMenu->addAction(QStringLiteral("Compare Placed Counts: all"),
                          [this] { comparePlacedCounts(false); });
    placedMenu->addAction(QStringLiteral("Compare Placed Counts: only errors"),
                          [this] { comparePlacedCounts(true); });
    placed->setMenu(placedMenu);
    buttons->addWidget(placed);
    add(QStringLiteral("Draw &Manually..."), tr("Opens the hand draw of the selected row's round"),
        [this] { drawManually(); });
    add(QStringLiteral("Settings: Determine Program"),
        tr("Opens the settings that determine the program"), [this] { settings(); });
    if (m_openScheduler)
        add(QStringLiteral("Sc&heduler..."), tr("Opens the scheduler that times the program"),
            [this] { scheduler(); });
    buttons->addStretch();
    add(QStringLiteral("Close"), base::closeTip(), [this] { accept(); });
    layout->addLayout(buttons);
    connect(m_order, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(m_day, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    base::resizeWithinDesktop(this, QSize(1000, 720));
    refresh();
}

ProgramOrder ProgramForm::order() const
{
    return ProgramOrder(m_order->currentData().toInt());
}

void ProgramForm::refresh()
{
    db::DmdCoreDbs& database = *m_run.database();
    const int days = std::max(1, m_run.meeting().dayCount());
    if (m_day->count() != days + 1) {
        const QSignalBlocker block(m_day);
        m_day->clear();
        m_day->addItem(QStringLiteral("All days"), 0);
        for (int d = 1; d <= days; ++d)
            m_day->addItem(QStringLiteral("Day ") + QString::number(d), d);
    }
    const qint64 keep = currentProgramNo();
    ProgramListing listing(database);
    listing.refreshVisibility(m_meetingNo);
    const QList<ProgramLine> lines =
        listing.lines(m_meetingNo, order(), m_day->currentData().toInt());
    QHash<qint64, QStringList> breaks;
    for (const ProgramBreak& b : ProgramBreaks(database, m_run.messages(), m_meetingNo).list())
        breaks[b.programNo].append(b.description);
    m_programNos.clear();
    m_table->setRowCount(0);
    int lastDay = 0;
    auto addRow = [this](const QStringList& values, qint64 programNo, const QBrush& background) {
        const int r = m_table->rowCount();
        m_table->insertRow(r);
        for (int c = 0; c < ColumnCount; ++c) {
            auto* item = new QTableWidgetItem(c < values.size() ? values[c] : QString());
            if (c != Item)
                item->setTextAlignment(Qt::AlignCenter);
            item->setBackground(background);
            m_table->setItem(r, c, item);
        }
        m_programNos.append(programNo);
    };
    const QBrush dayBrush(QColor(220, 230, 245));
    const QBrush breakBrush(QColor(245, 240, 215));
    for (const ProgramLine& l : lines) {
        if (order() == ProgramOrder::Time && l.day != lastDay) {
            addRow({QString(), QString(), QString(), QString(), QString(),
                    QStringLiteral("Day ") + QString::number(l.day)},
                   0, dayBrush);
            lastDay = l.day;
        }
        addRow({QString::number(l.seq), QString::number(l.day),
                l.time.isValid() ? l.time.toString(QStringLiteral("hh:mm")) : QString(), l.round,
                l.round == QLatin1String("F") ? QString() : QString::number(l.heatNo),
                m_items.ItemDescription(l.itemCode, false) + QStringLiteral("  -  ") +
                    heatName(l.format, l.round, l.heatNo),
                l.pit, releaseText(l)},
               l.programNo, QBrush());
        if (l.programNo == keep)
            m_table->selectRow(m_table->rowCount() - 1);
        for (const QString& b : breaks.value(l.programNo))
            addRow({QString(), QString(), QString(), QString(), QString(),
                    QStringLiteral("Break: ") + b},
                   0, breakBrush);
    }
}

qint64 ProgramForm::currentProgramNo() const
{
    const qint64* programNo = base::currentEntry(m_table, m_programNos);
    return programNo ? *programNo : 0;
}

void ProgramForm::editRow()
{
    const qint64 programNo = currentProgramNo();
    if (programNo == 0)
        return;
    ProgramEditor editor(m_run);
    const int row = m_table->currentRow();
    ProgramRowDialog dialog(editor, this);
    // The dialog covers the list: its title says which heat is being edited.
    dialog.setWindowTitle(QStringLiteral("Edit Program Row: ") + m_table->item(row, Item)->text());
    dialog.setValues(m_table->item(row, Day)->text(), m_table->item(row, Time)->text(),
                     m_table->item(row, Seq)->text(), m_table->item(row, Pit)->text());
    if (dialog.exec() == QDialog::Accepted && editor.apply(programNo, dialog.edit()))
        refresh();
}

void ProgramForm::renumber()
{
    ProgramEditor(m_run).renumber(true);
    refresh();
}

void ProgramForm::shiftTimes()
{
    const qint64 programNo = currentProgramNo();
    if (programNo == 0)
        return;
    const std::optional<int> minutes = base::askWholeNumber(
        m_run.messages(), QStringLiteral("Shift event times: minutes (minus means earlier)"));
    if (!minutes)
        return;
    ProgramEditor(m_run).shiftTimes(programNo, *minutes, order());
    refresh();
}

void ProgramForm::shiftSequence()
{
    const qint64 programNo = currentProgramNo();
    if (programNo == 0)
        return;
    const std::optional<int> amount = base::askWholeNumber(
        m_run.messages(),
        QStringLiteral("Shift sequence numbers\rA negative number (eg \"-3\") means move up."));
    if (!amount)
        return;
    ProgramEditor(m_run).shiftSequence(programNo, *amount, order());
    refresh();
}

void ProgramForm::moveRestOfDay()
{
    const qint64 programNo = currentProgramNo();
    if (programNo == 0) {
        m_run.messages().warning(QStringLiteral("Select the Event"));
        return;
    }
    QString text;
    if (m_run.messages().askText(QStringLiteral("Move this row and the rest of its day to day:"),
                                 &text) &&
        ProgramEditor(m_run).moveRestOfDay(programNo, text))
        refresh();
}

void ProgramForm::addBreak()
{
    const qint64 programNo = currentProgramNo();
    if (programNo == 0) {
        m_run.messages().warning(QStringLiteral("Select the Event"));
        return;
    }
    QString text;
    if (!m_run.messages().askText(QStringLiteral("Description of the break"), &text))
        return;
    ProgramBreaks(*m_run.database(), m_run.messages(), m_meetingNo).add(programNo, text);
    refresh();
}

void ProgramForm::cascade()
{
    ProgramEditor(m_run).cascadeHeatsAreFinals();
    refresh();
}

void ProgramForm::settings()
{
    openDetermineProgram(this, m_run);
    refresh();
}

void ProgramForm::drawManually()
{
    const EventRound chosen = roundOfProgramRow(*m_run.database(), currentProgramNo());
    openManualDraw(this, m_run, chosen.eventNo, chosen.round);
    refresh();
}

void ProgramForm::scheduler()
{
    if (!m_openScheduler)
        return;
    m_openScheduler(this, m_run);
    refresh();
}

void ProgramForm::setReleased(Publication what, bool release)
{
    const qint64 programNo = currentProgramNo();
    if (programNo == 0) {
        m_run.messages().warning(QStringLiteral("Select the Event"));
        return;
    }
    ProgramRelease(*m_run.database(), m_items).setReleased(programNo, what, release);
    refresh();
}

void ProgramForm::incrementRevision(Publication what)
{
    const qint64 programNo = currentProgramNo();
    if (programNo == 0) {
        m_run.messages().warning(QStringLiteral("Select the Event"));
        return;
    }
    ProgramRelease(*m_run.database(), m_items).incrementRevision(programNo, what);
    refresh();
}

void ProgramForm::updatePlacedCounts(bool all)
{
    ProgramRows rows(*m_run.database(), m_run.messages());
    if (all) {
        rows.updatePlacedCounts(m_meetingNo);
    } else if (const qint64 programNo = currentProgramNo()) {
        rows.updatePlacedCount(programNo);
    } else {
        m_run.messages().warning(QStringLiteral("Select the Event"));
    }
}

void ProgramForm::comparePlacedCounts(bool errorsOnly)
{
    ProgramRows rows(*m_run.database(), m_run.messages());
    m_run.messages().information(
        placedCountReport(m_items, rows.comparePlacedCounts(m_meetingNo, errorsOnly), errorsOnly));
}

void openProgram(QWidget* parent, base::Run& run, ProgramForm::Opener openScheduler,
                 const ProgramForm::Opener& openCheckLists)
{
    if (run.currentMeetingNo() <= 0 || !run.database()) {
        run.messages().warning(QStringLiteral("There is no current meeting selected!"));
        return;
    }
    ProgramBreaks(*run.database(), run.messages(), run.currentMeetingNo()).removeDisconnected();
    ProgramForm form(run, parent, std::move(openScheduler));
    base::addOpenerButton(form, run, QStringLiteral("Errors and Chec&klists..."),
                          QObject::tr("Opens the lists that check the meeting for errors"),
                          openCheckLists);
    form.exec();
}

} // namespace draw
