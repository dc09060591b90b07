#include "meeting/meetingdescription.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/datetext.h"

namespace meeting {

QString describeMeeting(const QString& description, const QString& venue, const QString& theDate,
                        int dayCount, bool afrikaans, bool twoLines)
{
    QString dates = theDate;
    if (dayCount > 1) {
        const QDate first = dateFromText(theDate);
        if (first.isValid())
            dates += (afrikaans ? QStringLiteral(" tot ") : QStringLiteral(" to ")) +
                     dateText(first.addDays(dayCount - 1));
    }
    if (twoLines)
        return description + QStringLiteral("\r") + dates +
               (afrikaans ? QStringLiteral("  by  ") : QStringLiteral("  at  ")) + venue;
    return dates + QStringLiteral(":   ") + description +
           (afrikaans ? QStringLiteral(" by ") : QStringLiteral(" at ")) + venue;
}

QString describeMeeting(db::DmdCoreDbs& database, int meetingNo, bool afrikaans, bool twoLines)
{
    db::Query q = database.openQuery(
        QStringLiteral("select DESCRIPTION, VENUE, THEDATE, DAY_COUNT from MEETING where "
                       "MEETINGNO=") +
        db::sqlInt(meetingNo));
    if (!q.isOpen() || q.isEmpty())
        return QString();
    return describeMeeting(q.text(QStringLiteral("DESCRIPTION")), q.text(QStringLiteral("VENUE")),
                           q.text(QStringLiteral("THEDATE")),
                           int(q.integer(QStringLiteral("DAY_COUNT"))), afrikaans, twoLines);
}

} // namespace meeting
