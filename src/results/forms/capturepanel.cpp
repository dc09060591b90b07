#include "results/forms/capturepanel.h"

#include "base/forms/buttontips.h"
#include "results/forms/tagcelldelegate.h"

#include "base/run.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "results/calcstate.h"
#include "results/forms/capturecolours.h"
#include "results/forms/disqualifydialog.h"
#include "results/forms/editperformancedialog.h"
#include "results/forms/perfhistoryform.h"
#include "results/forms/resultprinter.h"
#include "results/forms/thirddigitdialog.h"
#include "results/raceactions.h"
#include "results/resultedit.h"
#include "results/resultsheet.h"
#include "results/statuscodes.h"
#include "results/thirddigits.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace results {

namespace {
enum Column {
    Lane,
    EPlace,
    Name,
    Team,
    Age,
    Performance,
    Digit,
    Status,
    Place,
    Share,
    Reason,
    ColumnCount
};

QColor digitColour(ThirdDigitState state)
{
    switch (state) {
    case ThirdDigitState::Done:
        return tagColour(TagColour::Green);
    case ThirdDigitState::Needed:
        return tagColour(TagColour::Red);
    case ThirdDigitState::NotWanted:
        return tagColour(TagColour::Yellow);
    case ThirdDigitState::Nothing:
        break;
    }
    return QColor();
}

QString number(int value)
{
    return value > 0 ? QString::number(value) : QString();
}
} // namespace

CapturePanel::CapturePanel(base::Run& run, bool complexView, QWidget* parent)
    : QWidget(parent), m_run(run), m_complex(complexView)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* top = new QHBoxLayout;
    m_caption = new QLabel(this);
    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setFont(bold);
    top->addWidget(m_caption, 1);
    top->addWidget(new QLabel(QStringLiteral("Order athletes by:"), this));
    m_order = new QComboBox(this);
    m_order->addItem(QStringLiteral("Lane"), int(draw::MemberOrder::Lane));
    m_order->addItem(QStringLiteral("Place"), int(draw::MemberOrder::Status));
    m_order->addItem(QStringLiteral("Surname"), int(draw::MemberOrder::Surname));
    top->addWidget(m_order);
    m_publish = new QPushButton(QStringLiteral("&Publish..."), this);
    m_publish->setAutoDefault(false);
    m_publish->setToolTip(tr("Opens the publishing of this event's start list and results"));
    m_publish->hide();
    connect(m_publish, &QPushButton::clicked, this, [this] {
        if (m_row && m_publisher) {
            m_publisher(this, m_run, m_row->programNo);
            refresh();
        }
    });
    top->addWidget(m_publish);
    layout->addLayout(top);
    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("Lane"), QStringLiteral("E.Place"), QStringLiteral("Name"),
         QStringLiteral("Team"), QStringLiteral("Age"), QStringLiteral("Performance"),
         QStringLiteral("3rd"), QStringLiteral("Status"), QStringLiteral("Place"),
         QStringLiteral("Share"), QStringLiteral("Reason")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->setItemDelegate(new TagCellDelegate(m_table));
    m_table->horizontalHeader()->setSectionResizeMode(Name, QHeaderView::Stretch);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this] { editPerformance(); });
    layout->addWidget(m_table, 1);
    connect(m_order, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    takeKeysFrom(m_order);
}

void CapturePanel::setPublisher(Publisher publisher)
{
    m_publisher = std::move(publisher);
    m_publish->setVisible(bool(m_publisher));
}

draw::MemberOrder CapturePanel::order() const
{
    return draw::MemberOrder(m_order->currentData().toInt());
}

void CapturePanel::setProgramRow(const std::optional<CaptureProgramRow>& row)
{
    m_row = row;
    m_athletes.clear();
    if (m_row)
        m_athletes = captureAthletes(*m_run.database(), m_run.items(), *m_row, order());
    fill();
    if (!m_athletes.isEmpty())
        m_table->selectRow(0);
}

void CapturePanel::refresh()
{
    const qint64 keep = currentAthlete().athleteNo;
    if (m_row)
        m_row = captureProgramRow(*m_run.database(), m_run.items(), m_row->programNo);
    m_athletes.clear();
    if (m_row)
        m_athletes = captureAthletes(*m_run.database(), m_run.items(), *m_row, order());
    fill();
    selectAthlete(keep);
}

void CapturePanel::fill()
{
    m_caption->setText(m_row ? m_row->item + QStringLiteral("  -  ") + m_row->heatText()
                             : QStringLiteral("No program row selected"));
    m_table->setRowCount(int(m_athletes.size()));
    for (int r = 0; r < m_athletes.size(); ++r) {
        const CaptureAthleteRow& a = m_athletes[r];
        const QString status =
            a.status > 0 ? DisqStatusAbbrev(m_run.messages(), a.status) : QString();
        const QStringList cells{number(a.lane),  number(a.ePlace),     a.name(),     a.teamName,
                                number(a.age),   a.performance,        a.thirdDigit, status,
                                number(a.place), number(a.shareCount), a.reason};
        for (int c = 0; c < ColumnCount; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c == Digit || c == Performance) {
                const QColor colour = digitColour(a.digitState);
                if (colour.isValid()) {
                    item->setBackground(colour);
                    item->setToolTip(thirdDigitStateText(a.digitState));
                }
            }
            m_table->setItem(r, c, item);
        }
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setSectionResizeMode(Name, QHeaderView::Stretch);
}

CaptureAthleteRow CapturePanel::currentAthlete() const
{
    const int r = m_table->currentRow();
    if (r < 0 || r >= m_athletes.size())
        return CaptureAthleteRow();
    return m_athletes[r];
}

void CapturePanel::selectAthlete(qint64 athleteNo)
{
    for (int r = 0; r < m_athletes.size(); ++r) {
        if (m_athletes[r].athleteNo == athleteNo) {
            m_table->selectRow(r);
            return;
        }
    }
    if (!m_athletes.isEmpty())
        m_table->selectRow(0);
}

void CapturePanel::afterChange(qint64 keepAthleteNo)
{
    refresh();
    selectAthlete(keepAthleteNo);
    emit changed();
    // The keyboard goes on in the list of athletes, whatever had the focus before.
    m_table->setFocus();
}

bool CapturePanel::handleKey(int key)
{
    switch (key) {
    case Qt::Key_F3:
        performanceHistory();
        return true;
    case Qt::Key_F4:
        disqualify();
        return true;
    case Qt::Key_F5:
        editWind();
        return true;
    case Qt::Key_F6:
        clearStatus();
        return true;
    case Qt::Key_F7:
        editPerformance();
        return true;
    case Qt::Key_F8:
        runthrough();
        return true;
    case Qt::Key_F9:
        calculatePlaces();
        return true;
    case Qt::Key_F10:
        editThirdDigit();
        return true;
    case Qt::Key_F11:
        printResults(false);
        return true;
    case Qt::Key_F12:
        printResults(true);
        return true;
    default:
        return false;
    }
}

void CapturePanel::takeKeysFrom(QWidget* widget)
{
    widget->installEventFilter(this);
}

bool CapturePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key >= Qt::Key_F3 && key <= Qt::Key_F12 && handleKey(key))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool CapturePanel::mayEditRow()
{
    if (!m_row) {
        m_run.messages().warning(QStringLiteral("Select a Heat or Final first"));
        return false;
    }
    return true;
}

bool CapturePanel::editAthlete(const CaptureAthleteRow& athlete)
{
    ResultCapture capture(m_run);
    if (!capture.mayEdit(*m_row))
        return false;
    const QString itemCode = capture.itemCodeFor(*m_row, athlete);
    const meeting::ItemTypes& items = m_run.items();
    EditPerformanceDialog::Setup setup;
    setup.caption = athlete.caption();
    setup.mask = items.PerfMask(itemCode);
    setup.formatName = items.PerfFormatName(itemCode);
    setup.windPerJump = items.WindKind(itemCode) == 2;
    setup.placeRequired = items.IsVerticalJump(itemCode);
    setup.reasonPrompt =
        reasonPromptOf(m_run.config().readText(QStringLiteral("DISQ_REASON_WHEN_TO_PROMPT")));
    EditPerformanceDialog dialog(
        setup, entryOf(athlete),
        [&capture, &itemCode](ResultEntry& entry) { return capture.check(itemCode, entry); }, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const bool saved = capture.save(*m_row, athlete, dialog.entry());
    afterChange(athlete.athleteNo);
    return saved;
}

void CapturePanel::editPerformance()
{
    if (!mayEditRow())
        return;
    const CaptureAthleteRow athlete = currentAthlete();
    if (athlete.key <= 0) {
        m_run.messages().warning(QStringLiteral("No athlete to edit"));
        return;
    }
    if (m_complex && m_row->isCalculatedFinal()) {
        m_run.messages().information(
            QStringLiteral("This is a calculated final.  You can only edit ThirdDigits."));
        editThirdDigit();
        return;
    }
    if (m_complex && m_row->isFinal() && m_row->nAthlon > 0 &&
        m_run.items().IsNathlon(m_row->itemCode) &&
        !m_run.messages().confirm(
            QStringLiteral("This is the final of a n-Athlon.\r"
                           "You should get the results using \"Calculate\".\r"
                           "Do you want to continue editing the performance anyway")))
        return;
    editAthlete(athlete);
}

void CapturePanel::runthrough()
{
    if (!mayEditRow())
        return;
    if (order() != draw::MemberOrder::Lane) {
        m_run.messages().warning(
            QStringLiteral("The athletes must be \"Ordered\" by \"Lane\" for this option."));
        return;
    }
    if (!ResultCapture(m_run).mayEdit(*m_row))
        return;
    // The list is read once: each edit refreshes it, but the walk goes on in lane order.
    const QList<CaptureAthleteRow> inLaneOrder = m_athletes;
    // In a drawn race those without a lane (listed last) did not swim it: the walk ends
    // with the last lane. An undrawn race is walked whole.
    const bool drawn = std::any_of(inLaneOrder.begin(), inLaneOrder.end(),
                                   [](const CaptureAthleteRow& a) { return a.lane > 0; });
    for (const CaptureAthleteRow& listed : inLaneOrder) {
        if (drawn && listed.lane <= 0)
            return;
        selectAthlete(listed.athleteNo);
        const CaptureAthleteRow athlete = currentAthlete();
        if (athlete.athleteNo != listed.athleteNo || !editAthlete(athlete))
            return;
    }
}

void CapturePanel::calculatePlaces()
{
    if (!mayEditRow())
        return;
    const qint64 keep = currentAthlete().athleteNo;
    results::calculatePlaces(m_run, m_row->programNo);
    afterChange(keep);
}

void CapturePanel::editWind()
{
    if (!mayEditRow())
        return;
    RaceActions actions(m_run);
    if (!actions.mayEditRaceWind(*m_row))
        return;
    QString wind = m_row->wind;
    if (!m_run.messages().askText(
            QStringLiteral("Windspeed (eg:  -2.5 or +2.5 ).  Leave it empty to wipe the "
                           "Windspeed, indicating that it is not entered"),
            &wind))
        return;
    if (actions.setRaceWind(*m_row, wind))
        afterChange(currentAthlete().athleteNo);
}

void CapturePanel::performanceHistory()
{
    if (!mayEditRow())
        return;
    PerfHistory history(*m_run.database(), m_run.items(), m_run.meeting());
    const std::optional<FieldRace> race = history.race(m_row->eventNo, m_row->round, m_row->heatNo);
    if (!race)
        return;
    const qint64 keep = currentAthlete().athleteNo;
    PerfHistoryForm form(m_run, *m_row, *race, this);
    form.exec();
    // "Calculate" there wrote results and places: the program row shows them too.
    afterChange(keep);
}

void CapturePanel::disqualify()
{
    if (!mayEditRow())
        return;
    const CaptureAthleteRow athlete = currentAthlete();
    RaceActions actions(m_run);
    if (athlete.key <= 0) {
        actions.disqualify(*m_row, athlete, 0);
        return;
    }
    const std::optional<int> code = SelectDisqStatus(m_run.messages(), this);
    if (code && actions.disqualify(*m_row, athlete, *code))
        afterChange(athlete.athleteNo);
}

void CapturePanel::clearStatus()
{
    if (!mayEditRow())
        return;
    const CaptureAthleteRow athlete = currentAthlete();
    if (RaceActions(m_run).clearStatus(*m_row, athlete))
        afterChange(athlete.athleteNo);
}

void CapturePanel::editThirdDigit()
{
    if (!mayEditRow())
        return;
    ThirdDigits digits(m_run);
    if (!digits.mayEdit(*m_row))
        return;
    const CaptureAthleteRow athlete = currentAthlete();
    const QList<ThirdDigitLine> grid = digits.grid(*m_row, m_athletes);
    if (grid.size() > 1) {
        ThirdDigitDialog dialog(grid, this);
        if (dialog.exec() == QDialog::Accepted &&
            digits.setDigits(*m_row, m_athletes, dialog.lines()))
            afterChange(athlete.athleteNo);
        return;
    }
    if (athlete.key <= 0) {
        m_run.messages().warning(QStringLiteral("No athlete to edit"));
        return;
    }
    QString digit = athlete.thirdDigit;
    if (m_run.messages().askText(QStringLiteral("Enter a digit"), &digit) &&
        digits.setDigit(*m_row, athlete, digit.trimmed()))
        afterChange(athlete.athleteNo);
}

void CapturePanel::printResults(bool preview)
{
    if (!mayEditRow())
        return;
    if (m_row->notCalculated &&
        !m_run.messages().confirm(QStringLiteral("The Event is not Calculated yet: Print anyway")))
        return;
    const QString stem = QStringLiteral("Results_") + QString::number(m_row->programNo);
    m_lastPrint = printResultSheet(m_run, resultSheet(m_run, *m_row), preview, stem);
    RaceActions(m_run).setResultsPrinted(*m_row, true, false);
    afterChange(currentAthlete().athleteNo);
}

void CapturePanel::clearResultsPrinted()
{
    if (mayEditRow() && RaceActions(m_run).setResultsPrinted(*m_row, false))
        afterChange(currentAthlete().athleteNo);
}

void CapturePanel::setQueried(bool queried)
{
    if (mayEditRow() && RaceActions(m_run).setQueried(*m_row, queried))
        afterChange(currentAthlete().athleteNo);
}

void CapturePanel::setNoEntries(bool noEntries)
{
    if (mayEditRow() && RaceActions(m_run).setNoEntries(*m_row, noEntries))
        afterChange(currentAthlete().athleteNo);
}

void CapturePanel::setTiming(int elecHand)
{
    if (mayEditRow() && RaceActions(m_run).setTiming(*m_row, elecHand))
        afterChange(currentAthlete().athleteNo);
}

void CapturePanel::deleteParticipation()
{
    if (mayEditRow() && RaceActions(m_run).deleteParticipation(*m_row, currentAthlete()))
        afterChange(0);
}

void CapturePanel::deleteAthlete()
{
    if (mayEditRow() && RaceActions(m_run).deleteAthlete(*m_row, currentAthlete()))
        afterChange(0);
}

} // namespace results
