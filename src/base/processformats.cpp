#include "base/processformats.h"

#include "base/messages.h"

#include <QLocale>

#include <clocale>

namespace base {

namespace {

const QString kShortDate = QStringLiteral("yyyy/MM/dd");
const QString kTime = QStringLiteral("hh:mm");

ProcessFormats systemFormats()
{
    const QLocale system = QLocale::system();
    ProcessFormats f;
    f.decimalSeparator = system.decimalPoint().isEmpty() ? QChar('.') : system.decimalPoint()[0];
    f.thousandSeparator =
        system.groupSeparator().isEmpty() ? QChar(',') : system.groupSeparator()[0];
    f.shortDateFormat = system.dateFormat(QLocale::ShortFormat);
    f.dateSeparator = QChar('/');
    f.timeFormat = system.timeFormat(QLocale::ShortFormat);
    f.timeSeparator = QChar(':');
    return f;
}

} // namespace

ProcessFormats& processFormats()
{
    static ProcessFormats formats = systemFormats();
    return formats;
}

void fixCommaSeparator(Messages& messages)
{
    ProcessFormats& f = processFormats();
    if (f.decimalSeparator != QLatin1Char(','))
        return;
    f.decimalSeparator = QLatin1Char('.');
    f.thousandSeparator = QLatin1Char(',');
    std::setlocale(LC_NUMERIC, "C");
    if (f.decimalSeparator == QLatin1Char(','))
        messages.internalError(11101, QStringLiteral("Could not fix the comma separator"));
}

void forceProcessFormats()
{
    ProcessFormats& f = processFormats();
    f.shortDateFormat = kShortDate;
    f.dateSeparator = QLatin1Char('/');
    f.timeFormat = kTime;
    f.timeSeparator = QLatin1Char(':');
    f.decimalSeparator = QLatin1Char('.');
    f.thousandSeparator = QLatin1Char(',');
    // Numbers read and written by the C library and by QLocale() follow the same rule.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
}

QString incompatibleFormatsText(const ProcessFormats& formats)
{
    QString lines;
    if (formats.decimalSeparator != QLatin1Char('.'))
        lines += QStringLiteral("The \"Decimal Symbol\" should be  \".\"  and not  \"") +
                 formats.decimalSeparator + QStringLiteral("\"\r");
    if (formats.shortDateFormat != kShortDate)
        lines +=
            QStringLiteral("The \"Short Date Format\" should be  \"yyyy/MM/dd\"  and not  \"") +
            formats.shortDateFormat + QStringLiteral("\"\r");
    return lines;
}

bool checkProcessFormats(Messages& messages)
{
    const QString wrong = incompatibleFormatsText(processFormats());
    if (wrong.isEmpty())
        return true;
    return messages.confirm(
        QStringLiteral("The \"Windows Environmental Settings\" is incompatable with "
                       "\"Tamrok\":\r\r") +
        wrong +
        QStringLiteral("\rChange these in the control panel of the computer under the regional "
                       "settings\r(number and date formats), then start the program again.\r\r"
                       "Do you want to continue anyway"));
}

} // namespace base
