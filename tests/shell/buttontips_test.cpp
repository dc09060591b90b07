#include "support/screenfit.h"
#include "support/testdatabase.h"
#include "support/untippedbuttons.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/forms/screensize.h"
#include "meeting/currentmeeting.h"
#include "shell/forms/mainscreen.h"
#include "shell/forms/selectmeetingform.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using testing_support::untippedButtons;

namespace {

// The check the screen tests rely on: it must name what lacks a tooltip and only that.
TEST(UntippedButtons, NamesOnlyThePushAndToolButtonsWithoutATooltip)
{
    QDialog screen;
    screen.setWindowTitle(QStringLiteral("Trial"));
    auto* layout = new QVBoxLayout(&screen);
    auto* group = new QGroupBox(QStringLiteral("Inner"), &screen);
    auto* inner = new QVBoxLayout(group);
    base::addActionButton(inner, QStringLiteral("&Bare"), [] {});
    base::addActionButton(inner, QStringLiteral("&Told"), QStringLiteral("Does it"), [] {});
    layout->addWidget(group);
    layout->addWidget(new QCheckBox(QStringLiteral("A tick says it all"), &screen));
    auto* hidden = new QPushButton(QStringLiteral("Hidden"), &screen);
    hidden->hide();
    auto* disabled = new QPushButton(QStringLiteral("Disabled"), &screen);
    disabled->setEnabled(false);
    layout->addWidget(new QTableWidget(2, 2, &screen)); // its corner button is Qt's own
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &screen);
    layout->addWidget(box);

    EXPECT_EQ(untippedButtons(screen),
              (QStringList{QStringLiteral("Trial: &Bare"), QStringLiteral("Trial: Disabled"),
                           QStringLiteral("Trial: OK"), QStringLiteral("Trial: Cancel")}));

    base::explainButtons(box);
    EXPECT_EQ(untippedButtons(screen).size(), 2);
    EXPECT_TRUE(box->button(QDialogButtonBox::Cancel)->toolTip().contains(QStringLiteral("Esc")));
}

// The check the screen tests rely on for the size: the tests' desktop is 1024 x 768, a screen
// sized by the one helper fits it, a wanted size beyond it or a layout that insists on more
// room does not.
TEST(OffTheDesktop, NamesTheScreensThatDoNotFitASmallDesktop)
{
    ASSERT_EQ(QGuiApplication::primaryScreen()->size(), QSize(1024, 768));
    QDialog fixed;
    fixed.setWindowTitle(QStringLiteral("Fixed"));
    fixed.resize(1200, 800);
    QDialog bounded;
    bounded.setWindowTitle(QStringLiteral("Bounded"));
    base::resizeWithinDesktop(&bounded, QSize(1200, 800));
    QDialog crammed;
    crammed.setWindowTitle(QStringLiteral("Crammed"));
    auto* layout = new QVBoxLayout(&crammed);
    auto* wide = new QWidget(&crammed);
    wide->setMinimumSize(1100, 300);
    layout->addWidget(wide);
    base::resizeWithinDesktop(&crammed, QSize(600, 400));

    const QStringList lines = testing_support::offTheDesktop({&fixed, &bounded, &crammed});
    ASSERT_EQ(lines.size(), 2) << testing_support::listed(lines);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Fixed: 12"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Crammed: 11"))) << lines[1].toStdString();
    EXPECT_FALSE(bounded.isVisible());
    EXPECT_LE(bounded.width(), 1024);
    EXPECT_LE(bounded.height(), 768);
}

TEST(ExplainButtons, KeepsATooltipAButtonAlreadyHas)
{
    QDialogButtonBox box(QDialogButtonBox::Close);
    QPushButton* own = box.addButton(QStringLiteral("&Correct"), QDialogButtonBox::ActionRole);
    own->setToolTip(QStringLiteral("Corrects the names"));
    base::explainButtons(&box);
    EXPECT_EQ(own->toolTip(), QStringLiteral("Corrects the names"));
    EXPECT_EQ(box.button(QDialogButtonBox::Close)->toolTip(), base::closeTip());
}

class ShellButtonTipsTest : public testing_support::DatabaseTest {
protected:
    void SetUp() override
    {
        DatabaseTest::SetUp();
        meeting::prepareMeetingRun(run());
        m_sink.clear();
    }
};

TEST_F(ShellButtonTipsTest, EveryButtonOfTheMainScreenSaysWhatItDoes)
{
    base::ScreenOpeners some;
    some.openItems = [](QWidget*, base::Run&) {};
    some.openSettings[QStringLiteral("Settings: All")] = [](QWidget*, base::Run&) {};
    shell::MainScreen screen(run(), some);
    EXPECT_TRUE(untippedButtons(screen).isEmpty())
        << testing_support::listed(untippedButtons(screen));
    const QStringList tooBig = testing_support::offTheDesktop({&screen});
    EXPECT_TRUE(tooBig.isEmpty()) << testing_support::listed(tooBig);

    // Wired buttons say what they open and their key; unwired ones say they are not there yet.
    QPushButton* items = screen.button(QStringLiteral("2. Items"));
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(items->toolTip(), QStringLiteral("Opens the items screen (key 2)"));
    QPushButton* teams = screen.button(QStringLiteral("4. Teams   "));
    ASSERT_NE(teams, nullptr);
    EXPECT_TRUE(teams->toolTip().startsWith(QStringLiteral("Not available yet")));
    EXPECT_TRUE(teams->toolTip().endsWith(QStringLiteral("(key 4)")));
}

TEST_F(ShellButtonTipsTest, TheMeetingChoiceExplainsBothButtons)
{
    shell::SelectMeetingForm form({{1, QStringLiteral("Gala"), QStringLiteral("Pool"), {}}}, 1,
                                  QStringLiteral("Dolvane"));
    EXPECT_TRUE(untippedButtons(form).isEmpty()) << testing_support::listed(untippedButtons(form));
    const QStringList tooBig = testing_support::offTheDesktop({&form});
    EXPECT_TRUE(tooBig.isEmpty()) << testing_support::listed(tooBig);
}

} // namespace
