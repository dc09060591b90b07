#include "results/resultimport.h"

#include "base/messages.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "entries/csvfile.h"
#include "meeting/edition.h"
#include "meeting/itemtypes.h"
#include "results/calcstate.h"
#include "results/collectingsink.h"
#include "results/resultedit.h"
#include "results/resultlocate.h"
#include "results/statuscodes.h"

#include <QHash>
#include <QMap>
#include <QSet>

namespace results {

namespace {

enum class Column { Event, Round, Heat, Lane, Athlete, Performance, Digit, Status, Place };

std::optional<Column> columnNamed(const QString& header)
{
    QString name = header.trimmed().toLower();
    name.remove(QLatin1Char('"'));
    name.replace(QLatin1Char('_'), QLatin1Char(' '));
    name = name.simplified();
    static const QHash<QString, Column> names{
        {"event", Column::Event},       {"round", Column::Round},
        {"heat", Column::Heat},         {"lane", Column::Lane},
        {"athlete", Column::Athlete},   {"athlete number", Column::Athlete},
        {"athleteno", Column::Athlete}, {"performance", Column::Performance},
        {"third digit", Column::Digit}, {"digit", Column::Digit},
        {"status", Column::Status},     {"place", Column::Place},
    };
    const auto it = names.find(name);
    if (it == names.end())
        return std::nullopt;
    return *it;
}

// A whole number cell; empty is 0, anything else that is not a number -1.
int numberCell(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return 0;
    bool ok = false;
    const int value = t.toInt(&ok);
    return ok && value >= 0 ? value : -1;
}

struct CheckedLine {
    ResultTarget target;
    ResultEntry entry;
};

} // namespace

QString ResultImportReport::text() const
{
    QStringList out;
    if (ok)
        out << QString::number(written) + QStringLiteral(" results were imported.");
    else
        out << QStringLiteral("The file was refused: nothing was imported.");
    out << errors << notes;
    return out.join(QLatin1Char('\n'));
}

ResultImportReport importResults(base::Run& run, const QString& path)
{
    const entries::CsvText file = entries::readCsvFile(path);
    if (!file.ok) {
        ResultImportReport report;
        report.errors << file.refusal;
        return report;
    }
    return importResultLines(run, file.lines);
}

ResultImportReport importResultLines(base::Run& run, const QStringList& lines)
{
    ResultImportReport report;
    db::DmdCoreDbs& database = *run.database();
    if (lines.isEmpty()) {
        report.errors << QStringLiteral("The file is empty");
        return report;
    }
    entries::CsvDelimiter delimiter = entries::guessDelimiter(lines);
    if (delimiter == entries::CsvDelimiter::Undecided)
        delimiter = entries::CsvDelimiter::Comma;
    const QChar separator = entries::delimiterChar(delimiter);

    QMap<Column, int> at;
    const QStringList header = entries::splitCsvLine(lines.first(), separator);
    for (int i = 0; i < header.size(); ++i) {
        const std::optional<Column> column = columnNamed(header[i]);
        if (!column)
            report.errors << QStringLiteral("Unknown column: ") + header[i].trimmed();
        else if (at.contains(*column))
            report.errors << QStringLiteral("The column is named twice: ") + header[i].trimmed();
        else
            at.insert(*column, i);
    }
    if (!at.contains(Column::Event) || !at.contains(Column::Round))
        report.errors << QStringLiteral("The columns event and round are needed");
    if (at.contains(Column::Lane) == at.contains(Column::Athlete))
        report.errors << QStringLiteral("Name either the column lane or the column athlete");
    if (!at.contains(Column::Performance) && !at.contains(Column::Status))
        report.errors << QStringLiteral("The column performance or status is needed");
    if (!report.errors.isEmpty())
        return report;

    CollectingSink sink;
    base::Messages lineMessages(sink);
    const meeting::ItemTypes lineItems(meeting::editionOf(database.applicationCode()),
                                       lineMessages);
    ResultCapture capture(run, lineMessages, lineItems);
    QList<CheckedLine> accepted;
    QSet<qint64> seenRows;
    for (int n = 1; n < lines.size(); ++n) {
        if (lines[n].trimmed().isEmpty())
            continue;
        ++report.lines;
        const QString where =
            QStringLiteral("Line ") + QString::number(n + 1) + QStringLiteral(": ");
        const QStringList cells = entries::splitCsvLine(lines[n], separator);
        auto cell = [&cells, &at](Column c) {
            const int i = at.value(c, -1);
            return i >= 0 && i < cells.size() ? cells[i].trimmed() : QString();
        };
        const int event = numberCell(cell(Column::Event));
        const QString round = cell(Column::Round).toUpper();
        const int heat = numberCell(cell(Column::Heat));
        const int lane = numberCell(cell(Column::Lane));
        const int athlete = numberCell(cell(Column::Athlete));
        if (event <= 0 || heat < 0 || lane < 0 || athlete < 0) {
            report.errors << where + QStringLiteral("the event, heat, lane and athlete must "
                                                    "be whole numbers");
            continue;
        }
        ResultEntry entry;
        entry.performance = cell(Column::Performance);
        entry.thirdDigit = cell(Column::Digit);
        entry.place = cell(Column::Place);
        const QString statusText = cell(Column::Status);
        entry.status = DisqStatusFromText(statusText);
        if (entry.status == kUndefined || entry.status > kOia) {
            report.errors << where + QStringLiteral("Unknown status: ") + statusText;
            continue;
        }
        const int meetingNo = run.currentMeetingNo();
        ResultTarget target =
            at.contains(Column::Lane)
                ? locateLane(database, run.items(), meetingNo, event, round, heat, lane)
                : locateAthlete(database, run.items(), meetingNo, event, round, heat, athlete);
        if (!target.ok()) {
            report.errors << where + target.refusal;
            continue;
        }
        entry.wind = target.athlete.wind;
        if (seenRows.contains(target.athlete.key)) {
            report.errors << where + target.athlete.name() +
                                 QStringLiteral(" has a result on an earlier line");
            continue;
        }
        seenRows.insert(target.athlete.key);
        sink.take();
        const bool ok = capture.mayEdit(target.row) &&
                        capture.check(capture.itemCodeFor(target.row, target.athlete), entry);
        const QStringList said = sink.take();
        if (!ok) {
            report.errors << where + (said.isEmpty() ? QStringLiteral("refused") : said.last());
            continue;
        }
        for (const QString& s : said)
            report.notes << where + s;
        accepted.append({target, entry});
    }
    if (!report.errors.isEmpty())
        return report;

    QStringList statements;
    for (const CheckedLine& l : std::as_const(accepted))
        statements << ResultCapture::writeSql(l.target.row, l.target.athlete, l.entry);
    if (!database.executeAll(statements)) {
        report.errors << QStringLiteral("The results could not be written: ") +
                             database.lastError().message;
        return report;
    }
    QSet<qint64> refreshed;
    QSet<qint64> placeChanged;
    for (const CheckedLine& l : std::as_const(accepted)) {
        refreshed.insert(l.target.row.programNo);
        if (placeNumber(l.entry.place) != l.target.athlete.place)
            placeChanged.insert(l.target.row.programNo);
    }
    for (qint64 programNo : std::as_const(refreshed))
        refreshCalculatedState(run, programNo);
    for (qint64 programNo : std::as_const(placeChanged))
        database.execute(QStringLiteral("update PROGRAM set NOT_CALCULATED_YET=1 where "
                                        "PROGRAMNO=") +
                         db::sqlInt(programNo));
    report.written = int(accepted.size());
    report.ok = true;
    return report;
}

} // namespace results
