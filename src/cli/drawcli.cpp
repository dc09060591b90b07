#include "cli/drawcli.h"

#include "cli/cli.h"
#include "cli/meetingoption.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

namespace cli {

DrawCli::DrawCli(Context& ctx)
    : m_items(meeting::editionOf(ctx.run().globals().applicationCode()), ctx.messages())
{
    m_meetingNo = meetingOption(ctx);
    if (m_meetingNo <= 0)
        return;
    m_database = ctx.database();
    if (m_database &&
        m_database->ZSqlCount(QStringLiteral("MEETING"),
                              QStringLiteral("MEETINGNO = ") + db::sqlInt(m_meetingNo)) < 1) {
        ctx.messages().warning(QStringLiteral("There is no meeting ") +
                               QString::number(m_meetingNo));
        m_meetingNo = 0;
    }
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

} // namespace cli
