#include "schedfixture.h"

#include "base/appglobals.h"
#include "base/configstore.h"
#include "db/connect.h"
#include "db/sqltext.h"
#include "meeting/currentmeeting.h"
#include "meeting/runservices.h"
#include "sched/forms/schedulerform.h"
#include "sched/packing.h"
#include "sched/schedparams.h"

#include <QPushButton>

using namespace sched;

namespace {

// The same meeting seen by the athletics edition, where field events have pits and each
// field item at each pit is a station of its own.
class AthleticsPackingTest : public SchedFixture {
protected:
    void SetUp() override
    {
        SchedFixture::SetUp();
        m_athletics =
            std::make_unique<base::Run>(m_tamrokSink, QString::fromLatin1(base::kAthleticsCode));
        meeting::createRunSettings(*m_athletics);
        db::ConnectOptions options;
        options.offerSelect = false;
        options.storeLocation = false;
        ASSERT_TRUE(db::connectTo(*m_athletics, m_path, options));
        ASSERT_TRUE(meeting::setCurrentMeeting(*m_athletics, m_meetingNo));
        ASSERT_TRUE(storeTimeParameters(*m_athletics, TimeParameters::preset(true)));
        // Three long jumps at pit A, two at pit B, a shot put; and two track races.
        for (const char* code : {"JMPLong___F13", "JMPLong___F15", "JMPLong___M15"})
            m_pitA.append(addRow(code, "A", 10));
        for (const char* code : {"JMPLong___M17", "JMPLong___F17"})
            m_pitB.append(addRow(code, "B", 8));
        m_shot = addRow("THRShotputF15", "C", 6);
        m_sprint = addRow("SHD____100F15", "", 0, "09:00");
        m_hurdles = addRow("HDL_____80F13", "", 0, "09:10");
        m_tamrokSink.clear();
    }
    Packing packing() { return Packing(*m_athletics); }
    // An event of the meeting with its final; a field final at `pit`.
    qint64 addRow(const QString& itemCode, const QString& pit, int estimated,
                  const QString& time = QString())
    {
        db::DmdCoreDbs& tamrok = *m_athletics->database();
        const qint64 eventNo = tamrok.nextKeyNumber();
        EXPECT_TRUE(tamrok.execute(
            "insert into MYEVENT (EVENTNO, MEETINGNO, ITEMCODE, N_ATHLON, SELECTED, "
            "ESTIMATEDATHLETECOUNT, SET_TWO_COUNT, FINAL_NOT_RUN, HEATFORMAT) values (" +
            db::sqlInt(eventNo) + ", " + db::sqlInt(m_meetingNo) + ", " + db::quoted(itemCode) +
            ", 0, 'X', " + db::sqlInt(estimated) + ", 0, 0, '')"));
        const qint64 row = tamrok.nextKeyNumber();
        EXPECT_TRUE(tamrok.execute(
            "insert into PROGRAM (PROGRAMNO, MEETINGNO, EVENTNO, ROUND, HEATNO, DAY_SEQ, SEQ, "
            "PIT, THETIME) values (" +
            db::sqlInt(row) + ", " + db::sqlInt(m_meetingNo) + ", " + db::sqlInt(eventNo) +
            ", 'F', 0, 1, 0, " + db::quoted(pit) + ", " +
            (time.isEmpty() ? QStringLiteral("null") : db::quoted(time)) + ")"));
        return row;
    }
    int rotation(qint64 programNo)
    {
        return value("select coalesce(SCHED_ROTATE_ORDER, -1) from PROGRAM where PROGRAMNO = " +
                     db::sqlInt(programNo))
            .toInt();
    }
    // The station's rows as "rotation time" in start order.
    QStringList startOrder(const QList<qint64>& rows)
    {
        QList<std::pair<QString, int>> starts;
        for (qint64 r : rows)
            starts.append({slotOf(r), rotation(r)});
        std::sort(starts.begin(), starts.end());
        QStringList result;
        for (const auto& [slot, rotate] : starts)
            result.append(slot + " #" + QString::number(rotate));
        return result;
    }
    QString everySlot()
    {
        return value("select list(S, ', ') from (select DAY_SEQ || ' ' || coalesce(substring("
                     "cast(THETIME as varchar(13)) from 1 for 8), '-') || ' #' || "
                     "coalesce(SCHED_ROTATE_ORDER, -1) as S from PROGRAM where MEETINGNO = " +
                     db::sqlInt(m_meetingNo) + " order by PROGRAMNO)");
    }

    base::ScriptedSink m_tamrokSink;
    std::unique_ptr<base::Run> m_athletics;
    QList<qint64> m_pitA, m_pitB;
    qint64 m_shot = 0, m_sprint = 0, m_hurdles = 0;
};

TEST_F(AthleticsPackingTest, EveryFieldStationStartsTogetherInADrawnOrder)
{
    m_tamrokSink.answerYes();
    ASSERT_TRUE(packing().startFieldStationsRandomly(1, "10:00", 2026));
    EXPECT_TRUE(m_tamrokSink.saw("Schedule all Field Stations randomly\rusing Day 1 10:00"));
    EXPECT_TRUE(m_tamrokSink.saw("Done: all Field Stations Scheduled Randomly."));
    // Pit A: three long jumps of 10 athletes, 30 attempts of 0:50 = 25:00, then the gap of
    // 3:00; whatever the draw, the station runs 10:00, 10:28, 10:56 in its drawn order.
    const QStringList a = startOrder(m_pitA);
    ASSERT_EQ(a.size(), 3);
    EXPECT_TRUE(a[0].startsWith("1 10:00:00 #")) << a.join(" | ").toStdString();
    EXPECT_TRUE(a[1].startsWith("1 10:28:00 #")) << a.join(" | ").toStdString();
    EXPECT_TRUE(a[2].startsWith("1 10:56:00 #")) << a.join(" | ").toStdString();
    for (int i = 0; i < 3; ++i) {
        const int drawn = a[i].section('#', 1).toInt();
        EXPECT_GE(drawn, 0);
        EXPECT_LE(drawn, 99);
        if (i > 0) {
            EXPECT_LE(a[i - 1].section('#', 1).toInt(), drawn);
        }
    }
    // Pit B (8 athletes: 20:00 a jump) and the shot put start at the same moment.
    const QStringList b = startOrder(m_pitB);
    EXPECT_TRUE(b[0].startsWith("1 10:00:00"));
    EXPECT_TRUE(b[1].startsWith("1 10:23:00"));
    EXPECT_EQ(slotOf(m_shot), "1 10:00:00");
    // The track keeps its times.
    EXPECT_EQ(slotOf(m_sprint), "1 09:00:00");
    EXPECT_EQ(slotOf(m_hurdles), "1 09:10:00");
    EXPECT_EQ(m_athletics->config().readText("SCHED_START_TIME"), "10:00");
    EXPECT_EQ(m_tamrokSink.count(base::MessageKind::Error), 0);
}

TEST_F(AthleticsPackingTest, TheSameSeedDrawsTheSameStartsAndAnotherUsuallyNot)
{
    ASSERT_TRUE(packing().startFieldStationsRandomly(1, "10:00", 7, false));
    const std::string first = everySlot().toStdString();
    ASSERT_TRUE(packing().startFieldStationsRandomly(1, "10:00", 7, false));
    EXPECT_EQ(everySlot().toStdString(), first);
    // Over a handful of seeds the five jumps cannot keep one order by chance alone.
    QSet<QString> orders;
    for (quint64 seed = 1; seed <= 6; ++seed) {
        ASSERT_TRUE(packing().startFieldStationsRandomly(1, "10:00", seed, false));
        orders.insert(everySlot());
    }
    EXPECT_GT(orders.size(), 1);
}

TEST_F(AthleticsPackingTest, TheSchedulerOfTheAthleticsEditionStartsTheFieldStations)
{
    {
        SchedulerForm swimming(run());
        for (QPushButton* b : swimming.findChildren<QPushButton*>())
            EXPECT_FALSE(b->text().contains("Field Stations")) << b->text().toStdString();
    }
    SchedulerForm form(*m_athletics);
    QPushButton* start = nullptr;
    for (QPushButton* b : form.findChildren<QPushButton*>()) {
        if (b->text().remove('&') == "Start Field Stations at Random...")
            start = b;
    }
    ASSERT_NE(start, nullptr);
    m_tamrokSink.answerText("2");
    m_tamrokSink.answerText("13:30");
    m_tamrokSink.answerYes();
    start->click();
    EXPECT_EQ(m_tamrokSink.unanswered(), 0);
    EXPECT_TRUE(m_tamrokSink.saw("Done: all Field Stations Scheduled Randomly."));
    EXPECT_EQ(slotOf(m_shot), "2 13:30:00");
    EXPECT_TRUE(startOrder(m_pitB)[0].startsWith("2 13:30:00"));
    EXPECT_EQ(slotOf(m_sprint), "1 09:00:00");
}

TEST_F(AthleticsPackingTest, AFieldEventWithoutACountOrAnUnreadableTimeStartsNothing)
{
    const QString before = everySlot();
    EXPECT_FALSE(packing().startFieldStationsRandomly(1, "25:00", 1, false));
    EXPECT_TRUE(m_tamrokSink.saw("Slippage"));
    const qint64 unknown = addRow("THRDiscus_M19", "D", 0);
    m_tamrokSink.clear();
    EXPECT_FALSE(packing().startFieldStationsRandomly(1, "10:00", 1, false));
    EXPECT_TRUE(m_tamrokSink.saw("Packing field Events requires the Athletecount"));
    EXPECT_TRUE(m_tamrokSink.saw("Discus"));
    EXPECT_EQ(everySlot().left(before.size()), before);
    EXPECT_EQ(rotation(unknown), -1);
    EXPECT_FALSE(m_athletics->config().exists("SCHED_START_TIME"));
}

TEST_F(SchedFixture, AMeetingWithoutFieldEventsHasNoStationsToStart)
{
    useFastPresets();
    addEvent("FRE____100M17W");
    m_sink.clear();
    EXPECT_FALSE(Packing(run()).startFieldStationsRandomly(1, "10:00", 1, false));
    EXPECT_TRUE(m_sink.saw("No Field Stations to Start"));
}

TEST_F(AthleticsPackingTest, TheTrackOrderRunsHurdlesFirstAndLowHurdlesBeforeHighOnes)
{
    const qint64 boys = addRow("HDL____100M15", "", 0, "09:20");
    const qint64 girls15 = addRow("HDL____100F15", "", 0, "09:30");
    const qint64 mile = addRow("LOD___1500F15", "", 0, "08:50");
    const StationRows program(*m_athletics);
    const Station track{QStringLiteral("Track__"), QString()};
    QList<qint64> order;
    for (const StationRow& r : program.of(track, PackOrder::RoundTrackHurdles))
        order.append(r.programNo);
    // Sprint hurdles (13 girls, 15 girls, 15 boys), the sprint, then the middle distance.
    EXPECT_EQ(order, (QList<qint64>{m_hurdles, girls15, boys, m_sprint, mile}));
    // A meeting's own order puts the distance races first.
    m_athletics->config().writeText("SCHED_DEFAULT_TRACK_ORDER", "LOD;SHD");
    order.clear();
    for (const StationRow& r : StationRows(*m_athletics).of(track, PackOrder::RoundTrackHurdles))
        order.append(r.programNo);
    EXPECT_EQ(order, (QList<qint64>{mile, m_sprint, m_hurdles, girls15, boys}));
}

TEST_F(AthleticsPackingTest, PackingRefreshesTheEventsWorkFieldsFromTheirItems)
{
    ASSERT_TRUE(packing().pack(Station{QStringLiteral("Track__"), QString()},
                               PackOrder::RoundTrackHurdles, m_hurdles, 1, "09:00", false));
    // The 80 m hurdles first (short hurdles lead the track order): 25.6 s of racing, then
    // the hurdles are cleared away for the 100 m (5:00, longer than the gap).
    EXPECT_EQ(slotOf(m_hurdles), "1 09:00:00");
    EXPECT_EQ(slotOf(m_sprint), "1 09:05:26");
    const QString hurdleEvent =
        "(select EVENTNO from PROGRAM where PROGRAMNO = " + db::sqlInt(m_hurdles) + ")";
    EXPECT_EQ(value("select T_DIST || ' ' || T_TRACK_ORDER || ' ' || T_HURDLE_HEIGHT from "
                    "MYEVENT where EVENTNO = " +
                    hurdleEvent),
              "80 0 26");
    EXPECT_EQ(value("select T_DIST || ' ' || T_TRACK_ORDER || ' ' || T_HURDLE_HEIGHT from "
                    "MYEVENT where EVENTNO = (select EVENTNO from PROGRAM where PROGRAMNO = " +
                    db::sqlInt(m_sprint) + ")"),
              "100 1 0");
}

} // namespace
