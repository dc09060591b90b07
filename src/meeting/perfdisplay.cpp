#include "meeting/perfdisplay.h"

#include "meeting/itemtypes.h"

#include <algorithm>

namespace meeting {

QString performanceForDisplay(const QString& stored)
{
    const QString t = stored.trimmed();
    if (t.isEmpty() || t.contains(QLatin1Char(',')) || !ItemTypes::PerfLooksValid(t))
        return stored;
    // What is shown is the end of the text: the parts in front that are all zeros go, and
    // then the zeros in front of the first part's digits, one digit staying before the
    // point ("00.50" -> "0.50", "00000" -> "0").
    qsizetype from = 0;
    for (;;) {
        const qsizetype colon = t.indexOf(QLatin1Char(':'), from);
        if (colon < 0 || colon == from)
            break;
        const QStringView part = QStringView(t).mid(from, colon - from);
        if (!std::all_of(part.begin(), part.end(), [](QChar c) { return c == QLatin1Char('0'); }))
            break;
        from = colon + 1;
    }
    qsizetype digitsEnd = from;
    while (digitsEnd < t.size() && t[digitsEnd] != QLatin1Char('.') &&
           t[digitsEnd] != QLatin1Char(':'))
        ++digitsEnd;
    while (from < digitsEnd - 1 && t[from] == QLatin1Char('0'))
        ++from;
    return from == 0 ? t : t.mid(from);
}

} // namespace meeting
