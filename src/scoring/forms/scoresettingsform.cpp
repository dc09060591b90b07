#include "scoring/forms/scoresettingsform.h"

#include "base/forms/buttontips.h"
#include "base/run.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "scoring/forms/scoresetlist.h"
#include "scoring/scoringsettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace scoring {

ScoresSettingsForm::ScoresSettingsForm(base::Run& run, QWidget* parent)
    : QDialog(parent), m_run(run)
{
    setWindowTitle(QStringLiteral("Settings: Scores and Points"));
    clearSwimmingTableScore(run);
    const ScoreSetChoice c = ScoreSetChoice::of(run.meeting());
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_scoreSet = scoreSetList(this, c.scoreSet);
    form->addRow(QStringLiteral("Score &table of the events"), m_scoreSet);
    m_tableScore =
        new QCheckBox(QStringLiteral("&Score every event (table scores on the results)"), this);
    m_tableScore->setChecked(c.tableScore);
    form->addRow(QString(), m_tableScore);
    m_nAthlonSet = scoreSetList(this, c.nAthlonSet);
    form->addRow(QStringLiteral("&n-Athlon score table"), m_nAthlonSet);
    m_height = new QLineEdit(c.height, this);
    form->addRow(QStringLiteral("&Height above sea (m)"), m_height);
    m_hand = new QCheckBox(QStringLiteral("Times are taken by &hand"), this);
    m_hand->setChecked(c.handTiming);
    form->addRow(QString(), m_hand);
    m_masters = new QCheckBox(QStringLiteral("&Masters items (every result age-graded)"), this);
    m_masters->setChecked(c.mastersItems);
    form->addRow(QString(), m_masters);
    layout->addLayout(form);
    // The swimming edition has no score tables.
    const bool swimming = run.items().isSwimming();
    for (QWidget* w : {static_cast<QWidget*>(m_scoreSet), static_cast<QWidget*>(m_tableScore),
                       static_cast<QWidget*>(m_nAthlonSet), static_cast<QWidget*>(m_masters)})
        w->setEnabled(!swimming);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    base::addKeepOrCancel(buttons, this, [this] { return save(); });
    layout->addLayout(buttons);
}

ScoreSetChoice ScoresSettingsForm::choice() const
{
    ScoreSetChoice c;
    c.scoreSet = m_scoreSet->currentData().toInt();
    c.tableScore = m_tableScore->isChecked();
    c.nAthlonSet = m_nAthlonSet->currentData().toInt();
    c.height = m_height->text();
    c.handTiming = m_hand->isChecked();
    c.mastersItems = m_masters->isChecked();
    return c;
}

bool ScoresSettingsForm::save()
{
    return saveScoreSetChoice(m_run, choice());
}

void openScoresSettings(QWidget* parent, base::Run& run)
{
    ScoresSettingsForm form(run, parent);
    form.exec();
}

} // namespace scoring
