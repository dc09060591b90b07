#include "meetingfixture.h"

#include "meeting/categories.h"
#include "meeting/datetext.h"
#include "meeting/forms/categorydialog.h"
#include "meeting/forms/choicegroup.h"
#include "meeting/forms/editmeetingsform.h"
#include "meeting/forms/meetingdialog.h"
#include "meeting/forms/settingsallform.h"
#include "meeting/forms/settingsathletesform.h"
#include "meeting/forms/settingscaptureduringform.h"
#include "meeting/forms/settingscategoriesform.h"
#include "meeting/forms/settingsmeetinggeneralform.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

namespace {

// Runs `fill` on the next modal dialog that opens.
template <typename Dialog, typename Fill> void whenDialogOpens(Fill fill)
{
    QTimer::singleShot(0, [fill] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        fill(dialog);
    });
}

class MeetingScreensTest : public meeting_testing::MeetingTest {
protected:
    QString meetingValue(const QString& column)
    {
        return value("select " + column +
                     " from MEETING where MEETINGNO=" + db::sqlInt(run().currentMeetingNo()));
    }
};

TEST_F(MeetingScreensTest, NewMeetingDialogKeepsRefusalsOpenAndCreatesOnAccept)
{
    whenDialogOpens<meeting::MeetingDialog>([this](meeting::MeetingDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Create a new meeting");
        EXPECT_EQ(d->dateEdit()->text(), meeting::dateText(QDate::currentDate()));
        d->nameEdit()->setText("Spring Gala");
        d->accept(); // no venue yet
        EXPECT_TRUE(d->isVisible());
        EXPECT_TRUE(m_sink.saw("Enter a venue"));
        EXPECT_EQ(d->focusWidget(), d->venueEdit());
        d->venueEdit()->setText("Town Pool");
        d->nameEdit()->clear();
        d->accept();
        EXPECT_TRUE(m_sink.saw("Enter a name"));
        EXPECT_EQ(d->focusWidget(), d->nameEdit());
        d->nameEdit()->setText("Spring Gala");
        d->dateEdit()->setText("20250230");
        d->accept();
        EXPECT_TRUE(m_sink.saw("Invalid date"));
        EXPECT_EQ(d->focusWidget(), d->dateEdit());
        d->dateEdit()->setText("20250314");
        d->accept();
    });
    const int no = meeting::openNewMeeting(nullptr, run());
    ASSERT_GT(no, 0);
    EXPECT_EQ(value("select DESCRIPTION || '|' || VENUE || '|' || THEDATE from MEETING"),
              "Spring Gala|Town Pool|2025/03/14");
    EXPECT_EQ(count("PLACEPOINT"), 8);

    // Cancelling writes nothing.
    whenDialogOpens<meeting::MeetingDialog>([](meeting::MeetingDialog* d) { d->reject(); });
    EXPECT_EQ(meeting::openNewMeeting(nullptr, run()), 0);
    EXPECT_EQ(count("MEETING"), 1);
}

TEST_F(MeetingScreensTest, EditMeetingsEditsAndDeletesTheSelectedMeeting)
{
    const int older = newMeeting("Old", "Pool", "2024/01/01");
    const int current = currentMeeting("New");
    meeting::EditMeetingsForm form(run());
    ASSERT_EQ(form.list()->count(), 2);
    EXPECT_EQ(form.list()->item(0)->text(), "2025/03/14:   New at Pool"); // latest first
    EXPECT_EQ(form.selectedMeetingNo(), current);

    form.list()->setCurrentRow(1);
    whenDialogOpens<meeting::MeetingDialog>([](meeting::MeetingDialog* d) {
        EXPECT_EQ(d->nameEdit()->text(), "Old");
        d->nameEdit()->setText("Older");
        d->accept();
    });
    form.editSelected();
    EXPECT_EQ(value("select DESCRIPTION from MEETING where MEETINGNO=" + db::sqlInt(older)),
              "Older");

    form.list()->setCurrentRow(0);
    m_sink.answerNo();
    form.deleteSelected();
    EXPECT_EQ(count("MEETING"), 2);
    m_sink.answerYes();
    form.deleteSelected();
    EXPECT_EQ(count("MEETING"), 1);
    EXPECT_EQ(count("PLACEPOINT", "MEETINGNO=" + db::sqlInt(current)), 0);
    EXPECT_EQ(form.resultMeetingNo(), 0);
    EXPECT_EQ(form.list()->count(), 1);
}

TEST_F(MeetingScreensTest, AthletesScreenRefusesBadInputAndSavesWithOneUpdate)
{
    currentMeeting();
    meeting::SettingsAthletesForm form(run());
    EXPECT_EQ(form.windowTitle(), "Settings: Swimmers");
    EXPECT_EQ(form.edit("MAXPARTSPERATH")->text(), "3");
    EXPECT_EQ(form.choice("DO_AGE_DEFAULTING")->value(), "1");
    form.show();
    form.choice("ATH_HAS_BIRTHDATE")->choose("Yes");
    form.edit("MAXPARTSPERATH")->setText("many");
    form.accept();
    EXPECT_TRUE(m_sink.saw("Specify the max number of Items allowed per Athlete"));
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(meetingValue("ATH_HAS_BIRTHDATE"), "0");

    // Cancel after an edit asks first.
    m_sink.answerNo();
    form.reject();
    EXPECT_TRUE(m_sink.saw("Lose edits ?"));
    EXPECT_TRUE(form.isVisible());

    form.edit("MAXPARTSPERATH")->setText("5");
    form.edit("DEFAULT_AGES")->setText("10,12");
    form.accept();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(meetingValue("ATH_HAS_BIRTHDATE"), "1");
    EXPECT_EQ(meetingValue("MAXPARTSPERATH"), "5");
    EXPECT_EQ(meetingValue("DEFAULT_AGES"), "10,12");
    EXPECT_TRUE(run().meeting().athletesHaveBirthDates());
}

TEST_F(MeetingScreensTest, CaptureDuringScreenKeepsItsRules)
{
    const int no = currentMeeting();
    meeting::SettingsCaptureDuringForm form(run());
    form.show();
    EXPECT_FALSE(form.choice("RESULTS_HAS_REVISIONS")->isVisible());
    form.choice("RESULTS_VIEW_EXTERNAL")->choose("Yes");
    EXPECT_TRUE(form.choice("RESULTS_HAS_REVISIONS")->isVisible());
    form.choice("RESULTS_HAS_REVISIONS")->setValue("9"); // unanswered
    form.accept();
    EXPECT_TRUE(m_sink.saw("You must indicate if you want to simply release results,"));
    EXPECT_EQ(meetingValue("RESULTS_VIEW_EXTERNAL"), "0");

    form.choice("RESULTS_HAS_REVISIONS")->choose("Yes");
    form.choice("HAS_WIND")->choose("Track only");
    form.choice("USES_CALLROOM")->choose("Yes");
    form.choice("CALLROOM_TRGR_ALL")->choose("Only when Done");
    form.accept();
    EXPECT_EQ(meetingValue("RESULTS_HAS_REVISIONS || HAS_WIND || USES_CALLROOM || "
                           "CALLROOM_TRGR_ALL"),
              "1110");

    // The call room stays on while items use it.
    addEvent(no, "M", "10");
    exec("update MYEVENT set CALLROOM_STATUS=2");
    meeting::SettingsCaptureDuringForm again(run());
    again.show();
    again.choice("USES_CALLROOM")->choose("No");
    again.accept();
    EXPECT_TRUE(m_sink.saw("You cannot say \"No\": there are already Items that uses"));
    EXPECT_EQ(meetingValue("USES_CALLROOM"), "1");
}

TEST_F(MeetingScreensTest, GeneralScreenSavesNameDateAndPrintChoice)
{
    currentMeeting();
    meeting::SettingsMeetingGeneralForm form(run());
    form.show();
    form.setIdentity({"Gala", "Pool", "2025/02/30"});
    m_sink.answerNo(); // do not leave with errors
    form.accept();
    EXPECT_TRUE(m_sink.saw("or the values does not indicate a valid date: 2025/02/30."));
    EXPECT_TRUE(m_sink.saw("Exit with errors ?"));
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(meetingValue("THEDATE"), "2025/03/14");

    whenDialogOpens<meeting::MeetingDialog>([this](meeting::MeetingDialog* d) {
        d->nameEdit()->setText("Winter Gala");
        // A date that is no date: the screen's own words, and the dialog stays open.
        d->dateEdit()->setText("20250230");
        d->accept();
        EXPECT_TRUE(m_sink.saw("The date-format is not yyyy/MM/dd,\ror the values does not "
                               "indicate a valid date: 2025/02/30."));
        EXPECT_FALSE(m_sink.saw("Invalid date"));
        EXPECT_EQ(d->result(), QDialog::Rejected);
        d->dateEdit()->setText("20250701");
        d->accept();
    });
    form.editIdentity();
    form.choice("PRINT_RECS_ONE_PER_LINE")->choose("Yes");
    form.accept();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(meetingValue("DESCRIPTION || '|' || THEDATE || '|' || PRINT_RECS_ONE_PER_LINE"),
              "Winter Gala|2025/07/01|1");
    EXPECT_EQ(run().meeting().descriptionText(), "2025/07/01:   Winter Gala at Pool");
}

TEST_F(MeetingScreensTest, CategoriesScreenAddsSwitchesAndPicksTheCurrentOne)
{
    currentMeeting();
    meeting::SettingsCategoriesForm form(run());
    form.show();
    EXPECT_EQ(form.windowTitle(), "Edit Categories");
    form.hasCategories()->choose("Yes");
    EXPECT_TRUE(m_sink.saw("You must add at least one Category"));
    EXPECT_EQ(form.hasCategories()->value(), "0");

    whenDialogOpens<meeting::CategoryDialog>([this](meeting::CategoryDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Add an Category");
        d->codeEdit()->setText("S1");
        d->descriptionEdit()->setText("Class one");
        d->accept();
    });
    form.addCategory();
    whenDialogOpens<meeting::CategoryDialog>([this](meeting::CategoryDialog* d) {
        d->codeEdit()->setText("s1");
        d->descriptionEdit()->setText("Other");
        d->accept();
        EXPECT_EQ(d->refusal(), "The Category already exists");
        EXPECT_TRUE(d->isVisible());
        d->reject();
    });
    form.addCategory();
    ASSERT_EQ(form.table()->rowCount(), 1);
    EXPECT_EQ(form.table()->item(0, 1)->text(), "Class one");

    form.hasCategories()->choose("Yes");
    EXPECT_TRUE(run().meeting().hasCategories());
    form.currentChoice()->setCurrentIndex(0);
    emit form.currentChoice()->activated(0);
    EXPECT_EQ(run().meeting().currentAddCategory(), "S1");
}

TEST_F(MeetingScreensTest, SettingsAllOffersOnlyTheScreensThatExist)
{
    currentMeeting();
    int opened = 0;
    meeting::SettingsAllForm form(
        run(), {{"Settings: Athletes", [&opened](QWidget*, base::Run&) { ++opened; }}});
    const QList<QPushButton*> buttons = form.findChildren<QPushButton*>();
    int enabled = 0;
    for (QPushButton* b : buttons) {
        if (b->text() == "Athletes")
            b->click();
        enabled += b->isEnabled() ? 1 : 0;
    }
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(buttons.size(), meeting::SettingsAllForm::panels().size() + 1);
    EXPECT_EQ(enabled, 2); // the wired screen and "Done"
}

} // namespace
