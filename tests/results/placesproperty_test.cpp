// Many random heats: whatever the times, digits and stored places, the calculated places
// agree with the check, rank 1, 2, 2, 4 and do not move when calculated again.

#include "placesfixture.h"

#include <QRandomGenerator>

#include <algorithm>

namespace {

const QString kSwim = QStringLiteral("FRE____100M13W");

struct Snapshot {
    QList<int> ePlaces;
    QList<int> places;
    QList<int> shares;
    bool operator==(const Snapshot&) const = default;
};

class PlacesPropertyTest : public PlacesTest {
protected:
    // A heat of 1 to 10 swimmers: times drawn from a few values so that ties are common,
    // some with a third digit, some with a stored place, some with no time at all.
    QList<Swim> randomHeat(QRandomGenerator& random)
    {
        static const QStringList times{"1:05.10", "1:05.10", "1:05.11", "1:05.20", "1:06.00"};
        QList<Swim> heat;
        const int lanes = 1 + int(random.bounded(10));
        for (int lane = 0; lane < lanes; ++lane) {
            Swim swim;
            const int kind = int(random.bounded(10));
            if (kind > 0)
                swim.performance = times[random.bounded(int(times.size()))];
            if (!swim.performance.isEmpty() && random.bounded(4) == 0)
                swim.thirdDigit = QString::number(random.bounded(10));
            if (random.bounded(3) == 0)
                swim.ePlace = 1 + int(random.bounded(lanes));
            heat.append(swim);
        }
        return heat;
    }

    Snapshot snapshot(const QList<qint64>& keys)
    {
        return {ePlaces("A", keys), places("A", keys), shares("A", keys)};
    }
};

TEST_F(PlacesPropertyTest, RandomHeatsAreRankedConsistentlyAndStable)
{
    const quint32 seed = 20261206;
    QRandomGenerator random(seed);
    const qint64 event = addEvent(kSwim);
    results::Places calc = swimPlaces();
    for (int heatNo = 1; heatNo <= 120; ++heatNo) {
        const QList<Swim> swims = randomHeat(random);
        const qint64 row = addProgramRow(event, "A", heatNo);
        const QList<qint64> keys = addHeat(event, "A", heatNo, swims);
        SCOPED_TRACE("seed " + std::to_string(seed) + " heat " + std::to_string(heatNo));

        ASSERT_TRUE(calc.calcAndRefresh(row));
        QStringList errors;
        EXPECT_TRUE(
            results::CheckRacePlaces(database(), run().items(), event, "A", heatNo, kSwim, &errors))
            << errors.join(" | ").toStdString();
        EXPECT_TRUE(calc.CalcFinalPlaces(row, results::FinalPlacesMode::Check, &errors))
            << errors.join(" | ").toStdString();
        EXPECT_EQ(notCalculated(row), 0);

        // Ranking: in place order each place either ties the one before or is the count.
        const Snapshot first = snapshot(keys);
        QList<int> placed;
        for (int p : first.ePlaces) {
            if (p > 0)
                placed.append(p);
        }
        std::sort(placed.begin(), placed.end());
        for (qsizetype i = 0; i < placed.size(); ++i) {
            const int expectedNew = int(i) + 1;
            EXPECT_TRUE(placed[i] == expectedNew || (i > 0 && placed[i] == placed[i - 1]))
                << "place " << placed[i] << " at position " << expectedNew;
        }
        // Every swimmer with a time is placed.
        for (qsizetype i = 0; i < swims.size(); ++i) {
            if (!swims[i].performance.isEmpty()) {
                EXPECT_GT(first.ePlaces[i], 0);
            }
        }

        QStringList changes;
        ASSERT_TRUE(calc.calcAndRefresh(row, &changes));
        EXPECT_TRUE(changes.isEmpty()) << changes.join(" | ").toStdString();
        EXPECT_EQ(snapshot(keys), first);
        if (HasFailure())
            break;
    }
    EXPECT_EQ(internalErrors(), 0) << errorTexts();
}

} // namespace
