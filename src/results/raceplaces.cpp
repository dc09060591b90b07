#include "results/raceplaces.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/itemtypes.h"

#include <algorithm>

namespace results {

namespace {

int emptyMark(const RaceRow& row)
{
    if (!meeting::ItemTypes::PerfIsBlank(row.performance))
        return 0;
    return row.ePlace > 0 ? 1 : 2;
}

// "0" is the slowest third digit, so it sorts after "9"; an empty digit sorts first.
QString digitSortKey(const QString& digit)
{
    return digit == QLatin1String("0") ? QStringLiteral("A") : digit;
}

// -1, 0 or 1 as `a` comes before, with or after `b` in the race order.
int compareRaceOrder(const RaceRow& a, const RaceRow& b, bool field)
{
    if (a.tEmpty != b.tEmpty)
        return a.tEmpty < b.tEmpty ? -1 : 1;
    const int direction = field ? -1 : 1;
    if (const int c = a.performance.compare(b.performance); c != 0)
        return (c < 0 ? -1 : 1) * direction;
    if (const int c = digitSortKey(a.thirdDigit).compare(digitSortKey(b.thirdDigit)); c != 0)
        return (c < 0 ? -1 : 1) * direction;
    if (a.ePlace != b.ePlace)
        return a.ePlace < b.ePlace ? -1 : 1;
    return a.key < b.key ? -1 : (a.key > b.key ? 1 : 0);
}

// The text equal times are compared by: the time refined by its third digit.
QString comparisonText(const meeting::ItemTypes& items, const QString& itemCode, const RaceRow& row,
                       bool field)
{
    if (field || row.thirdDigit.isEmpty())
        return row.performance;
    return items.AddThirdDigit(itemCode, row.performance, row.thirdDigit);
}

QString placeChange(int from, int to)
{
    return QStringLiteral(" place ") + QString::number(from) + QStringLiteral(" to ") +
           QString::number(to);
}

void showVerticalJumpErrors(base::Messages& messages, const QStringList& lines)
{
    const QString body =
        QStringLiteral("Fix the placing-errors listed below.  The program does not "
                       "automatically\rcorrect places on \"High Jump\" or \"PoleVault\".\r\r"
                       "The red \"Calculated\" column will go away as soon as the errors are "
                       "fixed.\r\rTo make it easier to check placings for high jump, expecially "
                       "if there were\ra lot of entries, order the Athletes by \"Place\", but "
                       "remember to switch back\rto \"Lane\" order afterwards.\r\r") +
        lines.join(QLatin1Char('\r'));
    messages.choose(QStringLiteral("Errors in placings."), body, {QStringLiteral("OK")});
}

} // namespace

RaceRenumbering renumberRace(const meeting::ItemTypes& items, const QString& itemCode,
                             QList<RaceRow> rows)
{
    const bool field = items.IsFieldItem(itemCode);
    RaceRenumbering result;
    for (RaceRow& row : rows) {
        row.tEmpty = emptyMark(row);
        result.anyResult = result.anyResult || row.tEmpty < 2;
    }
    std::sort(rows.begin(), rows.end(), [field](const RaceRow& a, const RaceRow& b) {
        return compareRaceOrder(a, b, field) < 0;
    });
    int n = 0;        // rows so far with a performance or a place
    int t = 0;        // size of the current tie run minus one
    QString previous; // the previous row's comparison text
    result.newPlaces.reserve(rows.size());
    for (const RaceRow& row : rows) {
        const QString compared = comparisonText(items, itemCode, row, field);
        int newPlace = 0;
        if (row.tEmpty < 2) {
            ++n;
            const int previousPlace = n - t - 1;
            bool tie = false;
            if (row.tEmpty == 0)
                tie = compared == previous && (row.ePlace <= 0 || row.ePlace == previousPlace);
            else
                tie = row.ePlace == previousPlace;
            t = tie ? t + 1 : 0;
            newPlace = n - t;
        }
        if (newPlace != row.ePlace && newPlace >= 1 && row.ePlace >= 1)
            result.differences.append(placeChange(row.ePlace, newPlace));
        result.newPlaces.append(newPlace);
        previous = compared;
    }
    result.ordered = std::move(rows);
    return result;
}

bool RenumberRacePlaces(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                        const RaceScope& scope, bool showMessages, QStringList* changes)
{
    bool read = false;
    const QList<RaceRow> rows = readRaceRows(database, scope, &read);
    if (!read)
        return false;
    if (rows.isEmpty()) {
        if (showMessages)
            database.messages().information(QStringLiteral("No athletes to renumber"));
        return true;
    }
    const RaceRenumbering race = renumberRace(items, scope.itemCode, rows);
    if (items.IsVerticalJump(scope.itemCode)) {
        QStringList lines;
        for (const QString& d : race.differences)
            lines.append(QStringLiteral("Please change") + d);
        if (changes)
            *changes += lines;
        if (!lines.isEmpty())
            showVerticalJumpErrors(database.messages(), lines);
        return true;
    }
    if (changes) {
        for (const QString& d : race.differences)
            changes->append(QStringLiteral("Changed") + d);
    }
    if (!race.anyResult)
        return true;
    // Only rows whose stored values differ are rewritten, all in one statement.
    QList<RowValues> changed;
    for (qsizetype i = 0; i < race.ordered.size(); ++i) {
        const RaceRow& row = race.ordered[i];
        if (row.ePlace != race.newPlaces[i] || row.storedTEmpty != row.tEmpty)
            changed.append({row.key, {race.newPlaces[i], row.tEmpty}});
    }
    if (changed.isEmpty())
        return true;
    return database.execute(
        raceUpdateSql(scope, {QStringLiteral("E_PLACE"), QStringLiteral("T_EMPTY")}, changed));
}

bool checkRaceRows(const meeting::ItemTypes& items, const QString& itemCode,
                   const QList<RaceRow>& rows, QStringList* errors)
{
    const bool field = items.IsFieldItem(itemCode);
    QStringList found;
    QList<RaceRow> placed;
    for (const RaceRow& row : rows) {
        const bool blank = meeting::ItemTypes::PerfIsBlank(row.performance);
        if (!blank && row.ePlace == 0)
            found.append(QStringLiteral("Performance not placed: ") + row.performance);
        if (row.ePlace > 0)
            placed.append(row);
    }
    // By place; within a place the rows with a performance first, best first.
    std::sort(placed.begin(), placed.end(), [field](const RaceRow& a, const RaceRow& b) {
        if (a.ePlace != b.ePlace)
            return a.ePlace < b.ePlace;
        const bool aBlank = meeting::ItemTypes::PerfIsBlank(a.performance);
        const bool bBlank = meeting::ItemTypes::PerfIsBlank(b.performance);
        if (aBlank != bBlank)
            return bBlank;
        if (a.performance != b.performance)
            return field ? a.performance > b.performance : a.performance < b.performance;
        return a.key < b.key;
    });
    if (!placed.isEmpty() && placed.front().ePlace != 1)
        found.append(QStringLiteral("The places start at ") +
                     QString::number(placed.front().ePlace));
    int run = 0; // rows of the current tie run after its first
    for (qsizetype k = 0; k < placed.size(); ++k) {
        const RaceRow& row = placed[k];
        const int i = int(k) + 1;
        if (k > 0) {
            const RaceRow& before = placed[k - 1];
            // A row without a performance can only tie by its place.
            const bool samePerformance = row.performance == before.performance ||
                                         meeting::ItemTypes::PerfIsBlank(row.performance);
            const bool tied = row.ePlace == before.ePlace;
            run = samePerformance && tied ? run + 1 : 0;
            const bool bothTimed = !meeting::ItemTypes::PerfIsBlank(row.performance) &&
                                   !meeting::ItemTypes::PerfIsBlank(before.performance);
            const bool better =
                field ? row.performance > before.performance : row.performance < before.performance;
            if (bothTimed && !tied && better)
                found.append(QStringLiteral("Place ( ") + QString::number(row.ePlace) +
                             QStringLiteral(" ) did better than ( ") +
                             QString::number(before.ePlace) + QStringLiteral(" )"));
        }
        if (row.ePlace < i - run || row.ePlace > i)
            found.append(QStringLiteral("Place wrong: ") + QString::number(row.ePlace));
    }
    if (errors)
        *errors += found;
    return found.isEmpty();
}

bool CheckRacePlaces(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                     const RaceScope& scope, QStringList* errors)
{
    bool read = false;
    const QList<RaceRow> rows = readRaceRows(database, scope, &read);
    if (!read) {
        if (errors)
            errors->append(QStringLiteral("Could not read the race"));
        return false;
    }
    return checkRaceRows(items, scope.itemCode, rows, errors);
}

bool CheckRacePlaces(db::DmdCoreDbs& database, const meeting::ItemTypes& items, qint64 eventNo,
                     const QString& round, int heatNo, const QString& itemCode, QStringList* errors)
{
    return CheckRacePlaces(database, items, RaceScope::heat(eventNo, round, heatNo, itemCode),
                           errors);
}

} // namespace results
