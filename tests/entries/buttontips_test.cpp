#include "support/screenfit.h"
#include "support/untippedbuttons.h"
#include "teamsfixture.h"

#include "entries/forms/athletedialog.h"
#include "entries/forms/athleteimportform.h"
#include "entries/forms/athletenumbersform.h"
#include "entries/forms/athletesform.h"
#include "entries/forms/evententriesform.h"
#include "entries/forms/importreportdialog.h"
#include "entries/forms/namecaseform.h"
#include "entries/forms/relaymembersform.h"
#include "entries/forms/relayteamsform.h"
#include "entries/forms/teamdialog.h"
#include "entries/forms/teamsform.h"
#include "entries/forms/teamsplitform.h"
#include "entries/importreport.h"

using testing_support::listed;
using testing_support::untippedButtons;

namespace {

// A team of a boy and a girl entered in a race and a relay: every entry screen has rows.
class EntriesButtonTipsTest : public TeamsTest {
protected:
    void SetUp() override
    {
        TeamsTest::SetUp();
        m_race = addEvent(QStringLiteral("FRE_____50M13W"));
        m_relay = addEvent(QStringLiteral("F_R4X50___M13W"));
        m_team = team(QStringLiteral("Oak Park"), QStringLiteral("OAK"));
        const qint64 boy = athlete(m_team, QStringLiteral("Ash"), QStringLiteral("M"), 12);
        athlete(m_team, QStringLiteral("Birch"), QStringLiteral("F"), 12);
        enter(boy, m_team, m_race);
        m_sink.clear();
    }
    qint64 m_race = 0;
    qint64 m_relay = 0;
    qint64 m_team = 0;
};

TEST_F(EntriesButtonTipsTest, EveryButtonOfTheTeamScreensSaysWhatItDoes)
{
    entries::Teams teams(database(), m_meeting);
    entries::TeamsForm list(run());
    entries::TeamDialog edit(teams, *teams.find(m_team));
    entries::TeamSplitForm split(run(), teams.list());
    entries::NameCaseForm names(run(), m_team);
    entries::AthleteNumbersForm numbers(run());

    const QStringList missing = untippedButtons({&list, &edit, &split, &names, &numbers});
    EXPECT_TRUE(missing.isEmpty()) << listed(missing);
    const QStringList tooBig =
        testing_support::offTheDesktop({&list, &edit, &split, &names, &numbers});
    EXPECT_TRUE(tooBig.isEmpty()) << testing_support::listed(tooBig);
}

TEST_F(EntriesButtonTipsTest, EveryButtonOfTheSwimmerAndEntryScreensSaysWhatItDoes)
{
    setMeeting(QStringLiteral("ATH_HAS_BIRTHDATE"), 1); // brings "Clear Birthdate"
    entries::Athletes athletes(database(), settings());
    entries::AthleteRow fresh;
    fresh.teamNo = m_team;
    entries::AthletesForm swimmers(run());
    entries::AthleteDialog swimmer(athletes, settings(), fresh, QStringLiteral("Oak Park"),
                                   QStringLiteral("Swimmer"));
    entries::EventEntriesForm entries(run());
    entries::RelayTeamsForm relays(run());
    entries::RelayMembersForm members(run(), m_relay, QStringLiteral("4x50 Freestyle"));
    entries::AthleteImportForm import(run());
    entries::ImportReport findings;
    findings.add(2, entries::ImportFinding::AthleteError, QStringLiteral("no surname"));
    entries::ImportReportDialog report(messages(), findings, QStringLiteral("swimmers.csv"),
                                       [](int) { return QStringLiteral("ASH, Kim (OAK)"); });

    const QStringList missing =
        untippedButtons({&swimmers, &swimmer, &entries, &relays, &members, &import, &report});
    EXPECT_TRUE(missing.isEmpty()) << listed(missing);
    const QStringList tooBig = testing_support::offTheDesktop(
        {&swimmers, &swimmer, &entries, &relays, &members, &import, &report});
    EXPECT_TRUE(tooBig.isEmpty()) << testing_support::listed(tooBig);
}

} // namespace
