#include "draw/drawcandidates.h"

#include "base/messages.h"
#include "meeting/itemtypes.h"

#include <QVector>

#include <algorithm>
#include <chrono>

namespace draw {

QString DrawCandidate::sortText() const
{
    return QString::number(drawClass) + QLatin1Char(',') +
           QString::number(place).rightJustified(3, QLatin1Char('0')) + QLatin1Char(',') +
           performanceKey + QLatin1Char('_') + QString::number(athleteRandom) + QLatin1Char(',') +
           QString::number(teamRandom).rightJustified(8, QLatin1Char('0'));
}

QString performanceKey(const meeting::ItemTypes& items, const QString& itemCode,
                       const QString& performance)
{
    const QString text = performance.trimmed();
    if (text.isEmpty() || !meeting::ItemTypes::PerfLooksValid(text))
        return QString();
    const std::optional<double> value = items.PerfTextToValue(text);
    if (!value || *value <= 0)
        return QString();
    const int format = items.PerfFormatOf(itemCode);
    const std::optional<double> largest =
        items.PerfTextToValue(meeting::ItemTypes::formatMaxText(format));
    if (!largest || *value > *largest)
        return QString();
    if (items.IsFieldItem(itemCode))
        return items.formatPerfValue(format, *largest - *value, false);
    // The canonical form, so that a best time typed without its leading zeros still
    // sorts among the others.
    return items.formatPerfValue(format, *value, false);
}

DrawRandom::DrawRandom(std::optional<quint64> seed)
    : m_seed(seed ? *seed
                  : quint64(std::chrono::high_resolution_clock::now().time_since_epoch().count())),
      m_engine(m_seed)
{
}

int DrawRandom::next()
{
    // The engine's output is fixed by the standard, so a seed repeats a draw anywhere.
    return int(m_engine() % 999) + 1 + 1000;
}

void giveRandomNumbers(CandidateList& candidates, DrawRandom& random)
{
    std::stable_sort(
        candidates.begin(), candidates.end(),
        [](const DrawCandidate& a, const DrawCandidate& b) { return a.teamNo < b.teamNo; });
    bool first = true;
    qint64 team = 0;
    int teamRandom = 0;
    for (DrawCandidate& c : candidates) {
        if (first || c.teamNo != team) {
            first = false;
            team = c.teamNo;
            teamRandom = random.next();
        }
        c.teamRandom = teamRandom;
        c.athleteRandom = random.next();
    }
}

void sortCandidates(CandidateList& candidates)
{
    QList<std::pair<QString, DrawCandidate>> keyed;
    keyed.reserve(candidates.size());
    for (const DrawCandidate& c : candidates)
        keyed.append({c.sortText(), c});
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (qsizetype i = 0; i < keyed.size(); ++i)
        candidates[i] = keyed[i].second;
}

int heatCapacity(int candidates, int heats)
{
    return heats > 0 ? (candidates + heats - 1) / heats : 0;
}

void placeZigZag(CandidateList& candidates, int heats)
{
    int h = 0;
    int rank = 1;
    bool forward = true;
    for (DrawCandidate& c : candidates) {
        // The ranked turn at either end; the unranked that follow wrap round instead, so
        // they are dealt evenly from where the ranked stopped.
        const bool turn = c.ranked();
        if (forward) {
            if (++h > heats) {
                h = turn ? heats : 1;
                forward = !turn;
                ++rank;
            }
        } else if (--h < 1) {
            h = turn ? 1 : heats;
            forward = turn;
            ++rank;
        }
        c.heat = h;
        c.laneRank = rank;
    }
}

bool placeBestsLast(CandidateList& candidates, int heats, int capacity, base::Messages& messages)
{
    if (heats < 1 || capacity < 1)
        return candidates.isEmpty();
    const int ranked = int(std::count_if(candidates.begin(), candidates.end(),
                                         [](const DrawCandidate& c) { return c.ranked(); }));
    if (ranked > heats * capacity || int(candidates.size()) > heats * capacity) {
        messages.internalError(440101, QStringLiteral("Rankeds exceeded"));
        return false;
    }
    // The ranked fill the last heat first, best in lane rank 1; the remainder of them
    // goes to the next heat down.
    QVector<QVector<bool>> taken(heats + 1, QVector<bool>(capacity + 1, false));
    for (int i = 0; i < ranked; ++i) {
        DrawCandidate& c = candidates[i];
        if (!c.ranked()) {
            messages.internalError(440102, QStringLiteral("Rankeds exceeded"));
            return false;
        }
        c.heat = heats - i / capacity;
        c.laneRank = i % capacity + 1;
        if (c.heat < 1) {
            messages.internalError(440103, QStringLiteral("Heat 0"));
            return false;
        }
        taken[c.heat][c.laneRank] = true;
    }
    // The unranked are dealt lane rank by lane rank over the places the ranked left free:
    // lane rank 1 to heats 1, 2, ... H, then lane rank 2, and so on. They so fill the
    // slower heats and the outer lanes of the heat the ranked left part empty, and no
    // heat takes more than the capacity.
    int next = ranked;
    for (int rank = 1; rank <= capacity && next < candidates.size(); ++rank) {
        for (int h = 1; h <= heats && next < candidates.size(); ++h) {
            if (taken[h][rank])
                continue;
            DrawCandidate& c = candidates[next++];
            if (c.ranked()) {
                messages.internalError(440104, QStringLiteral("Not the rest/not-ranked"));
                return false;
            }
            c.heat = h;
            c.laneRank = rank;
            taken[h][rank] = true;
        }
    }
    return next == candidates.size();
}

bool placeCandidates(CandidateList& candidates, int method, int heats, base::Messages& messages)
{
    if (method == kDrawBestsLast)
        return placeBestsLast(candidates, heats, heatCapacity(int(candidates.size()), heats),
                              messages);
    placeZigZag(candidates, heats);
    return true;
}

int laneClassOf(const meeting::ItemTypes& items, const QString& itemCode)
{
    if (items.IsFieldItem(itemCode))
        return 5;
    const int d = items.TrackDistance(itemCode);
    if (d < 120)
        return 0;
    if (d < 250)
        return 1;
    if (d < 420)
        return 2;
    if (d < 820)
        return 3;
    if (items.IsRelayGroup(items.ItemGroup(itemCode)) && d < 1620)
        return 3;
    return 4;
}

QString laneOrderTable(int lanesAvailable, bool straight)
{
    static const char* const kStraight[] = {"213",    "2314",    "34251",
                                            "342516", "4536271", "45362718"};
    static const char* const kBend[] = {"231", "3241", "43251", "543261", "5643271", "67548321"};
    if (lanesAvailable >= 3 && lanesAvailable <= 8)
        return QString::fromLatin1((straight ? kStraight : kBend)[lanesAvailable - 3]);
    return QString::fromLatin1(straight ? "345627189" : "657483921");
}

int laneFromRank(int laneRank, int lanesAvailable, bool straight)
{
    if (laneRank < 1)
        return 0;
    const QString table = laneOrderTable(lanesAvailable, straight);
    if (laneRank > table.size())
        return laneRank;
    return table.at(laneRank - 1).digitValue();
}

bool assignLanes(CandidateList& candidates, int laneClass, int lanesAvailable, int capacity)
{
    bool exceeded = false;
    for (DrawCandidate& c : candidates) {
        if (c.laneRank < 1) {
            c.lane = 0;
        } else if (isLaned(laneClass)) {
            c.lane = laneFromRank(c.laneRank, lanesAvailable, laneClass == 0);
            exceeded = exceeded || c.lane > lanesAvailable;
        } else {
            c.lane = capacity - c.laneRank + 1;
        }
    }
    return exceeded;
}

} // namespace draw
