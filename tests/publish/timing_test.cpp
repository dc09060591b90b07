// Race files of the timing system: read, kept in the meeting's race tables, written into
// their heat as typed results, wiped and deleted with the meeting.

#include "racefixture.h"

#include "db/meetingdelete.h"
#include "publish/liffile.h"
#include "publish/timingraces.h"

namespace {

TEST(LifFile, ReadsTheHeaderPlacesTiesAndStatuses)
{
    const publish::LifRead read = publish::parseLif(kRace);
    ASSERT_TRUE(read.ok) << read.refusal.toStdString();
    EXPECT_EQ(read.race.event, 7);
    EXPECT_EQ(read.race.heat, 2);
    EXPECT_EQ(read.race.name, "50m Freestyle Heat 2");
    ASSERT_EQ(read.race.lines.size(), 4);
    EXPECT_EQ(read.race.lines[1].place, 2);
    EXPECT_EQ(read.race.lines[2].place, 2);
    EXPECT_DOUBLE_EQ(read.race.lines[1].seconds, 31.50);
    EXPECT_EQ(read.race.lines[1].thirdDigit, "4");
    EXPECT_EQ(read.race.lines[3].status, 3) << "DNS";
    EXPECT_EQ(read.race.lines[3].lineNo, 5);
    const publish::LifRead minutes =
        publish::parseLif("3,1,1\n1,,4,A,B,C,1:02.35\n2,,5,D,E,F,1:02:03.4\n");
    ASSERT_TRUE(minutes.ok) << minutes.refusal.toStdString();
    EXPECT_DOUBLE_EQ(minutes.race.lines[0].seconds, 62.35);
    EXPECT_EQ(minutes.race.lines[0].lane, 4);
    EXPECT_DOUBLE_EQ(minutes.race.lines[1].seconds, 3723.40);
}

TEST(LifFile, NamesInLatin1OrUtf16AreReadAsWritten)
{
    const QString text = "7,1,2,Final\n1,101,1,Müller,Zoë,DOL,30.00\n";
    const publish::LifRead latin = publish::parseLif(text.toLatin1());
    ASSERT_TRUE(latin.ok);
    EXPECT_EQ(latin.race.lines[0].lastName, "Müller");
    QByteArray utf16("\xff\xfe", 2);
    for (const QChar c : text)
        utf16.append(char(c.unicode() & 0xff)).append(char(c.unicode() >> 8));
    const publish::LifRead wide = publish::parseLif(utf16);
    ASSERT_TRUE(wide.ok) << wide.refusal.toStdString();
    EXPECT_EQ(wide.race.lines[0].firstName, "Zoë");
}

TEST(LifFile, BadFilesAreRefusedWithTheLine)
{
    const auto refusal = [](const QByteArray& bytes) {
        const publish::LifRead r = publish::parseLif(bytes);
        EXPECT_FALSE(r.ok);
        return r.refusal;
    };
    EXPECT_EQ(refusal(""), "The file is empty");
    EXPECT_EQ(refusal("\n\n"), "The file is empty");
    EXPECT_EQ(refusal("Heat two,1\n1,1,1,A,B,C,30.00\n"),
              "Line 1: the header must begin with the event, round and heat");
    EXPECT_EQ(refusal("7,1,2\n1,101,1,Smith,Ann,DOL,30.00\n2,102,2,Jon"),
              "Line 3: the line is cut short (4 of 7 fields)");
    EXPECT_EQ(refusal("7,1,2\n1,101,1,Smith,Ann,DOL,3O.00\n"),
              "Line 2: the time cannot be read: 3O.00");
    // Cut short after the header, or in the middle of the last time.
    EXPECT_EQ(refusal("7,1,2,50m Freestyle Heat 2\n"), "The file has a header but no places");
    EXPECT_EQ(refusal("7,1,2\n1,101,1,Smith,Ann,DOL,1:01.23\n2,102,2,Jones,Ben,DOL,1:0"),
              "Line 3: the time cannot be read: 1:0");
    EXPECT_EQ(refusal("7,1,2\n1,101,1,Smith,Ann,DOL,1:75.00\n"),
              "Line 2: the time cannot be read: 1:75.00");
    EXPECT_EQ(refusal("7,1,2\n1,101,1,Smith,Ann,DOL,1:61:01.00\n"),
              "Line 2: the time cannot be read: 1:61:01.00");
    // Found by fuzzing: minutes beyond any race used to overflow the sum.
    EXPECT_EQ(refusal("7,1,2\n1,101,1,Smith,Ann,DOL,77777771:00\n"),
              "Line 2: the time cannot be read: 77777771:00");
    EXPECT_EQ(refusal("7,1,2\nfirst,101,1,Smith,Ann,DOL,30.00\n"),
              "Line 2: unknown place or status: first");
    EXPECT_EQ(refusal("7,1,2\n1,101,x,Smith,Ann,DOL,30.00\n"),
              "Line 2: the lane is not a number: x");
}

class TimingTest : public RaceTest {
protected:
    publish::LifRace race(const QByteArray& bytes)
    {
        const publish::LifRead read = publish::parseLif(bytes);
        EXPECT_TRUE(read.ok) << read.refusal.toStdString();
        return read.race;
    }
};

TEST_F(TimingTest, ARaceIsKeptAndWrittenIntoItsHeatAsTypedResults)
{
    const publish::LifRace r = race(kRace);
    EXPECT_EQ(publish::proposedProgramRow(run(), r), heat);
    const qint64 raceNo = publish::storeRace(run(), "007-2.lif", r, "2025/03/14 10:00:00", 120);
    ASSERT_GT(raceNo, 0);
    EXPECT_EQ(count("EIF_RANK", "RACENO = " + db::sqlInt(raceNo)), 4);
    EXPECT_EQ(value("select MATCH from EIF_RACE where RACENO = " + db::sqlInt(raceNo)), "1");
    EXPECT_EQ(value("select ASSIGN_ATH_OR_LANE from EIF_RACE"), "1") << "by athlete number";

    const publish::RaceWrite written = publish::writeRaceIntoHeat(run(), raceNo, r, heat);
    ASSERT_TRUE(written.ok) << written.text().toStdString();
    EXPECT_EQ(written.written, 4);
    EXPECT_TRUE(heatValue(ben, "PERFORMANCE").endsWith("30.20"));
    EXPECT_TRUE(heatValue(ann, "PERFORMANCE").endsWith("31.50"));
    EXPECT_EQ(heatValue(ann, "THIRD_DIGIT"), "4");
    EXPECT_EQ(heatValue(cal, "DISQ_STATUS"), "3");
    EXPECT_EQ(heatValue(cal, "PERFORMANCE"), "");
    // The tie stays a tie: both second in the race once the places are calculated.
    EXPECT_EQ(heatValue(ben, "E_PLACE"), "1");
    EXPECT_EQ(heatValue(ann, "E_PLACE"), "2");
    EXPECT_EQ(heatValue(dan, "E_PLACE"), "2");
    EXPECT_EQ(count("EIF_JOIN_RANK", "RACENO = " + db::sqlInt(raceNo)), 4);
    EXPECT_EQ(count("EIF_JOIN_PRGM", "PROGRAMNO = " + db::sqlInt(heat)), 1);
    EXPECT_EQ(value("select STATUS from EIF_RACE"), "2");
}

TEST_F(TimingTest, AnUnknownNumberOrAWrongLaneWritesNothing)
{
    const publish::LifRace unknown = race("7,1,2\n1,102,2,Jones,Ben,DOL,30.20\n"
                                          "2,999,1,Ghost,Gus,DOL,31.00\n");
    const qint64 raceNo = publish::storeRace(run(), "a.lif", unknown, "", 0);
    publish::RaceWrite w = publish::writeRaceIntoHeat(run(), raceNo, unknown, heat);
    EXPECT_FALSE(w.ok);
    ASSERT_EQ(w.errors.size(), 1);
    EXPECT_TRUE(w.errors[0].startsWith("Line 3: no athlete with number 999"))
        << w.text().toStdString();
    EXPECT_EQ(heatValue(ben, "PERFORMANCE"), "") << "Ben's good line was not written either";
    EXPECT_EQ(count("EIF_JOIN_RANK"), 0);

    const publish::LifRace lanes = race("7,1,2\n1,,2,Jones,Ben,DOL,30.20\n2,,6,X,Y,DOL,31.00\n");
    w = publish::writeRaceIntoHeat(run(), publish::storeRace(run(), "b.lif", lanes, "", 0), lanes,
                                   heat);
    EXPECT_FALSE(w.ok);
    EXPECT_TRUE(w.errors.value(0).startsWith("Line 3: no athlete in lane 6 of 007 "))
        << w.text().toStdString();
    EXPECT_EQ(heatValue(ben, "PERFORMANCE"), "");

    const publish::LifRace swapped = race("7,1,2\n1,102,1,Jones,Ben,DOL,30.20\n");
    w = publish::writeRaceIntoHeat(run(), publish::storeRace(run(), "c.lif", swapped, "", 0),
                                   swapped, heat);
    EXPECT_FALSE(w.ok);
    EXPECT_TRUE(w.errors.value(0).contains("lane 1 is not the lane of Jones, Ben"));
}

TEST_F(TimingTest, ATimeTheItemCannotTakeIsRefusedByTheCaptureChecks)
{
    const publish::LifRace r = race("7,1,2\n1,102,2,Jones,Ben,DOL,99:59:59.99\n");
    const publish::RaceWrite w =
        publish::writeRaceIntoHeat(run(), publish::storeRace(run(), "a.lif", r, "", 0), r, heat);
    EXPECT_FALSE(w.ok);
    EXPECT_EQ(w.errors.size(), 1) << w.text().toStdString();
    EXPECT_EQ(heatValue(ben, "PERFORMANCE"), "");
}

TEST_F(TimingTest, TheRacesGoWithAWipeAndWithTheMeeting)
{
    const publish::LifRace r = race(kRace);
    const qint64 raceNo = publish::storeRace(run(), "a.lif", r, "", 0);
    ASSERT_TRUE(publish::writeRaceIntoHeat(run(), raceNo, r, heat).ok);
    publish::storeRace(run(), "b.lif", r, "", 0);
    EXPECT_EQ(value("select count(*) from EIF_RACE where C_DUPLICATE = 1"), "2");
    int races = 0, ranks = 0;
    ASSERT_TRUE(publish::wipeRaces(run(), &races, &ranks));
    EXPECT_EQ(races, 2);
    EXPECT_EQ(ranks, 8);
    EXPECT_TRUE(m_sink.saw("2 Races, and 8 Ranks deleted"));
    for (const char* table : {"EIF_RACE", "EIF_RANK", "EIF_JOIN_PRGM", "EIF_JOIN_RANK"})
        EXPECT_EQ(count(table), 0) << table;

    ASSERT_TRUE(
        publish::writeRaceIntoHeat(run(), publish::storeRace(run(), "c.lif", r, "", 0), r, heat)
            .ok);
    db::deleteMeetingRows(database(), m_meetingNo);
    for (const char* table : {"EIF_RACE", "EIF_RANK", "EIF_JOIN_PRGM", "EIF_JOIN_RANK"})
        EXPECT_EQ(count(table), 0) << table;
}

TEST_F(TimingTest, TheReadCommandAsksBeforeWritingTheHeat)
{
    const QString file = QDir(m_home->dir()).filePath("007-2.lif");
    ASSERT_TRUE(publish::writeBytesFile(file, kRace));
    QString out, err;
    const QStringList command{
        "--db", m_path, "timing", "read", file, "--meeting", QString::number(m_meetingNo)};
    EXPECT_EQ(testing_support::runCli(QStringList{"--no"} + command, &out, &err), 1);
    EXPECT_TRUE(err.contains("Write the times of 007-2.lif into 007 ")) << err.toStdString();
    EXPECT_EQ(heatValue(ben, "PERFORMANCE"), "");
    EXPECT_EQ(count("EIF_RACE"), 0) << "nothing is kept before the yes";
    EXPECT_EQ(count("EIF_RANK"), 0);
    ASSERT_EQ(testing_support::runCli(QStringList{"--yes"} + command, &out, &err), 0)
        << err.toStdString();
    EXPECT_TRUE(out.contains("written: 4")) << out.toStdString();
    EXPECT_EQ(count("EIF_RACE"), 1);
    EXPECT_TRUE(heatValue(ben, "PERFORMANCE").endsWith("30.20"));

    ASSERT_TRUE(publish::writeBytesFile(file, "7,1,2\n1,102,2,Jones"));
    EXPECT_EQ(testing_support::runCli(QStringList{"--yes"} + command, &out, &err), 1);
    EXPECT_TRUE(err.contains("Line 2: the line is cut short")) << err.toStdString();
}

} // namespace
