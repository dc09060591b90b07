#include "entries/entrysettings.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

#include <QDate>

namespace entries {

QString EntrySettings::ageName() const
{
    return grades() ? QStringLiteral("Grade") : QStringLiteral("Age");
}

EntrySettings EntrySettings::read(db::DmdCoreDbs& database, int meetingNo)
{
    EntrySettings s;
    s.meetingNo = meetingNo;
    s.year = QDate::currentDate().year();
    db::Query q = database.openQuery(
        QStringLiteral("select THEDATE, ATH_HAS_NUMBERS, ATH_HAS_BIRTHDATE, ATH_HAS_ID_NUMBERS, "
                       "ATH_HAS_DEMOGRAPHICS, HAS_CATEGORIES, HAS_BEST_BEFORES, HAS_N_ATHLONS, "
                       "SHOW_ADD_DISABLED, DO_AGE_DEFAULTING, AGE_DESC_TYPE, MAXPARTSPERATH "
                       "from MEETING where MEETINGNO = ") +
        db::sqlInt(meetingNo));
    if (!q.isOpen() || q.isEmpty())
        return s;
    const int year = q.text(QStringLiteral("THEDATE")).left(4).toInt();
    if (year > 1900)
        s.year = year;
    auto flag = [&q](const char* field) { return q.integer(QString::fromLatin1(field)) == 1; };
    s.hasNumbers = flag("ATH_HAS_NUMBERS");
    s.hasBirthDates = flag("ATH_HAS_BIRTHDATE");
    s.hasIdNumbers = flag("ATH_HAS_ID_NUMBERS");
    s.hasDemographics = flag("ATH_HAS_DEMOGRAPHICS");
    s.hasCategories = flag("HAS_CATEGORIES");
    s.hasBestBefores = flag("HAS_BEST_BEFORES");
    s.hasNathlons = flag("HAS_N_ATHLONS");
    s.showDisabled = flag("SHOW_ADD_DISABLED");
    s.doAgeDefaulting = flag("DO_AGE_DEFAULTING");
    s.ageDescType = int(q.integer(QStringLiteral("AGE_DESC_TYPE")));
    s.maxPartsPerAthlete = int(q.integer(QStringLiteral("MAXPARTSPERATH")));
    return s;
}

} // namespace entries
