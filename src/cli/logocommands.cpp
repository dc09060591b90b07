// The two report logos of a meeting: show, load from a file, clear, write out.

#include "cli/cli.h"
#include "cli/meetingoption.h"

#include "db/dmdcoredbs.h"
#include "meeting/reportlogos.h"

#include <QFile>

namespace {

using meeting::LogoSide;

// "meeting" (left) or "school" (right); false after the usage error.
bool logoSide(cli::Context& ctx, const QString& word, LogoSide* side)
{
    if (word == QLatin1String("meeting") || word == QLatin1String("left"))
        *side = LogoSide::Meeting;
    else if (word == QLatin1String("school") || word == QLatin1String("right"))
        *side = LogoSide::School;
    else {
        ctx.usageError(QStringLiteral("SIDE must be meeting (left) or school (right)"));
        return false;
    }
    return true;
}

// The database with the command's meeting loaded; null after the message.
db::DmdCoreDbs* meetingDatabase(cli::Context& ctx)
{
    return cli::meetingOption(ctx) > 0 ? ctx.database() : nullptr;
}

// The opening of the commands on one logo: `words` words, the first of them the side, and
// the command's meeting loaded. Success, else how the command ends.
int openLogo(cli::Context& ctx, int words, db::DmdCoreDbs** database, LogoSide* side)
{
    *database = meetingDatabase(ctx);
    if (!ctx.expectArgs(words) || !logoSide(ctx, ctx.args[0], side))
        return cli::WrongCommandLine;
    return *database ? cli::Success : cli::Failed;
}

int logoShow(cli::Context& ctx)
{
    db::DmdCoreDbs* database = meetingDatabase(ctx);
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    if (!database)
        return cli::Failed;
    QList<std::pair<QString, QString>> fields;
    for (const auto& [side, name] : {std::pair{LogoSide::Meeting, QStringLiteral("meeting")},
                                     std::pair{LogoSide::School, QStringLiteral("school")}}) {
        const meeting::ReportLogo logo =
            meeting::reportLogo(*database, ctx.run().currentMeetingNo(), side);
        fields.append({name + QStringLiteral("_file"), logo.fileName});
        fields.append({name + QStringLiteral("_bytes"), QString::number(logo.image.size())});
    }
    ctx.printFields(fields);
    return cli::Success;
}

int logoSet(cli::Context& ctx)
{
    db::DmdCoreDbs* database = nullptr;
    LogoSide side;
    if (const int failed = openLogo(ctx, 2, &database, &side))
        return failed;
    return meeting::storeReportLogo(*database, ctx.run().currentMeetingNo(), side, ctx.args[1])
               ? cli::Success
               : cli::Failed;
}

int logoClear(cli::Context& ctx)
{
    db::DmdCoreDbs* database = nullptr;
    LogoSide side;
    if (const int failed = openLogo(ctx, 1, &database, &side))
        return failed;
    return meeting::clearReportLogo(*database, ctx.run().currentMeetingNo(), side) ? cli::Success
                                                                                   : cli::Failed;
}

int logoExport(cli::Context& ctx)
{
    db::DmdCoreDbs* database = nullptr;
    LogoSide side;
    if (const int failed = openLogo(ctx, 2, &database, &side))
        return failed;
    const meeting::ReportLogo logo =
        meeting::reportLogo(*database, ctx.run().currentMeetingNo(), side);
    if (logo.isEmpty()) {
        ctx.messages().warning(QStringLiteral("This meeting has no ") + ctx.args[0] +
                               QStringLiteral(" logo"));
        return cli::Failed;
    }
    QFile file(ctx.args[1]);
    if (!file.open(QIODevice::WriteOnly) || file.write(logo.image) != logo.image.size()) {
        ctx.messages().warning(QStringLiteral("Could not write the file ") + ctx.args[1]);
        return cli::Failed;
    }
    return cli::Success;
}

const cli::Command showCmd("meeting logo show", "[--meeting N]", &logoShow);
const cli::Command setCmd("meeting logo set", "meeting|school FILE [--meeting N]", &logoSet);
const cli::Command clearCmd("meeting logo clear", "meeting|school [--meeting N]", &logoClear);
const cli::Command exportCmd("meeting logo export", "meeting|school FILE [--meeting N]",
                             &logoExport);

} // namespace
