#pragma once

#include <QDate>
#include <QString>

// Dates are stored as text "yyyy/MM/dd" everywhere in the database.
namespace meeting {

inline constexpr const char* kDateFormat = "yyyy/MM/dd";

// The date of a "yyyy/MM/dd" text; invalid unless the text has exactly that shape and
// names a real day.
QDate dateFromText(const QString& text);
inline bool isValidDateText(const QString& text)
{
    return dateFromText(text).isValid();
}
QString dateText(const QDate& date);
// What a date written with other regional settings most likely means: year first with
// "-" or ".", or day first with ".", "-" or "/" ("14.03.2025" is 2025/03/14). Invalid
// when the text is none of these; the date editor then starts from today.
QDate guessDateFromText(const QString& text);

} // namespace meeting
