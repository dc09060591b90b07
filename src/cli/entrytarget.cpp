#include "cli/entrytarget.h"

#include "base/run.h"
#include "cli/cli.h"
#include "cli/meetingoption.h"
#include "meeting/meetingsettings.h"

namespace cli {

EntryTarget entryTarget(Context& ctx)
{
    EntryTarget t;
    t.meetingNo = meetingOption(ctx);
    if (t.meetingNo > 0)
        t.database = ctx.database();
    if (t.database)
        t.settings = entries::EntrySettings::from(ctx.run().meeting());
    return t;
}

std::optional<entries::TeamRow> teamByAbbreviation(Context& ctx, const EntryTarget& t,
                                                   const QString& abbreviation)
{
    auto team = entries::Teams(*t.database, t.meetingNo).findByAbbreviation(abbreviation);
    if (!team)
        ctx.messages().warning(QStringLiteral("There is no team ") + abbreviation);
    return team;
}

} // namespace cli
