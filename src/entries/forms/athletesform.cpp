#include "entries/forms/athletesform.h"

#include "base/forms/buttontips.h"

#include "base/forms/openerbutton.h"

#include "base/forms/screensize.h"
#include "base/messages.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "entries/forms/athletedialog.h"
#include "entries/forms/athleteimportform.h"
#include "entries/forms/athletenumbersform.h"
#include "entries/forms/entrytables.h"
#include "entries/forms/evententriesform.h"
#include "entries/forms/relayteamsform.h"
#include "meeting/edition.h"
#include "meeting/itemtypes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace entries {

AthletesForm::AthletesForm(base::Run& run, QWidget* parent, HeatShortfallCheck tooFew)
    : QDialog(parent), m_run(run), m_tooFew(std::move(tooFew)),
      m_settings(EntrySettings::from(run.meeting())),
      m_teams(*run.database(), run.currentMeetingNo()), m_athletes(*run.database(), m_settings),
      m_entries(*run.database(), m_settings), m_numbers(*run.database(), run.currentMeetingNo()),
      m_autoNumbering(m_numbers), m_teamList(new QListWidget),
      // The names take the width; the short columns keep to their texts at the right.
      m_athleteTable(makeEntryTable(
          {tr("Surname"), tr("Firstname"), tr("Gender"), m_settings.ageName(), tr("Number")}, 1)),
      m_entryTable(makeEntryTable({tr("Seq"), tr("Item"), tr("Best")}, 1)), m_order(new QComboBox),
      m_autoNumber(new QCheckBox(tr("A&uto-number new ") + run.globals().personWord().toLower() +
                                 QStringLiteral("s")))
{
    const QString people = run.globals().personWord() + QStringLiteral("s");
    setWindowTitle(QStringLiteral("Prepare ") + people);
    base::resizeWithinDesktop(this, QSize(1100, 700));
    // Two rows of buttons: the swimmer and the items first, the lists and tools below, so
    // that the screen fits a small desktop.
    auto* buttons = new QHBoxLayout;
    auto* tools = new QHBoxLayout;
    QHBoxLayout* row = buttons;
    auto button = [this, &row](const QString& text, const QString& tip,
                               void (AthletesForm::*slot)()) {
        auto* b = new QPushButton(text);
        b->setToolTip(tip);
        connect(b, &QPushButton::clicked, this, slot);
        row->addWidget(b);
    };
    const QString person = run.globals().personWord().toLower();
    button(tr("&Add ") + run.globals().personWord(), tr("A new ") + person + tr(" of the team"),
           &AthletesForm::addAthlete);
    button(tr("&Edit"), tr("Edit the highlighted ") + person, &AthletesForm::editAthlete);
    button(tr("&Delete"), tr("Delete the highlighted ") + person + tr(" with the items"),
           &AthletesForm::deleteAthlete);
    button(tr("Enter &item"), tr("Enter the ") + person + tr(" into an item, with a best time"),
           &AthletesForm::enterItem);
    button(tr("&Remove item"), tr("Take the ") + person + tr(" out of the highlighted item"),
           &AthletesForm::removeItem);
    button(tr("Edit &best"), tr("Change the best time of the highlighted item"),
           &AthletesForm::editBest);
    buttons->addStretch();
    row = tools;
    button(tr("&Numbers..."), tr("The numbers of the meeting's ") + person + tr("s"),
           &AthletesForm::showNumbers);
    button(tr("I&mport CSV..."), tr("Add ") + person + tr("s and their items from a CSV file"),
           &AthletesForm::importFile);
    button(tr("Per I&tem..."), tr("The entries item by item"), &AthletesForm::perItem);
    button(tr("Re&lays..."), tr("Relay teams and their ") + person + tr("s"),
           &AthletesForm::relays);
    button(tr("Find &highest number"), tr("The highest number in use and the numbers that are not"),
           &AthletesForm::findHighestNumber);
    tools->addStretch();
    m_order->addItems({tr("Age, gender, surname"), tr("Surname")});
    m_order->setToolTip(tr("The order of the list of ") + people.toLower());
    connect(m_order, &QComboBox::currentIndexChanged, this,
            [this] { selectTeam(m_teamList->currentRow()); });
    m_autoNumber->setToolTip(tr("Suggest the next free number for each new ") +
                             run.globals().personWord().toLower());
    m_autoNumber->setVisible(m_settings.hasNumbers);
    connect(m_teamList, &QListWidget::currentRowChanged, this, &AthletesForm::selectTeam);
    connect(m_athleteTable, &QTableWidget::currentCellChanged, this,
            [this](int row) { selectAthlete(row); });
    connect(m_athleteTable, &QTableWidget::cellDoubleClicked, this, &AthletesForm::editAthlete);
    auto* lists = new QHBoxLayout;
    auto* teamColumn = new QVBoxLayout;
    teamColumn->addWidget(new QLabel(tr("Teams")));
    teamColumn->addWidget(m_teamList);
    auto* athleteColumn = new QVBoxLayout;
    auto* athleteHeader = new QHBoxLayout;
    athleteHeader->addWidget(new QLabel(people));
    athleteHeader->addStretch();
    auto* orderLabel = new QLabel(tr("&Order"));
    orderLabel->setBuddy(m_order);
    athleteHeader->addWidget(orderLabel);
    athleteHeader->addWidget(m_order);
    athleteHeader->addWidget(m_autoNumber);
    athleteColumn->addLayout(athleteHeader);
    athleteColumn->addWidget(m_athleteTable, 3);
    athleteColumn->addWidget(new QLabel(tr("Items")));
    athleteColumn->addWidget(m_entryTable, 2);
    lists->addLayout(teamColumn, 1);
    lists->addLayout(athleteColumn, 3);
    auto* close = base::closeButtons(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addLayout(tools);
    layout->addLayout(lists, 1);
    layout->addWidget(close);
    refresh();
}

void AthletesForm::refresh()
{
    m_run.database()->refreshReads();
    const int keep = m_teamList->currentRow();
    m_teamRows = m_teams.list();
    m_teamList->clear();
    for (const TeamRow& t : m_teamRows)
        m_teamList->addItem(t.abbreviation + QStringLiteral("  ") + t.name);
    m_teamList->setCurrentRow(
        m_teamRows.isEmpty() ? -1 : std::clamp(keep, 0, int(m_teamRows.size()) - 1));
}

void AthletesForm::selectTeam(int row)
{
    const AthleteOrder order =
        m_order->currentIndex() == 1 ? AthleteOrder::Surname : AthleteOrder::AgeGender;
    m_athleteRows = row >= 0 && row < m_teamRows.size()
                        ? m_athletes.ofTeam(m_teamRows[row].teamNo, true, order)
                        : QList<AthleteRow>();
    // Relay teams are stored beside the swimmers; they follow them, set apart.
    std::stable_partition(m_athleteRows.begin(), m_athleteRows.end(),
                          [](const AthleteRow& a) { return !a.isRelayTeam(); });
    m_athleteTable->setRowCount(int(m_athleteRows.size()));
    for (int r = 0; r < m_athleteRows.size(); ++r) {
        const AthleteRow& a = m_athleteRows[r];
        fillEntryRow(m_athleteTable, r,
                     {a.isRelayTeam() ? tr("Relay team") : a.surname, a.firstName, a.gender,
                      QString::number(a.age), a.number});
        if (a.isRelayTeam())
            markRelayTeamRow(m_athleteTable, r);
    }
    m_athleteTable->setCurrentCell(m_athleteRows.isEmpty() ? -1 : 0, 0);
    selectAthlete(m_athleteRows.isEmpty() ? -1 : 0);
}

void AthletesForm::selectAthlete(int row)
{
    m_entryTable->setRowCount(0);
    m_entryRows.clear();
    if (row < 0 || row >= m_athleteRows.size())
        return;
    const meeting::ItemTypes items(meeting::editionOf(m_run.globals().applicationCode()),
                                   m_run.messages());
    Participations participations(*m_run.database(), m_settings);
    for (const AthleteEntry& entry : participations.entriesOf(m_athleteRows[row].athleteNo)) {
        EventRow e;
        e.eventNo = entry.eventNo;
        e.itemCode = entry.itemCode;
        m_entryRows.append(e);
        const int r = m_entryTable->rowCount();
        m_entryTable->insertRow(r);
        fillEntryRow(
            m_entryTable, r,
            {sequenceText(entry.sequence), items.ItemDescription(e.itemCode, false), entry.best});
    }
}

qint64 AthletesForm::currentTeam() const
{
    const int row = m_teamList->currentRow();
    return row >= 0 && row < m_teamRows.size() ? m_teamRows[row].teamNo : 0;
}

qint64 AthletesForm::currentAthlete() const
{
    const int row = m_athleteTable->currentRow();
    return row >= 0 && row < m_athleteRows.size() ? m_athleteRows[row].athleteNo : 0;
}

void AthletesForm::addAthlete()
{
    const auto team = m_teams.find(currentTeam());
    if (!team)
        return;
    AthleteRow a;
    a.teamNo = team->teamNo;
    AthleteDialog dialog(m_athletes, m_settings, a, team->name, m_run.globals().personWord(), this);
    const bool autoNumber = m_settings.hasNumbers && m_autoNumber->isChecked();
    if (autoNumber)
        dialog.suggestNumber(m_autoNumbering.suggestion(), [this](const QString& number) {
            return AutoNumbering::check(m_run.messages(), number);
        });
    if (dialog.exec() == QDialog::Accepted && m_athletes.save(dialog.athlete()) != 0) {
        if (autoNumber)
            m_autoNumbering.taken(dialog.athlete().number);
        selectTeam(m_teamList->currentRow());
    }
}

void AthletesForm::findHighestNumber()
{
    m_numbers.reportHighestNumber();
}

void AthletesForm::editAthlete()
{
    const auto a = m_athletes.find(currentAthlete());
    const auto team = a ? m_teams.find(a->teamNo) : std::nullopt;
    if (!a || !team)
        return;
    AthleteDialog dialog(m_athletes, m_settings, *a, team->name, m_run.globals().personWord(),
                         this);
    if (dialog.exec() == QDialog::Accepted && m_athletes.save(dialog.athlete()) != 0)
        selectTeam(m_teamList->currentRow());
}

void AthletesForm::deleteAthlete()
{
    if (currentAthlete() != 0 && m_athletes.remove(currentAthlete()))
        selectTeam(m_teamList->currentRow());
}

void AthletesForm::enterItem()
{
    const qint64 athleteNo = currentAthlete();
    if (athleteNo == 0)
        return;
    QList<EventRow> events = m_entries.itemsFor(athleteNo);
    if (events.isEmpty()) {
        if (!m_run.messages().confirm(QStringLiteral("No items were selected for this "
                                                     "gender-age.\rDo you want to see the items "
                                                     "for ALL ages")))
            return;
        events = m_entries.itemsFor(athleteNo, true);
        if (events.isEmpty())
            return;
    }
    const meeting::ItemTypes items(meeting::editionOf(m_run.globals().applicationCode()),
                                   m_run.messages());
    QStringList names;
    for (const EventRow& e : events)
        names << items.ItemDescription(e.itemCode, false);
    bool ok = false;
    const QString chosen =
        QInputDialog::getItem(this, tr("Enter item"), tr("Item"), names, 0, false, &ok);
    if (!ok)
        return;
    const QString best =
        QInputDialog::getText(this, tr("Best known preformance"),
                              items.PerfFormatName(events[names.indexOf(chosen)].itemCode),
                              QLineEdit::Normal, QString(), &ok);
    if (ok && m_entries.add(athleteNo, events[names.indexOf(chosen)].eventNo, best) != 0)
        selectAthlete(m_athleteTable->currentRow());
}

void AthletesForm::editBest()
{
    const int row = m_entryTable->currentRow();
    const QList<AthleteEntry> entries = m_entries.entriesOf(currentAthlete());
    if (row < 0 || row >= entries.size())
        return;
    const meeting::ItemTypes items(meeting::editionOf(m_run.globals().applicationCode()),
                                   m_run.messages());
    bool ok = false;
    const QString best = QInputDialog::getText(this, tr("Best known preformance"),
                                               items.ItemDescription(entries[row].itemCode, false) +
                                                   QStringLiteral("\n") +
                                                   items.PerfFormatName(entries[row].itemCode),
                                               QLineEdit::Normal, entries[row].best, &ok);
    if (ok && m_entries.setBest(entries[row].partNo, best)) {
        selectAthlete(m_athleteTable->currentRow());
        m_entryTable->setCurrentCell(row, 0);
    }
}

void AthletesForm::removeItem()
{
    const int row = m_entryTable->currentRow();
    if (row < 0 || row >= m_entryRows.size())
        return;
    if (m_entries.remove(currentAthlete(), m_entryRows[row].eventNo))
        selectAthlete(m_athleteTable->currentRow());
}

void AthletesForm::showNumbers()
{
    openAthleteNumbers(this, m_run);
    selectTeam(m_teamList->currentRow());
}

void AthletesForm::importFile()
{
    openAthleteImport(this, m_run);
    refresh();
}

void AthletesForm::perItem()
{
    openEventEntries(this, m_run, m_tooFew);
    refresh();
}

void AthletesForm::relays()
{
    openRelayTeams(this, m_run);
    refresh();
}

void openAthletes(QWidget* parent, base::Run& run, const HeatShortfallCheck& tooFew,
                  const std::function<void(QWidget*, base::Run&)>& openCheckLists)
{
    AthletesForm form(run, parent, tooFew);
    base::addOpenerButton(form, run, QStringLiteral("Errors and Chec&klists..."),
                          QObject::tr("Opens the lists that check the meeting for errors"),
                          openCheckLists);
    form.exec();
}

} // namespace entries
