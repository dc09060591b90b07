#include "draw/roundletter.h"

#include "base/messages.h"
#include "draw/heatformats.h"

namespace draw {

namespace {
const QString kLetters = QStringLiteral("FABC");
}

QString roundLetter(int number, base::Messages& messages)
{
    if (number < 0 || number > 3) {
        messages.internalError(420101, QString::number(number));
        return QString();
    }
    return kLetters.mid(number, 1);
}

int roundNumber(const QString& round, base::Messages& messages)
{
    const int index = round.size() == 1 ? int(kLetters.indexOf(round)) : -1;
    if (index < 0) {
        messages.internalError(420102, QStringLiteral("Funny"));
        return 0;
    }
    return index;
}

QString nextRound(const QString& format, const QString& round, base::Messages& messages)
{
    if (round.isEmpty())
        return format.isEmpty() ? QStringLiteral("F") : HeatFormats::firstRound(format);
    if (round == QLatin1String("C"))
        return QStringLiteral("B");
    if (round == QLatin1String("B"))
        return QStringLiteral("A");
    if (round == QLatin1String("A"))
        return QStringLiteral("F");
    messages.internalError(420103, QStringLiteral("Invalid next round: ") + round);
    return QString();
}

QString previousRound(const QString& format, const QString& round, base::Messages& messages)
{
    if (round.isEmpty()) {
        messages.internalError(
            420104, QStringLiteral("Trying to determine the previous round of an empty round"));
        return QString();
    }
    if (round.size() != 1 || !kLetters.contains(round)) {
        messages.internalError(420105, QStringLiteral("Invalid prev round: ") + round);
        return QString();
    }
    if (kLetters.indexOf(round) > HeatFormats::roundCount(format)) {
        messages.internalError(420106, QStringLiteral("Cannot ask previous round of ") + round +
                                           QStringLiteral(" for ") + format);
        return QString();
    }
    if (round == HeatFormats::firstRound(format) || round == QLatin1String("C"))
        return QString();
    if (round == QLatin1String("B"))
        return QStringLiteral("C");
    if (round == QLatin1String("A"))
        return QStringLiteral("B");
    return QStringLiteral("A");
}

QString roundSortKey(const QString& round)
{
    return round == QLatin1String("F") ? QStringLiteral("9") : round;
}

QString roundName(const QString& format, const QString& round)
{
    if (round == QLatin1String("F"))
        return QStringLiteral("Final");
    if (round == HeatFormats::firstRound(format))
        return QStringLiteral("Heats");
    if (round == QLatin1String("A"))
        return QStringLiteral("Semi-Finals");
    return QStringLiteral("Quarter-Finals");
}

QString heatName(const QString& format, const QString& round, int heatNo)
{
    if (round == QLatin1String("F"))
        return QStringLiteral("Final");
    QString name = roundName(format, round);
    name.chop(1); // one heat of the round
    return name + QLatin1Char(' ') + QString::number(heatNo);
}

} // namespace draw
