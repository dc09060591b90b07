#include "scoring/athleticsfixture.h"

#include "scoring/forms/scoresettingsform.h"
#include "scoring/forms/selectscoretabledialog.h"
#include "scoring/scoresetchoice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class ScoresSettingsScreenTest : public AthleticsTest {
protected:
    QString stored(const char* column)
    {
        return value(QStringLiteral("select ") + QLatin1String(column) +
                     QStringLiteral(" from MEETING where MEETINGNO = ") + db::sqlInt(m_meetingNo));
    }
    static void choose(QComboBox* box, int set)
    {
        const int index = box->findData(set);
        ASSERT_GE(index, 0) << set;
        box->setCurrentIndex(index);
    }
};

TEST_F(ScoresSettingsScreenTest, TheChosenTablesHeightAndTimingAreStored)
{
    scoring::ScoresSettingsForm form(run());
    EXPECT_EQ(form.scoreSet()->currentData().toInt(), 0);
    EXPECT_EQ(form.scoreSet()->itemText(form.scoreSet()->findData(32)), "WorldAth 2017 VETS");
    EXPECT_EQ(form.nAthlonSet()->itemText(form.nAthlonSet()->findData(19)),
              "WorldAth 2008 COMB  (not loaded)");
    choose(form.scoreSet(), 37);
    form.tableScore()->setChecked(true);
    choose(form.nAthlonSet(), 5);
    form.height()->setText(" 1450 ");
    form.handTiming()->setChecked(true);
    form.mastersItems()->setChecked(true);
    ASSERT_TRUE(form.save());
    EXPECT_EQ(stored("SCORESETNO"), "37");
    EXPECT_EQ(stored("HAS_TABLE_SCORE"), "1");
    EXPECT_EQ(stored("NATHLON_SCORESET"), "5");
    EXPECT_EQ(stored("HEIGHTABOVESEA"), "1450");
    EXPECT_EQ(stored("ELECHAND"), "2");
    EXPECT_EQ(stored("HAS_MASTERS_ITEMS"), "1");
    // The run works with the new settings at once, and the screen shows them again.
    EXPECT_EQ(run().meeting().integer("NATHLON_SCORESET"), 5);
    scoring::ScoresSettingsForm again(run());
    EXPECT_EQ(again.scoreSet()->currentData().toInt(), 37);
    EXPECT_EQ(again.height()->text(), "1450");
    EXPECT_TRUE(again.handTiming()->isChecked());
}

TEST_F(ScoresSettingsScreenTest, ATableWithoutItsDataOrAHeightThatIsNoNumberStoresNothing)
{
    scoring::ScoresSettingsForm form(run());
    choose(form.nAthlonSet(), 19);
    EXPECT_FALSE(form.save());
    EXPECT_TRUE(m_sink.saw("The ScoreTable for WorldAth 2008 Comb is not available"));
    choose(form.nAthlonSet(), 5);
    form.tableScore()->setChecked(true);
    EXPECT_FALSE(form.save());
    EXPECT_TRUE(m_sink.saw("Select the Score table with which every event is scored"));
    choose(form.scoreSet(), 32);
    form.height()->setText("high");
    EXPECT_FALSE(form.save());
    EXPECT_TRUE(m_sink.saw("The height is not a number"));
    form.height()->clear();
    EXPECT_FALSE(form.save());
    EXPECT_TRUE(m_sink.saw("The Height above sealevel is empty"));
    EXPECT_EQ(stored("NATHLON_SCORESET"), "0");
    EXPECT_EQ(stored("SCORESETNO"), "0");
    EXPECT_EQ(stored("HAS_TABLE_SCORE"), "0");
    form.height()->setText("0");
    EXPECT_TRUE(form.save());
    EXPECT_EQ(stored("SCORESETNO"), "32");
}

TEST_F(ScoresSettingsScreenTest, SelectScoreTableOffersTheSettingsListAndStoresOnlyTheEventsTable)
{
    setMeeting("NATHLON_SCORESET = 5, HEIGHTABOVESEA = 1450");
    int kept = -1;
    scoring::SelectScoreTableDialog dialog(0, [&](int set) {
        kept = set;
        return scoring::saveMeetingScoreSet(run(), set);
    });
    // The same tables as the settings screen, marked the same way.
    scoring::ScoresSettingsForm settings(run());
    ASSERT_EQ(dialog.sets()->count(), settings.scoreSet()->count());
    for (int i = 0; i < dialog.sets()->count(); ++i)
        EXPECT_EQ(dialog.sets()->itemText(i), settings.scoreSet()->itemText(i)) << i;
    EXPECT_EQ(dialog.chosenSet(), 0);

    dialog.show();
    choose(dialog.sets(), 19);
    QTest::keyClick(dialog.sets(), Qt::Key_Return);
    EXPECT_EQ(kept, 19);
    EXPECT_TRUE(m_sink.saw("The ScoreTable for WorldAth 2008 Comb is not available"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(stored("SCORESETNO"), "0");

    choose(dialog.sets(), 37);
    QTest::keyClick(dialog.sets(), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(stored("SCORESETNO"), "37");
    EXPECT_EQ(run().meeting().integer("SCORESETNO"), 37);
    // Nothing else of the settings changes.
    EXPECT_EQ(stored("NATHLON_SCORESET"), "5");
    EXPECT_EQ(stored("HEIGHTABOVESEA"), "1450");
    scoring::SelectScoreTableDialog again(37, [](int) { return true; });
    EXPECT_EQ(again.chosenSet(), 37);
}

TEST_F(ScoresSettingsScreenTest, AMeetingThatScoresEveryEventKeepsATable)
{
    setMeeting("SCORESETNO = 32, HAS_TABLE_SCORE = 1");
    EXPECT_FALSE(scoring::saveMeetingScoreSet(run(), 0));
    EXPECT_TRUE(m_sink.saw("Select the Score table with which every event is scored"));
    EXPECT_EQ(stored("SCORESETNO"), "32");
    setMeeting("HAS_TABLE_SCORE = 0");
    EXPECT_TRUE(scoring::saveMeetingScoreSet(run(), 0));
    EXPECT_EQ(stored("SCORESETNO"), "0");
}

} // namespace
