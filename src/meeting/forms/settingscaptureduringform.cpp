#include "meeting/forms/settingscaptureduringform.h"

#include "meeting/settingsscreens.h"

namespace meeting {

SettingsCaptureDuringForm::SettingsCaptureDuringForm(base::Run& run, QWidget* parent)
    : ColumnSettingsForm(run, QStringLiteral("Settings: Capture During"), &saveCaptureDuring,
                         parent)
{
    const QList<ChoiceGroup::Choice> noYes = ChoiceGroup::noYes();
    addChoice(QStringLiteral("HAS_WIND"), QStringLiteral("Do you capture Wind ?"),
              {{QStringLiteral("No"), QStringLiteral("0")},
               {QStringLiteral("Track only"), QStringLiteral("1")},
               {QStringLiteral("Track and field"), QStringLiteral("2")}});
    addChoice(QStringLiteral("HAS_PERF_HIST"), QStringLiteral("Capture all Distances"), noYes);
    addChoice(QStringLiteral("RESULTS_VIEW_EXTERNAL"),
              QStringLiteral("Lumaro Starters and Results"), noYes);
    addChoice(QStringLiteral("RESULTS_HAS_REVISIONS"),
              QStringLiteral("Do releases have revisions ?"), noYes);
    addChoice(QStringLiteral("USES_CALLROOM"),
              QStringLiteral("CallRoom: Are you using the Callroom software\nfor Athletes to "
                             "report ?"),
              noYes);
    addChoice(QStringLiteral("CALLROOM_TRGR_ALL"), QStringLiteral("CallRoom notifies"),
              {{QStringLiteral("Only when Done"), QStringLiteral("0")},
               {QStringLiteral("Any status change"), QStringLiteral("1")}});
    addChoice(QStringLiteral("HAS_DRAW_SUMMARIES"),
              QStringLiteral("Do you want to print Draw Summaries ?"), noYes);
    showWhen(QStringLiteral("RESULTS_HAS_REVISIONS"), QStringLiteral("RESULTS_VIEW_EXTERNAL"),
             QStringLiteral("1"));
    showWhen(QStringLiteral("CALLROOM_TRGR_ALL"), QStringLiteral("USES_CALLROOM"),
             QStringLiteral("1"));
    load();
}

} // namespace meeting
