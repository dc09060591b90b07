#include "base/appglobals.h"
#include "base/configstore.h"
#include "base/messages.h"
#include "base/scriptedsink.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using base::ConfigStore;

namespace {

QString fileText(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

class ConfigStoreTest : public ::testing::Test {
protected:
    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(QStringLiteral("DLVN.ini")); }
};

TEST_F(ConfigStoreTest, KeepsEveryKindOfValueInThePlainSection)
{
    ConfigStore store(path());
    EXPECT_TRUE(store.writeText("LOCAL_DATABASENAME", "/data/Dolvane.gdb"));
    EXPECT_TRUE(store.writeInt("CURRENT_MEET_NO", 42));
    EXPECT_TRUE(store.writeBool("PUB_AUTO_WEB", true));
    EXPECT_TRUE(store.writeText("LABEL_COLUMNS", "3,4, 5"));

    ConfigStore again(path());
    EXPECT_EQ(again.readText("LOCAL_DATABASENAME"), "/data/Dolvane.gdb");
    EXPECT_EQ(again.readInt("CURRENT_MEET_NO"), 42);
    EXPECT_TRUE(again.readBool("PUB_AUTO_WEB"));
    // A comma is part of the value, not a list.
    EXPECT_EQ(again.readText("LABEL_COLUMNS"), "3,4, 5");
    const QString text = fileText(path());
    EXPECT_TRUE(text.startsWith("[AUTO_GENERATED]\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("LABEL_COLUMNS=3,4, 5\n"));
    EXPECT_TRUE(text.contains("CURRENT_MEET_NO=42\n"));
}

TEST_F(ConfigStoreTest, MissingKeysReadAsEmptyZeroAndFalse)
{
    ConfigStore store(path());
    store.writeText("OTHER", "x");
    EXPECT_EQ(store.readText("CURRENT_MEET_NO"), "");
    EXPECT_EQ(store.readInt("CURRENT_MEET_NO"), 0);
    EXPECT_FALSE(store.readBool("PUB_AUTO_WEB"));
    EXPECT_FALSE(store.exists("CURRENT_MEET_NO"));
    EXPECT_TRUE(store.exists("OTHER"));
}

TEST_F(ConfigStoreTest, AFileThatDoesNotExistHasNoKeysAndIsNotCreatedByReading)
{
    ConfigStore store(m_dir.filePath("nothing/DLVN.ini"));
    EXPECT_FALSE(store.exists("CURRENT_MEET_NO"));
    EXPECT_EQ(store.readText("CURRENT_MEET_NO"), "");
    EXPECT_FALSE(QFile::exists(m_dir.filePath("nothing/DLVN.ini")));
}

TEST_F(ConfigStoreTest, RewritesAKeyInPlaceAndKeepsOtherSections)
{
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[OTHER]\r\nKEEP=me\r\n[AUTO_GENERATED]\r\nCURRENT_MEET_NO=7\r\nDUMMY_TEST=1\r\n");
    file.close();
    ConfigStore store(path());
    EXPECT_EQ(store.readInt("current_meet_no"), 7); // keys ignore case
    EXPECT_TRUE(store.writeInt("CURRENT_MEET_NO", 0));
    EXPECT_EQ(fileText(path()),
              "[OTHER]\nKEEP=me\n[AUTO_GENERATED]\nCURRENT_MEET_NO=0\nDUMMY_TEST=1\n");
}

TEST_F(ConfigStoreTest, RemovesAKeyAndReportsItGone)
{
    ConfigStore store(path());
    store.writeInt("DUMMY_TEST", 5);
    store.writeInt("CURRENT_MEET_NO", 3);
    EXPECT_TRUE(store.remove("DUMMY_TEST"));
    EXPECT_FALSE(store.exists("DUMMY_TEST"));
    EXPECT_EQ(store.readInt("CURRENT_MEET_NO"), 3);
    EXPECT_TRUE(store.remove("NEVER_THERE"));
}

TEST_F(ConfigStoreTest, ALineBreakInAValueCannotSplitTheKey)
{
    ConfigStore store(path());
    store.writeText("T_COMMENT", "one\r\ntwo");
    store.writeText("NEXT", "n");
    EXPECT_EQ(store.readText("T_COMMENT"), "onetwo");
    EXPECT_EQ(store.readText("NEXT"), "n");
}

TEST_F(ConfigStoreTest, AnUnwritableFolderFailsTheWriteAndLeavesTheFile)
{
    ConfigStore store(path());
    ASSERT_TRUE(store.writeInt("CURRENT_MEET_NO", 4));
    const QString before = fileText(path());
    QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    if (QFile(m_dir.filePath("probe")).open(QIODevice::WriteOnly)) {
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    }
    EXPECT_FALSE(store.writeInt("CURRENT_MEET_NO", 9));
    EXPECT_FALSE(store.remove("CURRENT_MEET_NO"));
    QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(fileText(path()), before);
    EXPECT_EQ(store.readInt("CURRENT_MEET_NO"), 4);
}

TEST_F(ConfigStoreTest, TheStoreOfTheGlobalsIsNamedByTheApplicationCode)
{
    qputenv("DOLVANE_CONFIG_DIR", m_dir.path().toUtf8());
    base::ScriptedSink sink;
    base::Messages messages(sink);
    base::AppGlobals globals;
    EXPECT_EQ(ConfigStore::forGlobals(&globals, messages).path(), m_dir.filePath("DLVN.ini"));
    EXPECT_EQ(sink.count(base::MessageKind::Error), 0);

    const ConfigStore dummy = ConfigStore::forGlobals(nullptr, messages);
    EXPECT_EQ(dummy.path(), m_dir.filePath("Qorin_Dummy"));
    ASSERT_EQ(sink.count(base::MessageKind::Error), 1);
    EXPECT_TRUE(sink.saw("xAppGlobals is nil: you called ZRegReadApp() or something\rfrom "
                         "outide the libary, or you should supply the ini-file name"));
    qunsetenv("DOLVANE_CONFIG_DIR");
}

} // namespace
