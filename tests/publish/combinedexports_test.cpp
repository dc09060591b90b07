// A combined race (two ages swimming as one race) in the start-list exports: the file of all
// starters, the start list of one event and the clipboard text list it once, as one heat.

#include "publishfixture.h"

#include "draw/combineditems.h"
#include "publish/eventexports.h"
#include "publish/textexports.h"

#include <QRegularExpression>

namespace {

class CombinedExportsTest : public PublishTest {
protected:
    void SetUp() override
    {
        PublishTest::SetUp();
        alone = addEvent(m_back100);
        younger = addEvent("FRE____100M13W");
        older = addEvent("FRE____100M14W");
        draw::Events events(database(), run().items(), m_meetingNo);
        ASSERT_GT(draw::CombinedItems(events).combine({younger, older}, "U14"), 0);
        for (const char* name : {"Ash", "Birch", "Cedar", "Dogwood", "Elm"})
            swimmers << swimmer(name);
        aloneHeat = drawHeat(alone, "A", 1, 3, {swimmers[4]});
        youngerFinal = drawHeat(younger, "F", 0, 4, {swimmers[0], swimmers[2]});
        olderFinal = drawHeat(older, "F", 0, 4, {swimmers[1], swimmers[3]});
        // The lanes as the combined draw leaves them: one set across both ages.
        const QList<std::pair<qint64, int>> lanes{
            {swimmers[0], 4}, {swimmers[2], 1}, {swimmers[1], 3}, {swimmers[3], 2}};
        for (const auto& [athleteNo, lane] : lanes)
            exec("update PARTICIPATE set LANE = " + db::sqlInt(lane) +
                 " where ATHLETENO = " + db::sqlInt(athleteNo));
        out = QDir(m_home->dir()).filePath("out");
        QDir().mkpath(out);
    }

    // The race's starters as every export lists them: lane order across both ages.
    const QStringList raceStarters{"1,Cedar,Sam,103,DOL", "2,Dogwood,Sam,104,DOL",
                                   "3,Birch,Sam,102,DOL", "4,Ash,Sam,101,DOL"};
    const QString raceItem = "100m Freestyle 13 Male / 100m Freestyle 14 Male";

    qint64 alone = 0, younger = 0, older = 0, aloneHeat = 0, youngerFinal = 0, olderFinal = 0;
    QList<qint64> swimmers;
    QString out;
};

TEST_F(CombinedExportsTest, TheFileOfAllStartersListsTheRaceOnce)
{
    const QString all = QDir(out).filePath("StartersAllItems.CSV");
    ASSERT_TRUE(publish::exportAllStarters(run(), all));
    const QStringList l = lines(all);
    const QString titles =
        "\"Seq\",\"Item\",\"Gender\",\"Age\",\"Round\",\"Heat\",\"Time\",\"Wind\"";
    EXPECT_EQ(l.count(titles), 2) << "the heat and the race: " << l.join('\n').toStdString();
    const qsizetype race = l.indexOf(QRegularExpression("4,.*"));
    ASSERT_GE(race, 0) << l.join('\n').toStdString();
    EXPECT_TRUE(l[race].startsWith("4," + raceItem + ",M,13/14,F,0,")) << l[race].toStdString();
    EXPECT_EQ(l.mid(race + 1),
              QStringList{"\"Lane\",\"Surname\",\"Firstname\",\"Number\",\"Team\""} + raceStarters)
        << l.join('\n').toStdString();
    // The heat before it is its own block.
    EXPECT_TRUE(l.contains("1,Elm,Sam,105,DOL"));
}

TEST_F(CombinedExportsTest, TheStartListOfEitherAgeIsTheWholeRace)
{
    for (const qint64 programNo : {youngerFinal, olderFinal}) {
        const QString path = QDir(out).filePath(QString::number(programNo) + ".csv");
        ASSERT_TRUE(publish::exportEventCsv(run(), programNo, publish::ExportKind::Starters, path));
        const QStringList l = lines(path);
        ASSERT_EQ(l.size(), 7) << l.join('\n').toStdString();
        EXPECT_TRUE(l[1].startsWith("4," + raceItem + ",")) << l[1].toStdString();
        EXPECT_EQ(l.mid(3), raceStarters);
    }
    // The results stay those of the age asked for.
    const std::optional<publish::EventResults> results =
        publish::exportedEvent(run(), olderFinal, publish::ExportKind::Results);
    ASSERT_TRUE(results.has_value());
    EXPECT_EQ(results->row.item, "100m Freestyle 14 Male");
    EXPECT_EQ(results->starters.size(), 2);
}

TEST_F(CombinedExportsTest, TheClipboardStartersAreTheWholeRaceInLaneOrder)
{
    const std::optional<publish::EventResults> race =
        publish::exportedEvent(run(), olderFinal, publish::ExportKind::Starters);
    ASSERT_TRUE(race.has_value());
    const QStringList expected{"Item 4 " + raceItem, "1 Cedar, Sam DOL", "2 Dogwood, Sam DOL",
                               "3 Birch, Sam DOL", "4 Ash, Sam DOL"};
    EXPECT_EQ(publish::clipboardText(run(), *race, true).split('\n'), expected);

    // The command line prints the same text for either age.
    QString stdOut, err;
    ASSERT_EQ(
        testing_support::runCli({"--db", m_path, "export", "clipboard", QString::number(younger),
                                 "--starters", "--meeting", QString::number(m_meetingNo)},
                                &stdOut, &err),
        0)
        << err.toStdString();
    EXPECT_EQ(stdOut, expected.join('\n') + '\n');
}

} // namespace
