#include "entries/forms/teamsplitform.h"

#include "base/forms/buttontips.h"

#include "base/forms/screensize.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace entries {

TeamSplitForm::TeamSplitForm(base::Run& run, const QList<TeamRow>& teams, QWidget* parent)
    : QDialog(parent), m_run(run), m_split(*run.database(), run.currentMeetingNo()),
      m_table(new QTableWidget(this))
{
    setWindowTitle(QStringLiteral("Split Team by Gender"));
    base::resizeWithinDesktop(this, QSize(820, 460));
    m_table->setColumnCount(4);
    m_table->setHorizontalHeaderLabels(
        {tr("Team"), tr("Abbreviation"), tr("Keeps the girls as"), tr("New team for the boys")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    auto* one = buttons->addButton(tr("Split &Team by Gender"), QDialogButtonBox::ActionRole);
    auto* onwards = buttons->addButton(tr("Split the teams from the current one &onwards"),
                                       QDialogButtonBox::ActionRole);
    one->setAutoDefault(false);
    onwards->setAutoDefault(false);
    one->setToolTip(tr("Splits the selected team into a team of boys and a team of girls"));
    onwards->setToolTip(tr("Splits the selected team and every team after it in the list"));
    connect(one, &QPushButton::clicked, this, &TeamSplitForm::splitSelected);
    connect(onwards, &QPushButton::clicked, this, &TeamSplitForm::splitOnwards);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    base::explainButtons(buttons);
    auto* note = new QLabel(tr("The girls stay in the team; the boys and their entries move to "
                               "a new team. Names too long for the prefix are cut."));
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(m_table, 1);
    layout->addWidget(buttons);
    fill(teams);
    m_table->setFocus();
}

void TeamSplitForm::fill(const QList<TeamRow>& teams)
{
    m_rows = teams;
    const int nameWidth =
        m_run.database()->fieldLength(QStringLiteral("TEAM"), QStringLiteral("TEAMNAME"));
    const int abbreviationWidth =
        m_run.database()->fieldLength(QStringLiteral("TEAM"), QStringLiteral("TEAMABRV"));
    m_table->setRowCount(int(m_rows.size()));
    for (int r = 0; r < m_rows.size(); ++r) {
        const TeamSplit::Names names = TeamSplit::namesFor(m_rows[r], nameWidth, abbreviationWidth);
        const QStringList cells{m_rows[r].name, m_rows[r].abbreviation, names.girlsName,
                                names.boysName + QStringLiteral("  (") + names.boysAbbreviation +
                                    QLatin1Char(')')};
        for (int c = 0; c < cells.size(); ++c)
            m_table->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    if (!m_rows.isEmpty())
        m_table->selectRow(0);
}

void TeamSplitForm::refresh()
{
    const int keep = m_table->currentRow();
    m_run.database()->refreshReads();
    fill(m_split.teamsWithBothGenders());
    if (!m_rows.isEmpty())
        m_table->selectRow(std::clamp(keep, 0, int(m_rows.size()) - 1));
}

void TeamSplitForm::splitSelected()
{
    const int row = m_table->currentRow();
    if (row < 0 || row >= m_rows.size())
        return;
    m_split.split(m_rows[row]);
    refresh();
}

void TeamSplitForm::splitOnwards()
{
    const int row = m_table->currentRow();
    if (row < 0 || row >= m_rows.size())
        return;
    m_split.splitFrom(m_rows, row);
    refresh();
}

void openTeamSplit(QWidget* parent, base::Run& run)
{
    TeamSplit split(*run.database(), run.currentMeetingNo());
    if (!split.confirmStart())
        return;
    const QList<TeamRow> teams = split.splittableTeams();
    if (teams.isEmpty())
        return;
    TeamSplitForm form(run, teams, parent);
    form.exec();
}

} // namespace entries
