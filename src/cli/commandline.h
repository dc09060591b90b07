#pragma once

#include "base/consolesink.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace cli {

// The words of a command line sorted into the global options, the command's name and the
// command's own words. Global options may stand before, between or after the command's
// words. Before the command, an option the program does not know is the command's own
// ("--meeting 3 draw all"): it is handed to the command with its value. After the
// command's name, "--edition", "--yes" and "--no" stay with a command whose usage names
// them, as they mean something of its own there.
struct CommandLine {
    QString dbOption;
    bool json = false;
    QString edition;
    base::ConsoleSink::Preset preset = base::ConsoleSink::Preset::None;
    bool help = false;

    QString name;          // empty: no command was found
    QStringList args;      // the command's own words in their order (no command: the words left)
    QString unknownOption; // the first leading option the program does not know
};

// `usageOf` answers the usage text of a registered command name, or null when there is
// no such command.
using UsageLookup = std::function<const QString*(const QString& name)>;

CommandLine parseCommandLine(const QStringList& words, const UsageLookup& usageOf);

} // namespace cli
