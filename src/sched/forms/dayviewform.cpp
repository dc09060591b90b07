#include "sched/forms/dayviewform.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/forms/screensize.h"
#include "base/run.h"
#include "draw/roundletter.h"
#include "meeting/itemtypes.h"
#include "sched/clashreport.h"
#include "sched/forms/daytimeline.h"
#include "sched/restguidelines.h"

#include <QComboBox>
#include <QCompleter>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace sched {

namespace {

QString rowLabel(const meeting::ItemTypes& items, const StationRow& r)
{
    return r.time.toString(QStringLiteral("hh:mm")) + QStringLiteral("  ") +
           items.ItemDescription(r.itemCode, false) + QStringLiteral(" - ") +
           draw::heatName(r.format, r.round, r.heatNo);
}

} // namespace

DayViewForm::DayViewForm(base::Run& run, QWidget* parent)
    : QDialog(parent), m_run(run), m_plan(std::make_unique<DayPlan>(run))
{
    setWindowTitle(run.globals().programTitle() + QStringLiteral(" :  Day View"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    m_day = new QComboBox(this);
    for (int day : m_plan->days())
        m_day->addItem(QStringLiteral("Day ") + QString::number(day), day);
    m_swimmer = new QComboBox(this);
    m_swimmer->setEditable(true);
    m_swimmer->setInsertPolicy(QComboBox::NoInsert);
    m_swimmer->completer()->setFilterMode(Qt::MatchContains);
    m_swimmer->completer()->setCompletionMode(QCompleter::PopupCompletion);
    m_swimmer->addItem(QStringLiteral("(nobody)"), 0);
    for (const Entrant& e : m_plan->entrants())
        m_swimmer->addItem(e.name, e.athleteNo);
    m_swimmer->setMinimumWidth(280);
    auto* dayLabel = new QLabel(QStringLiteral("&Day:"), this);
    dayLabel->setBuddy(m_day);
    auto* swimmerLabel = new QLabel(QStringLiteral("&Swimmer:"), this);
    swimmerLabel->setBuddy(m_swimmer);
    top->addWidget(dayLabel);
    top->addWidget(m_day);
    top->addSpacing(16);
    top->addWidget(swimmerLabel);
    top->addWidget(m_swimmer, 1);
    layout->addLayout(top);
    m_summary = new QLabel(this);
    layout->addWidget(m_summary);
    auto* split = new QSplitter(Qt::Vertical, this);
    m_scroll = new QScrollArea(split);
    m_timeline = new DayTimeline;
    m_scroll->setWidget(m_timeline);
    m_scroll->setWidgetResizable(true);
    // The timeline keeps its hours at the top of the view: scrolling repaints it whole.
    connect(m_scroll->verticalScrollBar(), &QScrollBar::valueChanged, m_timeline,
            qOverload<>(&QWidget::update));
    m_rests = new QTableWidget(0, 5, split);
    m_rests->setHorizontalHeaderLabels({QStringLiteral("Item 1"), QStringLiteral("Item 2"),
                                        QStringLiteral("Desired"), QStringLiteral("Actual"),
                                        QStringLiteral("Factor")});
    m_rests->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_rests->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_rests->verticalHeader()->hide();
    m_rests->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_rests->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    split->addWidget(m_scroll);
    split->addWidget(m_rests);
    split->setStretchFactor(0, 4);
    split->setStretchFactor(1, 1);
    // The day is what the view is for; the list of rests needs a few lines.
    split->setSizes({560, 170});
    layout->addWidget(split, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    base::addActionButton(buttons, QStringLiteral("Close"), base::closeTip(), [this] { accept(); });
    layout->addLayout(buttons);
    connect(m_day, &QComboBox::currentIndexChanged, this,
            [this] { showDay(m_day->currentData().toInt()); });
    connect(m_swimmer, &QComboBox::currentIndexChanged, this, [this] { refreshMarks(); });
    connect(m_swimmer->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { chooseTypedSwimmer(); });
    base::resizeWithinDesktop(this, QSize(1200, 800));
    showDay(m_day->count() > 0 ? m_day->itemData(0).toInt() : 0);
}

void DayViewForm::showDay(int day)
{
    const int index = m_day->findData(day);
    if (index >= 0 && index != m_day->currentIndex()) {
        m_day->setCurrentIndex(index); // comes back here through the signal
        return;
    }
    QList<TimelineRow> rows;
    for (const StationRow& r : m_plan->rowsOf(day))
        rows.append({r.programNo, rowLabel(m_run.items(), r), dayFraction(r.time), r.duration});
    m_timeline->setRows(rows);
    refreshMarks();
}

void DayViewForm::showAthlete(qint64 athleteNo)
{
    const int index = m_swimmer->findData(athleteNo);
    m_swimmer->setCurrentIndex(std::max(index, 0));
    refreshMarks();
}

QString DayViewForm::summary() const
{
    return m_summary->text();
}

void DayViewForm::chooseTypedSwimmer()
{
    // Part of a name is enough: the first swimmer whose name holds it.
    const QString typed = m_swimmer->currentText().trimmed();
    const int current = m_swimmer->currentIndex();
    if (typed.isEmpty() || (current >= 0 && m_swimmer->itemText(current) == typed))
        return;
    for (int i = 1; i < m_swimmer->count(); ++i) {
        if (m_swimmer->itemText(i).contains(typed, Qt::CaseInsensitive)) {
            if (i == current)
                m_swimmer->setEditText(m_swimmer->itemText(i));
            else
                m_swimmer->setCurrentIndex(i); // refreshes through the signal
            return;
        }
    }
    m_swimmer->setEditText(m_swimmer->itemText(std::max(current, 0)));
}

QString DayViewForm::daySpan() const
{
    const QList<TimelineRow>& rows = m_timeline->rows();
    if (rows.isEmpty())
        return QStringLiteral("No timed rows on this day.");
    double first = rows.first().start;
    double last = 0;
    for (const TimelineRow& r : rows) {
        first = std::min(first, r.start);
        last = std::max(last, r.start + r.duration);
    }
    return QString::number(rows.size()) + QStringLiteral(" rows from ") +
           timeOfFraction(first).toString(QStringLiteral("hh:mm")) + QStringLiteral(" to ") +
           timeOfFraction(last).toString(QStringLiteral("hh:mm")) + QStringLiteral(".");
}

void DayViewForm::refreshMarks()
{
    const qint64 athleteNo = m_swimmer->currentData().toLongLong();
    const int day = m_day->currentData().toInt();
    const int rows = int(m_timeline->rows().size());
    if (athleteNo == 0) {
        m_timeline->setMarked({}, {});
        m_rests->setRowCount(0);
        m_summary->setText(daySpan() + QStringLiteral(" Choose a swimmer (or type part of a "
                                                      "name) to see their events and rests."));
        return;
    }
    const QSet<qint64> mine = m_plan->rowsOfAthlete(athleteNo);
    const bool measured = m_plan->emptyGuidelines().isEmpty();
    if (!measured && !m_emptyGuidelinesShown) {
        // Once per view: an empty guideline would read as no rest needed at all.
        m_emptyGuidelinesShown = true;
        checkNoEmptyGuidelines(m_run);
    }
    QList<RestPair> rests = m_plan->restsOf(athleteNo);
    m_timeline->setMarked(mine, rests);
    std::stable_sort(rests.begin(), rests.end(),
                     [](const RestPair& a, const RestPair& b) { return a.factor < b.factor; });
    auto label = [this](qint64 programNo) {
        const StationRow* r = m_plan->program().find(programNo);
        return r ? QStringLiteral("Day ") + QString::number(r->day) + QLatin1Char(' ') +
                       rowLabel(m_run.items(), *r)
                 : QString();
    };
    m_rests->setRowCount(0);
    int clashes = 0;
    for (const RestPair& p : rests) {
        const int row = m_rests->rowCount();
        m_rests->insertRow(row);
        const bool tooShort = p.factor < 100 && p.desired > 0;
        clashes += tooShort ? 1 : 0;
        const QStringList cells{label(p.programNo1), label(p.programNo2),
                                minutesText(p.desired * 1440.0), minutesText(p.actual * 1440.0),
                                QString::number(p.factor, 'f', 0)};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (tooShort)
                item->setForeground(QColor(214, 39, 40));
            m_rests->setItem(row, c, item);
        }
    }
    int onDay = 0;
    for (const TimelineRow& r : m_timeline->rows())
        onDay += mine.contains(r.programNo) ? 1 : 0;
    m_summary->setText(
        m_swimmer->currentText() + QStringLiteral(": ") + QString::number(onDay) +
        QStringLiteral(" of ") + QString::number(mine.size()) + QStringLiteral(" events on day ") +
        QString::number(day) +
        (measured ? QStringLiteral(", ") + QString::number(clashes) +
                        (clashes == 1 ? QStringLiteral(" rest") : QStringLiteral(" rests")) +
                        QStringLiteral(" shorter than the guideline.")
                  : QStringLiteral(". Rests are not measured while resting guidelines are "
                                   "empty: fill them in under Resting Guidelines.")));
    // Bring the swimmer's first event of the day into view.
    for (int i = 0; i < rows; ++i) {
        if (mine.contains(m_timeline->rows()[i].programNo)) {
            m_scroll->verticalScrollBar()->setValue(std::max(0, m_timeline->lineTop(i) - 60));
            break;
        }
    }
}

void openDayView(QWidget* parent, base::Run& run)
{
    DayViewForm form(run, parent);
    form.exec();
}

} // namespace sched
