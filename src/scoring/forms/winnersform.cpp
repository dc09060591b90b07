#include "scoring/forms/winnersform.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/run.h"
#include "meeting/meetingsettings.h"
#include "scoring/forms/placepointsform.h"
#include "scoring/forms/topathletesform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace scoring {

WinnersForm::WinnersForm(base::Run& run, QWidget* parent) : QDialog(parent), m_run(run)
{
    setWindowTitle(QStringLiteral("Settings: Winners"));
    clearSwimmingTableScore(run);
    const ScoringSettings s = ScoringSettings::of(run.meeting());
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_basis = new QComboBox(this);
    m_basis->addItem(QStringLiteral("(not chosen)"), 0);
    m_basis->addItem(QStringLiteral("Place Points"), 1);
    m_basis->addItem(QStringLiteral("Table Score"), 2);
    m_basis->addItem(QStringLiteral("Per Team (TopAthletes)"), 99);
    m_basis->setCurrentIndex(std::max(0, m_basis->findData(s.teamScoreBasis)));
    form->addRow(QStringLiteral("Team score basis"), m_basis);
    m_places = new QSpinBox(this);
    m_places->setRange(0, 99);
    m_places->setValue(s.teamScorePlaces);
    form->addRow(QStringLiteral("Table-score places per event"), m_places);
    m_share = new QCheckBox(QStringLiteral("Tied athletes share the points of their places"), this);
    m_share->setChecked(s.sharePlacePoints);
    form->addRow(m_share);
    m_leagues = new QCheckBox(QStringLiteral("Each competition has its own place points"), this);
    m_leagues->setChecked(s.leaguesHaveOwnPoints);
    form->addRow(m_leagues);
    m_deduction = new QLineEdit(QString::number(s.disqDeductPoints), this);
    form->addRow(QStringLiteral("Deduct points for a disqualification"), m_deduction);
    m_medalBasis = new QComboBox(this);
    m_medalBasis->addItem(QStringLiteral("No medals"), 0);
    m_medalBasis->addItem(QStringLiteral("By place"), 1);
    m_medalBasis->addItem(QStringLiteral("By table score"), 2);
    m_medalBasis->setCurrentIndex(std::max(0, m_medalBasis->findData(s.medalBasedOn)));
    form->addRow(QStringLiteral("Medals"), m_medalBasis);
    const char* names[] = {"Gold", "Silver", "Bronze"};
    const bool ticked[] = {s.checkGold, s.checkSilver, s.checkBronze};
    const int values[] = {s.pointGold, s.pointSilver, s.pointBronze};
    for (int i = 0; i < 3; ++i) {
        auto* row = new QHBoxLayout;
        m_ticks[i] = new QCheckBox(QLatin1String(names[i]), this);
        m_ticks[i]->setChecked(ticked[i]);
        m_values[i] = new QSpinBox(this);
        m_values[i]->setRange(0, 9999);
        m_values[i]->setValue(values[i]);
        row->addWidget(m_ticks[i]);
        row->addWidget(m_values[i]);
        form->addRow(row);
    }
    m_excludeTeams = new QCheckBox(QStringLiteral("Exclude Teams"), this);
    m_excludeTeams->setChecked(s.medalsExcludeTeams);
    form->addRow(m_excludeTeams);
    layout->addLayout(form);
    connect(m_medalBasis, &QComboBox::activated, this,
            [this] { setMedalBasis(m_medalBasis->currentData().toInt()); });
    auto* buttons = new QHBoxLayout;
    base::addActionButton(buttons, QStringLiteral("&Place Points..."),
                          tr("Opens the points given for each place"),
                          [this] { openPlacePoints(this, m_run); });
    m_topAthletes = base::addActionButton(
        buttons, QStringLiteral("Top &Athletes..."),
        tr("Opens how the top athletes make the team score (when that is the basis)"),
        [this] { openTopAthleteSettings(this, m_run); });
    // The top athletes' settings matter only when they are the team score.
    auto topAthletesUsed = [this] { m_topAthletes->setEnabled(m_basis->currentData() == 99); };
    connect(m_basis, &QComboBox::currentIndexChanged, this, topAthletesUsed);
    topAthletesUsed();
    buttons->addStretch();
    base::addKeepOrCancel(buttons, this, [this] { return save(); });
    layout->addLayout(buttons);
}

void WinnersForm::setMedalBasis(int basis)
{
    m_medalBasis->setCurrentIndex(std::max(0, m_medalBasis->findData(basis)));
    ScoringSettings s;
    s.medalBasedOn = basis;
    defaultMedalValues(s);
    m_values[0]->setValue(s.pointGold);
    m_values[1]->setValue(s.pointSilver);
    m_values[2]->setValue(s.pointBronze);
}

ScoringSettings WinnersForm::settings() const
{
    ScoringSettings s;
    s.teamScoreBasis = m_basis->currentData().toInt();
    s.teamScorePlaces = m_places->value();
    s.sharePlacePoints = m_share->isChecked();
    s.leaguesHaveOwnPoints = m_leagues->isChecked();
    s.disqDeductPoints = m_deduction->text().toInt();
    s.medalBasedOn = m_medalBasis->currentData().toInt();
    s.checkGold = m_ticks[0]->isChecked();
    s.checkSilver = m_ticks[1]->isChecked();
    s.checkBronze = m_ticks[2]->isChecked();
    s.pointGold = m_values[0]->value();
    s.pointSilver = m_values[1]->value();
    s.pointBronze = m_values[2]->value();
    s.medalsExcludeTeams = m_excludeTeams->isChecked();
    return s;
}

bool WinnersForm::save()
{
    return saveWinnersSettings(m_run, settings(), m_deduction->text());
}

void openWinners(QWidget* parent, base::Run& run)
{
    WinnersForm form(run, parent);
    form.exec();
}

} // namespace scoring
