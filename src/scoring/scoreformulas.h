#pragma once

#include <QList>

#include <optional>

namespace scoring {

// The published ways of turning a performance (seconds or metres) into points and back.
// Pure arithmetic on the constants of one item; the score sets choose which applies.

// A x (B - x)^C for track items, A x (x - B)^C for field items, with x = scale x P;
// 0 on the wrong side of B.
double powerPoints(double perf, bool field, double scale, double a, double b, double c);
double powerPerf(double points, bool field, double scale, double a, double b, double c);

// a P^2 + b P + c.
double quadraticPoints(double perf, double a, double b, double c);
// The performance worth `points`, found between the item's low and high performances by
// halving (outside them by a straight line through the two ends); empty when both ends
// lie on the same side ("a and b same sign").
std::optional<double> quadraticPerf(double points, double a, double b, double c, double low,
                                    double high);

// The two-shape curve around a reference performance worth exactly 1000 points.
struct AbsaConstants {
    double pref = 0;
    double kLow = 0;
    double kHigh = 0;
    double r = 0;
};
double absaPoints(double perf, bool field, const AbsaConstants& k);
double absaPerf(double points, bool field, const AbsaConstants& k);

// c x exp(-exp(b - a P)) for field items, c x exp(-exp(b - a / P)) for track items.
double doubleExpPoints(double perf, bool field, double a, double b, double c);
double doubleExpPerf(double points, bool field, double a, double b, double c);

// A row table: the performance in hundredths at each row (points / 10).
struct RowTable {
    QList<int> rows;
    bool field = false;
};
// The row family: World Athletics tables run from row 1 to 140 with their ends as limits;
// the other tables run from 0 to 100, search more coarsely and extrapolate past the ends.
enum class RowFamily { WorldAthletics, Asa };
double rowTablePoints(const RowTable& table, RowFamily family, double perf);
// The performance (in hundredths) worth `points`; empty when the table's rows do not
// bracket them.
std::optional<double> rowTablePerf(const RowTable& table, RowFamily family, double points);

// Rounds to `decimals` places, an exact half to the even neighbour.
double roundHalfEven(double value, int decimals);

} // namespace scoring
