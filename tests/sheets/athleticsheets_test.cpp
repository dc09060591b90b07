#include "sheetsfixture.h"

#include "base/appglobals.h"
#include "db/sqltext.h"
#include "results/startheights.h"
#include "sheets/capturescorecheck.h"
#include "sheets/checklists.h"
#include "sheets/distribution.h"
#include "sheets/sheetkinds.h"
#include "support/editionrun.h"

namespace {

// The sheets of the athletics edition: field and vertical-jump sheets, wind sheets and the
// track layout of the event sheet.
class AthleticSheetsTest : public SheetsTest {
protected:
    void SetUp() override
    {
        DatabaseTest::SetUp();
        testing_support::restartRunAs(m_run, m_sink, m_path,
                                      QString::fromLatin1(base::kAthleticsCode));
        setUpMeeting();
        setMeeting(QStringLiteral("SHEETS_SKIP_TRK_TIME"), QStringLiteral("1"));
        setMeeting(QStringLiteral("SHEETS_SKIP_START"), QStringLiteral("1"));
    }
    // A final of `count` athletes drawn in order, "Jumper1" first.
    qint64 field(const QString& itemCode, int count)
    {
        const qint64 event = addEvent(itemCode, 5);
        const qint64 team = addTeam(QStringLiteral("Eagles Athletics"), QStringLiteral("EGL"));
        for (int i = 1; i <= count; ++i)
            enter(event, addSwimmer(team, QStringLiteral("Jumper") + QString::number(i), 16), i);
        return event;
    }
    QStringList printed(qint64 event, const QString& name)
    {
        EXPECT_EQ(printToPdf(finalOf(event), name), 1);
        return pdfPages(pdfPath(name));
    }
};

TEST_F(AthleticSheetsTest, AHighJumpOfThirtyTakesTwoPortraitSheetsOfSevenHeights)
{
    const QStringList pages = printed(field(QStringLiteral("JMPHigh___M16"), 30), "hj.pdf");
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(occurrences(pages[0], QStringLiteral("Jumper")), 24);
    EXPECT_EQ(occurrences(pages[1], QStringLiteral("Jumper")), 6);
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Jumper30")));
    for (const QString& page : pages) {
        for (const QString& part : {QStringLiteral("Eventsheet"), QStringLiteral("H7"),
                                    QStringLiteral("Height"), QStringLiteral("Start height:"),
                                    QStringLiteral("Result:"), QStringLiteral("Referee")})
            EXPECT_TRUE(page.contains(part)) << part.toStdString();
        EXPECT_FALSE(page.contains(QStringLiteral("H8")));
        // A high jump has no wind sheet.
        EXPECT_FALSE(page.contains(QStringLiteral("A6")));
    }
}

TEST_F(AthleticSheetsTest, TheVerticalJumpSheetPrintsTheStartingHeightWhenOneIsSet)
{
    const qint64 event = field(QStringLiteral("JMPPole___M16"), 3);
    QStringList pages = printed(event, "unset.pdf");
    ASSERT_EQ(pages.size(), 1);
    // Not set: the box is left for the officials to fill in.
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Start height:")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("0.00")));
    ASSERT_TRUE(results::StartHeights(database(), run().items(), m_meetingNo).set(event, "3.4"));
    pages = printed(event, "set.pdf");
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Start height: 3.40"))) << pages[0].toStdString();
}

TEST_F(AthleticSheetsTest, TheLandscapeHighJumpSheetHoldsTwelveAthletesAndTwelveHeights)
{
    setMeeting(QStringLiteral("SHEET_VERTJUMP_LANDSCAPE"), QStringLiteral("1"));
    const QStringList pages = printed(field(QStringLiteral("JMPHigh___M16"), 13), "wide.pdf");
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(occurrences(pages[0], QStringLiteral("Jumper")), 12);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("H12")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Jumper13")));
}

TEST_F(AthleticSheetsTest, ALongJumpGetsTheFieldSheetAndAWindSheetUnlessWindIsSkipped)
{
    const qint64 event = field(QStringLiteral("JMPLong___M16"), 3);
    sheets::Distribution(database(), messages(), m_meetingNo)
        .add(sheets::kind::FieldWind, QStringLiteral("WindGaugeOperator"));
    QStringList pages = printed(event, "lj.pdf");
    ASSERT_EQ(pages.size(), 2);
    // The field sheet: six attempts, the best and the block of the first eight.
    for (const QString& part : {QStringLiteral("A1"), QStringLiteral("A6"), QStringLiteral("Best"),
                                QStringLiteral("Result:"), QStringLiteral("Jumper3")})
        EXPECT_TRUE(pages[0].contains(part)) << part.toStdString();
    EXPECT_FALSE(pages[0].contains(QStringLiteral("WindGaugeOperator")));
    // The wind sheet: the same columns, its own line, no result block.
    EXPECT_TRUE(pages[1].contains(QStringLiteral("WindGaugeOperator")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("A6")));
    EXPECT_FALSE(pages[1].contains(QStringLiteral("Result:")));

    setMeeting(QStringLiteral("SHEETS_SKIP_JMP_WIND"), QStringLiteral("1"));
    pages = printed(event, "nowind.pdf");
    ASSERT_EQ(pages.size(), 1);
    EXPECT_FALSE(pages[0].contains(QStringLiteral("WindGaugeOperator")));
}

TEST_F(AthleticSheetsTest, ATrackRaceGetsTheTrackEventSheetAndAFieldStartSheetGoesByItsOwnLines)
{
    const qint64 race = field(QStringLiteral("SHD____100M16"), 4);
    QStringList pages = printed(race, "sprint.pdf");
    ASSERT_EQ(pages.size(), 1);
    for (const QString& part :
         {QStringLiteral("Event Sheet"), QStringLiteral("Lane"), QStringLiteral("Number"),
          QStringLiteral("Pos"), QStringLiteral("Wind"), QStringLiteral("Jumper4")})
        EXPECT_TRUE(pages[0].contains(part)) << part.toStdString();
    // No swimming timekeeper columns on the athletics edition's track sheet.
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Draw")));

    setMeeting(QStringLiteral("SHEETS_SKIP_START"), QStringLiteral("0"));
    setMeeting(QStringLiteral("SHEETS_SKIP_EVENT"), QStringLiteral("1"));
    sheets::Distribution lines(database(), messages(), m_meetingNo);
    lines.add(sheets::kind::FieldStart, QStringLiteral("FieldReferee"));
    lines.add(sheets::kind::FieldStart, QStringLiteral("Anouncer"));
    lines.add(sheets::kind::TrackStart, QStringLiteral("Starter"));
    const qint64 shot = field(QStringLiteral("JMPLong___M16"), 2);
    setMeeting(QStringLiteral("SHEETS_SKIP_JMP_WIND"), QStringLiteral("1"));
    pages = printed(shot, "start.pdf");
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("FieldReferee")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Anouncer")));
    EXPECT_FALSE(pages.join(QString()).contains(QStringLiteral("Starter")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Jumper2")));
}

TEST_F(AthleticSheetsTest, ItemsWithoutScoresAreThoseTheMeetingsScoreSetsCannotScore)
{
    // WorldAth 2017 scores the open age only; WorldAth 2003 the open decathlon's events.
    setMeeting(QStringLiteral("SCORESETNO"), QStringLiteral("32"));
    setMeeting(QStringLiteral("NATHLON_SCORESET"), QStringLiteral("5"));
    addEvent(QStringLiteral("SHD____100M25"));
    addEvent(QStringLiteral("JMPLong___M13"));
    const auto component = [this](const QString& code, int count) {
        ASSERT_TRUE(database().execute(QStringLiteral("update MYEVENT set N_ATHLON = ") +
                                       db::sqlInt(count) + QStringLiteral(" where EVENTNO = ") +
                                       db::sqlInt(addEvent(code))));
    };
    component(QStringLiteral("THRDiscus_M25"), 10);
    component(QStringLiteral("NTH_____10M25"), 10);
    component(QStringLiteral("THRJavelinM16"), 8);
    component(QStringLiteral("NTH______8M16"), 8);

    const sheets::CheckFinding ordinary = sheets::CheckLists(run()).run(2);
    const QString listed = ordinary.lines.join('\n');
    EXPECT_EQ(ordinary.rows, 2) << listed.toStdString();
    EXPECT_TRUE(listed.contains(QStringLiteral("LongJump 13 Male")));
    EXPECT_TRUE(listed.contains(QStringLiteral("Octathlon 16 Male")));
    EXPECT_FALSE(listed.contains(QStringLiteral("Decathlon")));

    const sheets::CheckFinding components = sheets::CheckLists(run()).run(10);
    EXPECT_EQ(components.rows, 1) << components.lines.join('\n').toStdString();
    EXPECT_TRUE(components.lines.join('\n').contains(QStringLiteral("Javelin 16 Male")));
    EXPECT_TRUE(sheets::errorsFound({components}));

    // A set whose data is not at hand scores nothing: every component is listed.
    setMeeting(QStringLiteral("NATHLON_SCORESET"), QStringLiteral("19"));
    EXPECT_EQ(sheets::CheckLists(run()).run(10).rows, 2);
}

TEST_F(AthleticSheetsTest, CaptureAsksAboutComponentsNoScoreTableScoresAndStopsOnNo)
{
    setMeeting(QStringLiteral("NATHLON_SCORESET"), QStringLiteral("5"));
    const auto component = [this](const QString& code, int count) {
        const qint64 event = addEvent(code);
        EXPECT_TRUE(database().execute(QStringLiteral("update MYEVENT set N_ATHLON = ") +
                                       db::sqlInt(count) + QStringLiteral(" where EVENTNO = ") +
                                       db::sqlInt(event)));
        return event;
    };
    component(QStringLiteral("THRDiscus_M25"), 10);
    const qint64 javelin = component(QStringLiteral("THRJavelinM16"), 8);
    m_sink.clear();

    m_sink.answerNo();
    EXPECT_FALSE(sheets::confirmNathlonScores(run()));
    ASSERT_EQ(m_sink.shown().size(), 1);
    const base::ScriptedSink::Shown& asked = m_sink.shown().first();
    EXPECT_EQ(asked.kind, base::MessageKind::Confirm);
    EXPECT_EQ(asked.title, QStringLiteral("n-Athlon Items without scores defined"));
    EXPECT_TRUE(asked.text.startsWith(
        QStringLiteral("NOTE:  The following n-Athlon Items has no scores defined.\r")));
    EXPECT_TRUE(asked.text.endsWith(
        QStringLiteral("\r\rn-Athlon events without score-tables is meaningless.\r\rSelect the "
                       "ScoreTable under \"Settings: Scores and Points\".\r\rContinue ?")));
    // Only the component that the table cannot score is named.
    EXPECT_TRUE(asked.text.contains(QStringLiteral("Javelin 16 Male")));
    EXPECT_FALSE(asked.text.contains(QStringLiteral("Discus")));

    m_sink.answerYes();
    EXPECT_TRUE(sheets::confirmNathlonScores(run()));

    // Once every component is scored, capture starts without a question.
    ASSERT_TRUE(database().execute(QStringLiteral("update MYEVENT set SELECTED = '' where "
                                                  "EVENTNO = ") +
                                   db::sqlInt(javelin)));
    m_sink.clear();
    EXPECT_TRUE(sheets::confirmNathlonScores(run()));
    EXPECT_TRUE(m_sink.shown().isEmpty());
    EXPECT_EQ(m_sink.unanswered(), 0);
}

} // namespace
