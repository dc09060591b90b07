#include "entries/csvsetup.h"

#include "base/configstore.h"
#include "base/messages.h"

namespace entries {

namespace {

struct IntKey {
    const char* key;
    const char* shortName;
    int CsvSetup::*field;
};

struct BoolKey {
    const char* key;
    bool CsvSetup::*field;
};

const IntKey kColumns[] = {
    {"CSV_ATH_COLMNO_SURNAME", "SURNAME", &CsvSetup::surname},
    {"CSV_ATH_COLMNO_FIRSTNAME", "FIRSTNAME", &CsvSetup::firstName},
    {"CSV_ATH_COLMNO_GENDER", "GENDER", &CsvSetup::gender},
    {"CSV_ATH_COLMNO_AGEAGE", "AGE", &CsvSetup::ageAge},
    {"CSV_ATH_COLMNO_AGEDATE", "BIRTHDATE", &CsvSetup::ageDate},
    {"CSV_ATH_COLMNO_AGEYEAR", "BIRTHYEAR", &CsvSetup::ageYear},
    {"CSV_ATH_COLMNO_AGEIDNO", "IDNUMBER", &CsvSetup::ageIdNo},
    {"CSV_ATH_COLMNO_ATH_NUMBER", "NUMBER", &CsvSetup::number},
    {"CSV_ATH_COLMNO_ATH_ID_NUMBER", "ID-NUMBER", &CsvSetup::idNumber},
    {"CSV_ATH_COLMNO_ATH_RACIST", "DEMOGRAPHIC", &CsvSetup::demographic},
    {"CSV_ATH_COLMNO_ATH_BIRTH", "BIRTH", &CsvSetup::birth},
    {"CSV_ATH_COLMNO_TEAM", "TEAM", &CsvSetup::team},
    {"CSV_ATH_COLMNO_DISABLED", "DISABLED", &CsvSetup::disabled},
    {"CSV_ATH_COLMNO_CATEGORY", "CATEGORY", &CsvSetup::category},
    {"CSV_ATH_COLMNO_LOCAL_NUM", "LOCAL", &CsvSetup::localSmds},
    {"CSV_ATH_COLMNO_WORLD_NUM", "WORLD", &CsvSetup::worldSmds},
    {"CSV_ATH_COLMNO_ITEM_FIRST", "ITEM_FIRST", &CsvSetup::itemFirst},
    {"CSV_ATH_COLMNO_ITEM_LAST", "ITEM_LAST", &CsvSetup::itemLast},
};

const BoolKey kFlags[] = {
    {"CSV_ATH_ATH_HAS_NUMBER", &CsvSetup::hasNumber},
    {"CSV_ATH_ATH_HAS_IDNUMBER", &CsvSetup::hasIdNumber},
    {"CSV_ATH_ATH_HAS_RACIST", &CsvSetup::hasDemographic},
    {"CSV_ATH_ATH_HAS_BIRTH", &CsvSetup::hasBirth},
    {"CSV_ATH_BIRTH_TYPE", &CsvSetup::birthFromIdNumber},
    {"CSV_ATH_HAS_WORLD_NUM", &CsvSetup::hasWorldSmds},
    {"CSV_ATH_HAS_LOCAL_NUM", &CsvSetup::hasLocalSmds},
    {"CSV_ATH_HAS_ITEMS", &CsvSetup::hasItems},
    {"CSV_ATH_HAS_BESTS", &CsvSetup::hasBests},
    {"CSV_ATH_ITEMID_TYPE", &CsvSetup::itemsInHeader},
    {"CSV_ATH_HAS_HEADER", &CsvSetup::hasHeaderLine},
    {"CSV_ATH_ADD_TEAMS", &CsvSetup::addTeams},
    {"MPRT_ATHS_IS_ONE_TEAM", &CsvSetup::oneTeam},
};

// The fields as the setup screen names them, in its order.
struct ShownColumn {
    const char* name;
    int CsvSetup::*field;
};

const ShownColumn kShown[] = {
    {"Surname", &CsvSetup::surname},      {"Firstname", &CsvSetup::firstName},
    {"Gender", &CsvSetup::gender},        {"Age", &CsvSetup::ageAge},
    {"Birthdate", &CsvSetup::ageDate},    {"BirthYear", &CsvSetup::ageYear},
    {"IdNumber", &CsvSetup::ageIdNo},     {"Team", &CsvSetup::team},
    {"Number", &CsvSetup::number},        {"ID-number", &CsvSetup::idNumber},
    {"Birth", &CsvSetup::birth},          {"Disabled", &CsvSetup::disabled},
    {"Local Smds", &CsvSetup::localSmds}, {"World Smds", &CsvSetup::worldSmds},
    {"Category", &CsvSetup::category},    {"Demographic", &CsvSetup::demographic},
    {"First Item", &CsvSetup::itemFirst}, {"Last Item", &CsvSetup::itemLast}};

const char* kAgeType = "CSV_ATH_AGE_TYPE";
const char* kWipe = "MPRT_ATHS_IS_WIPE_ATHS";
const char* kOneTeamAbbreviation = "MPRT_ATHS_ONE_TEAM_ABRV";
const char* kLastFile = "LAST_CSV_ATHS_TO_MEET";

QString key(const char* k)
{
    return QString::fromLatin1(k);
}

} // namespace

int CsvSetup::ageColumn() const
{
    switch (ageSource) {
    case AgeSource::Age:
        return ageAge;
    case AgeSource::BirthDate:
        return ageDate;
    case AgeSource::BirthYear:
        return ageYear;
    case AgeSource::IdNumber:
        return ageIdNo;
    case AgeSource::None:
        break;
    }
    return 0;
}

int CsvSetup::lastColumnUsed() const
{
    int last = 0;
    for (const IntKey& c : kColumns)
        last = std::max(last, this->*c.field);
    if (hasItems && hasBests)
        last = std::max(last, itemLast + 1);
    return last;
}

void CsvSetup::load(const base::ConfigStore& store)
{
    for (const IntKey& c : kColumns)
        this->*c.field = store.readInt(key(c.key));
    for (const BoolKey& f : kFlags) {
        if (store.exists(key(f.key)))
            this->*f.field = store.readInt(key(f.key)) == 1;
    }
    const int age = store.readInt(key(kAgeType));
    ageSource = age >= 1 && age <= 4 ? AgeSource(age) : AgeSource::None;
    const int wipeMode = store.readInt(key(kWipe));
    wipe = wipeMode >= 0 && wipeMode <= 2 ? WipeMode(wipeMode) : WipeMode::Nothing;
    oneTeamAbbreviation = store.readText(key(kOneTeamAbbreviation));
    lastFile = store.readText(key(kLastFile));
}

void CsvSetup::save(base::ConfigStore& store) const
{
    for (const IntKey& c : kColumns)
        store.writeInt(key(c.key), this->*c.field);
    for (const BoolKey& f : kFlags)
        store.writeInt(key(f.key), this->*f.field ? 1 : 0);
    store.writeInt(key(kAgeType), int(ageSource));
    store.writeInt(key(kWipe), int(wipe));
    store.writeText(key(kOneTeamAbbreviation), oneTeamAbbreviation);
    store.writeText(key(kLastFile), lastFile);
}

bool CsvSetup::set(const QString& name, const QString& value)
{
    const QString k = name.trimmed().toUpper();
    bool isNumber = false;
    const int n = value.trimmed().toInt(&isNumber);
    auto matches = [&k](const char* full) {
        const QString f = key(full);
        return k == f || (f.startsWith(QLatin1String("CSV_ATH_")) && k == f.mid(8));
    };
    if (k == QLatin1String("ONE_TEAM_ABRV")) {
        oneTeamAbbreviation = value.trimmed();
        return true;
    }
    if (!isNumber || n < 0)
        return false;
    for (const IntKey& c : kColumns) {
        if (matches(c.key) || k == QLatin1String(c.shortName)) {
            this->*c.field = n;
            return true;
        }
    }
    for (const BoolKey& f : kFlags) {
        if (matches(f.key)) {
            this->*f.field = n == 1;
            return true;
        }
    }
    if (matches(kAgeType) && n <= 4) {
        ageSource = AgeSource(n);
        return true;
    }
    if (matches(kWipe) && n <= 2) {
        wipe = WipeMode(n);
        return true;
    }
    return false;
}

bool CsvSetup::check(base::Messages& messages, int selectedItems) const
{
    if (ageSource == AgeSource::None || ageColumn() <= 0) {
        messages.warning(QStringLiteral("You must select one of Age, Birthdate, BirthYear or "
                                        "IdNumber\r(For Age: you must select Age, Birthdate, "
                                        "Year or IdNumber)"));
        return false;
    }
    if (hasItems) {
        if (itemFirst <= 0 || itemLast <= 0) {
            messages.warning(QStringLiteral("The Item's first and last columns may not be empty."));
            return false;
        }
        if (itemLast < itemFirst) {
            messages.warning(QStringLiteral("The last column is greater than the first"));
            return false;
        }
        if (selectedItems == 0) {
            messages.warning(QStringLiteral(
                "There are no Items selected for the Meeting,\rYou cannot import any "
                "participations for Athletes.\r\r(In a meeting with categories the items of "
                "every category must be selected.)"));
            return false;
        }
    }
    if (!oneTeam && team <= 0) {
        messages.warning(QStringLiteral("Select the column containing the Team"));
        return false;
    }
    if (oneTeam && oneTeamAbbreviation.trimmed().isEmpty()) {
        messages.warning(QStringLiteral("The Team is not selected"));
        return false;
    }
    if (wipe == WipeMode::TeamAthletes && !oneTeam) {
        messages.warning(
            QStringLiteral("Contradicting: \"Athletes\" AND (\"All Teams\" or \"All Athletes\")."));
        return false;
    }
    return true;
}

bool CsvSetup::checkColumns(base::Messages& messages, int fileColumns) const
{
    const int last = hasBests ? itemLast + 1 : itemLast;
    if (hasItems && (itemFirst > fileColumns || last > fileColumns)) {
        messages.warning(QStringLiteral("This file only has ") + QString::number(fileColumns) +
                         QStringLiteral(" columns"));
        return false;
    }
    return true;
}

QList<std::pair<QString, int>> CsvSetup::namedColumns() const
{
    QList<std::pair<QString, int>> columns;
    for (const ShownColumn& c : kShown)
        columns.append({QString::fromLatin1(c.name), this->*c.field});
    return columns;
}

bool CsvSetup::setColumn(const QString& shownName, int column)
{
    for (const ShownColumn& c : kShown) {
        if (shownName == QLatin1String(c.name)) {
            this->*c.field = column;
            return true;
        }
    }
    return false;
}

} // namespace entries
