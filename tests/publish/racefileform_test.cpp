// The race file screen: a timing system's file read, its lines marked, matched to a heat and
// written into it only once the official says yes.

#include "racefixture.h"

#include "publish/forms/racefileform.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

namespace {

// The heat's file with a number the heat does not know.
const QByteArray kRaceWithStranger = QByteArray(kRace) + "5,999,5,Ghost,Gus,DOL,32.00\n";

class RaceFileFormTest : public RaceTest {
protected:
    void SetUp() override
    {
        RaceTest::SetUp();
        otherHeat = drawHeat(free, "A", 1, 6, {swimmer("Eve", "Ely"), swimmer("Fay", "Flo")});
        file = QDir(m_home->dir()).filePath("races/007-2.lif");
        ASSERT_TRUE(QDir().mkpath(QFileInfo(file).absolutePath()));
        ASSERT_TRUE(publish::writeBytesFile(file, kRaceWithStranger));
    }
    static QString cell(const publish::RaceFileForm& form, int row, int column)
    {
        const QTableWidgetItem* item = form.lineTable()->item(row, column);
        return item ? item->text() : QString();
    }
    static bool ticked(const publish::RaceFileForm& form, int row)
    {
        return form.lineTable()->item(row, 0)->checkState() == Qt::Checked;
    }
    int writtenResults()
    {
        return count("HEATPART",
                     "EVENTNO = " + db::sqlInt(free) +
                         " and (coalesce(trim(PERFORMANCE), '') <> '' or DISQ_STATUS > 0)");
    }

    qint64 otherHeat = 0;
    QString file;
};

TEST_F(RaceFileFormTest, ShowsTheLinesWithTheUnknownNumberMarkedAndTheHeatItNames)
{
    publish::RaceFileForm form(run(), otherHeat);
    form.fileEdit()->setText(file);
    ASSERT_TRUE(form.readFile());
    EXPECT_EQ(form.headerLabel()->text(), "Event 7, round 1, heat 2: 50m Freestyle Heat 2");
    EXPECT_EQ(form.matchedProgramNo(), heat) << "the file's own heat, not the one offered";
    ASSERT_EQ(form.lineTable()->rowCount(), 5);
    EXPECT_EQ(cell(form, 1, 1), "2");
    EXPECT_EQ(cell(form, 2, 1), "2");
    EXPECT_EQ(cell(form, 1, 6), "31.504");
    EXPECT_EQ(cell(form, 3, 1), "DNS");
    EXPECT_EQ(cell(form, 3, 4), "Cole, Cal");
    for (int row = 0; row < 4; ++row) {
        EXPECT_TRUE(ticked(form, row)) << row;
        EXPECT_EQ(cell(form, row, 7), "") << row;
    }
    EXPECT_FALSE(ticked(form, 4)) << "the unknown number is left out";
    EXPECT_TRUE(cell(form, 4, 7).startsWith("no athlete with number 999 in 007 "));
    EXPECT_EQ(form.statusLabel()->text(), "1 line cannot be written and is left out");
    // The folder of the file is remembered for the next one.
    EXPECT_EQ(run().config().readText("TIMING_RACE_FOLDER"), QFileInfo(file).absolutePath());

    // Matched to the other heat, none of the numbers is known there.
    form.heatBox()->setCurrentIndex(form.heatBox()->findData(otherHeat));
    for (int row = 0; row < 5; ++row) {
        EXPECT_FALSE(ticked(form, row)) << row;
        EXPECT_TRUE(cell(form, row, 7).startsWith("no athlete with number")) << row;
    }
}

TEST_F(RaceFileFormTest, WritesTheTickedLinesOnlyAfterTheOfficialSaysYes)
{
    publish::RaceFileForm form(run(), heat);
    form.fileEdit()->setText(file);
    ASSERT_TRUE(form.readFile());

    m_sink.answerNo();
    EXPECT_FALSE(form.writeIntoHeat());
    EXPECT_TRUE(m_sink.saw("Write the times of 007-2.lif into 007 "));
    EXPECT_TRUE(m_sink.saw(", leaving out 1 line"));
    EXPECT_EQ(writtenResults(), 0);
    EXPECT_EQ(count("EIF_RACE"), 0);

    m_sink.answerYes();
    ASSERT_TRUE(form.writeIntoHeat()) << form.statusLabel()->text().toStdString();
    EXPECT_TRUE(form.statusLabel()->text().startsWith("4 results written into 007 "));
    EXPECT_TRUE(heatValue(ben, "PERFORMANCE").endsWith("30.20"));
    EXPECT_TRUE(heatValue(ann, "PERFORMANCE").endsWith("31.50"));
    EXPECT_EQ(heatValue(ann, "THIRD_DIGIT"), "4");
    EXPECT_EQ(heatValue(cal, "DISQ_STATUS"), "3");
    EXPECT_EQ(heatValue(cal, "PERFORMANCE"), "");
    EXPECT_EQ(heatValue(ann, "E_PLACE"), "2");
    EXPECT_EQ(heatValue(dan, "E_PLACE"), "2");
    EXPECT_EQ(writtenResults(), 4);
    EXPECT_EQ(count("EIF_JOIN_RANK"), 4) << "the unknown number is not linked";
}

TEST_F(RaceFileFormTest, ALineTickedAgainstItsProblemIsRefusedAndNothingIsWritten)
{
    publish::RaceFileForm form(run(), heat);
    form.fileEdit()->setText(file);
    ASSERT_TRUE(form.readFile());
    form.lineTable()->item(4, 0)->setCheckState(Qt::Checked);
    m_sink.answerYes();
    EXPECT_FALSE(form.writeIntoHeat());
    EXPECT_TRUE(m_sink.saw("Line 6: no athlete with number 999"));
    EXPECT_EQ(writtenResults(), 0);
}

TEST_F(RaceFileFormTest, ABadFileIsRefusedInTheSystemsWords)
{
    publish::RaceFileForm form(run(), heat);
    ASSERT_TRUE(publish::writeBytesFile(file, "7,1,2\n1,102,2,Jones"));
    form.fileEdit()->setText(file);
    EXPECT_FALSE(form.readFile());
    EXPECT_TRUE(m_sink.saw("Line 2: the line is cut short"));
    EXPECT_EQ(form.lineTable()->rowCount(), 0);
    m_sink.answerYes();
    EXPECT_FALSE(form.writeIntoHeat());
    EXPECT_TRUE(m_sink.saw("Read a race file first"));
    EXPECT_EQ(writtenResults(), 0);
}

} // namespace
