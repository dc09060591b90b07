#include "scoring/forms/afterform.h"

#include "base/forms/openerbutton.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/messages.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "records/forms/recordsetsform.h"
#include "scoring/bestathletes.h"
#include "scoring/forms/placepointsform.h"
#include "scoring/forms/reportform.h"
#include "scoring/forms/scorecalculatorform.h"
#include "scoring/medalcount.h"
#include "scoring/nathlontotals.h"
#include "scoring/placepoints.h"
#include "scoring/scoringsettings.h"
#include "scoring/teamrecordscore.h"
#include "scoring/teamtotals.h"
#include "scoring/topathletes.h"

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
    base::addActionButton(layout, QStringLiteral("&Team Totals"),
                          tr("Shows the points of each team, ready to print"),
                          [this] { teamTotals(); });
    base::addActionButton(layout, QStringLiteral("&Medals per Team"),
                          tr("Shows the gold, silver and bronze medals of each team"),
                          [this] { medals(); });
    base::addActionButton(layout, QStringLiteral("Team Score with &Records"),
                          tr("Shows the team points with the points for records broken"),
                          [this] { teamRecords(); });
    base::addActionButton(layout, QStringLiteral("&Best Athlete per Category"),
                          tr("Shows the best three of each gender and age"),
                          [this] { bestAthletes(); });
    base::addActionButton(layout, QStringLiteral("T&op Athletes"),
                          tr("Shows the athletes with the most points of the meeting"),
                          [this] { topAthletes(); });
    base::addActionButton(layout, QStringLiteral("&Place Points"),
                          tr("Opens the points given for each place"),
                          [this] { openPlacePoints(this, m_run); });
    base::addActionButton(layout, QStringLiteral("Record&Sets"),
                          tr("Opens the record sets and their records"),
                          [this] { records::openRecords(this, m_run); });
    if (!run.items().isSwimming()) {
        base::addActionButton(layout, QStringLiteral("Score C&alculator"),
                              tr("Turns a performance into table points and back"), [this] {
                                  ScoreCalculatorForm form(m_run, this);
                                  form.exec();
                              });
        base::addActionButton(layout, QStringLiteral("&n-Athlon Totals"),
                              tr("Shows the final totals of the combined items"),
                              [this] { nathlonTotals(); });
        base::addActionButton(layout, QStringLiteral("n-Athlon &Interim totals"),
                              tr("Shows the totals of the combined items so far"),
                              [this] { nathlonInterim(); });
    }
    base::addActionButton(layout, QStringLiteral("C&lose"), base::closeTip(), [this] { accept(); });
}

void AfterForm::teamTotals()
{
    const ScoringSettings settings = ScoringSettings::of(m_run.meeting());
    if (settings.teamScoreBasis == 99) {
        m_run.messages().note(kTopAthletesSplitNote);
        const TopAthletes top =
            scoring::topAthletes(*m_run.database(), m_run.items(), m_run.meeting());
        if (top.ok)
            showReport(this, m_run, top.totalsReport(true));
        return;
    }
    if (settings.teamScoreBasis == 1 &&
        !PlacePointsTable(*m_run.database(), m_run.currentMeetingNo())
             .checkBeforeUse(settings.leaguesHaveOwnPoints))
        return;
    // Split by competition only when the teams are in several.
    const QList<int> leagues =
        PlacePointsTable(*m_run.database(), m_run.currentMeetingNo()).leagues();
    const bool byLeague = leagues.size() > 1 || leagues.value(0) != 0;
    const TeamTotals totals = scoring::teamTotals(*m_run.database(), m_run.items(), m_run.meeting(),
                                                  byLeague ? SplitLeague : SplitNone);
    if (totals.ok)
        showReport(this, m_run, totals.report());
}

void AfterForm::medals()
{
    const MedalCount count = scoring::medalCount(
        *m_run.database(), m_run.items(), m_run.meeting(),
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
    const TopAthletes top = scoring::topAthletes(*m_run.database(), m_run.items(), m_run.meeting());
    if (!top.ok)
        return;
    const int chosen = m_run.messages().choose(
        QStringLiteral("Top Athletes"), QStringLiteral("Which report?"),
        {QStringLiteral("Team Totals"), QStringLiteral("Teams (Genders Summed)"),
         QStringLiteral("The performances of each Team")});
    if (chosen < 0 || chosen > 2)
        return;
    showReport(this, m_run, chosen == 2 ? top.detailReport() : top.totalsReport(chosen == 1));
}

void openAfter(QWidget* parent, base::Run& run,
               const std::function<void(QWidget*, base::Run&)>& openCheckLists)
{
    AfterForm form(run, parent);
    base::addOpenerButton(form, run, QStringLiteral("Errors and Chec&klists..."),
                          QObject::tr("Opens the lists that check the meeting for errors"),
                          openCheckLists);
    form.exec();
}

qint64 AfterForm::chooseNathlon(const QString& title)
{
    db::Query q = m_run.database()->openQuery(
        QStringLiteral("select EVENTNO, ITEMCODE from MYEVENT where ITEMCODE starting with 'NTH' "
                       "and MEETINGNO = ") +
        db::sqlInt(m_run.currentMeetingNo()) + QStringLiteral(" order by EVENTNO"));
    QList<qint64> events;
    QStringList names;
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        events.append(q.integer(QStringLiteral("EVENTNO")));
        names.append(
            m_run.items().ItemDescription(q.text(QStringLiteral("ITEMCODE")).trimmed(), false));
    }
    if (events.isEmpty()) {
        m_run.messages().warning(QStringLiteral("This is only applicable to n-Athlon results."));
        return 0;
    }
    const int chosen =
        events.size() == 1
            ? 0
            : m_run.messages().choose(title, QStringLiteral("Which n-Athlon?"), names);
    return chosen < 0 || chosen >= events.size() ? 0 : events[chosen];
}

void AfterForm::nathlonTotals()
{
    const qint64 eventNo = chooseNathlon(QStringLiteral("n-Athlon Totals"));
    if (eventNo <= 0)
        return;
    const int written = NathlonTotals(m_run).computeTotals(eventNo);
    if (written >= 0)
        m_run.messages().information(QStringLiteral("Done: the totals of ") +
                                     QString::number(written) +
                                     QStringLiteral(" athletes were calculated and placed."));
}

void AfterForm::nathlonInterim()
{
    const qint64 eventNo = chooseNathlon(QStringLiteral("n-Athlon Intirim totals"));
    if (eventNo <= 0)
        return;
    const Report report = NathlonTotals(m_run).interimReport(eventNo);
    if (!report.isEmpty())
        showReport(this, m_run, report);
}

} // namespace scoring
