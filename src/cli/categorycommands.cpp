// The categories of a meeting: list, add, delete, and switching them on or off.

#include "cli/cli.h"
#include "cli/meetingoption.h"

#include "db/dmdcoredbs.h"
#include "meeting/categories.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

int categoryList(cli::Context& ctx)
{
    const int no = cli::meetingOption(ctx);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    if (no == 0)
        return cli::Failed;
    db::DmdCoreDbs* database = ctx.database();
    QJsonArray rows;
    for (const meeting::Category& c : meeting::Categories(*database, no).list()) {
        if (ctx.json)
            rows.append(QJsonObject{{"category", c.code},
                                    {"description", c.description},
                                    {"athletes", c.athletes},
                                    {"events", c.events}});
        else
            ctx.out << c.code << "\t" << c.description << "\t" << c.athletes << "\t" << c.events
                    << "\n";
    }
    if (ctx.json)
        ctx.printJson(rows);
    return cli::Success;
}

int categoryAdd(cli::Context& ctx)
{
    const int no = cli::meetingOption(ctx);
    if (!ctx.expectArgs(2))
        return cli::WrongCommandLine;
    if (no == 0)
        return cli::Failed;
    db::DmdCoreDbs* database = ctx.database();
    return meeting::Categories(*database, no).add(ctx.args[0], ctx.args[1]) ? cli::Success
                                                                            : cli::Failed;
}

int categoryDelete(cli::Context& ctx)
{
    const int no = cli::meetingOption(ctx);
    if (!ctx.expectArgs(1))
        return cli::WrongCommandLine;
    if (no == 0)
        return cli::Failed;
    db::DmdCoreDbs* database = ctx.database();
    meeting::Categories categories(*database, no);
    for (const meeting::Category& c : categories.list())
        if (c.code.compare(ctx.args[0], Qt::CaseInsensitive) == 0)
            return categories.remove(c.key) ? cli::Success : cli::Failed;
    ctx.messages().warning(QStringLiteral("There is no Category ") + ctx.args[0]);
    return cli::Failed;
}

int categorySwitch(cli::Context& ctx)
{
    const QString assign = ctx.takeOption(QStringLiteral("--assign"));
    const bool recordSetEach = ctx.takeFlag(QStringLiteral("--recordset-each"));
    if (!ctx.expectArgs(1))
        return cli::WrongCommandLine;
    const QString onOff = ctx.args[0].toLower();
    if (onOff != QLatin1String("on") && onOff != QLatin1String("off"))
        return ctx.usageError(QStringLiteral("say on or off"));
    if (cli::meetingOption(ctx) == 0)
        return cli::Failed;
    const bool ok = onOff == QLatin1String("on")
                        ? meeting::switchCategoriesOn(ctx.run(), recordSetEach, assign)
                        : meeting::switchCategoriesOff(ctx.run());
    return ok ? cli::Success : cli::Failed;
}

int categoryCurrent(cli::Context& ctx)
{
    if (!ctx.expectArgs(1))
        return cli::WrongCommandLine;
    if (cli::meetingOption(ctx) == 0)
        return cli::Failed;
    return meeting::setCurrentAddCategory(ctx.run(), ctx.args[0]) ? cli::Success : cli::Failed;
}

const cli::Command listCmd("category list", "[--meeting N]", &categoryList);
const cli::Command addCmd("category add", "CODE DESCRIPTION [--meeting N]", &categoryAdd);
const cli::Command deleteCmd("category delete", "CODE [--meeting N]", &categoryDelete);
const cli::Command switchCmd("category switch", "on|off [--assign CODE] [--recordset-each]",
                             &categorySwitch);
const cli::Command currentCmd("category current", "CODE", &categoryCurrent);

} // namespace
