#include "meeting/perfformatrepair.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/itemtypes.h"

#include <QHash>

namespace meeting {

namespace {

struct StoredColumn {
    const char* table;
    const char* key;
    const char* value;
    bool joinsEvent; // the item code is the event's; else the row's own
};

const StoredColumn kColumns[] = {
    {"HEATPART", "HEATPARTNO", "PERFORMANCE", true},
    {"PARTICIPATE", "PARTNO", "PERFORMANCE", true},
    {"PERF_HIST", "PERF_HISTNO", "PERFORMANCE", true},
    {"RECORD", "RECORDNO", "RECORD", false},
};

QString selectSql(const StoredColumn& c)
{
    const QString table = QString::fromLatin1(c.table);
    const QString key = QString::fromLatin1(c.key);
    const QString value = QString::fromLatin1(c.value);
    if (!c.joinsEvent) {
        return QStringLiteral("select %1 as KEYNO, %2 as PERF, ITEMCODE from %3 where %2 is not "
                              "null order by %1")
            .arg(key, value, table);
    }
    return QStringLiteral("select p.%1 as KEYNO, p.%2 as PERF, e.ITEMCODE from %3 p join "
                          "MYEVENT e on e.EVENTNO = p.EVENTNO where p.%2 is not null order by "
                          "p.%1")
        .arg(key, value, table);
}

// Attempt cells that mark a failure or a pass ("X", "-", "XX-") hold no performance.
bool isAttemptMark(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    for (QChar c : t) {
        if (c != QLatin1Char('X') && c != QLatin1Char('-'))
            return false;
    }
    return true;
}

QString findingLine(const PerfFormatFinding& f, bool withNewText)
{
    QString line = QString::number(f.key) + QStringLiteral(" : ") + f.oldText;
    if (withNewText)
        line += QStringLiteral(" -> ") + f.newText;
    return line;
}

} // namespace

QStringList PerfFormatScan::reportLines() const
{
    QStringList lines;
    lines << QStringLiteral("There ") +
                 (wrong.isEmpty() ? QStringLiteral("are NO ") : QStringLiteral("ARE ")) +
                 QStringLiteral(" differences in Performance formats");
    for (const PerfFormatFinding& f : wrong)
        lines << findingLine(f, true);
    if (!tooLarge.isEmpty()) {
        lines << QString() << QStringLiteral("These large performances cannot be fixed");
        for (const PerfFormatFinding& f : tooLarge)
            lines << findingLine(f, false);
    }
    if (!unreadable.isEmpty()) {
        lines << QString() << QStringLiteral("These performances cannot be read");
        for (const PerfFormatFinding& f : unreadable)
            lines << findingLine(f, false);
    }
    return lines;
}

PerfFormatScan scanPerformanceFormats(db::DmdCoreDbs& database, const ItemTypes& items)
{
    PerfFormatScan scan;
    // One format per item: an item code with a fault is reported once, not once a row.
    QHash<QString, int> formats;
    for (const StoredColumn& column : kColumns) {
        db::Query q = database.openQuery(selectSql(column));
        if (!q.isOpen()) {
            scan.complete = false;
            continue;
        }
        const bool attempts = QLatin1String(column.table) == QLatin1String("PERF_HIST");
        for (q.first(); !q.eof(); q.next()) {
            const QString text = q.text(QStringLiteral("PERF"));
            const QString itemCode = q.text(QStringLiteral("ITEMCODE"));
            if (ItemTypes::PerfIsBlank(text) || isAttemptMark(text))
                continue;
            if (attempts && items.IsVerticalJump(itemCode))
                continue;
            ++scan.checked;
            auto format = formats.constFind(itemCode);
            if (format == formats.constEnd())
                format = formats.insert(itemCode, items.PerfFormatOf(itemCode));
            PerfFormatFinding finding{QString::fromLatin1(column.table),
                                      QString::fromLatin1(column.key),
                                      q.integer(QStringLiteral("KEYNO")),
                                      itemCode,
                                      text,
                                      {}};
            if (!ItemTypes::PerfLooksValid(text.trimmed())) {
                scan.unreadable << finding;
                continue;
            }
            const double value = items.PerfTextToValue(text).value_or(0);
            const double largest =
                items.PerfTextToValue(ItemTypes::formatMaxText(*format)).value_or(0);
            if (value > largest) {
                scan.tooLarge << finding;
                continue;
            }
            finding.newText = items.formatPerfValue(*format, value, false);
            if (finding.newText != text)
                scan.wrong << finding;
        }
    }
    return scan;
}

bool writeCanonicalPerformances(db::DmdCoreDbs& database, const QList<PerfFormatFinding>& findings)
{
    bool ok = true;
    for (const PerfFormatFinding& f : findings) {
        const QString value = f.table == QLatin1String("RECORD") ? QStringLiteral("RECORD")
                                                                 : QStringLiteral("PERFORMANCE");
        ok = database.execute(QStringLiteral("update ") + f.table + QStringLiteral(" set ") +
                              value + QStringLiteral(" = ") + db::quoted(f.newText) +
                              QStringLiteral(" where ") + f.keyColumn + QStringLiteral(" = ") +
                              db::sqlInt(f.key) + QStringLiteral(" and ") + value +
                              QStringLiteral(" = ") + db::quoted(f.oldText)) &&
             ok;
    }
    return ok;
}

PerfFixOutcome fixPerformanceFormats(db::DmdCoreDbs& database, const ItemTypes& items,
                                     const PerfReportFn& showReport)
{
    base::Messages& messages = database.messages();
    const PerfFormatScan scan = scanPerformanceFormats(database, items);
    if (showReport)
        showReport(scan);
    if (!scan.complete)
        return PerfFixOutcome::Failed;
    if (scan.wrong.isEmpty()) {
        messages.information(QStringLiteral("No performances are in the wrong formats."));
        return PerfFixOutcome::NothingWrong;
    }
    const QString question =
        QStringLiteral("There are Invalid performances formats.  This is probably because digits"
                       "\rwere captured before the format of their item changed (for example a "
                       "400m\rthat is now \"M:SS.DD\" or a 1500m that is now \"MM:SS.DD\").\r\r"
                       "Do you want to fix all invalid performances");
    if (!messages.confirm(question))
        return PerfFixOutcome::Declined;
    if (!writeCanonicalPerformances(database, scan.wrong))
        return PerfFixOutcome::Failed;
    messages.information(QStringLiteral("Performances fixed"));
    return PerfFixOutcome::Fixed;
}

bool continueDespitePerformanceErrors(db::DmdCoreDbs& database, const ItemTypes& items)
{
    const PerfFormatScan scan = scanPerformanceFormats(database, items);
    if (scan.wrong.isEmpty())
        return true;
    return database.messages().confirm(
        QStringLiteral("There are some Performance errors.\r"
                       "Use \"FIX PERFORMANCE FORMAT\" of the integrity utilities to fix them."
                       "\r\rContinue anyway"));
}

} // namespace meeting
