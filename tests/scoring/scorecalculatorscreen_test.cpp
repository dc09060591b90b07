#include "scoring/athleticsfixture.h"

#include "scoring/forms/scorecalculatorform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

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
    form.sets()->setCurrentIndex(form.sets()->findData(30));
    form.calculateTableScore();
    EXPECT_TRUE(m_sink.saw("The ScoreTable for WorldAth 2014 is not available"));
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

} // namespace
