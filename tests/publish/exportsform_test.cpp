// The CSV Publishing Menu: the meeting's exports from one screen, each into the results or
// the starters folder under the name its receivers expect.

#include "publishfixture.h"

#include "publish/forms/publishexportsform.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace {

class ExportsFormTest : public PublishTest {
protected:
    void SetUp() override
    {
        PublishTest::SetUp();
        free = addEvent(m_free50);
        const qint64 ann = swimmer("Smith", "Ann");
        const qint64 ben = swimmer("Jones", "Ben");
        heat = drawHeat(free, "A", 1, 5, {ann, ben});
        swim(heat, {"0:31.00", "0:30.00"});
        swim(drawHeat(free, "F", 0, 9, {ann, ben}), {"0:30.50", "0:29.80"});
        results = QDir(m_home->dir()).filePath("rslt");
        starters = QDir(m_home->dir()).filePath("strt");
        ASSERT_TRUE(QDir().mkpath(results) && QDir().mkpath(starters));
    }
    // The heat in the screen's list, selected.
    void selectHeat(publish::PublishExportsForm& form)
    {
        for (int i = 0; i < form.eventList()->count(); ++i)
            form.eventList()->item(i)->setSelected(
                form.eventList()->item(i)->text().startsWith("005 "));
        ASSERT_EQ(form.eventList()->selectedItems().size(), 1);
    }
    static QStringList files(const QString& folder)
    {
        return QDir(folder).entryList(QDir::Files, QDir::Name);
    }

    qint64 free = 0, heat = 0;
    QString results, starters;
};

TEST_F(ExportsFormTest, EachExportGoesToItsFolderUnderItsName)
{
    publish::PublishExportsForm form(run());
    form.resultsFolderEdit()->setText(results);
    form.startersFolderEdit()->setText(starters);
    selectHeat(form);
    form.selectedEvents(publish::ExportKind::Results, false);
    form.selectedEvents(publish::ExportKind::Results, true);
    form.selectedEvents(publish::ExportKind::Starters, false);
    form.allStarters();
    form.program();
    form.teamTotals();
    form.teamTotalsText();
    form.resultsArchive();

    const QString heatName = "0005_50mFreestyle13Male_A1";
    const QString archive = "Results_" + run().now().toString("yyyyMMdd") + ".zip";
    EXPECT_EQ(files(results),
              (QStringList{"Results_" + heatName + ".csv", "Results_" + heatName + ".xml", archive,
                           "TeamTotals.csv", "TeamTotals.txt", "TeamTotalsSplitUp.txt"}));
    EXPECT_EQ(files(starters), (QStringList{"Program.csv", "StartersAllItems.CSV",
                                            "Starters_" + heatName + ".csv"}));
    EXPECT_TRUE(form.statusLabel()->text().contains(archive));
    // The folders are kept for the launcher's buttons and auto tasks.
    EXPECT_EQ(run().config().readText("PUB_FOLDER_CSV_RSLT_BCAST"), results);
    EXPECT_EQ(run().config().readText("PUB_FOLDER_CSV_STRT_BCAST"), starters);

    EXPECT_TRUE(lines(QDir(results).filePath("Results_" + heatName + ".csv"))
                    .contains("1,Jones,Ben,102,DOL,30.00,"));
    EXPECT_TRUE(
        lines(QDir(starters).filePath("StartersAllItems.CSV")).contains("2,Jones,Ben,102,DOL"));
    EXPECT_EQ(lines(QDir(starters).filePath("Program.csv")).value(0),
              "\"Seq\",\"Item\",\"Gender\",\"Age\",\"Round\",\"Heat\",\"Time\",\"Pit\"");
    EXPECT_TRUE(
        lines(QDir(results).filePath("TeamTotals.csv")).value(1).endsWith(",DOL School,DOL"));
    EXPECT_TRUE(text(QDir(results).filePath("TeamTotalsSplitUp.txt")).contains("Seniority"));
    EXPECT_FALSE(text(QDir(results).filePath("TeamTotals.txt")).contains("Seniority"));
}

TEST_F(ExportsFormTest, AMissingFolderOrARefusedOverwriteWritesNothing)
{
    publish::PublishExportsForm form(run());
    form.resultsFolderEdit()->setText(QDir(results).filePath("gone"));
    form.startersFolderEdit()->clear();
    form.program();
    EXPECT_TRUE(m_sink.saw("The folder does not exist: "));
    form.teamTotalsText();
    EXPECT_TRUE(m_sink.saw("The folder does not exist: " + QDir(results).filePath("gone")));
    selectHeat(form);
    form.selectedEvents(publish::ExportKind::Starters, false);
    EXPECT_TRUE(files(results).isEmpty());
    EXPECT_TRUE(files(starters).isEmpty());
    EXPECT_TRUE(form.statusLabel()->text().isEmpty());

    // An existing text file is replaced only after "Overwrite".
    form.resultsFolderEdit()->setText(results);
    ASSERT_TRUE(publish::writeTextFile(QDir(results).filePath("TeamTotals.txt"), {"old"}));
    m_sink.clear();
    m_sink.answerButton(0);
    form.teamTotalsText();
    EXPECT_TRUE(m_sink.saw("The file already exist: "));
    EXPECT_EQ(lines(QDir(results).filePath("TeamTotals.txt")), QStringList{"old"});
    EXPECT_FALSE(QFileInfo::exists(QDir(results).filePath("TeamTotalsSplitUp.txt")));
}

} // namespace
