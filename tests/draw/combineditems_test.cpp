// Combined items: events of several ages or classes grouped to run as one race.

#include "drawnfield.h"

#include "db/sqltext.h"
#include "draw/combineditems.h"
#include "draw/drawall.h"
#include "draw/drawround.h"
#include "draw/programsetup.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

using namespace draw;
using testing_support::runCli;

namespace {

class CombinedItemsTest : public DrawnFieldTest {
protected:
    // Everything a combining writes, to compare before and after a refusal.
    QString written()
    {
        return value("select count(*) from COMBINED") + "|" +
               value("select list(EVENTNO || ':' || coalesce(COMBINEDNO, 0)) from (select "
                     "EVENTNO, COMBINEDNO from MYEVENT order by EVENTNO)") +
               "|" +
               value("select list(EVENTNO || ':' || coalesce(DAY_SEQ, 0) || ':' || "
                     "coalesce(SEQ, 0) || ':' || coalesce(THETIME, '') || ':' || "
                     "coalesce(PIT, '')) from (select * from PROGRAM order by PROGRAMNO)");
    }
    void setSlot(qint64 eventNo, int day, int seq, const QString& time, const QString& pit)
    {
        ASSERT_TRUE(database().execute(
            "update PROGRAM set DAY_SEQ = " + db::sqlInt(day) + ", SEQ = " + db::sqlInt(seq) +
            ", THETIME = " + db::quoted(time) + ", PIT = " + db::quoted(pit) +
            " where EVENTNO = " + db::sqlInt(eventNo)));
    }
    QString slotOf(qint64 eventNo)
    {
        return value("select DAY_SEQ || ' ' || SEQ || ' ' || substring(cast(THETIME as "
                     "varchar(13)) from 1 for 5) || ' ' || PIT from PROGRAM where EVENTNO = " +
                     db::sqlInt(eventNo));
    }
    qint64 groupOf(qint64 eventNo)
    {
        return value("select COMBINEDNO from MYEVENT where EVENTNO = " + db::sqlInt(eventNo))
            .toLongLong();
    }
};

TEST_F(CombinedItemsTest, AGroupTakesTheFirstEventsSlotAndGivesItToAllItsEvents)
{
    const qint64 a = addSelected("FRE____100M13W");
    const qint64 b = addSelected("FRE____100M14W");
    const qint64 c = addSelected("FRE____100M15W");
    const qint64 d = addSelected("BRE_____50F11W");
    const qint64 e = addSelected("BCK_____50F11W");
    setSlot(a, 2, 14, "10:30", "P1");
    setSlot(b, 1, 3, "08:15", "P9");
    setSlot(c, 1, 5, "08:45", "");

    CombinedItems combined(*m_events);
    const qint64 group = combined.combine({b, a}, "U14");
    ASSERT_GT(group, 0);
    // The first event named gives its slot: b's, not the earlier-created a's.
    EXPECT_EQ(slotOf(a), "1 3 08:15 P9");
    EXPECT_EQ(slotOf(b), "1 3 08:15 P9");
    EXPECT_EQ(slotOf(c), "1 5 08:45 ");
    EXPECT_EQ(groupOf(a), group);
    EXPECT_EQ(groupOf(b), group);
    EXPECT_EQ(groupOf(c), 0);
    EXPECT_EQ(value("select MEETINGNO || ' ' || NAME || ' ' || trim(GROUP_TYPE) from COMBINED "
                    "where COMBINEDNO = " +
                    db::sqlInt(group)),
              QString::number(m_meetingNo) + " U14 Ages");

    // Without a name the group is numbered; different strokes are different items.
    const qint64 second = combined.combine({d, e});
    ASSERT_GT(second, 0);
    const QList<CombinedGroup> groups = combined.groups();
    ASSERT_EQ(groups.size(), 2);
    // Day 1 comes before day 2.
    EXPECT_EQ(groups[0].combinedNo, second);
    EXPECT_EQ(groups[0].name, "1");
    EXPECT_EQ(groups[0].groupType, "Items");
    EXPECT_EQ(groups[0].eventNos, (QList<qint64>{d, e}));
    EXPECT_EQ(groups[1].name, "U14");
    EXPECT_EQ(groups[1].daySeq, 1);
    EXPECT_EQ(groups[1].seq, 3);
    EXPECT_EQ(groups[1].time, "08:15");
    EXPECT_EQ(groups[1].pit, "P9");
    EXPECT_EQ(groups[1].eventNos, (QList<qint64>{a, b}));
    EXPECT_EQ(combined.freeName(), "2");
    EXPECT_EQ(m_sink.count(base::MessageKind::Warning), 0);
}

TEST_F(CombinedItemsTest, RefusalsSayWhyAndStoreNothing)
{
    const qint64 a = addSelected("FRE____100M13W");
    const qint64 b = addSelected("FRE____100M14W");
    const qint64 heats = addSelected("FRE____100M15W");
    saveFormat(heats, "2,3,2");
    ASSERT_TRUE(ProgramSetup(*m_events).addStandardCombined("Girls 13 Pentathlon"));
    const qint64 member =
        value("select EVENTNO from MYEVENT where ITEMCODE = 'HDL_____80F13W'").toLongLong();
    const qint64 total =
        value("select EVENTNO from MYEVENT where ITEMCODE starting with 'NTH'").toLongLong();
    ASSERT_GT(member, 0);
    ASSERT_GT(total, 0);
    m_sink.clear();
    CombinedItems combined(*m_events);
    const QString before = written();

    struct Case {
        QList<qint64> events;
        QString name;
        QString message;
    };
    const QList<Case> cases{
        {{a}, "", "It does not make sense to \"Combine\" one Item on its own."},
        {{a, a}, "", "It does not make sense to \"Combine\" one Item on its own."},
        {{a, heats},
         "",
         "You cannot combine this Item: it hast Heats: " + m_events->eventTitle(heats)},
        {{a, member}, "", "An item of an n-Athlon cannot be combined: "},
        {{total, a}, "", "An item of an n-Athlon cannot be combined: "},
        {{a, b}, "ABCD", "The name of a Combined Item has at most 3 characters: ABCD"},
        {{a, 999999}, "", "There is no such event in this meeting: 999999"},
    };
    for (const Case& c : cases) {
        m_sink.clear();
        EXPECT_EQ(combined.combine(c.events, c.name), 0) << c.message.toStdString();
        EXPECT_TRUE(m_sink.saw(c.message)) << c.message.toStdString();
        EXPECT_EQ(written(), before) << c.message.toStdString();
    }

    // An event already in a group cannot join a second one, and the first group stays.
    const qint64 c15 = addSelected("FRE____100M16W");
    const qint64 group = combined.combine({a, b});
    ASSERT_GT(group, 0);
    const QString grouped = written();
    m_sink.clear();
    EXPECT_EQ(combined.combine({c15, b}), 0);
    EXPECT_TRUE(
        m_sink.saw("This Item is already in the Combined Item \"1\": " + m_events->eventTitle(b)));
    EXPECT_EQ(written(), grouped);
}

TEST_F(CombinedItemsTest, ItemsLeaveTheirGroupAndOnlyAnEmptyGroupIsDeleted)
{
    const qint64 a = addSelected("FRE____100M13W");
    const qint64 b = addSelected("FRE____100M14W");
    CombinedItems combined(*m_events);
    const qint64 group = combined.combine({a, b}, "X");
    ASSERT_GT(group, 0);

    EXPECT_FALSE(combined.deleteGroup(group));
    EXPECT_TRUE(m_sink.saw("The Combined Item \"X\" still has 2 Items."));
    EXPECT_EQ(count("COMBINED"), 1);

    ASSERT_TRUE(combined.uncombine(a));
    EXPECT_EQ(groupOf(a), 0);
    EXPECT_EQ(groupOf(b), group);
    EXPECT_FALSE(combined.uncombine(a));
    EXPECT_TRUE(m_sink.saw("This Item is not part of a Combined Item: "));
    EXPECT_FALSE(combined.deleteGroup(group));
    EXPECT_TRUE(m_sink.saw("still has 1 Items."));

    ASSERT_TRUE(combined.uncombine(b));
    ASSERT_TRUE(combined.deleteGroup(group));
    EXPECT_EQ(count("COMBINED"), 0);
    EXPECT_FALSE(combined.deleteGroup(group));
    EXPECT_TRUE(m_sink.saw("There is no such Combined Item: " + QString::number(group)));
    // Out of their group, both can be combined again.
    EXPECT_GT(combined.combine({a, b}), 0);
}

TEST_F(CombinedItemsTest, OnlySelectedUngroupedFinalsAreOffered)
{
    const qint64 a = addSelected("FRE____100M13W");
    const qint64 b = addSelected("FRE____100M14W");
    const qint64 c = addSelected("FRE____100M15W");
    const qint64 heats = addSelected("FRE____100M16W");
    saveFormat(heats, "2,3,2");
    const qint64 unselected = m_events->addOneItem("FRE____100M17W", false);
    ASSERT_GT(unselected, 0);
    CombinedItems combined(*m_events);
    ASSERT_GT(combined.combine({a, b}), 0);
    QList<qint64> offered;
    for (const EventRow& e : combined.candidates())
        offered.append(e.eventNo);
    EXPECT_EQ(offered, QList<qint64>{c});
}

// The user's way: group two ages from the command line, list the group, draw all combined
// items: one race with every swimmer of both ages in a lane of their own.
TEST_F(CombinedItemsTest, TheCommandsGroupTwoAgesThatAreDrawnAsOneRace)
{
    const qint64 a = addSelected("FRE____100M13W");
    const qint64 b = addSelected("FRE____100M14W");
    const qint64 alone = addSelected("BRE____100M13W");
    const QList<qint64> athletes = enterField(a, 4, true) + enterField(b, 3, true);
    enterField(alone, 2, true);
    const QString db = m_path;
    const QString meetingNo = QString::number(m_meetingNo);
    auto cli = [&](QStringList args, QString* out = nullptr, QString* err = nullptr) {
        return runCli(QStringList{"--db", db} + args + QStringList{"--meeting", meetingNo}, out,
                      err);
    };
    QString out;
    QString err;
    EXPECT_EQ(cli({"event", "combine", QString::number(a)}, &out, &err), 1);
    EXPECT_TRUE((out + err).contains("It does not make sense to \"Combine\" one Item on its own."))
        << (out + err).toStdString();
    EXPECT_EQ(cli({"event", "combine", QString::number(a), "x"}, &out, &err), 2);
    EXPECT_EQ(count("COMBINED"), 0);

    ASSERT_EQ(cli({"event", "combine", QString::number(a), QString::number(b), "--name", "B1"},
                  &out, &err),
              0)
        << err.toStdString();
    EXPECT_TRUE(out.contains("name: B1")) << out.toStdString();
    ASSERT_EQ(cli({"--json", "event", "groups"}, &out), 0);
    const QJsonArray groups = QJsonDocument::fromJson(out.toUtf8()).array();
    ASSERT_EQ(groups.size(), 1) << out.toStdString();
    EXPECT_EQ(groups[0]["name"].toString(), "B1");
    EXPECT_EQ(groups[0]["events"].toArray(), (QJsonArray{a, b}));

    ASSERT_EQ(cli({"--yes", "draw", "all", "--combined", "--seed", "3"}, &out, &err), 0)
        << err.toStdString();
    const QList<Heat> race = drawnRows(a, "F") + drawnRows(b, "F");
    ASSERT_EQ(race.size(), 7);
    QSet<int> lanes;
    QSet<qint64> drawn;
    for (const Heat& h : race) {
        EXPECT_GT(h.lane, 0);
        lanes.insert(h.lane);
        drawn.insert(h.athleteNo);
    }
    EXPECT_EQ(lanes.size(), 7);
    EXPECT_EQ(drawn, QSet<qint64>(athletes.begin(), athletes.end()));
    EXPECT_EQ(drawnRows(alone, "F").size(), 0);

    // Drawn, the race keeps its items: taking one out would leave its lanes behind.
    const QString before = written();
    EXPECT_EQ(cli({"event", "uncombine", QString::number(a)}, &out, &err), 1);
    EXPECT_TRUE((out + err).contains(
        "This Item is already drawn in the race of the Combined Item \"B1\": " +
        m_events->eventTitle(a)))
        << (out + err).toStdString();
    EXPECT_EQ(written(), before);
    EXPECT_EQ(drawnRows(a, "F").size(), 4);
    EXPECT_EQ(cli({"event", "group-delete", QString::number(groups[0]["combinedno"].toInteger())},
                  &out, &err),
              1);
    EXPECT_TRUE((out + err).contains("Its race is already drawn")) << (out + err).toStdString();
    EXPECT_EQ(count("COMBINED"), 1);

    // Clearing the draw of one item clears the race; then the item leaves its group.
    ASSERT_EQ(cli({"--yes", "draw", "clear", QString::number(a), "F"}, &out, &err), 0)
        << err.toStdString();
    EXPECT_EQ(drawnRows(a, "F").size(), 0);
    EXPECT_EQ(drawnRows(b, "F").size(), 0);
    EXPECT_EQ(cli({"event", "uncombine", QString::number(a)}, &out, &err), 0) << err.toStdString();
    EXPECT_EQ(groupOf(a), 0);
    ASSERT_EQ(cli({"event", "groups"}, &out), 0);
    EXPECT_TRUE(out.contains("\"B1\"")) << out.toStdString();
    EXPECT_TRUE(out.contains(m_events->eventTitle(b))) << out.toStdString();
}

// Lanes of one race come from one draw: an item drawn on its own does not join a group
// (its lanes would overlap the others'), and clearing one item's draw clears the race's.
TEST_F(CombinedItemsTest, ARaceIsDrawnAndClearedWhole)
{
    const qint64 a = addSelected("FRE____100M13W");
    const qint64 b = addSelected("FRE____100M14W");
    const qint64 c = addSelected("FRE____100M15W");
    enterField(a, 3, true);
    enterField(b, 2, true);
    enterField(c, 2, true);
    RoundDrawing drawing(engine());
    m_sink.answerYes();
    ASSERT_EQ(drawing.drawRound(a, "F"), DrawOutcome::Drawn);
    CombinedItems combined(*m_events);
    const QString before = written();
    m_sink.clear();
    EXPECT_EQ(combined.combine({b, a}), 0);
    EXPECT_TRUE(m_sink.saw("This Item is already drawn on its own: " + m_events->eventTitle(a) +
                           "\rClear the Draw of its Final first, then combine it."));
    EXPECT_EQ(written(), before);

    m_sink.answerYes();
    ASSERT_EQ(drawing.clearRound(a, "F"), DrawOutcome::Drawn);
    const qint64 group = combined.combine({a, b, c}, "U15");
    ASSERT_GT(group, 0);
    m_sink.answerYes();
    ASSERT_EQ(drawing.drawRound(b, "F"), DrawOutcome::Drawn);
    ASSERT_EQ(drawnRows(a, "F").size() + drawnRows(b, "F").size() + drawnRows(c, "F").size(), 7);

    // A result in one item keeps the whole race's draw.
    ASSERT_TRUE(database().execute("update PARTICIPATE set PERFORMANCE = '1:05.00' where "
                                   "LANE > 0 and EVENTNO = " +
                                   db::sqlInt(c)));
    m_sink.clear();
    EXPECT_EQ(drawing.clearRound(a, "F"), DrawOutcome::Refused);
    EXPECT_TRUE(m_sink.saw("There are already 2 results entered for Round F"));
    EXPECT_EQ(drawnRows(a, "F").size(), 3);
    ASSERT_TRUE(database().execute("update PARTICIPATE set PERFORMANCE = '' where EVENTNO = " +
                                   db::sqlInt(c)));

    // Saying no keeps it; yes clears every item of the race, named in the question.
    m_sink.clear();
    m_sink.answerNo();
    EXPECT_EQ(drawing.clearRound(b, "F"), DrawOutcome::Cancelled);
    EXPECT_EQ(drawnRows(b, "F").size(), 2);
    ASSERT_EQ(m_sink.shown().size(), 1);
    const QString question = m_sink.shown()[0].text;
    EXPECT_TRUE(question.contains("Combined Item \"U15\"")) << question.toStdString();
    for (const qint64 e : {a, b, c})
        EXPECT_TRUE(question.contains(m_events->eventTitle(e))) << question.toStdString();
    m_sink.answerYes();
    ASSERT_EQ(drawing.clearRound(b, "F"), DrawOutcome::Drawn);
    for (const qint64 e : {a, b, c})
        EXPECT_EQ(drawnRows(e, "F").size(), 0) << e;
    EXPECT_EQ(count("PARTICIPATE"), 7);
}

} // namespace
