// An import into a database whose drive fills up: refused whole, the file sound, and the
// same import works once there is room again.

#include "drills/importdrill.h"
#include "drills/smallfilesystem.h"
#include "support/dbvalidation.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

using drills::ImportDrillTest;

TEST_F(ImportDrillTest, AnImportThatFillsTheDriveIsUndoneWholeAndTheDatabaseStaysSound)
{
    testing_support::EntryFileShape shape;
    shape.swimmers = 1500;
    const auto entries = testing_support::generateEntries(shape);
    addEventsFor({entries});
    const QString file = writeFile("championship.csv", entries.csv);
    closeRun();

    const qint64 size = QFileInfo(m_path).size();
    drills::SmallFileSystem fs(m_home->dir() + "/media", size + 4 * 1024 * 1024);
    if (!fs.mounted())
        GTEST_SKIP() << fs.error().toStdString();
    const QString onMedia = fs.folder() + "/meet.gdb";
    ASSERT_TRUE(QFile::copy(m_path, onMedia));
    m_path = onMedia;
    ASSERT_TRUE(fs.fill(256 * 1024));

    QString out;
    QString err;
    EXPECT_EQ(testing_support::runCli(importArguments(file), &out, &err), 1);
    EXPECT_TRUE(err.contains("No space left on device")) << err.toStdString() << out.toStdString();

    const testing_support::Validation validation = testing_support::validateDatabase(m_path);
    EXPECT_TRUE(validation.passed()) << validation.report.toStdString();
    reopenRun();
    EXPECT_EQ(importedRows(), (std::vector<int>{0, 0, 0}));
    closeRun();

    ASSERT_TRUE(QFile::remove(fs.folder() + "/ballast.bin"));
    ASSERT_EQ(testing_support::runCli(importArguments(file), &out, &err), 0) << err.toStdString();
    const QJsonObject report = QJsonDocument::fromJson(out.toUtf8()).object();
    EXPECT_EQ(report.value("athletes").toInt(), shape.swimmers);
    reopenRun();
    EXPECT_EQ(count("ATHLETE"), shape.swimmers);
}
