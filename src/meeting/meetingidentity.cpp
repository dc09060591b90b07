#include "meeting/meetingidentity.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/datetext.h"
#include "meeting/meetingdescription.h"

#include <QRegularExpression>

namespace meeting {

namespace {

QString tooLong(const QString& what, int width)
{
    return QStringLiteral("The ") + what + QStringLiteral(" may not be longer than ") +
           QString::number(width) + QStringLiteral(" characters");
}

} // namespace

namespace {

bool checkNameAndVenue(base::Messages& messages, const MeetingIdentity& identity)
{
    if (identity.venue.trimmed().isEmpty()) {
        messages.warning(QStringLiteral("Enter a venue"));
        return false;
    }
    if (identity.name.trimmed().isEmpty()) {
        messages.warning(QStringLiteral("Enter a name"));
        return false;
    }
    if (identity.venue.size() > kVenueLength) {
        messages.warning(tooLong(QStringLiteral("venue"), kVenueLength));
        return false;
    }
    if (identity.name.size() > kMeetingNameLength) {
        messages.warning(tooLong(QStringLiteral("name"), kMeetingNameLength));
        return false;
    }
    return true;
}

} // namespace

bool checkMeetingSettingsIdentity(base::Messages& messages, const MeetingIdentity& identity)
{
    if (!checkNameAndVenue(messages, identity))
        return false;
    const QString error = meetingDateError(identity.date);
    if (error.isEmpty())
        return true;
    messages.warning(error);
    return false;
}

bool checkMeetingIdentityFields(base::Messages& messages, const MeetingIdentity& identity)
{
    if (!checkNameAndVenue(messages, identity))
        return false;
    if (isValidDateText(identity.date))
        return true;
    static const QRegularExpression digitsAndSlashes(QStringLiteral("^[0-9/]*$"));
    if (digitsAndSlashes.match(identity.date).hasMatch()) {
        messages.warning(QStringLiteral("Invalid date"));
        return false;
    }
    // A date typed with another separator: the regional settings are wrong. The user is
    // told how to fix them and the accept goes on; the date check at load time then asks
    // for a valid date.
    messages.warning(
        QStringLiteral("The date format is wrong: the Date Separator must be \"/\" (slash).\r"
                       "Under Windows \"Control Panel\" -> \"Regional or Local Settings\",\r"
                       "under \"Date and Time Formats\", change \"Short Date\" to \"yyyy/MM/dd\".\r"
                       "Then exit and run the program again."));
    return true;
}

bool checkMeetingIdentity(db::DmdCoreDbs& database, const MeetingIdentity& identity,
                          int exceptMeetingNo)
{
    if (!checkMeetingIdentityFields(database.messages(), identity))
        return false;
    if (isDuplicateMeeting(database, identity, exceptMeetingNo)) {
        database.messages().warning(
            QStringLiteral("There is already a Meeting with this date, venue and description."));
        return false;
    }
    return true;
}

bool isDuplicateMeeting(db::DmdCoreDbs& database, const MeetingIdentity& identity,
                        int exceptMeetingNo)
{
    return database.ZSqlCount(QStringLiteral("MEETING"),
                              QStringLiteral("DESCRIPTION=") + db::quoted(identity.name) +
                                  QStringLiteral(" and THEDATE=") + db::quoted(identity.date) +
                                  QStringLiteral(" and VENUE=") + db::quoted(identity.venue) +
                                  QStringLiteral(" and MEETINGNO<>") +
                                  db::sqlInt(exceptMeetingNo)) > 0;
}

bool updateMeetingIdentity(db::DmdCoreDbs& database, int meetingNo, const MeetingIdentity& identity)
{
    return database.executeOneRow(
        QStringLiteral("update MEETING set DESCRIPTION=") + db::quoted(identity.name) +
        QStringLiteral(", VENUE=") + db::quoted(identity.venue) + QStringLiteral(", THEDATE=") +
        db::quoted(identity.date) + QStringLiteral(" where MEETINGNO=") + db::sqlInt(meetingNo));
}

QString meetingDateError(const QString& date)
{
    if (isValidDateText(date))
        return QString();
    return QStringLiteral("The date-format is not yyyy/MM/dd,\ror the values does not "
                          "indicate a valid date: ") +
           date + QStringLiteral(".");
}

QString editMeetingDate(db::DmdCoreDbs& database, int meetingNo, const QString& current)
{
    base::Messages& messages = database.messages();
    // The editor starts from what the wrong text most likely meant.
    const QDate guessed = guessDateFromText(current);
    QString date = guessed.isValid() ? dateText(guessed) : current;
    for (;;) {
        if (!messages.askDate(QStringLiteral("Date of the Meeting (yyyy/MM/dd)"), &date))
            return QString();
        date = date.trimmed();
        const QString error = meetingDateError(date);
        if (error.isEmpty())
            break;
        messages.warning(error);
    }
    if (!database.executeOneRow(QStringLiteral("update MEETING set THEDATE=") + db::quoted(date) +
                                QStringLiteral(" where MEETINGNO=") + db::sqlInt(meetingNo)))
        return QString();
    return date;
}

QList<MeetingRow> listMeetings(db::DmdCoreDbs& database)
{
    QList<MeetingRow> rows;
    db::Query q = database.openQuery(QStringLiteral(
        "select MEETINGNO, DESCRIPTION, VENUE, THEDATE, DAY_COUNT from MEETING order by "
        "THEDATE desc"));
    for (q.first(); !q.eof(); q.next()) {
        MeetingRow row;
        row.meetingNo = int(q.integer(QStringLiteral("MEETINGNO")));
        row.identity = {q.text(QStringLiteral("DESCRIPTION")), q.text(QStringLiteral("VENUE")),
                        q.text(QStringLiteral("THEDATE"))};
        row.oneLine = describeMeeting(row.identity.name, row.identity.venue, row.identity.date,
                                      int(q.integer(QStringLiteral("DAY_COUNT"))), false, false);
        rows.append(row);
    }
    return rows;
}

bool meetingExists(db::DmdCoreDbs& database, int meetingNo)
{
    return meetingNo > 0 &&
           database.ZSqlCount(QStringLiteral("MEETING"),
                              QStringLiteral("MEETINGNO=") + db::sqlInt(meetingNo)) > 0;
}

} // namespace meeting
