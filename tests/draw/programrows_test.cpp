#include "drawfixture.h"

#include "db/sqltext.h"
#include "draw/programeditor.h"
#include "draw/programorder.h"
#include "draw/programrows.h"
#include "meeting/meetingsettings.h"

using namespace draw;

namespace {

class ProgramRowsTest : public DrawFixture {
protected:
    QString slotOf(qint64 eventNo, const QString& round, int heat)
    {
        return value(QStringLiteral("select DAY_SEQ || ' ' || coalesce(cast(THETIME as "
                                    "varchar(13)), '') || ' ' || SEQ from "
                                    "PROGRAM where EVENTNO = ") +
                     db::sqlInt(eventNo) + QStringLiteral(" and ROUND = ") + db::quoted(round) +
                     QStringLiteral(" and HEATNO = ") + db::sqlInt(heat));
    }
    ProgramEditor editor() { return ProgramEditor(run()); }
    qint64 programNo(qint64 eventNo, const QString& round, int heat)
    {
        return value(QStringLiteral("select PROGRAMNO from PROGRAM where EVENTNO = ") +
                     db::sqlInt(eventNo) + QStringLiteral(" and ROUND = ") + db::quoted(round) +
                     QStringLiteral(" and HEATNO = ") + db::sqlInt(heat))
            .toLongLong();
    }
};

TEST_F(ProgramRowsTest, ASelectedEventHasItsFinalAtOnce)
{
    const qint64 e = addSelected("FRE____100M13W");
    EXPECT_EQ(heats(e, "F"), 1);
    EXPECT_EQ(value("select HEATNO || DAY_SEQ from PROGRAM where EVENTNO = " + db::sqlInt(e)),
              "01");
}

TEST_F(ProgramRowsTest, HeatsFollowTheFormatWhenItIsLengthenedAndShortened)
{
    const qint64 e = addSelected("FRE____100M13W");
    saveFormat(e, "4,3,4/2,3,2");
    EXPECT_EQ(heats(e, "B"), 4);
    EXPECT_EQ(heats(e, "A"), 2);
    EXPECT_EQ(heats(e, "F"), 1);
    // The last heat of round B gets a time; new heats copy it.
    SlotEdit edit;
    edit.time = QTime(9, 40);
    edit.seq = 7;
    ASSERT_TRUE(editor().apply(programNo(e, "B", 4), edit));
    saveFormat(e, "6,3,6/2,3,2");
    EXPECT_EQ(heats(e, "B"), 6);
    EXPECT_EQ(slotOf(e, "B", 5), "1 09:40:00.0000 7");
    EXPECT_EQ(slotOf(e, "B", 6), "1 09:40:00.0000 7");
    // Shortened to one round: round B goes, round A shrinks to its new count.
    saveFormat(e, "2,3,2");
    EXPECT_EQ(heats(e, "B"), 0);
    EXPECT_EQ(heats(e, "A"), 2);
    EXPECT_EQ(count("PROGRAM", "EVENTNO = " + db::sqlInt(e) + " and ROUND = 'A' and HEATNO > 2"),
              0);
    saveFormat(e, "");
    EXPECT_EQ(count("PROGRAM", "EVENTNO = " + db::sqlInt(e)), 1);
    EXPECT_EQ(value("select HEATCOUNTS from MYEVENT where EVENTNO = " + db::sqlInt(e)), "");
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
}

TEST_F(ProgramRowsTest, ReducingHeatsRemovesTheHighestNumbers)
{
    const qint64 e = addSelected("BRE_____50F11W");
    saveFormat(e, "4,2,0");
    ASSERT_TRUE(
        database().execute("update PROGRAM set SEQ = HEATNO where EVENTNO = " + db::sqlInt(e)));
    saveFormat(e, "2,4,0");
    EXPECT_EQ(value("select list(HEATNO) from (select HEATNO from PROGRAM where EVENTNO = " +
                    db::sqlInt(e) + " and ROUND = 'A' order by HEATNO)"),
              "1,2");
    EXPECT_EQ(slotOf(e, "A", 2), "1  2");
}

TEST_F(ProgramRowsTest, AddingAHeatTwiceOrRemovingAMissingOneIsAnInternalError)
{
    const qint64 e = addSelected("BCK_____50M11W");
    ProgramRows rows(database(), messages());
    EXPECT_FALSE(rows.addHeat(e, "F", 0, HeatSlot{}));
    EXPECT_TRUE(m_sink.saw("Heat already exist:"));
    EXPECT_FALSE(rows.removeHeat(e, "A", 3));
    EXPECT_TRUE(m_sink.saw("Heat disappeared"));
    EXPECT_EQ(heats(e, "F"), 1);
}

TEST_F(ProgramRowsTest, UnselectingRemovesTheFinalAndBreaksBecomeDisconnected)
{
    const qint64 e = addSelected("BFL_____50M11W");
    m_events->saveSelection();
    ASSERT_TRUE(m_events->setSelected(e, false));
    m_events->saveSelection();
    EXPECT_EQ(count("PROGRAM", "EVENTNO = " + db::sqlInt(e)), 0);
}

TEST_F(ProgramRowsTest, ProgramOrderAcrossDaysAndRounds)
{
    const qint64 a = addSelected("FRE____100M13W");
    const qint64 b = addSelected("FRE_____50F13W");
    saveFormat(a, "4,3,4/2,3,2");
    ProgramEditor ed = editor();
    // Event a: heats on day 1 at 09:00, semis day 1 at 15:00, final day 2 at 10:00.
    // Event b: its final day 1 at 11:00.
    for (int h = 1; h <= 4; ++h) {
        SlotEdit s;
        s.time = QTime(9, 0);
        ASSERT_TRUE(ed.apply(programNo(a, "B", h), s));
    }
    for (int h = 1; h <= 2; ++h) {
        SlotEdit s;
        s.time = QTime(15, 0);
        ASSERT_TRUE(ed.apply(programNo(a, "A", h), s));
    }
    SlotEdit fin;
    fin.day = 2;
    fin.time = QTime(10, 0);
    ASSERT_TRUE(ed.apply(programNo(a, "F", 0), fin));
    SlotEdit other;
    other.time = QTime(11, 0);
    ASSERT_TRUE(ed.apply(programNo(b, "F", 0), other));
    const QList<ProgramLine> lines =
        ProgramListing(database()).lines(m_meetingNo, ProgramOrder::Time);
    QStringList order;
    for (const ProgramLine& l : lines)
        order.append(QString::number(l.day) + l.round + QString::number(l.heatNo) +
                     (l.eventNo == b ? "b" : ""));
    EXPECT_EQ(order.join(' '), "1B1 1B2 1B3 1B4 1F0b 1A1 1A2 2F0");
    // Renumbering follows that order; rounds share nothing by default.
    ASSERT_TRUE(ed.renumber(false));
    EXPECT_EQ(
        value("select SEQ from PROGRAM where EVENTNO = " + db::sqlInt(a) + " and ROUND = 'F'"),
        "8");
    // Only day 2.
    EXPECT_EQ(ProgramListing(database()).lines(m_meetingNo, ProgramOrder::Time, 2).size(), 1);
}

TEST_F(ProgramRowsTest, RowsWithoutATimeComeBeforeTheTimedOnesOfTheirDay)
{
    // A new program: the first event's heats get their start time, the rest none yet.
    const qint64 first = addSelected("FRE_____50M09W");
    const qint64 second = addSelected("BCK_____50M09W");
    const qint64 third = addSelected("BRE_____50M09W");
    for (const qint64 e : {first, second, third})
        saveFormat(e, "2,5,0");
    ProgramEditor ed = editor();
    ASSERT_TRUE(ed.renumber(false));
    SlotEdit start;
    start.time = QTime(8, 30);
    ASSERT_TRUE(ed.apply(programNo(first, "A", 1), start));
    start.time = QTime(8, 34);
    ASSERT_TRUE(ed.apply(programNo(first, "A", 2), start));
    // The last event's final moves to day 2, still without a time.
    SlotEdit dayTwo;
    dayTwo.day = 2;
    ASSERT_TRUE(ed.apply(programNo(third, "F", 0), dayTwo));
    auto timeOrder = [&] {
        QStringList order;
        for (const ProgramLine& l :
             ProgramListing(database()).lines(m_meetingNo, ProgramOrder::Time)) {
            const QString event = l.eventNo == first ? "a" : l.eventNo == second ? "b" : "c";
            order.append(QString::number(l.day) + event + l.round + QString::number(l.heatNo));
        }
        return order.join(' ');
    };
    // The database orders an empty time before every time of the day; among the rows
    // without one the sequence decides.
    EXPECT_EQ(timeOrder(), "1aF0 1bA1 1bA2 1bF0 1cA1 1cA2 1aA1 1aA2 2cF0");
    // Renumbering follows the same order.
    ASSERT_TRUE(ed.renumber(false));
    EXPECT_EQ(slotOf(first, "F", 0), "1  1");
    EXPECT_EQ(slotOf(second, "A", 1), "1  2");
    EXPECT_EQ(slotOf(first, "A", 1), "1 08:30:00.0000 7");
    EXPECT_EQ(slotOf(first, "A", 2), "1 08:34:00.0000 8");
    EXPECT_EQ(slotOf(third, "F", 0), "2  9");
}

TEST_F(ProgramRowsTest, MovingTheRestOfADaySplitsTheProgramOverTwoDays)
{
    const qint64 first = addSelected("FRE_____50M09W");
    const qint64 second = addSelected("BCK_____50M09W");
    const qint64 third = addSelected("BRE_____50M09W");
    for (const qint64 e : {first, second, third})
        saveFormat(e, "2,5,0");
    ProgramEditor ed = editor();
    ASSERT_TRUE(ed.renumber(false));
    // Every row of the day has a time, so the time order is the program's order.
    ASSERT_TRUE(database().execute("update PROGRAM set THETIME = '08:30'"));
    ASSERT_TRUE(ed.setDayCount("1"));
    // Beyond the meeting's days: refused, nothing moves.
    EXPECT_FALSE(ed.moveRestOfDay(programNo(second, "A", 1), "2"));
    EXPECT_TRUE(m_sink.saw("Currently the setting for the Meeting is \"1 day\"."));
    ASSERT_TRUE(ed.setDayCount("2"));
    m_sink.answerNo();
    EXPECT_FALSE(ed.moveRestOfDay(programNo(second, "A", 1), "2"));
    EXPECT_TRUE(m_sink.saw("Move 6 rows, from sequence 4 to the end of day 1, to day 2"));
    EXPECT_EQ(count("PROGRAM", "DAY_SEQ = 2"), 0);
    m_sink.answerYes();
    ASSERT_TRUE(ed.moveRestOfDay(programNo(second, "A", 1), "2"));
    EXPECT_EQ(value("select list(SEQ) from (select SEQ from PROGRAM where DAY_SEQ = 1 order "
                    "by SEQ)"),
              "1,2,3");
    // Times and sequence numbers travel with the rows.
    EXPECT_EQ(slotOf(first, "A", 1), "1 08:30:00.0000 1");
    EXPECT_EQ(slotOf(second, "A", 1), "2 08:30:00.0000 4");
    EXPECT_EQ(slotOf(third, "F", 0), "2 08:30:00.0000 9");
    // Back again from the middle of day 2: only the rest of day 2 moves.
    m_sink.answerYes();
    ASSERT_TRUE(ed.moveRestOfDay(programNo(third, "A", 1), "1"));
    EXPECT_EQ(count("PROGRAM", "DAY_SEQ = 2"), 3);
    EXPECT_EQ(slotOf(second, "F", 0), "2 08:30:00.0000 6");
    EXPECT_EQ(m_sink.pendingAnswers(), 0);
}

TEST_F(ProgramRowsTest, SequenceOrderRunsRoundsCBAThenTheFinal)
{
    const qint64 e = addSelected("FRE____100M15W");
    saveFormat(e, "8,3,8/4,3,4/2,4,0");
    const QList<ProgramLine> lines =
        ProgramListing(database()).lines(m_meetingNo, ProgramOrder::Sequence);
    ASSERT_EQ(lines.size(), 15);
    EXPECT_EQ(lines.first().round, "C");
    EXPECT_EQ(lines[8].round, "B");
    EXPECT_EQ(lines[12].round, "A");
    EXPECT_EQ(lines.last().round, "F");
}

TEST_F(ProgramRowsTest, RenumberingWithRoundsSharingTheirNumber)
{
    changeMeeting({{"ROUND_SEQ_SAME", "1"}});
    const qint64 e = addSelected("FRE____100M15W");
    saveFormat(e, "3,2,2");
    ASSERT_TRUE(editor().renumber(false));
    EXPECT_EQ(value("select list(distinct SEQ) from PROGRAM where ROUND = 'A'"), "1");
    EXPECT_EQ(value("select SEQ from PROGRAM where ROUND = 'F'"), "2");
}

TEST_F(ProgramRowsTest, BadTimesAndDaysAreRefusedAndChangeNothing)
{
    const qint64 e = addSelected("FRE____100M15W");
    ProgramEditor ed = editor();
    EXPECT_FALSE(ed.parseTime("25:61").has_value());
    EXPECT_TRUE(m_sink.saw("The hour must be from between 0 and 23"));
    EXPECT_FALSE(ed.parseTime("1261").has_value());
    EXPECT_TRUE(m_sink.saw("The minutes must be from between 0 and 59"));
    EXPECT_EQ(*ed.parseTime("0930"), QTime(9, 30));
    EXPECT_FALSE(ed.parseDay("3").has_value());
    EXPECT_TRUE(m_sink.saw("This more than the number of days you indicated under"));
    EXPECT_EQ(slotOf(e, "F", 0), "1  0");
    EXPECT_FALSE(ed.setDayCount("11"));
    EXPECT_TRUE(m_sink.saw("The max days is 10"));
    EXPECT_FALSE(ed.setDayCount("x"));
    EXPECT_TRUE(m_sink.saw("The Days must be a number"));
    SlotEdit d2;
    d2.day = 2;
    ASSERT_TRUE(ed.apply(programNo(e, "F", 0), d2));
    EXPECT_FALSE(ed.setDayCount("1"));
    EXPECT_TRUE(m_sink.saw("There are already events with a day of 2"));
    EXPECT_EQ(value("select DAY_COUNT from MEETING"), "2");
    EXPECT_EQ(run().meeting().dayCount(), 2);
}

TEST_F(ProgramRowsTest, ANewDayCountHoldsForTheNextEditAtOnce)
{
    const qint64 e = addSelected("FRE____100M15W");
    ProgramEditor ed = editor();
    ASSERT_TRUE(ed.setDayCount("4"));
    EXPECT_EQ(value("select DAY_COUNT from MEETING"), "4");
    SlotEdit d4;
    d4.day = 4;
    EXPECT_TRUE(ed.apply(programNo(e, "F", 0), d4));
    EXPECT_EQ(slotOf(e, "F", 0).left(1), "4");
    // A shift that would run past the last day is still refused.
    EXPECT_FALSE(ed.shiftTimes(programNo(e, "F", 0), 24 * 60, ProgramOrder::Time));
    EXPECT_TRUE(m_sink.saw("You may not move the last Event past the number of"));
}

TEST_F(ProgramRowsTest, ShiftingTimesMovesTheRestOfTheDay)
{
    const qint64 a = addSelected("FRE_____50M11W");
    const qint64 b = addSelected("FRE_____50F11W");
    ProgramEditor ed = editor();
    SlotEdit s1;
    s1.time = QTime(9, 0);
    ASSERT_TRUE(ed.apply(programNo(a, "F", 0), s1));
    SlotEdit s2;
    s2.time = QTime(9, 10);
    ASSERT_TRUE(ed.apply(programNo(b, "F", 0), s2));
    EXPECT_FALSE(ed.shiftTimes(programNo(b, "F", 0), 5, ProgramOrder::Sequence));
    EXPECT_TRUE(m_sink.saw("The events must be ordered by time before you execute this function"));
    EXPECT_FALSE(ed.shiftTimes(programNo(b, "F", 0), -15, ProgramOrder::Time));
    EXPECT_TRUE(m_sink.saw("You cannot shift the start to before the previous item"));
    m_sink.answerYes();
    ASSERT_TRUE(ed.shiftTimes(programNo(b, "F", 0), 20, ProgramOrder::Time));
    EXPECT_TRUE(m_sink.saw("Shift time: starting at event 0 forward with 20 minutes"));
    EXPECT_EQ(slotOf(b, "F", 0), "1 09:30:00.0000 0");
    EXPECT_EQ(slotOf(a, "F", 0), "1 09:00:00.0000 0");
    // Two days of 24 hours at most.
    EXPECT_FALSE(ed.shiftTimes(programNo(a, "F", 0), 2 * 1440, ProgramOrder::Time));
    EXPECT_TRUE(m_sink.saw("You may not move the last Event past the number of "));
}

TEST_F(ProgramRowsTest, ShiftingSequenceNumbers)
{
    const qint64 a = addSelected("FRE_____50M11W");
    const qint64 b = addSelected("FRE_____50F11W");
    ASSERT_TRUE(database().execute("update PROGRAM set SEQ = 1 where EVENTNO = " + db::sqlInt(a)));
    ASSERT_TRUE(database().execute("update PROGRAM set SEQ = 2 where EVENTNO = " + db::sqlInt(b)));
    ProgramEditor ed = editor();
    EXPECT_FALSE(ed.shiftSequence(programNo(b, "F", 0), -1, ProgramOrder::Sequence));
    EXPECT_TRUE(m_sink.saw("You cannot shift the sequence to before or the same as the previous"));
    m_sink.answerYes();
    ASSERT_TRUE(ed.shiftSequence(programNo(b, "F", 0), 3, ProgramOrder::Sequence));
    EXPECT_EQ(value("select SEQ from PROGRAM where EVENTNO = " + db::sqlInt(b)), "5");
    EXPECT_EQ(value("select SEQ from PROGRAM where EVENTNO = " + db::sqlInt(a)), "1");
}

} // namespace
