#include "sheetsfixture.h"

#include "db/sqltext.h"
#include "sheets/distribution.h"
#include "sheets/forms/sheetoutput.h"
#include "sheets/resultprinting.h"
#include "sheets/sheetkinds.h"

namespace {

class ResultSheetsTest : public SheetsTest {
protected:
    // Bravo wins, Delta second, Echo disqualified; Charlie has no result yet.
    void swim(qint64 event)
    {
        auto result = [&](const char* surname, int place, const char* performance, int status) {
            ASSERT_TRUE(database().execute(
                QStringLiteral("update PARTICIPATE set E_PLACE = ") + db::sqlInt(place) +
                QStringLiteral(", PLACE = ") + db::sqlInt(place) +
                QStringLiteral(", PERFORMANCE = ") + db::quoted(QString::fromLatin1(performance)) +
                QStringLiteral(", DISQ_STATUS = ") + db::sqlInt(status) +
                QStringLiteral(" where EVENTNO = ") + db::sqlInt(event) +
                QStringLiteral(" and ATHLETENO = (select ATHLETENO from ATHLETE where SURNAME "
                               "= ") +
                db::quoted(QString::fromLatin1(surname)) + QLatin1Char(')')));
        };
        result("Delta", 2, "01:11.40", 0);
        result("Bravo", 1, "01:09.85", 0);
        result("Echo", 0, "", 2);
        ASSERT_TRUE(database().execute(
            QStringLiteral("update PROGRAM set NOT_CALCULATED_YET = 0 where EVENTNO = ") +
            db::sqlInt(event)));
    }
    int print(const sheets::PrintRequest& request, const QString& name)
    {
        sheets::PdfSheetOutput output(run(), pdfPath(name));
        return sheets::ResultPrinting(run()).print(request, output);
    }
    int resultsPrinted(qint64 event, const QString& round, int heat)
    {
        return value(QStringLiteral("select coalesce(RESULTSPRINTED, 0) from PROGRAM where "
                                    "EVENTNO = ") +
                     db::sqlInt(event) + QStringLiteral(" and ROUND = ") + db::quoted(round) +
                     QStringLiteral(" and HEATNO = ") + db::sqlInt(heat))
            .toInt();
    }
    sheets::Distribution distribution()
    {
        return sheets::Distribution(database(), messages(), m_meetingNo);
    }
};

TEST_F(ResultSheetsTest, AFinalsResultsGoOncePerFinalsLineWithThePlacedFirst)
{
    const qint64 event = drawnFinal();
    // Entered but not drawn into the final (left out after the heats): not on its results.
    enter(event,
          addSwimmer(addTeam(QStringLiteral("Seals"), QStringLiteral("SEA")),
                     QStringLiteral("Foxtrot")),
          0);
    swim(event);
    distribution().add(sheets::kind::ResultsFinal, QStringLiteral("Announcer"));
    distribution().add(sheets::kind::ResultsFinal, QStringLiteral("NoticeBoard"));
    // The heats' line is not a copy of a final's results.
    distribution().add(sheets::kind::ResultsHeat, QStringLiteral("Heat board"));

    ASSERT_EQ(print(finalOf(event), QStringLiteral("final.pdf")), 1);
    const QStringList pages = pdfPages(pdfPath(QStringLiteral("final.pdf")));
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Announcer")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("NoticeBoard")));
    for (const QString& page : pages) {
        EXPECT_FALSE(page.contains(QStringLiteral("Heat board")));
        EXPECT_TRUE(page.contains(QStringLiteral("Results")));
        EXPECT_TRUE(page.contains(QStringLiteral("100m Freestyle")));
        // Placed in place order, then those without a result, then the disqualified.
        const qsizetype bravo = page.indexOf(QStringLiteral("Bravo"));
        const qsizetype delta = page.indexOf(QStringLiteral("Delta"));
        const qsizetype charlie = page.indexOf(QStringLiteral("Charlie"));
        const qsizetype echo = page.indexOf(QStringLiteral("Echo"));
        ASSERT_GE(bravo, 0) << page.toStdString();
        EXPECT_LT(bravo, delta);
        EXPECT_LT(delta, charlie);
        EXPECT_LT(charlie, echo);
        EXPECT_TRUE(page.contains(QStringLiteral("01:09.85")));
        EXPECT_FALSE(page.contains(QStringLiteral("Foxtrot")));
        EXPECT_FALSE(page.contains(QStringLiteral("Referee")));
    }
    EXPECT_EQ(resultsPrinted(event, QStringLiteral("F"), 0), 1);
}

TEST_F(ResultSheetsTest, AHeatsResultsTakeTheHeatLinesAndMarkOnlyThatHeat)
{
    const qint64 event = twoHeats(QStringLiteral("FRE____100M13W"), QStringLiteral("Alpha"),
                                  QStringLiteral("Omega"));
    ASSERT_TRUE(database().execute(
        QStringLiteral("update PROGRAM set NOT_CALCULATED_YET = 0 where EVENTNO = ") +
        db::sqlInt(event)));
    distribution().add(sheets::kind::ResultsHeat, QStringLiteral("Heat board"));
    distribution().add(sheets::kind::ResultsFinal, QStringLiteral("Media"));

    sheets::PrintRequest request;
    request.eventNo = event;
    request.round = QStringLiteral("A");
    request.heatNo = 2;
    ASSERT_EQ(print(request, QStringLiteral("heat.pdf")), 1);
    const QStringList pages = pdfPages(pdfPath(QStringLiteral("heat.pdf")));
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Heat board")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Media")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Omega")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Alpha")));
    EXPECT_EQ(resultsPrinted(event, QStringLiteral("A"), 2), 1);
    EXPECT_EQ(resultsPrinted(event, QStringLiteral("A"), 1), 0);
}

TEST_F(ResultSheetsTest, PlacesNotCalculatedAskFirstAndNoPrintsAndMarksNothing)
{
    const qint64 event = drawnFinal(); // the fixture's rows wait for their calculation
    m_sink.answerNo();
    EXPECT_EQ(print(finalOf(event), QStringLiteral("no.pdf")), 0);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("The Event is not Calculated yet: Print anyway")));
    EXPECT_FALSE(QFile::exists(pdfPath(QStringLiteral("no.pdf"))));
    EXPECT_EQ(resultsPrinted(event, QStringLiteral("F"), 0), 0);

    m_sink.answerYes();
    EXPECT_EQ(print(finalOf(event), QStringLiteral("yes.pdf")), 1);
    EXPECT_EQ(pdfPages(pdfPath(QStringLiteral("yes.pdf"))).size(), 1);
}

TEST_F(ResultSheetsTest, AHeatNotInTheProgramOrAnUnwritablePdfPrintsNothing)
{
    const qint64 event = drawnFinal();
    swim(event);
    sheets::PrintRequest missing;
    missing.eventNo = event;
    missing.round = QStringLiteral("A");
    missing.heatNo = 3;
    EXPECT_EQ(print(missing, QStringLiteral("missing.pdf")), 0);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("There is no heat 3 in round A of this event.")));

    sheets::PdfSheetOutput output(run(), m_home->dir() + QStringLiteral("/no/such/dir/r.pdf"));
    EXPECT_EQ(sheets::ResultPrinting(run()).print(finalOf(event), output), 0);
    EXPECT_EQ(resultsPrinted(event, QStringLiteral("F"), 0), 0);
}

} // namespace
