#include "scoring/athletetablescore.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/genderage.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "scoring/scoresets.h"

#include <algorithm>
#include <cmath>

namespace scoring {

TableScoreSettings TableScoreSettings::of(const meeting::MeetingSettings& meeting)
{
    TableScoreSettings s;
    s.scoreSet = int(meeting.integer(QStringLiteral("SCORESETNO")));
    s.nAthlonScoreSet = int(meeting.integer(QStringLiteral("NATHLON_SCORESET")));
    s.hasTableScore = meeting.integer(QStringLiteral("HAS_TABLE_SCORE")) == 1;
    s.hasMastersItems = meeting.integer(QStringLiteral("HAS_MASTERS_ITEMS")) == 1;
    s.heightAboveSea = int(meeting.integer(QStringLiteral("HEIGHTABOVESEA")));
    s.timingCode = int(meeting.integer(QStringLiteral("ELECHAND")));
    return s;
}

AgedItem itemForAge(const QString& itemCode, int age, bool hasMastersItems)
{
    AgedItem result{itemCode, false, {}};
    const int itemAge = itemCode.mid(11, 2).toInt();
    if ((itemAge >= 26 && age >= 26) || hasMastersItems) {
        if (age < 26) {
            result.refusal = QStringLiteral("Age not < senior: ") + itemCode;
            return result;
        }
        if (meeting::seniorAge(age) == 25) {
            result.itemCode = itemCode.left(11) + QStringLiteral("25") + itemCode.mid(13);
            return result;
        }
        result.masters = true;
        const QString gender = itemCode.mid(10, 1);
        const int hurdles = itemCode.startsWith(QLatin1String("HDL"))
                                ? QString(itemCode.mid(3, 7)).remove(QLatin1Char('_')).toInt()
                                : 0;
        if (hurdles > 0 && hurdles <= 110) {
            if (gender == QLatin1String("M"))
                result.itemCode = QStringLiteral("HDL____110M25");
            else if (gender == QLatin1String("F"))
                result.itemCode = QStringLiteral("HDL____100F25");
            else
                result.refusal = QStringLiteral("Invalid relay gender");
            return result;
        }
        result.itemCode = itemCode.left(11) + QStringLiteral("25") + itemCode.mid(13);
        return result;
    }
    if (itemAge == 99 || itemAge > 35)
        result.itemCode =
            itemCode.left(11) + QString::number(age).rightJustified(2, '0') + itemCode.mid(13);
    return result;
}

int mastersAgeGroup(int age)
{
    return std::clamp(age / 5 * 5, 35, 95);
}

double ageGraded(double value, double factor, bool field)
{
    const double graded = value * factor + (field ? 0.0 : 0.01);
    // 1e-9 keeps a product that is a whole number of hundredths from losing one to binary
    // noise (11.00 x 0.9 is 9.899999...).
    return std::trunc(graded * 100 + 1e-9) / 100;
}

AthleteScores::AthleteScores(db::DmdCoreDbs& database, TableScores& scores,
                             const TableScoreSettings& settings)
    : m_db(database), m_scores(scores), m_settings(settings)
{
}

std::optional<int> AthleteScores::AthleteTableScore(const QString& itemCode, const QString& perf,
                                                    qint64 athleteNo, bool clamp, int timingCode,
                                                    int nAthlon)
{
    if (meeting::ItemTypes::PerfIsBlank(perf))
        return 0;
    if (athleteNo <= 0)
        return AthleteTableScore(itemCode, perf, nullptr, clamp, timingCode, nAthlon);
    db::Query q = m_db.openQuery(QStringLiteral("select AGE, N_ATHLON from ATHLETE where "
                                                "ATHLETENO=") +
                                 db::sqlInt(athleteNo));
    if (!q.isOpen() || q.isEmpty())
        return std::nullopt;
    const ScoredAthlete athlete{int(q.integer(QStringLiteral("AGE"))),
                                int(q.integer(QStringLiteral("N_ATHLON")))};
    return AthleteTableScore(itemCode, perf, &athlete, clamp, timingCode, nAthlon);
}

std::optional<int> AthleteScores::AthleteTableScore(const QString& itemCode, const QString& perf,
                                                    const ScoredAthlete* athlete, bool clamp,
                                                    int timingCode, int nAthlon)
{
    if (meeting::ItemTypes::PerfIsBlank(perf))
        return 0;
    const bool total = itemCode.startsWith(QLatin1String("NTH"));
    const bool component = nAthlon != 0 && !total;
    if (!m_settings.hasTableScore && !component)
        return 0;
    base::Messages& messages = m_db.messages();
    QString scoredItem = itemCode;
    if (athlete) {
        if (nAthlon != 0 && athlete->nAthlon != nAthlon) {
            messages.internalError(612001, QStringLiteral("nAthlon of Item and Athlete: ") +
                                               QString::number(nAthlon) + QLatin1Char(' ') +
                                               QString::number(athlete->nAthlon));
            return std::nullopt;
        }
        const AgedItem aged = itemForAge(itemCode, athlete->age, m_settings.hasMastersItems);
        if (!aged.refusal.isEmpty()) {
            messages.warning(aged.refusal);
            return std::nullopt;
        }
        scoredItem = aged.itemCode;
        if (aged.masters) {
            const int code = timingCode != 0 ? timingCode : m_settings.timingCode;
            const std::optional<int> score =
                mastersTableScore(m_scores, messages, itemCode, perf, athlete->age, component,
                                  m_settings.heightAboveSea, code == 1);
            if (score && clamp && *score != 0)
                return std::clamp(*score, 0, 1200);
            return score;
        }
    }
    const int set = component ? m_settings.nAthlonScoreSet : m_settings.scoreSet;
    const int code = timingCode != 0 ? timingCode : m_settings.timingCode;
    const std::optional<int> score =
        m_scores.PerfToScore(set, scoredItem, perf, m_settings.heightAboveSea, code == 1);
    if (!score)
        return std::nullopt;
    if (clamp && set != 5 && *score != 0)
        return std::clamp(*score, 0, 1200);
    return score;
}

namespace {

// The age factor of a masters result; empty when the data has none.
std::optional<double> mastersFactor(const ScoreData& data, const QString& itemCode, int age)
{
    const ScoreSetData* factors = data.ageFactorSet();
    if (!factors)
        return std::nullopt;
    const QMap<int, double> byAge = factors->ageFactors.value(itemCode.left(11));
    const auto it = byAge.constFind(mastersAgeGroup(age));
    if (it == byAge.constEnd())
        return std::nullopt;
    return it.value();
}

// Masters are scored on the World Athletics tables: the combined-event one for n-athlon
// components, the 2017 one otherwise.
int mastersScoreSet(bool component)
{
    return component ? 19 : 32;
}

} // namespace

QString mastersRefusal(const ScoreData& data, const QString& itemCode, int age, bool component)
{
    const ScoreSetData* factors = data.ageFactorSet();
    if (!factors)
        return QStringLiteral("No Age-Factor for ") + itemCode +
               QStringLiteral(": the masters age factors are not loaded");
    if (!mastersFactor(data, itemCode, age))
        return QStringLiteral("No Age-Factor for ") + itemCode + QStringLiteral(" at the age of ") +
               QString::number(mastersAgeGroup(age)) + QStringLiteral(" in ") +
               scoreSetDisplayName(factors->number);
    const int set = mastersScoreSet(component);
    if (!data.isLoaded(set))
        return QStringLiteral("The ScoreTable for ") + scoreSetDisplayName(set) +
               QStringLiteral(" is not available");
    return {};
}

std::optional<int> mastersTableScore(TableScores& scores, base::Messages& messages,
                                     const QString& itemCode, const QString& perf, int age,
                                     bool component, double altitude, bool electronic)
{
    const std::optional<double> value = scores.items().PerfTextToValue(perf);
    if (!value || *value == 0)
        return 0; // an empty performance is not graded
    if (const QString why = mastersRefusal(scores.data(), itemCode, age, component);
        !why.isEmpty()) {
        messages.warning(why);
        return std::nullopt;
    }
    double factor = *mastersFactor(scores.data(), itemCode, age);
    if (!(factor > 0.1 && factor < 20)) {
        messages.internalError(612002, QStringLiteral("Invalid factor: ") + itemCode);
        factor = 1;
    }
    const AgedItem open = itemForAge(itemCode, age, true);
    const bool field = scores.items().IsFieldItem(itemCode);
    return scores.valueToScore(mastersScoreSet(component), open.itemCode,
                               ageGraded(*value, factor, field), altitude, electronic);
}

} // namespace scoring
