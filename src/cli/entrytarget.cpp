#include "cli/entrytarget.h"

#include "cli/cli.h"
#include "cli/meetingoption.h"
#include "meeting/meetingsettings.h"
#include "shell/run.h"

namespace cli {

EntryTarget entryTarget(Context& ctx)
{
    EntryTarget t;
    t.meetingNo = meetingOption(ctx);
    if (t.meetingNo > 0)
        t.database = ctx.database();
    if (t.database)
        t.settings = loadedSettings(ctx, *t.database, t.meetingNo);
    return t;
}

entries::EntrySettings loadedSettings(Context& ctx, db::DmdCoreDbs& database, int meetingNo)
{
    shell::Run& run = ctx.run();
    if (!run.meetingAges())
        run.createMeetingAges();
    if (run.meeting().meetingNo() != meetingNo)
        run.meeting().load(database, meetingNo, run.meetingAges());
    entries::EntrySettings settings = entries::EntrySettings::from(run.meeting());
    settings.meetingNo = meetingNo;
    return settings;
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
