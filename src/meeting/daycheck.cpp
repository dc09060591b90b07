#include "meeting/daycheck.h"

#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

namespace meeting {

ProgramDays programDays(base::Run& run)
{
    db::DmdCoreDbs& database = *run.database();
    const QString meeting = db::sqlInt(run.currentMeetingNo());
    ProgramDays days;
    days.lastDay = database
                       .selectOneValue(QStringLiteral("max(P.DAY_SEQ)"),
                                       QStringLiteral("PROGRAM P join MYEVENT E on "
                                                      "E.EVENTNO = P.EVENTNO"),
                                       QStringLiteral("E.MEETINGNO = ") + meeting)
                       .toInt();
    days.dayCount = database
                        .selectOneValue(QStringLiteral("DAY_COUNT"), QStringLiteral("MEETING"),
                                        QStringLiteral("MEETINGNO = ") + meeting)
                        .toInt();
    return days;
}

QString dayCheckText(const ProgramDays& days)
{
    if (days.lastDay < 2 || days.lastDay <= days.dayCount)
        return {};
    const QString n = QString::number(days.lastDay);
    const QString setting =
        days.dayCount < 1 ? QStringLiteral("not set") : QString::number(days.dayCount);
    return QStringLiteral("The last Event in this Meeting is on day ") + n +
           QStringLiteral(".\rThis exceeds the setting:\r"
                          "\"Settings: Determine Program\"  ->  \"Duration Days of Meeting\".\r"
                          "This setting is currently ") +
           setting + QStringLiteral(".\rThis setting should be set to ") + n +
           QStringLiteral(" before you continue.\r\rDo you want to continue anyway");
}

bool dayCheck(base::Run& run)
{
    const QString text = dayCheckText(programDays(run));
    return text.isEmpty() || run.messages().confirm(text);
}

} // namespace meeting
