#include "meeting/forms/settingsathletesform.h"

#include "base/run.h"
#include "meeting/settingsscreens.h"

namespace meeting {

SettingsAthletesForm::SettingsAthletesForm(base::Run& run, QWidget* parent)
    : ColumnSettingsForm(
          run, QStringLiteral("Settings: ") + run.globals().personWord() + QStringLiteral("s"),
          &saveAthleteSettings, parent)
{
    const QList<ChoiceGroup::Choice> noYes = ChoiceGroup::noYes();
    addChoice(QStringLiteral("ATH_HAS_NUMBERS"), QStringLiteral("Do Athletes have Numbers ?"),
              noYes);
    addChoice(QStringLiteral("ATH_HAS_BIRTHDATE"), QStringLiteral("Do Athletes have Birthdays ?"),
              noYes);
    addChoice(QStringLiteral("ATH_HAS_ID_NUMBERS"), QStringLiteral("Do Athletes have ID numbers ?"),
              noYes);
    addChoice(QStringLiteral("ATH_HAS_DEMOGRAPHICS"),
              QStringLiteral("Do Athletes have Demographics ?"), noYes);
    addEdit(QStringLiteral("MAXPARTSPERATH"), QStringLiteral("Max no of items"), 4);
    addChoice(QStringLiteral("DO_AGE_DEFAULTING"), QStringLiteral("Must Ages be Defaulted ?"),
              noYes);
    addEdit(QStringLiteral("DEFAULT_AGES"), QStringLiteral("Default ages"), 70);
    load();
}

} // namespace meeting
