#include "cli/cli.h"

#include "base/consolesink.h"
#include "cli/commandline.h"
#include "db/connect.h"
#include "db/dmdcoredbs.h"
#include "db/runservices.h"
#include "meeting/itemtypes.h"
#include "meeting/runservices.h"
#include "scoring/scoredata.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>

#include <cstdio>
#include <map>
#include <memory>

namespace cli {

namespace {

struct Entry {
    QString usage;
    CommandFn fn;
};

std::map<QString, Entry>& registry()
{
    static std::map<QString, Entry> commands;
    return commands;
}

void printHelp(QTextStream& out)
{
    out << "usage: dolvane-cli [--db CONNECTION] [--yes|--no] [--json] [--edition athletics] "
           "COMMAND ...\n\n"
           "CONNECTION is a database file, or host:path on a database server; without it the\n"
           "database of the last run is used. --edition athletics runs the athletics edition.\n"
           "The options may also follow the command's words, and a command's own options\n"
           "(--meeting N ...) may come before them.\n"
           "\nCommands:\n";
    for (const auto& [words, entry] : registry())
        out << "  " << words << (entry.usage.isEmpty() ? "" : " ") << entry.usage << "\n";
    out.flush();
}

} // namespace

Command::Command(const char* words, const char* usage, CommandFn fn)
{
    registry()[QString::fromUtf8(words)] = {QString::fromUtf8(usage), fn};
}

Context::Context(base::Run& run, QStringList words, QString dbOption, bool jsonOutput)
    : args(std::move(words)), json(jsonOutput), out(stdout), err(stderr), m_run(run),
      m_dbOption(std::move(dbOption))
{
}

int Context::openDatabase(int words, db::DmdCoreDbs** db)
{
    if (!expectArgs(words))
        return WrongCommandLine;
    *db = database();
    return *db ? Success : Failed;
}

db::DmdCoreDbs* Context::database()
{
    if (db::isConnected(m_run))
        return m_run.database();
    db::ConnectOptions options;
    options.offerSelect = false;
    const bool ok = m_dbOption.isEmpty() ? db::connectDatabase(m_run, options)
                                         : db::connectTo(m_run, m_dbOption, options);
    if (!ok) {
        err << "No database connected.\n";
        err.flush();
        return nullptr;
    }
    // The athletics edition's score sets whose data this program holds, before any meeting
    // looks for its set.
    if (!m_run.items().isSwimming())
        scoring::registerScoreSets(*m_run.database());
    return m_run.database();
}

QString Context::takeOption(const QString& name)
{
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == name && i + 1 < args.size()) {
            const QString value = args[i + 1];
            args.remove(i, 2);
            return value;
        }
        if (args[i].startsWith(name + QLatin1Char('='))) {
            const QString value = args[i].mid(name.size() + 1);
            args.removeAt(i);
            return value;
        }
    }
    return {};
}

bool Context::takeFlag(const QString& name)
{
    return args.removeAll(name) > 0;
}

bool Context::expectArgs(int count)
{
    for (const QString& a : std::as_const(args)) {
        if (a.startsWith(QLatin1String("--")) && a.size() > 2) {
            usageError(QStringLiteral("unknown option ") + a);
            return false;
        }
    }
    if (args.size() != count) {
        usageError();
        return false;
    }
    return true;
}

void Context::printJson(const QJsonObject& object)
{
    out << QJsonDocument(object).toJson(QJsonDocument::Indented);
    out.flush();
}

void Context::printJson(const QJsonArray& array)
{
    out << QJsonDocument(array).toJson(QJsonDocument::Indented);
    out.flush();
}

void Context::printFields(const QList<std::pair<QString, QString>>& fields)
{
    if (json) {
        QJsonObject object;
        for (const auto& [key, value] : fields)
            object.insert(key, value);
        printJson(object);
        return;
    }
    for (const auto& [key, value] : fields)
        out << key << ": " << base::ConsoleSink::plain(value) << "\n";
    out.flush();
}

int Context::usageError(const QString& message)
{
    if (!message.isEmpty())
        err << "dolvane-cli: " << message << "\n";
    err << "usage: dolvane-cli " << commandName << " " << usage << "\n";
    err.flush();
    return WrongCommandLine;
}

int runCli(int argc, char** argv)
{
    // Printing to PDF lays text out with fonts, which takes a GUI application; no window is
    // shown, so it runs without a display.
    bool prints = false;
    for (int i = 1; i < argc; ++i)
        prints = prints || qstrcmp(argv[i], "--pdf") == 0 || qstrncmp(argv[i], "--pdf=", 6) == 0;
    if (prints && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> application =
        prints ? std::make_unique<QGuiApplication>(argc, argv)
               : std::make_unique<QCoreApplication>(argc, argv);
    const CommandLine line = parseCommandLine(
        QCoreApplication::arguments().mid(1), [](const QString& name) -> const QString* {
            const auto found = registry().find(name);
            return found == registry().end() ? nullptr : &found->second.usage;
        });
    if (line.help) {
        QTextStream out(stdout);
        printHelp(out);
        return Success;
    }
    if (line.name.isEmpty()) {
        QTextStream err(stderr);
        if (!line.unknownOption.isEmpty())
            err << "dolvane-cli: unknown option " << line.unknownOption << "\n";
        else if (!line.args.isEmpty())
            err << "dolvane-cli: unknown command " << line.args.join(QLatin1Char(' ')) << "\n";
        printHelp(err);
        return WrongCommandLine;
    }
    const QString& name = line.name;
    const QString& edition = line.edition;
    const bool json = line.json;
    base::ConsoleSink sink(line.preset);
    sink.setQuiet(json);
    if (!edition.isEmpty() && edition != QLatin1String("swimming") &&
        edition != QLatin1String("athletics")) {
        QTextStream err(stderr);
        err << "dolvane-cli: --edition is swimming or athletics\n";
        return WrongCommandLine;
    }
    // The athletics edition runs under its own application code: its items, n-athlons and
    // score tables.
    base::Run run(sink, edition == QLatin1String("athletics")
                            ? QString::fromLatin1(base::kAthleticsCode)
                            : QString::fromLatin1(base::kApplicationCode));
    meeting::createRunSettings(run);
    Context context(run, line.args, line.dbOption, json);
    context.commandName = name;
    context.usage = registry()[name].usage;
    const int code = registry()[name].fn(context);
    context.out.flush();
    context.err.flush();
    return code;
}

} // namespace cli
