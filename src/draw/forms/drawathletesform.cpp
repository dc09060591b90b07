#include "draw/forms/drawathletesform.h"

#include "base/forms/rowlist.h"

#include "base/appglobals.h"
#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/forms/screensize.h"
#include "base/run.h"
#include "draw/drawall.h"
#include "draw/drawround.h"
#include "draw/forms/drawextras.h"
#include "draw/forms/hotseatsform.h"
#include "draw/forms/lateathleteform.h"
#include "draw/forms/listwindow.h"
#include "draw/forms/manualdrawmenu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace draw {

DrawAthletesForm::DrawAthletesForm(base::Run& run, QWidget* parent) : QDialog(parent), m_run(run)
{
    setWindowTitle(run.globals().programTitle() + QStringLiteral(" :  Draw Athletes"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("Draw the first rounds of all events together before the meeting; draw "
                       "the later rounds\nof an event when its previous round is placed. "
                       "Enter draws the chosen round."),
        this));
    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setHorizontalHeaderLabels({QStringLiteral("Item"), QStringLiteral("Heat format"),
                                        QStringLiteral("Entries"),
                                        QStringLiteral("Last round drawn")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(Item, QHeaderView::Stretch);
    connect(m_table, &QTableWidget::currentCellChanged, this, [this] { fillRounds(); });
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this] { showDrawInformation(); });
    base::onListKey(m_table, Qt::Key_Return, [this] { drawRound(); });
    layout->addWidget(m_table, 1);

    auto* all = new QGridLayout;
    base::addActionButton(all, 0, 0, QStringLiteral("Draw &all the first rounds for all events"),
                          tr("Draws the first round of every event of the meeting"),
                          [this] { drawAllFirstRounds(); });
    base::addActionButton(all, 0, 1, QStringLiteral("Draw all the Co&mbined Items"),
                          tr("Draws every combined item of the meeting"),
                          [this] { drawAllCombined(); });
    layout->addLayout(all);

    auto* one = new QHBoxLayout;
    auto* roundLabel = new QLabel(QStringLiteral("&Round:"), this);
    m_round = new QComboBox(this);
    roundLabel->setBuddy(m_round);
    one->addWidget(roundLabel);
    one->addWidget(m_round);
    base::addActionButton(one, QStringLiteral("&Draw this Round"),
                          tr("Draws the chosen round of the selected event (Enter)"),
                          [this] { drawRound(); });
    base::addActionButton(one, QStringLiteral("Draw &Information"),
                          tr("Shows how the chosen round was drawn (or double-click the event)"),
                          [this] { showDrawInformation(); });
    base::addActionButton(one, QStringLiteral("C&lear the Draw"),
                          tr("Takes every athlete of the chosen round out of the draw"),
                          [this] { clearRound(); });
    m_details = new QCheckBox(QStringLiteral("&Show the Draw Information after a draw"), this);
    one->addWidget(m_details);
    one->addStretch(1);
    layout->addLayout(one);

    // The corrections of a drawn round.
    auto* fixes = new QHBoxLayout;
    base::addActionButton(fixes, QStringLiteral("Athletes &NOT Drawn"),
                          tr("Puts late entries of the selected event into a heat and lane"),
                          [this] { addLate(); });
    base::addActionButton(fixes, QStringLiteral("&HotSeats"),
                          tr("Replaces a drawn athlete who cannot start by one waiting"),
                          [this] { hotSeats(); });
    base::addActionButton(fixes, QStringLiteral("Draw al&phabetically"),
                          tr("Draws the chosen round in the order of the surnames"),
                          [this] { drawAlphabetical(); });
    base::addActionButton(fixes, QStringLiteral("&Call-room draw"),
                          tr("Draws the chosen round in the order the athletes reported"),
                          [this] { callRoomDraw(); });
    base::addActionButton(fixes, QStringLiteral("Draw Manuall&y"),
                          tr("Opens the hand draw of the chosen round"),
                          [this] { drawManually(); });
    fixes->addStretch(1);
    base::addActionButton(fixes, QStringLiteral("Close"), base::closeTip(), [this] { accept(); });
    layout->addLayout(fixes);
    base::resizeWithinDesktop(this, QSize(820, 560));
    refresh();
    m_table->setFocus();
}

void DrawAthletesForm::refresh()
{
    const qint64 keep = current() ? current()->eventNo : 0;
    m_states = eventDrawStates(*m_run.database(), m_run.items(), m_run.currentMeetingNo());
    m_table->setRowCount(int(m_states.size()));
    for (int row = 0; row < m_states.size(); ++row) {
        const EventDrawState& s = m_states[row];
        const QStringList cells{s.title,
                                s.format.isEmpty() ? QStringLiteral("(final only)") : s.format,
                                QString::number(s.entries), s.lastRoundDrawn};
        for (int column = 0; column < ColumnCount; ++column)
            m_table->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    if (!selectEvent(keep) && !m_states.isEmpty())
        m_table->setCurrentCell(0, 0);
    fillRounds();
}

bool DrawAthletesForm::selectEvent(qint64 eventNo)
{
    return base::selectEntry(m_table, m_states,
                             [eventNo](const auto& state) { return state.eventNo == eventNo; });
}

void DrawAthletesForm::selectRound(const QString& round)
{
    const int index = m_round->findData(round);
    if (index >= 0)
        m_round->setCurrentIndex(index);
}

const EventDrawState* DrawAthletesForm::current() const
{
    const int row = m_table->currentRow();
    return row >= 0 && row < m_states.size() ? &m_states[row] : nullptr;
}

void DrawAthletesForm::fillRounds()
{
    m_round->clear();
    const EventDrawState* s = current();
    if (!s)
        return;
    const QStringList rounds = roundsOf(s->format);
    for (const QString& r : rounds)
        m_round->addItem(
            r == QLatin1String("F") ? QStringLiteral("Final") : QStringLiteral("Round ") + r, r);
    // The round after the last one drawn is the one to draw next.
    const int last = int(rounds.indexOf(s->lastRoundDrawn));
    m_round->setCurrentIndex(std::min(int(rounds.size()) - 1, last + 1));
}

void DrawAthletesForm::drawAllFirstRounds()
{
    DrawRandom random;
    DrawEngine engine(*m_run.database(), m_run.items(), m_run.meeting(), random);
    DrawAll(engine).firstRounds();
    refresh();
}

void DrawAthletesForm::drawAllCombined()
{
    DrawRandom random;
    DrawEngine engine(*m_run.database(), m_run.items(), m_run.meeting(), random);
    DrawAll(engine).combinedItems();
    refresh();
}

void DrawAthletesForm::drawRound()
{
    const EventDrawState* s = current();
    if (!s) {
        m_run.messages().warning(QStringLiteral("Select an Item first."));
        return;
    }
    const QString round = m_round->currentData().toString();
    DrawRandom random;
    DrawEngine engine(*m_run.database(), m_run.items(), m_run.meeting(), random);
    const DrawOutcome outcome = RoundDrawing(engine).drawRound(s->eventNo, round);
    refresh();
    if (outcome == DrawOutcome::Drawn && m_details->isChecked()) {
        selectRound(round);
        showDrawInformation();
    }
}

void DrawAthletesForm::clearRound()
{
    const EventDrawState* s = current();
    if (!s)
        return;
    const QString round = m_round->currentData().toString();
    DrawRandom random;
    DrawEngine engine(*m_run.database(), m_run.items(), m_run.meeting(), random);
    RoundDrawing(engine).clearRound(s->eventNo, round);
    refresh();
    selectRound(round);
}

void DrawAthletesForm::addLate()
{
    if (const EventDrawState* s = current()) {
        openLateAthletes(this, m_run, s->eventNo);
        refresh();
    }
}

void DrawAthletesForm::hotSeats()
{
    if (const EventDrawState* s = current())
        openHotSeats(this, m_run, s->eventNo, m_round->currentData().toString());
}

void DrawAthletesForm::drawAlphabetical()
{
    if (const EventDrawState* s = current()) {
        drawAlphabeticallyAsked(m_run, s->eventNo);
        refresh();
    }
}

void DrawAthletesForm::callRoomDraw()
{
    if (const EventDrawState* s = current()) {
        const QString round = m_round->currentData().toString();
        drawFromCallRoom(m_run, s->eventNo, round);
        refresh();
        selectRound(round);
    }
}

void DrawAthletesForm::drawManually()
{
    const EventDrawState* s = current();
    openManualDraw(this, m_run, s ? s->eventNo : 0, m_round->currentData().toString());
    refresh();
}

ListWindow* DrawAthletesForm::showDrawInformation()
{
    const EventDrawState* s = current();
    if (!s)
        return nullptr;
    QString round = m_round->currentData().toString();
    QList<DrawnAthlete> athletes =
        drawnAthletes(*m_run.database(), m_run.currentMeetingNo(), s->eventNo, round);
    // The round box offers the round to draw next; its listing falls back to the last drawn.
    if (athletes.isEmpty() && !s->lastRoundDrawn.isEmpty() && s->lastRoundDrawn != round) {
        round = s->lastRoundDrawn;
        athletes = drawnAthletes(*m_run.database(), m_run.currentMeetingNo(), s->eventNo, round);
    }
    if (athletes.isEmpty()) {
        m_run.messages().information(QStringLiteral("Round ") + round + QStringLiteral(" of ") +
                                     s->title + QStringLiteral(" is not drawn yet."));
        return nullptr;
    }
    const QStringList lines = drawInformationLines(athletes);
    const QString roundName =
        round == QLatin1String("F") ? QStringLiteral("Final") : QStringLiteral("Round ") + round;
    ListWindow* window = ListWindow::showList(this, QStringLiteral("Draw Information"),
                                              s->title + QStringLiteral("   ") + roundName +
                                                  QLatin1Char('\n') + lines.first(),
                                              lines.mid(1));
    base::resizeWithinDesktop(
        window, QSize(std::max(window->width(), 960), std::max(window->height(), 560)));
    return window;
}

void openDrawAthletes(QWidget* parent, base::Run& run)
{
    if (run.currentMeetingNo() <= 0 || !run.database()) {
        run.messages().warning(QStringLiteral("There is no current meeting selected!"));
        return;
    }
    DrawAthletesForm form(run, parent);
    form.exec();
}

} // namespace draw
