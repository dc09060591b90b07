#include "support/capturefixture.h"

#include "db/sqltext.h"
#include "draw/programorder.h"
#include "results/resultlocate.h"

using namespace results;

namespace {

class CaptureRowsTest : public CaptureFixture {
protected:
    void setResult(qint64 programNo, qint64 athleteNo, const QString& performance,
                   const QString& digit = QString(), int ePlace = 0, int status = 0)
    {
        const CaptureProgramRow row = programRow(programNo);
        ASSERT_TRUE(database().execute(
            "update " + resultTable(row) + " set PERFORMANCE = " + db::quoted(performance) +
            ", THIRD_DIGIT = " + db::quoted(digit) + ", E_PLACE = " + db::sqlInt(ePlace) +
            ", DISQ_STATUS = " + db::sqlInt(status) + " where " + resultKey(row) + " = " +
            db::sqlInt(athleteIn(programNo, athleteNo).key)));
    }
    QStringList names(qint64 programNo, draw::MemberOrder order)
    {
        QStringList out;
        for (const CaptureAthleteRow& a :
             captureAthletes(database(), *m_items, programRow(programNo), order))
            out << a.surname;
        return out;
    }
};

// Every column of a program row, for comparing two reads of it.
QString describe(const CaptureProgramRow& r)
{
    QStringList f;
    f << QString::number(r.programNo) << QString::number(r.eventNo) << r.itemCode << r.heatFormat
      << r.round << QString::number(r.heatNo) << QString::number(r.day) << QString::number(r.seq)
      << r.time << r.startsAt.toString(QStringLiteral("hh:mm:ss")) << r.pit << r.item
      << r.combinedName << QString::number(r.nAthlon) << QString::number(r.combinedNo)
      << QString::number(r.finalNotRun) << QString::number(r.noEntries)
      << QString::number(r.excludePoints) << QString::number(r.callRoomStatus) << r.category
      << QString::number(r.placedCount) << QString::number(r.notCalculated)
      << QString::number(r.elecHand) << r.wind << QString::number(r.sheetsPrinted)
      << QString::number(r.resultsPrinted) << QString::number(r.queried)
      << QString::number(r.drawReleased) << QString::number(r.drawRevision)
      << QString::number(r.resultsReleased) << QString::number(r.resultsRevision)
      << QString::number(r.didStart) << QString::number(r.athletes) << QString::number(r.drawn)
      << QString::number(r.withResults);
    return f.join(QLatin1Char('|'));
}

QString describe(const draw::ProgramLine& l)
{
    QStringList f;
    f << QString::number(l.programNo) << QString::number(l.eventNo) << l.itemCode << l.format
      << l.round << QString::number(l.heatNo) << QString::number(l.day)
      << l.time.toString(QStringLiteral("hh:mm:ss")) << QString::number(l.seq) << l.pit
      << QString::number(l.nAthlon) << QString::number(l.combinedNo)
      << QString::number(l.finalNotRun) << QString::number(l.placedCount)
      << QString::number(l.drawReleased) << QString::number(l.drawRevision)
      << QString::number(l.resultsReleased) << QString::number(l.resultsRevision);
    return f.join(QLatin1Char('|'));
}

} // namespace

TEST_F(CaptureRowsTest, TheAthletesComeInTheThreeOrders)
{
    const qint64 event = addEvent(m_free50);
    const qint64 zulu = addSwimmer("Zulu");
    const qint64 alpha = addSwimmer("Alpha");
    const qint64 mike = addSwimmer("Mike");
    const qint64 heat = drawHeat(event, "A", 1, {zulu, alpha, mike});
    // Alpha has no lane, Zulu is disqualified, Mike won.
    database().execute("update HEATPART set LANE = 0 where ATHLETENO = " + db::sqlInt(alpha));
    setResult(heat, zulu, "", "", 0, 1);
    setResult(heat, mike, time(m_free50, 30.0), "", 1);
    EXPECT_EQ(names(heat, draw::MemberOrder::Lane), QStringList({"Zulu", "Mike", "Alpha"}));
    EXPECT_EQ(names(heat, draw::MemberOrder::Status), QStringList({"Mike", "Alpha", "Zulu"}));
    EXPECT_EQ(names(heat, draw::MemberOrder::Surname), QStringList({"Alpha", "Mike", "Zulu"}));
}

TEST_F(CaptureRowsTest, EqualTimesShowWhetherTheyNeedAThirdDigit)
{
    const qint64 event = addEvent(m_free50);
    const QList<qint64> s = swimmers(5);
    const qint64 heat = drawHeat(event, "A", 1, s);
    const QString tied = time(m_free50, 31.16);
    setResult(heat, s[0], tied, "3");
    setResult(heat, s[1], tied);
    setResult(heat, s[2], time(m_free50, 31.20), "5");
    setResult(heat, s[3], time(m_free50, 31.30));
    const QList<CaptureAthleteRow> rows =
        captureAthletes(database(), *m_items, programRow(heat), draw::MemberOrder::Lane);
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[0].digitState, ThirdDigitState::Done);
    EXPECT_EQ(rows[1].digitState, ThirdDigitState::Needed);
    EXPECT_EQ(rows[2].digitState, ThirdDigitState::NotWanted);
    EXPECT_EQ(rows[3].digitState, ThirdDigitState::Nothing);
    EXPECT_EQ(rows[4].digitState, ThirdDigitState::Nothing); // no time at all
    EXPECT_EQ(thirdDigitStateText(rows[1].digitState), "it still needs a third digit");
}

TEST_F(CaptureRowsTest, TheTagsOfAProgramRowFollowItsColumns)
{
    const qint64 event = addEvent(m_free50);
    const QList<qint64> s = swimmers(2);
    const qint64 heat = drawHeat(event, "A", 1, s);
    ProgramTags tags = programTags(programRow(heat));
    EXPECT_EQ(tags.raceStatus, "Drawn");
    EXPECT_EQ(tags.progress, TagColour::Green);
    EXPECT_EQ(tags.drawRelease, TagColour::Lime);
    EXPECT_EQ(tags.calculatedColour, TagColour::None);
    EXPECT_EQ(tags.resultsRelease, TagColour::None);

    setResult(heat, s[0], time(m_free50, 30.0));
    database().execute("update PROGRAM set NOT_CALCULATED_YET = 1, QUERIED = 1, "
                       "RESULTSPRINTED = 1, DRAW_RELEASED = 1 where PROGRAMNO = " +
                       db::sqlInt(heat));
    const CaptureProgramRow row = programRow(heat);
    EXPECT_EQ(row.athletes, 2);
    EXPECT_EQ(row.withResults, 1);
    tags = programTags(row);
    EXPECT_EQ(tags.raceStatus, "Results");
    EXPECT_EQ(tags.calculated, "Calc");
    EXPECT_EQ(tags.calculatedColour, TagColour::Red);
    EXPECT_EQ(tags.resultsRelease, TagColour::Lime);
    EXPECT_EQ(tags.drawRelease, TagColour::None);
    EXPECT_EQ(tags.queried, "X");
    EXPECT_EQ(tags.queriedColour, TagColour::Green);
    EXPECT_EQ(tags.resultsPrinted, "X");

    database().execute("update MYEVENT set NO_ENTRIES = 1, FINAL_NOT_RUN = 1, "
                       "CALLROOM_STATUS = 1 where EVENTNO = " +
                       db::sqlInt(event));
    const CaptureProgramRow final = programRow(programNoOf(database(), event, "F", 0));
    tags = programTags(final);
    EXPECT_EQ(tags.notRun, TagColour::Green);
    EXPECT_EQ(tags.resultsRelease, TagColour::Purple);
    EXPECT_EQ(tags.raceStatus, "BusyClrm");
    EXPECT_EQ(tags.progress, TagColour::Purple);
}

TEST_F(CaptureRowsTest, TheProgramIsListedBySequenceOrByItemType)
{
    const qint64 back = addEvent("BCK_____50M13W");
    const qint64 free = addEvent(m_free50);
    database().execute("update PROGRAM set SEQ = 1 where EVENTNO = " + db::sqlInt(back));
    database().execute("update PROGRAM set SEQ = 2 where EVENTNO = " + db::sqlInt(free));
    drawHeat(free, "A", 1, swimmers(1));
    database().execute("update PROGRAM set SEQ = 2 where EVENTNO = " + db::sqlInt(free));
    const auto bySeq =
        captureProgramRows(database(), *m_items, m_meetingNo, CaptureOrder::Sequence);
    ASSERT_EQ(bySeq.size(), 3);
    EXPECT_EQ(bySeq[0].eventNo, back);
    // The heat runs before its final.
    EXPECT_EQ(bySeq[1].round, "A");
    EXPECT_EQ(bySeq[2].round, "F");
    const auto byType =
        captureProgramRows(database(), *m_items, m_meetingNo, CaptureOrder::ItemTypes);
    ASSERT_EQ(byType.size(), 3);
    // By the edition's order of groups, whatever the sequence; rounds as they run.
    const bool freeFirst =
        draw::itemSortOrder(*m_items, m_free50) < draw::itemSortOrder(*m_items, "BCK_____50M13W");
    EXPECT_EQ(byType[0].eventNo, freeFirst ? free : back);
    EXPECT_EQ(byType[2].eventNo, freeFirst ? back : free);
    if (freeFirst) {
        EXPECT_EQ(byType[0].round, "A");
        EXPECT_EQ(byType[1].round, "F");
    }
}

TEST_F(CaptureRowsTest, ASwimmerOutsideTheHeatIsNotFound)
{
    const qint64 event = addEvent(m_free50);
    const QList<qint64> s = swimmers(3);
    drawHeat(event, "A", 1, {s[0], s[1]});
    drawHeat(event, "A", 2, {s[2]});
    ResultTarget t = locateAthlete(database(), *m_items, m_meetingNo, event, "A", 1, s[2]);
    EXPECT_FALSE(t.ok());
    EXPECT_EQ(t.refusal, "Athlete " + QString::number(s[2]) +
                             " is not in Heat 1 of Round A of "
                             "Event " +
                             QString::number(event));
    // Without a heat the swimmer's own heat is found.
    t = locateAthlete(database(), *m_items, m_meetingNo, event, "A", 0, s[2]);
    ASSERT_TRUE(t.ok()) << t.refusal.toStdString();
    EXPECT_EQ(t.row.heatNo, 2);
    EXPECT_FALSE(locateAthlete(database(), *m_items, m_meetingNo, event, "B", 0, s[0]).ok());
    EXPECT_FALSE(locateAthlete(database(), *m_items, m_meetingNo, event + 999, "A", 1, s[0]).ok());
    t = locateLane(database(), *m_items, m_meetingNo, event, "A", 1, 2);
    ASSERT_TRUE(t.ok());
    EXPECT_EQ(t.athlete.athleteNo, s[1]);
    EXPECT_FALSE(locateLane(database(), *m_items, m_meetingNo, event, "A", 1, 7).ok());
}

TEST_F(CaptureRowsTest, TheMeetingsRowsAgreeWithTheProgramListingAndTheOneRowRead)
{
    // Rows not numbered yet (no sequence, sequence 0), heats of two rounds at one sequence
    // with their final, a final that is not run, times with seconds, pits and results.
    const qint64 back = addEvent("BCK_____50M13W");
    const qint64 free = addEvent(m_free50);
    const qint64 breast = addEvent("BRE____100M13W");
    const QList<qint64> s = swimmers(6);
    const qint64 backHeat = drawHeat(back, "A", 1, {s[0]});
    const qint64 freeA2 = drawHeat(free, "A", 2, {s[1], s[2]});
    const qint64 freeA1 = drawHeat(free, "A", 1, {s[3]});
    const qint64 freeB1 = drawHeat(free, "B", 1, {s[4]});
    drawHeat(breast, "A", 1, {s[5]});
    const QString event = QStringLiteral(" where EVENTNO = ");
    ASSERT_TRUE(database().execute("update PROGRAM set SEQ = null" + event + db::sqlInt(back)));
    ASSERT_TRUE(database().execute("update PROGRAM set SEQ = 3, PIT = 'P2', THETIME = "
                                   "'09:30:15'" +
                                   event + db::sqlInt(free)));
    ASSERT_TRUE(database().execute("update PROGRAM set SEQ = 0" + event + db::sqlInt(breast)));
    ASSERT_TRUE(
        database().execute("update MYEVENT set FINAL_NOT_RUN = 1" + event + db::sqlInt(breast)));
    ASSERT_TRUE(database().execute(
        "update HEATPART set PERFORMANCE = " + db::quoted(time(m_free50, 30.0)) + ", E_PLACE = 1" +
        event + db::sqlInt(free) + " and ATHLETENO = " + db::sqlInt(s[1])));
    const qint64 freeFinal = programNoOf(database(), free, "F", 0);
    const qint64 backFinal = programNoOf(database(), back, "F", 0);

    const QList<CaptureProgramRow> rows =
        captureProgramRows(database(), *m_items, m_meetingNo, CaptureOrder::Sequence);
    QList<qint64> order;
    for (const CaptureProgramRow& r : rows)
        order << r.programNo;
    // No sequence first (the heat before the final), then 0, then the rounds as they run.
    ASSERT_EQ(order.size(), 8);
    EXPECT_EQ(order.mid(0, 2), QList<qint64>({backHeat, backFinal}));
    EXPECT_EQ(order.mid(4), QList<qint64>({freeB1, freeA1, freeA2, freeFinal}));
    EXPECT_EQ(rows[6].withResults, 1);
    EXPECT_EQ(rows[6].drawn, 2);
    EXPECT_EQ(rows[5].pit, "P2");
    EXPECT_EQ(rows[5].startsAt, QTime(9, 30, 15));
    EXPECT_EQ(rows[5].time, "09:30");

    // Each row as the single row's read (joined in the engine) gives it.
    for (const CaptureProgramRow& r : rows) {
        const std::optional<CaptureProgramRow> one =
            captureProgramRow(database(), *m_items, r.programNo);
        ASSERT_TRUE(one.has_value());
        EXPECT_EQ(describe(r), describe(*one));
    }
    // The program listing (ordered by the engine) is the same rows without the final that
    // is not run, in the same order and with the same columns.
    QStringList fromRows, listed;
    for (const CaptureProgramRow& r : rows)
        if (!r.isCalculatedFinal())
            fromRows << describe(programLine(r));
    for (const draw::ProgramLine& l :
         draw::ProgramListing(database()).lines(m_meetingNo, draw::ProgramOrder::Sequence))
        listed << describe(l);
    EXPECT_EQ(fromRows.size(), 7);
    EXPECT_EQ(fromRows, listed);
}
