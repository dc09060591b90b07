#include "meeting/meetingupdate.h"

#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/currentmeeting.h"
#include "meeting/datetext.h"
#include "meeting/meetingcolumns.h"
#include "meeting/meetingsettings.h"

#include <QStringList>

namespace meeting {

namespace {

QString sqlValue(const MeetingColumn& column, const QString& value)
{
    if (column.kind == ColumnKind::Text)
        return db::quoted(value);
    if (value.trimmed().isEmpty())
        return QStringLiteral("null");
    if (column.kind == ColumnKind::Decimal)
        return QString::number(value.trimmed().toDouble(), 'f', 2);
    return db::sqlInt(value.trimmed().toLongLong());
}

} // namespace

QString meetingUpdateSql(int meetingNo, const ColumnValues& values)
{
    QStringList assignments;
    for (const ColumnValue& v : values) {
        const MeetingColumn* column = findMeetingColumn(v.column);
        if (column)
            assignments.append(QString::fromLatin1(column->name) + QLatin1Char('=') +
                               sqlValue(*column, v.value));
    }
    return QStringLiteral("update MEETING set ") + assignments.join(QStringLiteral(", ")) +
           QStringLiteral(" where MEETINGNO=") + db::sqlInt(meetingNo);
}

QString checkMeetingValue(db::DmdCoreDbs& database, const QString& column, const QString& value)
{
    const MeetingColumn* known = findMeetingColumn(column);
    if (!known)
        return QStringLiteral("MEETING has no setting ") + column;
    const QString name = QString::fromLatin1(known->name);
    if (name == QLatin1String("MEETINGNO") || name == QLatin1String("OLDNO"))
        return QStringLiteral("The key of a meeting cannot be changed");
    if (name == QLatin1String("DESCRIPTION") && value.trimmed().isEmpty())
        return QStringLiteral("Enter a name");
    if (name == QLatin1String("VENUE") && value.trimmed().isEmpty())
        return QStringLiteral("Enter a venue");
    if (name == QLatin1String("THEDATE") && !isValidDateText(value))
        return QStringLiteral("The date-format is not yyyy/MM/dd,\ror the values does not "
                              "indicate a valid date: ") +
               value + QStringLiteral(".");
    const QString t = value.trimmed();
    bool ok = true;
    switch (known->kind) {
    case ColumnKind::Integer:
        if (!t.isEmpty())
            t.toInt(&ok);
        if (!ok)
            return name + QStringLiteral(" must be a whole number: ") + value;
        break;
    case ColumnKind::Decimal:
        if (!t.isEmpty())
            t.toDouble(&ok);
        if (!ok)
            return name + QStringLiteral(" must be a number: ") + value;
        break;
    case ColumnKind::Text: {
        const int width = database.fieldLength(QStringLiteral("MEETING"), name);
        // A blob reports no character width: it takes any text.
        if (width > 0 && name != QLatin1String("NOTES") && value.size() > width)
            return name + QStringLiteral(" may not be longer than ") + QString::number(width) +
                   QStringLiteral(" characters");
        break;
    }
    }
    return QString();
}

bool updateMeeting(base::Run& run, const ColumnValues& values)
{
    if (!requireCurrentMeeting(run) || !run.database())
        return false;
    db::DmdCoreDbs& database = *run.database();
    for (const ColumnValue& v : values) {
        const QString error = checkMeetingValue(database, v.column, v.value);
        if (!error.isEmpty()) {
            run.messages().warning(error);
            return false;
        }
    }
    if (values.isEmpty())
        return true;
    const int meetingNo = run.currentMeetingNo();
    const bool written = database.executeOneRow(meetingUpdateSql(meetingNo, values));
    run.meeting().load(database, meetingNo, run.meetingAges());
    return written;
}

} // namespace meeting
