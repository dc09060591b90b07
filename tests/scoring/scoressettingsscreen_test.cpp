#include "scoring/athleticsfixture.h"

#include "scoring/forms/scoresettingsform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

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

} // namespace
