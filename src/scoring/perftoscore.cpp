#include "scoring/perftoscore.h"

#include "base/messages.h"
#include "meeting/itemtypes.h"
#include "scoring/scorecorrections.h"
#include "scoring/scoresets.h"

#include <cmath>

namespace scoring {

TableScores::TableScores(const meeting::ItemTypes& items, base::Messages& messages,
                         const ScoreData& data)
    : m_items(items), m_messages(messages), m_data(data)
{
}

bool TableScores::requireLoaded(int set)
{
    if (m_data.isLoaded(set))
        return true;
    m_messages.warning(QStringLiteral("The ScoreTable for ") + scoreSetDisplayName(set) +
                       QStringLiteral(" is not available"));
    return false;
}

bool TableScores::requireAtHand(int set)
{
    return m_data.isAtHand(set) || requireLoaded(set);
}

void TableScores::notBranched()
{
    m_messages.internalError(
        611001, QStringLiteral("Not branched correctly.\r\rTHE PROBLEM\rYou may have selected a "
                               "score-table that is not released yet.\r\rTHE SOLUTION\rPlease "
                               "select a recordset that is released.\rThis is done under "
                               "\"Before\" -> \"Edit Settings\"."));
}

TableScores::Route TableScores::shapeRoute(const QString& itemCode)
{
    const ScoreSetData* data = m_data.set(34);
    Route r{34, itemCode};
    if (!data)
        return r;
    // Shapes may build on shapes; the file is refused when they run in a circle.
    for (int depth = 0; depth < 64; ++depth) {
        const auto it = data->shapes.constFind(r.itemCode);
        if (it == data->shapes.constEnd())
            return r;
        const QString& next = it->shapeItem;
        if (!data->items.contains(next) && !data->shapes.contains(next)) {
            m_messages.internalError(611006, QStringLiteral("No shape: ") + r.itemCode);
            return {0, itemCode, true};
        }
        r.factor *= it->factor;
        r.itemCode = next;
    }
    return r;
}

TableScores::Route TableScores::route(int set, const QString& itemCode, bool tell)
{
    auto has = [&](int s, const QString& code) { return m_data.item(s, code) != nullptr; };
    switch (set) {
    case 39:
        if (has(39, itemCode))
            return {39, itemCode};
        return route(15, itemCode, tell);
    case 15: {
        // Turbo javelins have options of their own (a local table can take them).
        if (itemCode.mid(3, 7) == QLatin1String("TrbJavl")) {
            if (tell)
                m_messages.warning(QStringLiteral("Go to the turbo-javelin options"));
            return {0, itemCode, true};
        }
        QString code = itemCode;
        // The 70 m hurdles of the twelve-year-olds are scored as their 75 m hurdles.
        if (code.startsWith(QLatin1String("HDL_____70F12")) ||
            code.startsWith(QLatin1String("HDL_____70M12")))
            code[9] = QLatin1Char('5');
        return route(14, code, tell);
    }
    case 14:
        // Only this item has constants of ABSA 2006's own; without them it is not scored
        // on the 2003 ones.
        if (itemCode == QLatin1String("HDL____110M19"))
            return {14, itemCode};
        return {4, itemCode};
    case 26:
        // The set's own table comes first: without it the fallbacks do not stand in.
        if (!m_data.isLoaded(26) || has(26, itemCode))
            return {26, itemCode};
        if (itemCode.startsWith(QLatin1String("REL4X100__")))
            return {22, itemCode};
        if (itemCode.startsWith(QLatin1String("REL4X400__")) ||
            itemCode.startsWith(QLatin1String("THRHammer_")) ||
            itemCode.startsWith(QLatin1String("STP")) || itemCode.startsWith(QLatin1String("WLK")))
            return {4, itemCode};
        return {26, itemCode};
    case 29:
        if (itemCode.startsWith(QLatin1String("LOD____600")))
            return {22, itemCode};
        return {31, itemCode};
    case 34:
        return shapeRoute(itemCode);
    case 40:
        if (has(40, itemCode))
            return {40, itemCode};
        return {38, itemCode};
    default:
        return {set, itemCode};
    }
}

std::optional<double> TableScores::ownPoints(const Route& r, const ItemScoreData& d, double value)
{
    if (d.hasPairs)
        return pairTablePoints(d.pairs, value);
    if (!d.derivedCurve.isEmpty())
        return polynomialPoints(value / d.curveFactor,
                                m_data.set(r.set)->curves.value(d.derivedCurve).coefficients);
    if (scoreSetInfo(r.set).method == ScoreMethod::Local) {
        if (d.hasRows)
            return rowTablePoints(d.table, RowFamily::Asa, value);
        return absaPoints(value, d.field, d.absa);
    }
    return std::nullopt;
}

std::optional<double> TableScores::ownPerf(const Route& r, const ItemScoreData& d, double points)
{
    if (d.hasPairs)
        return pairTablePerf(d.pairs, points) / 100;
    if (!d.derivedCurve.isEmpty()) {
        const DerivedCurve curve = m_data.set(r.set)->curves.value(d.derivedCurve);
        const std::optional<double> p =
            polynomialPerf(points, curve.coefficients, curve.low, curve.high);
        if (!p)
            m_messages.internalError(611003, QStringLiteral("a and b same sign"));
        return p ? std::optional<double>(*p * d.curveFactor) : std::nullopt;
    }
    if (scoreSetInfo(r.set).method == ScoreMethod::Local) {
        if (!d.hasRows)
            return absaPerf(points, d.field, d.absa);
        const std::optional<double> p = rowTablePerf(d.table, RowFamily::Asa, points);
        if (!p)
            m_messages.internalError(611004, QStringLiteral("Error getting sides"));
        return p ? std::optional<double>(*p / 100) : std::nullopt;
    }
    return std::nullopt;
}

std::optional<double> TableScores::pointsOf(const Route& r, double value)
{
    const ScoreSetInfo info = scoreSetInfo(r.set);
    switch (info.method) {
    case ScoreMethod::Power:
    case ScoreMethod::Quadratic:
    case ScoreMethod::Absa:
    case ScoreMethod::DoubleExp:
    case ScoreMethod::Rows:
    case ScoreMethod::WaRows:
    case ScoreMethod::Ape:
    case ScoreMethod::Local:
        break;
    case ScoreMethod::Asa2007:
        // The shape of this formula is not at hand, only its name: never scored.
        m_messages.warning(QStringLiteral("The ScoreTable for ") + info.displayName +
                           QStringLiteral(" is not available"));
        return std::nullopt;
    default:
        notBranched();
        return std::nullopt;
    }
    if (!requireLoaded(r.set))
        return std::nullopt;
    const ItemScoreData* d = m_data.item(r.set, r.itemCode);
    if (!d)
        return 0.0;
    value /= r.factor;
    if (const std::optional<double> own = ownPoints(r, *d, value))
        return own;
    switch (info.method) {
    case ScoreMethod::Power:
        return powerPoints(value, d->field, d->scale, d->a, d->b, d->c);
    case ScoreMethod::Quadratic:
        return quadraticPoints(value, d->a, d->b, d->c);
    case ScoreMethod::Absa:
        return absaPoints(value, d->field, d->absa);
    case ScoreMethod::Ape:
        return apePoints(value, d->field, d->curve, d->low, d->high, m_data.set(r.set)->ape);
    case ScoreMethod::DoubleExp:
        if (!d->field && r.set != 33)
            return 0.0;
        return doubleExpPoints(value, d->field, d->a, d->b, d->c);
    case ScoreMethod::Rows:
    case ScoreMethod::WaRows: {
        const bool wa = info.method == ScoreMethod::WaRows;
        if (!d->hasRows || d->first == 0 || d->last == 0) {
            m_messages.warning(
                (wa ? QStringLiteral("The low or high performances is incorrect for")
                    : QStringLiteral("The low and high performances is incorrect for")) +
                QLatin1Char(' ') + r.itemCode);
            return 0.0;
        }
        return rowTablePoints(d->table, wa ? RowFamily::WorldAthletics : RowFamily::Asa, value);
    }
    default:
        return std::nullopt;
    }
}

std::optional<double> TableScores::rawPoints(int set, const QString& itemCode, double value)
{
    if (itemCode.isEmpty()) {
        m_messages.internalError(611002, QStringLiteral("Empty item for \"PerfToScore\""));
        return std::nullopt;
    }
    if (itemCode.size() > 13) {
        m_messages.warning(QStringLiteral("Invalid Item: ") + itemCode);
        return std::nullopt;
    }
    const Route r = route(set, itemCode);
    if (r.refused)
        return std::nullopt;
    return pointsOf(r, value);
}

std::optional<int> TableScores::valueToScore(int set, const QString& itemCode, double value,
                                             double altitude, bool electronic)
{
    if (std::fabs(value) < 0.02)
        return 0;
    if (!electronic)
        value += handTimeCorrection(m_items, itemCode);
    if (!isNoAltitudeSet(set))
        value += altitudeCorrection(m_items, itemCode, altitude);
    if (set == 22)
        value -= altitudeCorrection(m_items, itemCode, 1000);
    const std::optional<double> points = rawPoints(set, itemCode, value);
    if (!points)
        return std::nullopt;
    return std::max(0, int(std::trunc(*points)));
}

std::optional<int> TableScores::PerfToScore(int set, const QString& itemCode, const QString& perf,
                                            double altitude, bool electronic)
{
    if (meeting::ItemTypes::PerfIsBlank(perf))
        return 0;
    const std::optional<double> value = m_items.PerfTextToValue(perf);
    if (!value)
        return 0;
    return valueToScore(set, itemCode, *value, altitude, electronic);
}

std::optional<double> TableScores::perfOf(const Route& r, double points)
{
    const ScoreSetInfo info = scoreSetInfo(r.set);
    const ItemScoreData* d = m_data.item(r.set, r.itemCode);
    auto programError = [&] {
        m_messages.warning(QStringLiteral("Program error: ") + r.itemCode +
                           QStringLiteral(" It could be one of two things:") +
                           QStringLiteral("1) The program did not test that the item is defined "
                                          "(has a score).") +
                           QStringLiteral("2) The formula is not branched correctly."));
        return std::nullopt;
    };
    if (!d)
        return programError();
    if (d->hasPairs || !d->derivedCurve.isEmpty() || info.method == ScoreMethod::Local)
        return ownPerf(r, *d, points);
    switch (info.method) {
    case ScoreMethod::Power:
        return powerPerf(points, d->field, d->scale, d->a, d->b, d->c);
    case ScoreMethod::Quadratic: {
        const std::optional<double> p = quadraticPerf(points, d->a, d->b, d->c, d->low, d->high);
        if (!p)
            m_messages.internalError(611003, QStringLiteral("a and b same sign"));
        return p;
    }
    case ScoreMethod::Absa:
        return absaPerf(points, d->field, d->absa);
    case ScoreMethod::Ape:
        return apePerf(points, d->field, d->curve, d->low, d->high, m_data.set(r.set)->ape);
    case ScoreMethod::DoubleExp:
        if (!d->field && r.set != 33)
            return programError();
        return doubleExpPerf(points, d->field, d->a, d->b, d->c);
    case ScoreMethod::Rows:
    case ScoreMethod::WaRows: {
        const bool wa = info.method == ScoreMethod::WaRows;
        const std::optional<double> p =
            rowTablePerf(d->table, wa ? RowFamily::WorldAthletics : RowFamily::Asa, points);
        if (!p) {
            m_messages.internalError(611004, QStringLiteral("Error getting sides"));
            return std::nullopt;
        }
        return *p / 100;
    }
    default:
        return programError();
    }
}

std::optional<double> TableScores::ScoreToPerf(int set, const QString& itemCode, double points,
                                               double altitude, bool electronic)
{
    if (itemCode.size() > 13) {
        m_messages.warning(QStringLiteral("Invalid Item: ") + itemCode);
        return std::nullopt;
    }
    const Route r = route(set, itemCode);
    if (r.refused)
        return std::nullopt;
    const ScoreSetInfo info = scoreSetInfo(r.set);
    if (info.method == ScoreMethod::None || info.method == ScoreMethod::Retired ||
        info.method == ScoreMethod::AgeFactors || info.method == ScoreMethod::IdentifierOnly) {
        notBranched();
        return std::nullopt;
    }
    if (!requireLoaded(r.set))
        return std::nullopt;
    std::optional<double> perf = perfOf(r, points);
    if (!perf)
        return std::nullopt;
    double value = *perf * r.factor;
    if (!electronic)
        value -= handTimeCorrection(m_items, itemCode);
    if (!isNoAltitudeSet(set))
        value -= altitudeCorrection(m_items, itemCode, altitude);
    if (set == 29)
        value += altitudeCorrection(m_items, itemCode, 1000);
    const bool total = itemCode.startsWith(QLatin1String("NTH"));
    return roundHalfEven(value, total ? 1 : 2);
}

bool TableScores::ZItemIsDefined(int set, const QString& itemCode)
{
    if (itemCode.isEmpty()) {
        m_messages.internalError(611005, QStringLiteral("Empty item for \"ZItemIsDefined\""));
        return false;
    }
    const Route r = route(set, itemCode, false);
    return !r.refused && m_data.item(r.set, r.itemCode) != nullptr;
}

} // namespace scoring
