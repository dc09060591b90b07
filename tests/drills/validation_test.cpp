// The drills trust Firebird's validation: it passes an untouched file and fails a damaged
// one.

#include "support/dbvalidation.h"
#include "support/testdatabase.h"

#include "db/sqltext.h"

#include <QFile>

using testing_support::DatabaseTest;

TEST_F(DatabaseTest, ValidationPassesASoundFileAndFailsADamagedOne)
{
    for (int i = 0; i < 300; ++i)
        ASSERT_TRUE(database().execute("insert into CONFIG (SLOT, THEVALUE) values (" +
                                       db::quoted("S" + QString::number(i)) + ", 'value')"));
    m_run.reset();
    const testing_support::Validation sound = testing_support::validateDatabase(m_path);
    EXPECT_TRUE(sound.passed()) << sound.report.toStdString();
    EXPECT_EQ(sound.report, "");

    // Every third page after the header scribbled over, as a failing disk would.
    QFile file(m_path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const qint64 pageSize = 8192;
    for (qint64 page = 5; page * pageSize < file.size(); page += 3) {
        file.seek(page * pageSize + 200);
        file.write(QByteArray(500, char(0xAA)));
    }
    file.close();
    const testing_support::Validation damaged = testing_support::validateDatabase(m_path);
    EXPECT_FALSE(damaged.passed()) << damaged.report.toStdString();
}
