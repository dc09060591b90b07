#include "meeting/datetext.h"

#include <QRegularExpression>

namespace meeting {

QDate dateFromText(const QString& text)
{
    // QDate::fromString alone would take "2025/3/4"; the stored form has fixed widths.
    static const QRegularExpression shape(QStringLiteral("^\\d{4}/\\d{2}/\\d{2}$"));
    if (!shape.match(text).hasMatch())
        return {};
    return QDate::fromString(text, QString::fromLatin1(kDateFormat));
}

QDate guessDateFromText(const QString& text)
{
    static const char* const formats[] = {"yyyy-MM-dd", "yyyy.MM.dd", "dd.MM.yyyy", "dd-MM-yyyy",
                                          "dd/MM/yyyy", "d.M.yyyy",   "d-M-yyyy",   "d/M/yyyy"};
    const QString trimmed = text.trimmed();
    for (const char* format : formats) {
        const QDate date = QDate::fromString(trimmed, QString::fromLatin1(format));
        if (date.isValid())
            return date;
    }
    return {};
}

QString dateText(const QDate& date)
{
    return date.toString(QString::fromLatin1(kDateFormat));
}

} // namespace meeting
