// Ages read from outside text: identity numbers and age words. No database needed.

#include "cli/cli.h"

#include "meeting/datetext.h"
#include "meeting/genderage.h"

namespace {

int ageFromId(cli::Context& ctx)
{
    const QString meetingDate = ctx.takeOption(QStringLiteral("--meeting-date"));
    if (!ctx.expectArgs(1))
        return cli::WrongCommandLine;
    const QDate meetingDay =
        meetingDate.isEmpty() ? QDate::currentDate() : meeting::dateFromText(meetingDate);
    if (!meetingDay.isValid())
        return ctx.usageError(QStringLiteral("Invalid date: ") + meetingDate);
    const meeting::IdBirthDate born = meeting::birthDateFromIdNumber(ctx.args[0]);
    if (!born.ok) {
        ctx.messages().warning(born.message);
        return cli::Failed;
    }
    // An athlete's age at a meeting is the meeting's year less the year of birth.
    const int age = meetingDay.year() - meeting::dateFromText(born.date).year();
    ctx.printFields(
        {{QStringLiteral("birthdate"), born.date}, {QStringLiteral("age"), QString::number(age)}});
    return cli::Success;
}

int ageParse(cli::Context& ctx)
{
    const QString gender = ctx.takeOption(QStringLiteral("--gender")).toUpper();
    if (!ctx.expectArgs(1))
        return cli::WrongCommandLine;
    const std::optional<int> age = meeting::parseAgeText(ctx.args[0], gender);
    if (!age) {
        ctx.messages().warning(QStringLiteral("Not a valid age: ") + ctx.args[0] +
                               QStringLiteral("\r\r") + meeting::ageParseHelp());
        return cli::Failed;
    }
    ctx.printFields({{QStringLiteral("age"), QString::number(*age)},
                     {QStringLiteral("text"), meeting::ageText(*age)}});
    return cli::Success;
}

const cli::Command fromIdCmd("age from-id", "IDNUMBER [--meeting-date yyyy/MM/dd]", &ageFromId);
const cli::Command parseCmd("age parse", "TEXT [--gender M|F]", &ageParse);

} // namespace
