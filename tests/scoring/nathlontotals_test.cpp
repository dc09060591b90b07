#include "scoring/athleticsfixture.h"

#include "draw/events.h"
#include "draw/programsetup.h"
#include "entries/participations.h"
#include "results/places.h"
#include "scoring/forms/afterform.h"
#include "scoring/forms/reportprinter.h"
#include "scoring/nathlontotals.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

using testing_support::runCli;

const QStringList kDecathlon{"SHD____100M25", "JMPLong___M25", "THRShotputM25", "JMPHigh___M25",
                             "SHD____400M25", "HDL____110M25", "THRDiscus_M25", "JMPPole___M25",
                             "THRJavelinM25", "LOD___1500M25"};
// A published decathlon: 812 886 670 992 849 854 583 617 623 690 = 7576 points.
const QStringList kPublished{"11.22", "7.30",  "13.04", "2.20",  "49.26",
                             "14.96", "35.96", "4.00",  "52.32", "4:38.49"};
// Worked out by hand from the published constants: 883 814 728 758 815 790 665 760 663 619.
const QStringList kOther{"10.90", "7.00",  "14.00", "1.95",  "50.00",
                         "15.50", "40.00", "4.50",  "55.00", "4:50.00"};

class NathlonTotalsTest : public AthleticsTest {
protected:
    void SetUp() override
    {
        AthleticsTest::SetUp();
        setMeeting("NATHLON_SCORESET = 5, ELECHAND = 1");
        reload();
        draw::Events events(database(), run().items(), m_meetingNo);
        ASSERT_TRUE(draw::ProgramSetup(events).addStandardCombined("Men", 25, "Decathlon"));
        m_total = eventOf("NTH_____10M25");
        ASSERT_GT(m_total, 0);
        const qint64 team = addTeam("OAK");
        m_first = addNathlete(team, "Ames", "M", 25, 10);
        m_second = addNathlete(team, "Bell", "M", 25, 10);
        m_sink.clear();
    }
    void enterAll(qint64 athlete, const QStringList& perfs)
    {
        for (int i = 0; i < kDecathlon.size(); ++i)
            setResult(eventOf(kDecathlon[i]), athlete, kDecathlon[i], perfs[i]);
    }
    // Places every component: the races are calculated, the vertical jumps' places are
    // entered by hand (best first) as the capture dialog asks for them.
    void placeAll()
    {
        results::Places places(database(), run().items(), run().meeting());
        for (const QString& item : kDecathlon) {
            const qint64 event = eventOf(item);
            const qint64 program =
                value("select PROGRAMNO from PROGRAM where ROUND = 'F' and EVENTNO = " +
                      QString::number(event))
                    .toLongLong();
            if (!run().items().IsVerticalJump(item)) {
                ASSERT_TRUE(places.calcAndRefresh(program)) << item.toStdString();
                continue;
            }
            db::Query q = database().openQuery(
                "select PARTNO from PARTICIPATE where EVENTNO = " + QString::number(event) +
                " and PERFORMANCE is not null and PERFORMANCE <> '' order by PERFORMANCE desc");
            int place = 0;
            for (q.first(); !q.eof(); q.next()) {
                ++place;
                exec("update PARTICIPATE set PLACE = " + QString::number(place) +
                     ", E_PLACE = " + QString::number(place) +
                     " where PARTNO = " + QString::number(q.integer("PARTNO")));
            }
            exec("update PROGRAM set NOT_CALCULATED_YET = 0, PLACEDCOUNT = " +
                 QString::number(place) + " where PROGRAMNO = " + QString::number(program));
        }
    }
    QString total(qint64 athlete)
    {
        return value(QStringLiteral("select PERFORMANCE from PARTICIPATE where EVENTNO = ") +
                     db::sqlInt(m_total) + QStringLiteral(" and ATHLETENO = ") +
                     db::sqlInt(athlete));
    }
    int place(qint64 athlete)
    {
        return value(QStringLiteral("select PLACE from PARTICIPATE where EVENTNO = ") +
                     db::sqlInt(m_total) + QStringLiteral(" and ATHLETENO = ") +
                     db::sqlInt(athlete))
            .toInt();
    }

    qint64 m_total = 0;
    qint64 m_first = 0;
    qint64 m_second = 0;
};

TEST_F(NathlonTotalsTest, TotalsAddTheComponentScoresAndPlaceTheTotalEvent)
{
    enterAll(m_first, kPublished);
    enterAll(m_second, kOther);
    placeAll();
    EXPECT_EQ(scoring::NathlonTotals(run()).computeTotals(m_total), 2);
    EXPECT_EQ(run().items().PerfTextToValue(total(m_first)), 7576.0);
    EXPECT_EQ(run().items().PerfTextToValue(total(m_second)), 7495.0);
    EXPECT_EQ(place(m_first), 1);
    EXPECT_EQ(place(m_second), 2);
    EXPECT_EQ(m_sink.unanswered(), 0);
}

TEST_F(NathlonTotalsTest, DisqualifiedComponentsAndHandTimesCountAsTheRulesSay)
{
    enterAll(m_first, kPublished);
    enterAll(m_second, kOther);
    setResult(eventOf("HDL____110M25"), m_second, "HDL____110M25", "15.50", 2);
    exec(QStringLiteral("update PROGRAM set ELECHAND = 2 where ROUND = 'F' and EVENTNO = ") +
         db::sqlInt(eventOf("SHD____100M25")));
    placeAll();
    ASSERT_EQ(scoring::NathlonTotals(run()).computeTotals(m_total), 2);
    // 10.90 by hand scores 830, not 883; the disqualified hurdles add nothing.
    EXPECT_EQ(run().items().PerfTextToValue(total(m_second)), 7495.0 - 790 - 883 + 830);
    // The first athlete's 11.22 by hand is 11.46: 761 points instead of 812.
    EXPECT_EQ(run().items().PerfTextToValue(total(m_first)), 7576.0 - 812 + 761);
}

TEST_F(NathlonTotalsTest, RecomputingReplacesTheStoredTotal)
{
    enterAll(m_first, kPublished);
    enterAll(m_second, kOther);
    placeAll();
    ASSERT_EQ(scoring::NathlonTotals(run()).computeTotals(m_total), 2);
    setResult(eventOf("JMPHigh___M25"), m_first, "JMPHigh___M25", "1.95");
    placeAll();
    ASSERT_EQ(scoring::NathlonTotals(run()).computeTotals(m_total), 2);
    EXPECT_EQ(run().items().PerfTextToValue(total(m_first)), 7576.0 - 992 + 758);
    // 7342 is now behind 7495.
    EXPECT_EQ(place(m_first), 2);
    EXPECT_EQ(place(m_second), 1);
}

TEST_F(NathlonTotalsTest, IncompleteComponentsAskAndARefusalWritesNothing)
{
    enterAll(m_first, kPublished);
    placeAll();
    // Nobody jumped the pole vault yet.
    exec(QStringLiteral("update PARTICIPATE set PERFORMANCE = null where EVENTNO = ") +
         db::sqlInt(eventOf("JMPPole___M25")));
    placeAll();
    const QStringList missing = scoring::NathlonTotals(run()).incompleteComponents(m_total);
    ASSERT_EQ(missing.size(), 1);
    EXPECT_TRUE(missing[0].endsWith(" no athletes placed")) << missing[0].toStdString();
    m_sink.answerNo();
    EXPECT_EQ(scoring::NathlonTotals(run()).computeTotals(m_total), -1);
    EXPECT_TRUE(m_sink.saw("n-Athlon Results not Complete"));
    EXPECT_TRUE(total(m_first).isEmpty());
    m_sink.clear();
    m_sink.answerYes();
    EXPECT_EQ(scoring::NathlonTotals(run()).computeTotals(m_total), 2);
    EXPECT_EQ(run().items().PerfTextToValue(total(m_first)), 7576.0 - 617);
    // Going on anyway places the total event too, without asking a second time.
    EXPECT_EQ(value("select PLACE from PARTICIPATE where EVENTNO = " + QString::number(m_total) +
                    " and ATHLETENO = " + QString::number(m_first)),
              "1");
    EXPECT_EQ(m_sink.count(base::MessageKind::Warning), 0);
}

TEST_F(NathlonTotalsTest, AScoreSetThatIsNotLoadedWritesNoTotals)
{
    enterAll(m_first, kPublished);
    placeAll();
    setMeeting("NATHLON_SCORESET = 19");
    reload();
    m_sink.clear();
    EXPECT_EQ(scoring::NathlonTotals(run()).computeTotals(m_total), -1);
    EXPECT_TRUE(m_sink.saw("The ScoreTable for WorldAth 2008 Comb is not available"));
    EXPECT_TRUE(total(m_first).isEmpty());
}

TEST_F(NathlonTotalsTest, TheInterimReportRunsTheTotalsAndRefusesOtherEvents)
{
    for (const int i : {0, 1, 2, 9})
        setResult(eventOf(kDecathlon[i]), m_first, kDecathlon[i], kPublished[i]);
    const scoring::Report report = scoring::NathlonTotals(run()).interimReport(m_total);
    ASSERT_EQ(report.rows.size(), 4);
    EXPECT_EQ(report.title, "n-Athlon Intirim totals");
    // Headed as the screens list the event: name first, then age and gender.
    EXPECT_EQ(report.subtitle, "Decathlon 25 Male");
    // Surname first, as every other list names athletes.
    EXPECT_EQ(report.rows[0][0], "Ames, Sam");
    EXPECT_EQ(report.sections.value(0).second, "Ames, Sam");
    EXPECT_EQ(report.rows[0][3], "812");
    EXPECT_EQ(report.rows[2][4], QString::number(812 + 886 + 670));
    // Times as people write them, not as stored ("04:38.49").
    EXPECT_EQ(report.rows[3][2], "4:38.49");
    EXPECT_EQ(report.rows[0][2], "11.22");
    EXPECT_EQ(report.rows[3][4], QString::number(812 + 886 + 670 + 690));
    EXPECT_TRUE(scoring::NathlonTotals(run()).interimReport(eventOf("SHD____100M25")).isEmpty());
    EXPECT_TRUE(m_sink.saw("This is only applicable to n-Athlon results."));
}

TEST_F(NathlonTotalsTest, TheInterimReportNamesEachAthleteOnceOutsideJson)
{
    for (const int i : {0, 1, 2})
        setResult(eventOf(kDecathlon[i]), m_first, kDecathlon[i], kPublished[i]);
    for (const int i : {0, 1})
        setResult(eventOf(kDecathlon[i]), m_second, kDecathlon[i], kOther[i]);
    const scoring::Report report = scoring::NathlonTotals(run()).interimReport(m_total);
    ASSERT_EQ(report.rows.size(), 5);
    // Shown: the athlete heads a group of rows and is not repeated in them.
    EXPECT_EQ(report.shownHeaders(), QStringList({"Event", "Performance", "Score", "Total"}));
    EXPECT_EQ(report.shownRow(1).value(2), "886");
    EXPECT_EQ(report.sectionAt(3).value_or(QString()), "Bell, Sam");
    EXPECT_EQ(report.toText().count("Ames, Sam"), 1) << report.toText().toStdString();
    EXPECT_EQ(report.toText().count("Bell, Sam"), 1);
    // JSON rows stand alone: each one names its athlete.
    const QJsonArray rows = report.toJson().value("rows").toArray();
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[2].toObject().value("Athlete").toString(), "Ames, Sam");
    EXPECT_EQ(rows[4].toObject().value("Athlete").toString(), "Bell, Sam");
    EXPECT_EQ(rows[4].toObject().value("Total").toString(), QString::number(883 + 814));
    // On paper too.
    const QString pdf = m_home->dir() + "/grouped.pdf";
    ASSERT_TRUE(scoring::printReportToPdf(report, QString(), pdf));
    const QString text = pdfText(pdf);
    EXPECT_EQ(text.count("Ames, Sam"), 1) << text.toStdString();
    EXPECT_EQ(text.count("Bell, Sam"), 1);
    EXPECT_TRUE(text.contains(QString::number(812 + 886 + 670)));
}

TEST_F(NathlonTotalsTest, AnAthleteOfTwentySevenTakesPartInTheSeniorDecathlon)
{
    const QStringList db{"--db",      m_path,      "--edition",
                         "athletics", "--meeting", QString::number(m_meetingNo)};
    QString out;
    QString err;
    ASSERT_EQ(runCli(db + QStringList{"team", "add", "Pine Hill", "PIN"}, &out, &err), 0)
        << err.toStdString();
    ASSERT_EQ(runCli(db + QStringList{"athlete", "add", "PIN", "Cole", "Tim", "M", "27",
                                      "--nathlon", "10"},
                     &out, &err),
              0)
        << err.toStdString();
    EXPECT_TRUE(out.contains("entries: 11")) << out.toStdString();
    const qint64 athlete = out.section("athleteno:", 1).section('\n', 0, 0).trimmed().toLongLong();
    // An age without the n-athlon is added, and the user told that nothing was entered.
    ASSERT_EQ(runCli(db + QStringList{"athlete", "add", "PIN", "Dunn", "Al", "M", "24", "--nathlon",
                                      "10"},
                     &out, &err),
              0);
    EXPECT_TRUE(out.contains("entries: 0"));
    EXPECT_TRUE(err.contains("There are no events of a 10-Athlon for M 24: the athlete was "
                             "added without entries."))
        << err.toStdString();
    ASSERT_GT(athlete, 0);
    EXPECT_EQ(count("PARTICIPATE", "ATHLETENO = " + QString::number(athlete) +
                                       " and EVENTNO = " + QString::number(m_total)),
              1);
    // Ages 26 to 34 score as the open age.
    enterAll(athlete, kPublished);
    enterAll(m_first, kOther);
    enterAll(m_second, kOther);
    placeAll();
    ASSERT_EQ(scoring::NathlonTotals(run()).computeTotals(m_total), 3);
    EXPECT_EQ(run().items().PerfTextToValue(total(athlete)), 7576.0);
    EXPECT_EQ(place(athlete), 1);
    // So are the open events offered to a senior of that age who is no n-athlete.
    draw::Events events(database(), run().items(), m_meetingNo);
    draw::NewEvent open;
    open.itemCode = "SHD____200M25";
    open.selected = true;
    const qint64 twoHundred = events.addEvent(open);
    const qint64 runner = addAthlete(addTeam("ELM"), "Dale", "M", 31);
    const entries::EntrySettings settings = entries::EntrySettings::from(run().meeting());
    QList<qint64> offered;
    for (const entries::EventRow& e :
         entries::Participations(database(), settings).itemsFor(runner))
        offered << e.eventNo;
    EXPECT_EQ(offered, QList<qint64>{twoHundred});
}

TEST_F(NathlonTotalsTest, TheCommandsComputeAndPrintTheInterimReport)
{
    enterAll(m_first, kPublished);
    enterAll(m_second, kOther);
    placeAll();
    const QStringList db{"--db", m_path, "--edition", "athletics"};
    const QString meeting = QString::number(m_meetingNo);
    QString out;
    QString err;
    ASSERT_EQ(runCli(db + QStringList{"nathlon", "totals", QString::number(m_total), "--meeting",
                                      meeting},
                     &out, &err),
              0)
        << err.toStdString();
    EXPECT_TRUE(out.contains("athletes: 2"));
    const QString pdf = m_home->dir() + "/interim.pdf";
    ASSERT_EQ(runCli(db + QStringList{"nathlon", "interim", QString::number(m_total), "--pdf", pdf,
                                      "--meeting", meeting},
                     &out, &err),
              0)
        << err.toStdString();
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains("n-Athlon Intirim totals")) << text.toStdString();
    EXPECT_TRUE(text.contains("Decathlon 25 Male")) << text.toStdString();
    EXPECT_FALSE(text.contains("25 Male Decathlon")) << text.toStdString();
    EXPECT_TRUE(text.contains("7576"));
    EXPECT_TRUE(text.contains("7495"));
    // The swimming edition takes them too, its codes with the swimming mark.
    EXPECT_EQ(runCli({"--db", m_path, "nathlon", "add", "F", "22", "1", "--meeting", meeting}, &out,
                     &err),
              0)
        << err.toStdString();
    EXPECT_EQ(count("MYEVENT", "ITEMCODE = 'NTH______7F22W'"), 1);
}

TEST_F(NathlonTotalsTest, AddingRefusesKindsOfTheOtherGenderAndAgesWithoutAComposition)
{
    const QStringList db{"--db", m_path, "--edition", "athletics", "--yes"};
    const QString meeting = QString::number(m_meetingNo);
    QString out;
    QString err;
    EXPECT_EQ(runCli(db + QStringList{"nathlon", "add", "F", "25", "0", "--meeting", meeting}, &out,
                     &err),
              1);
    EXPECT_TRUE(err.contains("Invalid:F 10 25")) << err.toStdString();
    const int events = count("MYEVENT");
    EXPECT_EQ(
        runCli(db + QStringList{"nathlon", "add", "M", "16", "Decathlon", "--meeting", meeting},
               &out, &err),
        1);
    EXPECT_EQ(count("MYEVENT"), events);
    ASSERT_EQ(runCli(db + QStringList{"nathlon", "add", "F", "25", "1", "--meeting", meeting}, &out,
                     &err),
              0)
        << err.toStdString();
    EXPECT_EQ(count("MYEVENT"), events + 8);
    // Athletes are entered: the decathlon cannot be removed.
    EXPECT_EQ(runCli(db + QStringList{"nathlon", "remove", QString::number(m_total), "--meeting",
                                      meeting},
                     &out, &err),
              1);
    EXPECT_EQ(count("MYEVENT"), events + 8);
}

TEST_F(NathlonTotalsTest, TheAfterScreenComputesTheTotals)
{
    enterAll(m_first, kPublished);
    enterAll(m_second, kOther);
    placeAll();
    scoring::AfterForm form(run());
    form.nathlonTotals();
    EXPECT_TRUE(m_sink.saw("Done: the totals of 2 athletes were calculated and placed."));
    EXPECT_EQ(run().items().PerfTextToValue(total(m_first)), 7576.0);
    EXPECT_EQ(place(m_first), 1);
    EXPECT_EQ(place(m_second), 2);
}

} // namespace
