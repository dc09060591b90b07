#pragma once

#include <QList>
#include <QString>

namespace db {
class DmdCoreDbs;
}

namespace base {
class Messages;
}

namespace entries {

struct EntrySettings;

// The integer numbers of a group of athletes: the lowest and highest (0 when none has one)
// and how many athletes the group has.
struct NumberRange {
    int lowest = 0;
    int highest = 0;
    int numbered = 0;
    int athletes = 0;
};

// One line of the "Athlete Numbers" screen.
struct TeamNumbers {
    qint64 teamNo = 0;
    QString name;
    QString abbreviation;
    NumberRange all;
    NumberRange males;
    NumberRange females;
};

struct NumbersSummary {
    QList<TeamNumbers> teams; // ordered by name
    int notIntegers = 0;
};

// Competitor numbers given in bulk: one team, or every team of the meeting with a gap
// between teams. Relay teams keep their numbers.
class AthleteNumbers {
public:
    AthleteNumbers(db::DmdCoreDbs& database, int meetingNo);

    // The screen is offered only to a meeting whose athletes have numbers; the message
    // otherwise.
    static bool offered(base::Messages& messages, const EntrySettings& settings);
    // Every team of the meeting with its numbers; relay teams are left out.
    NumbersSummary summary();
    // "There are n athlete numbers that are not integers." when there are.
    void reportNotIntegers(const NumbersSummary& summary);
    // The warning the screen shows.
    static QString warningText();

    // The user's texts as typed; both ask before they write. False when refused or stopped.
    bool renumberTeam(qint64 teamNo, const QString& firstText);
    bool renumberAll(const QString& firstText, const QString& gapText);

    // The highest integer number of the meeting; the numbers that are not integers are
    // collected in `notNumeric`.
    int highestNumber(QStringList* notNumeric = nullptr);
    // "Find highest number": the report of the entry screen.
    void reportHighestNumber();

private:
    bool writeNumbers(const QList<std::pair<qint64, int>>& numbers, const QString& progress);

    db::DmdCoreDbs& m_db;
    int m_meetingNo;
};

// Auto-numbering of new athletes on the entry screen: the next number is suggested from a
// counter (at first one above the meeting's highest); taking the suggestion moves the
// counter on, typing another number switches it back to 0, so that the next suggestion is
// taken from the meeting again.
class AutoNumbering {
public:
    explicit AutoNumbering(AthleteNumbers& numbers) : m_numbers(numbers) {}

    QString suggestion();
    // Refuses a number that is not digits only ("The number must be numeric with no
    // spaces"); false then.
    static bool check(base::Messages& messages, const QString& number);
    // The number the new athlete was saved with.
    void taken(const QString& number);
    int counter() const { return m_counter; }

private:
    AthleteNumbers& m_numbers;
    int m_counter = 0;
};

} // namespace entries
