// Meetings as rows of the database: list and delete.

#include "cli/cli.h"

#include "db/dmdcoredbs.h"
#include "db/meetingdelete.h"
#include "db/sqltext.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

int meetingList(cli::Context& ctx)
{
    if (!ctx.expectArgs(0))
        return cli::WrongCommandLine;
    db::DmdCoreDbs* database = ctx.database();
    if (!database)
        return cli::Failed;
    db::Query q = database->openQuery(QStringLiteral(
        "select MEETINGNO, DESCRIPTION, VENUE, THEDATE from MEETING order by MEETINGNO"));
    if (!q.isOpen())
        return cli::Failed;
    QJsonArray rows;
    for (q.first(); !q.eof(); q.next()) {
        if (ctx.json) {
            rows.append(QJsonObject{{"meetingno", q.integer("MEETINGNO")},
                                    {"description", q.text("DESCRIPTION")},
                                    {"venue", q.text("VENUE")},
                                    {"date", q.text("THEDATE")}});
        } else {
            ctx.out << q.integer("MEETINGNO") << "\t" << q.text("DESCRIPTION") << "\t"
                    << q.text("VENUE") << "\t" << q.text("THEDATE") << "\n";
        }
    }
    if (ctx.json)
        ctx.printJson(rows);
    return cli::Success;
}

int meetingDelete(cli::Context& ctx)
{
    if (!ctx.expectArgs(1))
        return cli::WrongCommandLine;
    bool isNumber = false;
    const int meetingNo = ctx.args[0].toInt(&isNumber);
    if (!isNumber || meetingNo <= 0)
        return ctx.usageError(QStringLiteral("N must be a meeting number"));
    db::DmdCoreDbs* database = ctx.database();
    if (!database)
        return cli::Failed;
    if (database->ZSqlCount(QStringLiteral("MEETING"),
                            QStringLiteral("MEETINGNO = ") + db::sqlInt(meetingNo)) < 1) {
        ctx.messages().warning(QStringLiteral("There is no meeting ") + QString::number(meetingNo));
        return cli::Failed;
    }
    return db::deleteMeeting(*database, meetingNo) ? cli::Success : cli::Failed;
}

const cli::Command listCmd("meeting list", "", &meetingList);
const cli::Command deleteCmd("meeting delete", "N", &meetingDelete);

} // namespace
