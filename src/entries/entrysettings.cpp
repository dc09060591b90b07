#include "entries/entrysettings.h"

#include "meeting/meetingsettings.h"

#include <QDate>

namespace entries {

QString EntrySettings::ageName() const
{
    return grades() ? QStringLiteral("Grade") : QStringLiteral("Age");
}

EntrySettings EntrySettings::from(const meeting::MeetingSettings& meeting)
{
    EntrySettings s;
    s.meetingNo = meeting.meetingNo();
    s.year = QDate::currentDate().year();
    const int year = meeting.theDate().left(4).toInt();
    if (year > 1900)
        s.year = year;
    auto flag = [&meeting](const char* column) {
        return meeting.integer(QString::fromLatin1(column)) == 1;
    };
    s.hasNumbers = flag("ATH_HAS_NUMBERS");
    s.hasBirthDates = flag("ATH_HAS_BIRTHDATE");
    s.hasIdNumbers = flag("ATH_HAS_ID_NUMBERS");
    s.hasDemographics = flag("ATH_HAS_DEMOGRAPHICS");
    s.hasCategories = flag("HAS_CATEGORIES");
    // The stored flag only: draw method 4 does not ask for best-befores on entries.
    s.hasBestBefores = flag("HAS_BEST_BEFORES");
    s.hasNathlons = flag("HAS_N_ATHLONS");
    s.showDisabled = flag("SHOW_ADD_DISABLED");
    s.doAgeDefaulting = flag("DO_AGE_DEFAULTING");
    s.ageDescType = meeting.ageDescType();
    s.maxPartsPerAthlete = int(meeting.integer(QStringLiteral("MAXPARTSPERATH")));
    s.lanes = meeting::laneSettingsOf(meeting);
    return s;
}

} // namespace entries
