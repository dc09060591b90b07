#pragma once

// The draw engine's data: one candidate per athlete of a draw, how candidates are ranked
// (their sort text), the random numbers that break ties, and how a heat's lane ranks
// become lanes. Pure values and functions: no database, so every draw (first round, next
// round, team and manual draws) and the tests share them.

#include <QList>
#include <QString>

#include <optional>
#include <random>

namespace meeting {
class ItemTypes;
}
namespace base {
class Messages;
}

namespace draw {

// The meeting's DRAW_METHOD values that are offered.
enum DrawMethod {
    kDrawWorldAthletics = 3,
    kDrawBestsLast = 6,
    kDrawConstant = 7,
    kDrawPattern = 8
};

// How a candidate came into the draw; a lower class ranks first.
enum DrawClass { kClassPlace = 1, kClassPerformance = 2, kClassNone = 3 };

struct DrawCandidate {
    qint64 athleteNo = 0;
    qint64 teamNo = 0;
    // The event the candidate is entered in: differs between the events of a combined race.
    qint64 eventNo = 0;
    int place = 0;          // previous-round place of a place qualifier, else 0
    QString performanceKey; // see performanceKey(); empty when there is none
    int drawClass = kClassNone;
    int heat = 0;       // 1-based, given by the placement
    int lane = 0;       // lane, start position or order of competition; 0 none
    int teamRandom = 0; // shared by the candidates of one team
    int athleteRandom = 0;
    int laneRank = 0; // 1 the best placed in the heat; 0 none

    bool ranked() const { return drawClass < kClassNone; }
    // class "," place (3 digits) "," performance key "_" athlete random "," team random
    // (8 digits): plain ascending text order is the order of merit.
    QString sortText() const;
};

using CandidateList = QList<DrawCandidate>;

// The sort text of a performance for an item: the canonical text for track items (fixed
// width, so texts sort by merit), the item's largest performance minus it for field items
// (so the best also sorts first); empty when the text is empty or not a performance.
QString performanceKey(const meeting::ItemTypes& items, const QString& itemCode,
                       const QString& performance);

// The draw's random numbers, 1001 to 1999. Seeded from the clock unless a seed is given,
// so that a draw can be repeated exactly (tests, support cases: `--seed N`).
class DrawRandom {
public:
    explicit DrawRandom(std::optional<quint64> seed = std::nullopt);
    quint64 seed() const { return m_seed; }
    int next();

private:
    quint64 m_seed;
    std::mt19937_64 m_engine;
};

// Orders the list by team, then gives each new team a team random and every candidate an
// athlete random.
void giveRandomNumbers(CandidateList& candidates, DrawRandom& random);
// Ascending by sort text.
void sortCandidates(CandidateList& candidates);

// ceiling(candidates / heats); 0 without heats.
int heatCapacity(int candidates, int heats);

// Placement of a sorted list into `heats` heats: each candidate gets a heat and a lane
// rank. Methods other than Bests Last use the zig-zag.
void placeZigZag(CandidateList& candidates, int heats);
// The best swim in the last heat. False (after the internal error) when the list does not
// fit `heats` heats of `capacity`.
bool placeBestsLast(CandidateList& candidates, int heats, int capacity, base::Messages& messages);
// False when the list could not be placed (an internal error was shown).
bool placeCandidates(CandidateList& candidates, int method, int heats, base::Messages& messages);

// Lane class of an item: 0 straight, 1 to 3 bends (all in lanes), 4 long races and 5
// field items (not laned).
int laneClassOf(const meeting::ItemTypes& items, const QString& itemCode);
inline bool isLaned(int laneClass)
{
    return laneClass >= 0 && laneClass <= 3;
}
// The lanes of lane ranks 1, 2, 3 ... as digits, for the lanes available.
QString laneOrderTable(int lanesAvailable, bool straight);
// A lane rank beyond the table's length is its own lane; 0 gives 0.
int laneFromRank(int laneRank, int lanesAvailable, bool straight);

// Gives every placed candidate its lane (laned items) or its start position or order of
// competition (capacity - lane rank + 1: the best goes last). True when a lane exceeds the
// lanes available.
bool assignLanes(CandidateList& candidates, int laneClass, int lanesAvailable, int capacity);

} // namespace draw
