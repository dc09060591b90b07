#pragma once

#include <QString>

namespace db {
class DmdCoreDbs;
}

namespace entries {

// Competitor numbers given in bulk: one team, or every team of the meeting with a gap
// between teams. Relay teams keep their numbers.
class AthleteNumbers {
public:
    AthleteNumbers(db::DmdCoreDbs& database, int meetingNo);

    // The user's texts as typed; both ask before they write. False when refused or stopped.
    bool renumberTeam(qint64 teamNo, const QString& firstText);
    bool renumberAll(const QString& firstText, const QString& gapText);

    // The highest integer number of the meeting; the numbers that are not integers are
    // collected in `notNumeric`.
    int highestNumber(QStringList* notNumeric = nullptr);
    // "Find highest number": the report of the entry screen.
    void reportHighestNumber();

private:
    bool writeNumbers(const QList<std::pair<qint64, int>>& numbers);

    db::DmdCoreDbs& m_db;
    int m_meetingNo;
};

} // namespace entries
