#include "scoring/forms/afterform.h"

#include "meeting/meetingsettings.h"
#include "records/forms/recordsetsform.h"
#include "scoring/bestathletes.h"
#include "scoring/forms/placepointsform.h"
#include "scoring/forms/reportform.h"
#include "scoring/medalcount.h"
#include "scoring/placepoints.h"
#include "scoring/scoringsettings.h"
#include "scoring/teamrecordscore.h"
#include "scoring/teamtotals.h"
#include "base/forms/formkeys.h"
#include "base/messages.h"
#include "base/run.h"

#include <QVBoxLayout>

namespace scoring {

namespace {

void showReport(QWidget* parent, base::Run& run, const Report& report)
{
    ReportForm form(run, report, parent);
    form.exec();
}

} // namespace

AfterForm::AfterForm(base::Run& run, QWidget* parent) : QDialog(parent), m_run(run)
{
    setWindowTitle(QStringLiteral("After"));
    auto* layout = new QVBoxLayout(this);
    base::addActionButton(layout, QStringLiteral("&Team Totals"), [this] { teamTotals(); });
    base::addActionButton(layout, QStringLiteral("&Medals per Team"), [this] { medals(); });
    base::addActionButton(layout, QStringLiteral("Team Score with &Records"),
                           [this] { teamRecords(); });
    base::addActionButton(layout, QStringLiteral("&Best Athlete per Category"),
                           [this] { bestAthletes(); });
    base::addActionButton(layout, QStringLiteral("T&op Athletes"), [this] { topAthletes(); });
    base::addActionButton(layout, QStringLiteral("&Place Points"),
                           [this] { openPlacePoints(this, m_run); });
    base::addActionButton(layout, QStringLiteral("Record&Sets"),
                           [this] { records::openRecords(this, m_run); });
    base::addActionButton(layout, QStringLiteral("C&lose"), [this] { accept(); });
}

void AfterForm::teamTotals()
{
    const ScoringSettings settings = ScoringSettings::of(m_run.meeting());
    if (settings.teamScoreBasis == 1 &&
        !PlacePointsTable(*m_run.database(), m_run.currentMeetingNo())
             .checkBeforeUse(settings.leaguesHaveOwnPoints))
        return;
    const TeamTotals totals =
        scoring::teamTotals(*m_run.database(), m_run.items(), m_run.meeting(), SplitLeague);
    if (totals.ok)
        showReport(this, m_run, totals.report());
}

void AfterForm::medals()
{
    const MedalCount count = scoring::medalCount(
        *m_run.database(), m_run.meeting(),
        m_run.messages().confirm(QStringLiteral("Do you want to split the count by Gender")));
    if (count.ok)
        showReport(this, m_run, count.report());
}

void AfterForm::teamRecords()
{
    TeamRecordScoreSettings settings;
    settings.load(m_run.config());
    const TeamRecordScore score =
        teamRecordScore(*m_run.database(), m_run.items(), m_run.meeting(), settings);
    if (score.ok)
        showReport(this, m_run, score.report());
}

void AfterForm::bestAthletes()
{
    bool ok = false;
    const Report report = scoring::bestAthletes(*m_run.database(), m_run.items(), m_run.meeting(),
                                                GroupByGender | GroupByAge, 3, &ok);
    if (ok)
        showReport(this, m_run, report);
}

void AfterForm::topAthletes()
{
    bool ok = false;
    const Report report = scoring::topAthletes(*m_run.database(), m_run.meeting(), &ok);
    if (ok)
        showReport(this, m_run, report);
}

void openAfter(QWidget* parent, base::Run& run)
{
    AfterForm form(run, parent);
    form.exec();
}

} // namespace scoring
