#include "entryfixture.h"

#include "entries/athletes.h"
#include "entries/forms/evententriesform.h"
#include "entries/forms/relaymembersform.h"
#include "entries/forms/relayteamsform.h"
#include "entries/relayteams.h"
#include "entries/teams.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QTableWidget>
#include <QTest>

namespace {

// Screens are saved as pictures when DOLVANE_SCREENSHOTS names a folder.
void keepPicture(QWidget& screen, const QString& name)
{
    const QString dir = qEnvironmentVariable("DOLVANE_SCREENSHOTS");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    screen.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace

// The per-item and relay screens, driven as an official would, with scripted answers.
class EntryScreensTest : public EntryTest {
protected:
    void SetUp() override
    {
        EntryTest::SetUp();
        m_team = entries::Teams(database(), m_meeting)
                     .add({0, QStringLiteral("Oak Park"), QStringLiteral("OAK"), true, true});
        for (const char* surname : {"NEL", "BOTHA", "DU TOIT", "VAN WYK", "SMIT"})
            m_swimmers << swimmer(QString::fromLatin1(surname));
    }

    qint64 swimmer(const QString& surname)
    {
        entries::AthleteRow a;
        a.teamNo = m_team;
        a.surname = surname;
        a.firstName = QStringLiteral("Jan");
        a.gender = QStringLiteral("M");
        a.age = 13;
        return entries::Athletes(database(), settings()).add(a);
    }

    qint64 m_team = 0;
    QList<qint64> m_swimmers;
};

TEST_F(EntryScreensTest, perItemEntersRemovesAndRefusesTheOtherKindOfItem)
{
    const qint64 free = addEvent(QStringLiteral("FRE_____50M13W"));
    addEvent(QStringLiteral("F_R4X50___M13W"));
    entries::EventEntriesForm form(run());
    form.show();
    ASSERT_EQ(form.eventTable()->rowCount(), 1);
    ASSERT_EQ(form.candidateList()->count(), 5);
    // BOTHA is first by surname; the best is typed as the official knows it.
    m_sink.answerText(QStringLiteral("31.5"));
    form.enterCandidate();
    ASSERT_EQ(form.entryTable()->rowCount(), 1);
    EXPECT_EQ(form.entryTable()->item(0, 0)->text(), QStringLiteral("BOTHA, Jan"));
    EXPECT_EQ(form.entryTable()->item(0, 2)->text(), QStringLiteral("0:31.50"));
    EXPECT_EQ(form.eventTable()->item(0, 2)->text(), QStringLiteral("1"));
    EXPECT_EQ(form.candidateList()->count(), 4);
    m_sink.answerText(QString());
    form.candidateList()->setCurrentRow(1);
    form.enterCandidate();
    EXPECT_EQ(form.entryTable()->rowCount(), 2);
    keepPicture(form, QStringLiteral("participation-per-item"));

    // A wrong best is refused and the old one stays.
    form.entryTable()->setCurrentCell(0, 0);
    m_sink.answerText(QStringLiteral("0:71.4"));
    form.editBest();
    EXPECT_EQ(value(QStringLiteral("select BESTPERFBEFORE from PARTICIPATE where ATHLETENO = ") +
                    db::sqlInt(m_swimmers[1])),
              QStringLiteral("0:31.50"));

    m_sink.answerYes();
    form.removeFromEvent();
    EXPECT_TRUE(m_sink.saw(QStringLiteral("(The Athlete will not be deleted)")));
    EXPECT_EQ(form.entryTable()->rowCount(), 1);
    EXPECT_EQ(count(QStringLiteral("ATHLETE"),
                    QStringLiteral("ATHLETENO = ") + db::sqlInt(m_swimmers[1])),
              1);

    ASSERT_TRUE(database().execute(
        QStringLiteral("insert into PROGRAM (PROGRAMNO, MEETINGNO, EVENTNO, ROUND, HEATNO, SEQ) "
                       "select EVENTNO + 1000, MEETINGNO, EVENTNO, 'F', 0, C_SEQ from MYEVENT")));
    const int relaySeq = int(value(QStringLiteral("select C_SEQ from MYEVENT where ITEMCODE "
                                                  "starting 'F_R'"))
                                 .toInt());
    EXPECT_FALSE(form.seek(relaySeq));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("you are currently NOT in \"Relay\"-mode")));
    form.setRelayMode(true);
    EXPECT_TRUE(form.seek(relaySeq));
    EXPECT_FALSE(form.candidateList()->isEnabled());
    EXPECT_EQ(form.eventTable()->currentRow(), 0);
    EXPECT_EQ(form.candidateList()->count(), 0);
    form.setRelayMode(false);
    // The test's events carry their key as sequence.
    EXPECT_TRUE(form.seek(int(free)));
}

TEST_F(EntryScreensTest, relayTeamsAreNamedPerTeamAndTheirSwimmersGetLegs)
{
    const qint64 relay = addEvent(QStringLiteral("F_R4X50___M13W"));
    entries::RelayTeamsForm form(run());
    form.show();
    ASSERT_EQ(form.eventTable()->rowCount(), 1);
    ASSERT_EQ(form.teamList()->count(), 1);
    // Two names for three relay teams, then " B", are refused; each time the official is
    // asked to edit again, and at last gives two teams "A;B".
    m_sink.answerText(QStringLiteral("3"));
    m_sink.answerText(QStringLiteral("A;B"));
    m_sink.answerYes();
    m_sink.answerText(QStringLiteral("2"));
    m_sink.answerText(QStringLiteral("A; B"));
    m_sink.answerYes();
    m_sink.answerText(QStringLiteral("2"));
    m_sink.answerText(QStringLiteral("A;B"));
    form.editTeamRelays();
    EXPECT_TRUE(m_sink.saw(QStringLiteral("The number of names (2) does not correspond to\rthe "
                                          "number of Relay-Teams (3)")));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("A name may not have spaces before or after:  B")));
    EXPECT_EQ(m_sink.pendingAnswers(), 0);
    EXPECT_EQ(form.eventTable()->item(0, 2)->text(), QStringLiteral("2"));
    EXPECT_EQ(form.eventTable()->item(0, 3)->text(), QStringLiteral("OAK (A), OAK (B)"));
    keepPicture(form, QStringLiteral("relays"));
    // Cancelling the names asks whether to lose the edit.
    m_sink.answerCancel();
    m_sink.answerYes();
    form.editTeamRelays();
    EXPECT_TRUE(m_sink.saw(QStringLiteral("Lose the edit for this Relay")));
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 2);

    entries::RelayMembersForm members(run(), relay, QStringLiteral("4x50 Freestyle"));
    members.show();
    ASSERT_EQ(members.relayTeamBox()->count(), 2);
    ASSERT_EQ(members.candidateList()->count(), 5);
    for (int i = 0; i < 4; ++i)
        members.addFirst();
    EXPECT_EQ(members.memberTable()->rowCount(), 4);
    EXPECT_EQ(members.candidateList()->count(), 1);
    members.addFirst();
    EXPECT_TRUE(m_sink.saw(QStringLiteral("You already entered 4 legs for this Relay")));
    // Nor as a reserve: the relay team has as many swimmers as legs.
    m_sink.clear();
    members.addReserve();
    EXPECT_TRUE(m_sink.saw(QStringLiteral("You already entered 4 legs for this Relay")));
    EXPECT_EQ(members.memberTable()->rowCount(), 4);
    ASSERT_EQ(members.candidateList()->count(), 1);
    EXPECT_TRUE(members.candidateList()->item(0)->flags() & Qt::ItemIsEnabled);
    members.memberTable()->setCurrentCell(0, 0);
    m_sink.answerText(QStringLiteral("3"));
    members.setLeg();
    EXPECT_EQ(value(QStringLiteral("select max(LEGNO) from RELAY_ATHLETE")), QStringLiteral("3"));
    keepPicture(members, QStringLiteral("relay-athletes"));
    // The second relay team starts empty with every swimmer available again.
    members.selectRelayTeam(1);
    EXPECT_EQ(members.memberTable()->rowCount(), 0);
    EXPECT_EQ(members.candidateList()->count(), 5);
}

// Enter on a list acts on its highlighted row and the screen stays open for the next one.
TEST_F(EntryScreensTest, enterInTheirListsEntersAndTheScreensStayOpen)
{
    addEvent(QStringLiteral("FRE_____50M13W"));
    const qint64 relay = addEvent(QStringLiteral("F_R4X50___M13W"));
    const auto pressEnter = [](QDialog& screen, QWidget* list) {
        screen.show();
        screen.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&screen));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
    };

    entries::EventEntriesForm perItem(run());
    m_sink.answerText(QStringLiteral("0:31.50"));
    pressEnter(perItem, perItem.candidateList());
    EXPECT_EQ(perItem.entryTable()->rowCount(), 1);
    EXPECT_TRUE(perItem.isVisible());
    perItem.close();

    entries::RelayTeamsForm relays(run());
    m_sink.answerText(QStringLiteral("1"));
    m_sink.answerText(QStringLiteral("A"));
    pressEnter(relays, relays.teamList());
    EXPECT_EQ(relays.eventTable()->item(0, 3)->text(), QStringLiteral("OAK (A)"));
    EXPECT_TRUE(relays.isVisible());
    relays.close();

    entries::RelayMembersForm members(run(), relay, QStringLiteral("4x50 Freestyle"));
    pressEnter(members, members.candidateList());
    QTest::keyClick(members.candidateList(), Qt::Key_Return);
    EXPECT_EQ(members.memberTable()->rowCount(), 2);
    EXPECT_TRUE(members.isVisible());
}
