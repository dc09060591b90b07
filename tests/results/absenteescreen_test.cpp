#include "placesfixture.h"

#include "results/absentees.h"
#include "results/awolqueue.h"
#include "results/forms/absenteeform.h"
#include "results/statuscodes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTableWidget>

using namespace results;

namespace {

// The absentee screen over three events: a swimmer who did not start the first is drawn
// in the second's final (lane 4) and in a heat of the third.
class AbsenteeScreenTest : public PlacesTest {
protected:
    void SetUp() override
    {
        PlacesTest::SetUp();
        m_first = addEvent("FRE____100M13W", 1);
        m_second = addEvent("BCK____100M13W", 2);
        m_third = addEvent("BRE____100M13W", 3);
        addProgramRow(m_third, "A", 1, 3);
        m_absent = addAthlete();
        m_present = addAthlete();
        addFinal(m_first, {{"", "", 0, m_absent, 5, kDns}, {"", "", 0, m_present, 6}});
        addFinal(m_second, {{"", "", 0, m_absent, 4}, {"", "", 0, m_present, 5}});
        addFinal(m_third, {{"", "", 0, m_absent, 0}});
        addHeat(m_third, "A", 1, {{"", "", 0, m_absent, 3}});
        m_sink.clear();
    }
    QString cell(QTableWidget* table, int row, int column)
    {
        return table->item(row, column) ? table->item(row, column)->text() : QString();
    }
    QString statusOf(qint64 eventNo)
    {
        return value("select DISQ_STATUS from PARTICIPATE where EVENTNO = " + db::sqlInt(eventNo) +
                     " and ATHLETENO = " + db::sqlInt(m_absent));
    }

    qint64 m_first = 0, m_second = 0, m_third = 0, m_absent = 0, m_present = 0;
};

} // namespace

TEST_F(AbsenteeScreenTest, TheAbsentSwimmerIsTaggedUntaggedAndHisHeatsQueued)
{
    AbsenteeForm form(run(), 2);
    // Only the swimmer with a DNS is listed until the box is cleared.
    ASSERT_EQ(form.shownAthletes().size(), 1);
    EXPECT_EQ(form.currentAthleteNo(), m_absent);
    EXPECT_EQ(cell(form.athleteTable(), 0, AbsenteeForm::Dns), "1");
    EXPECT_EQ(cell(form.athleteTable(), 0, AbsenteeForm::Items), "3");
    EXPECT_EQ(form.entryTable()->rowCount(), 4); // three finals and the heat row
    form.candidatesOnly()->setChecked(false);
    EXPECT_EQ(form.shownAthletes().size(), 2);
    EXPECT_EQ(form.currentAthleteNo(), m_absent); // kept across the refresh

    // From the current event onwards (sequence 2), kept as the user's choice.
    form.rangeBox()->setCurrentIndex(int(AwolRange::CurrentEventOnwards));
    m_sink.answerYes();
    form.autoActions();
    EXPECT_TRUE(m_sink.saw("There are 1 Athletes to tag as Awol, and 2 items to tag as Oia"));
    EXPECT_EQ(readAwolOptions(run().config()).range, AwolRange::CurrentEventOnwards);
    const int at = form.athleteTable()->currentRow();
    EXPECT_EQ(cell(form.athleteTable(), at, AbsenteeForm::Awol), "Awol");
    EXPECT_EQ(cell(form.athleteTable(), at, AbsenteeForm::Oia), "2");
    EXPECT_EQ(statusOf(m_second), QString::number(kOia));

    // The second's OIA comes off by hand and the lane is back.
    int row = -1;
    for (int r = 0; r < form.entryTable()->rowCount(); ++r)
        if (cell(form.entryTable(), r, 0) == "2")
            row = r;
    ASSERT_GE(row, 0);
    form.entryTable()->setCurrentCell(row, 0);
    m_sink.answerYes();
    form.tagOia(false);
    EXPECT_EQ(statusOf(m_second), "0");
    EXPECT_EQ(value("select LANE from PARTICIPATE where EVENTNO = " + db::sqlInt(m_second) +
                    " and ATHLETENO = " + db::sqlInt(m_absent)),
              "4");
    // The athlete keeps his tag while an item is tagged.
    form.tagAwol(false);
    EXPECT_TRUE(m_sink.saw("The following Items are tagged:"));
    EXPECT_EQ(form.currentAthleteNo(), m_absent);
    EXPECT_EQ(cell(form.athleteTable(), form.athleteTable()->currentRow(), AbsenteeForm::Awol),
              "Awol");

    // The queue lists the heats to redraw, with the counts of the heat.
    AwolQueueForm queue(run());
    ASSERT_EQ(queue.table()->rowCount(), 2);
    EXPECT_EQ(cell(queue.table(), 0, 0), "DRAW");
    EXPECT_EQ(cell(queue.table(), 0, 4), "to do");
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
}

TEST_F(AbsenteeScreenTest, ActionsWithoutASelectionAreRefused)
{
    AbsenteeForm form(run());
    form.athleteTable()->setCurrentCell(-1, -1);
    form.tagAwol(true);
    form.absolve(true);
    EXPECT_EQ(m_sink.count(base::MessageKind::Warning), 2);
    EXPECT_TRUE(m_sink.saw("Select an Athlete first."));
    form.entryTable()->setCurrentCell(-1, -1);
    form.tagOia(true);
    EXPECT_TRUE(m_sink.saw("Select an Item of the Athlete first."));
    EXPECT_EQ(statusOf(m_second), "0");
}
