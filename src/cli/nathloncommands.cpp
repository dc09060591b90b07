// Combined events (n-athlons) from the command line: adding and removing a standard one,
// computing the totals and the interim report. Both editions have them; the score
// tables behind the totals are the athletics edition's (global option --edition athletics).

#include "cli/cli.h"
#include "cli/drawcli.h"
#include "cli/reportoutput.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "draw/events.h"
#include "draw/programsetup.h"
#include "scoring/nathlontotals.h"

#include "meeting/meetingsettings.h"

namespace {

struct Kind {
    const char* gender;
    const char* name;
    int count;
};

// The standard kinds 0 to 7; the pentathlons take the standard pentathlon of the age.
const Kind kKinds[] = {{"M", "Decathlon", 10}, {"F", "Heptathlon", 7}, {"M", "Pentathlon", 5},
                       {"F", "Pentathlon", 5}, {"M", "Pentathlon", 5}, {"F", "Pentathlon", 5},
                       {"M", "Pentathlon", 5}, {"F", "Pentathlon", 5}};

int nathlonAdd(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(3))
        return cli::WrongCommandLine;
    const QString gender = ctx.args[0].toUpper();
    bool ok = false;
    const int age = ctx.args[1].toInt(&ok);
    if (!ok || age <= 0 || (gender != QLatin1String("M") && gender != QLatin1String("F")))
        return ctx.usageError(QStringLiteral("GENDER is M or F, AGE a number"));
    const int kind = ctx.args[2].toInt(&ok);
    QString name = ctx.args[2];
    if (ok) {
        if (kind < 0 || kind > 7) {
            ctx.messages().warning(QStringLiteral("Unkown n-Athlon"));
            return cli::Failed;
        }
        if (gender != QLatin1String(kKinds[kind].gender)) {
            ctx.messages().warning(QStringLiteral("Invalid:") + gender + QLatin1Char(' ') +
                                   QString::number(kKinds[kind].count) + QLatin1Char(' ') +
                                   QString::number(age));
            return cli::Failed;
        }
        name = QString::fromLatin1(kKinds[kind].name);
    }
    if (!draw.ready())
        return cli::Failed;
    draw::Events events = draw.events();
    const QString genderWord =
        gender == QLatin1String("M") ? QStringLiteral("Men") : QStringLiteral("Women");
    if (!draw::ProgramSetup(events).addStandardCombined(genderWord, age, name))
        return cli::Failed;
    const qint64 total =
        draw.database()
            .selectOneValue(QStringLiteral("max(EVENTNO)"), QStringLiteral("MYEVENT"),
                            QStringLiteral("ITEMCODE starting with 'NTH' and MEETINGNO = ") +
                                QString::number(draw.meetingNo()))
            .toLongLong();
    ctx.printFields({{QStringLiteral("eventno"), QString::number(total)}});
    return cli::Success;
}

int nathlonRemove(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    const qint64 eventNo = draw.eventArgument(ctx, 1);
    if (eventNo == 0)
        return draw.exitCode();
    draw::Events events = draw.events();
    return draw::ProgramSetup(events).deleteNathlon(eventNo) ? cli::Success : cli::Failed;
}

int nathlonTotals(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    const qint64 eventNo = draw.eventArgument(ctx, 1);
    if (eventNo == 0)
        return draw.exitCode();
    const int written = scoring::NathlonTotals(ctx.run()).computeTotals(eventNo);
    if (written < 0)
        return cli::Failed;
    ctx.printFields({{QStringLiteral("athletes"), QString::number(written)}});
    return cli::Success;
}

int nathlonInterim(cli::Context& ctx)
{
    cli::DrawCli draw(ctx);
    const QString pdf = ctx.takeOption(QStringLiteral("--pdf"));
    const qint64 eventNo = draw.eventArgument(ctx, 1);
    if (eventNo == 0)
        return draw.exitCode();
    const scoring::Report report = scoring::NathlonTotals(ctx.run()).interimReport(eventNo);
    if (report.isEmpty())
        return cli::Failed;
    return cli::printReport(ctx, report, pdf);
}

const cli::Command addCmd("nathlon add", "GENDER AGE KIND(0-7 or name) [--meeting N]", &nathlonAdd);
const cli::Command removeCmd("nathlon remove", "EVENTNO [--meeting N]", &nathlonRemove);
// The older name of the same command.
const cli::Command eventDeleteCmd("event nathlon delete", "EVENTNO [--meeting N]", &nathlonRemove);
const cli::Command totalsCmd("nathlon totals", "EVENTNO [--meeting N]", &nathlonTotals);
const cli::Command interimCmd("nathlon interim", "EVENTNO [--pdf FILE] [--json] [--meeting N]",
                              &nathlonInterim);

} // namespace
