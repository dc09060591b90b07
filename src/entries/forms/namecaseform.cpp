#include "entries/forms/namecaseform.h"

#include "base/forms/buttontips.h"

#include "base/forms/screensize.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace entries {

NameCaseForm::NameCaseForm(base::Run& run, qint64 teamNo, QWidget* parent)
    : QDialog(parent), m_run(run), m_names(*run.database(), run.currentMeetingNo()),
      m_teams(Teams(*run.database(), run.currentMeetingNo()).list()),
      m_oneTeam(new QRadioButton(QStringLiteral("&One Team at a time"))),
      m_allTeams(new QRadioButton(QStringLiteral("&All Teams in one go"))), m_team(new QComboBox),
      m_list(new QPlainTextEdit)
{
    setWindowTitle(QStringLiteral("Case of Athlete Names"));
    base::resizeWithinDesktop(this, QSize(640, 520));
    for (const TeamRow& t : m_teams)
        m_team->addItem(t.name + QStringLiteral("  (") + t.abbreviation + QLatin1Char(')'));
    int current = 0;
    for (int i = 0; i < m_teams.size(); ++i) {
        if (m_teams[i].teamNo == teamNo)
            current = i;
    }
    m_team->setCurrentIndex(m_teams.isEmpty() ? -1 : current);
    m_oneTeam->setChecked(teamNo != 0);
    m_allTeams->setChecked(teamNo == 0);
    m_team->setEnabled(teamNo != 0);
    auto* group = new QButtonGroup(this);
    group->addButton(m_oneTeam);
    group->addButton(m_allTeams);
    m_list->setReadOnly(true);
    m_list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    auto* correctButton = buttons->addButton(tr("&Correct"), QDialogButtonBox::ActionRole);
    correctButton->setToolTip(tr("Writes the names listed in the right case, after asking"));
    connect(correctButton, &QPushButton::clicked, this, &NameCaseForm::correct);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    base::explainButtons(buttons);
    connect(m_allTeams, &QRadioButton::toggled, this, &NameCaseForm::chooseAllTeams);
    connect(m_team, &QComboBox::currentIndexChanged, this, &NameCaseForm::chooseTeam);
    auto* scope = new QGridLayout;
    scope->addWidget(m_oneTeam, 0, 0);
    scope->addWidget(m_team, 0, 1);
    scope->addWidget(m_allTeams, 1, 0);
    scope->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(scope);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    showNames();
    correctButton->setFocus();
}

qint64 NameCaseForm::chosenTeam() const
{
    if (m_allTeams->isChecked())
        return 0;
    const int i = m_team->currentIndex();
    return i >= 0 && i < m_teams.size() ? m_teams[i].teamNo : -1;
}

QString NameCaseForm::listing() const
{
    return m_list->toPlainText();
}

void NameCaseForm::showNames()
{
    m_run.database()->refreshReads();
    const qint64 team = chosenTeam();
    if (team < 0) {
        m_list->clear();
        return;
    }
    int checked = 0;
    const QList<WrongCaseName> wrong = m_names.wrongNames(team, &checked);
    QString text = wrong.isEmpty() ? QStringLiteral("All ") + QString::number(checked) +
                                         QStringLiteral(" Athletenames are in the correct case")
                                   : NameCase::listing(wrong);
    m_list->setPlainText(text.replace(QLatin1Char('\r'), QLatin1Char('\n')));
}

void NameCaseForm::chooseAllTeams(bool all)
{
    m_team->setEnabled(!all);
    showNames();
}

void NameCaseForm::chooseTeam(int)
{
    showNames();
}

void NameCaseForm::correct()
{
    const qint64 team = chosenTeam();
    if (team < 0)
        return;
    m_names.correct(team);
    showNames();
}

void openNameCase(QWidget* parent, base::Run& run, qint64 teamNo)
{
    NameCaseForm form(run, teamNo, parent);
    form.exec();
}

} // namespace entries
