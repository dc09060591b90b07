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

    // Every place column of the meeting's rows and the program's flags, as text; `raw`
    // keeps nulls apart from 0.
    QString tables(bool raw = false)
    {
        QString text;
        const QString columns = raw ? "E_PLACE, T_EMPTY, PLACE, PLACESHARECOUNT"
                                    : "coalesce(E_PLACE, 0), coalesce(T_EMPTY, 0), "
                                      "coalesce(PLACE, 0), coalesce(PLACESHARECOUNT, 0)";
        const QStringList queries{
            "select HEATPARTNO, " + columns + " from HEATPART order by 1",
            "select PARTNO, " + columns + " from PARTICIPATE order by 1",
            "select PROGRAMNO, NOT_CALCULATED_YET, PLACEDCOUNT from PROGRAM order by 1"};
        for (const QString& sql : queries) {
            db::Query q = database().openQuery(sql);
            for (q.first(); !q.eof(); q.next()) {
                for (const QVariant& v : q.resultSet().rows[q.position()])
                    text += v.toString() + ',';
                text += '\n';
            }
        }
        return text;
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

TEST_F(PlacesPropertyTest, CalculatingAllItemsGivesWhatCalculatingEachGives)
{
    const quint32 seed = 4242;
    QRandomGenerator random(seed);
    const qint64 event = addEvent(kSwim, 1);
    addFinal(event, randomHeat(random));
    for (int heatNo = 1; heatNo <= 30; ++heatNo) {
        addProgramRow(event, "A", heatNo, 1);
        addHeat(event, "A", heatNo, randomHeat(random));
    }
    // The rows that go one by one: a final filled from its heats, a combined race.
    const qint64 notRun = addEvent(QStringLiteral("BRE____100M13W"), 2, 0, true);
    addProgramRow(notRun, "A", 1, 2);
    const qint64 a = addAthlete(), b = addAthlete();
    addFinal(notRun, {{"", "", 0, a}, {"", "", 0, b}});
    addHeat(notRun, "A", 1, {{"1:20.00", "", 0, a}, {"1:19.00", "", 0, b}});
    const qint64 combined = addCombined();
    addFinal(addEvent(QStringLiteral("BCK____100M13W"), 3, combined), randomHeat(random));
    addFinal(addEvent(QStringLiteral("BCK____100M14W"), 3, combined), randomHeat(random));
    const QString before = tables(true);

    results::Places calc = swimPlaces();
    db::Query rows =
        database().openQuery("select PROGRAMNO from PROGRAM order by DAY_SEQ, SEQ, ROUND, HEATNO");
    QList<qint64> order;
    for (rows.first(); !rows.eof(); rows.next())
        order.append(rows.integer("PROGRAMNO"));
    for (qint64 row : order)
        calc.calcAndRefresh(row);
    const QString oneByOne = tables();
    ASSERT_NE(oneByOne, before);

    // Back to the rows as written, then all at once.
    const QStringList restore = before.split('\n', Qt::SkipEmptyParts);
    for (const QString& line : restore) {
        const QStringList v = line.split(',');
        const QString key = v[0];
        if (v.size() == 6) {
            const QString set = " set E_PLACE = " + (v[1].isEmpty() ? "null" : v[1]) +
                                ", T_EMPTY = " + (v[2].isEmpty() ? "null" : v[2]) +
                                ", PLACE = " + (v[3].isEmpty() ? "null" : v[3]) +
                                ", PLACESHARECOUNT = " + (v[4].isEmpty() ? "null" : v[4]);
            database().execute("update HEATPART" + set + " where HEATPARTNO = " + key);
            database().execute("update PARTICIPATE" + set + " where PARTNO = " + key);
        } else {
            database().execute("update PROGRAM set NOT_CALCULATED_YET = " + v[1] +
                               ", PLACEDCOUNT = " + v[2] + " where PROGRAMNO = " + key);
        }
    }
    ASSERT_EQ(tables(true), before);
    ASSERT_TRUE(calc.CalcAllPlaces(m_meetingNo));
    EXPECT_EQ(tables(), oneByOne) << "seed " << seed;
    EXPECT_EQ(internalErrors(), 0) << errorTexts();
}

} // namespace
