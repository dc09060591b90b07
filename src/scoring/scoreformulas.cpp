#include "scoring/scoreformulas.h"

#include <cmath>

namespace scoring {

double roundHalfEven(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    // A value that is a half only through binary noise (0.125 stored as 0.12499999) still
    // counts as a half.
    const double scaled = value * scale;
    const double floor = std::floor(scaled);
    const double diff = scaled - floor;
    double rounded;
    if (std::fabs(diff - 0.5) < 1e-9)
        rounded = std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
    else
        rounded = std::round(scaled);
    return rounded / scale;
}

double powerPoints(double perf, bool field, double scale, double a, double b, double c)
{
    // 2.20 m is 220 cm exactly, not 220.00000000000003.
    const double x = std::round(scale * perf * 1e6) / 1e6;
    if (!field && x <= b)
        return a * std::pow(b - x, c);
    if (field && x >= b)
        return a * std::pow(x - b, c);
    return 0.0;
}

double powerPerf(double points, bool field, double scale, double a, double b, double c)
{
    const double span = std::pow(points / a, 1.0 / c);
    const double x = field ? b + span : b - span;
    return x / scale;
}

double quadraticPoints(double perf, double a, double b, double c)
{
    return a * perf * perf + b * perf + c;
}

std::optional<double> quadraticPerf(double points, double a, double b, double c, double low,
                                    double high)
{
    return polynomialPerf(points, {c, b, a}, low, high);
}

double polynomialPoints(double perf, const QList<double>& coefficients)
{
    double sum = 0;
    for (qsizetype i = coefficients.size() - 1; i >= 0; --i)
        sum = sum * perf + coefficients[i];
    return sum;
}

std::optional<double> polynomialPerf(double points, const QList<double>& coefficients, double low,
                                     double high)
{
    auto f = [&](double p) { return polynomialPoints(p, coefficients); };
    const double fLow = f(low);
    const double fHigh = f(high);
    // `below` is the end worth fewer points.
    double below = fLow <= fHigh ? low : high;
    double above = fLow <= fHigh ? high : low;
    const double fBelow = f(below);
    const double fAbove = f(above);
    if (!(0.99 * fBelow < points && 1.01 * fAbove >= points)) {
        if (fHigh == fLow)
            return std::nullopt;
        return low + (points - fLow) * (high - low) / (fHigh - fLow);
    }
    if ((fBelow - points) * (fAbove - points) > 0)
        return std::nullopt;
    double middle = (below + above) / 2;
    for (int i = 0; i < 30; ++i) {
        middle = (below + above) / 2;
        const double value = f(middle);
        if (std::fabs(points - value) <= 0.0001)
            break;
        if (value >= points)
            above = middle;
        else
            below = middle;
    }
    return middle;
}

namespace {

// The index of the entry that starts the line through `x` (0 .. size - 2), on the first or
// second member of the pairs.
template <typename Key> qsizetype pairSegment(const PairTable& table, double x, Key key)
{
    const qsizetype last = table.pairs.size() - 1;
    const bool rising = key(table.pairs[last]) > key(table.pairs[0]);
    qsizetype i = 0;
    while (i + 1 < last && (rising ? x > key(table.pairs[i + 1]) : x < key(table.pairs[i + 1])))
        ++i;
    return i;
}

double along(double x, double x0, double x1, double y0, double y1)
{
    return y0 + (x - x0) / (x1 - x0) * (y1 - y0);
}

} // namespace

double pairTablePoints(const PairTable& table, double perf)
{
    if (table.pairs.size() < 2)
        return 0.0;
    const double p = std::round(perf * 100);
    const qsizetype i = pairSegment(table, p, [](const auto& e) { return e.first; });
    const auto& [p0, s0] = table.pairs[i];
    const auto& [p1, s1] = table.pairs[i + 1];
    return along(p, p0, p1, s0, s1);
}

double pairTablePerf(const PairTable& table, double points)
{
    if (table.pairs.size() < 2)
        return 0.0;
    const qsizetype i = pairSegment(table, points, [](const auto& e) { return e.second; });
    const auto& [p0, s0] = table.pairs[i];
    const auto& [p1, s1] = table.pairs[i + 1];
    return along(points, s0, s1, p0, p1);
}

double absaPoints(double perf, bool field, const AbsaConstants& k)
{
    if (perf == 0 || k.pref == 0)
        return 0.0;
    const double q = field ? perf / k.pref : k.pref / perf;
    const double shape = q >= 1 ? k.kHigh : k.kLow;
    const double l = 1 - std::log(k.r);
    double d = 81 * shape * shape + (8000 * shape / 3) * std::log10(q) / std::log10(l);
    if (d < 0)
        d = 0;
    return 1000 - (std::sqrt(d) - 9 * shape) / 2;
}

double absaPerf(double points, bool field, const AbsaConstants& k)
{
    const double shape = points > 1000 ? k.kHigh : k.kLow;
    const double l = 1 - std::log(k.r);
    const double x = 2 * (1000 - points) + 9 * shape;
    const double logQ = 3 * std::log10(l) * (x * x - 81 * shape * shape) / (8000 * shape);
    const double q = std::pow(10.0, logQ);
    return field ? k.pref * q : k.pref / q;
}

namespace {

double mapInterval(double value, double fromLow, double fromHigh, double toLow, double toHigh)
{
    return toLow + (value - fromLow) / (fromHigh - fromLow) * (toHigh - toLow);
}

} // namespace

double apePoints(double perf, bool field, int fieldKind, double low, double high,
                 const ApeConstants& k)
{
    if (perf == 0 || low == high)
        return 0.0;
    const bool better = field ? perf > high : perf < high;
    const ApeCurve& curve = better ? k.upper : k.curveFor(field, fieldKind);
    const double generic = mapInterval(perf, low, high, curve.refLow, curve.refHigh);
    if (generic <= 0)
        return 0.0;
    return absaPoints(generic, curve.risesWithPerformance(), curve.absa);
}

double apePerf(double points, bool field, int fieldKind, double low, double high,
               const ApeConstants& k)
{
    const ApeCurve& curve = points >= 900 ? k.upper : k.curveFor(field, fieldKind);
    const double generic = absaPerf(points, curve.risesWithPerformance(), curve.absa);
    return mapInterval(generic, curve.refLow, curve.refHigh, low, high);
}

double doubleExpPoints(double perf, bool field, double a, double b, double c)
{
    if (perf == 0)
        return 0.0;
    return field ? c * std::exp(-std::exp(b - a * perf)) : c * std::exp(-std::exp(b - a / perf));
}

double doubleExpPerf(double points, bool field, double a, double b, double c)
{
    const double inner = b - std::log(std::log(c / points));
    return field ? inner / a : a / inner;
}

namespace {

// True when performance `p` is better than `q` in hundredths.
bool better(const RowTable& table, double p, double q)
{
    return table.field ? p > q : p < q;
}

double interpolateRow(const RowTable& table, double p, int lo, int hi)
{
    const double perfLo = table.rows[lo];
    const double perfHi = table.rows[hi];
    if (p == perfLo || perfHi == perfLo)
        return lo;
    if (p == perfHi)
        return hi;
    return lo + (p - perfLo) / (perfHi - perfLo) * (hi - lo);
}

} // namespace

double rowTablePoints(const RowTable& table, RowFamily family, double perf)
{
    const bool wa = family == RowFamily::WorldAthletics;
    const int first = wa ? 1 : 0;
    const int last = wa ? 140 : 100;
    if (table.rows.size() <= last)
        return 0.0;
    const double p = std::round(perf * 100);
    int lo = first;
    int hi = last;
    if (wa) {
        if (better(table, table.rows[lo], p))
            return lo * 10.0;
        if (better(table, p, table.rows[hi]))
            return hi * 10.0;
    }
    const int stopBelow = wa ? 2 : 3;
    while (hi - lo >= stopBelow) {
        const int middle = (lo + hi) / 2;
        if (p == table.rows[middle])
            return middle * 10.0;
        if (better(table, p, table.rows[middle]))
            lo = middle;
        else
            hi = middle;
    }
    return roundHalfEven(interpolateRow(table, p, lo, hi) * 10, 0);
}

std::optional<double> rowTablePerf(const RowTable& table, RowFamily family, double points)
{
    const bool wa = family == RowFamily::WorldAthletics;
    const int last = wa ? 140 : 100;
    if (table.rows.size() <= last)
        return std::nullopt;
    double s = points;
    if (wa) {
        s = std::round(s);
        if (s <= 0)
            return table.rows[0];
        if (s >= 1400)
            return table.rows[140];
    }
    const int r = int(std::trunc(s / 10));
    if (r < 0 || r > last)
        return std::nullopt;
    if (s == r * 10.0)
        return table.rows[r];
    if (r + 1 > last)
        return std::nullopt;
    const double perf = table.rows[r] + (s - 10.0 * r) / 10 * (table.rows[r + 1] - table.rows[r]);
    return wa ? std::round(perf) : perf;
}

} // namespace scoring
