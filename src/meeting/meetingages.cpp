#include "meeting/meetingages.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/genderage.h"

namespace meeting {

void MeetingAges::reload(db::DmdCoreDbs& database, int meetingNo)
{
    m_pairs.clear();
    if (meetingNo <= 0)
        return;
    base::Messages& messages = database.messages();
    messages.progress(QString(),
                      QStringLiteral("Collecting the Gender-Ages for the Items of the Meeting"));
    db::Query q = database.openQuery(
        QStringLiteral("select distinct C_GENDER, C_AGE from MYEVENT where MEETINGNO=") +
        db::sqlInt(meetingNo) + QStringLiteral(" and SELECTED='X' order by C_GENDER, C_AGE"));
    for (q.first(); !q.eof(); q.next()) {
        const QString gender = q.text(QStringLiteral("C_GENDER"));
        if (gender != QLatin1String("F") && gender != QLatin1String("M") &&
            gender != QLatin1String("T")) {
            messages.internalError(205401, QStringLiteral("Incorrect gender\r") + gender);
            break;
        }
        m_pairs.append({gender, padAge(q.text(QStringLiteral("C_AGE")))});
    }
    messages.progressDone();
}

QStringList MeetingAges::agesOf(const QString& gender) const
{
    QStringList ages;
    for (const GenderAge& pair : m_pairs)
        if (pair.gender == gender)
            ages.append(pair.age);
    return ages;
}

int MeetingAges::defaultAge(base::Messages& messages, const QString& gender, int age) const
{
    if (gender == QLatin1String("T"))
        return age;
    if (gender != QLatin1String("M") && gender != QLatin1String("F")) {
        messages.internalError(205402, QStringLiteral("Invalid gender:") + gender);
        return age;
    }
    const QStringList ages = agesOf(gender);
    if (ages.isEmpty())
        return age;
    for (int step = 0; step <= 2; ++step)
        if (ages.contains(ageText(age + step)))
            return age + step;
    // One year older than the oldest items: the athlete swims in those.
    if (ageText(age - 1) == ages.last())
        return age - 1;
    return age;
}

} // namespace meeting
