#include "sheetsfixture.h"

#include "base/scriptedsink.h"
#include "meeting/reportlogos.h"
#include "sheets/distribution.h"
#include "sheets/forms/sheetoutput.h"
#include "sheets/sheetkinds.h"

#include <QFileInfo>
#include <QImage>
#include <QProcess>

namespace {

class HeatSheetsTest : public SheetsTest {
protected:
    sheets::Distribution distribution()
    {
        return sheets::Distribution(database(), messages(), m_meetingNo);
    }
};

// The pictures drawn on the pages of a PDF, as poppler lists them (one line each).
int pdfImageCount(const QString& path)
{
    QProcess list;
    list.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path});
    if (!list.waitForFinished(30000) || list.exitCode() != 0)
        return -1;
    const QStringList lines = QString::fromUtf8(list.readAllStandardOutput())
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return int(lines.size()) - 2; // a title line and a rule
}

TEST_F(HeatSheetsTest, TheMeetingsLogoHeadsEverySheet)
{
    const qint64 event = drawnFinal();
    setMeeting(QStringLiteral("SHEETS_SKIP_START"), QStringLiteral("1"));
    ASSERT_EQ(printToPdf(finalOf(event), QStringLiteral("plain.pdf")), 1);
    EXPECT_EQ(pdfImageCount(pdfPath(QStringLiteral("plain.pdf"))), 0);

    QImage logo(64, 32, QImage::Format_RGB32);
    logo.fill(Qt::darkBlue);
    const QString file = pdfPath(QStringLiteral("logo.jpg"));
    ASSERT_TRUE(logo.save(file, "JPG"));
    ASSERT_TRUE(
        meeting::storeReportLogo(database(), m_meetingNo, meeting::LogoSide::Meeting, file));
    ASSERT_EQ(printToPdf(finalOf(event), QStringLiteral("logo.pdf")), 1);
    const qsizetype pages = pdfPages(pdfPath(QStringLiteral("logo.pdf"))).size();
    ASSERT_GE(pages, 2); // the event sheet and the time sheet
    EXPECT_EQ(pdfImageCount(pdfPath(QStringLiteral("logo.pdf"))), pages);
}

TEST_F(HeatSheetsTest, ThreeActiveLinesGiveThreeEventSheetsEachCarryingItsOwnLine)
{
    const qint64 event = drawnFinal();
    setMeeting(QStringLiteral("SHEETS_SKIP_TRK_TIME"), QStringLiteral("1"));
    setMeeting(QStringLiteral("SHEETS_SKIP_START"), QStringLiteral("1"));
    const QStringList lines{QStringLiteral("Main copy for the judge"),
                            QStringLiteral("Second copy for timing"),
                            QStringLiteral("Third copy for the board")};
    for (const QString& line : lines)
        ASSERT_GT(distribution().add(sheets::kind::TrackEvent, line), 0);
    // A line of another kind does not make a copy of the event sheet.
    distribution().add(sheets::kind::TrackLap, QStringLiteral("Lap counter"));

    ASSERT_EQ(printToPdf(finalOf(event)), 1);
    const QStringList pages = pdfPages(pdfPath());
    ASSERT_EQ(pages.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(pages[i].contains(lines[i])) << pages[i].toStdString();
        for (int j = 0; j < 3; ++j) {
            if (j != i) {
                EXPECT_FALSE(pages[i].contains(lines[j]));
            }
        }
        EXPECT_TRUE(pages[i].contains(QStringLiteral("100m Freestyle")));
    }
}

TEST_F(HeatSheetsTest, AnInactiveLineOrIgnoredDistributionLeavesOneCopyWithoutALine)
{
    const qint64 event = drawnFinal();
    setMeeting(QStringLiteral("SHEETS_SKIP_TRK_TIME"), QStringLiteral("1"));
    setMeeting(QStringLiteral("SHEETS_SKIP_START"), QStringLiteral("1"));
    const qint64 first =
        distribution().add(sheets::kind::TrackEvent, QStringLiteral("Hand timers"));
    distribution().add(sheets::kind::TrackEvent, QStringLiteral("Timing desk"));
    ASSERT_TRUE(distribution().toggle(first));

    printToPdf(finalOf(event), QStringLiteral("one.pdf"));
    QStringList pages = pdfPages(pdfPath(QStringLiteral("one.pdf")));
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Timing desk")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Hand timers")));

    sheets::PrintRequest ignoring = finalOf(event);
    ignoring.ignoreDistribution = true;
    printToPdf(ignoring, QStringLiteral("ignored.pdf"));
    pages = pdfPages(pdfPath(QStringLiteral("ignored.pdf")));
    ASSERT_EQ(pages.size(), 1);
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Timing desk")));

    // Distribution switched off as a whole prints one copy too.
    setMeeting(QStringLiteral("USE_DISTRIBUTION"), QStringLiteral("0"));
    printToPdf(finalOf(event), QStringLiteral("off.pdf"));
    EXPECT_EQ(pdfPages(pdfPath(QStringLiteral("off.pdf"))).size(), 1);
}

TEST_F(HeatSheetsTest, TheEventSheetListsTheSwimmersInLaneOrderWithTheirTeams)
{
    const qint64 event = drawnFinal();
    ASSERT_EQ(printToPdf(finalOf(event)), 1);
    const QStringList sheets = pagesTitled(pdfPages(pdfPath()), QStringLiteral("Performance"));
    ASSERT_EQ(sheets.size(), 1);
    const QString& page = sheets[0];
    const QStringList order{QStringLiteral("Bravo"), QStringLiteral("Charlie"),
                            QStringLiteral("Delta"), QStringLiteral("Echo")};
    qsizetype at = 0;
    for (const QString& name : order) {
        const qsizetype found = page.indexOf(name, at);
        ASSERT_GE(found, 0) << name.toStdString() << " out of lane order in\n"
                            << page.toStdString();
        at = found;
    }
    for (const QString& line : page.split(QLatin1Char('\n'))) {
        if (line.contains(QStringLiteral("Bravo")) || line.contains(QStringLiteral("Charlie"))) {
            EXPECT_TRUE(line.contains(QStringLiteral("Otters United"))) << line.toStdString();
        }
        if (line.contains(QStringLiteral("Delta")) || line.contains(QStringLiteral("Echo"))) {
            EXPECT_TRUE(line.contains(QStringLiteral("Sharks Club"))) << line.toStdString();
        }
    }
    for (const QString& heading :
         {QStringLiteral("Draw"), QStringLiteral("Athlete"), QStringLiteral("Team"),
          QStringLiteral("Place"), QStringLiteral("Referee"), QStringLiteral("New Record"),
          QStringLiteral("Printed:"), QStringLiteral("Seq: 7"), QStringLiteral("Winter Gala")})
        EXPECT_TRUE(page.contains(heading)) << heading.toStdString();
}

TEST_F(HeatSheetsTest, OnlyRacesLongerThan800MetresGetALapSheet)
{
    const qint64 eight = drawnFinal(QStringLiteral("FRE____800M13W"));
    printToPdf(finalOf(eight), QStringLiteral("800.pdf"));
    const QStringList eightPages = pdfPages(pdfPath(QStringLiteral("800.pdf")));
    EXPECT_EQ(pagesTitled(eightPages, QStringLiteral("Lapsheet")).size(), 0);
    EXPECT_EQ(pagesTitled(eightPages, QStringLiteral("Time sheet")).size(), 1);

    const qint64 thousand = addEvent(QStringLiteral("FRE___1000M13W"), 8);
    enter(thousand,
          addSwimmer(addTeam(QStringLiteral("Long Haul"), QStringLiteral("LH")),
                     QStringLiteral("Foxtrot")),
          1);
    printToPdf(finalOf(thousand), QStringLiteral("1000.pdf"));
    const QStringList laps =
        pagesTitled(pdfPages(pdfPath(QStringLiteral("1000.pdf"))), QStringLiteral("Lapsheet"));
    ASSERT_EQ(laps.size(), 1);
    EXPECT_TRUE(laps[0].contains(QStringLiteral("Foxtrot")));
    EXPECT_TRUE(laps[0].contains(QStringLiteral("25")));
}

TEST_F(HeatSheetsTest, SkippingStartSheetsLeavesTheEventAndTimeSheets)
{
    const qint64 event = drawnFinal();
    printToPdf(finalOf(event), QStringLiteral("all.pdf"));
    const QStringList all = pdfPages(pdfPath(QStringLiteral("all.pdf")));
    ASSERT_EQ(all.size(), 3);
    EXPECT_TRUE(all[1].contains(QStringLiteral("Time sheet")));
    EXPECT_TRUE(all[2].contains(QStringLiteral("First name")));

    setMeeting(QStringLiteral("SHEETS_SKIP_START"), QStringLiteral("1"));
    printToPdf(finalOf(event), QStringLiteral("nostart.pdf"));
    const QStringList without = pdfPages(pdfPath(QStringLiteral("nostart.pdf")));
    ASSERT_EQ(without.size(), 2);
    EXPECT_TRUE(without[0].contains(QStringLiteral("Performance")));
    EXPECT_TRUE(without[1].contains(QStringLiteral("Time sheet")));
    for (const QString& place :
         {QStringLiteral("1 Final"), QStringLiteral("2 Final"), QStringLiteral("3 Final")})
        EXPECT_TRUE(without[1].contains(place)) << without[1].toStdString();
    EXPECT_TRUE(without[1].contains(QStringLiteral("18")));
}

TEST_F(HeatSheetsTest, PrintingAHeatMarksThatHeatOnly)
{
    const qint64 event =
        twoHeats(QStringLiteral("BCK____100M13W"), QStringLiteral("Alpha"), QStringLiteral("Beta"));

    sheets::PrintRequest request;
    request.eventNo = event;
    request.round = QStringLiteral("A");
    request.heatNo = 2;
    ASSERT_EQ(printToPdf(request), 1);
    EXPECT_EQ(sheetsPrinted(event, QStringLiteral("A"), 2), 1);
    EXPECT_EQ(sheetsPrinted(event, QStringLiteral("A"), 1), 0);
    EXPECT_EQ(sheetsPrinted(event, QStringLiteral("F"), 0), 0);
    const QString text = pdfPages(pdfPath()).join(QString());
    EXPECT_TRUE(text.contains(QStringLiteral("Beta")));
    EXPECT_FALSE(text.contains(QStringLiteral("Alpha")));
    EXPECT_TRUE(text.contains(QStringLiteral("Heat 2")));

    // The whole round prints both heats in heat order.
    request.heatNo = -1;
    ASSERT_EQ(printToPdf(request, QStringLiteral("round.pdf")), 2);
    const QString round = pdfPages(pdfPath(QStringLiteral("round.pdf"))).join(QString());
    EXPECT_LT(round.indexOf(QStringLiteral("Alpha")), round.indexOf(QStringLiteral("Beta")));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("Done: all sheets displayed")));
}

TEST_F(HeatSheetsTest, ACombinedRaceIsGroupedByAgeAndMarksEveryEventOfItsGroup)
{
    const qint64 group = addCombined(12);
    const qint64 boys = addEvent(QStringLiteral("FRE____100M13W"), 12, group);
    const qint64 men = addEvent(QStringLiteral("FRE____100M15W"), 12, group);
    const qint64 other = addEvent(QStringLiteral("FRE____100M17W"), 13);
    const qint64 team = addTeam(QStringLiteral("Sharks Club"), QStringLiteral("SHK"));
    enter(men, addSwimmer(team, QStringLiteral("Older"), 15), 1);
    enter(boys, addSwimmer(team, QStringLiteral("Younger"), 13), 2);
    enter(men, addSwimmer(team, QStringLiteral("Oldest"), 15), 3);
    setMeeting(QStringLiteral("SHEETS_SKIP_TRK_TIME"), QStringLiteral("1"));
    setMeeting(QStringLiteral("SHEETS_SKIP_START"), QStringLiteral("1"));

    ASSERT_EQ(printToPdf(finalOf(boys)), 1);
    const QString page = pdfPages(pdfPath()).join(QString());
    const qsizetype under13 = page.indexOf(QStringLiteral("13 Male"), page.indexOf("Draw"));
    const qsizetype under15 = page.indexOf(QStringLiteral("15 Male"), under13);
    ASSERT_GE(under13, 0);
    ASSERT_GT(under15, under13);
    EXPECT_GT(page.indexOf(QStringLiteral("Younger")), under13);
    EXPECT_LT(page.indexOf(QStringLiteral("Younger")), under15);
    EXPECT_GT(page.indexOf(QStringLiteral("Older")), under15);
    EXPECT_LT(page.indexOf(QStringLiteral("Older")), page.indexOf(QStringLiteral("Oldest")));
    // The group's own place in the program heads the sheet.
    EXPECT_TRUE(page.contains(QStringLiteral("Seq: 12")));
    EXPECT_TRUE(page.contains(QStringLiteral("Pit:B")));
    EXPECT_TRUE(page.contains(QStringLiteral("10:15")));

    EXPECT_EQ(sheetsPrinted(boys, QStringLiteral("F"), 0), 1);
    EXPECT_EQ(sheetsPrinted(men, QStringLiteral("F"), 0), 1);
    EXPECT_EQ(sheetsPrinted(other, QStringLiteral("F"), 0), 0);
}

TEST_F(HeatSheetsTest, AthletesNotDrawnAskFirstAndNoPrintsAndMarksNothing)
{
    const qint64 event = addEvent(QStringLiteral("BCK____100M13W"), 3, 0, QStringLiteral("1,8,0"));
    addProgramRow(event, QStringLiteral("A"), 1, 1);
    const qint64 team = addTeam(QStringLiteral("Sharks Club"), QStringLiteral("SHK"));
    seat(event, QStringLiteral("A"), 1, addSwimmer(team, QStringLiteral("Alpha")), 4);
    seat(event, QStringLiteral("A"), 1, addSwimmer(team, QStringLiteral("Beta")), 0);
    seat(event, QStringLiteral("A"), 1, addSwimmer(team, QStringLiteral("Gamma")), 0);
    sheets::PrintRequest request;
    request.eventNo = event;
    request.round = QStringLiteral("A");

    m_sink.answerNo();
    EXPECT_EQ(printToPdf(request), 0);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("2 athletes were not drawn: print anyway")));
    EXPECT_FALSE(QFileInfo::exists(pdfPath()));
    EXPECT_EQ(sheetsPrinted(event, QStringLiteral("A"), 1), 0);

    m_sink.answerYes();
    EXPECT_EQ(printToPdf(request), 1);
    const QString text = pdfPages(pdfPath()).join(QString());
    EXPECT_TRUE(text.contains(QStringLiteral("Alpha")));
    EXPECT_FALSE(text.contains(QStringLiteral("Beta")));

    // A final without a drawn lane asks its own question.
    m_sink.clear();
    m_sink.answerNo();
    EXPECT_EQ(printToPdf(finalOf(event), QStringLiteral("final.pdf")), 0);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("No athletes were drawn: print anyway")));
    EXPECT_EQ(sheetsPrinted(event, QStringLiteral("F"), 0), 0);
}

TEST_F(HeatSheetsTest, APdfThatCannotBeWrittenIsRefusedAndNothingIsMarked)
{
    const qint64 event = drawnFinal();
    sheets::PrintRequest request = finalOf(event);
    sheets::PdfSheetOutput output(run(), m_home->dir() + QStringLiteral("/missing/dir/x.pdf"));
    EXPECT_EQ(sheets::SheetPrinting(run()).print(request, output), 0);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("Cannot write")));
    EXPECT_EQ(sheetsPrinted(event, QStringLiteral("F"), 0), 0);
    EXPECT_FALSE(m_sink.saw(QStringLiteral("Done: all sheets displayed")));
}

TEST_F(HeatSheetsTest, TheFederationLayoutLabelsRoundsByTheirLetters)
{
    setMeeting(QStringLiteral("IS_ASA"), QStringLiteral("1"));
    const qint64 event =
        addEvent(QStringLiteral("BRE____100M13W"), 3, 0, QStringLiteral("4,2,0/2,4,0"));
    addProgramRow(event, QStringLiteral("B"), 1, 1);
    addProgramRow(event, QStringLiteral("A"), 1, 2);
    const qint64 team = addTeam(QStringLiteral("Sharks Club"), QStringLiteral("SHK"));
    seat(event, QStringLiteral("B"), 1, addSwimmer(team, QStringLiteral("Alpha")), 4);
    seat(event, QStringLiteral("A"), 1, addSwimmer(team, QStringLiteral("Alpha")), 4);
    const QString sheet = QStringLiteral("Event Sheet");
    for (const auto& [round, label] :
         {std::pair{QStringLiteral("B"), QStringLiteral("Heat 1 R")},
          std::pair{QStringLiteral("A"), QStringLiteral("Heat 1 S")}}) {
        sheets::PrintRequest request;
        request.eventNo = event;
        request.round = round;
        ASSERT_EQ(printToPdf(request, round + QStringLiteral(".pdf")), 1);
        const QString text = pdfPages(pdfPath(round + QStringLiteral(".pdf"))).join(QString());
        EXPECT_TRUE(text.contains(label)) << text.toStdString();
        EXPECT_TRUE(text.contains(sheet));
    }
    EXPECT_EQ(m_sink.count(base::MessageKind::Error), 0);
}

} // namespace
