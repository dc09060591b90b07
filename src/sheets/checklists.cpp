#include "sheets/checklists.h"

#include "base/messages.h"
#include "base/run.h"
#include "db/sqltext.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "scoring/report.h"

namespace sheets {

const QList<CheckInfo>& checkInfos()
{
    using K = CheckKind;
    const QString afterProgram = QStringLiteral("after creating the program");
    const QString beforeDrawing = QStringLiteral("after entering athletes, before drawing");
    const QString beforeTotals = QStringLiteral("after entering athletes, before team totals");
    const QString beforeResults = QStringLiteral("before event results and team totals");
    const QString afterMeeting = QStringLiteral("after the meeting");
    static const QList<CheckInfo> infos{
        {1, QStringLiteral("Heats-Are-Finals Without Heats"), K::Error, "Error", afterProgram},
        {2, QStringLiteral("Items Without Scores Defined"), K::Checklist, "Checklist",
         afterProgram},
        {3, QStringLiteral("Items Excluded From Points/Medals"), K::Checklist, "Checklist",
         QStringLiteral("before team totals")},
        {4, QStringLiteral("Program Sequence Errors"), K::Error, "Error",
         QStringLiteral("after editing the program")},
        {5, QStringLiteral("Competition A-Heatcount ( Competitions only )"), K::None, "", "", true},
        {6, QStringLiteral("Athletes Without Events"), K::Hints, "Hints", beforeDrawing},
        {7, QStringLiteral("Events Without Athletes"), K::Error, "Error", beforeDrawing},
        {8, QStringLiteral("Participations Exceeding Max"), K::Error, "Error", beforeTotals},
        {9, QStringLiteral("Item and  Athlete age differs"), K::Hints, "Hints", beforeTotals},
        {10, QStringLiteral("n-Athlon Items witout Scores"), K::Error, "Error", beforeTotals},
        {11, QStringLiteral("Errors in Athlete Draws"), K::Error, "Error",
         QStringLiteral("before printing sheets")},
        {12, QStringLiteral("Competitons in same Heat ( Competitions only )"), K::None, "",
         QStringLiteral("before printing sheets"), true},
        {13, QStringLiteral("n-Athlon Athletes and normals mixed"), K::Error, "Error",
         QStringLiteral("after editing participations")},
        {14, QStringLiteral("Events Not Calculated"), K::Error, "Error", beforeResults},
        {15, QStringLiteral("Performances Placed Wrong"), K::Error, "Error", beforeResults},
        {16, QStringLiteral("Places without Lanes (for Complex only)"), K::None, "",
         QStringLiteral("before team totals")},
        {17, QStringLiteral("Events/Perfs Without Wind"), K::Error, "Error", afterMeeting},
        {18, QStringLiteral("Queried Events"), K::Checklist, "CheckList", afterMeeting},
        {19, QStringLiteral("Disqualifications"), K::Checklist, "CheckList", afterMeeting},
        {20, QStringLiteral("Events with/without results"), K::Checklist, "CheckList",
         afterMeeting},
    };
    return infos;
}

const CheckInfo* checkInfo(int number)
{
    const QList<CheckInfo>& infos = checkInfos();
    return number >= 1 && number <= infos.size() ? &infos[number - 1] : nullptr;
}

int CheckLists::meetingNo() const
{
    return m_run.meeting().meetingNo();
}

QString CheckLists::item(const QString& itemCode) const
{
    return m_run.items().ItemDescription(itemCode.trimmed(), false);
}

CheckFinding CheckLists::run(int number)
{
    switch (number) {
    case 1:
        return heatsAreFinalsWithoutHeats();
    case 2:
        return itemsWithoutScores(false);
    case 3:
        return itemsExcluded();
    case 4:
        return programSequence();
    case 5:
        return heatCountsAndCompetitions();
    case 6:
        return athletesWithoutEvents();
    case 7:
        return eventsWithoutAthletes();
    case 8:
        return participationsExceedingMax();
    case 9:
        return ageDiffers();
    case 10:
        return itemsWithoutScores(true);
    case 11:
        return drawingErrors();
    case 12:
        return competitionsInOneHeat();
    case 13:
        return nAthlonsMixed();
    case 14:
    case 15:
    case 18:
        return programRowsWhere(number);
    case 16:
        return placesWithoutLanes();
    case 17:
        return withoutWind();
    case 19:
        return disqualifications();
    case 20:
        return filledEvents();
    default:
        m_run.messages().internalError(9201,
                                       QStringLiteral("No such check: ") + QString::number(number));
        return {number, {}, 0};
    }
}

QList<CheckFinding> CheckLists::run(const QList<int>& numbers)
{
    QList<CheckFinding> findings;
    int done = 0;
    for (int number : numbers) {
        m_run.messages().progress(QStringLiteral("Collect errors"),
                                  checkInfo(number) ? checkInfo(number)->caption : QString(),
                                  done++, int(numbers.size()));
        findings << run(number);
    }
    m_run.messages().progressDone();
    return findings;
}

bool errorsFound(const QList<CheckFinding>& findings)
{
    for (const CheckFinding& f : findings) {
        const CheckInfo* info = checkInfo(f.number);
        if (info && info->kind == CheckKind::Error && f.rows > 0)
            return true;
    }
    return false;
}

QStringList reportLines(const QList<CheckFinding>& findings)
{
    QStringList lines;
    for (const CheckFinding& f : findings) {
        if (!lines.isEmpty() && !f.lines.isEmpty())
            lines << QString();
        lines << f.lines;
    }
    return lines;
}

scoring::Report checksReport(const QList<CheckFinding>& findings)
{
    scoring::Report report;
    report.title = QStringLiteral("Errors and Summaries");
    report.headers << QString();
    for (const CheckFinding& f : findings) {
        if (f.lines.isEmpty())
            continue;
        // The heading of each check starts a section; its lines are the rows.
        report.sections.append({int(report.rows.size()), f.lines.first()});
        for (qsizetype i = 1; i < f.lines.size(); ++i)
            report.rows.append({f.lines[i]});
        if (f.lines.size() == 1)
            report.rows.append({QStringLiteral("  (none)")});
    }
    return report;
}

} // namespace sheets
