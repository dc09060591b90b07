#pragma once

#include <QList>
#include <QString>

namespace base {
class ConfigStore;
class Messages;
} // namespace base

namespace entries {

// Which column gives the age.
enum class AgeSource { None = 0, Age = 1, BirthDate = 2, BirthYear = 3, IdNumber = 4 };
// What is wiped before an import.
enum class WipeMode { Nothing = 0, TeamAthletes = 1, AllTeams = 2 };

// The column setup of the competitor import, kept in the configuration store between
// runs. Column numbers count from 1; 0 means the file has no such column.
struct CsvSetup {
    int surname = 0;
    int firstName = 0;
    int gender = 0;
    int ageAge = 0;
    int ageDate = 0;
    int ageYear = 0;
    int ageIdNo = 0;
    int number = 0;
    int idNumber = 0;
    int demographic = 0;
    int birth = 0;
    int team = 0;
    int disabled = 0;
    int category = 0;
    int localSmds = 0;
    int worldSmds = 0;
    int itemFirst = 0;
    int itemLast = 0;

    AgeSource ageSource = AgeSource::None;
    bool hasNumber = false;
    bool hasIdNumber = false;
    bool hasDemographic = false;
    bool hasBirth = false;
    bool birthFromIdNumber = false;
    bool hasWorldSmds = false;
    bool hasLocalSmds = false;
    bool hasItems = false;
    bool hasBests = false;
    bool itemsInHeader = false; // else each cell names its item
    bool hasHeaderLine = true;
    bool addTeams = true;
    bool oneTeam = false;
    QString oneTeamAbbreviation;
    WipeMode wipe = WipeMode::Nothing;
    QString lastFile;

    // The column of the chosen age source.
    int ageColumn() const;
    // The last column the setup reads (bests lie right of the last item).
    int lastColumnUsed() const;

    void load(const base::ConfigStore& store);
    void save(base::ConfigStore& store) const;
    // Sets one value by its store key without the "CSV_ATH_" prefix ("COLMNO_SURNAME",
    // "AGE_TYPE", "HAS_ITEMS") or by its column's short name ("SURNAME", "TEAM",
    // "ITEM_FIRST"). False when the key is unknown or the value is no number.
    bool set(const QString& key, const QString& value);

    // The checks made before the file is read; the message shown and false on the first
    // that fails. `selectedItems` is the count of the meeting's selected events.
    bool check(base::Messages& messages, int selectedItems) const;
    // The file's own check: the item columns must lie within its columns.
    bool checkColumns(base::Messages& messages, int fileColumns) const;

    // "Surname", "Firstname" ... with their column numbers, as the setup screen shows.
    QList<std::pair<QString, int>> namedColumns() const;
    // Sets the column of a field by the name the screen shows; false for an unknown name.
    bool setColumn(const QString& shownName, int column);
};

} // namespace entries
