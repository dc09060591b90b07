#include "entries/forms/teamsform.h"

#include "base/forms/buttontips.h"

#include "base/forms/screensize.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "entries/forms/athletenumbersform.h"
#include "entries/forms/namecaseform.h"
#include "entries/forms/teamdialog.h"
#include "entries/forms/teamsplitform.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace entries {

TeamsForm::TeamsForm(base::Run& run, QWidget* parent)
    : QDialog(parent), m_run(run), m_teams(*run.database(), run.currentMeetingNo()),
      m_table(new QTableWidget(this))
{
    setWindowTitle(QStringLiteral("Teams"));
    base::resizeWithinDesktop(this, QSize(720, 520));
    m_table->setColumnCount(6);
    m_table->setHorizontalHeaderLabels({tr("Team"), tr("Abbreviation"), tr("Boys"), tr("Girls"),
                                        run.globals().personWord() + QStringLiteral("s"),
                                        tr("Relay teams")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);
    m_table->setAlternatingRowColors(true);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_table->verticalHeader()->hide();
    m_table->installEventFilter(this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    auto button = [this, buttons](const QString& text, const QString& tip, auto slot) {
        auto* b = buttons->addButton(text, QDialogButtonBox::ActionRole);
        b->setToolTip(tip);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
    };
    button(tr("&Add"), tr("A new team (Insert)"), &TeamsForm::addTeam);
    button(tr("&Edit"), tr("Edit the highlighted team (Enter)"), &TeamsForm::editTeam);
    button(tr("&Delete"), tr("Delete the highlighted team; only a team without members (Delete)"),
           &TeamsForm::deleteTeam);
    auto* tools = new QDialogButtonBox;
    auto tool = [this, tools](const QString& text, const QString& tip, auto slot) {
        auto* b = tools->addButton(text, QDialogButtonBox::ActionRole);
        b->setToolTip(tip);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
    };
    tool(tr("Split by &Gender..."), tr("Make a team of boys and a team of girls of a team"),
         &TeamsForm::splitTeams);
    tool(tr("Case of &Names..."), tr("Write the names of teams and swimmers in one case"),
         &TeamsForm::fixNameCase);
    tool(tr("Athlete N&umbers..."), tr("The numbers of the meeting's swimmers"),
         &TeamsForm::showNumbers);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &TeamsForm::editTeam);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    base::explainButtons(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(tools);
    layout->addWidget(buttons);
    refresh();
    m_table->setFocus();
}

bool TeamsForm::eventFilter(QObject* watched, QEvent* event)
{
    // Enter edits, Insert adds and Delete deletes the team of the list.
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            editTeam();
            return true;
        case Qt::Key_Insert:
            addTeam();
            return true;
        case Qt::Key_Delete:
            deleteTeam();
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TeamsForm::refresh()
{
    const int keep = m_table->currentRow();
    m_run.database()->refreshReads();
    m_rows = m_teams.list();
    m_table->setRowCount(int(m_rows.size()));
    for (int r = 0; r < m_rows.size(); ++r) {
        const TeamRow& t = m_rows[r];
        const Teams::MemberCounts members = m_teams.memberCounts(t.teamNo);
        const QStringList cells{t.name,
                                t.abbreviation,
                                t.hasMale ? "X" : "",
                                t.hasFemale ? "X" : "",
                                QString::number(members.athletes),
                                QString::number(members.relayTeams)};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c >= 2)
                item->setTextAlignment(Qt::AlignCenter);
            m_table->setItem(r, c, item);
        }
    }
    if (!m_rows.isEmpty())
        m_table->selectRow(std::clamp(keep, 0, int(m_rows.size()) - 1));
}

qint64 TeamsForm::selectedTeam() const
{
    const int row = m_table->currentRow();
    return row >= 0 && row < m_rows.size() ? m_rows[row].teamNo : 0;
}

void TeamsForm::addTeam()
{
    TeamDialog dialog(m_teams, TeamRow(), this);
    if (dialog.exec() == QDialog::Accepted && m_teams.save(dialog.team()) != 0)
        refresh();
}

void TeamsForm::editTeam()
{
    const qint64 teamNo = selectedTeam();
    const auto team = m_teams.find(teamNo);
    if (!team)
        return;
    TeamDialog dialog(m_teams, *team, this);
    if (dialog.exec() == QDialog::Accepted && m_teams.save(dialog.team()) != 0)
        refresh();
}

void TeamsForm::deleteTeam()
{
    if (m_teams.remove(selectedTeam()))
        refresh();
}

void TeamsForm::splitTeams()
{
    openTeamSplit(this, m_run);
    refresh();
}

void TeamsForm::fixNameCase()
{
    openNameCase(this, m_run, selectedTeam());
}

void TeamsForm::showNumbers()
{
    openAthleteNumbers(this, m_run);
}

void openTeams(QWidget* parent, base::Run& run)
{
    TeamsForm form(run, parent);
    form.exec();
}

} // namespace entries
