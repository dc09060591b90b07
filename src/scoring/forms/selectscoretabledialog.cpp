#include "scoring/forms/selectscoretabledialog.h"

#include "base/forms/buttontips.h"
#include "base/run.h"
#include "meeting/meetingsettings.h"
#include "scoring/forms/scoresetlist.h"
#include "scoring/scoresetchoice.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace scoring {

SelectScoreTableDialog::SelectScoreTableDialog(int current, std::function<bool(int set)> keep,
                                               QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Select Score Table"));
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(QStringLiteral("The table with which the results of the events are "
                                           "scored.\rThe n-Athlon table and the other settings "
                                           "are under \"Settings: Scores and Points\".")
                                .replace(QLatin1Char('\r'), QLatin1Char('\n')),
                            this);
    layout->addWidget(note);
    auto* form = new QFormLayout;
    m_sets = scoreSetList(this, current);
    m_sets->setToolTip(tr("Tables marked \"(not loaded)\" have no data in this program and "
                          "cannot be chosen"));
    form->addRow(QStringLiteral("Score &table"), m_sets);
    layout->addLayout(form);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    base::addKeepOrCancel(buttons, this,
                          [this, keep = std::move(keep)] { return keep(chosenSet()); });
    layout->addLayout(buttons);
    // Enter on the list keeps the choice.
    for (auto* button : findChildren<QPushButton*>()) {
        if (button->text() == QLatin1String("&OK"))
            button->setDefault(true);
    }
    m_sets->setFocus();
}

int SelectScoreTableDialog::chosenSet() const
{
    return m_sets->currentData().toInt();
}

void selectScoreTable(QWidget* parent, base::Run& run)
{
    SelectScoreTableDialog dialog(
        int(run.meeting().integer(QStringLiteral("SCORESETNO"))),
        [&run](int set) { return saveMeetingScoreSet(run, set); }, parent);
    dialog.exec();
}

} // namespace scoring
