#include "handdrawfixture.h"
#include "support/screenfit.h"
#include "support/untippedbuttons.h"

#include "draw/forms/additemdialog.h"
#include "draw/forms/beforeform.h"
#include "draw/forms/combinedgroupsform.h"
#include "draw/forms/combineitemsdialog.h"
#include "draw/forms/complexformatdialog.h"
#include "draw/forms/determineprogramdialog.h"
#include "draw/forms/drawathletesform.h"
#include "draw/forms/heatsarefinalsform.h"
#include "draw/forms/hotseatsform.h"
#include "draw/forms/indicateheatsform.h"
#include "draw/forms/lateathleteform.h"
#include "draw/forms/listwindow.h"
#include "draw/forms/manualdrawform.h"
#include "draw/forms/manualdrawmenu.h"
#include "draw/forms/programform.h"
#include "draw/forms/programrowdialog.h"
#include "draw/forms/selectitemsform.h"
#include "draw/forms/teamdrawsettings.h"
#include "draw/heatgroups.h"
#include "draw/programeditor.h"

using namespace draw;
using testing_support::listed;
using testing_support::offTheDesktop;
using testing_support::untippedButtons;

namespace {

// An event of two heats and a final with two entered swimmers: every draw screen has
// something to show.
class DrawButtonTipsTest : public HandDrawFixture {
protected:
    void SetUp() override
    {
        HandDrawFixture::SetUp();
        m_event = addSelected(QStringLiteral("FRE____100M13W"));
        saveFormat(m_event, QStringLiteral("2,2,2"));
        const qint64 team = addTeam(QStringLiteral("DOL"));
        enterSwimmer(m_event, addSwimmer(team, QStringLiteral("Alpha")));
        enterSwimmer(m_event, addSwimmer(team, QStringLiteral("Bravo")));
        m_sink.clear();
    }
    qint64 m_event = 0;
};

TEST_F(DrawButtonTipsTest, EveryButtonOfTheItemAndProgramScreensSaysWhatItDoes)
{
    const HeatGroups groups(*m_items, lanes());
    ProgramEditor editor(run());
    SelectItemsForm items(run());
    IndicateHeatsForm heats(run());
    HeatsAreFinalsForm finals(run());
    ComplexFormatDialog complex(*m_events, groups, ComplexEditor::Mode::Complex, m_event);
    AddItemDialog addItem(*m_items);
    ProgramForm program(run(), nullptr, [](QWidget*, base::Run&) {});
    ProgramRowDialog row(editor);
    DetermineProgramDialog determine(run());
    ConstantTeamDrawForm constant(run());
    PatternDrawForm pattern(run());
    ListWindow list(QStringLiteral("List"), QStringLiteral("Heading"), {QStringLiteral("line")});

    const QStringList missing =
        untippedButtons({&items, &heats, &finals, &complex, &addItem, &program, &row, &determine,
                         &constant, &pattern, &list});
    EXPECT_TRUE(missing.isEmpty()) << listed(missing);
    // The combined-item screens have their own tests for their buttons; here they must fit.
    CombineItemsDialog combine({{m_event, QStringLiteral("100m Freestyle 13 Male")}},
                               QStringLiteral("1"));
    CombinedGroupsForm combinedGroups(*m_events);
    const QStringList tooBig =
        offTheDesktop({&items, &heats, &finals, &complex, &addItem, &program, &row, &determine,
                       &constant, &pattern, &list, &combine, &combinedGroups});
    EXPECT_TRUE(tooBig.isEmpty()) << listed(tooBig);
}

TEST_F(DrawButtonTipsTest, EveryButtonOfTheDrawScreensSaysWhatItDoes)
{
    BeforeForm before(run(), {{QStringLiteral("&Draw Athletes"), &openDrawAthletes,
                               QStringLiteral("Opens the draw")}});
    DrawAthletesForm draws(run());
    LateAthleteForm late(run(), m_event);
    HotSeatsForm hotSeats(run(), m_event, QStringLiteral("F"));
    ManualDrawMenu menu(run(), m_event, QStringLiteral("A"));
    QStringList missing = untippedButtons({&before, &draws, &late, &hotSeats, &menu});
    QStringList tooBig = offTheDesktop({&before, &draws, &late, &hotSeats, &menu});
    // Each hand-draw action has buttons of its own.
    for (const ManualAction action : {ManualAction::SelectAndDraw, ManualAction::EditLanes,
                                      ManualAction::SwapSameTeam, ManualAction::Clear}) {
        ManualDrawForm hand(run(), m_event, QStringLiteral("A"), action);
        missing << untippedButtons(hand);
        tooBig << offTheDesktop({&hand});
    }
    EXPECT_TRUE(missing.isEmpty()) << listed(missing);
    EXPECT_TRUE(tooBig.isEmpty()) << listed(tooBig);
}

} // namespace
