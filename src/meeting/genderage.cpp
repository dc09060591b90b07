#include "meeting/genderage.h"

#include "base/messages.h"
#include "meeting/datetext.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>

namespace meeting {

namespace {

// Gender codes and their words, matched by position.
const char* const kEnglishCodes = "M;F;T";
const char* const kAfrikaansCodes = "M;F";

QString wordList(const QString& age, int ageDescType, bool afrikaans)
{
    if (age.isEmpty())
        return QString::fromLatin1(afrikaans ? "Manlik;Vroulik" : "Male;Female;TwoGdr");
    if (isAdultAge(age, ageDescType))
        return QString::fromLatin1(afrikaans ? "Mans;Vroue" : "Men;Women;TwoGdr");
    return QString::fromLatin1(afrikaans ? "Seuns;Dogters" : "Boys;Girls;TwoGdr");
}

bool isValidAge(int age)
{
    return age >= kMinimumAge && age <= kMaximumAge;
}

QString mastersDescription(int age, bool afrikaans)
{
    int band = 95;
    while (band > age)
        band -= 5;
    if (band < 30)
        return QString();
    return QString::fromLatin1(afrikaans ? "Meesters " : "Masters ") + QString::number(band);
}

} // namespace

QString ageText(int age)
{
    return QString::number(age).rightJustified(2, QLatin1Char('0'));
}

int seniorAge(int age)
{
    return age >= 26 && age <= 34 ? 25 : age;
}

QString padAge(const QString& age)
{
    return age.size() == 1 ? QLatin1Char('0') + age : age;
}

bool isAdultAge(const QString& age, int ageDescType)
{
    // Ages compare as two-character texts, as they are stored in C_AGE.
    const QString padded = padAge(age);
    return padded >= QLatin1String("17") && (ageDescType != 0 || padded >= QLatin1String("20"));
}

QString genderWord(const QString& gender, const QString& age, int ageDescType, bool afrikaans)
{
    const QStringList codes =
        QString::fromLatin1(afrikaans ? kAfrikaansCodes : kEnglishCodes).split(QLatin1Char(';'));
    const QStringList words = wordList(age, ageDescType, afrikaans).split(QLatin1Char(';'));
    const qsizetype at = codes.indexOf(gender);
    return at >= 0 && at < words.size() ? words[at] : QString();
}

QString ageDescription(base::Messages* messages, const QString& gender, const QString& age,
                       int ageDescType, bool afrikaans)
{
    const QString padded = padAge(age);
    if (padded == QLatin1String("99"))
        return QStringLiteral("MixAge");
    const int years = padded.toInt();
    switch (ageDescType) {
    case 0:
        return padded;
    case kAgeDescGrades:
        return padded < QLatin1String("19") ? ageText(ageToGrade(years)) : padded;
    case 1:
    case 2:
        if ((gender == QLatin1String("M") && padded >= QLatin1String("35")) ||
            (gender == QLatin1String("F") && padded >= QLatin1String("30")))
            return mastersDescription(years, afrikaans);
        if (years == 15 || years == 17 || years == 19 || years == 22)
            return QLatin1Char(afrikaans ? 'O' : 'U') + QString::number(years + 1);
        if (years == 25)
            return QStringLiteral("Senior");
        return padded;
    default:
        if (messages)
            messages->internalError(205301, QStringLiteral("Invalid Age Type: ") +
                                                QString::number(ageDescType));
        return padded;
    }
}

QString genderAgeDescription(base::Messages* messages, const QString& gender, const QString& age,
                             int ageDescType, bool afrikaans)
{
    if ((gender.isEmpty() || age.isEmpty()) && messages)
        messages->internalError(205302, QStringLiteral("Empty gender or age:") + gender +
                                            QLatin1Char(' ') + age);
    return genderWord(gender, age, ageDescType, afrikaans) + QLatin1Char(' ') +
           ageDescription(messages, gender, age, ageDescType, afrikaans);
}

std::optional<int> parseAgeText(const QString& text, const QString& gender)
{
    const QString t = text.trimmed().toUpper();
    if (t == QLatin1String("MIX") || t == QLatin1String("MIXED") || t == QLatin1String("99"))
        return kMixedAge;
    // "17" is 17; "u18", "U/18", "O18" and "o/18" name the age below 18.
    static const QRegularExpression numbered(QStringLiteral("^([UO]/?)?(\\d{1,3})$"));
    if (const auto m = numbered.match(t); m.hasMatch()) {
        const int age = m.captured(2).toInt() - (m.captured(1).isEmpty() ? 0 : 1);
        return isValidAge(age) ? std::optional<int>(age) : std::nullopt;
    }
    static const QHash<QString, int> categories{{"SENIOR", 25}, {"SENIORS", 25}, {"OPEN", 25}};
    if (const auto it = categories.find(t); it != categories.end())
        return *it;
    // The masters words count only with the athlete's own gender letter in front.
    static const QHash<QString, int> masters{
        {"FSUBVETERAN", 30}, {"FVETERAN", 35}, {"FMASTER", 45}, {"FGRANDMASTER", 55},
        {"MSUBVETERAN", 35}, {"MVETERAN", 40}, {"MMASTER", 50}, {"MGRANDMASTER", 60},
    };
    const QString g = gender.trimmed().toUpper();
    if (g.size() == 1)
        if (const auto it = masters.find(g + t); it != masters.end())
            return *it;
    static const QRegularExpression range(QStringLiteral("^(\\d{1,2})\\s*-\\s*(\\d{1,2})$"));
    if (const auto r = range.match(t); r.hasMatch() && isValidAge(r.captured(1).toInt()))
        return r.captured(1).toInt();
    return std::nullopt;
}

QString ageParseHelp()
{
    return QStringLiteral("The age is not case sensitive.\r"
                          "It must be a number.  It can optionally be prefixed\r"
                          "with a \"u\", \"u/\", \"o\" or \"o/\" in front.\r"
                          "Examples of Valid formats : 17, u18, U/18, O18, o/18\r"
                          "All five will be converted to the age 17\r"
                          "\r"
                          "Masters ages:\r"
                          "Female = 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95\r"
                          "Male   =     35, 40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95");
}

IdBirthDate birthDateFromIdNumber(const QString& idNumber, int thisYear)
{
    IdBirthDate result;
    const QString id = idNumber.trimmed();
    if (id.isEmpty()) {
        result.message = QStringLiteral("ID is Empty");
        return result;
    }
    const QString six = id.left(6);
    static const QRegularExpression digits(QStringLiteral("^\\d{6}$"));
    if (!digits.match(six).hasMatch()) {
        result.message = QStringLiteral("Id must be 6 digits: ") + six;
        return result;
    }
    const int yy = six.left(2).toInt();
    const int mm = six.mid(2, 2).toInt();
    const int dd = six.mid(4, 2).toInt();
    if (mm < 1 || mm > 12 || dd < 1 || dd > 31) {
        result.message = QStringLiteral("The limits for year/month/day is from 1->99, 1->12, "
                                        "1->31\r") +
                         six;
        return result;
    }
    const int year = thisYear > 0 ? thisYear : QDate::currentDate().year();
    int century = year / 100;
    // Numbers less than five years old (or from the future) belong to the last century.
    if ((year - 100 * century) - yy < 5)
        --century;
    const QDate date(century * 100 + yy, mm, dd);
    if (!date.isValid()) {
        result.message = QStringLiteral("Getting the year failed: ") + id;
        return result;
    }
    result.ok = true;
    result.date = dateText(date);
    return result;
}

QString checkEnteredAge(const QString& text, bool grades)
{
    const QString name = grades ? QStringLiteral("Grade") : QStringLiteral("Age");
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QStringLiteral("You have to enter the ") + name;
    bool numeric = false;
    const int value = t.toInt(&numeric);
    if (!numeric)
        return QStringLiteral("The ") + name + QStringLiteral(" must be numeric");
    if (grades && (value < 1 || value > kMaximumGrade))
        return QStringLiteral("The Grade must be between 1 and ") + QString::number(kMaximumGrade);
    if (!grades && !isValidAge(value))
        return QStringLiteral("The age must be between ") + QString::number(kMinimumAge) +
               QStringLiteral(" and ") + QString::number(kMaximumAge);
    return QString();
}

bool checkAgeAndBirthDate(base::Messages& messages, const QString& birthDate,
                          const QString& ageOrGrade, bool grades, int meetingYear,
                          const QDate& today)
{
    if (birthDate.trimmed().isEmpty())
        return true;
    const QDate born = dateFromText(birthDate.trimmed());
    if (!born.isValid()) {
        messages.warning(QStringLiteral("Invalid birthdate"));
        return false;
    }
    bool numeric = false;
    const int value = ageOrGrade.trimmed().toInt(&numeric);
    if (!numeric) {
        messages.warning(QStringLiteral("Invalid age: it must be a number"));
        return false;
    }
    const int ageToday = today.year() - born.year();
    if (ageToday < 4 || ageToday > kMaximumAge) {
        if (!messages.confirm(QStringLiteral("The date does not give an age between 4 and ") +
                              QString::number(kMaximumAge) + QStringLiteral(".\rAccept anyway")))
            return false;
    }
    const int age = grades ? gradeToAge(value) : value;
    const QDate first(meetingYear - age, 1, 1);
    const QDate last(meetingYear - age, 12, 31);
    if (born >= first && born <= last)
        return true;
    return messages.confirm(QStringLiteral("The age does not correspond to the birthday.\rFor ") +
                            (grades ? QStringLiteral("Grade ") : QStringLiteral("Age ")) +
                            ageOrGrade.trimmed() + QStringLiteral(" the birthdate ( ") +
                            birthDate.trimmed() + QStringLiteral(" ) must be between\r") +
                            dateText(first) + QStringLiteral(" and ") + dateText(last) +
                            QStringLiteral("\rAccept anyway"));
}

} // namespace meeting
