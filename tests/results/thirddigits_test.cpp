#include "support/capturefixture.h"

#include "db/sqltext.h"
#include "results/calcstate.h"
#include "results/thirddigits.h"

using namespace results;

namespace {

class ThirdDigitsTest : public CaptureFixture {
protected:
    void SetUp() override
    {
        CaptureFixture::SetUp();
        m_event = addEvent(m_free50);
        m_swimmers = swimmers(3);
        m_heat = drawHeat(m_event, "A", 1, m_swimmers);
        m_final = programNoOf(database(), m_event, "F", 0);
        m_tied = time(m_free50, 31.16);
        setTime(m_swimmers[0], m_tied);
        setTime(m_swimmers[1], m_tied);
        setTime(m_swimmers[2], time(m_free50, 31.50));
        m_sink.clear();
    }
    void setTime(qint64 athleteNo, const QString& t)
    {
        ASSERT_TRUE(database().execute("update HEATPART set PERFORMANCE = " + db::quoted(t) +
                                       " where ATHLETENO = " + db::sqlInt(athleteNo)));
    }
    CaptureAthleteRow inHeat(int i) { return athleteIn(m_heat, m_swimmers[i]); }
    QList<CaptureAthleteRow> heatRows()
    {
        return captureAthletes(database(), *m_items, programRow(m_heat), draw::MemberOrder::Lane);
    }

    qint64 m_event = 0;
    qint64 m_heat = 0;
    qint64 m_final = 0;
    QString m_tied;
    QList<qint64> m_swimmers;
};

} // namespace

TEST_F(ThirdDigitsTest, TheGridListsOnlyTheEqualTimesAndStoresTheirDigits)
{
    ThirdDigits digits(run());
    QList<ThirdDigitLine> grid = digits.grid(programRow(m_heat), heatRows());
    ASSERT_EQ(grid.size(), 2);
    EXPECT_EQ(grid[0].athleteNo, m_swimmers[0]);
    EXPECT_EQ(grid[1].athleteNo, m_swimmers[1]);
    grid[0].thirdDigit = "7";
    grid[1].thirdDigit = "x";
    EXPECT_FALSE(digits.setDigits(programRow(m_heat), heatRows(), grid));
    EXPECT_TRUE(m_sink.saw("Enter a digit"));
    EXPECT_EQ(column(m_heat, m_swimmers[0], "THIRD_DIGIT"), "") << "nothing is half-written";
    grid[1].thirdDigit = "3";
    ASSERT_TRUE(digits.setDigits(programRow(m_heat), heatRows(), grid));
    EXPECT_EQ(column(m_heat, m_swimmers[0], "THIRD_DIGIT"), "7");
    EXPECT_EQ(column(m_heat, m_swimmers[1], "THIRD_DIGIT"), "3");
    const QList<ThirdDigitLine> after = digits.grid(programRow(m_heat), heatRows());
    EXPECT_EQ(after[0].threeDecimals, m_items->AddThirdDigit(m_free50, m_tied, "7"));
    EXPECT_NE(after[0].threeDecimals, after[1].threeDecimals);
}

TEST_F(ThirdDigitsTest, OnAFinalThatIsNotRunTheDigitGoesToRoundAAndOrdersTheFinal)
{
    ASSERT_TRUE(database().execute("update MYEVENT set FINAL_NOT_RUN = 1 where EVENTNO = " +
                                   db::sqlInt(m_event)));
    ASSERT_TRUE(calculatePlaces(run(), m_final));
    EXPECT_EQ(column(m_final, m_swimmers[0], "E_PLACE"), "1");
    EXPECT_EQ(column(m_final, m_swimmers[1], "E_PLACE"), "1");

    ThirdDigits digits(run());
    // The slower swimmer has no equal time: a digit makes no sense there.
    EXPECT_FALSE(digits.setDigit(programRow(m_final), athleteIn(m_final, m_swimmers[2]), "5"));
    EXPECT_TRUE(m_sink.saw("You can only edit the Third Digit on calculated finals,"));
    EXPECT_EQ(column(m_heat, m_swimmers[2], "THIRD_DIGIT"), "");

    ASSERT_TRUE(digits.setDigit(programRow(m_final), athleteIn(m_final, m_swimmers[0]), "7"));
    ASSERT_TRUE(digits.setDigit(programRow(m_final), athleteIn(m_final, m_swimmers[1]), "3"));
    EXPECT_EQ(column(m_heat, m_swimmers[0], "THIRD_DIGIT"), "7");
    EXPECT_EQ(column(m_final, m_swimmers[0], "THIRD_DIGIT"), "") << "not before the calculation";
    ASSERT_TRUE(calculatePlaces(run(), m_final));
    EXPECT_EQ(column(m_final, m_swimmers[1], "E_PLACE"), "1");
    EXPECT_EQ(column(m_final, m_swimmers[0], "E_PLACE"), "2");
    EXPECT_EQ(column(m_final, m_swimmers[2], "E_PLACE"), "3");
}
