#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace base {
class Messages;
}

// Genders, ages and grades: the one-character gender codes ("M", "F", "T"), the
// two-character age texts ("08", "17", "99" for mixed ages), the words and descriptions
// of both in English and Afrikaans, and the readings of ages and birth dates from
// outside text.
namespace meeting {

inline constexpr int kMinimumAge = 2;
inline constexpr int kMaximumAge = 95;
inline constexpr int kMixedAge = 99;
inline constexpr int kMaximumGrade = 89;
// AGE_DESC_TYPE of a meeting that works in school grades.
inline constexpr int kAgeDescGrades = 3;

// An age as its two-character text: a leading "0" below 10.
QString ageText(int age);
// The age group an athlete competes in where the items are open (senior) ones: ages 26 to
// 34 run in the "25" items; masters (35 and over) and the young keep their own age.
int seniorAge(int age);
// A one-character age text gets its leading "0"; longer texts are kept.
QString padAge(const QString& age);

// True when the age text counts as adult for the gender words.
bool isAdultAge(const QString& age, int ageDescType);
// The word of a gender code: "Boys", "Women", "Manlik" ... An empty age picks the plain
// words (Male/Female); a code the language lacks gives the empty text.
QString genderWord(const QString& gender, const QString& age, int ageDescType, bool afrikaans);

// How an age is written for the meeting's AGE_DESC_TYPE: "15", "U16", "Masters 45",
// "MixAge", or the grade.
QString ageDescription(base::Messages* messages, const QString& gender, const QString& age,
                       int ageDescType, bool afrikaans);
// The gender word, a blank and the age description ("Girls U16").
QString genderAgeDescription(base::Messages* messages, const QString& gender, const QString& age,
                             int ageDescType, bool afrikaans);

// An age read from imported text: a number, "u18", "O/18", "MIXED", "Senior", the masters
// words of the gender ("VETERAN") or a range "55-59". Nothing when the text is no age.
std::optional<int> parseAgeText(const QString& text, const QString& gender = QString());
// The rules of parseAgeText as shown beside an import.
QString ageParseHelp();

struct IdBirthDate {
    bool ok = false;
    QString date;    // "yyyy/MM/dd"
    QString message; // why it failed
};
// The birth date in the first six digits (YYMMDD) of an identity number; the century is
// chosen by `thisYear` (today's year when 0).
IdBirthDate birthDateFromIdNumber(const QString& idNumber, int thisYear = 0);

// An entered age or grade: empty text when it is acceptable, else the message.
QString checkEnteredAge(const QString& text, bool grades);

// Whether a birth date fits an age (or grade) at a meeting held in `meetingYear`; asks
// "Accept anyway" where the rules allow it. `today` decides the plausibility check.
bool checkAgeAndBirthDate(base::Messages& messages, const QString& birthDate,
                          const QString& ageOrGrade, bool grades, int meetingYear,
                          const QDate& today = QDate::currentDate());

// Grades: a grade G is the age G + 6; an age below 19 is shown as its grade.
inline int gradeToAge(int grade)
{
    return grade + 6;
}
inline int ageToGrade(int age)
{
    return age - 6;
}

} // namespace meeting
