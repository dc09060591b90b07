#include "entries/importlinecheck.h"

#include "base/messages.h"
#include "entries/disabilityclasses.h"
#include "meeting/datetext.h"
#include "meeting/genderage.h"
#include "meeting/itemtypes.h"

#include <QRegularExpression>

namespace entries {

namespace {

const QHash<QString, QString> kDemographics{
    {"B", "B"},     {"C", "C"},        {"I", "I"},      {"W", "W"},
    {"BLACK", "B"}, {"COLOURED", "C"}, {"INDIAN", "I"}, {"WHITE", "W"},
};

bool allDigits(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("^\\d+$"));
    return digits.match(text).hasMatch();
}

bool isCross(const QString& text)
{
    return text.compare(QLatin1String("X"), Qt::CaseInsensitive) == 0;
}

} // namespace

ImportLineChecker::ImportLineChecker(const ImportContext& context, ImportReport& report)
    : m_ctx(context), m_report(report)
{
}

QString ImportLineChecker::cell(int column) const
{
    return column > 0 && column <= m_cells.size() ? m_cells[column - 1].trimmed() : QString();
}

void ImportLineChecker::athleteError(const QString& text)
{
    m_athleteError = true;
    m_report.add(m_line, ImportFinding::AthleteError, text);
}

void ImportLineChecker::warning(const QString& text)
{
    m_report.add(m_line, ImportFinding::Warning, text);
}

void ImportLineChecker::itemError(const QString& text)
{
    m_report.add(m_line, ImportFinding::ItemError, text);
}

QString ImportLineChecker::chopped(const QString& value, const QString& column,
                                   const QString& label)
{
    const int width = m_ctx.widths.value(column, 0);
    if (width <= 0 || value.size() <= width)
        return value;
    const QString cut = value.left(width);
    warning(label + QStringLiteral(" ") + value + QStringLiteral(" longer than ") +
            QString::number(width) + QStringLiteral(", chopped to ") + cut);
    return cut;
}

// Texts that are composed into lists and numbers: no quotes, no commas.
QString ImportLineChecker::plainText(int column, const QString& column_, const QString& label)
{
    const QString value = cell(column);
    if (value.contains(QLatin1Char('"')) || value.contains(QLatin1Char('\'')) ||
        value.contains(QLatin1Char(','))) {
        athleteError(label + QStringLiteral(" ") + value +
                     QStringLiteral(": \" or ' or , not allowed"));
        return {};
    }
    return chopped(value, column_, label);
}

std::optional<int> ImportLineChecker::age(const QString& gender)
{
    const CsvSetup& s = m_ctx.setup;
    const int year = m_ctx.settings.year;
    const QString v = cell(s.ageColumn());
    auto inRange = [this, &v](int age) -> std::optional<int> {
        if ((age >= meeting::kMinimumAge && age <= meeting::kMaximumAge) ||
            age == meeting::kMixedAge)
            return age;
        athleteError(QStringLiteral("Invalid Age (") + v + QLatin1Char(')'));
        return std::nullopt;
    };
    switch (s.ageSource) {
    case AgeSource::Age: {
        if (v.isEmpty()) {
            athleteError(QStringLiteral("Empty Age (col ") + QString::number(s.ageAge) +
                         QLatin1Char(')'));
            return std::nullopt;
        }
        // A grade is a grade before it is an age: grade 1 is the age 7.
        if (m_ctx.settings.grades() && allDigits(v) && v.toInt() != meeting::kMixedAge) {
            const int grade = v.toInt();
            if (grade < 1 || grade > meeting::kMaximumGrade) {
                athleteError(QStringLiteral("Invalid Age (") + v + QLatin1Char(')'));
                return std::nullopt;
            }
            return inRange(meeting::gradeToAge(grade));
        }
        auto parsed = meeting::parseAgeText(v, gender);
        if (!parsed) {
            athleteError(QStringLiteral("Invalid Age (") + v + QLatin1Char(')'));
            return std::nullopt;
        }
        if (m_ctx.settings.grades() && *parsed != meeting::kMixedAge)
            parsed = meeting::gradeToAge(*parsed);
        // A masters band ("25-29") names a masters age; women's masters start at 30.
        if (gender == QLatin1String("F") && v.contains(QLatin1Char('-')) && *parsed < 30) {
            athleteError(QStringLiteral("ONLY Female Masters starts at 30: ") + v);
            return std::nullopt;
        }
        return inRange(*parsed);
    }
    case AgeSource::BirthDate: {
        if (!meeting::isValidDateText(v)) {
            athleteError(QStringLiteral("Age: Date wrong: ") + v);
            return std::nullopt;
        }
        return inRange(year - v.left(4).toInt());
    }
    case AgeSource::BirthYear: {
        if (v.isEmpty()) {
            athleteError(QStringLiteral("Age: Empty Year"));
            return std::nullopt;
        }
        if (v.size() != 4 || !allDigits(v)) {
            athleteError(QStringLiteral("Age: Year wrong: ") + v);
            return std::nullopt;
        }
        return inRange(year - v.toInt());
    }
    case AgeSource::IdNumber: {
        if (v.isEmpty()) {
            athleteError(QStringLiteral("Age: Empty IdNumber"));
            return std::nullopt;
        }
        if (!allDigits(v)) {
            athleteError(QStringLiteral("Age: IdNumber must be digits: ") + v);
            return std::nullopt;
        }
        if (v.size() != 13) {
            athleteError(QStringLiteral("Age: IdNumber must be 13 characters long: ") + v);
            return std::nullopt;
        }
        const meeting::IdBirthDate born = meeting::birthDateFromIdNumber(v);
        if (!born.ok) {
            athleteError(QStringLiteral("Age: IdNumber wrong: ") + v);
            return std::nullopt;
        }
        return inRange(year - born.date.left(4).toInt());
    }
    case AgeSource::None:
        break;
    }
    return std::nullopt;
}

void ImportLineChecker::birthDate(AthleteRow& a)
{
    const CsvSetup& s = m_ctx.setup;
    if (!s.hasBirth || s.birth <= 0)
        return;
    const QString v = cell(s.birth);
    if (v.isEmpty()) {
        warning(QStringLiteral("Empty Birthday"));
        return;
    }
    if (s.birthFromIdNumber) {
        if (!allDigits(v)) {
            athleteError(QStringLiteral("Birthdate: IdNumber must be digits: ") + v);
            return;
        }
        const meeting::IdBirthDate born = meeting::birthDateFromIdNumber(v);
        if (!born.ok) {
            athleteError(QStringLiteral("Invalid Birthdate from Id:") + v);
            return;
        }
        a.birthDate = born.date;
        return;
    }
    if (!meeting::isValidDateText(v)) {
        athleteError(QStringLiteral("Invalid Birthday:") + v);
        return;
    }
    a.birthDate = v;
}

void ImportLineChecker::codes(AthleteRow& a)
{
    const CsvSetup& s = m_ctx.setup;
    if (s.hasDemographic && s.demographic > 0) {
        const QString v = cell(s.demographic).toUpper();
        if (v.isEmpty())
            athleteError(QStringLiteral("Empty Demographic"));
        else if (!kDemographics.contains(v))
            athleteError(QStringLiteral("Invalid Demographic: ") + v);
        else
            a.demographic = kDemographics.value(v);
    }
    if (s.category > 0) {
        const QString v = cell(s.category);
        if (!m_ctx.settings.hasCategories) {
            if (!v.isEmpty())
                warning(QStringLiteral("Athlete Category should be empty: ") + v);
        } else if (v.isEmpty()) {
            athleteError(QStringLiteral("Category empty"));
        } else if (!m_ctx.categories.contains(v.toUpper())) {
            athleteError(QStringLiteral("The Category \"") + v +
                         QStringLiteral("\" is not a Category of the Meeting (see the "
                                        "Categories under \"Settings: Describe Items\")"));
        } else {
            a.category = v.toUpper();
        }
    } else if (m_ctx.settings.hasCategories && !a.isRelayTeam()) {
        athleteError(QStringLiteral("Category empty"));
    }
    if (s.disabled > 0) {
        const QString v = cell(s.disabled);
        const DisabilityClasses read = readDisabilityClasses(
            m_ctx.items->edition(), v, m_ctx.widths.value(QStringLiteral("DISABILITY_CLASSES")));
        if (v.isEmpty()) {
            athleteError(QStringLiteral("Empty Disability Class"));
        } else if (!read.ok) {
            athleteError(read.refusal);
        } else {
            a.disabilityClasses = read.text;
            for (const QString& c : read.classes) {
                if (!m_ctx.disabilityClasses.contains(c))
                    athleteError(QStringLiteral("No Item of the Meeting for Disability Class: ") +
                                 c);
            }
        }
    }
    if (s.hasIdNumber && s.idNumber > 0)
        a.idNumber =
            plainText(s.idNumber, QStringLiteral("ID_NUMBER"), QStringLiteral("ID-number"));
    if (s.hasLocalSmds && s.localSmds > 0)
        a.localSmds =
            plainText(s.localSmds, QStringLiteral("LOCAL_SMDS"), QStringLiteral("Local Smds"));
    if (s.hasWorldSmds && s.worldSmds > 0)
        a.worldSmds =
            plainText(s.worldSmds, QStringLiteral("WORLD_SMDS"), QStringLiteral("World Smds"));
}

void ImportLineChecker::number(AthleteRow& a)
{
    const CsvSetup& s = m_ctx.setup;
    if (!s.hasNumber || s.number <= 0)
        return;
    const QString v = cell(s.number).toUpper();
    if (v.contains(QLatin1Char('"')) || v.contains(QLatin1Char('\'')) ||
        v.contains(QLatin1Char(','))) {
        athleteError(QStringLiteral("Number ") + v + QStringLiteral(": \" or ' or , not allowed"));
        return;
    }
    if (v.isEmpty() || v == QLatin1String("0"))
        return;
    const int width = m_ctx.widths.value(QStringLiteral("NUMBER"), 7);
    if (v.size() > width) {
        ++m_tooLong;
        warning(QStringLiteral("Number ") + v + QStringLiteral(" longer than ") +
                QString::number(width) + QStringLiteral(": not imported"));
        return;
    }
    if (const auto first = m_numbersSeen.constFind(v); first != m_numbersSeen.constEnd()) {
        ++m_repeated;
        warning(QStringLiteral("Number ") + v + QStringLiteral(" dups in lines ") +
                QString::number(*first) + QStringLiteral(" and ") + QString::number(m_line) +
                QStringLiteral(": not imported"));
        return;
    }
    m_numbersSeen.insert(v, m_line);
    if (m_ctx.numbersInMeeting.contains(v)) {
        ++m_inMeeting;
        warning(QStringLiteral("Number ") + v +
                QStringLiteral(" already exists in the meeting: not imported"));
        return;
    }
    a.number = v;
}

void ImportLineChecker::addItem(ImportLine& line, const QString& name, int column,
                                const QString& best)
{
    const AthleteRow& a = line.athlete;
    std::optional<ImportItemNames::Resolved> resolved;
    if (m_ctx.setup.itemsInHeader)
        resolved = m_ctx.headerItems.value(column);
    else
        resolved = m_ctx.names->resolve(name);
    if (!resolved || resolved->code.isEmpty()) {
        itemError(QStringLiteral("Invalid Item: ") + name);
        return;
    }
    const meeting::ItemTypes& items = *m_ctx.items;
    const bool relayItem = items.IsRelayGroup(resolved->code.left(3));
    if (line.relay && !relayItem) {
        itemError(QStringLiteral("A RelayTeam can only participate in Relays: ") + name);
        return;
    }
    if (!line.relay && relayItem) {
        itemError(QStringLiteral("Only a RelayTeam can participate in Relays: ") + name);
        return;
    }
    // An item is chosen by the swimmer's gender; with a gender that is neither M nor F the
    // line already has its "Invalid Gender: " and there is no item to look for.
    if (a.gender != QLatin1String("M") && a.gender != QLatin1String("F"))
        return;
    QString code =
        resolved->whole ? resolved->code : m_ctx.names->itemCode(resolved->code, a.gender, a.age);
    const QString itemGender = code.mid(10, 1);
    if (itemGender != a.gender && itemGender != QLatin1String("T")) {
        itemError(QStringLiteral("Invalid Gender for Item: ") + code);
        return;
    }
    const int itemAge = code.mid(11, 2).toInt();
    if (itemAge != a.age && !(line.relay && itemAge == meeting::kMixedAge)) {
        const bool defaults =
            m_ctx.settings.doAgeDefaulting &&
            m_ctx.ages.defaultAge(m_ctx.items->messages(), a.gender, a.age) == itemAge;
        if (!defaults) {
            itemError(QStringLiteral("Invalid Age for Item: ") + code);
            return;
        }
    }
    if (!m_ctx.selected.contains(code) && itemAge == a.age && m_ctx.settings.doAgeDefaulting) {
        const int defaulted = m_ctx.ages.defaultAge(m_ctx.items->messages(), a.gender, a.age);
        const QString other =
            code.left(11) + QString::number(defaulted).rightJustified(2, '0') + code.mid(13);
        if (defaulted != a.age && m_ctx.selected.contains(other)) {
            warning(QStringLiteral("Item was defaulted from ") + code + QStringLiteral(" to ") +
                    other);
            code = other;
        }
    }
    if (!m_ctx.selected.contains(code) && line.relay) {
        const QString mixed = code.left(11) + QStringLiteral("99") + code.mid(13);
        if (m_ctx.selected.contains(mixed)) {
            warning(code + QStringLiteral(" defaulted to MixedAge"));
            code = mixed;
        }
    }
    if (!m_ctx.selected.contains(code)) {
        itemError(QStringLiteral("Item not selected: ") + code);
        return;
    }
    const EventRow& ev = m_ctx.selected[code];
    if (m_ctx.settings.hasCategories && !line.relay && ev.category.toUpper() != a.category) {
        itemError(QStringLiteral("Item not selected: ") + code + QStringLiteral(" for Category ") +
                  a.category);
        return;
    }
    for (const ImportEntry& e : line.entries) {
        if (e.eventNo == ev.eventNo) {
            itemError(QStringLiteral("Duplicate Participation: ") + code);
            return;
        }
    }
    ImportEntry entry{ev.eventNo, code, {}};
    if (m_ctx.setup.hasBests && !best.isEmpty()) {
        const BestPerformance bp = readBestPerformance(items, code, best);
        if (!bp.ok) {
            // Some refusals name the typed text already; the others get it in brackets.
            itemError(bp.refusal.contains(best)
                          ? bp.refusal
                          : bp.refusal + QStringLiteral(" (") + best + QStringLiteral(")"));
        } else {
            if (bp.repaired)
                warning(QStringLiteral("Tried to fix BestBefore ") + best + QStringLiteral(" to ") +
                        bp.text);
            entry.best = bp.text;
        }
    }
    line.entries.append(entry);
}

void ImportLineChecker::items(ImportLine& line)
{
    const CsvSetup& s = m_ctx.setup;
    if (!s.hasItems)
        return;
    const int step = s.hasBests ? 2 : 1;
    for (int column = s.itemFirst; column <= s.itemLast; column += step) {
        const QString v = cell(column);
        if (v.isEmpty())
            continue;
        if (s.itemsInHeader && !isCross(v)) {
            itemError(QStringLiteral("Not a cross in col ") + QString::number(column) +
                      QStringLiteral(": ") + v);
            continue;
        }
        addItem(line, v, column, s.hasBests ? cell(column + 1) : QString());
    }
}

ImportLine ImportLineChecker::check(int lineNo, const QStringList& cells)
{
    m_cells = cells;
    m_line = lineNo;
    m_athleteError = false;
    const CsvSetup& s = m_ctx.setup;
    ImportLine line;
    line.lineNo = lineNo;
    AthleteRow& a = line.athlete;
    a.surname = cell(s.surname);
    if (a.surname.isEmpty())
        athleteError(QStringLiteral("Surname Empty"));
    line.relay = a.surname.toUpper() == kRelayTeamSurname;
    if (line.relay)
        a.surname = kRelayTeamSurname;
    a.surname = chopped(a.surname, QStringLiteral("SURNAME"), QStringLiteral("Surname"));
    a.firstName =
        chopped(cell(s.firstName), QStringLiteral("FIRSTNAME"), QStringLiteral("Firstname"));
    line.teamAbbreviation = s.oneTeam ? s.oneTeamAbbreviation.trimmed() : cell(s.team);
    if (line.teamAbbreviation.isEmpty()) {
        athleteError(QStringLiteral("Team empty"));
    } else if (line.teamAbbreviation.size() > m_ctx.teamWidth) {
        const QString cut = line.teamAbbreviation.left(m_ctx.teamWidth);
        warning(QStringLiteral("Team ") + line.teamAbbreviation + QStringLiteral(" longer than ") +
                QString::number(m_ctx.teamWidth) + QStringLiteral(", chopped to ") + cut);
        line.teamAbbreviation = cut;
    }
    a.gender = cell(s.gender).toUpper();
    if (a.gender.isEmpty())
        athleteError(QStringLiteral("Empty gender: ") + QString::number(s.gender));
    else if (a.gender != QLatin1String("M") && a.gender != QLatin1String("F"))
        athleteError(QStringLiteral("Invalid Gender: ") + a.gender);
    if (const auto parsed = age(a.gender))
        a.age = *parsed;
    if (!line.relay) {
        birthDate(a);
        codes(a);
        number(a);
    }
    // The items are checked too, so that one report shows everything that is wrong.
    items(line);
    line.athleteError = m_athleteError;
    return line;
}

} // namespace entries
