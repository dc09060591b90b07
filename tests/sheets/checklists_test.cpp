#include "sheetsfixture.h"

#include "db/sqltext.h"
#include "sheets/checklists.h"

namespace {

class CheckListsTest : public SheetsTest {
protected:
    sheets::CheckFinding check(int number) { return sheets::CheckLists(run()).run(number); }
    static bool listed(const sheets::CheckFinding& f, const QString& part)
    {
        for (qsizetype i = 1; i < f.lines.size(); ++i) {
            if (f.lines[i].contains(part))
                return true;
        }
        return false;
    }
    void set(const QString& table, const QString& assignment, qint64 key, const QString& column)
    {
        ASSERT_TRUE(database().execute(QStringLiteral("update ") + table + QStringLiteral(" set ") +
                                       assignment + QStringLiteral(" where ") + column +
                                       QStringLiteral(" = ") + db::sqlInt(key)));
    }
};

TEST_F(CheckListsTest, HeatsAreFinalsWithoutHeatsIsListedUntilItGetsAHeat)
{
    const qint64 event = addEvent(QStringLiteral("BRE____100M13W"), 4);
    addEvent(QStringLiteral("BCK____100M13W"), 5); // a plain final: not listed
    set("MYEVENT", "FINAL_NOT_RUN = 1", event, "EVENTNO");
    sheets::CheckFinding f = check(1);
    EXPECT_EQ(f.rows, 1);
    EXPECT_TRUE(listed(f, QStringLiteral("100m Breaststroke")));
    EXPECT_TRUE(sheets::errorsFound({f}));

    addProgramRow(event, QStringLiteral("A"), 1);
    f = check(1);
    EXPECT_EQ(f.rows, 0);
    EXPECT_FALSE(sheets::errorsFound({f}));
}

TEST_F(CheckListsTest, AnUnder15ItemTakesAges14And15Only)
{
    const qint64 event = addEvent(QStringLiteral("FRE____100M15W"));
    const qint64 team = addTeam(QStringLiteral("Sharks"), QStringLiteral("SHK"));
    for (const auto& [name, age] : {std::pair{"Thirteen", 13}, std::pair{"Fourteen", 14},
                                    std::pair{"Fifteen", 15}, std::pair{"Sixteen", 16}})
        enter(event, addSwimmer(team, QString::fromLatin1(name), age));
    enter(event, addSwimmer(team, QStringLiteral("Girl"), 14, QStringLiteral("F")));
    const sheets::CheckFinding f = check(9);
    EXPECT_TRUE(listed(f, QStringLiteral("Thirteen")));
    EXPECT_TRUE(listed(f, QStringLiteral("Sixteen")));
    EXPECT_TRUE(listed(f, QStringLiteral("Girl")));
    EXPECT_FALSE(listed(f, QStringLiteral("Fourteen")));
    EXPECT_FALSE(listed(f, QStringLiteral("Fifteen")));
    EXPECT_EQ(f.rows, 3);
    // A hint, not an error.
    EXPECT_FALSE(sheets::errorsFound({f}));
}

TEST_F(CheckListsTest, RelaysDoNotCountTowardsTheMaximumOfEntries)
{
    // The meeting allows 3 entries.
    const qint64 team = addTeam(QStringLiteral("Sharks"), QStringLiteral("SHK"));
    const qint64 relayist = addSwimmer(team, QStringLiteral("Relayist"));
    const qint64 greedy = addSwimmer(team, QStringLiteral("Greedy"));
    for (const char* code : {"FRE____100M13W", "BCK____100M13W", "BRE____100M13W"}) {
        const qint64 event = addEvent(QString::fromLatin1(code));
        enter(event, relayist);
        enter(event, greedy);
    }
    for (const char* code : {"F_R4X50___M13W", "M_R4X50___M13W"})
        enter(addEvent(QString::fromLatin1(code)), relayist);
    enter(addEvent(QStringLiteral("FLY____100M13W")), greedy);

    const sheets::CheckFinding f = check(8);
    EXPECT_EQ(f.lines.first(), QStringLiteral("Participations exceeding max (allowed=3)"));
    EXPECT_EQ(f.rows, 1);
    EXPECT_TRUE(listed(f, QStringLiteral("4  Greedy")));
    EXPECT_FALSE(listed(f, QStringLiteral("Relayist")));
}

TEST_F(CheckListsTest, FinalsAreSortedIntoEmptyFewAndFilledRanges)
{
    const qint64 team = addTeam(QStringLiteral("Sharks"), QStringLiteral("SHK"));
    const QList<int> placed{0, 2, 5, 5, 0};
    for (int seq = 1; seq <= placed.size(); ++seq) {
        const qint64 event = addEvent(QStringLiteral("FRE____100M13W"), seq);
        for (int i = 0; i < 6; ++i) {
            const qint64 entry = enter(event, addSwimmer(team, QStringLiteral("S")), i + 1);
            if (i < placed[seq - 1])
                set("PARTICIPATE", QStringLiteral("PLACE = %1").arg(i + 1), entry, "PARTNO");
        }
    }
    const sheets::CheckFinding f = check(20);
    EXPECT_TRUE(f.lines.contains(QStringLiteral("Few (3 or less):  (2->2(1))")));
    EXPECT_TRUE(f.lines.contains(QStringLiteral("Filled (4 or more): (3->4(2))")));
    EXPECT_TRUE(f.lines.contains(QStringLiteral("Empty (none): (1->1(1), 5->5(1))")));
}

TEST_F(CheckListsTest, WithoutWindReadingsTheMeetingOnlyGetsTheNotice)
{
    addEvent(QStringLiteral("FRE____100M13W"));
    const sheets::CheckFinding f = check(17);
    EXPECT_EQ(f.rows, 0);
    EXPECT_TRUE(f.lines.first().contains(QStringLiteral("Has no WindSpeeds")));
}

TEST_F(CheckListsTest, AthletesNotDrawnAreCountedPerFinalAndNamedPerRound)
{
    const qint64 team = addTeam(QStringLiteral("Sharks"), QStringLiteral("SHK"));
    const qint64 final = addEvent(QStringLiteral("FRE____100M13W"), 1);
    enter(final, addSwimmer(team, QStringLiteral("Drawn")), 3);
    enter(final, addSwimmer(team, QStringLiteral("Forgotten")), 0);
    const qint64 notCalled = enter(final, addSwimmer(team, QStringLiteral("Absent")), 0);
    set("PARTICIPATE", "DID_NOT_CALL = 1", notCalled, "PARTNO");

    const qint64 heats = addEvent(QStringLiteral("BCK____100M13W"), 2, 0, QStringLiteral("1,8,0"));
    addProgramRow(heats, QStringLiteral("A"), 1, 2);
    const qint64 seated = addSwimmer(team, QStringLiteral("Seated"));
    enter(heats, seated);
    seat(heats, QStringLiteral("A"), 1, seated, 4);
    enter(heats, addSwimmer(team, QStringLiteral("Missing")));

    const sheets::CheckFinding f = check(11);
    EXPECT_TRUE(listed(f, QStringLiteral("1 athletes not drawn (final)")));
    EXPECT_TRUE(listed(f, QStringLiteral("Missing")));
    EXPECT_FALSE(listed(f, QStringLiteral("Seated")));
    EXPECT_EQ(f.rows, 2);
}

TEST_F(CheckListsTest, RacesNotCalculatedQueriedOrPlacedWrongAreListedUnderTheirRow)
{
    const qint64 team = addTeam(QStringLiteral("Sharks"), QStringLiteral("SHK"));
    const qint64 calculated = addEvent(QStringLiteral("FRE____100M13W"), 1);
    const qint64 wrong = addEvent(QStringLiteral("BCK____100M13W"), 2);
    ASSERT_TRUE(database().execute(
        QStringLiteral("update PROGRAM set NOT_CALCULATED_YET = 0, QUERIED = 1 where EVENTNO = ") +
        db::sqlInt(calculated)));
    const qint64 fast = enter(wrong, addSwimmer(team, QStringLiteral("Fast")), 1);
    const qint64 slow = enter(wrong, addSwimmer(team, QStringLiteral("Slow")), 2);
    set("PARTICIPATE", "PERFORMANCE = '00:01:01.00', E_PLACE = 2, PLACE = 2", fast, "PARTNO");
    set("PARTICIPATE", "PERFORMANCE = '00:01:05.00', E_PLACE = 1, PLACE = 1", slow, "PARTNO");

    sheets::CheckFinding f = check(14);
    EXPECT_EQ(f.rows, 1);
    EXPECT_TRUE(listed(f, QStringLiteral("(2 @ 09:00) 100m Backstroke")));
    f = check(18);
    EXPECT_EQ(f.rows, 1);
    EXPECT_TRUE(listed(f, QStringLiteral("100m Freestyle")));
    f = check(15);
    EXPECT_EQ(f.rows, 1) << f.lines.join('\n').toStdString();
    EXPECT_TRUE(listed(f, QStringLiteral("100m Backstroke")));
    EXPECT_GT(f.lines.size(), 2); // the race check's own lines under the row
}

TEST_F(CheckListsTest, TheReportHasAHeadingPerCheckAndNothingWhenNothingIsTicked)
{
    addEvent(QStringLiteral("FRE____100M13W"), 3);
    const QList<sheets::CheckFinding> findings = sheets::CheckLists(run()).run({6, 7});
    const QStringList lines = sheets::reportLines(findings);
    EXPECT_EQ(lines.first(), QStringLiteral("Athletes without Events"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Events without Athletes")));
    EXPECT_TRUE(sheets::errorsFound(findings)); // an event without athletes is an error
    EXPECT_TRUE(
        m_sink.progressTexts().contains(QStringLiteral("Collect errors: Events Without Athletes")));
    EXPECT_TRUE(sheets::reportLines(sheets::CheckLists(run()).run(QList<int>{})).isEmpty());
}

} // namespace
