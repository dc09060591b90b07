// The CSV import killed part-way: the file passes the engine's validation, what was
// committed before is all there and nothing of the killed import is.

#include "drills/importdrill.h"
#include "support/dbvalidation.h"
#include "support/killdrill.h"

#include <QJsonDocument>
#include <QJsonObject>

using drills::ImportDrillTest;

TEST_F(ImportDrillTest, AnImportKilledWhileWritingLeavesTheMeetingAsItWasCommitted)
{
    testing_support::EntryFileShape small;
    small.teams = 3;
    small.swimmers = 40;
    small.seed = 7;
    testing_support::EntryFileShape large;
    large.swimmers = 3000;
    large.seed = 11;
    const auto first = testing_support::generateEntries(small);
    // Teams of other names in the second file, so that nobody in it is already entered.
    auto second = testing_support::generateEntries(large);
    second.csv.replace(",T", ",U");
    addEventsFor({first, second});

    // A first import, committed.
    QString out;
    QString err;
    ASSERT_EQ(
        testing_support::runCli(importArguments(writeFile("club.csv", first.csv)), &out, &err), 0)
        << err.toStdString() << out.toStdString();
    const std::vector<int> committed = importedRows();
    ASSERT_EQ(committed[1], small.swimmers);

    // The second one is killed once it has written a good part of its rows.
    const QString file = writeFile("championship.csv", second.csv);
    closeRun();
    auto watcher = std::make_unique<drills::DatabaseWatcher>(m_path);
    ASSERT_TRUE(watcher->isOpen());
    auto cli = drills::startCli(importArguments(file));
    const auto outcome = drills::killWatched(
        *cli, watcher, [](drills::DatabaseWatcher& w) { return w.insertedByOthers() > 4000; });
    ASSERT_EQ(outcome, drills::KillOutcome::Killed)
        << "the import was not killed while writing: " << cli->readAllStandardError().toStdString();

    const testing_support::Validation validation = testing_support::validateDatabase(m_path);
    EXPECT_TRUE(validation.passed()) << validation.report.toStdString();

    reopenRun();
    EXPECT_EQ(importedRows(), committed);
    EXPECT_EQ(count("TEAM", "TEAMABRV like 'U%' or TEAMNAME like 'U%'"), 0);

    // The same import again runs to its end on the recovered file.
    ASSERT_EQ(testing_support::runCli(importArguments(file), &out, &err), 0) << err.toStdString();
    const QJsonObject report = QJsonDocument::fromJson(out.toUtf8()).object();
    EXPECT_EQ(report.value("athletes").toInt(), large.swimmers);
    EXPECT_EQ(count("ATHLETE"), small.swimmers + large.swimmers);
    EXPECT_EQ(count("PARTICIPATE"), committed[2] + report.value("participations").toInt());
}
