#include "sheetsfixture.h"

#include "db/sqltext.h"

namespace {

using SheetLanguageTest = SheetsTest;

TEST_F(SheetLanguageTest, TheHeatsTeamLanesArePrintedUnlessTheTeamdrawIsHidden)
{
    const qint64 event = drawnFinal();
    setMeeting(QStringLiteral("SHEETS_SKIP_TRK_TIME"), QStringLiteral("1"));
    // Lane 3 has no team of its own; the team draw put Bravo into his team's lane 2.
    ASSERT_TRUE(database().execute(
        QStringLiteral("update PROGRAM set RANDOMDRAW = 'SHK;OTT;;PDA' where EVENTNO = ") +
        db::sqlInt(event)));
    ASSERT_TRUE(database().execute(
        QStringLiteral("update PARTICIPATE set TEAMDRAW_USED = 1 where LANE = 2 and EVENTNO = ") +
        db::sqlInt(event)));
    ASSERT_EQ(printToPdf(finalOf(event), QStringLiteral("shown.pdf")), 1);
    const QStringList shown = pdfPages(pdfPath(QStringLiteral("shown.pdf")));
    ASSERT_EQ(shown.size(), 2); // event and start sheet
    for (const QString& page : shown) {
        // pdftotext closes the gaps between the lanes to one space.
        EXPECT_TRUE(page.simplified().contains(QStringLiteral("Teamdraw: 1 SHK 2 OTT 4 PDA")))
            << page.toStdString();
        EXPECT_FALSE(page.contains(QStringLiteral("3 PDA")));
    }

    setMeeting(QStringLiteral("SHEETS_HIDE_TEAMDRAW"), QStringLiteral("1"));
    ASSERT_EQ(printToPdf(finalOf(event), QStringLiteral("hidden.pdf")), 1);
    const QString hidden = pdfPages(pdfPath(QStringLiteral("hidden.pdf"))).join(QString());
    EXPECT_FALSE(hidden.contains(QStringLiteral("Teamdraw")));
    EXPECT_TRUE(hidden.contains(QStringLiteral("Delta")));
}

TEST_F(SheetLanguageTest, AHeatWithoutATeamDrawPrintsNoTeamdrawLine)
{
    const qint64 event = drawnFinal();
    // A seeded draw leaves the list of team lanes every new heat gets, but no one drawn by it.
    ASSERT_TRUE(database().execute(
        QStringLiteral("update PROGRAM set RANDOMDRAW = 'SHK;OTT' where EVENTNO = ") +
        db::sqlInt(event)));
    ASSERT_EQ(printToPdf(finalOf(event)), 1);
    EXPECT_FALSE(pdfPages(pdfPath()).join(QString()).contains(QStringLiteral("Teamdraw")));
}

TEST_F(SheetLanguageTest, TheAfrikaansPrintLanguageTranslatesTheLabelsButNotTheNames)
{
    const qint64 event = drawnFinal();
    setMeeting(QStringLiteral("PRINT_LANGUAGE"), QStringLiteral("1"));
    ASSERT_EQ(printToPdf(finalOf(event)), 1);
    const QStringList pages = pdfPages(pdfPath());
    ASSERT_EQ(pages.size(), 3); // event, time and start sheet
    const QString& eventSheet = pages[0];
    for (const QString& word :
         {QStringLiteral("13 Manlik"), QStringLiteral("Atleet"), QStringLiteral("Span"),
          QStringLiteral("Prestasie"), QStringLiteral("Plek"), QStringLiteral("Gedruk:"),
          QStringLiteral("Volgnr: 7"), QStringLiteral("Finaal"), QStringLiteral("Skeidsregter"),
          QStringLiteral("Nuwe Rekord"), QStringLiteral("Otters United"), QStringLiteral("Bravo")})
        EXPECT_TRUE(eventSheet.contains(word)) << word.toStdString() << " missing in\n"
                                               << eventSheet.toStdString();
    for (const QString& english : {QStringLiteral("Performance"), QStringLiteral("Printed:"),
                                   QStringLiteral("Referee"), QStringLiteral("13 Male")})
        EXPECT_FALSE(pages.join(QString()).contains(english)) << english.toStdString();
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Tydvel")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("1 Finaal")));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("Voornaam")));

    // English again once the setting is back.
    setMeeting(QStringLiteral("PRINT_LANGUAGE"), QStringLiteral("0"));
    ASSERT_EQ(printToPdf(finalOf(event), QStringLiteral("english.pdf")), 1);
    const QString english = pdfPages(pdfPath(QStringLiteral("english.pdf"))).join(QString());
    EXPECT_TRUE(english.contains(QStringLiteral("Performance")));
    EXPECT_FALSE(english.contains(QStringLiteral("Prestasie")));
}

} // namespace
