#include "meeting/settingsscreens.h"

#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/currentmeeting.h"
#include "meeting/meetingsettings.h"

namespace meeting {

namespace {

QStringList columns(std::initializer_list<const char*> names)
{
    QStringList list;
    for (const char* name : names)
        list.append(QString::fromLatin1(name));
    return list;
}

bool save(base::Run& run, const ColumnValues& values, const QString& error)
{
    if (!requireCurrentMeeting(run))
        return false;
    if (!error.isEmpty()) {
        run.messages().warning(error);
        return false;
    }
    return updateMeeting(run, values);
}

} // namespace

const QStringList& generalSettingsColumns()
{
    static const QStringList list =
        columns({"DESCRIPTION", "VENUE", "THEDATE", "PRINT_RECS_ONE_PER_LINE"});
    return list;
}

const QStringList& athleteSettingsColumns()
{
    static const QStringList list =
        columns({"ATH_HAS_NUMBERS", "ATH_HAS_BIRTHDATE", "ATH_HAS_ID_NUMBERS",
                 "ATH_HAS_DEMOGRAPHICS", "DO_AGE_DEFAULTING", "DEFAULT_AGES", "MAXPARTSPERATH"});
    return list;
}

const QStringList& captureDuringColumns()
{
    static const QStringList list =
        columns({"HAS_WIND", "HAS_PERF_HIST", "RESULTS_VIEW_EXTERNAL", "RESULTS_HAS_REVISIONS",
                 "HAS_DRAW_SUMMARIES", "USES_CALLROOM", "CALLROOM_TRGR_ALL"});
    return list;
}

ColumnValues currentValues(base::Run& run, const QStringList& columns)
{
    ColumnValues values;
    for (const QString& column : columns)
        values.append({column, run.meeting().valueText(column)});
    return values;
}

QString valueOf(const ColumnValues& values, const QString& column)
{
    for (const ColumnValue& v : values)
        if (v.column.compare(column, Qt::CaseInsensitive) == 0)
            return v.value;
    return QString();
}

QString checkGeneralSettings(const ColumnValues& values)
{
    if (valueOf(values, QStringLiteral("PRINT_RECS_ONE_PER_LINE")).isEmpty())
        return QStringLiteral("Indicate \"Print Records on One line\".");
    return QString();
}

QString checkAthleteSettings(const ColumnValues& values)
{
    bool numeric = false;
    valueOf(values, QStringLiteral("MAXPARTSPERATH")).trimmed().toInt(&numeric);
    if (!numeric)
        return QStringLiteral("Specify the max number of Items allowed per Athlete");
    return QString();
}

QString checkCaptureDuring(base::Run& run, const ColumnValues& values)
{
    const QString external = valueOf(values, QStringLiteral("RESULTS_VIEW_EXTERNAL"));
    if (external.isEmpty())
        return QStringLiteral("You must indicate whether results are viewed externally\rfrom "
                              "connected PC-s (Lumaro, RududIdiru or Announcer");
    if (external == QLatin1String("1") &&
        valueOf(values, QStringLiteral("RESULTS_HAS_REVISIONS")).isEmpty())
        return QStringLiteral("You must indicate if you want to simply release results,\ror if "
                              "you want to give each release a revision.");
    if (valueOf(values, QStringLiteral("USES_CALLROOM")) != QLatin1String("1") && run.database() &&
        run.database()->ZSqlCount(QStringLiteral("MYEVENT"),
                                  QStringLiteral("MEETINGNO=") +
                                      db::sqlInt(run.currentMeetingNo()) +
                                      QStringLiteral(" and CALLROOM_STATUS>0")) > 0)
        return QStringLiteral("You cannot say \"No\": there are already Items that uses\rthe "
                              "Callroom.  If you simply leave Items alone, everything\rwill "
                              "work as if Callroom is not used.");
    return QString();
}

bool saveGeneralSettings(base::Run& run, const ColumnValues& values)
{
    return save(run, values, checkGeneralSettings(values));
}

bool saveAthleteSettings(base::Run& run, const ColumnValues& values)
{
    return save(run, values, checkAthleteSettings(values));
}

bool saveCaptureDuring(base::Run& run, const ColumnValues& values)
{
    return save(run, values, checkCaptureDuring(run, values));
}

} // namespace meeting
