#include "meeting/meetingcreate.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/meetingcolumns.h"

#include <QStringList>

namespace meeting {

QString newMeetingSql(int meetingNo, const MeetingIdentity& identity)
{
    QStringList names;
    QStringList quotedValues;
    for (const MeetingColumn& column : meetingColumns()) {
        const QString name = QString::fromLatin1(column.name);
        QString value;
        if (name == QLatin1String("MEETINGNO"))
            value = db::sqlInt(meetingNo);
        else if (name == QLatin1String("DESCRIPTION"))
            value = db::quoted(identity.name);
        else if (name == QLatin1String("VENUE"))
            value = db::quoted(identity.venue);
        else if (name == QLatin1String("THEDATE"))
            value = db::quoted(identity.date);
        else
            value = column.newValue ? QString::fromLatin1(column.newValue) : QStringLiteral("null");
        names.append(name);
        quotedValues.append(value);
    }
    return QStringLiteral("insert into MEETING (") + names.join(QStringLiteral(", ")) +
           QStringLiteral(")\r values (") + quotedValues.join(QStringLiteral(", ")) +
           QStringLiteral(")");
}

int createMeeting(db::DmdCoreDbs& database, const MeetingIdentity& identity)
{
    const int meetingNo = int(database.nextKeyNumber());
    if (meetingNo <= 0 || !database.startBatch())
        return 0;
    bool ok = database.batchExecute(newMeetingSql(meetingNo, identity));
    // Places 1 to 8 score 8 down to 1, the same for relays.
    for (int place = 1; ok && place <= 8; ++place) {
        const qint64 key = database.nextKeyNumber();
        const QString points = db::sqlInt(9 - place);
        ok = key > 0 &&
             database.batchExecute(
                 QStringLiteral("insert into PLACEPOINT (PLACEPOINTNO, MEETINGNO, LEAGUE, PLACE, "
                                "POINT, RELAY) values (") +
                 db::sqlInt(key) + QStringLiteral(", ") + db::sqlInt(meetingNo) +
                 QStringLiteral(", 0, ") + db::sqlInt(place) + QStringLiteral(", ") + points +
                 QStringLiteral(", ") + points + QStringLiteral(")"));
    }
    if (ok && database.commitBatch())
        return meetingNo;
    database.rollbackBatch();
    database.messages().internalError(205201, QStringLiteral("The new meeting could not be "
                                                             "stored:\r") +
                                                  database.lastError().message);
    return 0;
}

} // namespace meeting
