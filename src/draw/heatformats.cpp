#include "draw/heatformats.h"

#include "base/messages.h"
#include "draw/roundletter.h"

#include <QStringList>

namespace draw {

namespace {

const QChar kGroupSeparator = QLatin1Char('/');

QStringList groupTexts(const QString& format)
{
    if (format.trimmed().isEmpty())
        return {};
    return format.trimmed().split(kGroupSeparator);
}

std::optional<RoundGroup> readGroup(const QString& text)
{
    const QStringList numbers = text.split(QLatin1Char(','));
    if (numbers.size() != 3)
        return std::nullopt;
    int values[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        values[i] = numbers[i].trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    return RoundGroup{values[0], values[1], values[2]};
}

} // namespace

int HeatFormats::roundCount(const QString& format)
{
    return int(groupTexts(format).size());
}

QString HeatFormats::firstRound(const QString& format)
{
    static const char* const kFirst[] = {"F", "A", "B", "C"};
    const int n = roundCount(format);
    return n <= 3 ? QString::fromLatin1(kFirst[n]) : QString();
}

std::optional<QList<RoundGroup>> HeatFormats::groups(const QString& format)
{
    QList<RoundGroup> result;
    for (const QString& text : groupTexts(format)) {
        const std::optional<RoundGroup> g = readGroup(text);
        if (!g)
            return std::nullopt;
        result.append(*g);
    }
    return result;
}

QString HeatFormats::formatOf(const QList<RoundGroup>& groups)
{
    QStringList texts;
    for (const RoundGroup& g : groups) {
        texts.append(QString::number(g.heats) + ',' + QString::number(g.places) + ',' +
                     QString::number(g.times));
    }
    return texts.join(kGroupSeparator);
}

RoundGroup HeatFormats::group(const QString& format, int n)
{
    const QStringList texts = groupTexts(format);
    if (n < 1 || n > texts.size())
        return {};
    const QStringList numbers = texts[n - 1].split(QLatin1Char(','));
    auto number = [&numbers](int i) { return i < numbers.size() ? numbers[i].toInt() : 0; };
    return RoundGroup{number(0), number(1), number(2)};
}

QString HeatFormats::heatCountsText(const QString& format)
{
    QStringList counts;
    for (const QString& text : groupTexts(format))
        counts.append(text.section(QLatin1Char(','), 0, 0).trimmed());
    return counts.join(QLatin1Char(','));
}

FormatKind HeatFormats::formatKind(const QString& format)
{
    const int n = roundCount(format);
    if (n == 0)
        return FormatKind::FinalOnly;
    if (n == 1)
        return group(format, 1).places < 1 ? FormatKind::TimesOnly : FormatKind::SemisWithPlaces;
    return FormatKind::Complex;
}

RoundParameters HeatFormats::roundParameters(const QString& format, const QString& round)
{
    const int n = roundCount(format);
    const int k = roundNumber(round, m_messages);
    if (k > n) {
        m_messages.internalError(430101, QStringLiteral("Wrong draw request:") + format +
                                             QLatin1Char(',') + round);
        return {};
    }
    RoundParameters result;
    result.heats = k == 0 ? 1 : group(format, n - k + 1).heats;
    if (k == n) {
        result.entryPlaces = 0;
        result.entryTimes = 99999;
    } else {
        const RoundGroup before = group(format, n - k);
        result.entryPlaces = before.places;
        result.entryTimes = before.times;
    }
    result.previousRound = previousRound(format, round, m_messages);
    return result;
}

int HeatFormats::heatsOfRound(const QString& format, const QString& round)
{
    if (round.isEmpty()) {
        m_messages.internalError(430102, QStringLiteral("Round not supplied"));
        return 0;
    }
    if (round == QLatin1String("F"))
        return 1;
    const int first = roundNumber(firstRound(format), m_messages);
    return group(format, first - roundNumber(round, m_messages) + 1).heats;
}

int HeatFormats::heatsOfFirstRound(const QString& format)
{
    return heatsOfRound(format, firstRound(format));
}

int HeatFormats::heatsOfPreviousRound(const QString& format, const QString& round)
{
    if (round.isEmpty()) {
        m_messages.internalError(430103, QStringLiteral("Empty round"));
        return 0;
    }
    if (format.isEmpty()) {
        m_messages.internalError(430104, QStringLiteral("No format supplied"));
        return 0;
    }
    if (round == firstRound(format)) {
        m_messages.internalError(430105, QStringLiteral("Did not expect the first round"));
        return 0;
    }
    const QString before = previousRound(format, round, m_messages);
    if (before.isEmpty()) {
        m_messages.internalError(430106, QStringLiteral("Round not calculated"));
        return 0;
    }
    return heatsOfRound(format, before);
}

int HeatFormats::athletesInRound(const QString& format, const QString& round)
{
    if (round.isEmpty()) {
        m_messages.internalError(430107, QStringLiteral("Empty round"));
        return 0;
    }
    if (firstRound(format) == QLatin1String("F")) {
        m_messages.internalError(
            430108, QStringLiteral("Do not ask for final only: use nEstimatedAthleteCount"));
        return 0;
    }
    if (round == firstRound(format)) {
        m_messages.internalError(
            430109, QStringLiteral("Do not ask for the first round: use nEstimatedAthleteCount"));
        return 0;
    }
    const RoundParameters p = roundParameters(format, round);
    return p.entryPlaces * heatsOfPreviousRound(format, round) + p.entryTimes;
}

QString HeatFormats::inWords(const QString& format)
{
    const QString text = format.trimmed();
    if (text.isEmpty())
        return QStringLiteral("Final only: everyone goes straight to the final.");
    const std::optional<QList<RoundGroup>> parsed = groups(text);
    if (!parsed || parsed->isEmpty() || parsed->size() > 3)
        return QStringLiteral("Not a heat format: heats, places and times for each round, "
                              "rounds apart by \"/\"");
    const QList<RoundGroup>& rounds = *parsed;
    const QString letters = QStringLiteral("CBA").right(rounds.size());
    QStringList sentences;
    for (qsizetype i = 0; i < rounds.size(); ++i) {
        const RoundGroup& g = rounds[i];
        const QString next = i + 1 < rounds.size() ? QStringLiteral("round ") + letters[i + 1]
                                                   : QStringLiteral("the final");
        QString sentence = rounds.size() > 1
                               ? QStringLiteral("Round ") + letters[i] + QStringLiteral(": ")
                               : QString();
        sentence += QString::number(g.heats) +
                    (g.heats == 1 ? QStringLiteral(" heat; ") : QStringLiteral(" heats; "));
        QStringList who;
        if (g.places > 0)
            who << QStringLiteral("the first ") + QString::number(g.places) +
                       QStringLiteral(" of each heat");
        if (g.times > 0)
            who << QStringLiteral("the ") + QString::number(g.times) +
                       (g.places > 0 ? QStringLiteral(" fastest of the rest")
                                     : QStringLiteral(" fastest"));
        if (who.isEmpty()) {
            sentence += QStringLiteral("nobody goes on to ") + next;
        } else {
            sentence += who.join(QStringLiteral(" and ")) + QStringLiteral(" (") +
                        QString::number(g.heats * g.places + g.times) + QStringLiteral(") go to ") +
                        next;
        }
        sentences << sentence;
    }
    return sentences.join(QStringLiteral(". ")) + QLatin1Char('.');
}

} // namespace draw
