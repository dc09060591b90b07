#include "scoring/athleticsfixture.h"

#include "draw/events.h"
#include "results/heightmarks.h"
#include "results/perfhistory.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

using results::HeightMarks;
using testing_support::runCli;

TEST(HeightMarksTest, OnlyUpToThreeMarksWithOneClearanceLast)
{
    for (const char* good : {"O", "XO", "XXO", "XXX", "-", "X-", "-O"})
        EXPECT_TRUE(results::heightMarksRefusal(good).isEmpty()) << good;
    EXPECT_EQ(results::heightMarksRefusal("OX"), "The \"O\" must be the last char: OX");
    EXPECT_EQ(results::heightMarksRefusal("XXXO"),
              "The performance must be maximun 3 characters: XXXO");
    EXPECT_EQ(results::heightMarksRefusal("OO"), "The performance may contain only one \"O\": OO");
    EXPECT_EQ(results::heightMarksRefusal("XP"),
              "The only valid characters is \"X\", \"-\" and \"O\": \"P\" is NOT valid: XP");
    EXPECT_EQ(results::partialMarksRefusal("X0"),
              "When it is over, you press a \"O\" for \"Over\", not a zero");
    EXPECT_TRUE(results::partialMarksRefusal("X").isEmpty());
    EXPECT_FALSE(results::heightMarksComplete("X"));
    EXPECT_TRUE(results::heightMarksComplete("XXX"));
}

TEST(HeightMarksTest, CountBackKeysSortBestFirst)
{
    const QList<HeightMarks> xo{{1, 1.80, "XO"}, {2, 1.85, "XXX"}};
    EXPECT_TRUE(results::countBackKey(xo, false)->startsWith("820;1;"));
    EXPECT_DOUBLE_EQ(results::highestCleared(xo), 1.80);
    const QList<HeightMarks> o{{1, 1.80, "O"}, {2, 1.85, "XXX"}};
    EXPECT_LT(*results::countBackKey(o, false), *results::countBackKey(xo, false));
    EXPECT_EQ(results::countBackKey({{1, 1.80, "XO"}, {2, 1.85, "XXO"}}, false), "815;2;01");
    EXPECT_FALSE(results::countBackKey({{1, 1.80, "XXX"}}, false).has_value());
    const QList<results::RankedKey> ranked = results::rankByKeys(
        {{"815;0;01", 7, 0}, {"815;0;00", 8, 0}, {"815;0;01", 9, 0}, {"820;2;00", 10, 0}});
    QList<int> places;
    for (const auto& r : ranked)
        places << r.place;
    EXPECT_EQ(places, (QList<int>{1, 2, 2, 4}));
}

TEST(HeightMarksTest, TheBestAttemptIsTheEarlierOfEqualMarks)
{
    auto value = [](const QString& p) -> std::optional<double> { return p.toDouble(); };
    const QList<results::Attempt> jumps{
        {1, "6.10", "+1.2"}, {2, "X", ""}, {3, "6.25", "+2.4"}, {4, "-", ""}};
    EXPECT_EQ(results::bestAttempt(jumps, value), 2);
    const QList<results::Attempt> equal{{1, "6.25", "+1.0"}, {2, "6.25", "+2.5"}};
    EXPECT_EQ(results::bestAttempt(equal, value), 0);
    EXPECT_FALSE(results::bestAttempt(QList<results::Attempt>{{1, "X", ""}}, value).has_value());
}

draw::NewEvent newEvent(const QString& itemCode)
{
    draw::NewEvent event;
    event.itemCode = itemCode;
    event.selected = true;
    return event;
}

class PerfHistoryTest : public AthleticsTest {
protected:
    void SetUp() override
    {
        AthleticsTest::SetUp();
        setMeeting("HAS_PERF_HIST = 1");
        reload();
        m_team = addTeam("OAK");
        draw::Events events(database(), run().items(), m_meetingNo);
        m_high = events.addEvent(newEvent("JMPHigh___M17"));
        m_long = events.addEvent(newEvent("JMPLong___M17"));
        ASSERT_GT(m_high, 0);
        ASSERT_GT(m_long, 0);
        m_sink.clear();
    }
    qint64 enter(qint64 event, const QString& surname)
    {
        const qint64 athlete = addAthlete(m_team, surname, "M", 17);
        addResult(event, athlete, m_team, "", 0);
        return athlete;
    }
    results::PerfHistory history()
    {
        return results::PerfHistory(database(), run().items(), run().meeting());
    }
    QString row(qint64 event, qint64 athlete, const QString& columns)
    {
        return value("select " + columns + " from PARTICIPATE where EVENTNO = " +
                     QString::number(event) + " and ATHLETENO = " + QString::number(athlete));
    }
    // Marks by height: the jumper's marks at 1.75, 1.80, 1.85 and 1.90 ("" = none).
    void jump(const results::FieldRace& race, qint64 athlete, const QStringList& marks)
    {
        for (int i = 0; i < marks.size(); ++i) {
            if (!marks[i].isEmpty()) {
                ASSERT_TRUE(history().setMarks(race, athlete, i + 1, marks[i]));
            }
        }
    }

    qint64 m_team = 0;
    qint64 m_high = 0;
    qint64 m_long = 0;
};

TEST_F(PerfHistoryTest, HighJumpPlacesByCountBackWithTiesAndNoHeight)
{
    const qint64 a = enter(m_high, "Ames");
    const qint64 b = enter(m_high, "Bell");
    const qint64 c = enter(m_high, "Cole");
    const qint64 d = enter(m_high, "Dunn");
    const qint64 e = enter(m_high, "Eden");
    const std::optional<results::FieldRace> race = history().race(m_high, "F", 0);
    ASSERT_TRUE(race.has_value());
    for (const char* h : {"1.75", "1.80", "1.85", "1.90"})
        ASSERT_TRUE(history().addHeight(*race, h));
    jump(*race, a, {"O", "XO", "O", "XXX"}); // 1.85 first time, one failure below
    jump(*race, b, {"O", "O", "O", "XXX"});  // 1.85 first time, clean
    jump(*race, c, {"XO", "O", "O", "XXX"}); // as Ames
    jump(*race, d, {"O", "XXO", "XXX", ""}); // 1.80
    jump(*race, e, {"XXX", "", "", ""});     // nothing
    ASSERT_TRUE(history().CalcFromHistory(*race));
    EXPECT_EQ(row(m_high, b, "PLACE"), "1");
    EXPECT_EQ(row(m_high, a, "PLACE"), "2");
    EXPECT_EQ(row(m_high, c, "PLACE"), "2");
    EXPECT_EQ(row(m_high, a, "PLACESHARECOUNT"), "1");
    EXPECT_EQ(row(m_high, d, "PLACE"), "4");
    EXPECT_EQ(run().items().PerfTextToValue(row(m_high, d, "PERFORMANCE")), 1.80);
    EXPECT_EQ(row(m_high, e, "DISQ_STATUS"), "6");
    EXPECT_EQ(row(m_high, e, "PLACE"), "0");

    // The old rule goes back height by height: Cole's clean 1.80 beats Ames's XO.
    ASSERT_TRUE(history().RankVerticalJump(*race, true));
    EXPECT_EQ(row(m_high, c, "PLACE"), "2");
    EXPECT_EQ(row(m_high, a, "PLACE"), "3");
}

TEST_F(PerfHistoryTest, HeightsAreAppendedAndOnlyTheLastGoesWithItsMarks)
{
    const qint64 a = enter(m_high, "Ames");
    const results::FieldRace race = *history().race(m_high, "F", 0);
    ASSERT_TRUE(history().addHeight(race, "1.50"));
    EXPECT_FALSE(history().addHeight(race, "1.45"));
    EXPECT_FALSE(history().setMarks(race, a, 2, "O"));
    EXPECT_TRUE(m_sink.saw("This Height is not available"));
    EXPECT_FALSE(history().setMarks(race, a, 1, "OX"));
    EXPECT_FALSE(history().setMarks(race, a, 1, " "));
    EXPECT_TRUE(m_sink.saw("You cannot enter a blank performance."));
    EXPECT_EQ(count("PERF_HIST"), 0);
    ASSERT_TRUE(history().addHeight(race, "1.55"));
    ASSERT_TRUE(history().setMarks(race, a, 1, "XO"));
    ASSERT_TRUE(history().setMarks(race, a, 2, "XX"));
    ASSERT_TRUE(history().setMarks(race, a, 2, "XXX"));
    EXPECT_EQ(count("PERF_HIST"), 2);
    m_sink.answerYes();
    ASSERT_TRUE(history().deleteLastHeight(race));
    EXPECT_EQ(history().heights(race).size(), 1);
    EXPECT_EQ(count("PERF_HIST"), 1);
    // Everyone failed: no ranking.
    ASSERT_TRUE(history().setMarks(race, a, 1, "XXX"));
    EXPECT_FALSE(history().CalcFromHistory(race));
    EXPECT_TRUE(m_sink.saw("No ranking / no result / no height achieved."));
    EXPECT_EQ(row(m_high, a, "DISQ_STATUS"), "6");
}

TEST_F(PerfHistoryTest, LongJumpKeepsTheBestAttemptWithItsWind)
{
    const qint64 a = enter(m_long, "Ames");
    const qint64 b = enter(m_long, "Bell");
    const results::FieldRace race = *history().race(m_long, "F", 0);
    ASSERT_TRUE(history().setAttempt(race, a, 1, "6.10", "+1.2"));
    ASSERT_TRUE(history().setAttempt(race, a, 2, "X", ""));
    ASSERT_TRUE(history().setAttempt(race, a, 3, "6.25", "+2.4"));
    ASSERT_TRUE(history().setAttempt(race, a, 4, "-", ""));
    ASSERT_TRUE(history().setAttempt(race, b, 1, "6.25", "+1.0"));
    ASSERT_TRUE(history().setAttempt(race, b, 2, "6.25", "+2.5"));
    ASSERT_TRUE(history().CalcFromHistory(race));
    EXPECT_EQ(run().items().PerfTextToValue(row(m_long, a, "PERFORMANCE")), 6.25);
    EXPECT_EQ(row(m_long, a, "WIND_SPEED"), "+2.4");
    EXPECT_EQ(run().items().PerfTextToValue(row(m_long, b, "PERFORMANCE")), 6.25);
    EXPECT_EQ(row(m_long, b, "WIND_SPEED"), "+1.0");
    EXPECT_EQ(row(m_long, a, "PLACE"), "1");
    EXPECT_EQ(row(m_long, b, "PLACE"), "1");
}

TEST_F(PerfHistoryTest, BadAttemptsAreRefusedAndNothingIsStored)
{
    const qint64 a = enter(m_long, "Ames");
    const results::FieldRace race = *history().race(m_long, "F", 0);
    EXPECT_FALSE(history().setAttempt(race, a, 2, "6.10", "+1.2"));
    EXPECT_TRUE(m_sink.saw("You cannot skip performances."));
    EXPECT_FALSE(history().setAttempt(race, a, 1, "X", "+1.2"));
    EXPECT_TRUE(m_sink.saw("You have no performance.  The WindSpeed must be empty"));
    m_sink.answerNo();
    EXPECT_FALSE(history().setAttempt(race, a, 1, "6.10", ""));
    EXPECT_TRUE(m_sink.saw("The wind is empty.  Accept it as is, meaning: \"not entered\"."));
    // A mistyped mark is the official's to correct, said in plain words, not a program error.
    for (const QString bad : {"6.1x", "6:10", "6.105"}) {
        m_sink.clear();
        EXPECT_FALSE(history().setAttempt(race, a, 1, bad, "+1.0")) << bad.toStdString();
        EXPECT_TRUE(m_sink.saw("A distance is typed in metres (")) << bad.toStdString();
        EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
    }
    EXPECT_EQ(count("PERF_HIST"), 0);
    ASSERT_TRUE(history().setAttempt(race, a, 1, "6.10", "+1.0"));
    ASSERT_TRUE(history().setAttempt(race, a, 2, "6.20", "-0.5"));
    EXPECT_FALSE(history().deleteAttempt(race, a, 1));
    EXPECT_TRUE(m_sink.saw("You can only delete the last performance."));
    ASSERT_TRUE(history().deleteAttempt(race, a, 2));
    EXPECT_EQ(history().attempts(race, a).size(), 1);
    // Heights and track items are not for this.
    EXPECT_FALSE(history().setAttempt(*history().race(m_high, "F", 0), a, 1, "1.50", ""));
    EXPECT_TRUE(m_sink.saw("Not for vert-jumps"));
    draw::Events events(database(), run().items(), m_meetingNo);
    EXPECT_FALSE(history().race(events.addEvent(newEvent("SHD____100M17")), "F", 0).has_value());
    EXPECT_TRUE(m_sink.saw("You only get performance histories for Field Items."));
}

TEST_F(PerfHistoryTest, AttemptsOutOfStepWithTheScreenOrWithTheirNumbersAreInternalErrors)
{
    const qint64 a = enter(m_long, "Ames");
    const QString athlete = QString::number(a);
    const results::FieldRace race = *history().race(m_long, "F", 0);
    ASSERT_TRUE(history().setAttempt(race, a, 1, "6.10", "+1.2"));
    const QList<results::Attempt> shown = history().attempts(race, a);
    EXPECT_TRUE(history().attemptsInSync(race, a, shown));
    EXPECT_EQ(errors(), 0);

    // Another computer makes the attempt a foul behind the screen's back.
    exec("update PERF_HIST set PERFORMANCE = 'X', WIND_SPEED = '' where ATHLETENO = " + athlete);
    EXPECT_FALSE(history().attemptsInSync(race, a, shown));
    EXPECT_TRUE(m_sink.saw("Lost sync : athlete " + athlete + ", attempt 1 is \"X\" in the table"));
    // One attempt more or less than the screen shows is out of step too.
    m_sink.clear();
    EXPECT_FALSE(history().attemptsInSync(race, a, {}));
    EXPECT_TRUE(m_sink.saw("Lost sync : athlete " + athlete + ", attempt 1 is \"X\""));

    // An attempt stored at number 3 by another program: number 2 was skipped.
    exec("insert into PERF_HIST (PERF_HISTNO, MEETINGNO, EVENTNO, ROUND, HEATNO, ATHLETENO, "
         "PERF_SEQ, PERFORMANCE, WIND_SPEED) values (" +
         QString::number(database().nextKeyNumber()) + ", " + QString::number(m_meetingNo) + ", " +
         QString::number(m_long) + ", 'F', 0, " + athlete + ", 3, '6.30', '+0.4')");
    m_sink.clear();
    EXPECT_FALSE(history().attemptsInSync(race, a, history().attempts(race, a)));
    EXPECT_TRUE(m_sink.saw("Lost sync: did you skip a perf : athlete " + athlete +
                           ", attempt 2 is stored as 3"));
    // The third attempt as the next one would be stored a second time.
    m_sink.clear();
    EXPECT_FALSE(history().setAttempt(race, a, 3, "6.40", "+0.5"));
    EXPECT_TRUE(m_sink.saw("Duplicate perf was added previously"));
    EXPECT_EQ(count("PERF_HIST", "PERF_SEQ = 3"), 1);
    EXPECT_EQ(value("select MARK_COUNT from T_DEBUG_MARK where MARK_NO = 530103"), "1");
    EXPECT_EQ(errors(), 1);
}

TEST_F(PerfHistoryTest, HeightsAndMarksOutOfStepWithTheScreenAreInternalErrors)
{
    const qint64 a = enter(m_high, "Ames");
    const results::FieldRace race = *history().race(m_high, "F", 0);
    for (const char* h : {"1.75", "1.80"})
        ASSERT_TRUE(history().addHeight(race, h));
    ASSERT_TRUE(history().setMarks(race, a, 1, "XO"));
    const QList<results::BarHeight> shown = history().heights(race);
    EXPECT_TRUE(history().heightsInSync(race, shown));
    EXPECT_TRUE(history().marksInSync(race, a, 1, "XO"));
    EXPECT_TRUE(history().marksInSync(race, a, 2, ""));
    EXPECT_EQ(errors(), 0);

    EXPECT_FALSE(history().marksInSync(race, a, 1, "O"));
    EXPECT_TRUE(m_sink.saw("Lost sync : athlete " + QString::number(a) +
                           ", marks at height 1 is \"XO\" in the table but \"O\" on the screen"));
    // A height added elsewhere is not on the screen yet.
    ASSERT_TRUE(history().addHeight(race, "1.85"));
    m_sink.clear();
    EXPECT_FALSE(history().heightsInSync(race, shown));
    EXPECT_TRUE(m_sink.saw("Lost sync : height 3 is \"1.85\" in the table but \"\""));
    exec("update PERF_HIST_HGT set HEIGHT_SEQ = 4 where HEIGHT_SEQ = 3 and EVENTNO = " +
         QString::number(m_high));
    m_sink.clear();
    EXPECT_FALSE(history().heightsInSync(race, history().heights(race)));
    EXPECT_TRUE(m_sink.saw("Lost sync: did you skip a perf : height 3 is stored as 4"));
}

TEST_F(PerfHistoryTest, TheCommandsKeepHeightsAndCalculateTheRanking)
{
    const qint64 a = enter(m_high, "Ames");
    const qint64 b = enter(m_high, "Bell");
    const QStringList db{"--db", m_path, "--edition", "athletics", "--yes"};
    const QString meeting = QString::number(m_meetingNo);
    const QString event = QString::number(m_high);
    auto cli = [&](const QStringList& args, QString* out = nullptr, QString* err = nullptr) {
        return runCli(db + args + QStringList{"--meeting", meeting}, out, err);
    };
    QString out;
    QString err;
    ASSERT_EQ(cli({"heights", "add", event, "F", "1.60"}, &out, &err), 0) << err.toStdString();
    ASSERT_EQ(cli({"heights", "add", event, "F", "1.65"}), 0);
    ASSERT_EQ(cli({"heights", "set", event, "F", QString::number(a), "1", "XO"}), 0);
    ASSERT_EQ(cli({"heights", "set", event, "F", QString::number(b), "1", "O"}), 0);
    ASSERT_EQ(cli({"heights", "set", event, "F", QString::number(a), "2", "XXX"}), 0);
    EXPECT_EQ(cli({"heights", "set", event, "F", QString::number(b), "2", "OX"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("The \"O\" must be the last char: OX"));
    ASSERT_EQ(cli({"--json", "heights", "list", event, "F"}, &out), 0);
    EXPECT_TRUE(out.contains("1.65"));
    // With an athlete, each height carries that jumper's marks.
    ASSERT_EQ(cli({"--json", "heights", "list", event, "F", QString::number(a)}, &out), 0);
    const QJsonArray marks = QJsonDocument::fromJson(out.toUtf8()).array();
    ASSERT_EQ(marks.size(), 2);
    EXPECT_EQ(marks[0].toObject().value("marks").toString(), "XO");
    EXPECT_EQ(marks[1].toObject().value("marks").toString(), "XXX");
    ASSERT_EQ(cli({"heights", "list", event, "F", QString::number(b)}, &out), 0);
    EXPECT_EQ(out, "1\t1.60\tO\n2\t1.65\t\n");
    ASSERT_EQ(cli({"attempts", "calc", event, "F"}, &out, &err), 0) << err.toStdString();
    EXPECT_EQ(row(m_high, b, "PLACE"), "1");
    EXPECT_EQ(row(m_high, a, "PLACE"), "2");
    EXPECT_EQ(cli({"attempts", "set", event, "F", QString::number(a), "1", "1.60"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("Not for vert-jumps"));
}

} // namespace
