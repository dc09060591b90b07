#include "placesfixture.h"

#include "meeting/meetingsettings.h"

using results::FinalPlacesMode;

namespace {

const QString kSprint = QStringLiteral("SHD____100M19"); // athletics: "11.20"
const QString kSwim = QStringLiteral("FRE____100M13W");  // swimming: "1:05.32"

using Ints = QList<int>;

TEST_F(PlacesTest, EqualTimesShareAPlaceAndTheNextPlaceSkips)
{
    const qint64 event = addEvent(kSprint);
    const qint64 row = addProgramRow(event, "A", 1);
    const QList<qint64> keys = addHeat(event, "A", 1, {{"11.20"}, {"11.16"}, {"11.16"}, {"11.30"}});
    results::Places calc = athleticsPlaces();
    ASSERT_TRUE(calc.calcAndRefresh(row));

    EXPECT_EQ(ePlaces("A", keys), (Ints{3, 1, 1, 4}));
    EXPECT_EQ(places("A", keys), (Ints{3, 1, 1, 4}));
    EXPECT_EQ(shares("A", keys), (Ints{0, 1, 1, 0}));
    EXPECT_EQ(column("HEATPART", "T_EMPTY", keys), (Ints{0, 0, 0, 0}));
    EXPECT_EQ(notCalculated(row), 0);
    EXPECT_EQ(value("select PLACEDCOUNT from PROGRAM where PROGRAMNO = " + db::sqlInt(row)), "4");
    EXPECT_EQ(internalErrors(), 0) << errorTexts();
}

TEST_F(PlacesTest, ThirdDigitsSplitEqualTimesAndZeroIsTheSlowest)
{
    const qint64 event = addEvent(kSprint);
    const qint64 row = addProgramRow(event, "A", 1);
    const QList<qint64> keys = addHeat(
        event, "A", 1, {{"11.16", "0"}, {"11.16", "7"}, {"11.16", "3"}, {"11.15"}, {"11.17"}});
    ASSERT_TRUE(athleticsPlaces().calcAndRefresh(row));
    // 11.15, then 11.153, 11.157, 11.160, then 11.17.
    EXPECT_EQ(ePlaces("A", keys), (Ints{4, 3, 2, 1, 5}));
    EXPECT_EQ(notCalculated(row), 0);
}

TEST_F(PlacesTest, AnEqualTimeWithoutADigitComesFirstAndIsNotTied)
{
    const qint64 event = addEvent(kSprint);
    const qint64 row = addProgramRow(event, "A", 1);
    const QList<qint64> keys = addHeat(event, "A", 1, {{"11.16", "3"}, {"11.16"}});
    ASSERT_TRUE(athleticsPlaces().calcAndRefresh(row));
    EXPECT_EQ(ePlaces("A", keys), (Ints{2, 1}));
}

TEST_F(PlacesTest, PhotoFinishPlacesSurviveButUnplacedEqualTimesShare)
{
    const qint64 event = addEvent(kSprint);
    const qint64 photo = addProgramRow(event, "A", 1);
    const qint64 plain = addProgramRow(event, "A", 2);
    // The judges put the second lane ahead.
    const QList<qint64> decided =
        addHeat(event, "A", 1, {{"11.16", "", 2}, {"11.16", "", 1}, {"11.40", "", 3}});
    const QList<qint64> shared = addHeat(event, "A", 2, {{"11.16"}, {"11.16"}, {"11.40"}});
    results::Places calc = athleticsPlaces();
    QStringList changes;
    ASSERT_TRUE(calc.calcAndRefresh(photo, &changes));
    ASSERT_TRUE(calc.calcAndRefresh(plain));
    EXPECT_EQ(ePlaces("A", decided), (Ints{2, 1, 3}));
    EXPECT_TRUE(changes.isEmpty()) << changes.join('|').toStdString();
    EXPECT_EQ(ePlaces("A", shared), (Ints{1, 1, 3}));
    EXPECT_EQ(notCalculated(photo), 0);
}

TEST_F(PlacesTest, APlaceWithoutAPerformanceComesAfterTheTimesAndMayTie)
{
    const qint64 event = addEvent(kSprint);
    const qint64 row = addProgramRow(event, "A", 1);
    const QList<qint64> keys =
        addHeat(event, "A", 1, {{"", "", 2}, {"11.20"}, {"11.10"}, {"", "", 9}, {"", "", 0}});
    QStringList changes;
    ASSERT_TRUE(athleticsPlaces().calcAndRefresh(row, &changes));
    // 11.10 and 11.20 take 1 and 2; the place 2 without a time ties the 11.20; the place 9
    // follows at 4; the row with neither stays unplaced.
    EXPECT_EQ(ePlaces("A", keys), (Ints{2, 2, 1, 4, 0}));
    EXPECT_EQ(column("HEATPART", "T_EMPTY", keys), (Ints{1, 0, 0, 1, 2}));
    EXPECT_EQ(changes, QStringList{"Changed place 9 to 4"});
    EXPECT_EQ(notCalculated(row), 0);
}

TEST_F(PlacesTest, FieldItemsPlaceTheLongestFirst)
{
    const QString longJump = QStringLiteral("JMPLong___M19");
    const qint64 event = addEvent(longJump);
    const QString short_ = *m_athletics->NormalisePerf(longJump, "5.95");
    const QString long_ = *m_athletics->NormalisePerf(longJump, "6.10");
    const QList<qint64> keys = addFinal(event, {{short_}, {long_}});
    ASSERT_TRUE(athleticsPlaces().calcAndRefresh(finalRow(event)));
    EXPECT_EQ(ePlaces("F", keys), (Ints{2, 1}));
    EXPECT_EQ(notCalculated(finalRow(event)), 0);
}

TEST_F(PlacesTest, EachLeagueHasItsOwnPlacesInRaceOrder)
{
    const qint64 event = addEvent(kSwim);
    const qint64 first = addTeam(1);
    const qint64 second = addTeam(2);
    const QList<qint64> keys = addFinal(event, {{"1:05.00", "", 0, addAthlete(first)},
                                                {"1:05.10", "", 0, addAthlete(second)},
                                                {"1:05.20", "", 0, addAthlete(first)},
                                                {"1:05.20", "", 0, addAthlete(second)},
                                                {"1:05.40", "", 0, addAthlete(first)},
                                                {"1:05.50", "", 0, addAthlete(second)}});
    ASSERT_TRUE(swimPlaces().calcAndRefresh(finalRow(event)));
    EXPECT_EQ(ePlaces("F", keys), (Ints{1, 2, 3, 3, 5, 6}));
    EXPECT_EQ(places("F", keys), (Ints{1, 1, 2, 2, 3, 3}));
    EXPECT_EQ(shares("F", keys), (Ints{0, 0, 0, 0, 0, 0}));

    // A tie inside one league is shared there.
    // A corrected time, written as capture writes it: without a race place.
    ASSERT_TRUE(database().execute("update PARTICIPATE set PERFORMANCE = '1:05.20', E_PLACE = 0, "
                                   "PLACE = 0 where PARTNO = " +
                                   db::sqlInt(keys[4])));
    ASSERT_TRUE(swimPlaces().calcAndRefresh(finalRow(event)));
    EXPECT_EQ(places("F", keys), (Ints{1, 1, 2, 2, 2, 3}));
    EXPECT_EQ(shares("F", keys), (Ints{0, 0, 1, 0, 1, 0}));
}

TEST_F(PlacesTest, MixedAgeItemsArePlacedPerAge)
{
    const qint64 event = addEvent(QStringLiteral("FRE____100M99W"));
    const QList<qint64> keys = addFinal(event, {{"1:05.00", "", 0, addAthlete(0, 14)},
                                                {"1:05.10", "", 0, addAthlete(0, 12)},
                                                {"1:05.20", "", 0, addAthlete(0, 14)},
                                                {"1:05.30", "", 0, addAthlete(0, 12)}});
    ASSERT_TRUE(swimPlaces().calcAndRefresh(finalRow(event)));
    EXPECT_EQ(ePlaces("F", keys), (Ints{1, 2, 3, 4}));
    EXPECT_EQ(places("F", keys), (Ints{1, 1, 2, 2}));
    EXPECT_EQ(internalErrors(), 0) << errorTexts();
}

TEST_F(PlacesTest, AFinalThatIsNotRunIsFilledFromRoundAAndPlacedByTime)
{
    const qint64 event = addEvent(kSwim, 2, 0, true);
    addProgramRow(event, "A", 1, 1);
    addProgramRow(event, "A", 2, 1);
    const qint64 a = addAthlete(), b = addAthlete(), c = addAthlete(), d = addAthlete();
    // The final's rows hold leftovers that the copy replaces.
    const QList<qint64> final =
        addFinal(event, {{"9:99.99", "", 1, a}, {"", "", 0, b}, {"", "", 0, c}, {"", "", 0, d}});
    addHeat(event, "A", 1, {{"1:05.30", "6", 1, a}, {"", "", 0, b, 2, 3}});
    addHeat(event, "A", 2, {{"1:05.10", "", 1, c}, {"1:05.30", "4", 2, d}});
    ASSERT_TRUE(swimPlaces().calcAndRefresh(finalRow(event)));
    EXPECT_EQ(column("PARTICIPATE", "DISQ_STATUS", final), (Ints{0, 3, 0, 0}));
    // c 1:05.10; d 1:05.294 beats a's 1:05.296; b did not start.
    EXPECT_EQ(ePlaces("F", final), (Ints{3, 0, 1, 2}));
    EXPECT_EQ(places("F", final), (Ints{3, 0, 1, 2}));
    EXPECT_EQ(value("select PERFORMANCE from PARTICIPATE where PARTNO = " + db::sqlInt(final[0])),
              "1:05.30");
    EXPECT_EQ(notCalculated(finalRow(event)), 0);
}

TEST_F(PlacesTest, HighJumpPlacesAreListedNotRewritten)
{
    const QString highJump = QStringLiteral("JMPHigh___M19");
    const qint64 event = addEvent(highJump);
    const QString lower = *m_athletics->NormalisePerf(highJump, "1.80");
    const QString higher = *m_athletics->NormalisePerf(highJump, "1.85");
    const QList<qint64> keys = addFinal(event, {{lower, "", 1}, {higher, "", 2}});
    QStringList changes;
    ASSERT_TRUE(athleticsPlaces().calcAndRefresh(finalRow(event), &changes));
    EXPECT_EQ(ePlaces("F", keys), (Ints{1, 2}));
    EXPECT_TRUE(changes.contains("Please change place 2 to 1")) << changes.join('|').toStdString();
    EXPECT_TRUE(m_sink.saw("The program does not automatically"));
    bool titled = false;
    for (const auto& shown : m_sink.shown())
        titled = titled || shown.title == "Errors in placings.";
    EXPECT_TRUE(titled);
    EXPECT_EQ(notCalculated(finalRow(event)), 1);
}

TEST_F(PlacesTest, AReleasedRoundIsRefusedAndLeftAsItWas)
{
    setMeeting("RESULTS_HAS_REVISIONS", 1);
    const qint64 event = addEvent(kSwim);
    const qint64 first = addProgramRow(event, "A", 1);
    addProgramRow(event, "A", 2);
    const QList<qint64> keys = addHeat(event, "A", 1, {{"1:05.20"}, {"1:05.10"}});
    ASSERT_TRUE(database().execute("update PROGRAM set RESULTS_RELEASED = 1 where PROGRAMNO = " +
                                   db::sqlInt(first)));
    EXPECT_FALSE(swimPlaces().CalcPlaces(first));
    EXPECT_TRUE(m_sink.saw("1 of the 2 Heats for Round A\rwas already Released.  You cannot "
                           "change the Results.\rYou must first retract the Released Results "
                           "before you can change them."));
    EXPECT_EQ(ePlaces("A", keys), (Ints{0, 0}));

    ASSERT_TRUE(database().execute("update PROGRAM set RESULTS_RELEASED = 1 where EVENTNO = " +
                                   db::sqlInt(event)));
    m_sink.clear();
    EXPECT_FALSE(swimPlaces().CalcPlaces(first));
    EXPECT_TRUE(m_sink.saw("The 2 Heats for Round A\rwas already Released."));

    // Without revisions a release freezes nothing.
    setMeeting("RESULTS_HAS_REVISIONS", 0);
    EXPECT_TRUE(swimPlaces().CalcPlaces(first));
    EXPECT_EQ(ePlaces("A", keys), (Ints{2, 1}));
}

TEST_F(PlacesTest, CrossCountryTeamPlacesStopTheCalculation)
{
    setMeeting("XCNT_TEAM_SCORE_PLACES", 3);
    const qint64 event = addEvent(kSwim);
    const QList<qint64> keys = addFinal(event, {{"1:05.20"}});
    EXPECT_FALSE(swimPlaces().CalcPlaces(finalRow(event)));
    EXPECT_TRUE(m_sink.saw("set \"Places to use for team totals\" to 0"));
    EXPECT_EQ(ePlaces("F", keys), (Ints{0}));
}

TEST_F(PlacesTest, ACombinedRaceIsOneRaceAndItsLeaguePlacesFollowTheSetting)
{
    const CombinedFinals race = addCombinedFinals();
    ASSERT_TRUE(swimPlaces().calcAndRefresh(finalRow(race.boys)));
    EXPECT_EQ(ePlaces("F", race.boyRows), (Ints{4, 1}));
    EXPECT_EQ(ePlaces("F", race.menRows), (Ints{2, 3}));
    EXPECT_EQ(places("F", race.boyRows), (Ints{2, 1}));
    // The other item of the race is placed by itself as well.
    EXPECT_EQ(places("F", race.menRows), (Ints{1, 2}));
    EXPECT_EQ(notCalculated(finalRow(race.men)), 0);

    setMeeting("COMBINED_RESULTS_IS_ONE", 1);
    ASSERT_TRUE(swimPlaces().calcAndRefresh(finalRow(race.boys)));
    EXPECT_EQ(places("F", race.boyRows), (Ints{4, 1}));
    EXPECT_EQ(places("F", race.menRows), (Ints{2, 3}));
    EXPECT_EQ(internalErrors(), 0) << errorTexts();
}

TEST_F(PlacesTest, TheFlagTurnsRedWhenPlacesNoLongerFitTheTimes)
{
    const qint64 event = addEvent(kSwim);
    const qint64 row = addProgramRow(event, "A", 1);
    const QList<qint64> keys = addHeat(event, "A", 1, {{"1:05.20"}, {"1:05.10"}, {"1:05.30"}});
    results::Places calc = swimPlaces();
    ASSERT_TRUE(calc.calcAndRefresh(row));
    ASSERT_EQ(notCalculated(row), 0);

    // A corrected time and a late result, as capture writes them.
    ASSERT_TRUE(database().execute("update HEATPART set PERFORMANCE = '1:05.00' where "
                                   "HEATPARTNO = " +
                                   db::sqlInt(keys[2])));
    addHeat(event, "A", 1, {{"1:06.00"}});
    QStringList errors;
    EXPECT_FALSE(calc.RefreshCalculatedFlag(row, &errors));
    EXPECT_EQ(notCalculated(row), 1);
    EXPECT_TRUE(errors.contains("Performance not placed: 1:06.00"))
        << errors.join('|').toStdString();
    EXPECT_TRUE(errors.contains("Place ( 3 ) did better than ( 2 )"))
        << errors.join('|').toStdString();

    ASSERT_TRUE(calc.calcAndRefresh(row));
    EXPECT_EQ(notCalculated(row), 0);
    EXPECT_EQ(ePlaces("A", keys), (Ints{3, 2, 1}));
}

TEST_F(PlacesTest, TheCheckNamesWrongStartsAndWrongLeaguePlaces)
{
    const qint64 event = addEvent(kSwim);
    const QList<qint64> keys = addFinal(event, {{"1:05.10", "", 2}, {"1:05.20", "", 3}});
    QStringList errors;
    EXPECT_FALSE(swimPlaces().RefreshCalculatedFlag(finalRow(event), &errors));
    EXPECT_TRUE(errors.contains("The places start at 2"));
    EXPECT_TRUE(errors.contains("Place wrong: 2"));

    errors.clear();
    EXPECT_FALSE(swimPlaces().CalcFinalPlaces(finalRow(event), FinalPlacesMode::Check, &errors));
    EXPECT_TRUE(errors.contains("Place(Share) should be 2(0), not 3(0)"))
        << errors.join('|').toStdString();
    (void)keys;
}

TEST_F(PlacesTest, AllItemsAreCalculatedInProgramOrderWithProgress)
{
    const qint64 first = addEvent(kSwim, 1);
    const qint64 second = addEvent(QStringLiteral("BCK____100M13W"), 2);
    const QList<qint64> a = addFinal(first, {{"1:05.20"}, {"1:05.10"}});
    const QList<qint64> b = addFinal(second, {{"1:15.20"}, {"1:15.20"}});
    ASSERT_TRUE(swimPlaces().CalcAllPlaces(m_meetingNo));
    EXPECT_EQ(ePlaces("F", a), (Ints{2, 1}));
    EXPECT_EQ(ePlaces("F", b), (Ints{1, 1}));
    EXPECT_TRUE(m_sink.progressTexts().join('|').contains("Calculating ALL Items"));
    EXPECT_TRUE(m_sink.progressTexts().contains("Calculating ALL Items: Done"));
}

TEST_F(PlacesTest, TheWholeMeetingsFinalPlacesAreCalculatedOnlyAfterYes)
{
    const qint64 event = addEvent(kSwim);
    const QList<qint64> keys = addFinal(event, {{"1:05.20", "", 2}, {"1:05.10", "", 1}});
    m_sink.answerNo();
    EXPECT_FALSE(swimPlaces().calcMeetingFinalPlaces(m_meetingNo));
    EXPECT_TRUE(m_sink.saw("Calculate the final places for all Events\rfor the current "
                           "Meeeting.\rThis function calculates the final Places\rtaking into "
                           "account "));
    EXPECT_EQ(places("F", keys), (Ints{2, 1})); // as written by the fixture

    ASSERT_TRUE(database().execute("update PARTICIPATE set PLACE = 0 where EVENTNO = " +
                                   db::sqlInt(event)));
    m_sink.answerYes();
    EXPECT_TRUE(swimPlaces().calcMeetingFinalPlaces(m_meetingNo));
    EXPECT_EQ(places("F", keys), (Ints{2, 1}));
    EXPECT_TRUE(m_sink.saw("Done: all final Places were calculated."));
    EXPECT_TRUE(m_sink.progressTexts().join('|').contains("Calculating ALL final places"));
}

TEST_F(PlacesTest, TheWholeMeetingPlacesACombinedRaceAsTheSettingSays)
{
    const CombinedFinals race = addCombinedFinals();
    ASSERT_TRUE(swimPlaces().calcAndRefresh(finalRow(race.boys)));
    const auto clearPlaces = [&] {
        ASSERT_TRUE(database().execute("update PARTICIPATE set PLACE = 0 where EVENTNO in (" +
                                       db::sqlInt(race.boys) + ", " + db::sqlInt(race.men) + ")"));
    };

    clearPlaces();
    setMeeting("COMBINED_RESULTS_IS_ONE", 1);
    m_sink.answerYes();
    ASSERT_TRUE(swimPlaces().calcMeetingFinalPlaces(m_meetingNo));
    EXPECT_TRUE(m_sink.saw("combined items placed as one item"));
    EXPECT_EQ(places("F", race.boyRows), (Ints{4, 1}));
    EXPECT_EQ(places("F", race.menRows), (Ints{2, 3}));
    EXPECT_TRUE(
        m_sink.progressTexts().join('|').contains("Calculating ALL final places in combined"));

    clearPlaces();
    setMeeting("COMBINED_RESULTS_IS_ONE", 0);
    m_sink.answerYes();
    ASSERT_TRUE(swimPlaces().calcMeetingFinalPlaces(m_meetingNo));
    EXPECT_EQ(places("F", race.boyRows), (Ints{2, 1}));
    EXPECT_EQ(places("F", race.menRows), (Ints{1, 2}));
    EXPECT_EQ(internalErrors(), 0) << errorTexts();
}

} // namespace
