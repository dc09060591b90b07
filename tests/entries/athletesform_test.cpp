#include "entryfixture.h"

#include "entries/athletes.h"
#include "entries/forms/athletedialog.h"
#include "entries/forms/athletesform.h"
#include "entries/teams.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
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
