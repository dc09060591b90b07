// Meetings as rows of the database: list and delete.

#include "cli/cli.h"

#include "db/dmdcoredbs.h"
#include "db/meetingdelete.h"
#include "meeting/meetingidentity.h"

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>

namespace {

int meetingList(cli::Context& ctx)
{
    db::DmdCoreDbs* database = nullptr;
    if (const int failed = ctx.openDatabase(0, &database))
        return failed;
    QList<meeting::MeetingRow> meetings = meeting::listMeetings(*database);
    // Listed by number: the order in which they were made.
    std::sort(meetings.begin(), meetings.end(),
              [](const auto& a, const auto& b) { return a.meetingNo < b.meetingNo; });
    QJsonArray rows;
    for (const meeting::MeetingRow& m : meetings) {
        const meeting::MeetingIdentity& id = m.identity;
        if (ctx.json) {
            rows.append(QJsonObject{{"meetingno", m.meetingNo},
                                    {"description", id.name},
                                    {"venue", id.venue},
                                    {"date", id.date}});
        } else {
            ctx.out << m.meetingNo << "\t" << id.name << "\t" << id.venue << "\t" << id.date
                    << "\n";
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
    if (!meeting::meetingExists(*database, meetingNo)) {
        ctx.messages().warning(QStringLiteral("There is no meeting ") + QString::number(meetingNo));
        return cli::Failed;
    }
    return db::deleteMeeting(*database, meetingNo) ? cli::Success : cli::Failed;
}

const cli::Command listCmd("meeting list", "", &meetingList);
const cli::Command deleteCmd("meeting delete", "N", &meetingDelete);

} // namespace
