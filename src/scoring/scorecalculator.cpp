#include "scoring/scorecalculator.h"

#include "base/messages.h"
#include "meeting/itemtypes.h"
#include "scoring/scorebands.h"
#include "scoring/scorecorrections.h"
#include "scoring/scoresets.h"

#include <algorithm>

namespace scoring {

ScoreCalculator::ScoreCalculator(const meeting::ItemTypes& items, base::Messages& messages,
                                 const ScoreData& data)
    : m_items(items), m_messages(messages), m_scores(items, messages, data)
{
}

std::optional<int> ScoreCalculator::checked(const CalculatorInput& input, bool needItem)
{
    if (needItem && input.itemCode.trimmed().isEmpty()) {
        m_messages.warning(QStringLiteral("Select the Item"));
        return std::nullopt;
    }
    if (input.height.trimmed().isEmpty()) {
        m_messages.warning(QStringLiteral("The Height above sealevel is empty"));
        return std::nullopt;
    }
    bool ok = false;
    const int height = input.height.trimmed().toInt(&ok);
    if (!ok || height < 0) {
        m_messages.warning(QStringLiteral("The height is not a number"));
        return std::nullopt;
    }
    if (!m_scores.requireAtHand(input.set))
        return std::nullopt;
    if (needItem && !m_scores.ZItemIsDefined(input.set, input.itemCode.trimmed())) {
        m_messages.warning(QStringLiteral("This item is not in the Score table"));
        return std::nullopt;
    }
    return height;
}

bool ScoreCalculator::scoreInRange(int set, int score)
{
    const ScoreRange range = calculatorScoreRange(set);
    if (range.contains(score))
        return true;
    m_messages.warning(QStringLiteral("The score must be between ") +
                       QString::number(range.lowest) + QStringLiteral(" and ") +
                       QString::number(range.highest));
    return false;
}

bool scorablePerformance(base::Messages& messages, const QString& typed)
{
    const QString text = meeting::ItemTypes::FixDecimalComma(typed.trimmed());
    if (meeting::ItemTypes::PerfIsBlank(text) || meeting::ItemTypes::PerfLooksValid(text))
        return true;
    messages.warning(QStringLiteral("The performance is not a time or a distance: ") +
                     typed.trimmed());
    return false;
}

std::optional<int> ScoreCalculator::tableScore(const CalculatorInput& input, const QString& perf)
{
    const std::optional<int> height = checked(input, true);
    if (!height || !scorablePerformance(m_messages, perf))
        return std::nullopt;
    return m_scores.PerfToScore(input.set, input.itemCode.trimmed(), perf, *height, !input.hand);
}

std::optional<double> ScoreCalculator::performance(const CalculatorInput& input,
                                                   const QString& scoreText)
{
    const std::optional<int> height = checked(input, true);
    if (!height)
        return std::nullopt;
    bool ok = false;
    const int score = scoreText.trimmed().toInt(&ok);
    if (!ok) {
        m_messages.warning(QStringLiteral("The score must be an integer"));
        return std::nullopt;
    }
    if (!scoreInRange(input.set, score))
        return std::nullopt;
    return m_scores.ScoreToPerf(input.set, input.itemCode.trimmed(), score, *height, !input.hand);
}

QString ScoreCalculator::handCorrectionText(const CalculatorInput& input) const
{
    return QString::number(input.hand ? handTimeCorrection(m_items, input.itemCode) : 0.0, 'f', 2);
}

QString ScoreCalculator::altitudeCorrectionText(const CalculatorInput& input) const
{
    const double h = input.height.trimmed().toDouble();
    return QString::number(
        isNoAltitudeSet(input.set) ? 0.0 : altitudeCorrection(m_items, input.itemCode, h), 'f', 2);
}

std::optional<Report> ScoreCalculator::scoreTable(const CalculatorInput& input,
                                                  const QStringList& itemCodes, int from, int to,
                                                  int step)
{
    if (itemCodes.isEmpty()) {
        m_messages.warning(QStringLiteral("Select the Item"));
        return std::nullopt;
    }
    if (from >= to) {
        m_messages.warning(QStringLiteral("\"From\" must be less than \"To\""));
        return std::nullopt;
    }
    if (step <= 0 || (to - from) % step != 0) {
        m_messages.warning(QStringLiteral("The steps must go precisely from \"From\" to \"To\""));
        return std::nullopt;
    }
    if ((to - from) / step + 1 > kMaxRows) {
        m_messages.warning(QStringLiteral("You have too many values to print"));
        return std::nullopt;
    }
    if (!scoreInRange(input.set, from) || !scoreInRange(input.set, to))
        return std::nullopt;
    // Grouped by gender: the boys' items, then the girls', each in the order given.
    QStringList boys;
    QStringList girls;
    for (const QString& item : itemCodes)
        (m_items.ItemGender(item) == QLatin1String("M") ? boys : girls).append(item);
    const QStringList items = boys + girls;
    const std::optional<int> height =
        checked({input.set, items.first(), input.height, input.hand}, false);
    if (!height)
        return std::nullopt;
    for (const QString& item : items) {
        if (!m_scores.ZItemIsDefined(input.set, item)) {
            m_messages.warning(QStringLiteral("This item is not in the Score table") +
                               QStringLiteral(": ") + item);
            return std::nullopt;
        }
    }
    Report report;
    report.title = scoreSetDisplayName(input.set) + QStringLiteral(" Score table");
    // One gender: its name under the title. Both: a group of rows each, with its own items.
    const bool both = !boys.isEmpty() && !girls.isEmpty();
    if (!both)
        report.subtitle = boys.isEmpty() ? QStringLiteral("Girls") : QStringLiteral("Boys");
    for (const auto& [group, groupItems] :
         {std::pair{QStringLiteral("Boys"), boys}, std::pair{QStringLiteral("Girls"), girls}}) {
        if (groupItems.isEmpty())
            continue;
        QStringList headers{QStringLiteral("Score")};
        for (const QString& item : groupItems)
            headers.append(m_items.ItemDescription(item, false));
        if (both) {
            report.sections.append({int(report.rows.size()), group});
            report.sectionHeaders.append({int(report.rows.size()), headers});
        } else {
            report.headers = headers;
        }
        for (int score = from; score <= to; score += step) {
            QStringList row{QString::number(score)};
            for (const QString& item : groupItems) {
                const std::optional<double> perf =
                    m_scores.ScoreToPerf(input.set, item, score, *height, !input.hand);
                if (!perf)
                    return std::nullopt;
                row.append(m_items.PerfValueToText(item, *perf, false));
            }
            report.rows.append(row);
        }
    }
    // Both groups under one set of headings for whatever reads only those (the JSON keeps
    // each row's own).
    if (both)
        report.headers = report.sectionHeaders.first().second;
    report.notes = {input.hand ? QStringLiteral("Hand Timing")
                               : QStringLiteral("Electronic Timing"),
                    QStringLiteral("Height above sea:  ") + QString::number(*height)};
    return report;
}

} // namespace scoring
