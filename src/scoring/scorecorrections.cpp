#include "scoring/scorecorrections.h"

#include "meeting/itemtypes.h"

#include <QStringList>

#include <cmath>

namespace scoring {

namespace {

constexpr double kSprintPerMetre = 0.0015128205128205128;

// Band factors for bands 1 (1000 m) to 11 (2000 m): races up to 10000 m, then longer ones.
constexpr double kBandFactors[2][11] = {
    {-1.5, -3, -6, -12, -18, -21, -24, -27, -30, -33, -36},
    {-7.5, -15, -30, -60, -90, -105, -120, -135, -150, -247.5, -270}};
constexpr int kDistanceLimits[12] = {601,  881,  1001,  1201,  1761,  2001,
                                     3001, 5001, 10001, 21101, 42201, 50001};
constexpr double kDistanceFactors[12] = {-1.21, -3,  -3.86, -4.71, -6,   -8,
                                         -12,   -18, -36,   -108,  -216, -270};

double distanceFactor(int distance)
{
    for (int i = 0; i < 12; ++i) {
        if (distance < kDistanceLimits[i])
            return kDistanceFactors[i];
    }
    return kDistanceFactors[11];
}

// The correction of band 1..11 for a race of 401 m or more.
double bandValue(int band, int distance)
{
    if (band <= 2 && distance < 1201) {
        const bool first = band == 1;
        if (distance < 601)
            return first ? 0.29 : 0.15;
        if (distance < 881)
            return first ? 0.25 : 0.0;
        if (distance < 1001)
            return first ? -0.04 : -0.07;
        return first ? -0.19 : -0.14;
    }
    const int kind = distance <= 10000 ? 0 : 1;
    const double divisor = kind == 0 ? -36.0 : -270.0;
    return kBandFactors[kind][band - 1] * distanceFactor(distance) / divisor;
}

} // namespace

double handTimeCorrection(const meeting::ItemTypes& items, const QString& itemCode)
{
    if (items.IsFieldItem(itemCode))
        return 0.0;
    const int distance = items.TrackDistance(itemCode);
    if (distance <= 0)
        return 0.0;
    if (distance <= 200)
        return 0.24;
    if (distance <= 400)
        return 0.14;
    return 0.0;
}

double altitudeCorrectionForDistance(int distance, double altitude)
{
    if (distance <= 0)
        return 0.0;
    if (distance < 401)
        return (distance - 10) * kSprintPerMetre * (altitude / 2000);
    if (altitude < 1000)
        return 0.0;
    if (altitude >= 2000)
        return bandValue(11, distance);
    const int band = int(std::trunc(altitude / 100)) - 9;
    const double bandAltitude = (band + 9) * 100.0;
    const double value = bandValue(band, distance);
    if (altitude == bandAltitude)
        return value;
    const double next = bandValue(band + 1, distance);
    return value + (altitude - bandAltitude) / 100 * (next - value);
}

double altitudeCorrection(const meeting::ItemTypes& items, const QString& itemCode, double altitude)
{
    if (items.IsFieldItem(itemCode))
        return 0.0;
    if (!items.IsRelayGroup(items.ItemGroup(itemCode)))
        return altitudeCorrectionForDistance(items.TrackDistance(itemCode), altitude);
    double sum = 0.0;
    for (const QString& part : items.RelayLegs(itemCode).split(QLatin1Char(','))) {
        const QStringList legs = part.toLower().split(QLatin1Char('x'));
        const int count = legs.size() == 2 ? legs[0].toInt() : 1;
        const int distance = legs.last().toInt();
        sum += count * altitudeCorrectionForDistance(distance, altitude);
    }
    return sum;
}

} // namespace scoring
