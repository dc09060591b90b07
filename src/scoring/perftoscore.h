#pragma once

#include "scoring/scoredata.h"

#include <QString>

#include <optional>

namespace base {
class Messages;
}
namespace meeting {
class ItemTypes;
}

namespace scoring {

// Performance points of one item under one score set, both ways, with the hand-time and
// altitude corrections. Scores are worked out on demand and never stored with the
// performance.
//
// A refusal (a set that is not loaded, an item code that is too long, a set this program
// does not score) is shown through the messages and comes back empty; an item the set does
// not know simply scores 0.
class TableScores {
public:
    TableScores(const meeting::ItemTypes& items, base::Messages& messages,
                const ScoreData& data = ScoreData::builtIn());

    // Whole points, never below 0, cut (not rounded) from the formula's value.
    std::optional<int> PerfToScore(int set, const QString& itemCode, const QString& perf,
                                   double altitude, bool electronic);
    // The same from a value in seconds or metres.
    std::optional<int> valueToScore(int set, const QString& itemCode, double value, double altitude,
                                    bool electronic);
    // Seconds or metres, to hundredths (tenths for combined-event totals).
    std::optional<double> ScoreToPerf(int set, const QString& itemCode, double points,
                                      double altitude, bool electronic);
    bool ZItemIsDefined(int set, const QString& itemCode);

    // The points before truncation; empty when refused.
    std::optional<double> rawPoints(int set, const QString& itemCode, double value);

    // True when the set has its data at hand; shows "The ScoreTable for ... is not
    // available" otherwise.
    bool requireLoaded(int set);
    // The same for a meeting's or a user's choice of set, which may score on the sets it
    // builds on (ScoreData::isAtHand).
    bool requireAtHand(int set);

    const ScoreData& data() const { return m_data; }
    const meeting::ItemTypes& items() const { return m_items; }

private:
    // The set and item that actually score `itemCode` under `set` after the sets' own
    // fallbacks and substitutions; empty set number when the item cannot be scored here.
    struct Route {
        int set = 0;
        QString itemCode;
        bool refused = false;
        // A shape's performance is divided by this before scoring (multiplied after the
        // inverse).
        double factor = 1.0;
    };
    Route shapeRoute(const QString& itemCode);
    // `tell` false keeps the refusals' messages back (asking whether an item is scored).
    Route route(int set, const QString& itemCode, bool tell = true);
    std::optional<double> pointsOf(const Route& r, double value);
    std::optional<double> perfOf(const Route& r, double points);
    // The points and the inverse of items that carry their own way of scoring (a special
    // table, a derived curve, a local item); empty when the set's method applies.
    std::optional<double> ownPoints(const Route& r, const ItemScoreData& d, double value);
    std::optional<double> ownPerf(const Route& r, const ItemScoreData& d, double points);
    void notBranched();

    const meeting::ItemTypes& m_items;
    base::Messages& m_messages;
    const ScoreData& m_data;
};

} // namespace scoring
