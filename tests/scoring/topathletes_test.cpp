// The top athletes as the team score, on the meeting of tablescoremeeting.h with one more
// ELM sprinter (Gus, 11.2 = 765):
//   OAK  Ann 100 m 966, Ann long jump 862, Cal 100 m 830
//   ELM  Eve long jump 935, Ben 100 m 897, Gus 100 m 765, Ben long jump 697
//   ASH  Dan long jump 790, Dan 100 m 765
// The meeting's only age is 25: it counts two performances, one performance per athlete,
// two track performances compulsory.

#include "scoring/tablescoremeeting.h"

#include "scoring/forms/topathletesform.h"
#include "scoring/forms/winnersform.h"
#include "scoring/topathletes.h"
#include "scoring/topathletesettings.h"

#include "support/modaldialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

using testing_support::runCli;

class TopAthletesTest : public TableScoreBasisTest {
protected:
    void SetUp() override
    {
        TableScoreBasisTest::SetUp();
        const qint64 elm = value("select TEAMNO from TEAM where TEAMABRV = 'ELM'").toLongLong();
        result(eventOf("SHD____100M25"), addAthlete(elm, "Gus", "M", 25), elm, "11.2", 5);
        setMeeting("TEAMSCOREBASIS = 99");
        m_sink.clear();
    }
    scoring::TopAthleteSettings settings() const
    {
        scoring::TopAthleteSettings s;
        s.agesCounts = "2";
        s.maxPerfsPerAthlete = 1;
        s.minimums = {{25, "T", 2}};
        return s;
    }
    // Stores the settings; their one age count is answered "Accept anyway".
    void store(const scoring::TopAthleteSettings& s)
    {
        m_sink.answerYes();
        ASSERT_TRUE(scoring::acceptTopAthleteSettings(database(), m_meetingNo, s));
        m_sink.clear();
    }
    QStringList totalRows(const scoring::TopAthletes& top, bool summed = false) const
    {
        QStringList rows;
        for (const QStringList& r : top.totalsReport(summed).rows)
            rows << r.join(' ');
        return rows;
    }
    // The athletics edition on this meeting; global options come first.
    int cli(QStringList args, QString* out = nullptr, QString* err = nullptr)
    {
        QStringList global{"--db", m_path, "--edition", "athletics"};
        while (!args.isEmpty() && (args.first() == "--yes" || args.first() == "--json"))
            global << args.takeFirst();
        return runCli(global + args + QStringList{"--meeting", QString::number(m_meetingNo)}, out,
                      err);
    }
};

TEST_F(TopAthletesTest, TeamsSumTheirTaggedTableScoresAfterTheTrackExchange)
{
    store(settings());
    const scoring::TopAthletes top =
        scoring::topAthletes(database(), run().items(), run().meeting());
    ASSERT_TRUE(top.ok);
    // OAK: Ann 966 and Cal 830 (Ann's jump is her second). ELM: Eve 935 and Ben 897 count
    // for the age, but two track performances are compulsory, so Eve's jump gives way to
    // Gus's 765. ASH: Dan's 790 alone, and no track performance of his may be taken in.
    EXPECT_EQ(totalRows(top), (QStringList{"1 OAK OAK School 2 1796", "2 ELM ELM School 2 1662",
                                           "3 ASH ASH School 1 790"}));
    ASSERT_EQ(top.adjustments.size(), 3);
    EXPECT_EQ(top.adjustments[0],
              "============== Adjustments made for Track- and Field- requirements");
    EXPECT_EQ(top.adjustments[1], "==Shortage= ASH age 25 Track: nothing available to swop");
    EXPECT_TRUE(top.adjustments[2].startsWith("ELM age 25: from Eve, Sam "));
    EXPECT_TRUE(top.adjustments[2].contains("(935) to Gus, Sam "));
    EXPECT_TRUE(top.adjustments[2].endsWith("(765)"));
    EXPECT_EQ(top.shortages, QStringList{"ASH: There was a shortage of 1 of performances"});
    EXPECT_EQ(m_sink.count(base::MessageKind::Warning), 0);

    // The performances as tagged: ELM's list shows the exchange.
    QStringList elm;
    const scoring::Report detail = top.detailReport();
    for (const auto& [start, title] : detail.sections) {
        if (title != "ELM")
            continue;
        for (qsizetype i = start; i < detail.rows.size() && i < start + 3; ++i)
            elm << detail.rows[i][0] + " " + detail.rows[i][1] + " " + detail.rows[i][5] + " " +
                       detail.rows[i][6];
    }
    EXPECT_EQ(elm, (QStringList{"1 Eve, Sam 935 Swopped out", "2 Ben, Sam 897 Age",
                                "3 Gus, Sam 765 Swopped in"}));
}

TEST_F(TopAthletesTest, WithoutTheMinimumTheAgesAndTheRestCountAsRanked)
{
    scoring::TopAthleteSettings s = settings();
    s.minimums = {{25, "F", 1}};
    s.restParts = 1;
    s.maxPerfsPerAthlete = 2;
    store(s);
    const scoring::TopAthletes top =
        scoring::topAthletes(database(), run().items(), run().meeting());
    ASSERT_TRUE(top.ok);
    // Three each: OAK 966 + 862 + 830, ELM 935 + 897 + 765, ASH 790 + 765 (short of one).
    EXPECT_EQ(totalRows(top), (QStringList{"1 OAK OAK School 3 2658", "2 ELM ELM School 3 2597",
                                           "3 ASH ASH School 2 1555"}));
    EXPECT_EQ(top.adjustments, QStringList{"No adjustments was required after ages to meet the "
                                           "Track- and Field- requirements"});
    EXPECT_TRUE(top.unscored.isEmpty());

    // A youth item the score table does not score counts 0, and the report says so.
    const qint64 youth = addEvent("SHD____100M17");
    const qint64 ash = value("select TEAMNO from TEAM where TEAMABRV = 'ASH'").toLongLong();
    addResult(youth, addAthlete(ash, "Kit", "M", 17), ash, perf("SHD____100M17", "11.5"), 1);
    const scoring::TopAthletes again =
        scoring::topAthletes(database(), run().items(), run().meeting());
    ASSERT_TRUE(again.ok);
    ASSERT_EQ(again.unscored.size(), 1);
    EXPECT_TRUE(again.totalsReport().notes.last().startsWith("No table score for "));
    EXPECT_TRUE(again.totalsReport().notes.last().endsWith(": those performances count 0."));
}

TEST_F(TopAthletesTest, BoysAndGirlsScoredApartAreSummedWhenAsked)
{
    // Cal becomes a girl of OAK.
    exec("update ATHLETE set GENDER = 'F' where SURNAME = 'Cal'");
    scoring::TopAthleteSettings s = settings();
    s.splitGenders = true;
    s.minimums = {{25, "T", 1}};
    store(s);
    const scoring::TopAthletes top =
        scoring::topAthletes(database(), run().items(), run().meeting());
    ASSERT_TRUE(top.ok);
    EXPECT_EQ(totalRows(top), (QStringList{"1 OAK OAK School 1 830", "1 ELM ELM School 2 1832",
                                           "2 OAK OAK School 1 966", "3 ASH ASH School 1 790"}));
    const scoring::Report totals = top.totalsReport();
    ASSERT_EQ(totals.sections.size(), 2);
    EXPECT_EQ(totals.sections[0].second, "Female");
    EXPECT_EQ(totalRows(top, true),
              (QStringList{"1 ELM ELM School 2 1832", "2 OAK OAK School 2 1796",
                           "3 ASH ASH School 1 790"}));
    EXPECT_EQ(top.totalsReport(true).title, "Top Athletes: Teams (Genders Summed)");
}

TEST_F(TopAthletesTest, TheReportIsRefusedWithoutUsableSettingsOrPerformances)
{
    auto refused = [this](const QString& message) {
        m_sink.clear();
        EXPECT_FALSE(scoring::topAthletes(database(), run().items(), run().meeting()).ok);
        EXPECT_TRUE(m_sink.saw(message)) << message.toStdString();
    };
    refused("TopScore settings does not exist (0)");
    store(settings());
    exec("update TOP_ATH_SETTINGS set VALIDATED = 0");
    refused("TopScore settings not validated (0)");
    exec("update TOP_ATH_SETTINGS set VALIDATED = 1");
    exec("update PARTICIPATE set PLACE = 0");
    refused("No performances to collect");
    setMeeting("TEAMSCOREBASIS = 2");
    refused("The top athletes are the team score of a meeting whose Team-score basis is "
            "TopAthletes.");
    setMeeting("TEAMSCOREBASIS = 99, HAS_TABLE_SCORE = 0");
    refused("Since this Meeting does not use a Score Table, the top athletes cannot be based on "
            "table scores.");
}

TEST_F(TopAthletesTest, SettingsAreCheckedAndStoredOnlyWhenAccepted)
{
    const QList<int> ages{13, 15, 17};
    scoring::TopAthleteSettings s;
    s.agesCounts = "2,2";
    s.maxPerfsPerAthlete = 0;
    s.minimums = {{15, "T", 0}};
    EXPECT_EQ(scoring::topAthleteSettingsProblems(s, ages),
              (QStringList{"Expected either 0 or 3 or 4 in TOP_ATH_AGES_COUNTS:2,2",
                           "You have not specified any minimums.",
                           "Each athlete must be allowed at least one performance."}));
    s.agesCounts = "two";
    EXPECT_TRUE(scoring::topAthleteSettingsProblems(s, ages).contains(
        "Expected either 0 or 3 or 4 in TOP_ATH_AGES_COUNTS:two"));
    s = {};
    s.agesCounts = "1,1,1,1";
    s.minimums = {{15, "T", 1}, {15, "F", 1}, {16, "F", 1}};
    EXPECT_EQ(scoring::topAthleteSettingsProblems(s, ages),
              (QStringList{"The Meeting has 3 ages (13, 15, 17), but 4 performance counts are "
                           "given.",
                           "There are no items of age 16 for its minimum of Field."}));
    s.agesCounts = "1,1,1";
    s.minimums = {{15, "T", 1}, {15, "F", 1}};
    EXPECT_EQ(scoring::topAthleteSettingsProblems(s, ages),
              QStringList{"The minimums of age 15 (2) are more than the performances it can "
                          "count (1)."});
    s.restParts = 1;
    EXPECT_TRUE(scoring::topAthleteSettingsProblems(s, ages).isEmpty());

    // The meeting's one age gets one count: asked, and No stores nothing.
    m_sink.answerNo();
    EXPECT_FALSE(scoring::acceptTopAthleteSettings(database(), m_meetingNo, settings()));
    EXPECT_TRUE(m_sink.saw("The settings are not correct.  Accept anyway"));
    EXPECT_EQ(value("select count(*) from TOP_ATH_SETTINGS"), "0");
    store(settings());
    scoring::TopAthleteSettings stored = settings();
    stored.validated = true;
    EXPECT_EQ(scoring::loadTopAthleteSettings(database(), m_meetingNo, 0), stored);
    // Stored again, the league's rows are replaced, and other leagues keep theirs.
    scoring::TopAthleteSettings other = settings();
    other.league = 2;
    store(other);
    stored.minimums = {{25, "F", 1}, {25, "T", 1}};
    stored.restParts = 3;
    store(stored);
    EXPECT_EQ(scoring::loadTopAthleteSettings(database(), m_meetingNo, 0), stored);
    EXPECT_EQ(value("select count(*) from TOP_ATH_SETTINGS where LEAGUE = 0"), "3");
    EXPECT_EQ(value("select count(*) from TOP_ATH_SETTINGS where LEAGUE = 2"), "2");
}

TEST_F(TopAthletesTest, TheCommandLineSetsTheSettingsAndPrintsTheReport)
{
    QString out;
    QString err;
    EXPECT_EQ(cli({"topathletes", "set", "--min", "25:X:2"}, &out, &err), 2);
    // The one age count needs --yes to be accepted.
    EXPECT_EQ(cli({"topathletes", "set", "--ages-counts", "2", "--max-per-athlete", "1", "--min",
                   "25:T:2"},
                  &out, &err),
              1);
    ASSERT_EQ(cli({"--yes", "topathletes", "set", "--ages-counts", "2", "--max-per-athlete", "1",
                   "--min", "25:T:2"},
                  &out, &err),
              0)
        << err.toStdString();
    ASSERT_EQ(cli({"--json", "topathletes", "show"}, &out, &err), 0) << err.toStdString();
    const QJsonObject shown = QJsonDocument::fromJson(out.toUtf8()).object();
    EXPECT_EQ(shown["agesCounts"].toString(), "2");
    EXPECT_EQ(shown["minimums"].toArray().size(), 1);
    EXPECT_TRUE(shown["validated"].toBool());

    ASSERT_EQ(cli({"--json", "report", "top-athletes"}, &out, &err), 0) << err.toStdString();
    const QJsonObject report = QJsonDocument::fromJson(out.toUtf8()).object();
    const QJsonArray rows = report["rows"].toArray();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[1].toObject()["Team"].toString(), "ELM");
    EXPECT_EQ(rows[1].toObject()["Score"].toString(), "1662");
    EXPECT_TRUE(report["notes"].toArray().at(0).toString().startsWith("=============="));

    // Team totals under this basis are the top athletes' totals.
    ASSERT_EQ(cli({"team", "totals"}, &out, &err), 0) << err.toStdString();
    EXPECT_TRUE(out.contains("Top Athletes: Teams (Genders Summed)"));
    EXPECT_TRUE(err.contains("If the Team-score basis is a fixed number of points (TopAthletes)"));

    const QString pdf = m_home->dir() + "/top.pdf";
    ASSERT_EQ(cli({"report", "top-athletes", "--detail", "--pdf", pdf}, &out, &err), 0)
        << err.toStdString();
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains("Top Athletes: Performances"));
    EXPECT_TRUE(text.contains(QRegularExpression("Gus, Sam.*765\\s+Swopped in")));
    EXPECT_TRUE(text.contains("nothing available to swop"));
}

TEST_F(TopAthletesTest, TheWinnersScreenEditsTheSettingsOfTheTopAthletes)
{
    setMeeting("TEAMSCOREBASIS = 1");
    scoring::WinnersForm winners(run());
    EXPECT_FALSE(winners.topAthletesButton()->isEnabled());
    winners.basis()->setCurrentIndex(winners.basis()->findData(99));
    EXPECT_TRUE(winners.topAthletesButton()->isEnabled());

    // The screen edits a copy: the first OK is refused by the check (No), the second
    // accepted as it stands (Yes).
    using Form = scoring::TopAthletesForm;
    testing_support::ModalDialogs<Form> dialogs({[](Form* form) {
                                                     form->agesCounts()->setText("2");
                                                     form->maxPerAthlete()->setValue(1);
                                                     form->minimum(25, 0)->setValue(2);
                                                     form->accept();
                                                 },
                                                 [](Form* form) {
                                                     EXPECT_EQ(form->minimum(25, 0)->value(), 2);
                                                     form->rest()->setValue(1);
                                                     form->accept();
                                                 }});
    m_sink.answerNo();
    m_sink.answerYes();
    winners.topAthletesButton()->click();
    EXPECT_EQ(dialogs.answered(), 2);
    EXPECT_EQ(dialogs.extra(), 0);
    const std::optional<scoring::TopAthleteSettings> s =
        scoring::loadTopAthleteSettings(database(), m_meetingNo, 0);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->agesCounts, "2");
    EXPECT_EQ(s->restParts, 1);
    EXPECT_EQ(s->minimums, (QList<scoring::TopAthleteMinimum>{{25, "T", 2}}));
}

} // namespace
