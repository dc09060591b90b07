#include "entryfixture.h"

#include "entries/athletes.h"
#include "entries/forms/athletedialog.h"
#include "entries/forms/athletesform.h"
#include "entries/teams.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

namespace {

// Runs `fill` on the modal dialog of type Dialog as soon as it is shown.
template <typename Dialog, typename Fill> void whenDialogOpens(Fill fill)
{
    QTimer::singleShot(0, [fill] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        fill(dialog);
    });
}

QLineEdit* field(QWidget* dialog, const char* name)
{
    return dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
}

} // namespace

// The swimmers screen: the two orders of the list, the highest number and auto-numbering.
class AthletesFormTest : public EntryTest {
protected:
    void SetUp() override
    {
        EntryTest::SetUp();
        m_team = entries::Teams(database(), m_meeting)
                     .add({0, QStringLiteral("Oak Park"), QStringLiteral("OAK"), true, true});
    }

    qint64 swimmer(const QString& surname, const QString& gender, int age,
                   const QString& number = QString())
    {
        entries::AthleteRow a;
        a.teamNo = m_team;
        a.surname = surname;
        a.firstName = QStringLiteral("Kim");
        a.gender = gender;
        a.age = age;
        a.number = number;
        return entries::Athletes(database(), settings()).add(a);
    }

    static QStringList surnames(entries::AthletesForm& form)
    {
        QStringList names;
        for (int r = 0; r < form.athleteTable()->rowCount(); ++r)
            names << form.athleteTable()->item(r, 0)->text();
        return names;
    }

    qint64 m_team = 0;
};

TEST_F(AthletesFormTest, theListIsByAgeGenderAndSurnameOrBySurnameAlone)
{
    swimmer(QStringLiteral("smit"), QStringLiteral("M"), 12);
    swimmer(QStringLiteral("BOTHA"), QStringLiteral("M"), 13);
    swimmer(QStringLiteral("NEL"), QStringLiteral("F"), 13);
    swimmer(QStringLiteral("ADAMS"), QStringLiteral("M"), 12);
    swimmer(QStringLiteral("VAN WYK"), QStringLiteral("F"), 12);
    entries::AthletesForm form(run());
    form.show();
    // Age first, then gender; surnames compare in upper case.
    EXPECT_EQ(surnames(form), QStringList({"VAN WYK", "ADAMS", "smit", "NEL", "BOTHA"}));
    form.orderChoice()->setCurrentIndex(1);
    EXPECT_EQ(surnames(form), QStringList({"ADAMS", "BOTHA", "NEL", "smit", "VAN WYK"}));
}

TEST_F(AthletesFormTest, findHighestNumberNamesTheHighestAndTheNumbersThatAreNot)
{
    swimmer(QStringLiteral("NEL"), QStringLiteral("M"), 12, QStringLiteral("12"));
    swimmer(QStringLiteral("SMIT"), QStringLiteral("M"), 12, QStringLiteral("7"));
    swimmer(QStringLiteral("ADAMS"), QStringLiteral("F"), 12, QStringLiteral("A3"));
    entries::AthletesForm form(run());
    form.findHighestNumber();
    EXPECT_TRUE(m_sink.saw(QStringLiteral("The highest number assigned so far is 12")));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("Numbers that are not numeric:\rA3")));
}

TEST_F(AthletesFormTest, autoNumberingSuggestsTheNextNumberAndStopsWhenOverridden)
{
    setMeeting(QStringLiteral("ATH_HAS_NUMBERS"), 1);
    swimmer(QStringLiteral("NEL"), QStringLiteral("M"), 12, QStringLiteral("40"));
    entries::AthletesForm form(run());
    form.show();
    ASSERT_TRUE(form.autoNumberChoice()->isVisible());
    form.autoNumberChoice()->setChecked(true);
    auto add = [&](const QString& surname, const QString& number, QString* suggested) {
        whenDialogOpens<entries::AthleteDialog>([=, this](entries::AthleteDialog* d) {
            *suggested = field(d, "number")->text();
            field(d, "surname")->setText(surname);
            field(d, "firstName")->setText(QStringLiteral("Kim"));
            field(d, "gender")->setText(QStringLiteral("F"));
            field(d, "age")->setText(QStringLiteral("12"));
            if (!number.isNull()) {
                // A number with a blank is refused and the dialog stays open.
                field(d, "number")->setText(QStringLiteral("4 2"));
                d->accept();
                EXPECT_TRUE(m_sink.saw(QStringLiteral("The number must be numeric with no "
                                                      "spaces")));
                EXPECT_EQ(d->focusWidget(), field(d, "number"));
                field(d, "number")->setText(number);
            }
            d->accept();
        });
        form.addAthlete();
    };
    QString suggested;
    add(QStringLiteral("ADAMS"), QString(), &suggested);
    EXPECT_EQ(suggested, QStringLiteral("41"));
    add(QStringLiteral("BOTHA"), QString(), &suggested);
    EXPECT_EQ(suggested, QStringLiteral("42"));
    EXPECT_EQ(form.autoNumbering().counter(), 43);
    // Another number typed: the counter goes back to 0 and starts again from the highest.
    add(QStringLiteral("CLOETE"), QStringLiteral("90"), &suggested);
    EXPECT_EQ(form.autoNumbering().counter(), 0);
    add(QStringLiteral("DU TOIT"), QString(), &suggested);
    EXPECT_EQ(suggested, QStringLiteral("91"));
    EXPECT_EQ(value(QStringLiteral("select list(NUMBER, ',') from (select NUMBER from ATHLETE "
                                   "order by SURNAME)")),
              QStringLiteral("41,42,90,91,40"));
}

TEST_F(AthletesFormTest, aTypedBestTimeIsCheckedAndARepairIsTold)
{
    const qint64 nel = swimmer(QStringLiteral("NEL"), QStringLiteral("M"), 12);
    addEvent(QStringLiteral("FRE____100M12W"));
    entries::AthletesForm form(run());
    form.show();
    ASSERT_EQ(form.athleteTable()->rowCount(), 1);
    auto enter = [&](const QString& best) {
        whenDialogOpens<QInputDialog>([best](QInputDialog* items) {
            items->setTextValue(items->comboBoxItems().value(0));
            whenDialogOpens<QInputDialog>([best](QInputDialog* time) {
                time->setTextValue(best);
                time->accept();
            });
            items->accept();
        });
        form.enterItem();
    };
    // Seventy-five seconds are not quietly made into a minute and fifteen.
    enter(QStringLiteral("1:75.00"));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("You cannot have more than 59 seconds.")));
    EXPECT_EQ(count(QStringLiteral("PARTICIPATE")), 0);
    enter(QStringLiteral("1:15.3"));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("The best performance 1:15.3 was stored as 1:15.30")));
    ASSERT_EQ(form.entryTable()->rowCount(), 1);
    EXPECT_EQ(form.entryTable()->item(0, 2)->text(), QStringLiteral("1:15.30"));

    // The best is changed from the same screen, through the same check.
    form.entryTable()->setCurrentCell(0, 0);
    auto editBest = [&](const QString& best) {
        whenDialogOpens<QInputDialog>([best](QInputDialog* time) {
            EXPECT_EQ(time->textValue(), QStringLiteral("1:15.30"));
            time->setTextValue(best);
            time->accept();
        });
        form.editBest();
    };
    m_sink.clear();
    editBest(QStringLiteral("0:75.3"));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("You cannot have more than 59 seconds.")));
    editBest(QStringLiteral("1:14.90"));
    EXPECT_EQ(form.entryTable()->item(0, 2)->text(), QStringLiteral("1:14.90"));
    EXPECT_EQ(value(QStringLiteral("select BESTPERFBEFORE from PARTICIPATE where ATHLETENO = ") +
                    db::sqlInt(nel)),
              QStringLiteral("1:14.90"));
}

TEST_F(AthletesFormTest, relayTeamsFollowTheSwimmersSetApartAndEveryButtonSaysWhatItDoes)
{
    swimmer(entries::kRelayTeamSurname, QStringLiteral("M"), 11);
    swimmer(QStringLiteral("ZULU"), QStringLiteral("M"), 12);
    swimmer(QStringLiteral("ADAMS"), QStringLiteral("F"), 13);
    entries::AthletesForm form(run());
    form.resize(1000, 600);
    form.show();
    // By age the relay team (11) would come first; it follows the swimmers instead.
    EXPECT_EQ(surnames(form), QStringList({"ZULU", "ADAMS", "Relay team"}));
    EXPECT_TRUE(form.athleteTable()->item(2, 0)->font().italic());
    EXPECT_FALSE(form.athleteTable()->item(0, 0)->font().italic());
    for (QPushButton* b : form.findChildren<QPushButton*>()) {
        if (!b->text().contains(QStringLiteral("Close"))) {
            EXPECT_FALSE(b->toolTip().isEmpty()) << b->text().toStdString();
        }
    }
    // The lists fill their width after a refresh too.
    form.refresh();
    QApplication::processEvents();
    QTableWidget* table = form.athleteTable();
    int width = 0;
    for (int c = 0; c < table->columnCount(); ++c)
        width += table->horizontalHeader()->sectionSize(c);
    EXPECT_EQ(width, table->viewport()->width());
}

TEST_F(AthletesFormTest, theNamesTakeTheWidthAndAnItemOutsideTheProgramShowsNoSequence)
{
    const qint64 athleteNo =
        swimmer(QStringLiteral("NEL"), QStringLiteral("M"), 12, QStringLiteral("7"));
    const qint64 event = addEvent(QStringLiteral("FRE____100M12W"));
    entries::AthletesForm form(run());
    form.resize(1100, 600);
    form.show();
    QApplication::processEvents();
    ASSERT_EQ(form.athleteTable()->rowCount(), 1);
    const QHeaderView* header = form.athleteTable()->horizontalHeader();
    EXPECT_GT(header->sectionSize(1), 3 * header->sectionSize(4))
        << "the first name stretches, not the number";

    ASSERT_GT(entries::Participations(database(), settings()).add(athleteNo, event), 0);
    form.refresh();
    ASSERT_EQ(form.entryTable()->rowCount(), 1);
    // Not yet in a numbered program: no sequence rather than a 0.
    EXPECT_EQ(form.entryTable()->item(0, 0)->text(), QString());
    ASSERT_TRUE(database().execute(
        QStringLiteral("insert into PROGRAM (PROGRAMNO, MEETINGNO, EVENTNO, ROUND, HEATNO, SEQ) "
                       "values (") +
        db::sqlInt(database().nextKeyNumber()) + QLatin1Char(',') + db::sqlInt(m_meeting) +
        QLatin1Char(',') + db::sqlInt(event) + QStringLiteral(", 'F', 0, 4)")));
    form.refresh();
    ASSERT_EQ(form.entryTable()->rowCount(), 1);
    EXPECT_EQ(form.entryTable()->item(0, 0)->text(), QStringLiteral("4"));
    EXPECT_GT(form.entryTable()->horizontalHeader()->sectionSize(1),
              form.entryTable()->horizontalHeader()->sectionSize(2));
}
