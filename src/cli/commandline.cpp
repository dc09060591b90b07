#include "cli/commandline.h"

#include <QRegularExpression>

#include <algorithm>

namespace cli {

namespace {

constexpr int kLongestName = 3; // words in the longest command name

bool isOption(const QString& word)
{
    return word.startsWith(QLatin1String("--"));
}

// The registered name the words start with at `at` (the longest), and how many words it
// takes; 0 when none.
int nameAt(const QStringList& words, int at, const UsageLookup& usageOf, QString* name)
{
    for (int n = std::min<int>(kLongestName, int(words.size()) - at); n > 0; --n) {
        const QString candidate = words.mid(at, n).join(QLatin1Char(' '));
        if (usageOf(candidate)) {
            *name = candidate;
            return n;
        }
    }
    return 0;
}

// Takes the global option at words[*at] into `line`; false when it is not one. `owned`
// tells whether the command claims the option for itself.
bool takeGlobal(const QStringList& words, int* at, CommandLine* line,
                const std::function<bool(const QString&)>& owned)
{
    const QString& word = words[*at];
    const bool hasNext = *at + 1 < words.size();
    if (word == QLatin1String("--db") && hasNext) {
        line->dbOption = words[++*at];
    } else if (word.startsWith(QLatin1String("--db="))) {
        line->dbOption = word.mid(5);
    } else if (word == QLatin1String("--json")) {
        line->json = true;
    } else if (word == QLatin1String("--help")) {
        line->help = true;
    } else if (word == QLatin1String("--edition") && hasNext && !owned(word)) {
        line->edition = words[++*at];
    } else if (word == QLatin1String("--yes") && !owned(word)) {
        line->preset = base::ConsoleSink::Preset::Yes;
    } else if (word == QLatin1String("--no") && !owned(word)) {
        line->preset = base::ConsoleSink::Preset::No;
    } else {
        return false;
    }
    return true;
}

} // namespace

CommandLine parseCommandLine(const QStringList& words, const UsageLookup& usageOf)
{
    CommandLine line;
    const auto nobody = [](const QString&) { return false; };
    // Before the command: global options, and the command's own options with their values.
    QStringList leading;
    int at = 0;
    for (; at < words.size(); ++at) {
        if (!isOption(words[at])) {
            const int used = nameAt(words, at, usageOf, &line.name);
            if (used == 0)
                line.args = words.mid(at); // no such command: the words, for the message
            at += used;
            break;
        }
        if (takeGlobal(words, &at, &line, nobody))
            continue;
        if (line.unknownOption.isEmpty())
            line.unknownOption = words[at];
        leading << words[at];
        // "--name VALUE": the next word is the value unless a command starts there.
        QString ignored;
        const bool valueFollows = !words[at].contains(QLatin1Char('=')) && at + 1 < words.size() &&
                                  !isOption(words[at + 1]) &&
                                  nameAt(words, at + 1, usageOf, &ignored) == 0;
        if (valueFollows)
            leading << words[++at];
    }
    if (line.name.isEmpty())
        return line;
    // An option the usage names as a word of its own ("[--yes]", "--edition athletics").
    const QString usage = *usageOf(line.name);
    const auto owned = [&usage](const QString& option) {
        const QRegularExpression named(QStringLiteral("(^|[\\s\\[|])") +
                                       QRegularExpression::escape(option) +
                                       QStringLiteral("($|[\\s\\]|=])"));
        return named.match(usage).hasMatch();
    };
    line.args = leading;
    for (; at < words.size(); ++at) {
        if (!isOption(words[at]) || !takeGlobal(words, &at, &line, owned))
            line.args << words[at];
    }
    return line;
}

} // namespace cli
