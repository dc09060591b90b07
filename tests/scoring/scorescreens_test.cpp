#include "records/recordsfixture.h"

#include "base/forms/openerbutton.h"
#include "scoring/forms/afterform.h"
#include "scoring/forms/placepointsform.h"
#include "scoring/forms/reportform.h"
#include "scoring/forms/winnersform.h"

#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <QFile>
#include <QProcess>
#include <QTableWidget>

namespace {

class ScoreScreensTest : public RecordsTest {
protected:
    void SetUp() override
    {
        RecordsTest::SetUp();
        noPlacePoints();
    }
};

TEST_F(ScoreScreensTest, PlacesAreAddedEditedInTheGridAndTakenAway)
{
    scoring::PlacePointsForm form(run());
    form.increase();
    form.table()->item(0, 1)->setText("6");
    form.table()->item(0, 2)->setText("12");
    form.increase();
    ASSERT_EQ(form.table()->rowCount(), 2);
    // The next place starts from the last one's points.
    EXPECT_EQ(form.table()->item(1, 1)->text(), "6");
    form.table()->item(1, 1)->setText("4");
    form.table()->item(1, 2)->setText("minus");
    EXPECT_TRUE(m_sink.saw("The score must be a number, and not negative."));
    EXPECT_EQ(form.table()->item(1, 2)->text(), "12");
    EXPECT_EQ(value("select POINT from PLACEPOINT where PLACE = 2"), "4");

    form.table()->item(1, 2)->setText("14");
    m_sink.answerNo();
    EXPECT_FALSE(form.check());
    EXPECT_TRUE(m_sink.saw("The relay- points for place 2 (14) may not be more  than"));
    m_sink.answerYes();
    form.decrease();
    EXPECT_EQ(form.table()->rowCount(), 1);
}

TEST_F(ScoreScreensTest, AReportIsShownWithItsSectionsAndPrintedToPdf)
{
    scoring::Report report;
    report.title = "Medals per Team";
    report.headers = {"Team", "Gold"};
    report.rows = {{"OAK", "3"}, {"ELM", "1"}};
    report.subtitle = "Decathlon 25 Male";
    report.sections = {{0, "Competition 1"}};
    scoring::ReportForm form(run(), report);
    ASSERT_EQ(form.table()->rowCount(), 3);
    // What the report is of is shown under its title, as on paper.
    bool subtitleShown = false;
    for (const QLabel* label : form.findChildren<QLabel*>())
        subtitleShown = subtitleShown || label->text() == "Decathlon 25 Male";
    EXPECT_TRUE(subtitleShown);
    EXPECT_EQ(form.table()->item(0, 0)->text(), "Competition 1");
    EXPECT_EQ(form.table()->item(1, 0)->text(), "OAK");

    const QString path = m_home->dir() + "/medals.pdf";
    ASSERT_TRUE(form.savePdf(path));
    QProcess p;
    p.start("pdftotext", {"-layout", path, "-"});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(text.contains("Medals per Team"));
    EXPECT_TRUE(text.contains("Gala"));
    EXPECT_TRUE(text.contains(QRegularExpression("ELM\\s+1")));
    EXPECT_FALSE(form.savePdf("/no/such/folder/x.pdf"));
    EXPECT_TRUE(m_sink.saw("Could not write /no/such/folder/x.pdf"));
}

} // namespace

namespace {

TEST_F(ScoreScreensTest, TheWinnersSettingsAreCheckedBeforeTheyAreStored)
{
    setMeeting("TEAMSCOREBASIS = 1, MEDALBASEDON = 0");
    scoring::WinnersForm form(run());
    form.setMedalBasis(2);
    EXPECT_EQ(form.medalValue(0)->value(), 800);
    EXPECT_EQ(form.medalValue(2)->value(), 600);
    for (int i = 0; i < 3; ++i)
        form.medalTick(i)->setChecked(true);
    form.deduction()->setText("two");
    EXPECT_FALSE(form.save());
    EXPECT_TRUE(m_sink.saw("Enter a number for Deducting Points for Disqualifications"));
    form.deduction()->setText("2");
    form.medalValue(1)->setValue(900);
    EXPECT_FALSE(form.save());
    EXPECT_TRUE(m_sink.saw("The points for the medals must be descending"));
    EXPECT_EQ(run().meeting().integer("MEDALBASEDON"), 0);
    form.setMedalBasis(1);
    ASSERT_TRUE(form.save());
    EXPECT_EQ(run().meeting().integer("MEDALBASEDON"), 1);
    EXPECT_EQ(run().meeting().integer("DISQ_DEDUCT_POINTS"), 2);
    EXPECT_EQ(value("select POINTBRONZE from MEETING"), "3");
}

} // namespace

namespace {

TEST_F(ScoreScreensTest, AnOpenerButtonOfAnAreaAboveComesBeforeClose)
{
    scoring::AfterForm form(run());
    base::addOpenerButton(form, run(), "Errors and Chec&klists...", "Opens the checks",
                          [](QWidget*, base::Run&) {});
    QStringList texts;
    for (int i = 0; i < form.layout()->count(); ++i) {
        if (auto* button = qobject_cast<QPushButton*>(form.layout()->itemAt(i)->widget()))
            texts << button->text();
    }
    ASSERT_GE(texts.size(), 2);
    EXPECT_EQ(texts.last(), "C&lose");
    EXPECT_EQ(texts[texts.size() - 2], "Errors and Chec&klists...");
}

} // namespace
