// The publish launcher and the managing screen, driven as a user drives them.

#include "publishfixture.h"

#include "publish/forms/autoprinterdialog.h"
#include "publish/forms/publishlauncherform.h"
#include "publish/forms/publishmanageform.h"
#include "publish/weblayout.h"
#include "results/forms/captureeventsform.h"
#include "results/forms/capturepanel.h"
#include "sheets/forms/sheetoutput.h"
#include "support/modaldialogs.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
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

    static QString pdfText(const QString& path)
    {
        QProcess p;
        p.start("pdftotext", {"-layout", path, "-"});
        EXPECT_TRUE(p.waitForFinished(30000));
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    // Alt+P as the keyboard gives it, through the window's shortcuts and mnemonics (a
    // button's mnemonic clicks it a moment later: the wait lets that happen).
    static void altP(QWidget& form)
    {
        if (!form.isActiveWindow()) {
            form.show();
            form.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        }
        QTest::keyClick(form.windowHandle(), Qt::Key_P, Qt::AltModifier);
        QTest::qWait(300);
    }

    qint64 free = 0, heat = 0;
};

TEST_F(PublishFormsTest, AltPRunsTheTickedAutoTasks)
{
    publish::PublishLauncherForm form(run(), heat);
    form.show();
    testing_support::ModalDialogs<QDialog> none({}); // Alt+P is no button's mnemonic
    altP(form);
    EXPECT_EQ(none.extra(), 0);
    EXPECT_TRUE(m_sink.saw("No Auto-tasks selected"));
    EXPECT_FALSE(QFileInfo::exists(page()));

    form.autoBox("PUB_AUTO_WEB")->setChecked(true);
    form.autoBox("PUB_AUTO_CLIP")->setChecked(true);
    EXPECT_TRUE(run().config().readBool("PUB_AUTO_WEB")) << "the tick is kept";
    altP(form);
    QStringList said;
    for (const auto& shown : m_sink.shown())
        said << shown.text;
    EXPECT_TRUE(QFileInfo::exists(page())) << said.join(" | ").toStdString();
    EXPECT_TRUE(m_sink.saw("The following Auto-tasks were done:"));
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith("Item 5 50m Freestyle"));
}

// The CSV and XML of a heat go to the broadcast folders: results to the results folder,
// starters to the starters folder, from the buttons and from the auto tasks alike.
TEST_F(PublishFormsTest, CsvAndXmlGoToTheirBroadcastFolders)
{
    const QString results = QDir(m_home->dir()).filePath("rslt");
    const QString starters = QDir(m_home->dir()).filePath("strt");
    ASSERT_TRUE(QDir().mkpath(results) && QDir().mkpath(starters));
    setConfig("PUB_FOLDER_CSV_RSLT_BCAST", results);
    setConfig("PUB_FOLDER_CSV_STRT_BCAST", starters);
    const QString name = "0005_50mFreestyle13Male_A1";

    publish::PublishLauncherForm form(run(), heat);
    form.toCsv(true, false);
    EXPECT_EQ(QDir(starters).entryList(QDir::Files), QStringList{"Starters_" + name + ".csv"});
    EXPECT_TRUE(QDir(results).isEmpty());

    form.autoBox("PUB_AUTO_CSV_BCAST")->setChecked(true);
    form.autoBox("PUB_AUTO_XML_BCAST")->setChecked(true);
    altP(form);
    EXPECT_TRUE(m_sink.saw("The following Auto-tasks were done:"));
    EXPECT_EQ(QDir(results).entryList(QDir::Files, QDir::Name),
              (QStringList{"Results_" + name + ".csv", "Results_" + name + ".xml"}));
    EXPECT_TRUE(text(QDir(results).filePath("Results_" + name + ".csv")).contains("1,Jones,Ben,"))
        << "the winner's line";
    EXPECT_TRUE(text(QDir(results).filePath("Results_" + name + ".xml"))
                    .contains("<SURNAME>Jones</SURNAME>"));
}

// Printed copies go to the printer the screen holds (here a PDF file); the results are
// marked printed, and the Lumaro task releases them to the viewing computers.
TEST_F(PublishFormsTest, TheLauncherPrintsCopiesAndReleasesTheResults)
{
    const QString pdf = QDir(m_home->dir()).filePath("copies.pdf");
    sheets::PdfSheetOutput printer(run(), pdf);
    publish::PublishLauncherForm form(run(), heat);
    form.setPrinter(&printer);
    form.copiesBox()->setValue(2);
    form.printCopies();
    ASSERT_TRUE(QFileInfo::exists(pdf));
    EXPECT_EQ(pdfText(pdf).count("Jones, Ben"), 2) << pdfText(pdf).toStdString();
    EXPECT_EQ(count("PROGRAM", "RESULTSPRINTED = 1 and PROGRAMNO = " + db::sqlInt(heat)), 1);
    ASSERT_TRUE(QFile::remove(pdf));

    form.autoCopiesBox()->setValue(3);
    EXPECT_EQ(run().config().readInt("PUB_AUTO_PRINT_COUNT"), 3) << "the count is kept";
    form.autoBox("PUB_AUTO_LUMARO")->setChecked(true);
    m_sink.answerYes();
    altP(form);
    EXPECT_EQ(pdfText(pdf).count("Jones, Ben"), 3);
    EXPECT_TRUE(m_sink.saw("Release the Results for 50m Freestyle"));
    EXPECT_EQ(count("PROGRAM", "RESULTS_RELEASED = 1 and PROGRAMNO = " + db::sqlInt(heat)), 1);
    EXPECT_TRUE(m_sink.saw("3 printed copies"));
    // Released already: the task is done without asking again.
    m_sink.clear();
    form.autoCopiesBox()->setValue(0);
    altP(form);
    EXPECT_FALSE(m_sink.saw("Release the Results"));
    EXPECT_TRUE(m_sink.saw("Results released to Lumaro"));
}

// Alt-P prints the copies to the remembered printer (here a PDF file) with no dialog at all.
TEST_F(PublishFormsTest, AutoPrintingGoesToTheRememberedPrinterWithoutADialog)
{
    const QString pdf = QDir(m_home->dir()).filePath("auto.pdf");
    ASSERT_TRUE(run().config().writeText("PUB_AUTO_PRINT_FILE", pdf));
    ASSERT_TRUE(run().config().writeInt("PUB_AUTO_PRINT_COUNT", 2));
    publish::PublishLauncherForm form(run(), heat);
    form.show();
    EXPECT_EQ(form.autoPrinterLabel()->toolTip(), "Printer: PDF file " + pdf);
    testing_support::ModalDialogs<QDialog> none({});
    altP(form);
    EXPECT_EQ(none.extra(), 0) << "a dialog was opened";
    ASSERT_TRUE(QFileInfo::exists(pdf));
    const QString printed = pdfText(pdf);
    EXPECT_EQ(printed.count("Jones, Ben"), 2) << printed.toStdString();
    EXPECT_EQ(printed.count("Smith, Ann"), 2);
    EXPECT_TRUE(m_sink.saw("2 printed copies"));
}

// With no printer remembered the first auto print asks where to print; cancelled, nothing
// is printed or kept; chosen, it prints there and is never asked again.
TEST_F(PublishFormsTest, AutoPrintingAsksOnceForThePrinterAndRemembersIt)
{
    const QString pdf = QDir(m_home->dir()).filePath("first.pdf");
    ASSERT_TRUE(run().config().writeInt("PUB_AUTO_PRINT_COUNT", 1));
    publish::PublishLauncherForm form(run(), heat);
    form.show();
    EXPECT_EQ(form.autoPrinterLabel()->text(), "Printer: not chosen yet");
    // Every modal dialog is caught (a print dialog would fail the test, not hang it).
    const auto printerDialog = [](QDialog* d) {
        auto* chooser = qobject_cast<publish::AutoPrinterDialog*>(d);
        EXPECT_NE(chooser, nullptr) << "another dialog: " << d->windowTitle().toStdString();
        if (!chooser)
            d->reject();
        return chooser;
    };
    testing_support::ModalDialogs<QDialog> asked({[&](QDialog* d) {
                                                      if (printerDialog(d))
                                                          d->reject();
                                                  },
                                                  [&](QDialog* dialog) {
                                                      auto* d = printerDialog(dialog);
                                                      if (!d)
                                                          return;
                                                      // A PDF file without a name is refused and
                                                      // the dialog stays.
                                                      d->printerBox()->setCurrentText(
                                                          publish::AutoPrinterDialog::pdfChoice());
                                                      d->fileEdit()->clear();
                                                      d->accept();
                                                      EXPECT_TRUE(d->isVisible());
                                                      d->fileEdit()->setText(pdf);
                                                      d->accept();
                                                  }});
    altP(form);
    EXPECT_EQ(asked.answered(), 1);
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_FALSE(m_sink.saw("The following Auto-tasks were done:"));
    EXPECT_TRUE(run().config().readText("PUB_AUTO_PRINT_FILE").isEmpty());

    altP(form);
    EXPECT_EQ(asked.answered(), 2);
    EXPECT_TRUE(m_sink.saw("Enter the name of the PDF file."));
    EXPECT_EQ(run().config().readText("PUB_AUTO_PRINT_FILE"), pdf);
    EXPECT_EQ(form.autoPrinterLabel()->toolTip(), "Printer: PDF file " + pdf);
    ASSERT_TRUE(QFileInfo::exists(pdf));
    EXPECT_EQ(pdfText(pdf).count("Jones, Ben"), 1);

    ASSERT_TRUE(QFile::remove(pdf));
    altP(form);
    EXPECT_EQ(asked.answered(), 2) << "asked once only";
    EXPECT_EQ(asked.extra(), 0);
    EXPECT_EQ(pdfText(pdf).count("Jones, Ben"), 1);
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
    // A day kept from a longer meeting is not offered, nor stored again.
    run().config().writeInt("CURRENT_PUBLISH_DAY", 3);
    publish::PublishManageForm form(run());
    EXPECT_EQ(form.rootEdit()->text(), m_root);
    EXPECT_FALSE(form.dayBox()->isEnabled()) << "a one-day meeting has no day to choose";
    EXPECT_EQ(form.dayBox()->value(), 1);
    EXPECT_EQ(form.dayBox()->maximum(), 1);
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

TEST_F(PublishFormsTest, TheListsFollowTheWebRootAsItIsTypedIn)
{
    setConfig("PUB_FOLDER_WEB_SITE", "");
    publish::PublishManageForm form(run());
    ASSERT_EQ(form.waitingList()->count(), 1);
    EXPECT_EQ(form.waitingList()->item(0)->text(), "Web root folder is empty");
    EXPECT_FALSE(form.waitingList()->item(0)->flags() & Qt::ItemIsSelectable);

    form.rootEdit()->setText(m_root + "/missing");
    emit form.rootEdit()->editingFinished();
    ASSERT_EQ(form.waitingList()->count(), 1);
    EXPECT_EQ(form.waitingList()->item(0)->text(), "Folder does not exist: " + m_root + "/missing");

    // The folder that exists shows the heat waiting, without reopening the screen.
    form.rootEdit()->setText(m_root);
    emit form.rootEdit()->editingFinished();
    ASSERT_EQ(form.waitingList()->count(), 1);
    EXPECT_TRUE(form.waitingList()->item(0)->text().startsWith("005 50m Freestyle"));
}

// After a correction a published heat is published again from the list of those printed.
TEST_F(PublishFormsTest, PublishedResultsCanBeRePrinted)
{
    publish::PublishManageForm form(run());
    form.showPrintedBox()->setChecked(true);
    EXPECT_EQ(form.printButton()->text(), "Re-P&rint Selecteds");
    ASSERT_EQ(form.waitingList()->count(), 1);
    EXPECT_EQ(form.waitingList()->item(0)->text(), "No Results printed to Web-files yet");

    form.showPrintedBox()->setChecked(false);
    EXPECT_EQ(form.printButton()->text(), "P&rint selecteds");
    form.waitingList()->item(0)->setSelected(true);
    form.printSelected();
    ASSERT_TRUE(text(page()).contains("30.00"));

    swim(heat, {"0:31.00", "0:29.40"});
    form.showPrintedBox()->setChecked(true);
    ASSERT_EQ(form.waitingList()->count(), 1);
    EXPECT_TRUE(form.waitingList()->item(0)->text().startsWith("005 50m Freestyle"));
    form.waitingList()->item(0)->setSelected(true);
    form.printSelected();
    EXPECT_TRUE(text(page()).contains("29.40"));
    EXPECT_FALSE(text(page()).contains("30.00"));
    EXPECT_EQ(indexLines(dayFile(publish::kSequenceIndex)).size(), 1);
    EXPECT_EQ(form.waitingList()->count(), 1) << "still published, still listed";
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
        publish::AutoPrinterDialog printer(messages(), {}, {"Office"},
                                           "Choose where the "
                                           "Auto-tasks print.");
        printer.grab().toImage().save(QDir(shots).filePath("autoprinter.png"));
    }
}

} // namespace
