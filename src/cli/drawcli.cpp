#include "cli/drawcli.h"

#include "base/run.h"
#include "cli/cli.h"
#include "cli/meetingoption.h"
#include "draw/events.h"
#include "meeting/lanesettings.h"

namespace cli {

DrawCli::DrawCli(Context& ctx) : m_run(ctx.run())
{
    m_meetingNo = meetingOption(ctx);
    if (m_meetingNo > 0)
        m_database = ctx.database();
}

const meeting::ItemTypes& DrawCli::items() const
{
    return m_run.items();
}

const meeting::MeetingSettings& DrawCli::meeting() const
{
    return m_run.meeting();
}

draw::HeatGroups DrawCli::groups() const
{
    return draw::HeatGroups(m_run.items(), meeting::laneSettingsOf(m_run.meeting()));
}

draw::Events DrawCli::events()
{
    return draw::Events(database(), items(), m_meetingNo);
}

int DrawCli::open(Context& ctx, int words)
{
    if (!ctx.expectArgs(words))
        return WrongCommandLine;
    return ready() ? Success : Failed;
}

qint64 DrawCli::eventArgument(Context& ctx, int words)
{
    return numberArgument(ctx, words, QStringLiteral("EVENTNO"));
}

qint64 DrawCli::numberArgument(Context& ctx, int words, const QString& what)
{
    m_exitCode = WrongCommandLine;
    if (!ctx.expectArgs(words))
        return 0;
    const qint64 value = number(ctx, ctx.args[0], what);
    if (value == 0)
        return 0;
    m_exitCode = Failed;
    return ready() ? value : 0;
}

qint64 DrawCli::number(Context& ctx, const QString& word, const QString& what)
{
    bool ok = false;
    const qint64 value = word.toLongLong(&ok);
    if (!ok || value <= 0) {
        ctx.usageError(what + QStringLiteral(" must be a positive number"));
        return 0;
    }
    return value;
}

bool DrawCli::seed(Context& ctx, const QString& text, std::optional<quint64>* seed)
{
    if (text.isEmpty())
        return true;
    bool ok = false;
    const quint64 value = text.toULongLong(&ok);
    if (!ok) {
        ctx.usageError(QStringLiteral("--seed must be a whole number"));
        return false;
    }
    *seed = value;
    return true;
}

} // namespace cli
