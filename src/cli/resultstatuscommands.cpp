// A status on one athlete's entry in a heat or final: disqualifying and clearing.

#include "cli/cli.h"
#include "cli/drawcli.h"
#include "db/dmdcoredbs.h"
#include "results/entrystatus.h"
#include "results/places.h"
#include "results/qualifying.h"
#include "results/statuscodes.h"

namespace {

// A code given as its number or its abbreviation; 0 when the word is neither.
int statusFromWord(const QString& word)
{
    bool number = false;
    const int code = word.toInt(&number);
    if (number)
        return code >= 1 && code < results::kUndefined ? code : 0;
    int read = results::DisqStatusFromText(word);
    if (read == results::kUndefined)
        read = results::DisqStatusFromText(word.toUpper());
    return read == results::kUndefined ? 0 : read;
}

int status(cli::Context& ctx)
{
    const QString reason = ctx.takeOption(QStringLiteral("--reason"));
    const QString heatText = ctx.takeOption(QStringLiteral("--heat"));
    cli::DrawCli draw(ctx);
    if (!ctx.expectArgs(4))
        return cli::WrongCommandLine;
    const qint64 eventNo = cli::DrawCli::number(ctx, ctx.args[0], QStringLiteral("EVENTNO"));
    if (eventNo == 0)
        return cli::WrongCommandLine;
    const QString round = ctx.args[1].toUpper();
    if (round.size() != 1 || !QStringLiteral("FABC").contains(round))
        return ctx.usageError(QStringLiteral("ROUND is F, A, B or C"));
    const qint64 athleteNo = cli::DrawCli::number(ctx, ctx.args[2], QStringLiteral("ATHLETENO"));
    if (athleteNo == 0)
        return cli::WrongCommandLine;
    const bool clear = ctx.args[3].compare(QLatin1String("clear"), Qt::CaseInsensitive) == 0;
    const int code = clear ? 0 : statusFromWord(ctx.args[3]);
    if (!clear && code == 0)
        return ctx.usageError(QStringLiteral("CODE is one of Disq, DNR, DNS, DNF, UOF, NRA, NM, "
                                             "NT, OIA, a code 1 to 10, or clear"));
    int heatNo = 0;
    if (!heatText.isEmpty() && (heatNo = heatText.toInt()) <= 0)
        return ctx.usageError(QStringLiteral("HEAT is a number"));
    if (!draw.ready())
        return cli::Failed;
    if (const QString refusal = results::disqReasonRefusal(code, reason); !refusal.isEmpty()) {
        ctx.messages().warning(refusal);
        return cli::Failed;
    }
    const std::optional<results::EntryRow> entry =
        results::findEntry(draw.database(), eventNo, round, athleteNo, heatNo);
    if (!entry) {
        ctx.messages().warning(QStringLiteral("Athlete ") + QString::number(athleteNo) +
                               QStringLiteral(" is not in ") +
                               (round == QLatin1String("F") ? QStringLiteral("the final")
                                                            : QStringLiteral("round ") + round) +
                               QStringLiteral(" of event ") + QString::number(eventNo));
        return cli::Failed;
    }
    const bool done = clear ? results::clearEntryStatus(draw.database(), *entry)
                            : results::disqualifyEntry(draw.database(), *entry, code, reason);
    if (!done)
        return cli::Failed;
    results::Places places(
        draw.database(), draw.items(), draw.meeting(),
        results::meetingQualifyingTest(draw.database(), draw.items(), draw.meeting()));
    if (const qint64 programNo = results::programRowOf(draw.database(), *entry))
        places.RefreshCalculatedFlag(programNo);
    ctx.out << (clear ? QStringLiteral("Status cleared")
                      : QStringLiteral("Status ") + results::DisqStatusAbbrev(ctx.messages(), code))
            << "\n";
    return cli::Success;
}

const cli::Command statusCmd("result status",
                             "EVENTNO ROUND ATHLETENO CODE|clear [--reason TEXT] [--heat H] "
                             "[--meeting N]",
                             &status);

} // namespace
