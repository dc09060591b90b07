#include "entries/forms/teamsform.h"

#include "db/dmdcoredbs.h"
#include "entries/forms/teamdialog.h"
#include "shell/run.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace entries {

TeamsForm::TeamsForm(shell::Run& run, QWidget* parent)
    : QDialog(parent), m_run(run), m_teams(*run.database(), run.currentMeetingNo()),
      m_table(new QTableWidget(this))
{
    setWindowTitle(QStringLiteral("Teams"));
    resize(720, 520);
    m_table->setColumnCount(5);
    m_table->setHorizontalHeaderLabels({tr("Team"), tr("Abbreviation"), tr("Boys"), tr("Girls"),
                                        run.globals().personWord() + QStringLiteral("s")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_table->verticalHeader()->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    auto* add = buttons->addButton(tr("&Add"), QDialogButtonBox::ActionRole);
    auto* edit = buttons->addButton(tr("&Edit"), QDialogButtonBox::ActionRole);
    auto* remove = buttons->addButton(tr("&Delete"), QDialogButtonBox::ActionRole);
    connect(add, &QPushButton::clicked, this, &TeamsForm::addTeam);
    connect(edit, &QPushButton::clicked, this, &TeamsForm::editTeam);
    connect(remove, &QPushButton::clicked, this, &TeamsForm::deleteTeam);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &TeamsForm::editTeam);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    refresh();
}

void TeamsForm::refresh()
{
    m_run.database()->refreshReads();
    m_rows = m_teams.list();
    m_table->setRowCount(int(m_rows.size()));
    for (int r = 0; r < m_rows.size(); ++r) {
        const TeamRow& t = m_rows[r];
        const QStringList cells{t.name, t.abbreviation, t.hasMale ? "X" : "",
                                t.hasFemale ? "X" : "",
                                QString::number(m_teams.athleteCount(t.teamNo))};
        for (int c = 0; c < cells.size(); ++c)
            m_table->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
}

qint64 TeamsForm::selectedTeam() const
{
    const int row = m_table->currentRow();
    return row >= 0 && row < m_rows.size() ? m_rows[row].teamNo : 0;
}

void TeamsForm::addTeam()
{
    TeamDialog dialog(m_teams, TeamRow(), this);
    if (dialog.exec() == QDialog::Accepted)
        refresh();
}

void TeamsForm::editTeam()
{
    const qint64 teamNo = selectedTeam();
    const auto team = m_teams.find(teamNo);
    if (!team)
        return;
    TeamDialog dialog(m_teams, *team, this);
    if (dialog.exec() == QDialog::Accepted)
        refresh();
}

void TeamsForm::deleteTeam()
{
    if (m_teams.remove(selectedTeam()))
        refresh();
}

void openTeams(QWidget* parent, shell::Run& run)
{
    TeamsForm form(run, parent);
    form.exec();
}

} // namespace entries
