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

// One generic curve of the APE formula: ABSA constants with one shape constant, and the
// generic performances the ends of every item's interval are mapped onto. The mapping keeps
// "better" pointing from the low end to the high end, so the curve is scored like a field
// item when its high end is the larger number (and one upper curve serves races and field
// items alike).
struct ApeCurve {
    AbsaConstants absa;
    double refLow = 0;
    double refHigh = 0;
    bool isSet() const { return absa.pref != 0 && refLow != refHigh; }
    bool risesWithPerformance() const { return refHigh > refLow; }
};
// The generic curves of an APE set: one for races, two for field items (by kind), and the
// one that scores performances better than an item's high performance.
struct ApeConstants {
    ApeCurve track;
    ApeCurve field1;
    ApeCurve field2;
    ApeCurve upper;
    const ApeCurve& curveFor(bool field, int fieldKind) const
    {
        return !field ? track : (fieldKind == 2 ? field2 : field1);
    }
};
// The item's performance mapped linearly from its interval [low, high] onto the curve's and
// scored there; 0 when the mapped performance is not positive.
double apePoints(double perf, bool field, int fieldKind, double low, double high,
                 const ApeConstants& k);
// The inverse: the upper curve from 900 points on, mapped back onto the item's interval.
double apePerf(double points, bool field, int fieldKind, double low, double high,
               const ApeConstants& k);

// c0 + c1 P + c2 P^2 + ...: the derived curves, scored on the performance itself.
double polynomialPoints(double perf, const QList<double>& coefficients);
// The performance worth `points` found as for the quadratic formula (halving between low and
// high, a straight line outside them); empty when both ends lie on the same side.
std::optional<double> polynomialPerf(double points, const QList<double>& coefficients, double low,
                                     double high);

// An interpolated table: a few performances (hundredths) with their points, better
// performances worth more. Between two entries the points run on a straight line; past
// either end the line through the last two entries goes on.
struct PairTable {
    QList<std::pair<double, double>> pairs; // performance, points; worst first
};
double pairTablePoints(const PairTable& table, double perf);
// The performance in hundredths worth `points`, the same lines read the other way.
double pairTablePerf(const PairTable& table, double points);

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
