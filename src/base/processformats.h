#pragma once

#include <QString>

namespace base {

class Messages;

// The number, date and time formats of the process. Every stored date, time and number
// text is written with these, so the run loop forces them at start.
struct ProcessFormats {
    QChar decimalSeparator;
    QChar thousandSeparator;
    QString shortDateFormat; // "yyyy/MM/dd" in Qt's letters
    QChar dateSeparator;
    QString timeFormat; // "hh:mm" in Qt's letters
    QChar timeSeparator;
};

// The formats of this process, taken from the system's locale when first asked.
ProcessFormats& processFormats();

// A comma as the decimal separator becomes "." (and the thousands separator ",");
// internal error when it cannot be fixed.
void fixCommaSeparator(Messages& messages);

// Forces the fixed formats on the process (and the C numeric locale).
void forceProcessFormats();

// The wrong settings with their required values, as the lines of the start-up question;
// empty when all is well.
QString incompatibleFormatsText(const ProcessFormats& formats);

// Asks whether to go on when the formats are still wrong; true when they are right or
// the user goes on anyway.
bool checkProcessFormats(Messages& messages);

} // namespace base
