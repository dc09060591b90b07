#include "records/recordimport.h"

#include "base/configstore.h"
#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "entries/csvfile.h"
#include "meeting/datetext.h"
#include "meeting/itemtypes.h"
#include "records/records.h"

namespace records {

namespace {

struct SetupColumn {
    const char* storeKey;
    const char* shortName;
    const char* title;
    int RecordCsvSetup::*column;
};

const SetupColumn kColumns[] = {
    {"CSV_REC_COLMNO_SURNAME", "SURNAME", "Surname", &RecordCsvSetup::surname},
    {"CSV_REC_COLMNO_FIRSTNAME", "FIRSTNAME", "Firstname", &RecordCsvSetup::firstName},
    {"CSV_REC_COLMNO_TEAM", "TEAM", "Team", &RecordCsvSetup::team},
    {"CSV_REC_COLMNO_GENDER", "GENDER", "Gender", &RecordCsvSetup::gender},
    {"CSV_REC_COLMNO_AGE", "AGE", "Age", &RecordCsvSetup::age},
    {"CSV_REC_COLMNO_ITEM", "ITEM", "Item", &RecordCsvSetup::item},
    {"CSV_REC_COLMNO_DATE", "DATE", "Date", &RecordCsvSetup::date},
    {"CSV_REC_COLMNO_RECORD", "RECORD", "Record", &RecordCsvSetup::record},
    {"CSV_REC_COLMNO_DSB_CLASS", "CLASS", "Class", &RecordCsvSetup::dsbClass},
};
const QString kHeaderKey = QStringLiteral("CSV_REC_HAS_HEADER");

} // namespace

void RecordCsvSetup::load(const base::ConfigStore& store)
{
    for (const SetupColumn& c : kColumns)
        this->*c.column = store.readInt(QLatin1String(c.storeKey));
    hasHeaderLine = !store.exists(kHeaderKey) || store.readBool(kHeaderKey);
}

void RecordCsvSetup::save(base::ConfigStore& store) const
{
    for (const SetupColumn& c : kColumns)
        store.writeInt(QLatin1String(c.storeKey), this->*c.column);
    store.writeBool(kHeaderKey, hasHeaderLine);
}

bool RecordCsvSetup::set(const QString& key, const QString& value)
{
    bool numeric = false;
    const int number = value.trimmed().toInt(&numeric);
    if (!numeric || number < 0)
        return false;
    if (key.compare(QLatin1String("HEADER"), Qt::CaseInsensitive) == 0) {
        hasHeaderLine = number != 0;
        return true;
    }
    for (const SetupColumn& c : kColumns) {
        if (key.compare(QLatin1String(c.shortName), Qt::CaseInsensitive) == 0 ||
            key.compare(QLatin1String(c.storeKey), Qt::CaseInsensitive) == 0) {
            this->*c.column = number;
            return true;
        }
    }
    return false;
}

QList<std::pair<QString, int>> RecordCsvSetup::namedColumns() const
{
    QList<std::pair<QString, int>> named;
    for (const SetupColumn& c : kColumns)
        named.append({QLatin1String(c.title), this->*c.column});
    return named;
}

QString RecordCsvSetup::refusal() const
{
    for (const SetupColumn& c : kColumns) {
        const bool needed = c.column == &RecordCsvSetup::item ||
                            c.column == &RecordCsvSetup::gender ||
                            c.column == &RecordCsvSetup::age || c.column == &RecordCsvSetup::record;
        if (needed && this->*c.column <= 0)
            return QStringLiteral("The column of \"") + QLatin1String(c.title) +
                   QStringLiteral("\" is not set");
    }
    return QString();
}

RecordImport::RecordImport(db::DmdCoreDbs& database, const meeting::ItemTypes& items)
    : m_db(database), m_items(items)
{
}

QString RecordImport::performanceHelp()
{
    return QStringLiteral("Field Performances must be in meters.\rTrack performances must be in "
                          "hours:minutes:seconds.decimals.");
}

RecordFileLine RecordImport::readLine(int lineNo, const QStringList& cells,
                                      const RecordCsvSetup& setup) const
{
    RecordFileLine line;
    line.lineNo = lineNo;
    auto cell = [&](int column) {
        return column > 0 ? cells.value(column - 1).trimmed() : QString();
    };
    int lastColumn = 0;
    for (const auto& [title, column] : setup.namedColumns())
        lastColumn = std::max(lastColumn, column);
    if (cells.size() < lastColumn) {
        line.error = QStringLiteral("Missing columns: ") + QString::number(cells.size()) +
                     QStringLiteral(" of ") + QString::number(lastColumn);
        return line;
    }
    for (const QString& c : cells) {
        if (c.contains(QLatin1Char('"')) || c.contains(QLatin1Char(','))) {
            line.error = QStringLiteral("A quote or comma inside a field: ") + c;
            return line;
        }
    }
    const QString item = cell(setup.item).toUpper();
    const QString gender = cell(setup.gender).toUpper();
    const QString age = cell(setup.age);
    const QString dsbClass = cell(setup.dsbClass);
    if (item.isEmpty()) {
        line.error = QStringLiteral("Empty Item");
        return line;
    }
    if (gender != QLatin1String("M") && gender != QLatin1String("F") &&
        gender != QLatin1String("X")) {
        line.error = QStringLiteral("Invalid Gender: ") + gender;
        return line;
    }
    bool numeric = false;
    const int ageValue = age.toInt(&numeric);
    if (!numeric || ageValue < 1 || ageValue > 99) {
        line.error = QStringLiteral("Invalid Age: ") + age;
        return line;
    }
    // The item column holds the group and type (the first ten characters of a code).
    // A distance may be written without its padding ("FRE100" for "FRE____100").
    const QString group = item.left(3);
    QString type = item.mid(3);
    bool isDistance = false;
    QString(type).remove(QLatin1Char('_')).toInt(&isDistance);
    type = isDistance ? QString(type).remove(QLatin1Char('_')).rightJustified(7, QLatin1Char('_'))
                      : type.leftJustified(7, QLatin1Char('_'));
    // A named type may be written in any case ("HIGH", "high"): it takes its own spelling.
    type = m_items.CanonicalItemCode(group + type).mid(3, 7);
    const QStringList groups = m_items.ItemGroups(false).split(QLatin1Char(';'));
    bool known = false;
    for (qsizetype i = 0; i + 1 < groups.size(); i += 2)
        known = known || groups[i] == group;
    if (known) {
        const QStringList types = m_items.ZItemSubTypes(group, false).split(QLatin1Char(';'));
        known = false;
        for (qsizetype i = 0; i + 1 < types.size(); i += 2)
            known = known || types[i] == type;
    }
    if (!known || item.size() > 10) {
        line.error = QStringLiteral("Invalid Itemcode: ") + item;
        return line;
    }
    QString code =
        group + type + gender + QStringLiteral("%1").arg(ageValue, 2, 10, QLatin1Char('0'));
    if (m_items.isSwimming())
        code += QLatin1Char('W');
    if (!dsbClass.isEmpty()) {
        if (m_items.isSwimming() || dsbClass.size() > 5) {
            line.error = QStringLiteral("Invalid Athlete Class for Item: ") + dsbClass;
            return line;
        }
        code += QLatin1Char('X') + dsbClass;
    }
    if (code.size() > 26) {
        line.error = QStringLiteral("Itemcode too long for field: ") + code;
        return line;
    }
    const QString typed = meeting::ItemTypes::FixDecimalComma(cell(setup.record));
    if (typed.isEmpty() || meeting::ItemTypes::PerfIsBlank(typed)) {
        line.error = QStringLiteral("Empty Record");
        return line;
    }
    const auto value =
        meeting::ItemTypes::PerfLooksValid(typed) ? m_items.PerfTextToValue(typed) : std::nullopt;
    const QString canonical = value ? m_items.PerfValueToText(code, *value, false) : QString();
    if (canonical.isEmpty() || !m_items.CheckPerfFormat(code, canonical, false)) {
        line.error = QStringLiteral("Invalid Record: ") + typed;
        return line;
    }
    line.date = cell(setup.date);
    if (!line.date.isEmpty() && !meeting::isValidDateText(line.date)) {
        line.error = QStringLiteral("Expected date formmat yyyy/mm/dd: ") + line.date;
        return line;
    }
    line.itemCode = code;
    line.record = canonical;
    line.surname = cell(setup.surname);
    line.firstName = cell(setup.firstName);
    line.team = cell(setup.team);
    return line;
}

QList<RecordFileLine> RecordImport::readLines(const QStringList& lines,
                                              const RecordCsvSetup& setup) const
{
    const QChar delimiter = entries::delimiterChar(entries::guessDelimiter(lines));
    QList<RecordFileLine> read;
    for (qsizetype i = setup.hasHeaderLine ? 1 : 0; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty())
            continue;
        read.append(readLine(int(i + 1), entries::splitCsvLine(lines[i], delimiter), setup));
    }
    return read;
}

qint64 RecordImport::importFile(const QString& path, const RecordSetValues& newSet,
                                const RecordCsvSetup& setup)
{
    base::Messages& messages = m_db.messages();
    if (const QString why = setup.refusal(); !why.isEmpty()) {
        messages.warning(why);
        return 0;
    }
    RecordSets sets(m_db);
    if (const QString why = sets.refusal(newSet); !why.isEmpty()) {
        messages.warning(why);
        return 0;
    }
    const entries::CsvText text = entries::readCsvFile(path);
    if (!text.ok) {
        messages.warning(text.refusal);
        return 0;
    }
    const QList<RecordFileLine> lines = readLines(text.lines, setup);
    QStringList errors;
    int good = 0;
    for (const RecordFileLine& line : lines) {
        if (line.error.isEmpty())
            ++good;
        else
            errors.append(QStringLiteral("Line ") + QString::number(line.lineNo) +
                          QStringLiteral(": ") + line.error);
    }
    if (good == 0) {
        messages.warning(QStringLiteral("There are no records to import.") +
                         (errors.isEmpty()
                              ? QString()
                              : QStringLiteral("\r\r") + errors.join(QLatin1Char('\r'))));
        return 0;
    }
    if (!errors.isEmpty() &&
        !messages.confirm(QStringLiteral("The following lines had errors, and will not be "
                                         "imported.\r") +
                          errors.join(QLatin1Char('\r')) +
                          QStringLiteral("\r\rContinue to import anyway")))
        return 0;

    const qint64 setNo = m_db.nextKeyNumber();
    if (setNo <= 0 || !m_db.startBatch())
        return 0;
    const QString year = newSet.year.trimmed();
    bool ok = m_db.batchExecute(
        QStringLiteral("insert into RECORDSET (RECORDSETNO, NAME, ABRV, THE_YEAR) values (") +
        db::sqlInt(setNo) + ", " + db::quoted(newSet.name.trimmed()) + ", " +
        db::quoted(newSet.abbreviation.trimmed()) + ", " +
        (year.isEmpty() ? QStringLiteral("null") : db::sqlInt(year.toInt())) + ")");
    Records records(m_db, m_items);
    QStringList imported;
    for (const RecordFileLine& line : lines) {
        if (!ok)
            break;
        if (!line.error.isEmpty())
            continue;
        const int holderType = imported.contains(line.itemCode) ? CoHolder : MainHolder;
        imported.append(line.itemCode);
        const qint64 no = m_db.nextKeyNumber();
        ok = no > 0 && m_db.batchExecute(
                           records.insertSql(no, setNo, line.itemCode, holderType, line.record,
                                             {line.surname, line.firstName, line.team, line.date}));
    }
    if (!ok) {
        m_db.rollbackBatch();
        return 0;
    }
    if (!m_db.commitBatch())
        return 0;
    messages.information(QStringLiteral("Done: Records imported"));
    return setNo;
}

} // namespace records
