#include "meeting/perfdisplay.h"

#include "meeting/itemtypes.h"

#include <QStringList>

#include <algorithm>

namespace meeting {

QString performanceForDisplay(const QString& stored)
{
    const QString t = stored.trimmed();
    if (t.isEmpty() || t.contains(QLatin1Char(',')) || !ItemTypes::PerfLooksValid(t))
        return stored;
    QStringList parts = t.split(QLatin1Char(':'));
    const auto allZero = [](const QString& part) {
        return !part.isEmpty() &&
               std::all_of(part.begin(), part.end(), [](QChar c) { return c == QLatin1Char('0'); });
    };
    while (parts.size() > 1 && allZero(parts.first()))
        parts.removeFirst();
    // One digit stays in front of the point: "00.50" -> "0.50", "00000" -> "0".
    QString& head = parts.first();
    const qsizetype point = head.indexOf(QLatin1Char('.'));
    const qsizetype digits = point < 0 ? head.size() : point;
    qsizetype drop = 0;
    while (drop < digits - 1 && head[drop] == QLatin1Char('0'))
        ++drop;
    head.remove(0, drop);
    return parts.join(QLatin1Char(':'));
}

} // namespace meeting
