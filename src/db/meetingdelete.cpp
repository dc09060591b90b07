#include "db/meetingdelete.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

namespace db {

namespace {

struct ParentLink {
    const char* child;
    const char* childKey;
    const char* parent;
    const char* parentKey;
};

// Children reached through a parent of the meeting, in the order they are deleted.
const ParentLink kDeleteThroughParent[] = {
    {"RANK", "RANKNO", "RACE", "RACENO"},
    {"EIF_RANK", "RANKNO", "EIF_RACE", "RACENO"},
    {"EIF_JOIN_RANK", "JOINRANKNO", "EIF_RACE", "RACENO"},
    {"EIF_JOIN_PRGM", "JOINPRGMNO", "EIF_RACE", "RACENO"},
    {"ATHLETE", "ATHLETENO", "TEAM", "TEAMNO"},
    {"PROGRAM", "PROGRAMNO", "MYEVENT", "EVENTNO"},
    {"HEATPART", "HEATPARTNO", "MYEVENT", "EVENTNO"},
    {"PARTICIPATE", "PARTNO", "MYEVENT", "EVENTNO"},
};

const char* const kDeleteDirect[] = {
    "RACE",          "EIF_RACE",      "EVENTDSCR",  "MYEVENT",  "TEAM",          "DISTRIBUTION",
    "PLACEPOINT",    "RELAY_ATHLETE", "MEETINGSET", "MEETING",  "PROGRAM_BREAK", "PERF_HIST",
    "PERF_HIST_HGT", "COMBINED",      "AWOL_QUE",   "CATEGORY", "REPORT_LOGO",   "NON_CRUCIAL_SPEC",
};

struct OrphanLink {
    const char* child;
    const char* parent;
    const char* key;
};

const OrphanLink kOrphanLinks[] = {
    {"PROGRAM", "MYEVENT", "EVENTNO"},       {"HEATPART", "MYEVENT", "EVENTNO"},
    {"PARTICIPATE", "MYEVENT", "EVENTNO"},   {"ATHLETE", "TEAM", "TEAMNO"},
    {"EIF_RANK", "EIF_RACE", "RACENO"},      {"EIF_JOIN_RANK", "EIF_RACE", "RACENO"},
    {"EIF_JOIN_PRGM", "EIF_RACE", "RACENO"},
};

} // namespace

void deleteMeetingRows(DmdCoreDbs& database, int meetingNo)
{
    base::Messages& messages = database.messages();
    const QString title = QStringLiteral("Delete the meeting");
    const int steps = 17;
    int step = 0;
    for (const ParentLink& link : kDeleteThroughParent) {
        messages.progress(title, QString::fromLatin1(link.child), step++, steps);
        Query keys = database.openQuery(
            QStringLiteral("select c.") + link.childKey + QStringLiteral(" from ") + link.child +
            QStringLiteral(" c join ") + link.parent + QStringLiteral(" p on c.") + link.parentKey +
            QStringLiteral(" = p.") + link.parentKey + QStringLiteral("\r\n where p.MEETINGNO = ") +
            sqlInt(meetingNo));
        for (keys.first(); !keys.eof(); keys.next())
            database.executeOneRow(QStringLiteral("delete from ") + link.child +
                                   QStringLiteral(" where ") + link.childKey +
                                   QStringLiteral(" = ") +
                                   sqlInt(keys.integer(QString::fromLatin1(link.childKey))));
    }
    for (const char* table : kDeleteDirect) {
        messages.progress(title, QString::fromLatin1(table), std::min(step++, steps), steps);
        database.execute(QStringLiteral("delete from ") + table +
                         QStringLiteral(" where MEETINGNO=") + sqlInt(meetingNo));
    }
    messages.progressDone();
}

bool deleteMeeting(DmdCoreDbs& database, int meetingNo)
{
    base::Messages& messages = database.messages();
    if (meetingNo <= 0) {
        messages.information(QStringLiteral("No meeting to delete"));
        return false;
    }
    if (!messages.confirm(QStringLiteral("Delete this meeting\r\rAll data for this meeting "
                                         "will be lost\r\rContinue")))
        return false;
    deleteMeetingRows(database, meetingNo);
    messages.information(QStringLiteral("Meeting deleted"));
    return true;
}

QStringList orphanCheck(DmdCoreDbs& database, int meetingNo)
{
    QStringList findings;
    for (const OrphanLink& link : kOrphanLinks) {
        // Timing ranks carry only their race, so they cannot name another meeting.
        if (!database.fieldExists(QString::fromLatin1(link.child), QStringLiteral("MEETINGNO")))
            continue;
        const int n = database.ZSqlRecCount(
            QStringLiteral("select count(*) AS nrecs from ") + link.child + QStringLiteral(" c, ") +
            link.parent + QStringLiteral(" p\r\n where c.") + link.key + QStringLiteral(" = p.") +
            link.key + QStringLiteral(" and p.MEETINGNO = ") + sqlInt(meetingNo) +
            QStringLiteral("\r\n and ( not c.MEETINGNO = ") + sqlInt(meetingNo) +
            QStringLiteral(")"));
        if (n > 0)
            findings << QString::fromLatin1(link.child) + QStringLiteral(": ") + QString::number(n);
    }
    return findings;
}

} // namespace db
