#include "entries/forms/teamdialog.h"

#include "base/forms/buttontips.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace entries {

TeamDialog::TeamDialog(Teams& teams, const TeamRow& team, QWidget* parent)
    : QDialog(parent), m_teams(teams), m_team(team), m_name(new QLineEdit(team.name)),
      m_abbreviation(new QLineEdit(team.abbreviation)), m_males(new QCheckBox(tr("Has &Males"))),
      m_females(new QCheckBox(tr("Has &Females")))
{
    setWindowTitle(team.teamNo == 0 ? QStringLiteral("Add Team") : QStringLiteral("Edit Team"));
    // Room for a club's whole name: the column holds 32 characters.
    m_name->setMaxLength(32);
    m_name->setMinimumWidth(m_name->fontMetrics().horizontalAdvance(QString(32, QLatin1Char('n'))));
    m_abbreviation->setMaxLength(6);
    m_abbreviation->setPlaceholderText(QStringLiteral("Max 6 characters"));
    m_name->setObjectName(QStringLiteral("name"));
    m_abbreviation->setObjectName(QStringLiteral("abbreviation"));
    m_males->setObjectName(QStringLiteral("males"));
    m_females->setObjectName(QStringLiteral("females"));
    m_males->setChecked(team.hasMale);
    m_females->setChecked(team.hasFemale);
    auto* form = new QFormLayout(this);
    form->addRow(tr("&Name"), m_name);
    form->addRow(tr("&Abbreviation"), m_abbreviation);
    form->addRow(QString(), m_males);
    form->addRow(QString(), m_females);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    base::explainButtons(buttons);
    form->addRow(buttons);
}

void TeamDialog::accept()
{
    TeamRow edited = m_team;
    edited.name = m_name->text().trimmed();
    edited.abbreviation = m_abbreviation->text().trimmed();
    edited.hasMale = m_males->isChecked();
    edited.hasFemale = m_females->isChecked();
    if (m_teams.check(edited) != Teams::Field::None) {
        if (m_teams.lastRefusal() == Teams::Field::Name)
            m_name->setFocus();
        else if (m_teams.lastRefusal() == Teams::Field::Abbreviation)
            m_abbreviation->setFocus();
        else if (m_males->isChecked() && !m_females->isChecked())
            m_females->setFocus();
        else
            m_males->setFocus();
        return;
    }
    m_team = edited;
    QDialog::accept();
}

} // namespace entries
