#include "entries/forms/relayteamsform.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"

#include "base/forms/screensize.h"
#include "base/messages.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "entries/forms/entrytables.h"
#include "entries/forms/relaymembersform.h"
#include "entries/relaymembers.h"
#include "meeting/edition.h"
#include "meeting/itemtypes.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace entries {

RelayTeamsForm::RelayTeamsForm(base::Run& run, QWidget* parent)
    : QDialog(parent), m_run(run), m_settings(EntrySettings::from(run.meeting())),
      m_items(std::make_unique<meeting::ItemTypes>(
          meeting::editionOf(run.globals().applicationCode()), run.messages())),
      m_relays(*run.database(), m_settings), m_order(new QComboBox),
      m_eventTable(makeEntryTable({tr("Seq"), tr("Relay"), tr("Count"), tr("Teams")})),
      m_teamList(new QListWidget)
{
    setWindowTitle(tr("Relays"));
    base::resizeWithinDesktop(this, QSize(1100, 650));
    m_order->addItems({tr("By sequence"), tr("By age and gender")});
    connect(m_order, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    auto* buttons = new QHBoxLayout;
    auto button = [this, buttons](const QString& text, const QString& tip,
                                  void (RelayTeamsForm::*slot)()) {
        auto* b = new QPushButton(text);
        b->setToolTip(tip);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
    };
    button(tr("Relay &teams of the team..."),
           tr("Names the highlighted team's relay teams in the highlighted relay (\"A;B\")"),
           &RelayTeamsForm::editTeamRelays);
    button(tr("&Swimmers of the relay teams..."),
           tr("Opens the swimmers of the highlighted team's relay teams"),
           &RelayTeamsForm::openMembers);
    button(tr("Create for &all..."),
           tr("Enters a relay team of every team into each selected relay its gender allows"),
           &RelayTeamsForm::createForAll);
    button(tr("Check &links"),
           tr("Checks that every relay swimmer belongs to a swimmer, an event and a relay team"),
           &RelayTeamsForm::checkLinks);
    buttons->addStretch();
    buttons->addWidget(m_order);
    // Enter is taken by the list itself: left to the screen it would also press Close.
    base::onListKey(m_teamList, Qt::Key_Return, [this] { editTeamRelays(); });
    connect(m_teamList, &QListWidget::itemDoubleClicked, this, &RelayTeamsForm::editTeamRelays);
    connect(m_eventTable, &QTableWidget::cellDoubleClicked, this, &RelayTeamsForm::openMembers);
    auto* teamColumn = new QVBoxLayout;
    teamColumn->addWidget(new QLabel(tr("Teams (Enter: its relay teams in the relay)")));
    teamColumn->addWidget(m_teamList);
    auto* lists = new QHBoxLayout;
    lists->addWidget(m_eventTable, 3);
    lists->addLayout(teamColumn, 1);
    auto* close = base::closeButtons(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addLayout(lists, 1);
    layout->addWidget(close);
    m_teamRows = Teams(*run.database(), m_settings.meetingNo).list();
    for (const TeamRow& t : m_teamRows)
        m_teamList->addItem(t.abbreviation + QStringLiteral("  ") + t.name);
    if (!m_teamRows.isEmpty())
        m_teamList->setCurrentRow(0);
    refresh();
}

RelayTeamsForm::~RelayTeamsForm() = default;

void RelayTeamsForm::refresh()
{
    m_run.database()->refreshReads();
    const qint64 keep = currentEvent();
    m_eventRows = m_relays.relayEvents(m_order->currentIndex() == 1);
    m_eventTable->setRowCount(int(m_eventRows.size()));
    int current = m_eventRows.isEmpty() ? -1 : 0;
    for (int r = 0; r < m_eventRows.size(); ++r) {
        const RelayEventRow& e = m_eventRows[r];
        fillEntryRow(m_eventTable, r,
                     {sequenceText(e.event.sequence),
                      m_items->ItemDescription(e.event.itemCode, false),
                      QString::number(e.teams.size()), e.teams.join(QStringLiteral(", "))});
        if (e.event.eventNo == keep)
            current = r;
    }
    m_eventTable->setCurrentCell(current, 0);
}

qint64 RelayTeamsForm::currentEvent() const
{
    const int row = m_eventTable->currentRow();
    return row >= 0 && row < m_eventRows.size() ? m_eventRows[row].event.eventNo : 0;
}

void RelayTeamsForm::editTeamRelays()
{
    const int teamRow = m_teamList->currentRow();
    const qint64 eventNo = currentEvent();
    if (eventNo == 0 || teamRow < 0 || teamRow >= m_teamRows.size())
        return;
    const TeamRow& team = m_teamRows[teamRow];
    base::Messages& messages = m_run.messages();
    const RelayEventRow& relay = m_eventRows[m_eventTable->currentRow()];
    const bool force = !RelayTeams::teamHasGender(team, relay.event.gender);
    if (force && !messages.confirm(team.name + QStringLiteral(" does not have the gender of this "
                                                              "relay.\rEnter relay teams for it "
                                                              "anyway")))
        return;
    QStringList old;
    for (const RelayTeamRow& r : m_relays.ofTeam(team.teamNo, eventNo))
        old << r.name;
    QString countText = QString::number(std::max<qsizetype>(1, old.size()));
    QString names = old.isEmpty() ? QStringLiteral("A") : old.join(QLatin1Char(';'));
    for (;;) {
        bool given = messages.askText(team.abbreviation +
                                          QStringLiteral(": the number of its relay teams in "
                                                         "this relay (0: none)"),
                                      &countText);
        bool isNumber = false;
        const int count = countText.trimmed().toInt(&isNumber);
        if (given && (!isNumber || count < 0)) {
            messages.warning(QStringLiteral("The number of Relay-Teams must be a number: ") +
                             countText);
            continue;
        }
        if (given && count == 0)
            names.clear();
        else if (given)
            given = messages.askText(team.abbreviation +
                                         QStringLiteral(": the names of its relay teams in this "
                                                        "relay, separated by \";\""),
                                     &names);
        if (!given) {
            if (messages.confirm(QStringLiteral("Lose the edit for this Relay")))
                return;
            continue;
        }
        const QStringList list = names.isEmpty() ? QStringList() : names.split(QLatin1Char(';'));
        if (m_relays.setRelayTeams(team.teamNo, eventNo, count, list, force))
            break;
        if (!messages.confirm(QStringLiteral("Edit the names again")))
            return;
    }
    refresh();
}

void RelayTeamsForm::createForAll()
{
    m_relays.createForAll();
    refresh();
}

void RelayTeamsForm::openMembers()
{
    const int row = m_eventTable->currentRow();
    if (row < 0 || row >= m_eventRows.size())
        return;
    const RelayEventRow& e = m_eventRows[row];
    if (e.teams.isEmpty()) {
        m_run.messages().warning(QStringLiteral("You must first select all the Teams that "
                                                "participate in this Relay.\rThis is done under "
                                                "  \"Athletes\" --> \"Relays\"."));
        return;
    }
    RelayMembersForm members(m_run, e.event.eventNo,
                             m_items->ItemDescription(e.event.itemCode, false), this);
    members.exec();
}

void RelayTeamsForm::checkLinks()
{
    if (RelayMembers::checkLinks(*m_run.database(), m_settings.meetingNo).isEmpty())
        m_run.messages().information(QStringLiteral("Every relay swimmer is linked to a swimmer, "
                                                    "a selected event and a relay team."));
}

void openRelayTeams(QWidget* parent, base::Run& run)
{
    const EntrySettings settings = EntrySettings::from(run.meeting());
    if (!RelayTeams(*run.database(), settings).canEnterRelays())
        return;
    RelayTeamsForm form(run, parent);
    form.exec();
}

} // namespace entries
