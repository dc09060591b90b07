#include "sched/schedparams.h"

#include "base/run.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "meeting/meetingupdate.h"

#include <QRegularExpression>

namespace sched {

QString configField(const QString& list, int position)
{
    const QStringList fields = list.split(QLatin1Char(';'));
    return position >= 1 && position <= fields.size() ? fields[position - 1] : QString();
}

QString withConfigField(QString list, int position, const QString& value, int minSeparators)
{
    while (list.count(QLatin1Char(';')) < std::max(minSeparators, position - 1))
        list += QLatin1Char(';');
    QStringList fields = list.split(QLatin1Char(';'));
    fields[position - 1] = value;
    return fields.join(QLatin1Char(';'));
}

const std::array<TimeParamSpec, kTimeParamCount>& timeParamSpecs()
{
    static const std::array<TimeParamSpec, kTimeParamCount> specs{{
        {TimeParam::Per1500m, "TimePer1500m", "Time per 1500m of running", "8:00", "10:00"},
        {TimeParam::Gap, "TimeGap", "Time gap between events", "3:00", "5:00"},
        {TimeParam::MoveStarter, "TimeMoveStarter", "Time for the starter to move", "2:00", "4:00"},
        {TimeParam::ShortHurdles, "TimeShortHurdles", "Time to change short hurdles", "5:00",
         "8:00"},
        {TimeParam::LongHurdles, "TimeLongHurdles", "Time to change long hurdles", "10:00",
         "12:00"},
        {TimeParam::Shotput, "TimeShotput", "Shot put, per attempt", "0:50", "1:30"},
        {TimeParam::OtherThrows, "TimeOtherThrows", "Other throws, per attempt", "1:20", "2:00"},
        {TimeParam::HorzJumps, "TimeHorzJumps", "Horizontal jumps, per attempt", "0:50", "1:30"},
        {TimeParam::VertJumps, "TimeVertJumps", "Vertical jumps, per attempt", "1:20", "2:00"},
    }};
    return specs;
}

std::optional<TimeParam> timeParamByName(const QString& name)
{
    for (const TimeParamSpec& s : timeParamSpecs()) {
        if (name.trimmed().compare(QLatin1String(s.name), Qt::CaseInsensitive) == 0)
            return s.param;
    }
    return std::nullopt;
}

std::optional<double> parseMinSec(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,4}):([0-5]\\d)$"));
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    return m.captured(1).toInt() + m.captured(2).toInt() / 60.0;
}

QString checkMinSec(const QString& name, const QString& text)
{
    if (text.trimmed().isEmpty() || parseMinSec(text))
        return QString();
    return name + QStringLiteral(": \"") + text +
           QStringLiteral("\" is not a time.\rEnter minutes and seconds as m:ss, for example "
                          "3:00 or 0:50.");
}

TimeParameters TimeParameters::fromConfig(const QString& configOther)
{
    TimeParameters p;
    for (int i = 0; i < kTimeParamCount; ++i)
        p.m_texts[i] = configField(configOther, i + 1).trimmed();
    return p;
}

TimeParameters TimeParameters::of(const meeting::MeetingSettings& meeting)
{
    return fromConfig(meeting.text(QStringLiteral("CONFIGOTHER")));
}

TimeParameters TimeParameters::preset(bool fast)
{
    TimeParameters p;
    for (const TimeParamSpec& s : timeParamSpecs())
        p.setText(s.param, QLatin1String(fast ? s.fast : s.slow));
    return p;
}

double TimeParameters::days(TimeParam p) const
{
    return parseMinSec(text(p)).value_or(0.0) / 1440.0;
}

QList<TimeParam> TimeParameters::shown(bool swimming)
{
    if (swimming)
        return {TimeParam::Per1500m, TimeParam::Gap};
    QList<TimeParam> all;
    for (const TimeParamSpec& s : timeParamSpecs())
        all.append(s.param);
    return all;
}

QStringList TimeParameters::emptyNames(bool swimming) const
{
    // Listed in the order of the message: the gap first, the track duration fifth.
    static const TimeParam order[] = {
        TimeParam::Gap,         TimeParam::MoveStarter, TimeParam::ShortHurdles,
        TimeParam::LongHurdles, TimeParam::Per1500m,    TimeParam::Shotput,
        TimeParam::OtherThrows, TimeParam::HorzJumps,   TimeParam::VertJumps};
    const QList<TimeParam> used = shown(swimming);
    QStringList names;
    for (TimeParam p : order) {
        if (used.contains(p) && text(p).isEmpty())
            names.append(QLatin1String(timeParamSpecs()[index(p)].name));
    }
    return names;
}

QString TimeParameters::storedIn(const QString& configOther, bool swimming) const
{
    QString list = configOther;
    for (TimeParam p : shown(swimming))
        list = withConfigField(list, int(p), text(p), kTimeParamCount);
    return list;
}

QString presetQuestion(bool fast)
{
    return fast ? QStringLiteral("Wipe your edits and replace with the \"Fast\" values (in blue)")
                : QStringLiteral("Wipe your edits and replace with the \"Slow\" (in green)");
}

bool confirmTimeParameters(base::Run& run)
{
    const QStringList empty =
        TimeParameters::of(run.meeting()).emptyNames(run.items().isSwimming());
    if (empty.isEmpty())
        return true;
    return run.messages().confirm(
        QStringLiteral("The Time Parameters listed below are empty.\r\rTo specify them go "
                       "to\r\"Scheduler\" -> \"Packing Parameters\" -> \"Time "
                       "Parameters\".\r\r") +
        empty.join(QLatin1Char('\r')) + QStringLiteral("\r\rContinue"));
}

bool storeTimeParameters(base::Run& run, const TimeParameters& parameters)
{
    const bool swimming = run.items().isSwimming();
    for (TimeParam p : TimeParameters::shown(swimming)) {
        const QString error =
            checkMinSec(QLatin1String(timeParamSpecs()[int(p) - 1].name), parameters.text(p));
        if (!error.isEmpty()) {
            run.messages().warning(error);
            return false;
        }
    }
    const QString list =
        parameters.storedIn(run.meeting().text(QStringLiteral("CONFIGOTHER")), swimming);
    return meeting::updateMeeting(run, {{QStringLiteral("CONFIGOTHER"), list}});
}

} // namespace sched
