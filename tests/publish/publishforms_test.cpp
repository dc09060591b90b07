// The publish launcher and the managing screen, driven as a user drives them.

#include "publishfixture.h"

#include "publish/forms/publishlauncherform.h"
#include "publish/forms/publishmanageform.h"
#include "publish/weblayout.h"
#include "results/forms/captureeventsform.h"
#include "results/forms/capturepanel.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

namespace {

class PublishFormsTest : public PublishTest {
protected:
    void SetUp() override
    {
        PublishTest::SetUp();
        free = addEvent(m_free50);
        heat = drawHeat(free, "A", 1, 5, {swimmer("Smith", "Ann"), swimmer("Jones", "Ben")});
        swim(heat, {"0:31.00", "0:30.00"});
    }
    QString page() const { return dayFile(publish::resultsFileName(5, m_free50, "A", 1, heat)); }

    qint64 free = 0, heat = 0;
};

TEST_F(PublishFormsTest, AltPRunsTheTickedAutoTasks)
{
    publish::PublishLauncherForm form(run(), heat);
    form.show();
    QTest::keyClick(&form, Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(m_sink.saw("No Auto-tasks selected"));
    EXPECT_FALSE(QFileInfo::exists(page()));

    form.autoBox("PUB_AUTO_WEB")->setChecked(true);
    form.autoBox("PUB_AUTO_CLIP")->setChecked(true);
    EXPECT_TRUE(run().config().readBool("PUB_AUTO_WEB")) << "the tick is kept";
    QTest::keyClick(&form, Qt::Key_P, Qt::AltModifier);
    QStringList said;
    for (const auto& shown : m_sink.shown())
        said << shown.text;
    EXPECT_TRUE(QFileInfo::exists(page())) << said.join(" | ").toStdString();
    EXPECT_TRUE(m_sink.saw("The following Auto-tasks were done:"));
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith("Item 5 50m Freestyle"));
}

TEST_F(PublishFormsTest, TheLauncherPublishesStartersOfItsHeat)
{
    publish::PublishLauncherForm form(run(), heat);
    form.startersToWeb();
    EXPECT_TRUE(text(dayFile(publish::kStartersPage)).contains("Jones, Ben"));
    form.toClipboard(true);
    EXPECT_EQ(QGuiApplication::clipboard()->text().split('\n').value(2), "2 Jones, Ben DOL");
}

TEST_F(PublishFormsTest, TheManagingScreenListsAndPublishesWhatIsWaiting)
{
    publish::PublishManageForm form(run());
    EXPECT_EQ(form.rootEdit()->text(), m_root);
    EXPECT_FALSE(form.dayBox()->isEnabled()) << "a one-day meeting has no day to choose";
    ASSERT_EQ(form.waitingList()->count(), 1);
    EXPECT_TRUE(form.waitingList()->item(0)->text().startsWith("005 50m Freestyle"));
    form.waitingList()->item(0)->setSelected(true);
    form.printSelected();
    EXPECT_TRUE(QFileInfo::exists(page()));
    EXPECT_EQ(form.waitingList()->item(0)->text(), "All Results already Printed");

    ASSERT_TRUE(QFile::remove(page()));
    form.refresh();
    ASSERT_EQ(form.orphanList()->count(), 2) << "the index line in both indexes";
    form.orphanList()->selectAll();
    m_sink.answerYes();
    form.deleteSelectedOrphans();
    EXPECT_EQ(form.orphanList()->count(), 0);
    EXPECT_TRUE(indexLines(dayFile(publish::kSequenceIndex)).isEmpty());

    // The day's pages say where they went.
    m_sink.clear();
    form.publishAllStarters();
    EXPECT_TRUE(QFileInfo::exists(dayFile(publish::kStartersPage)));
    EXPECT_TRUE(m_sink.saw("Done creating web-file Day1/Starters.html"));
    form.publishProgramOfDay();
    EXPECT_TRUE(m_sink.saw("Done creating web-file Day1/Program.html"));
}

TEST_F(PublishFormsTest, TheCapturePanelOpensTheLauncherForItsRow)
{
    results::CaptureEventsForm capture(run());
    ASSERT_FALSE(capture.panel()->publishButton()->isVisibleTo(&capture));
    qint64 opened = 0;
    capture.panel()->setPublisher(
        [&opened](QWidget*, base::Run&, qint64 programNo) { opened = programNo; });
    capture.selectProgramRow(heat);
    EXPECT_TRUE(capture.panel()->publishButton()->isVisibleTo(&capture));
    capture.panel()->publishButton()->click();
    EXPECT_EQ(opened, heat);
}

TEST_F(PublishFormsTest, ScreenshotsOfTheScreensLookRight)
{
    const QString shots = qEnvironmentVariable("DOLVANE_SCREENSHOTS");
    publish::PublishLauncherForm launcher(run(), heat);
    publish::PublishManageForm manage(run());
    launcher.resize(launcher.sizeHint());
    const QImage a = launcher.grab().toImage();
    const QImage b = manage.grab().toImage();
    EXPECT_GT(a.width(), 200);
    EXPECT_GT(b.height(), 400);
    if (!shots.isEmpty()) {
        a.save(QDir(shots).filePath("launcher.png"));
        b.save(QDir(shots).filePath("manage.png"));
    }
}

} // namespace
