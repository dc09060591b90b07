#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace base {
class Run;
}
namespace scoring {
struct Report;
}

namespace sheets {

// What a check finds: data that will make a later step fail, data that may be unintended,
// or a list for an official to look at. Some checks show no kind.
enum class CheckKind { None, Error, Hints, Checklist };

struct CheckInfo {
    int number = 0;
    QString caption; // on the screen
    CheckKind kind = CheckKind::None;
    QString kindText;         // as the screen shows it
    QString when;             // the moment of use the screen shows
    bool leaguesOnly = false; // can be ticked only when the meeting has competitions
};

inline constexpr int kCheckCount = 20;

// The twenty checks in their order.
const QList<CheckInfo>& checkInfos();
const CheckInfo* checkInfo(int number);

// One check's findings: its heading(s) and lines; `rows` counts what it found (a notice
// alone is no finding).
struct CheckFinding {
    int number = 0;
    QStringList lines;
    int rows = 0;
};

// The checks over the current meeting.
class CheckLists {
public:
    explicit CheckLists(base::Run& run) : m_run(run) {}

    CheckFinding run(int number);
    // The ticked checks in their order, with the progress "Collect errors".
    QList<CheckFinding> run(const QList<int>& numbers);

private:
    // The checks of the program and the items (1 to 5, 7, 10).
    CheckFinding heatsAreFinalsWithoutHeats();
    CheckFinding itemsWithoutScores(bool nAthlon);
    CheckFinding itemsExcluded();
    CheckFinding programSequence();
    CheckFinding heatCountsAndCompetitions();
    CheckFinding eventsWithoutAthletes();
    // The checks of the entries and the draws (6, 8, 9, 11, 12, 13).
    CheckFinding athletesWithoutEvents();
    CheckFinding participationsExceedingMax();
    CheckFinding ageDiffers();
    CheckFinding drawingErrors();
    CheckFinding competitionsInOneHeat();
    CheckFinding nAthlonsMixed();
    // The checks of the results (14 to 20).
    CheckFinding programRowsWhere(int number);
    CheckFinding placesWithoutLanes();
    CheckFinding withoutWind();
    CheckFinding disqualifications();
    CheckFinding filledEvents();

    int meetingNo() const;
    QString item(const QString& itemCode) const;

    base::Run& m_run;
};

// True when a check of the Error kind found rows.
bool errorsFound(const QList<CheckFinding>& findings);
// Every finding's lines after one another.
QStringList reportLines(const QList<CheckFinding>& findings);
// The printed report "Errors and Summaries": one row a line.
scoring::Report checksReport(const QList<CheckFinding>& findings);

} // namespace sheets
