#include "entries/forms/evententriesform.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"

#include "base/forms/screensize.h"
#include "base/messages.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "entries/forms/athletedialog.h"
#include "entries/forms/entrytables.h"
#include "entries/nathlons.h"
#include "entries/relayteams.h"
#include "entries/teams.h"
#include "meeting/edition.h"
#include "meeting/itemtypes.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace entries {

EventEntriesForm::EventEntriesForm(base::Run& run, QWidget* parent, HeatShortfallCheck tooFew)
    : QDialog(parent), m_run(run), m_settings(EntrySettings::from(run.meeting())),
      m_items(std::make_unique<meeting::ItemTypes>(
          meeting::editionOf(run.globals().applicationCode()), run.messages())),
      m_events(*run.database(), m_settings, *m_items), m_tooFew(std::move(tooFew)),
      m_mode(new QComboBox), m_order(new QComboBox), m_seek(new QLineEdit), m_hidden(new QLabel),
      m_eventTable(makeEntryTable(
          {tr("Seq"), tr("Item"), run.globals().personWord() + tr("s"), tr("Heats"), tr("Check")})),
      m_entryTable(makeEntryTable({tr("Name"), tr("Team"), tr("Best"), tr("Number"),
                                   tr("Birthdate"), tr("Call room"), tr("Heat"), tr("Lane")},
                                  0)),
      m_candidates(new QListWidget)
{
    const QString person = run.globals().personWord();
    setWindowTitle(tr("Participation per Item"));
    base::resizeWithinDesktop(this, QSize(1200, 720));
    m_mode->addItems({tr("Plain"), tr("Relay")});
    m_order->addItems({tr("By sequence"), tr("By order code")});
    m_seek->setPlaceholderText(tr("number, Enter"));
    m_seek->setMaximumWidth(140);
    connect(m_mode, &QComboBox::currentIndexChanged, this,
            [this](int index) { setRelayMode(index == 1); });
    connect(m_order, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(m_seek, &QLineEdit::returnPressed, this, [this] {
        bool ok = false;
        const int sequence = m_seek->text().trimmed().toInt(&ok);
        if (ok)
            seek(sequence);
    });
    auto* top = new QHBoxLayout;
    auto* modeLabel = new QLabel(tr("&Mode"));
    modeLabel->setBuddy(m_mode);
    auto* seekLabel = new QLabel(tr("Seek &Sequence"));
    seekLabel->setBuddy(m_seek);
    top->addWidget(modeLabel);
    top->addWidget(m_mode);
    top->addWidget(m_order);
    top->addWidget(seekLabel);
    top->addWidget(m_seek);
    top->addWidget(m_hidden, 1);
    auto* buttons = new QHBoxLayout;
    auto button = [this, buttons](const QString& text, const QString& tip,
                                  void (EventEntriesForm::*slot)()) {
        auto* b = new QPushButton(text);
        b->setToolTip(tip);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
        return b;
    };
    const QString who = person.toLower();
    m_enterButton = button(tr("&Enter ") + person,
                           tr("Enters the highlighted ") + who +
                               tr(" into the item, asking the "
                                  "best time"),
                           &EventEntriesForm::enterCandidate);
    m_newButton = button(tr("&New ") + person + tr("..."),
                         tr("Adds a new ") + who + tr(" and enters them into the item"),
                         &EventEntriesForm::newSwimmer);
    button(tr("E&dit ") + person + tr("..."), tr("Changes the highlighted ") + who,
           &EventEntriesForm::editSwimmer);
    button(tr("&Remove from item"), tr("Takes the highlighted ") + who + tr(" out of the item"),
           &EventEntriesForm::removeFromEvent);
    button(tr("Edit &Best Performance"),
           tr("Changes the best time the highlighted ") + who + tr(" entered with"),
           &EventEntriesForm::editBest);
    buttons->addStretch();
    connect(m_eventTable, &QTableWidget::currentCellChanged, this,
            [this](int row) { selectEvent(row); });
    connect(m_entryTable, &QTableWidget::cellDoubleClicked, this, &EventEntriesForm::editBest);
    // Enter is taken by the list itself: left to the screen it would also press Close.
    base::onListKey(m_candidates, Qt::Key_Return, [this] { enterCandidate(); });
    connect(m_candidates, &QListWidget::itemDoubleClicked, this, &EventEntriesForm::enterCandidate);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(tr("Entered")));
    right->addWidget(m_entryTable, 3);
    right->addWidget(new QLabel(tr("May enter (Enter or double-click to enter)")));
    right->addWidget(m_candidates, 2);
    auto* lists = new QHBoxLayout;
    lists->addWidget(m_eventTable, 2);
    lists->addLayout(right, 3);
    auto* close = base::closeButtons(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->addLayout(lists, 1);
    layout->addWidget(close);
    setRelayMode(false);
}

EventEntriesForm::~EventEntriesForm() = default;

void EventEntriesForm::setRelayMode(bool relays)
{
    m_relays = relays;
    {
        const QSignalBlocker block(m_mode);
        m_mode->setCurrentIndex(relays ? 1 : 0);
    }
    m_hidden->setText(relays ? tr("Relay-mode: the plain items are not visible.")
                             : tr("Plain-mode: the relay items are not visible."));
    // Relay teams are entered on the Relays screen.
    m_candidates->setEnabled(!relays);
    m_enterButton->setEnabled(!relays);
    m_newButton->setEnabled(!relays);
    refresh();
}

void EventEntriesForm::refresh()
{
    m_run.database()->refreshReads();
    const qint64 keep = currentEvent();
    m_eventRows = m_events.events(m_relays,
                                  m_order->currentIndex() == 1 ? EventEntries::Order::OrderCode
                                                               : EventEntries::Order::Sequence,
                                  m_tooFew);
    const QSignalBlocker block(m_eventTable);
    m_eventTable->setRowCount(int(m_eventRows.size()));
    int current = m_eventRows.isEmpty() ? -1 : 0;
    for (int r = 0; r < m_eventRows.size(); ++r) {
        const EventEntryRow& e = m_eventRows[r];
        fillEntryRow(m_eventTable, r,
                     {sequenceText(e.event.sequence),
                      m_items->ItemDescription(e.event.itemCode, false),
                      QString::number(e.athletes), e.heatFormat,
                      e.tooFew ? tr("Too few heats") : QString()});
        if (e.event.eventNo == keep)
            current = r;
    }
    m_eventTable->setCurrentCell(current, 0);
    selectEvent(current);
}

void EventEntriesForm::selectEvent(int row)
{
    if (row >= 0 && row < m_eventTable->rowCount() && m_eventTable->currentRow() != row) {
        const QSignalBlocker block(m_eventTable);
        m_eventTable->setCurrentCell(row, 0);
    }
    showEntries();
}

void EventEntriesForm::showEntries()
{
    const qint64 eventNo = currentEvent();
    m_entryRows = eventNo != 0 ? m_events.participants(eventNo) : QList<EventParticipant>();
    m_entryTable->setRowCount(int(m_entryRows.size()));
    for (int r = 0; r < m_entryRows.size(); ++r) {
        const EventParticipant& p = m_entryRows[r];
        fillEntryRow(m_entryTable, r,
                     {p.name, p.team, p.best, p.number, p.birthDate, p.callRoom,
                      p.round == QLatin1String("F") ? tr("Final")
                      : p.round.isEmpty()           ? QString()
                                          : p.round + QLatin1Char(' ') + QString::number(p.heat),
                      p.round.isEmpty() ? QString() : QString::number(p.lane)});
    }
    if (!m_entryRows.isEmpty())
        m_entryTable->setCurrentCell(0, 0);
    m_candidates->clear();
    m_candidateRows =
        eventNo != 0 && !m_relays ? m_events.candidates(eventNo) : QList<AthleteRow>();
    Teams teams(*m_run.database(), m_settings.meetingNo);
    QHash<qint64, QString> abbreviations;
    for (const TeamRow& t : teams.list())
        abbreviations.insert(t.teamNo, t.abbreviation);
    for (const AthleteRow& a : m_candidateRows)
        m_candidates->addItem(abbreviations.value(a.teamNo) + QStringLiteral("  ") + a.surname +
                              QStringLiteral(", ") + a.firstName + QStringLiteral("  ") + a.number);
    if (!m_candidateRows.isEmpty())
        m_candidates->setCurrentRow(0);
}

qint64 EventEntriesForm::currentEvent() const
{
    const int row = m_eventTable->currentRow();
    return row >= 0 && row < m_eventRows.size() ? m_eventRows[row].event.eventNo : 0;
}

const EventParticipant* EventEntriesForm::currentParticipant() const
{
    const int row = m_entryTable->currentRow();
    return row >= 0 && row < m_entryRows.size() ? &m_entryRows[row] : nullptr;
}

bool EventEntriesForm::seek(int sequence)
{
    const auto eventNo = m_events.seekSequence(sequence, m_relays);
    if (!eventNo)
        return false;
    for (int r = 0; r < m_eventRows.size(); ++r) {
        if (m_eventRows[r].event.eventNo == *eventNo) {
            m_eventTable->setCurrentCell(r, 0);
            return true;
        }
    }
    return false;
}

void EventEntriesForm::enterCandidate()
{
    const int row = m_candidates->currentRow();
    const qint64 eventNo = currentEvent();
    if (m_relays || eventNo == 0 || row < 0 || row >= m_candidateRows.size())
        return;
    const EventEntryRow& ev = m_eventRows[m_eventTable->currentRow()];
    // The events of a combined competition come without a best each.
    QString best;
    if (ev.event.nAthlon == 0 &&
        !m_run.messages().askText(QStringLiteral("Best known preformance (") +
                                      m_items->PerfFormatName(ev.event.itemCode) +
                                      QStringLiteral(", empty when unknown)"),
                                  &best))
        return;
    if (Nathlons(*m_run.database(), m_settings)
            .enterFor(m_candidateRows[row].athleteNo, ev.event.nAthlon, eventNo, best) > 0)
        refresh();
}

void EventEntriesForm::newSwimmer()
{
    const qint64 eventNo = currentEvent();
    if (m_relays || eventNo == 0)
        return;
    const auto ev = Participations(*m_run.database(), m_settings).event(eventNo);
    QString abbreviation = currentParticipant() ? currentParticipant()->team : QString();
    if (!ev || !m_run.messages().askText(tr("The team (abbreviation)"), &abbreviation))
        return;
    Teams teams(*m_run.database(), m_settings.meetingNo);
    const auto team = teams.findByAbbreviation(abbreviation.trimmed());
    if (!team) {
        m_run.messages().warning(QStringLiteral("There is no team ") + abbreviation);
        return;
    }
    AthleteRow a;
    a.teamNo = team->teamNo;
    a.gender = ev->gender;
    a.age = ev->age.toInt();
    a.category = ev->category;
    a.nAthlon = ev->nAthlon;
    Athletes athletes(*m_run.database(), m_settings);
    AthleteDialog dialog(athletes, m_settings, a, team->name, m_run.globals().personWord(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const qint64 athleteNo = athletes.save(dialog.athlete());
    if (athleteNo == 0)
        return;
    Nathlons(*m_run.database(), m_settings).enterFor(athleteNo, a.nAthlon, eventNo);
    refresh();
}

void EventEntriesForm::editSwimmer()
{
    const EventParticipant* p = currentParticipant();
    Athletes athletes(*m_run.database(), m_settings);
    const auto a = p ? athletes.find(p->athleteNo) : std::nullopt;
    const auto team =
        a ? Teams(*m_run.database(), m_settings.meetingNo).find(a->teamNo) : std::nullopt;
    if (!a || !team)
        return;
    AthleteDialog dialog(athletes, m_settings, *a, team->name, m_run.globals().personWord(), this);
    if (dialog.exec() == QDialog::Accepted && athletes.save(dialog.athlete()) != 0)
        refresh();
}

void EventEntriesForm::removeFromEvent()
{
    const EventParticipant* p = currentParticipant();
    if (!p || !m_run.messages().confirm(p->name +
                                        QStringLiteral("\rRemove this Athlete from the Item\r(The "
                                                       "Athlete will not be deleted)")))
        return;
    // A relay team leaves with its swimmers of that relay.
    if (m_relays)
        RelayTeams(*m_run.database(), m_settings).remove(p->athleteNo, currentEvent());
    else
        Participations(*m_run.database(), m_settings).remove(p->athleteNo, currentEvent());
    refresh();
}

void EventEntriesForm::editBest()
{
    const EventParticipant* p = currentParticipant();
    if (!p)
        return;
    QString best = p->best;
    if (m_run.messages().askText(QStringLiteral("Edit Best Performance: ") + p->name, &best) &&
        Participations(*m_run.database(), m_settings).setBest(p->partNo, best))
        showEntries();
}

void openEventEntries(QWidget* parent, base::Run& run, const HeatShortfallCheck& tooFew)
{
    EventEntriesForm form(run, parent, tooFew);
    form.exec();
}

} // namespace entries
