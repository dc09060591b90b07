#include "scoring/athleticsfixture.h"

#include "scoring/forms/reportform.h"
#include "scoring/forms/scorecalculatorform.h"
#include "scoring/forms/scoretabledialog.h"
#include "scoring/forms/selectscoredialog.h"
#include "scoring/scorebands.h"
#include "support/modaldialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

namespace {

class ScoreCalculatorScreenTest : public AthleticsTest {
protected:
    static void grab(QWidget& widget, const QString& name)
    {
        const QByteArray dir = qgetenv("DOLVANE_SCREENSHOT_DIR");
        if (!dir.isEmpty())
            widget.grab().save(QString::fromLocal8Bit(dir) + "/" + name + ".png");
    }
};

TEST_F(ScoreCalculatorScreenTest, ScoresAndPerformancesWithTheScreensChecks)
{
    scoring::ScoreCalculatorForm form(run());
    ASSERT_EQ(form.sets()->currentData().toInt(), 5);
    // Nothing chosen yet.
    form.performance()->setText("10.51");
    form.calculateTableScore();
    EXPECT_TRUE(m_sink.saw("Select the Item"));
    EXPECT_TRUE(form.result().isEmpty());
    form.item()->setText("shd____100m25");
    form.height()->setText("high");
    form.calculateTableScore();
    EXPECT_TRUE(m_sink.saw("The height is not a number"));
    form.height()->setText("1400");
    form.calculateTableScore();
    EXPECT_EQ(form.result(), "973 points"); // WorldAth 2003 takes no altitude correction
    form.hand()->setChecked(true);
    form.performance()->setText("10.90");
    form.calculateTableScore();
    EXPECT_EQ(form.result(), "830 points");
    form.hand()->setChecked(false);
    form.score()->setText("1000");
    form.calculatePerformance();
    EXPECT_EQ(form.result(), "10.40");
    grab(form, "score-calculator");
    form.score()->setText("1001");
    form.calculatePerformance();
    EXPECT_TRUE(m_sink.saw("The score must be between 100 and 1000"));
    form.sets()->setCurrentIndex(form.sets()->findData(7));
    form.calculateTableScore();
    EXPECT_TRUE(m_sink.saw("The ScoreTable for WorldAth 2005 is not available"));
    EXPECT_TRUE(form.sets()->currentText().endsWith("(not loaded)"));
}

TEST_F(ScoreCalculatorScreenTest, TheWorldAthletics2017TableTakesScoresUpTo1400)
{
    scoring::ScoreCalculatorForm form(run());
    form.sets()->setCurrentIndex(form.sets()->findData(32));
    EXPECT_EQ(form.sets()->currentText(), "WorldAth 2017");
    form.item()->setText("SHD____200M25");
    form.height()->setText("1400");
    form.performance()->setText("21.61");
    form.calculateTableScore();
    // 21.61 is row 98 itself: 980 points, as the printed table has; no altitude correction
    // under this set.
    EXPECT_EQ(form.result(), "980 points");
    form.hand()->setChecked(true);
    form.calculateTableScore();
    // Scored as 21.85, 4/7 of the way from row 94 (21.89) to row 95 (21.82): 945.7 -> 946.
    EXPECT_EQ(form.result(), "946 points");
    form.hand()->setChecked(false);
    form.score()->setText("1400");
    form.calculatePerformance();
    EXPECT_EQ(form.result(), "18.89");
    grab(form, "score-calculator-worldath-2017");
    form.score()->setText("1401");
    form.calculatePerformance();
    EXPECT_TRUE(m_sink.saw("The score must be between 10 and 1400"));
    EXPECT_EQ(m_sink.count(base::MessageKind::Warning), 1);
    // A jump typed in any case is found under its own spelling (JMPHigh___F25).
    form.sets()->setCurrentIndex(form.sets()->findData(37));
    form.item()->setText("jmphigh___f25");
    form.performance()->setText("1.62");
    form.calculateTableScore();
    EXPECT_EQ(form.result(), "845 points");
    EXPECT_EQ(m_sink.count(base::MessageKind::Warning), 1);
}

TEST_F(ScoreCalculatorScreenTest, TheBandsOfTheGuideFillTheLowestScoreTheTableAdmits)
{
    const QList<scoring::ScoreBand>& bands = scoring::scoreBands();
    ASSERT_EQ(bands.size(), 8);
    EXPECT_EQ(bands[1].text, "500  ->  600  Interhouse");
    EXPECT_EQ(bands[6].text, "1000 -> 1100  SA-s,Top10,Top30");
    // A table of 100 to 1000 points has no score for the worlds; one up to 1400 has.
    EXPECT_EQ(scoring::bandScore(bands[6], 15), 1000);
    EXPECT_FALSE(scoring::bandScore(bands[7], 15).has_value());
    EXPECT_EQ(scoring::bandScore(bands[7], 37), 1100);

    scoring::SelectScoreDialog limited(15);
    EXPECT_FALSE(limited.bands()->item(7)->flags().testFlag(Qt::ItemIsEnabled));
    EXPECT_TRUE(limited.bands()->item(7)->toolTip().contains("from 100 to 1000"));
    // Picked with the keyboard: five down from the first band is the provincial level.
    limited.show();
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(limited.bands(), Qt::Key_Down);
    QTest::keyClick(limited.bands(), Qt::Key_Return);
    EXPECT_EQ(limited.result(), QDialog::Accepted);
    EXPECT_EQ(limited.chosenScore(), 900);

    scoring::SelectScoreDialog wide(37);
    wide.show();
    QTest::keyClick(wide.bands(), Qt::Key_End);
    QTest::keyClick(wide.bands(), Qt::Key_Return);
    EXPECT_EQ(wide.chosenScore(), 1100);
}

TEST_F(ScoreCalculatorScreenTest, ABandPickedOnTheCalculatorGivesThePerformanceItIsWorth)
{
    scoring::ScoreCalculatorForm form(run());
    form.show();
    form.item()->setText("SHD____100M25");
    using Guide = testing_support::ModalDialogs<scoring::SelectScoreDialog>;
    {
        Guide guide({[](scoring::SelectScoreDialog* d) {
            d->bands()->setCurrentRow(6);
            QTest::keyClick(d->bands(), Qt::Key_Return);
        }});
        form.selectScore();
        EXPECT_EQ(guide.answered(), 1);
    }
    EXPECT_EQ(form.score()->text(), "1000");
    EXPECT_EQ(form.result(), "10.40");
    grab(form, "score-calculator-band");
    // Cancelled, the guide leaves the score alone.
    {
        Guide guide({[](scoring::SelectScoreDialog* d) { d->reject(); }});
        form.selectScore();
    }
    EXPECT_EQ(form.score()->text(), "1000");
    EXPECT_EQ(m_sink.count(base::MessageKind::Warning), 0);
}

} // namespace

namespace {

TEST_F(ScoreCalculatorScreenTest, AScoreTableIsPrintedForTheItemsNamedUnderTheScreensTiming)
{
    scoring::ScoreCalculatorForm form(run());
    form.sets()->setCurrentIndex(form.sets()->findData(5));
    form.item()->setText("SHD____100F25");
    form.hand()->setChecked(true);
    // The girls' item typed first still comes after the boys', in a group of its own; by
    // hand a time is 0.24 s faster than the electronic time the points are worth.
    std::optional<scoring::Report> report =
        form.scoreTable({"shd____100f25", "SHD____100M25"}, 700, 1000, 100);
    ASSERT_TRUE(report.has_value());
    ASSERT_EQ(report->rows.size(), 8);
    EXPECT_TRUE(report->subtitle.isEmpty());
    EXPECT_EQ(report->sectionAt(0), "Boys");
    EXPECT_EQ(report->sectionAt(4), "Girls");
    EXPECT_EQ(report->sectionHeadersAt(0), (QStringList{"Score", "100m 25 Male"}));
    EXPECT_EQ(report->sectionHeadersAt(4), (QStringList{"Score", "100m 25 Female"}));
    EXPECT_EQ(report->rows[0], (QStringList{"700", "11.52"}));
    EXPECT_EQ(report->rows[4], (QStringList{"700", "13.17"}));
    EXPECT_TRUE(report->notes.contains("Hand Timing"));
    // One gender: its name under the title, the headings on top.
    report = form.scoreTable({"SHD____100F25"}, 700, 1000, 100);
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->subtitle, "Girls");
    EXPECT_TRUE(report->sections.isEmpty());
    EXPECT_EQ(report->headers, (QStringList{"Score", "100m 25 Female"}));

    EXPECT_FALSE(form.scoreTable({"SHD____100M25"}, 1000, 700, 100).has_value());
    EXPECT_TRUE(m_sink.saw("\"From\" must be less than \"To\""));
    EXPECT_FALSE(form.scoreTable({"SHD____100M25"}, 700, 1000, 70).has_value());
    EXPECT_TRUE(m_sink.saw("The steps must go precisely from \"From\" to \"To\""));
    EXPECT_FALSE(form.scoreTable({"LOD___1500M17"}, 700, 1000, 100).has_value());
    EXPECT_TRUE(m_sink.saw("This item is not in the Score table: LOD___1500M17"));

    // The button asks for the items and the range, the calculator's item offered.
    testing_support::ModalDialogs<scoring::ScoreTableDialog> dialogs(
        {[](scoring::ScoreTableDialog* d) {
            EXPECT_EQ(d->items()->text(), "SHD____100F25");
            d->from()->setValue(800);
            d->to()->setValue(900);
            d->step()->setValue(50);
            d->accept();
        }});
    testing_support::ModalDialogs<scoring::ReportForm> shown({[](scoring::ReportForm* r) {
        EXPECT_EQ(r->table()->rowCount(), 3);
        r->accept();
    }});
    form.printScoreTable();
    EXPECT_EQ(dialogs.answered(), 1);
    EXPECT_EQ(shown.answered(), 1);
}

} // namespace
