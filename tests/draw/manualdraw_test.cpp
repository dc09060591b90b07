#include "handdrawfixture.h"

#include "db/sqltext.h"
#include "draw/drawengine.h"
#include "draw/manualdraw.h"

#include <QMap>

namespace {

using base::MessageKind;

// The manual draw on a first round of two heats of four: teams DOL and SHA.
class ManualDrawTest : public HandDrawFixture {
protected:
    void SetUp() override
    {
        HandDrawFixture::SetUp();
        m_event = addSelected("FRE____100M13W");
        saveFormat(m_event, "2,3,2");
        m_dol = addTeam("DOL");
        m_sha = addTeam("SHA");
        for (int i = 0; i < 8; ++i) {
            const qint64 a = addSwimmer(i % 2 ? m_sha : m_dol, QString("Swimmer%1").arg(i));
            enterSwimmer(m_event, a, QString("00:01:%1.00").arg(10 + i));
            m_athletes.append(a);
            seat(m_event, "A", i / 4 + 1, a, i % 4 + 1);
        }
        m_sink.clear();
    }
    std::unique_ptr<draw::ManualDraw> opened(const QString& round = "A")
    {
        auto manual = std::make_unique<draw::ManualDraw>(database(), *m_items, messages());
        EXPECT_TRUE(manual->open(m_event, round));
        return manual;
    }
    int row(draw::ManualDraw& manual, int i) { return manual.indexOf(m_athletes[i]); }

    qint64 m_event = 0;
    qint64 m_dol = 0;
    qint64 m_sha = 0;
    QList<qint64> m_athletes;
};

TEST_F(ManualDrawTest, TheWorkTableHoldsEveryEntryWithTheHeatAndLaneOfTheRound)
{
    const qint64 late = addSwimmer(m_dol, "Late");
    enterSwimmer(m_event, late);
    auto manual = opened();
    ASSERT_EQ(manual->rows().size(), 9);
    const draw::ManualDrawRow& drawn = manual->rows()[row(*manual, 5)];
    EXPECT_EQ(drawn.thisHeat, "2");
    EXPECT_EQ(drawn.thisLane, "2");
    EXPECT_EQ(drawn.teamAbrv, "SHA");
    EXPECT_EQ(drawn.perfBefore, "00:01:15.00");
    EXPECT_TRUE(drawn.hasPBefore);
    EXPECT_FALSE(manual->rows()[manual->indexOf(late)].drawn());
    manual->sort(draw::ManualOrder::PreviousPerformance);
    EXPECT_EQ(manual->rows().first().athleteNo, m_athletes[0]);
    EXPECT_EQ(manual->rows().last().athleteNo, late); // no performance: last
}

TEST_F(ManualDrawTest, LaneChecksFindDuplicatesGapsAndAWrongStart)
{
    EXPECT_EQ(draw::laneFaults({1, 2, 3, 4}), QString());
    EXPECT_EQ(draw::laneFaults({1, 2, 2, 4}), ", Has Duplicates, Has Gaps");
    EXPECT_EQ(draw::laneFaults({2, 3, 4}), ", Do not start at 1");
    EXPECT_EQ(draw::laneFaults({1, 3}), ", Has Gaps");
    EXPECT_EQ(draw::laneFaults({0, 0, 1}), QString()); // lane 0: not in a lane
    EXPECT_EQ(draw::laneFaults({}), QString());
}

TEST_F(ManualDrawTest, MovingTwoSwimmersByHandIsVerifiedAndWritten)
{
    auto manual = opened();
    // Swimmer 0 (heat 1 lane 1) and swimmer 5 (heat 2 lane 2) change places by hand.
    ASSERT_TRUE(manual->setHeatLane(row(*manual, 0), "2", "2"));
    EXPECT_EQ(manual->verifyErrors(),
              QStringList({"Heat 1, Do not start at 1", "Heat 2, Has Duplicates"}));
    ASSERT_TRUE(manual->setHeatLane(row(*manual, 5), "1", "1"));
    EXPECT_TRUE(manual->verify());
    EXPECT_TRUE(m_sink.saw("Verified: The lanes are correct"));
    const qint64 untouched =
        value("select HEATPARTNO from HEATPART where ATHLETENO = " + db::sqlInt(m_athletes[3]))
            .toLongLong();
    ASSERT_TRUE(manual->accept());
    EXPECT_EQ(where(m_event, "A", m_athletes[0]), "2/2");
    EXPECT_EQ(where(m_event, "A", m_athletes[5]), "1/1");
    EXPECT_EQ(
        value("select TEAMDRAW_USED from HEATPART where ATHLETENO = " + db::sqlInt(m_athletes[0])),
        "0");
    // Rows not edited keep their keys.
    EXPECT_EQ(
        value("select HEATPARTNO from HEATPART where ATHLETENO = " + db::sqlInt(m_athletes[3]))
            .toLongLong(),
        untouched);
    EXPECT_FALSE(manual->hasEdits());
}

TEST_F(ManualDrawTest, AcceptingAHeatWithErrorsAsksAndARefusalWritesNothing)
{
    const QString before = drawPicture(m_event, "A");
    auto manual = opened();
    ASSERT_TRUE(manual->setHeatLane(row(*manual, 0), "1", "2")); // lanes 2, 2, 3, 4
    m_sink.answerNo();
    EXPECT_FALSE(manual->accept());
    EXPECT_TRUE(m_sink.saw("Heat 1, Do not start at 1, Has Duplicates"));
    EXPECT_TRUE(m_sink.saw("Accept with errors"));
    EXPECT_EQ(drawPicture(m_event, "A"), before);
    m_sink.answerYes();
    EXPECT_TRUE(manual->accept());
    EXPECT_EQ(where(m_event, "A", m_athletes[0]), "1/2");
}

TEST_F(ManualDrawTest, TypedTextsOutOfRangeOrHalfFilledAreRefusedWithTheRowUnchanged)
{
    auto manual = opened();
    const int r = row(*manual, 2);
    const struct {
        QString heat, lane, message;
    } cases[] = {
        {"x", "1", "The Heat must be a number.  0 is also allowed"},
        {"1", "two", "The Lane must be a number.  0 is also allowed"},
        {"-1", "1", "The Heat must be a number"},
        {"1", "", "Both Heat and Lane must either be empty or filled"},
        {"", "3", "Both Heat and Lane must either be empty or filled"},
        {"3", "1", "Round A has only 2 heats, not 3"},
        {"1", "11", "The lane must be from 0 to 8, not 11"},
    };
    for (const auto& c : cases) {
        m_sink.clear();
        EXPECT_FALSE(manual->setHeatLane(r, c.heat, c.lane)) << c.heat.toStdString();
        EXPECT_TRUE(m_sink.saw(c.message)) << c.message.toStdString();
        EXPECT_EQ(manual->rows()[r].thisHeat, "1");
        EXPECT_EQ(manual->rows()[r].thisLane, "3");
    }
    EXPECT_FALSE(manual->hasEdits());
}

TEST_F(ManualDrawTest, HeatZeroOrEmptyTakesTheSwimmerOutAndANewOneGetsARow)
{
    const qint64 late = addSwimmer(m_sha, "Late");
    enterSwimmer(m_event, late);
    auto manual = opened();
    ASSERT_TRUE(manual->setHeatLane(row(*manual, 7), "0", "0"));
    ASSERT_TRUE(manual->setHeatLane(manual->indexOf(late), "2", "4"));
    ASSERT_TRUE(manual->setHeatLane(row(*manual, 6), "", ""));
    m_sink.answerYes(); // heat 2 now has lanes 1, 2, 4
    ASSERT_TRUE(manual->accept());
    EXPECT_EQ(where(m_event, "A", m_athletes[7]), "-");
    EXPECT_EQ(where(m_event, "A", m_athletes[6]), "-");
    EXPECT_EQ(where(m_event, "A", late), "2/4");
    EXPECT_EQ(value("select MEETINGNO || '/' || PLACE || '/' || DISQ_STATUS from HEATPART "
                    "where ATHLETENO = " +
                    db::sqlInt(late)),
              QString::number(m_meetingNo) + "/0/0");
}

TEST_F(ManualDrawTest, SwapsExchangeHeatAndLaneAndRefuseWrongPairs)
{
    auto manual = opened();
    const QString before = drawPicture(m_event, "A");
    // Himself, and a swimmer of another team in the same-team swap.
    EXPECT_FALSE(manual->swapRows(row(*manual, 0), row(*manual, 0), false));
    EXPECT_TRUE(m_sink.saw("You must select two athletes"));
    EXPECT_FALSE(manual->swapRows(row(*manual, 0), row(*manual, 1), true));
    EXPECT_TRUE(m_sink.saw("The two athletes must be from the same team"));
    // Three selected.
    for (int i : {0, 2, 4})
        manual->toggleSelected(row(*manual, i));
    EXPECT_FALSE(manual->swapSelected(false));
    EXPECT_TRUE(m_sink.saw("More than two selected: 3"));
    // Cancelled at the question.
    m_sink.answerNo();
    EXPECT_FALSE(manual->swapRows(row(*manual, 0), row(*manual, 6), true));
    EXPECT_EQ(drawPicture(m_event, "A"), before);

    m_sink.answerYes();
    ASSERT_TRUE(manual->swapRows(row(*manual, 0), row(*manual, 6), true));
    EXPECT_TRUE(m_sink.saw("Done: Athletes swopped"));
    EXPECT_EQ(where(m_event, "A", m_athletes[0]), "2/3");
    EXPECT_EQ(where(m_event, "A", m_athletes[6]), "1/1");
    // Any two: one of them not drawn at all gives his place to the other.
    const qint64 late = addSwimmer(m_dol, "Late");
    enterSwimmer(m_event, late);
    ASSERT_TRUE(manual->reload());
    m_sink.answerYes();
    ASSERT_TRUE(manual->swapRows(row(*manual, 1), manual->indexOf(late), false));
    EXPECT_EQ(where(m_event, "A", late), "1/2");
    EXPECT_EQ(where(m_event, "A", m_athletes[1]), "-");
}

TEST_F(ManualDrawTest, RoundsWithResultsAreNeverOpened)
{
    ASSERT_TRUE(database().execute("update HEATPART set PERFORMANCE = '00:01:02.00' where "
                                   "ATHLETENO = " +
                                   db::sqlInt(m_athletes[3])));
    draw::ManualDraw manual(database(), *m_items, messages());
    EXPECT_FALSE(manual.open(m_event, "A"));
    EXPECT_TRUE(m_sink.saw("The DrawManually never allows drawing or anything on"));
    EXPECT_TRUE(manual.rows().isEmpty());
    EXPECT_FALSE(manual.open(m_event, "B"));
    EXPECT_TRUE(m_sink.saw("Round B is not a round of this event"));
}

TEST_F(ManualDrawTest, ClearingTheFinalResetsResultsStatusesAndLanes)
{
    ASSERT_TRUE(database().execute(
        "update PARTICIPATE set LANE = 3, PLACE = 2, PERFORMANCE = '00:01:00.00', DISQ_STATUS = "
        "0, E_PLACE = 2, DID_NOT_CALL = 1, FINAL_ORDER = 4 where EVENTNO = " +
        db::sqlInt(m_event)));
    // A final with results is refused; once they are cleared elsewhere, lanes and the
    // rest of a drawn final go with the draw.
    draw::ManualDraw refused(database(), *m_items, messages());
    EXPECT_FALSE(refused.open(m_event, "F"));
    ASSERT_TRUE(database().execute("update PARTICIPATE set PLACE = 0, PERFORMANCE = '' where "
                                   "EVENTNO = " +
                                   db::sqlInt(m_event)));
    auto manual = opened("F");
    ASSERT_TRUE(manual->clearDraw());
    EXPECT_TRUE(m_sink.saw("Done: Draw for the Final cleared"));
    EXPECT_EQ(count("PARTICIPATE", "EVENTNO = " + db::sqlInt(m_event) +
                                       " and (LANE <> 0 or E_PLACE <> 0 or DID_NOT_CALL <> 0 or "
                                       "FINAL_ORDER <> 0)"),
              0);
    // Round A is untouched; clearing it removes its rows only.
    EXPECT_EQ(count("HEATPART", "ROUND = 'A'"), 8);
    auto roundA = opened("A");
    ASSERT_TRUE(roundA->clearDraw());
    EXPECT_TRUE(m_sink.saw("Done: Draw for Round A cleared"));
    EXPECT_EQ(count("HEATPART"), 0);
}

TEST_F(ManualDrawTest, TheFinalIsEditedOnItsEntries)
{
    auto manual = opened("F");
    EXPECT_FALSE(manual->setHeatLane(row(*manual, 0), "1", "4"));
    EXPECT_TRUE(m_sink.saw("The HeatNo for a final must be 0, not 1"));
    ASSERT_TRUE(manual->setHeatLane(row(*manual, 0), "0", "1"));
    ASSERT_TRUE(manual->setHeatLane(row(*manual, 1), "0", "2"));
    ASSERT_TRUE(manual->accept());
    EXPECT_EQ(where(m_event, "F", m_athletes[0]), "0/1");
    EXPECT_EQ(where(m_event, "F", m_athletes[1]), "0/2");
    EXPECT_EQ(where(m_event, "F", m_athletes[2]), "-");
}

} // namespace

TEST_F(ManualDrawTest, AShortHeatAsTheEngineDrawsItIsVerifiedCorrect)
{
    // Eleven swimmers in two heats: the short heat of five takes the middle lanes of the
    // pool (or, in a race without lanes, the start positions below the round's largest).
    for (const QString item : {"BRE____100M13W", "BRE____200M13W", "BRE___1500M13W"}) {
        const qint64 event = addSelected(item);
        saveFormat(event, "2,3,2");
        for (int i = 0; i < 11; ++i) {
            const qint64 a = addSwimmer(i % 2 ? m_sha : m_dol, QString("Short%1").arg(i));
            enterSwimmer(event, a, i < 7 ? QString("00:02:%1.00").arg(10 + i) : QString());
        }
        draw::DrawRandom random(7);
        draw::DrawEngine engine(database(), *m_items, run().meeting(), random);
        draw::DrawReport report;
        ASSERT_TRUE(engine.drawFirstRound(*engine.readEvent(event), report));
        EXPECT_EQ(count("HEATPART", "EVENTNO = " + db::sqlInt(event)), 11);
        draw::ManualDraw manual(database(), *m_items, messages());
        ASSERT_TRUE(manual.open(event, "A"));
        EXPECT_EQ(manual.verifyErrors(), QStringList()) << item.toStdString();
        // In the pool, one lane further along than the draw puts them is a wrong start.
        if (item.contains("1500"))
            continue;
        QMap<QString, QList<int>> heats;
        for (int r = 0; r < manual.rows().size(); ++r)
            heats[manual.rows()[r].thisHeat].append(r);
        const QString shortHeat = heats.value("1").size() == 5 ? "1" : "2";
        const QList<int> rows = heats.value(shortHeat);
        ASSERT_EQ(rows.size(), 5) << item.toStdString();
        for (int r : rows)
            ASSERT_TRUE(manual.setHeatLane(r, shortHeat,
                                           QString::number(manual.rows()[r].thisLane.toInt() + 1)));
        EXPECT_EQ(manual.verifyErrors(), QStringList({"Heat " + shortHeat + ", Do not start at 1"}))
            << item.toStdString();
    }
}
