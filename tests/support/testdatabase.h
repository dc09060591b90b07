#pragma once

#include "base/run.h"
#include "base/scriptedsink.h"
#include "db/dmdcoredbs.h"

#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace testing_support {

// The empty database of the current schema, made once and shared by every test program
// of a build (the file is keyed by the schema's text); each test copies it.
QString templateDatabasePath();

// A temporary folder that is the user's profile and configuration folder of the test, with
// a fresh copy of the empty database in it.
class TempHome {
public:
    TempHome();
    const QString& dir() const { return m_dirPath; }
    // A new copy of the empty database at dir()/name.
    QString freshDatabase(const QString& name = QStringLiteral("test.gdb")) const;

private:
    QTemporaryDir m_dir;
    QString m_dirPath;
};

// A test connected to a fresh database through a run with scripted messages.
class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    db::DmdCoreDbs& database() { return *m_run->database(); }
    base::Run& run() { return *m_run; }
    base::Messages& messages() { return m_run->messages(); }
    // Opens a second run on the same file, as another program would.
    std::unique_ptr<base::Run> secondRun(base::ScriptedSink& sink);
    // One value of the first row, as text.
    QString value(const QString& sql);
    int count(const QString& table, const QString& where = QStringLiteral("1=1"));

    std::unique_ptr<TempHome> m_home;
    QString m_path;
    base::ScriptedSink m_sink;
    std::unique_ptr<base::Run> m_run;
};

// Runs dolvane-cli with `arguments`; returns its exit code and fills stdout/stderr.
int runCli(const QStringList& arguments, QString* out = nullptr, QString* err = nullptr,
           const QProcessEnvironment* environment = nullptr);

} // namespace testing_support
