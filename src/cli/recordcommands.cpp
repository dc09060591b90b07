// Record sets and records from the command line: list, create, delete, show, import from
// CSV, set a record, check a performance, update a set from the meeting's results.

#include "cli/cli.h"
#include "cli/meetingoption.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "records/recordcheck.h"
#include "records/recordimport.h"
#include "records/records.h"
#include "records/recordsets.h"
#include "records/recordupdate.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

std::optional<records::RecordSetRow> setByAbbreviation(cli::Context& ctx, db::DmdCoreDbs& database,
                                                       const QString& abbreviation)
{
    auto set = records::RecordSets(database).byAbbreviation(abbreviation);
    if (!set)
        ctx.messages().warning(QStringLiteral("There is no recordset ") + abbreviation);
    return set;
}

// How many records the set holds.
int recordCount(db::DmdCoreDbs& database, qint64 recordSetNo)
{
    return database.ZSqlCount(QStringLiteral("RECORD"),
                              QStringLiteral("RECORDSETNO = ") + db::sqlInt(recordSetNo));
}

// The database and the set named by the first of `words` arguments; on failure the exit
// code is in `*code`.
struct NamedSet {
    db::DmdCoreDbs* database = nullptr;
    records::RecordSetRow set;
};

std::optional<NamedSet> namedSet(cli::Context& ctx, int words, int* code)
{
    db::DmdCoreDbs* database = nullptr;
    if ((*code = ctx.openDatabase(words, &database)) != cli::Success)
        return std::nullopt;
    *code = cli::Failed;
    const auto set = setByAbbreviation(ctx, *database, ctx.args[0]);
    if (!set)
        return std::nullopt;
    return NamedSet{database, *set};
}

int recordsetList(cli::Context& ctx)
{
    db::DmdCoreDbs* database = nullptr;
    if (const int failed = ctx.openDatabase(0, &database))
        return failed;
    QJsonArray rows;
    for (const records::RecordSetRow& s : records::RecordSets(*database).all()) {
        const int count = recordCount(*database, s.recordSetNo);
        if (ctx.json)
            rows.append(QJsonObject{{"recordsetno", s.recordSetNo},
                                    {"name", s.name},
                                    {"abbreviation", s.abbreviation},
                                    {"year", s.year},
                                    {"records", count}});
        else
            ctx.out << s.abbreviation << "\t" << s.name << "\t"
                    << (s.year ? QString::number(s.year) : QString()) << "\t" << count << "\n";
    }
    if (ctx.json)
        ctx.printJson(rows);
    return cli::Success;
}

int recordsetNew(cli::Context& ctx)
{
    const QString year = ctx.takeOption(QStringLiteral("--year"));
    db::DmdCoreDbs* database = nullptr;
    if (const int failed = ctx.openDatabase(2, &database))
        return failed;
    const qint64 no = records::RecordSets(*database).NewRecordSet({ctx.args[0], ctx.args[1], year});
    if (no <= 0)
        return cli::Failed;
    ctx.printFields({{QStringLiteral("recordsetno"), QString::number(no)}});
    return cli::Success;
}

int recordsetDelete(cli::Context& ctx)
{
    int code = 0;
    const auto named = namedSet(ctx, 1, &code);
    if (!named)
        return code;
    db::DmdCoreDbs* database = named->database;
    const records::RecordSetRow* set = &named->set;
    const int count = recordCount(*database, set->recordSetNo);
    if (!ctx.messages().confirm(QStringLiteral("Delete the recordset ") + set->name +
                                QStringLiteral(" with its ") + QString::number(count) +
                                QStringLiteral(" records")))
        return cli::Failed;
    return records::RecordSets(*database).deleteRecordSet(set->recordSetNo) ? cli::Success
                                                                            : cli::Failed;
}

int recordsetShow(cli::Context& ctx)
{
    int code = 0;
    const auto named = namedSet(ctx, 1, &code);
    if (!named)
        return code;
    db::DmdCoreDbs* database = named->database;
    const records::RecordSetRow* set = &named->set;
    const meeting::ItemTypes& items = ctx.run().items();
    QJsonArray rows;
    for (const records::RecordRow& r : records::Records(*database, items).ofSet(set->recordSetNo)) {
        if (ctx.json)
            rows.append(QJsonObject{{"recordno", r.recordNo},
                                    {"itemcode", r.itemCode},
                                    {"holder", r.holderTypeText()},
                                    {"record", r.record},
                                    {"surname", r.holder.surname},
                                    {"firstname", r.holder.firstName},
                                    {"team", r.holder.team},
                                    {"date", r.holder.date}});
        else
            ctx.out << r.itemCode << "\t" << r.holderTypeText() << "\t" << r.record << "\t"
                    << r.holder.surname << "\t" << r.holder.firstName << "\t" << r.holder.team
                    << "\t" << r.holder.date << "\n";
    }
    if (ctx.json)
        ctx.printJson(QJsonObject{{"name", set->name},
                                  {"abbreviation", set->abbreviation},
                                  {"year", set->year},
                                  {"records", rows}});
    return cli::Success;
}

int recordsetImport(cli::Context& ctx)
{
    records::RecordCsvSetup setup;
    setup.load(ctx.run().config());
    for (QString pair = ctx.takeOption(QStringLiteral("--setup")); !pair.isEmpty();
         pair = ctx.takeOption(QStringLiteral("--setup"))) {
        const qsizetype eq = pair.indexOf(QLatin1Char('='));
        if (eq <= 0 || !setup.set(pair.left(eq), pair.mid(eq + 1)))
            return ctx.usageError(QStringLiteral("--setup takes KEY=COLUMN with KEY one of SURNAME "
                                                 "FIRSTNAME TEAM GENDER AGE ITEM DATE RECORD CLASS "
                                                 "HEADER, not ") +
                                  pair);
    }
    const QString name = ctx.takeOption(QStringLiteral("--name"));
    const QString abbreviation = ctx.takeOption(QStringLiteral("--abrv"));
    const QString year = ctx.takeOption(QStringLiteral("--year"));
    db::DmdCoreDbs* database = nullptr;
    if (const int failed = ctx.openDatabase(1, &database))
        return failed;
    // The mapping is kept for the next import, as the setup screen keeps it.
    setup.save(ctx.run().config());
    const qint64 no = records::RecordImport(*database, ctx.run().items())
                          .importFile(ctx.args[0], {name, abbreviation, year}, setup);
    if (no <= 0)
        return cli::Failed;
    ctx.printFields({{QStringLiteral("recordsetno"), QString::number(no)},
                     {QStringLiteral("records"), QString::number(recordCount(*database, no))}});
    return cli::Success;
}

int recordsetSelect(cli::Context& ctx)
{
    const bool fail = ctx.takeFlag(QStringLiteral("--fail-standard"));
    const QString points = ctx.takeOption(QStringLiteral("--points"));
    const int meetingNo = cli::meetingOption(ctx);
    if (!ctx.expectArgs(1))
        return cli::WrongCommandLine;
    if (meetingNo <= 0)
        return cli::Failed;
    const auto set = setByAbbreviation(ctx, *ctx.database(), ctx.args[0]);
    if (!set)
        return cli::Failed;
    return records::RecordSets(*ctx.database())
                   .selectForMeeting(meetingNo, set->recordSetNo, fail, points.toInt())
               ? cli::Success
               : cli::Failed;
}

int recordSet(cli::Context& ctx)
{
    records::RecordHolder holder;
    holder.surname = ctx.takeOption(QStringLiteral("--holder"));
    holder.firstName = ctx.takeOption(QStringLiteral("--first"));
    holder.team = ctx.takeOption(QStringLiteral("--team"));
    holder.date = ctx.takeOption(QStringLiteral("--date"));
    const bool coHolder = ctx.takeFlag(QStringLiteral("--co"));
    int code = 0;
    const auto named = namedSet(ctx, coHolder ? 2 : 3, &code);
    if (!named)
        return code;
    db::DmdCoreDbs* database = named->database;
    const records::RecordSetRow* set = &named->set;
    records::Records records(*database, ctx.run().items());
    const QString itemCode = ctx.run().items().CanonicalItemCode(ctx.args[1]);
    qint64 no = 0;
    if (coHolder) {
        no = records.addCoHolder(set->recordSetNo, itemCode, holder);
    } else {
        const QList<records::RecordRow> existing = records.ofItem(set->recordSetNo, itemCode);
        if (existing.isEmpty())
            no = records.NewRecord(set->recordSetNo, itemCode, ctx.args[2], holder);
        else if (records.editRecord(existing.first().recordNo, ctx.args[2], holder))
            no = existing.first().recordNo;
    }
    if (no <= 0)
        return cli::Failed;
    ctx.printFields({{QStringLiteral("recordno"), QString::number(no)}});
    return cli::Success;
}

int recordCheck(cli::Context& ctx)
{
    const QString wind = ctx.takeOption(QStringLiteral("--wind"));
    const qint64 athleteNo = ctx.takeOption(QStringLiteral("--athlete")).toLongLong();
    const int meetingNo = cli::meetingOption(ctx);
    if (!ctx.expectArgs(2))
        return cli::WrongCommandLine;
    if (meetingNo <= 0)
        return cli::Failed;
    const meeting::ItemTypes& items = ctx.run().items();
    const QString itemCode = items.CanonicalItemCode(ctx.args[0]);
    if (items.IsNathlon(itemCode)) {
        ctx.messages().warning(QStringLiteral("Individual n-Athlon items has no record"));
        return cli::Failed;
    }
    const auto performance = items.NormalisePerf(itemCode, ctx.args[1]);
    if (!performance)
        return cli::Failed;
    records::RecordCheck check(*ctx.database(), items, ctx.run().meeting());
    const records::RecordsBrokenResult result =
        check.RecordsBroken(itemCode, *performance, wind, athleteNo);
    if (ctx.json) {
        ctx.printJson(
            QJsonObject{{"performance", *performance},
                        {"sets", QJsonArray::fromStringList(result.sets)},
                        {"failed_standards", QJsonArray::fromStringList(result.failedStandards)},
                        {"wind_prevented", result.windPrevented}});
    } else {
        ctx.out << (result.any() ? result.text() : QStringLiteral("no records")) << "\n";
        if (result.windPrevented)
            ctx.out << "WIND Prevented a record\n";
    }
    return cli::Success;
}

int recordsetUpdate(cli::Context& ctx)
{
    const QString teamAbbreviation = ctx.takeOption(QStringLiteral("--team"));
    const int meetingNo = cli::meetingOption(ctx);
    if (!ctx.expectArgs(1))
        return cli::WrongCommandLine;
    if (meetingNo <= 0)
        return cli::Failed;
    db::DmdCoreDbs& database = *ctx.database();
    const auto set = setByAbbreviation(ctx, database, ctx.args[0]);
    if (!set)
        return cli::Failed;
    qint64 teamNo = 0;
    if (!teamAbbreviation.isEmpty()) {
        teamNo = database
                     .selectOneValue(QStringLiteral("TEAMNO"), QStringLiteral("TEAM"),
                                     QStringLiteral("MEETINGNO = ") + db::sqlInt(meetingNo) +
                                         QStringLiteral(" and upper(TEAMABRV) = upper(") +
                                         db::quoted(teamAbbreviation) + QStringLiteral(")"))
                     .toLongLong();
        if (teamNo <= 0) {
            ctx.messages().warning(QStringLiteral("There is no team ") + teamAbbreviation);
            return cli::Failed;
        }
    }
    // The candidates are listed before the question, as the selection screen shows them.
    auto list = [&ctx](QList<records::RecordCandidate>& found) {
        QJsonArray rows;
        for (const records::RecordCandidate& c : found) {
            if (ctx.json)
                rows.append(QJsonObject{{"type", c.typeText()},
                                        {"itemcode", c.itemCode},
                                        {"performance", c.performance},
                                        {"old_record", c.oldRecord},
                                        {"surname", c.surname},
                                        {"firstname", c.firstName},
                                        {"team", c.team},
                                        {"must_update", c.mustUpdate}});
            else
                ctx.out << c.typeText() << "\t" << c.itemCode << "\t" << c.performance << "\t"
                        << c.oldRecord << "\t" << c.surname << "\t" << c.firstName << "\t" << c.team
                        << "\t" << (c.mustUpdate ? "Yes" : "No") << "\n";
        }
        if (ctx.json)
            ctx.printJson(rows);
        ctx.out.flush();
    };
    return records::UpdateRecordsFromMeeting(database, ctx.run().items(), set->recordSetNo,
                                             meetingNo, teamNo, list)
               ? cli::Success
               : cli::Failed;
}

const cli::Command kList("recordset list", "[--json]", recordsetList);
const cli::Command kNew("recordset new", "NAME ABRV [--year YEAR]", recordsetNew);
const cli::Command kDelete("recordset delete", "ABRV", recordsetDelete);
const cli::Command kShow("recordset show", "ABRV [--json]", recordsetShow);
const cli::Command kImport("recordset import",
                           "FILE --name NAME --abrv ABRV [--year YEAR] [--setup KEY=COLUMN ...]",
                           recordsetImport);
const cli::Command kSelect("recordset select", "ABRV [--fail-standard] [--points N] [--meeting N]",
                           recordsetSelect);
const cli::Command kUpdate("recordset update-from-meeting", "ABRV [--team ABRV] [--meeting N]",
                           recordsetUpdate);
const cli::Command kSet("record set",
                        "SETABRV ITEMCODE PERF --holder SURNAME [--first NAME] [--team TEAM] "
                        "[--date yyyy/mm/dd] | SETABRV ITEMCODE --co --holder ...",
                        recordSet);
const cli::Command kCheck("record check", "ITEMCODE PERF [--wind W] [--athlete N] [--meeting N]",
                          recordCheck);

} // namespace
