// Any bytes as a competitors' file through the reading and the line checks of the CSV
// import: decoding, the delimiter guess, the splitting of lines and every check of a line,
// against a meeting held in memory. They answer or report, and never crash, hang or throw.
// The first input byte picks the setup (age source, items named in cells or crosses in
// the header, bests, numbers, grades); the rest is the file.

#include "base/messages.h"
#include "entries/csvfile.h"
#include "entries/importlinecheck.h"
#include "meeting/itemtypes.h"

#include <cstddef>
#include <cstdint>

namespace {

class NullSink : public base::MessageSink {
public:
    void beep(bool) override {}
    base::Answer show(base::MessageKind, const QString&, const QString&,
                      const QStringList&) override
    {
        return {base::Answer::No};
    }
    base::Answer askText(const QString&, const QString&, const QString&, bool) override
    {
        return {base::Answer::Cancel};
    }
    QString chooseFile(const QString&, const QString&) override { return {}; }
    void progress(const QString&, const QString&, int, int) override {}
    void progressDone() override {}
};

// "Surname,Firstname,Gender,Age,Team,Number,Item,Best,Item,Best" and the other columns.
entries::CsvSetup setupFor(uint8_t choice)
{
    entries::CsvSetup s;
    s.surname = 1;
    s.firstName = 2;
    s.gender = 3;
    s.ageAge = s.ageDate = s.ageYear = s.ageIdNo = 4;
    static const entries::AgeSource sources[] = {
        entries::AgeSource::Age, entries::AgeSource::BirthDate, entries::AgeSource::BirthYear,
        entries::AgeSource::IdNumber};
    s.ageSource = sources[choice % 4];
    s.team = 5;
    s.number = 6;
    s.hasNumber = true;
    s.hasItems = true;
    s.hasBests = (choice & 4) != 0;
    s.itemsInHeader = (choice & 8) != 0;
    s.itemFirst = 7;
    s.itemLast = 10;
    s.birth = 11;
    s.hasBirth = (choice & 16) != 0;
    s.birthFromIdNumber = (choice & 32) != 0;
    s.disabled = 12;
    s.category = 13;
    s.demographic = 14;
    s.hasDemographic = true;
    s.idNumber = s.localSmds = s.worldSmds = 15;
    s.hasIdNumber = s.hasLocalSmds = s.hasWorldSmds = true;
    return s;
}

entries::ImportContext contextFor(uint8_t choice, const meeting::ItemTypes& items,
                                  const entries::ImportItemNames& names)
{
    entries::ImportContext c;
    c.settings.meetingNo = 1;
    c.settings.year = 2026;
    c.settings.ageDescType = (choice & 64) ? 3 : 1;
    c.settings.hasCategories = (choice & 128) != 0;
    c.settings.hasBestBefores = true;
    c.setup = setupFor(choice);
    c.items = &items;
    c.names = &names;
    qint64 eventNo = 0;
    for (const char* code : {"FRE_____50M13W", "FRE____100M13W", "FRE_____50F13W", "BRS____200F17W",
                             "F_R4X50___M99W", "FRE_____50M07W"}) {
        entries::EventRow e;
        e.eventNo = ++eventNo;
        e.itemCode = QString::fromLatin1(code);
        e.gender = e.itemCode.mid(10, 1);
        e.age = e.itemCode.mid(11, 2);
        e.category = QStringLiteral("OPEN");
        c.selected.insert(e.itemCode, e);
    }
    c.categories = {QStringLiteral("OPEN")};
    c.disabilityClasses = {QStringLiteral("S9"), QStringLiteral("SB8")};
    c.numbersInMeeting = {QStringLiteral("12")};
    for (const char* column : {"SURNAME", "FIRSTNAME"})
        c.widths.insert(QString::fromLatin1(column), 25);
    c.widths.insert(QStringLiteral("NUMBER"), 7);
    c.widths.insert(QStringLiteral("ID_NUMBER"), 15);
    c.widths.insert(QStringLiteral("DISABILITY_CLASSES"), 17);
    c.widths.insert(QStringLiteral("LOCAL_SMDS"), 10);
    c.widths.insert(QStringLiteral("WORLD_SMDS"), 10);
    return c;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static NullSink sink;
    static base::Messages messages(sink);
    static const meeting::ItemTypes items(meeting::Edition::Swimming, messages);
    static const entries::ImportItemNames names(meeting::Edition::Swimming);
    if (size == 0)
        return 0;
    const uint8_t choice = data[0];
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    const entries::CsvText text = entries::decodeCsv(bytes);
    if (!text.ok)
        return 0;
    entries::CsvDelimiter delimiter = entries::guessDelimiter(text.lines);
    if (delimiter == entries::CsvDelimiter::Undecided)
        delimiter = entries::CsvDelimiter::Comma;
    const QChar separator = entries::delimiterChar(delimiter);

    entries::ImportContext context = contextFor(choice, items, names);
    entries::ImportReport report;
    QList<QStringList> rows;
    for (const QString& line : text.lines)
        rows.append(entries::splitCsvLine(line, separator));
    // Items named in the header line: the columns that name an item of the meeting.
    if (context.setup.itemsInHeader && !rows.isEmpty()) {
        for (int col = context.setup.itemFirst; col <= context.setup.itemLast; ++col) {
            const QString name = col <= rows.first().size() ? rows.first()[col - 1] : QString();
            if (const auto resolved = names.resolve(name))
                context.headerItems.insert(col, *resolved);
        }
    }
    entries::ImportLineChecker checker(context, report);
    for (int i = 1; i < rows.size(); ++i) {
        const entries::ImportLine line = checker.check(i + 1, rows[i]);
        // A line without an athlete error has what the writer needs.
        if (!line.athleteError &&
            (line.athlete.surname.isEmpty() || line.teamAbbreviation.isEmpty() ||
             line.athlete.gender.isEmpty()))
            __builtin_trap();
    }
    report.text(QStringLiteral("fuzz.csv"));
    return 0;
}
