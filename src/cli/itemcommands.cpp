// Item codes and performances: describe, list, normalise, check, and the repair of the
// stored performance formats.

#include "cli/cli.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "meeting/itemtypes.h"
#include "meeting/perfformatrepair.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

// Passes every message on to the console and remembers the internal errors and the last
// warning, so that a command can tell a reported failure by its exit code.
class CountingSink : public base::MessageSink {
public:
    explicit CountingSink(base::MessageSink& target) : m_target(target) {}

    void beep(bool errorBeep) override { m_target.beep(errorBeep); }
    base::Answer show(base::MessageKind kind, const QString& title, const QString& text,
                      const QStringList& buttons) override
    {
        if (kind == base::MessageKind::Error)
            ++internalErrors;
        else if (kind == base::MessageKind::Warning)
            lastWarning = text;
        return m_target.show(kind, title, text, buttons);
    }
    base::Answer askText(const QString& title, const QString& prompt, const QString& current,
                         bool secret) override
    {
        return m_target.askText(title, prompt, current, secret);
    }
    QString chooseFile(const QString& title, const QString& filter) override
    {
        return m_target.chooseFile(title, filter);
    }
    void progress(const QString& title, const QString& text, int position, int max) override
    {
        m_target.progress(title, text, position, max);
    }
    void progressDone() override { m_target.progressDone(); }

    int internalErrors = 0;
    QString lastWarning;

private:
    base::MessageSink& m_target;
};

// The options every command of this file takes (--edition, --json) and the item rules of
// the chosen edition, reporting through a counting sink.
class ItemCommand {
public:
    explicit ItemCommand(cli::Context& ctx)
        : m_ctx(ctx), m_sink(ctx.messages().sink()), m_messages(m_sink)
    {
        m_messages.setProgramTitle(ctx.messages().programTitle());
    }

    // Takes the common options; false (after the usage text) for a wrong edition.
    bool takeOptions()
    {
        if (m_ctx.takeFlag(QStringLiteral("--json")))
            m_ctx.json = true;
        const QString edition = m_ctx.takeOption(QStringLiteral("--edition"));
        if (edition.isEmpty() || edition == QLatin1String("swimming")) {
            m_edition = meeting::Edition::Swimming;
        } else if (edition == QLatin1String("athletics")) {
            m_edition = meeting::Edition::Athletics;
        } else {
            m_ctx.usageError(QStringLiteral("--edition is swimming or athletics"));
            return false;
        }
        m_items.emplace(m_edition, m_messages);
        return true;
    }

    const meeting::ItemTypes& items() const { return *m_items; }
    int internalErrors() const { return m_sink.internalErrors; }
    const QString& lastWarning() const { return m_sink.lastWarning; }
    // Success unless something was reported.
    int exitCode() const { return internalErrors() > 0 ? cli::Failed : cli::Success; }

private:
    cli::Context& m_ctx;
    CountingSink m_sink;
    base::Messages m_messages;
    meeting::Edition m_edition = meeting::Edition::Swimming;
    std::optional<meeting::ItemTypes> m_items;
};

// Prints one value alone, or {"key": value} with --json.
void printValue(cli::Context& ctx, const QString& key, const QString& value)
{
    if (ctx.json) {
        ctx.printJson(QJsonObject{{key, value}});
    } else {
        ctx.out << value << "\n";
        ctx.out.flush();
    }
}

// "code;name;code;name" as lines "code<TAB>name", or a JSON list of {code, name}.
void printPairs(cli::Context& ctx, const QString& listKey, const QString& joined)
{
    const QStringList fields = joined.isEmpty() ? QStringList() : joined.split(QLatin1Char(';'));
    QJsonArray rows;
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
        if (ctx.json)
            rows.append(QJsonObject{{"code", fields[i]}, {"name", fields[i + 1]}});
        else
            ctx.out << fields[i] << "\t" << fields[i + 1] << "\n";
    }
    if (ctx.json)
        ctx.printJson(QJsonObject{{listKey, rows}});
    ctx.out.flush();
}

int itemDescribe(cli::Context& ctx)
{
    ItemCommand cmd(ctx);
    if (!cmd.takeOptions() || !ctx.expectArgs(1))
        return cli::WrongCommandLine;
    const meeting::ItemTypes& items = cmd.items();
    const QString code = ctx.args[0];
    const QString group = items.ItemGroup(code);
    const int format = items.PerfFormatOf(code);
    QList<std::pair<QString, QString>> fields{
        {"group", group},
        {"type", items.ItemType(code)},
        {"gender", items.ItemGender(code)},
        {"age", items.ItemAge(code)},
        {"class", items.ItemPart(code, 6)},
        {"track_or_field", items.ItemTrackOrField(code)},
    };
    if (items.IsTrackItem(code))
        fields.append({"distance", QString::number(items.TrackDistance(code))});
    fields.append({{"wind_kind", QString::number(items.WindKind(code))},
                   {"format", QString::number(format)},
                   {"mask", meeting::ItemTypes::formatMask(format)},
                   {"largest", meeting::ItemTypes::formatMaxText(format)},
                   {"format_description", meeting::ItemTypes::formatName(format)}});
    if (group.size() == 3 && items.IsRelayGroup(group))
        fields.append({"relay_legs", items.RelayLegs(code)});
    fields.append({{"description", items.ItemDescription(code, false)},
                   {"description_afrikaans", items.ItemDescription(code, true)}});
    ctx.printFields(fields);
    return cmd.exitCode();
}

int itemGroups(cli::Context& ctx)
{
    ItemCommand cmd(ctx);
    const bool afrikaans = ctx.takeFlag(QStringLiteral("--afrikaans"));
    if (!cmd.takeOptions() || !ctx.expectArgs(0))
        return cli::WrongCommandLine;
    printPairs(ctx, QStringLiteral("groups"), cmd.items().ItemGroups(afrikaans));
    return cli::Success;
}

int itemTypes(cli::Context& ctx)
{
    ItemCommand cmd(ctx);
    const bool afrikaans = ctx.takeFlag(QStringLiteral("--afrikaans"));
    if (!cmd.takeOptions() || !ctx.expectArgs(1))
        return cli::WrongCommandLine;
    const QString types = cmd.items().ZItemSubTypes(ctx.args[0], afrikaans);
    if (cmd.internalErrors() > 0)
        return cli::Failed;
    printPairs(ctx, QStringLiteral("types"), types);
    return cli::Success;
}

int perfNormalise(cli::Context& ctx)
{
    ItemCommand cmd(ctx);
    if (!cmd.takeOptions() || !ctx.expectArgs(2))
        return cli::WrongCommandLine;
    const std::optional<QString> text = cmd.items().NormalisePerf(ctx.args[0], ctx.args[1]);
    if (!text)
        return cli::Failed;
    printValue(ctx, QStringLiteral("performance"), *text);
    return cmd.exitCode();
}

int perfCheck(cli::Context& ctx)
{
    ItemCommand cmd(ctx);
    if (!cmd.takeOptions() || !ctx.expectArgs(2))
        return cli::WrongCommandLine;
    const bool accepted = cmd.items().CheckPerfFormat(ctx.args[0], ctx.args[1], true);
    if (ctx.json) {
        QJsonObject result{{"accepted", accepted}};
        if (!accepted)
            result.insert("message", cmd.lastWarning());
        ctx.printJson(result);
    }
    return accepted ? cli::Success : cli::Failed;
}

int perfValue(cli::Context& ctx)
{
    ItemCommand cmd(ctx);
    if (!cmd.takeOptions() || !ctx.expectArgs(1))
        return cli::WrongCommandLine;
    const std::optional<double> value = cmd.items().PerfTextToValue(ctx.args[0]);
    if (!value) {
        ctx.err << "dolvane-cli: " << ctx.args[0] << " is not a performance\n";
        ctx.err.flush();
        return cli::Failed;
    }
    if (ctx.json)
        ctx.printJson(QJsonObject{{"value", *value}});
    else
        printValue(ctx, QStringLiteral("value"), QString::number(*value, 'g', 15));
    return cli::Success;
}

int perfThirdDigit(cli::Context& ctx)
{
    ItemCommand cmd(ctx);
    if (!cmd.takeOptions() || !ctx.expectArgs(3))
        return cli::WrongCommandLine;
    const QString text = cmd.items().AddThirdDigit(ctx.args[0], ctx.args[1], ctx.args[2]);
    printValue(ctx, QStringLiteral("performance"), text);
    return cmd.exitCode();
}

int windCheck(cli::Context& ctx)
{
    ItemCommand cmd(ctx);
    if (!cmd.takeOptions() || !ctx.expectArgs(1))
        return cli::WrongCommandLine;
    const bool accepted = cmd.items().CheckWindText(ctx.args[0], true);
    if (ctx.json) {
        QJsonObject result{{"accepted", accepted}};
        if (!accepted)
            result.insert("message", cmd.lastWarning());
        ctx.printJson(result);
    }
    return accepted ? cli::Success : cli::Failed;
}

QJsonArray findingsJson(const QList<meeting::PerfFormatFinding>& findings)
{
    QJsonArray rows;
    for (const meeting::PerfFormatFinding& f : findings) {
        rows.append(QJsonObject{{"table", f.table},
                                {"key", f.key},
                                {"itemcode", f.itemCode},
                                {"old", f.oldText},
                                {"new", f.newText}});
    }
    return rows;
}

int perfFixFormats(cli::Context& ctx)
{
    if (ctx.takeFlag(QStringLiteral("--json")))
        ctx.json = true;
    db::DmdCoreDbs* database = nullptr;
    if (const int failed = ctx.openDatabase(0, &database))
        return failed;
    // The stored performances are this program's: its own edition's rules.
    const meeting::ItemTypes items(meeting::editionOf(database->applicationCode()), ctx.messages());
    meeting::PerfFormatScan scan;
    const meeting::PerfFixOutcome outcome =
        meeting::fixPerformanceFormats(*database, items, [&](const meeting::PerfFormatScan& found) {
            scan = found;
            if (ctx.json)
                return;
            for (const QString& line : found.reportLines())
                ctx.out << line << "\n";
            ctx.out.flush();
        });
    const bool ok = outcome == meeting::PerfFixOutcome::NothingWrong ||
                    outcome == meeting::PerfFixOutcome::Fixed;
    if (ctx.json) {
        ctx.printJson(QJsonObject{{"checked", scan.checked},
                                  {"wrong", findingsJson(scan.wrong)},
                                  {"too_large", findingsJson(scan.tooLarge)},
                                  {"unreadable", findingsJson(scan.unreadable)},
                                  {"fixed", outcome == meeting::PerfFixOutcome::Fixed}});
    }
    return ok ? cli::Success : cli::Failed;
}

const cli::Command describeCmd("item describe", "CODE [--edition athletics] [--json]",
                               &itemDescribe);
const cli::Command groupsCmd("item groups", "[--afrikaans] [--edition athletics] [--json]",
                             &itemGroups);
const cli::Command typesCmd("item types", "GROUP [--afrikaans] [--edition athletics] [--json]",
                            &itemTypes);
const cli::Command normaliseCmd("perf normalise", "CODE TEXT [--edition athletics] [--json]",
                                &perfNormalise);
const cli::Command checkCmd("perf check", "CODE TEXT [--edition athletics] [--json]", &perfCheck);
const cli::Command valueCmd("perf value", "TEXT [--json]", &perfValue);
const cli::Command thirdDigitCmd("perf third-digit",
                                 "CODE TEXT DIGIT [--edition athletics] [--json]", &perfThirdDigit);
const cli::Command windCmd("wind check", "TEXT [--json]", &windCheck);
const cli::Command fixFormatsCmd("perf fix-formats", "[--json]", &perfFixFormats);

} // namespace
