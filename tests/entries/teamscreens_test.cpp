#include "screenpicture.h"
#include "teamsfixture.h"

#include "entries/forms/athletedialog.h"
#include "entries/forms/athletenumbersform.h"
#include "entries/forms/namecaseform.h"
#include "entries/forms/teamdialog.h"
#include "entries/forms/teamsform.h"
#include "entries/forms/teamsplitform.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

using entries::AthleteDialog;
using entries::AthleteRow;
using entries::Athletes;

class TeamScreensTest : public TeamsTest {
protected:
    // The dialog shown and active, so that the focus it sets can be seen.
    template <typename Dialog> void showActive(Dialog& dialog)
    {
        dialog.show();
        dialog.activateWindow();
        QApplication::processEvents();
    }

    static void type(QWidget& dialog, const char* field, const QString& text)
    {
        auto* edit = dialog.findChild<QLineEdit*>(QString::fromLatin1(field));
        ASSERT_NE(edit, nullptr) << field;
        edit->setText(text);
    }

    void addCategory(const QString& category)
    {
        ASSERT_TRUE(database().execute(
            QStringLiteral("insert into CATEGORY (DUMMY_NO, MEETINGNO, CATEGORY) values (") +
            db::sqlInt(database().nextKeyNumber()) + QLatin1Char(',') + db::sqlInt(m_meeting) +
            QLatin1Char(',') + db::quoted(category) + QLatin1Char(')')));
    }
};

TEST_F(TeamScreensTest, theAthleteDialogRefusesEachFieldWithItsFocusAndWritesNothing)
{
    setMeeting(QStringLiteral("HAS_CATEGORIES"), 1);
    setMeeting(QStringLiteral("ATH_HAS_DEMOGRAPHICS"), 1);
    setMeeting(QStringLiteral("SHOW_ADD_DISABLED"), 1);
    addCategory(QStringLiteral("OPEN"));
    const qint64 oak = team(QStringLiteral("Oak Park"), QStringLiteral("OAK"));

    Athletes athletes(database(), settings());
    AthleteRow fresh;
    fresh.teamNo = oak;
    AthleteDialog dialog(athletes, settings(), fresh, QStringLiteral("Oak Park"),
                         QStringLiteral("Swimmer"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Add a Swimmer for Oak Park"));
    showActive(dialog);
    type(dialog, "surname", QStringLiteral("BOTHA"));
    type(dialog, "firstName", QStringLiteral("Kim"));
    type(dialog, "age", QStringLiteral("13"));
    struct Refusal {
        const char* field;
        QString text;
        Athletes::Field focus;
        QString message;
    };
    // Each line fixes the field of the refusal before it and meets the next one, in the
    // order the dialog checks them.
    const QList<Refusal> refusals{
        {"gender", QStringLiteral(" "), Athletes::Field::Gender,
         QStringLiteral("You have to enter either a F for female")},
        {"gender", QStringLiteral("F"), Athletes::Field::DisabilityClasses,
         QStringLiteral("Invalid Disability Class: Q3")},
        {"disabilityClasses", QStringLiteral("S9,SB8"), Athletes::Field::LocalSmds,
         QStringLiteral("The Local Smds is not valid: 12-4")},
        {"localSmds", QStringLiteral("L124"), Athletes::Field::Category,
         QStringLiteral("Enter the Category")},
        {"category", QStringLiteral("JUNIOR"), Athletes::Field::Category,
         QStringLiteral("The Category is not valid: JUNIOR")},
        {"category", QStringLiteral("OPEN"), Athletes::Field::Demographic,
         QStringLiteral("Enter the Demographic")},
        {"demographic", QStringLiteral("Z"), Athletes::Field::Demographic,
         QStringLiteral("The Demographic is not valid: Z")},
        {"demographic", QStringLiteral("B"), Athletes::Field::Age,
         QStringLiteral("The age must be between 2 and 95")},
    };
    type(dialog, "disabilityClasses", QStringLiteral("S9,Q3"));
    type(dialog, "localSmds", QStringLiteral("12-4"));
    for (const Refusal& r : refusals) {
        type(dialog, r.field, r.text);
        if (r.focus == Athletes::Field::Age)
            type(dialog, "age", QStringLiteral("96"));
        m_sink.clear();
        dialog.accept();
        EXPECT_TRUE(m_sink.saw(r.message)) << r.message.toStdString();
        EXPECT_EQ(dialog.focusWidget(), dialog.fieldOf(r.focus)) << r.message.toStdString();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(count(QStringLiteral("ATHLETE")), 0);
    }
    type(dialog, "age", QStringLiteral("13"));
    type(dialog, "number", QStringLiteral("7"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    // The dialog hands the athlete back; the caller stores it.
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 0);
    EXPECT_EQ(dialog.athlete().surname, QStringLiteral("BOTHA"));
    ASSERT_NE(athletes.save(dialog.athlete()), 0);
    EXPECT_EQ(value(QStringLiteral("select CATEGORY || '|' || GAI_RACIST_ABRV || '|' || "
                                   "DISABILITY_CLASSES || '|' || LOCAL_SMDS || '|' || NUMBER from "
                                   "ATHLETE")),
              QStringLiteral("OPEN|B|S9,SB8|L124|7"));
    keepPicture(dialog, QStringLiteral("athlete-dialog"));
}

TEST_F(TeamScreensTest, theAthleteDialogChecksTheGenderBeforeTheAge)
{
    const qint64 girls = team(QStringLiteral("Oak Girls"), QStringLiteral("OAKG"), false, true);
    Athletes athletes(database(), settings());
    AthleteRow fresh;
    fresh.teamNo = girls;
    AthleteDialog dialog(athletes, settings(), fresh, QStringLiteral("Oak Girls"),
                         QStringLiteral("Swimmer"));
    showActive(dialog);
    type(dialog, "surname", QStringLiteral("BOTHA"));
    type(dialog, "age", QStringLiteral("twelve"));
    dialog.accept();
    ASSERT_EQ(m_sink.count(base::MessageKind::Warning), 1);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("You have to enter either a F for female")));
    EXPECT_EQ(dialog.focusWidget(), dialog.fieldOf(Athletes::Field::Gender));
    m_sink.clear();
    type(dialog, "gender", QStringLiteral("M"));
    dialog.accept();
    ASSERT_EQ(m_sink.count(base::MessageKind::Warning), 1);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("This team does not have males")));
    EXPECT_EQ(dialog.focusWidget(), dialog.fieldOf(Athletes::Field::Gender));
    m_sink.clear();
    type(dialog, "gender", QStringLiteral("F"));
    dialog.accept();
    EXPECT_EQ(dialog.focusWidget(), dialog.fieldOf(Athletes::Field::Age));
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(TeamScreensTest, aTakenNumberKeepsTheFocusOnTheNumberAndBirthDatesCanBeCleared)
{
    setMeeting(QStringLiteral("ATH_HAS_BIRTHDATE"), 1);
    const qint64 oak = team(QStringLiteral("Oak Park"), QStringLiteral("OAK"));
    Athletes athletes(database(), settings());
    AthleteRow nel;
    nel.teamNo = oak;
    nel.surname = QStringLiteral("NEL");
    nel.firstName = QStringLiteral("Jan");
    nel.gender = QStringLiteral("M");
    nel.age = 13;
    nel.number = QStringLiteral("12");
    nel.birthDate = QStringLiteral("2013/01/05");
    nel.athleteNo = athletes.add(nel);
    ASSERT_NE(nel.athleteNo, 0);

    AthleteRow fresh;
    fresh.teamNo = oak;
    AthleteDialog add(athletes, settings(), fresh, QStringLiteral("Oak Park"),
                      QStringLiteral("Swimmer"));
    showActive(add);
    type(add, "surname", QStringLiteral("BOTHA"));
    type(add, "gender", QStringLiteral("M"));
    type(add, "age", QStringLiteral("13"));
    type(add, "number", QStringLiteral("12"));
    type(add, "birthDate", QStringLiteral("2013/02/01"));
    add.accept();
    EXPECT_TRUE(m_sink.saw(QStringLiteral("The number 12 is already used by NEL, Jan")));
    EXPECT_EQ(add.focusWidget(), add.fieldOf(Athletes::Field::Number));
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 1);
    // A birth date that does not fit the age is refused on its own field.
    type(add, "number", QStringLiteral("13"));
    type(add, "birthDate", QStringLiteral("2001/02/01"));
    m_sink.answerNo(); // do not accept it anyway, where the rules offer that
    add.accept();
    EXPECT_EQ(add.focusWidget(), add.fieldOf(Athletes::Field::BirthDate));
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 1);

    AthleteDialog edit(athletes, settings(), nel, QStringLiteral("Oak Park"),
                       QStringLiteral("Swimmer"));
    m_sink.answerNo();
    edit.clearBirthDate();
    EXPECT_TRUE(m_sink.saw(QStringLiteral("Clear the Birthdate for this Athlete")));
    EXPECT_EQ(value(QStringLiteral("select BIRTHDATE from ATHLETE")), "2013/01/05");
    m_sink.answerYes();
    edit.clearBirthDate();
    EXPECT_EQ(value(QStringLiteral("select BIRTHDATE from ATHLETE")), QString());
    EXPECT_TRUE(edit.findChild<QLineEdit*>(QStringLiteral("birthDate"))->text().isEmpty());
}

TEST_F(TeamScreensTest, aSecondRelayTeamOfAGenderAgeIsAddedOnlyAfterTwoYeses)
{
    const qint64 oak = team(QStringLiteral("Oak Park"), QStringLiteral("OAK"));
    Athletes athletes(database(), settings());
    AthleteRow relay;
    relay.teamNo = oak;
    relay.surname = entries::kRelayTeamSurname;
    relay.firstName = QStringLiteral("A");
    relay.gender = QStringLiteral("F");
    relay.age = 13;
    ASSERT_NE(athletes.add(relay), 0);
    relay.firstName = QStringLiteral("B");
    AthleteDialog dialog(athletes, settings(), relay, QStringLiteral("Oak Park"),
                         QStringLiteral("Swimmer"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Add a relay team for Oak Park"));
    showActive(dialog);
    type(dialog, "age", QStringLiteral("13"));
    m_sink.answerYes();
    m_sink.answerNo();
    dialog.accept();
    EXPECT_TRUE(m_sink.saw(QStringLiteral("There is already a Relay team for ")));
    EXPECT_EQ(dialog.focusWidget(), dialog.findChild<QLineEdit*>(QStringLiteral("firstName")));
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 1);
    m_sink.answerYes();
    m_sink.answerYes();
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 1);
    ASSERT_NE(athletes.save(dialog.athlete()), 0);
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 2);
}

TEST_F(TeamScreensTest, theTeamDialogKeepsAGenderThatHasAthletesWithTheFocusOnItsBox)
{
    const qint64 oak = team(QStringLiteral("Oak Park"), QStringLiteral("OAK"));
    athlete(oak, QStringLiteral("NEL"), QStringLiteral("F"), 13);
    entries::Teams teams(database(), m_meeting);
    entries::TeamDialog dialog(teams, *teams.find(oak));
    showActive(dialog);
    auto* females = dialog.findChild<QCheckBox*>(QStringLiteral("females"));
    females->setChecked(false);
    dialog.accept();
    EXPECT_TRUE(m_sink.saw(QStringLiteral("NEL, Kim")));
    EXPECT_TRUE(m_sink.saw(QStringLiteral("\"Has Females\" must be checked.")));
    EXPECT_EQ(dialog.focusWidget(), females);
    EXPECT_EQ(value(QStringLiteral("select HASFEMALE from TEAM")), "1");
    type(dialog, "name", QStringLiteral("Oak, Park"));
    females->setChecked(true);
    dialog.accept();
    EXPECT_EQ(dialog.focusWidget(), dialog.findChild<QLineEdit*>(QStringLiteral("name")));
    EXPECT_EQ(value(QStringLiteral("select TEAMNAME from TEAM")), "Oak Park");
    // An accepted team comes back for the caller to store.
    type(dialog, "name", QStringLiteral("Oak Park Aquatics"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(value(QStringLiteral("select TEAMNAME from TEAM")), "Oak Park");
    EXPECT_EQ(teams.save(dialog.team()), oak);
    EXPECT_EQ(value(QStringLiteral("select TEAMNAME from TEAM")), "Oak Park Aquatics");
}

TEST_F(TeamScreensTest, theTeamsScreenDeletesWithTheDeleteKeyAndSplitsFromTheCurrentTeam)
{
    const qint64 alpha = team(QStringLiteral("Alpha"), QStringLiteral("ALP"));
    const qint64 bravo = team(QStringLiteral("Bravo"), QStringLiteral("BRA"));
    team(QStringLiteral("Charlie"), QStringLiteral("CHA"));
    for (qint64 t : {alpha, bravo}) {
        athlete(t, QStringLiteral("BOTHA"), QStringLiteral("M"), 13);
        athlete(t, QStringLiteral("NEL"), QStringLiteral("F"), 13);
    }
    entries::TeamsForm teams(run());
    teams.resize(760, 420);
    showActive(teams);
    ASSERT_EQ(teams.table()->rowCount(), 3);
    EXPECT_EQ(teams.table()->currentRow(), 0);
    keepPicture(teams, QStringLiteral("teams-form"));
    teams.table()->selectRow(2);
    m_sink.answerYes();
    QTest::keyClick(teams.table(), Qt::Key_Delete);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("Delete this team")));
    EXPECT_EQ(teams.table()->rowCount(), 2);

    entries::TeamSplit split(database(), m_meeting);
    entries::TeamSplitForm form(run(), split.teamsWithBothGenders());
    form.show();
    ASSERT_EQ(form.table()->rowCount(), 2);
    EXPECT_EQ(form.table()->item(1, 3)->text(), QStringLiteral("_BOYS:Bravo  (_BRA)"));
    keepPicture(form, QStringLiteral("team-split"));
    form.table()->selectRow(1);
    form.splitOnwards();
    EXPECT_EQ(form.table()->rowCount(), 1);
    EXPECT_EQ(form.table()->item(0, 0)->text(), QStringLiteral("Alpha"));
    EXPECT_EQ(count(QStringLiteral("TEAM"), QStringLiteral("TEAMNAME = '_BOYS:Bravo'")), 1);
    EXPECT_EQ(count(QStringLiteral("TEAM"), QStringLiteral("TEAMNAME = '_BOYS:Alpha'")), 0);
}

TEST_F(TeamScreensTest, theNumbersScreenShowsRangesAndRenumbersFromItsFields)
{
    setMeeting(QStringLiteral("ATH_HAS_NUMBERS"), 1);
    const qint64 alpha = team(QStringLiteral("Alpha"), QStringLiteral("ALP"));
    const qint64 bravo = team(QStringLiteral("Bravo"), QStringLiteral("BRA"));
    for (const char* name : {"AA", "BB", "CC"}) {
        athlete(alpha, QString::fromLatin1(name), QStringLiteral("M"), 13);
        athlete(bravo, QString::fromLatin1(name), QStringLiteral("F"), 13);
    }
    entries::AthleteNumbersForm form(run());
    showActive(form);
    ASSERT_EQ(form.table()->rowCount(), 2);
    EXPECT_EQ(form.table()->item(0, 2)->text(), QString()); // no numbers yet
    EXPECT_EQ(form.teamFirst()->text(), QStringLiteral("1"));
    form.allFirst()->setText(QStringLiteral("100"));
    form.gap()->setText(QStringLiteral("10"));
    m_sink.answerYes();
    m_sink.answerYes();
    form.renumberAll();
    EXPECT_TRUE(m_sink.saw(QStringLiteral("All previous numbering will be lost: Continue")));
    EXPECT_EQ(form.table()->item(0, 2)->text(), QStringLiteral("100"));
    EXPECT_EQ(form.table()->item(0, 6)->text(), QStringLiteral("102")); // males' highest
    EXPECT_EQ(form.table()->item(1, 3)->text(), QStringLiteral("115"));
    EXPECT_EQ(form.table()->item(1, 7)->text(), QStringLiteral("3")); // females
    EXPECT_EQ(form.teamFirst()->text(), QStringLiteral("116"));
    keepPicture(form, QStringLiteral("athlete-numbers"));

    form.table()->selectRow(1);
    form.teamFirst()->setText(QStringLiteral("x"));
    form.renumberTeam();
    EXPECT_TRUE(m_sink.saw(QStringLiteral("The number is not valid: x")));
    EXPECT_EQ(form.focusWidget(), form.teamFirst());
    form.teamFirst()->setText(QStringLiteral("200"));
    m_sink.answerYes();
    form.renumberTeam();
    EXPECT_TRUE(m_sink.saw(QStringLiteral("Renumber the athletes of Bravo starting at 200")));
    EXPECT_EQ(numbersOf(bravo), (QStringList{"200", "201", "202"}));
    EXPECT_EQ(numbersOf(alpha), (QStringList{"100", "101", "102"}));
    EXPECT_EQ(m_sink.unanswered(), 0);
}

TEST_F(TeamScreensTest, theNameCaseScreenListsOneTeamOrAllAndCorrects)
{
    const qint64 alpha = team(QStringLiteral("Alpha"), QStringLiteral("ALP"));
    const qint64 bravo = team(QStringLiteral("Bravo"), QStringLiteral("BRA"));
    AthleteRow a;
    a.teamNo = alpha;
    a.surname = QStringLiteral("botha");
    a.firstName = QStringLiteral("kim");
    a.gender = QStringLiteral("M");
    a.age = 13;
    Athletes(database(), settings()).add(a);
    a.teamNo = bravo;
    a.surname = QStringLiteral("Nel");
    Athletes(database(), settings()).add(a);
    entries::NameCaseForm form(run(), alpha);
    form.resize(560, 380);
    form.show();
    EXPECT_TRUE(form.listing().startsWith("The cases of the following 1 Athletes is wrong\n\n"
                                          "Alpha: botha, kim"))
        << form.listing().toStdString();
    const QList<QRadioButton*> scopes = form.findChildren<QRadioButton*>();
    ASSERT_EQ(scopes.size(), 2);
    EXPECT_EQ(scopes[1]->text(), QStringLiteral("&All Teams in one go"));
    scopes[1]->setChecked(true);
    EXPECT_TRUE(form.listing().contains("The cases of the following 2 Athletes is wrong"));
    EXPECT_TRUE(form.listing().contains("Bravo: Nel, kim")) << form.listing().toStdString();
    keepPicture(form, QStringLiteral("name-case"));
    m_sink.answerYes();
    form.correct();
    EXPECT_EQ(form.listing(), QStringLiteral("All 2 Athletenames are in the correct case"));
    EXPECT_EQ(value(QStringLiteral("select FIRSTNAME from ATHLETE where SURNAME = 'NEL'")),
              QStringLiteral("Kim"));
}
