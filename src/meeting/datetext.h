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

} // namespace meeting
