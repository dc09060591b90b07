#pragma once

#include "support/testdatabase.h"

#include "backup/backupnames.h"
#include "db/sqltext.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

namespace backup_test {

// A connected database in the data folder of a temporary profile, with a clock the test
// moves by hand.
class BackupTest : public testing_support::DatabaseTest {
protected:
    void SetUp() override
    {
        DatabaseTest::SetUp();
        m_now = QDateTime(QDate(2026, 3, 14), QTime(9, 30));
        run().setClock([this] { return m_now; });
    }
    QString dataRoot() const { return m_home->dir() + "/Dolvane/"; }
    QString snapshotPath() const
    {
        return dataRoot() + "Snapshots2/" + backup::snapshotName(m_now);
    }
    void addMeeting(int meetingNo, const QString& description)
    {
        database().execute("insert into MEETING (MEETINGNO, DESCRIPTION) values (" +
                           db::sqlInt(meetingNo) + ", " + db::quoted(description) + ")");
    }
    QStringList meetings()
    {
        database().refreshReads();
        QStringList list;
        db::Query q = database().openQuery("select DESCRIPTION from MEETING order by MEETINGNO");
        for (q.first(); !q.eof(); q.next())
            list << q.text("DESCRIPTION");
        return list;
    }
    // `unzip -t` on the archive; -1 when unzip is not installed.
    static int unzipTest(const QString& archive)
    {
        const QString unzip = QStandardPaths::findExecutable("unzip");
        if (unzip.isEmpty())
            return -1;
        QProcess p;
        p.start(unzip, {"-t", archive});
        p.waitForFinished(60000);
        return p.exitCode();
    }
    // The progress texts of one operation (its title), leaving out those of the connection.
    QStringList stepsOf(const QString& title) const
    {
        QStringList steps;
        for (const QString& line : m_sink.progressTexts())
            if (line.startsWith(title + ": ") || line == "Take a snapshot")
                steps << line;
        return steps;
    }
    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }

    QDateTime m_now;
};

} // namespace backup_test
