// The distribution lines of the sheet kinds: one printed copy per active line.

#include "base/messages.h"
#include "base/run.h"
#include "cli/cli.h"
#include "cli/drawcli.h"
#include "sheets/distribution.h"
#include "sheets/sheetkinds.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

// The kind named on the command line, by key ("TrackEvent"); null after the usage error.
const sheets::SheetKind* kindArgument(cli::Context& ctx, const QString& word)
{
    if (const sheets::SheetKind* kind = sheets::sheetKind(word))
        return kind;
    QStringList keys;
    for (const sheets::SheetKind& k : sheets::sheetKinds())
        keys << k.key;
    ctx.usageError(QStringLiteral("KIND is one of ") + keys.join(QStringLiteral(", ")));
    return nullptr;
}

sheets::Distribution distributionOf(cli::DrawCli& draw, cli::Context& ctx)
{
    return sheets::Distribution(draw.database(), ctx.messages(), draw.meetingNo());
}

// The opening of the commands on one sheet kind: exactly `words` words, KIND first, and
// the meeting ready. Null once the reason was shown, with how the command ends in `status`.
const sheets::SheetKind* kindOpening(cli::Context& ctx, cli::DrawCli& draw, int words, int* status)
{
    *status = cli::WrongCommandLine;
    if (!ctx.expectArgs(words))
        return nullptr;
    const sheets::SheetKind* kind = kindArgument(ctx, ctx.args[0]);
    if (!kind)
        return nullptr;
    *status = cli::Failed;
    if (!draw.ready())
        return nullptr;
    *status = cli::Success;
    return kind;
}

int distributionList(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (ctx.args.size() > 1)
        return ctx.usageError();
    QString key;
    if (ctx.args.size() == 1) {
        const sheets::SheetKind* kind = kindArgument(ctx, ctx.args[0]);
        if (!kind)
            return cli::WrongCommandLine;
        key = kind->key;
    }
    if (!draw.ready())
        return cli::Failed;
    const QList<sheets::DistributionLine> lines = distributionOf(draw, ctx).lines(key);
    if (ctx.json) {
        QJsonArray rows;
        for (const sheets::DistributionLine& l : lines)
            rows.append(QJsonObject{
                {"dstrno", l.dstrNo}, {"kind", l.sheet}, {"text", l.text}, {"active", l.active}});
        ctx.printJson(rows);
        return cli::Success;
    }
    for (const sheets::DistributionLine& l : lines) {
        ctx.out << QString::number(l.dstrNo).rightJustified(8) << "  " << (l.active ? "X" : " ")
                << "  " << l.sheet.leftJustified(12) << "  " << l.text << "\n";
    }
    return cli::Success;
}

int distributionAdd(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    int status = cli::Success;
    const sheets::SheetKind* kind = kindOpening(ctx, draw, 2, &status);
    if (!kind)
        return status;
    const qint64 key = distributionOf(draw, ctx).add(kind->key, ctx.args[1]);
    if (key == 0)
        return cli::Failed;
    ctx.printFields({{QStringLiteral("dstrno"), QString::number(key)}});
    return cli::Success;
}

// edit, delete and toggle: DSTRNO first.
int lineCommand(cli::Context& ctx, int words)
{
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(words))
        return cli::WrongCommandLine;
    const qint64 dstrNo = cli::DrawCli::number(ctx, ctx.args[0], QStringLiteral("DSTRNO"));
    if (dstrNo == 0)
        return cli::WrongCommandLine;
    if (!draw.ready())
        return cli::Failed;
    sheets::Distribution distribution = distributionOf(draw, ctx);
    bool ok = false;
    if (ctx.commandName.endsWith(QLatin1String("edit")))
        ok = distribution.edit(dstrNo, ctx.args[1]);
    else if (ctx.commandName.endsWith(QLatin1String("delete")))
        ok = distribution.remove(dstrNo);
    else
        ok = distribution.toggle(dstrNo);
    return ok ? cli::Success : cli::Failed;
}

int distributionEdit(cli::Context& ctx)
{
    return lineCommand(ctx, 2);
}

int distributionOneLine(cli::Context& ctx)
{
    return lineCommand(ctx, 1);
}

int distributionDefaults(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    int status = cli::Success;
    const sheets::SheetKind* kind = kindOpening(ctx, draw, 1, &status);
    if (!kind)
        return status;
    const int added = distributionOf(draw, ctx).loadDefaults(kind->key);
    if (added == 0)
        return cli::Failed;
    ctx.printFields({{QStringLiteral("added"), QString::number(added)}});
    return cli::Success;
}

const cli::Command listCmd("distribution list", "[KIND] [--json] [--meeting N]", &distributionList);
const cli::Command addCmd("distribution add", "KIND TEXT [--meeting N]", &distributionAdd);
const cli::Command editCmd("distribution edit", "DSTRNO TEXT [--meeting N]", &distributionEdit);
const cli::Command deleteCmd("distribution delete", "DSTRNO [--meeting N]", &distributionOneLine);
const cli::Command toggleCmd("distribution toggle", "DSTRNO [--meeting N]", &distributionOneLine);
const cli::Command defaultsCmd("distribution defaults", "KIND [--yes] [--meeting N]",
                               &distributionDefaults);

} // namespace
