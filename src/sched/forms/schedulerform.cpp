#include "sched/forms/schedulerform.h"

#include "base/asknumber.h"
#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/forms/rowlist.h"
#include "base/forms/screensize.h"
#include "base/run.h"
#include "draw/roundletter.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "sched/forms/clashesform.h"
#include "sched/forms/dayviewform.h"
#include "sched/forms/restguidelinesdialog.h"
#include "sched/forms/timeparamsdialog.h"
#include "sched/packing.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace sched {

namespace {

enum Column { Day, Time, Ends, Seq, Item, Athletes, Duration, ColumnCount };

} // namespace

SchedulerForm::SchedulerForm(base::Run& run, QWidget* parent) : QDialog(parent), m_run(run)
{
    setWindowTitle(run.globals().programTitle() + QStringLiteral(" :  Scheduler"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    m_station = new QComboBox(this);
    m_order = new QComboBox(this);
    for (PackOrder o : chosenPackOrders())
        m_order->addItem(packOrderName(o), int(o));
    auto* stationLabel = new QLabel(QStringLiteral("S&tation:"), this);
    stationLabel->setBuddy(m_station);
    auto* orderLabel = new QLabel(QStringLiteral("&Order:"), this);
    orderLabel->setBuddy(m_order);
    top->addWidget(stationLabel);
    top->addWidget(m_station);
    top->addWidget(orderLabel);
    top->addWidget(m_order);
    top->addStretch();
    layout->addLayout(top);
    m_table = base::rowList(this,
                            {QStringLiteral("Day"), QStringLiteral("Time"), QStringLiteral("Ends"),
                             QStringLiteral("Seq"), QStringLiteral("Item"),
                             QStringLiteral("Athletes"), QStringLiteral("Duration")},
                            Item);
    base::onListKey(m_table, Qt::Key_Return, [this] { pack(); });
    layout->addWidget(m_table, 1);
    m_summary = new QLabel(this);
    layout->addWidget(m_summary);
    auto* buttons = new QHBoxLayout;
    base::addActionButtons(
        buttons, {{QStringLiteral("Time &Parameters..."), [this] { editTimeParameters(); },
                   tr("Sets how long heats, changes and breaks take")},
                  {QStringLiteral("&Resting Guidelines..."), [this] { editRestGuidelines(); },
                   tr("Sets the rest a swimmer should have between two items")},
                  {QStringLiteral("Pac&k from Row..."), [this] { pack(); },
                   tr("Gives the selected row and all after it their day and times (Enter)")},
                  {QStringLiteral("S&hift Times..."), [this] { shift(); },
                   tr("Moves the selected row and all after it by a number of minutes")},
                  {QStringLiteral("&Day View..."), [this] { dayView(); },
                   tr("Shows the timed program of one day as a timeline")},
                  {QStringLiteral("Analyze &Clashes (optional)..."), [this] { analyzeClashes(); },
                   tr("Looks for swimmers and stations that are needed in two places at once")}});
    if (!run.items().isSwimming()) {
        base::addActionButton(
            buttons, QStringLiteral("Start &Field Stations at Random..."),
            tr("Starts every field station at one day and time, its rows in a random order"),
            [this] { startFieldStations(); });
    }
    buttons->addStretch();
    base::addActionButton(buttons, QStringLiteral("Close"), base::closeTip(), [this] { accept(); });
    layout->addLayout(buttons);
    connect(m_station, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(m_order, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    base::resizeWithinDesktop(this, QSize(1050, 720));
    refresh();
}

Station SchedulerForm::station() const
{
    const QStringList key = m_station->currentData().toStringList();
    return key.size() == 2 ? Station{key[0], key[1]} : Station{QStringLiteral("Track__"), {}};
}

PackOrder SchedulerForm::order() const
{
    return PackOrder(m_order->currentData().toInt());
}

qint64 SchedulerForm::currentProgramNo() const
{
    const int row = m_table->currentRow();
    return row >= 0 && row < m_programNos.size() ? m_programNos[row] : 0;
}

bool SchedulerForm::selectProgramRow(qint64 programNo)
{
    const int row = int(m_programNos.indexOf(programNo));
    if (row < 0)
        return false;
    m_table->selectRow(row);
    m_table->setCurrentCell(row, Item);
    return true;
}

void SchedulerForm::refresh()
{
    const qint64 keep = currentProgramNo();
    const StationRows program(m_run);
    {
        const Station shown = station();
        const QSignalBlocker block(m_station);
        m_station->clear();
        for (const Station& s : program.stations())
            m_station->addItem(s.name(), QStringList{s.type, s.pit});
        const int index = m_station->findData(QStringList{shown.type, shown.pit});
        m_station->setCurrentIndex(std::max(index, 0));
    }
    const QList<StationRow> rows = program.of(station(), order());
    m_programNos.clear();
    m_table->setRowCount(0);
    double total = 0;
    for (const StationRow& r : rows) {
        const int row = m_table->rowCount();
        m_table->insertRow(row);
        const QString ends = r.time.isValid() ? timeOfFraction(dayFraction(r.time) + r.duration)
                                                    .toString(QStringLiteral("hh:mm:ss"))
                                              : QString();
        const QStringList cells{
            QString::number(r.day),
            r.time.isValid() ? r.time.toString(QStringLiteral("hh:mm:ss")) : QString(),
            ends,
            QString::number(r.seq),
            m_run.items().ItemDescription(r.itemCode, false) + QStringLiteral("  -  ") +
                draw::heatName(r.format, r.round, r.heatNo),
            QString::number(r.athletes),
            durationText(r.duration)};
        for (int c = 0; c < ColumnCount; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c != Item)
                item->setTextAlignment(Qt::AlignCenter);
            m_table->setItem(row, c, item);
        }
        m_programNos.append(r.programNo);
        total += r.duration;
    }
    m_summary->setText(QString::number(rows.size()) + QStringLiteral(" rows, ") +
                       durationText(total) +
                       QStringLiteral(" of racing without the changeovers. Select a row and "
                                      "pack the station from it."));
    if (!selectProgramRow(keep) && !m_programNos.isEmpty())
        m_table->setCurrentCell(0, Item);
}

void SchedulerForm::editTimeParameters()
{
    TimeParamsDialog dialog(TimeParameters::of(m_run.meeting()), m_run.items().isSwimming(),
                            m_run.messages(), this);
    if (dialog.exec() == QDialog::Accepted && storeTimeParameters(m_run, dialog.values()))
        refresh();
}

void SchedulerForm::editRestGuidelines()
{
    RestGuidelinesDialog dialog(restGuidelinesOf(m_run), m_run.messages(), this);
    if (dialog.exec() == QDialog::Accepted)
        storeRestGuidelines(m_run, dialog.values());
}

void SchedulerForm::pack()
{
    const qint64 programNo = currentProgramNo();
    if (programNo == 0) {
        m_run.messages().warning(QStringLiteral("No Items"));
        return;
    }
    Packing packing(m_run);
    QString dayText = QString::number(packing.lastStartDay());
    if (!m_run.messages().askText(QStringLiteral("Pack from the selected row: starting day"),
                                  &dayText))
        return;
    bool ok = false;
    const int day = dayText.trimmed().toInt(&ok);
    if (!ok || day < 0) {
        m_run.messages().warning(QStringLiteral("Not a day:") + dayText);
        return;
    }
    QString time = packing.lastStartTime();
    if (!m_run.messages().askText(QStringLiteral("Starting time (hh:nn)"), &time))
        return;
    if (packing.pack(station(), order(), programNo, day, time))
        refresh();
}

void SchedulerForm::startFieldStations()
{
    Packing packing(m_run);
    const std::optional<int> day =
        base::askWholeNumber(m_run.messages(), QStringLiteral("Start all field stations: day"),
                             QString::number(packing.lastStartDay()));
    if (!day)
        return;
    QString time = packing.lastStartTime();
    if (!m_run.messages().askText(QStringLiteral("Starting time (hh:nn)"), &time))
        return;
    if (packing.startFieldStationsRandomly(*day, time))
        refresh();
}

void SchedulerForm::shift()
{
    const qint64 programNo = currentProgramNo();
    if (programNo == 0) {
        m_run.messages().warning(QStringLiteral("Select the Event"));
        return;
    }
    const std::optional<int> minutes = base::askWholeNumber(
        m_run.messages(), QStringLiteral("Shift event times: minutes (minus means earlier)"));
    if (minutes && Packing(m_run).shift(station(), order(), programNo, *minutes))
        refresh();
}

void SchedulerForm::dayView()
{
    openDayView(this, m_run);
}

void SchedulerForm::analyzeClashes()
{
    openClashes(this, m_run);
}

void openScheduler(QWidget* parent, base::Run& run)
{
    if (run.currentMeetingNo() <= 0 || !run.database()) {
        run.messages().warning(QStringLiteral("There is no current meeting selected!"));
        return;
    }
    SchedulerForm form(run, parent);
    form.exec();
}

} // namespace sched
