// A web root nobody may write into, or an index page that cannot be replaced: the publish
// commands say so and leave every page and index as it was. Folder permissions do not bind
// root, so under root the command line program runs as the unprivileged user "nobody".

#include "publishfixture.h"

#include "publish/weblayout.h"
#include "publish/webpages.h"
#include "publish/webresults.h"

#include <QDirIterator>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;

class ReadOnlyRootTest : public PublishTest {
protected:
    // Every file under the web root with its bytes.
    QMap<QString, QByteArray> siteFiles() const
    {
        QMap<QString, QByteArray> files;
        QDirIterator it(m_root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
            files.insert(QDir(m_root).relativeFilePath(path), file.readAll());
        }
        return files;
    }

    // Hands the database, the settings and a runtime folder of its own to the user the
    // program runs as.
    bool handOver(const QString& runtime)
    {
        if (geteuid() != 0)
            return true;
        const auto give = [](const QString& path) {
            return ::chown(QFile::encodeName(path).constData(), kNobody, kNobody) == 0;
        };
        bool ok = ::chmod(QFile::encodeName(m_home->dir()).constData(), 0755) == 0 &&
                  give(m_path) && give(runtime);
        const QString config = QDir(m_home->dir()).filePath("config");
        ok = ok && give(config);
        QDirIterator it(config, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (ok && it.hasNext())
            ok = give(it.next());
        return ok;
    }

    // dolvane-cli with `arguments`, as "nobody" when this test runs as root.
    int cli(const QStringList& arguments, QString* err)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", m_runtime);
        env.insert("HOME", m_runtime);
        env.remove("FIREBIRD_LOCK");
        QStringList command{"--db",
                            m_path,
                            "--yes",
                            "--web-root",
                            m_root,
                            "--meeting",
                            QString::number(m_meetingNo)};
        command = arguments + command;
        QString program = QStringLiteral(DOLVANE_CLI_PATH);
        if (geteuid() == 0) {
            command =
                QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", program} + command;
            program = m_setpriv;
        }
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(program, command);
        if (!process.waitForFinished(120000))
            return -1;
        *err = QString::fromUtf8(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    // Two heats of the 50 m swum and placed.
    void swimTwoHeats()
    {
        free = addEvent(m_free50);
        heat1 = drawHeat(free, "A", 1, 1, {swimmer("Smith", "Ann"), swimmer("Jones")});
        heat2 = drawHeat(free, "A", 2, 2, {swimmer("Brown", "Cy")});
        swim(heat1, {"0:31.00", "0:30.00"});
        swim(heat2, {"0:29.50"});
    }

    qint64 free = 0, heat1 = 0, heat2 = 0;
    QString m_runtime;
    QString m_setpriv;
};

TEST_F(ReadOnlyRootTest, PublishingIntoAReadOnlyWebRootChangesNothing)
{
    if (geteuid() == 0) {
        m_setpriv = QStandardPaths::findExecutable("setpriv");
        if (m_setpriv.isEmpty())
            GTEST_SKIP() << "running as root without setpriv (util-linux) to drop the rights";
    }
    swimTwoHeats();
    {
        publish::WebSite web = site();
        ASSERT_TRUE(publish::publishResults(web, heat1));
        ASSERT_TRUE(publish::publishStarters(web, 1, {}));
    }
    // The final on a second day, whose folder is not there yet.
    exec("update PROGRAM set DAY_SEQ = 2 where ROUND = 'F'");
    m_run.reset(); // the program opens the database file alone
    m_runtime = QDir(m_home->dir()).filePath("runtime");
    ASSERT_TRUE(QDir().mkpath(m_runtime));
    ASSERT_TRUE(handOver(m_runtime)) << "could not hand the test's files to nobody";
    QString err;
    // Can the program run at all as that user (the build folder may be closed to it)?
    if (cli({"publish", "manage"}, &err) != 0)
        GTEST_SKIP() << "dolvane-cli does not run as nobody here: " << err.toStdString();

    const QMap<QString, QByteArray> before = siteFiles();
    const QString day1 = QDir(m_root).filePath("Day1");
    ASSERT_EQ(::chmod(QFile::encodeName(day1).constData(), 0555), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(m_root).constData(), 0555), 0);

    const QString cantCreate = "File could not be created:";
    EXPECT_EQ(
        cli({"publish", "results", QString::number(free), "--round", "A", "--heat", "2"}, &err), 1);
    EXPECT_TRUE(err.contains(cantCreate)) << err.toStdString();
    EXPECT_TRUE(err.contains(publish::resultsFileName(2, m_free50, "A", 2, heat2)))
        << err.toStdString();
    // The only heat of its item: its group page would go first, and cannot.
    EXPECT_EQ(cli({"publish", "withdraw", QString::number(heat1)}, &err), 1);
    EXPECT_TRUE(err.contains("File could not be deleted:")) << err.toStdString();
    EXPECT_EQ(cli({"publish", "starters", "--day", "1"}, &err), 1);
    EXPECT_TRUE(err.contains(cantCreate)) << err.toStdString();
    EXPECT_EQ(cli({"publish", "index", "--rebuild"}, &err), 1);
    EXPECT_TRUE(err.contains(cantCreate)) << err.toStdString();
    // A day folder that is not there cannot be made either.
    EXPECT_EQ(cli({"publish", "program", "--day", "2"}, &err), 1);
    EXPECT_TRUE(err.contains(cantCreate)) << err.toStdString();

    const QMap<QString, QByteArray> after = siteFiles();
    EXPECT_EQ(after.keys(), before.keys()) << "no page half-written, none removed";
    EXPECT_TRUE(after == before) << "the pages and indexes are unchanged";

    ::chmod(QFile::encodeName(m_root).constData(), 0755);
    ::chmod(QFile::encodeName(day1).constData(), 0755);
}

// Rebuilding a day's indexes (as switching the auto refresh does) makes every page anew;
// when one of them cannot be written, none of the old ones is lost or replaced.
TEST_F(ReadOnlyRootTest, ARebuildThatCannotWriteAnIndexKeepsTheOldIndexes)
{
    swimTwoHeats();
    publish::WebSite web = site();
    ASSERT_TRUE(publish::publishResults(web, heat1));
    ASSERT_TRUE(publish::publishResults(web, heat2));
    const QMap<QString, QByteArray> before = siteFiles();
    const QStringList published = indexLines(dayFile(publish::kSequenceIndex));
    ASSERT_EQ(published.size(), 2);

    // A folder where the new item index would be written first: it cannot be made.
    const QString blocked = dayFile(publish::kItemIndex) + ".part";
    ASSERT_TRUE(QDir().mkpath(blocked));
    setConfig("WEB_AUTOREFRESH_INDEXES", "1");
    publish::WebSite refreshing = site();
    EXPECT_FALSE(refreshing.checkAutoRefresh());
    EXPECT_TRUE(m_sink.saw("File could not be created:\r" + dayFile(publish::kItemIndex)));
    ASSERT_TRUE(QDir(blocked).removeRecursively());
    EXPECT_TRUE(siteFiles() == before) << "every index as it was, nothing left beside them";

    // Once it can be written, the rebuild replaces them all with the refresh line.
    ASSERT_TRUE(refreshing.rebuildDayIndexes(1));
    for (const char* index : {publish::kSequenceIndex, publish::kItemIndex})
        EXPECT_TRUE(text(dayFile(index)).contains("http-equiv=\"refresh\"")) << index;
    EXPECT_EQ(indexLines(dayFile(publish::kSequenceIndex)), published);
    EXPECT_EQ(siteFiles().keys(), before.keys());
}

} // namespace
