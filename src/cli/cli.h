#pragma once

#include "base/run.h"

#include <QJsonObject>
#include <QStringList>
#include <QTextStream>

namespace db {
class DmdCoreDbs;
}

namespace cli {

enum ExitCode { Success = 0, Failed = 1, WrongCommandLine = 2 };

// What a command gets: its own words (after the command's name), the global options and
// the run. The database is connected on first use.
class Context {
public:
    Context(base::Run& run, QStringList args, QString dbOption, bool json);

    QStringList args;
    bool json = false;
    QTextStream out;
    QTextStream err;

    base::Run& run() { return m_run; }
    base::Messages& messages() { return m_run.messages(); }
    // Connects to --db, or to the stored location; null (with the reason on stderr) when
    // that fails.
    db::DmdCoreDbs* database();
    // The opening of the commands on the database alone: exactly `words` words left, then
    // the database. Success, else (once the reason was shown) how the command ends.
    int openDatabase(int words, db::DmdCoreDbs** database);
    const QString& dbOption() const { return m_dbOption; }

    // Takes "--name VALUE" (or "--name=VALUE") out of args; empty when absent.
    QString takeOption(const QString& name);
    // Takes "--name" out of args.
    bool takeFlag(const QString& name);
    // Fails with the usage text unless exactly `count` words are left.
    bool expectArgs(int count);

    void printJson(const QJsonObject& object);
    void printJson(const QJsonArray& array);
    // Prints "key: value" lines, or one JSON object with --json.
    void printFields(const QList<std::pair<QString, QString>>& fields);
    int usageError(const QString& message = QString());

    QString commandName;
    QString usage;

private:
    base::Run& m_run;
    QString m_dbOption;
};

using CommandFn = int (*)(Context&);

// Registers a command at start-up: `words` is its name ("item describe"), `usage` the
// arguments shown in the help.
struct Command {
    Command(const char* words, const char* usage, CommandFn fn);
};

int runCli(int argc, char** argv);

} // namespace cli
