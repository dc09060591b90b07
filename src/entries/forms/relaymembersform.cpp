#include "entries/forms/relaymembersform.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"

#include "base/forms/screensize.h"
#include "base/messages.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "entries/forms/entrytables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace entries {

RelayMembersForm::RelayMembersForm(base::Run& run, qint64 eventNo, const QString& itemDescription,
                                   QWidget* parent)
    : QDialog(parent), m_run(run), m_eventNo(eventNo), m_relayTeam(new QComboBox),
      m_anyAge(new QCheckBox(tr("Any &age"))),
      m_memberTable(makeEntryTable({tr("First or reserve"), tr("Leg"), tr("Name")})),
      m_candidates(new QListWidget)
{
    setWindowTitle(tr("Relay athletes: ") + itemDescription);
    base::resizeWithinDesktop(this, QSize(900, 600));
    const EntrySettings settings = EntrySettings::from(run.meeting());
    m_relayTeams = RelayTeams(*run.database(), settings).inEvent(eventNo);
    for (const RelayTeamRow& r : m_relayTeams)
        m_relayTeam->addItem(r.name);
    connect(m_relayTeam, &QComboBox::currentIndexChanged, this, &RelayMembersForm::selectRelayTeam);
    connect(m_anyAge, &QCheckBox::toggled, this, &RelayMembersForm::setAnyAge);
    // Enter is taken by the list itself: left to the screen it would also press Close.
    base::onListKey(m_candidates, Qt::Key_Return, [this] { addFirst(); });
    connect(m_candidates, &QListWidget::itemDoubleClicked, this, &RelayMembersForm::addFirst);
    auto* top = new QHBoxLayout;
    auto* relayLabel = new QLabel(tr("&Relay team"));
    relayLabel->setBuddy(m_relayTeam);
    top->addWidget(relayLabel);
    top->addWidget(m_relayTeam);
    top->addStretch();
    top->addWidget(new QLabel(tr("The program does not do anything else with these Relay "
                                 "Athletes.")));
    auto* buttons = new QHBoxLayout;
    auto button = [this, buttons](const QString& text, const QString& tip,
                                  void (RelayMembersForm::*slot)()) {
        auto* b = new QPushButton(text);
        b->setToolTip(tip);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
    };
    button(tr("Add as &first"), tr("Adds the highlighted swimmer to the swimmers of the race"),
           &RelayMembersForm::addFirst);
    button(tr("Add as r&eserve"), tr("Adds the highlighted swimmer as a reserve"),
           &RelayMembersForm::addReserve);
    button(tr("Set &leg..."), tr("Gives the highlighted member the leg they swim"),
           &RelayMembersForm::setLeg);
    button(tr("S&wap legs..."), tr("Swaps the legs of two members"), &RelayMembersForm::swapLegs);
    button(tr("Re&move"), tr("Takes the highlighted member out of the relay team"),
           &RelayMembersForm::removeMember);
    buttons->addStretch();
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(tr("In the relay team")));
    left->addWidget(m_memberTable);
    auto* right = new QVBoxLayout;
    auto* candidatesTitle = new QHBoxLayout;
    candidatesTitle->addWidget(new QLabel(tr("May join (Enter: first team)")));
    candidatesTitle->addStretch();
    candidatesTitle->addWidget(m_anyAge);
    right->addLayout(candidatesTitle);
    right->addWidget(m_candidates);
    auto* lists = new QHBoxLayout;
    lists->addLayout(left, 1);
    lists->addLayout(right, 1);
    auto* close = base::closeButtons(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->addLayout(lists, 1);
    layout->addWidget(close);
    selectRelayTeam(m_relayTeams.isEmpty() ? -1 : 0);
}

RelayMembersForm::~RelayMembersForm() = default;

void RelayMembersForm::selectRelayTeam(int index)
{
    {
        const QSignalBlocker block(m_relayTeam);
        m_relayTeam->setCurrentIndex(index);
    }
    m_members.reset();
    if (index >= 0 && index < m_relayTeams.size())
        m_members = std::make_unique<RelayMembers>(*m_run.database(), m_run.currentMeetingNo(),
                                                   m_relayTeams[index].athleteNo, m_eventNo);
    showMembers();
}

void RelayMembersForm::setAnyAge(bool anyAge)
{
    {
        const QSignalBlocker block(m_anyAge);
        m_anyAge->setChecked(anyAge);
    }
    showMembers();
}

void RelayMembersForm::showMembers()
{
    m_memberRows = m_members ? m_members->list() : QList<RelayMemberRow>();
    m_memberTable->setRowCount(int(m_memberRows.size()));
    Athletes athletes(*m_run.database(), EntrySettings::from(m_run.meeting()));
    for (int r = 0; r < m_memberRows.size(); ++r) {
        const RelayMemberRow& m = m_memberRows[r];
        const auto a = athletes.find(m.athleteNo);
        fillEntryRow(m_memberTable, r,
                     {m.kind == QLatin1String("R") ? tr("Reserve") : tr("First"),
                      m.leg == 0 ? tr("?") : QString::number(m.leg),
                      a ? a->surname + QStringLiteral(", ") + a->firstName : tr("(missing)")});
    }
    if (!m_memberRows.isEmpty())
        m_memberTable->setCurrentCell(0, 0);
    m_candidates->clear();
    m_candidateRows =
        m_members ? m_members->candidates(m_anyAge->isChecked()) : QList<AthleteRow>();
    for (const AthleteRow& a : m_candidateRows)
        m_candidates->addItem(a.surname + QStringLiteral(", ") + a.firstName +
                              QStringLiteral("  ") + a.gender + QString::number(a.age));
    if (m_candidateRows.isEmpty()) {
        auto* none = new QListWidgetItem(QStringLiteral("No Athletes available."));
        none->setFlags(Qt::NoItemFlags);
        m_candidates->addItem(none);
    } else {
        m_candidates->setCurrentRow(0);
    }
}

const RelayMemberRow* RelayMembersForm::currentMember() const
{
    const int row = m_memberTable->currentRow();
    return row >= 0 && row < m_memberRows.size() ? &m_memberRows[row] : nullptr;
}

void RelayMembersForm::addMember(const QString& kind)
{
    const int row = m_candidates->currentRow();
    if (!m_members || row < 0 || row >= m_candidateRows.size())
        return;
    if (m_members->add(m_candidateRows[row].athleteNo, kind) != 0)
        showMembers();
}

void RelayMembersForm::setLeg()
{
    const RelayMemberRow* m = currentMember();
    if (!m || !m_members)
        return;
    QString leg = QString::number(m->leg);
    if (!m_run.messages().askText(QStringLiteral("Leg (0 means unknown)"), &leg))
        return;
    bool ok = false;
    const int number = leg.trimmed().toInt(&ok);
    if (!ok) {
        m_run.messages().warning(QStringLiteral("This Relay only has ") +
                                 QString::number(m_members->legs()) + QStringLiteral(" legs."));
        return;
    }
    if (m_members->setLeg(m->relayAthleteNo, number))
        showMembers();
}

void RelayMembersForm::swapLegs()
{
    if (!m_members)
        return;
    const RelayMemberRow* m = currentMember();
    const QString kind = m ? m->kind : QStringLiteral("F");
    QString first = m && m->leg > 0 ? QString::number(m->leg) : QString();
    QString second;
    if (!m_run.messages().askText(tr("Swap legs: the first leg"), &first) ||
        !m_run.messages().askText(tr("Swap legs: the second leg"), &second))
        return;
    if (m_members->swapLegs(kind, first.trimmed().toInt(), second.trimmed().toInt()))
        showMembers();
}

void RelayMembersForm::removeMember()
{
    const RelayMemberRow* m = currentMember();
    if (m && m_members && m_members->remove(m->relayAthleteNo))
        showMembers();
}

} // namespace entries
