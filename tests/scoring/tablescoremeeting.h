#pragma once

// Team totals, medals and best athletes on table scores, worked out by hand from the
// published combined-events constants of WorldAth 2003 (set 5):
//   100 m:  25.4347 x (18 - t)^1.81      long jump: 0.14354 x (cm - 220)^1.4
// The 100 m final is hand timed, so 0.24 s is added to each time before scoring:
//   10.3 -> 10.54 s = 966   10.6 -> 10.84 s = 897   10.9 -> 11.14 s = 830   11.2 -> 11.44 s = 765
//   7.50 m = 935   7.20 m = 862   6.90 m = 790   6.50 m = 697

#include "scoring/athleticsfixture.h"

#include "scoring/medalcount.h"
#include "scoring/placepoints.h"
#include "scoring/teamtotals.h"

// Three teams with a hand-timed 100 m and a long jump (scores above), table scores as the
// team score basis and the medals' basis.
class TableScoreBasisTest : public AthleticsTest {
protected:
    void SetUp() override
    {
        AthleticsTest::SetUp();
        setMeeting("HAS_TABLE_SCORE = 1, SCORESETNO = 5, ELECHAND = 1, HEIGHTABOVESEA = 0, "
                   "TEAMSCOREBASIS = 2, TEAMSCOREPLACES = 3, MEDALBASEDON = 2, CHECKGOLD = 1, "
                   "CHECKSILVER = 1, CHECKBRONZE = 1, POINTGOLD = 950, POINTSILVER = 850, "
                   "POINTBRONZE = 750, MEDALS_XCLD_TEAMS = 1, ATHLETESCOREBASIS = 2, "
                   "ATHLETESCOREEVENTS = 2");
        const qint64 oak = addTeam("OAK");
        const qint64 elm = addTeam("ELM");
        const qint64 ash = addTeam("ASH", 0, true);
        const qint64 ann = addAthlete(oak, "Ann", "M", 25);
        const qint64 ben = addAthlete(elm, "Ben", "M", 25);
        const qint64 cal = addAthlete(oak, "Cal", "M", 25);
        const qint64 dan = addAthlete(ash, "Dan", "M", 25);
        const qint64 eve = addAthlete(elm, "Eve", "M", 25);
        const qint64 fay = addAthlete(oak, "Fay", "M", 25);

        const qint64 sprint = addEvent("SHD____100M25");
        exec("insert into PROGRAM (PROGRAMNO, MEETINGNO, EVENTNO, ROUND, HEATNO, ELECHAND) "
             "values (" +
             db::sqlInt(key()) + ", " + db::sqlInt(m_meetingNo) + ", " + db::sqlInt(sprint) +
             ", 'F', 0, 2)");
        result(sprint, ann, oak, "10.3", 1);
        result(sprint, ben, elm, "10.6", 2);
        result(sprint, cal, oak, "10.9", 3);
        result(sprint, dan, ash, "11.2", 4);
        const qint64 jump = addEvent("JMPLong___M25");
        result(jump, eve, elm, "7.50", 1);
        result(jump, ann, oak, "7.20", 2);
        result(jump, dan, ash, "6.90", 3);
        result(jump, ben, elm, "6.50", 4);
        // A disqualified jump counts for nothing, however far.
        addResult(jump, fay, oak, perf("JMPLong___M25", "7.90"), 0, 0, 1);
        m_sink.clear();
    }

    QString perf(const QString& itemCode, const QString& typed)
    {
        const std::optional<QString> text = run().items().NormalisePerf(itemCode, typed);
        EXPECT_TRUE(text.has_value()) << typed.toStdString();
        return text.value_or(QString());
    }
    void result(qint64 event, qint64 athlete, qint64 team, const QString& typed, int place)
    {
        addResult(event, athlete, team,
                  perf(event == eventOf("JMPLong___M25") ? QStringLiteral("JMPLong___M25")
                                                         : QStringLiteral("SHD____100M25"),
                       typed),
                  place);
    }

    QString lastText() const
    {
        return m_sink.shown().isEmpty() ? QString() : m_sink.shown().last().text;
    }
    QStringList totals()
    {
        const scoring::TeamTotals t =
            scoring::teamTotals(database(), run().items(), run().meeting(), scoring::SplitNone);
        QStringList list;
        if (!t.ok)
            return {"refused"};
        for (const scoring::TeamTotalRow& r : t.rows)
            list << QString::number(r.place) + " " + r.abbreviation + " " +
                        scoring::pointsText(r.units);
        return list;
    }
    QStringList medals()
    {
        const scoring::MedalCount m =
            scoring::medalCount(database(), run().items(), run().meeting());
        if (!m.ok)
            return {"refused"};
        QStringList list;
        for (const scoring::MedalCountRow& r : m.rows)
            list << r.abbreviation + " " + QString::number(r.gold) + QString::number(r.silver) +
                        QString::number(r.bronze);
        return list;
    }
};
