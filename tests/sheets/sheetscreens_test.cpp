#include "sheetsfixture.h"

#include "meeting/meetingsettings.h"
#include "sheets/forms/distributionform.h"
#include "sheets/forms/lanetimesheetsdialog.h"
#include "sheets/forms/printsheetsform.h"
#include "sheets/forms/sheetoptionsdialog.h"
#include "sheets/forms/sheetoutput.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace {

class SheetScreensTest : public SheetsTest {
protected:
    // Answers the next modal dialog (the sheet options) as a person pressing a button.
    static void answerNextDialog(bool accept)
    {
        QTimer::singleShot(0, [accept] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                accept ? dialog->accept() : dialog->reject();
        });
    }
    sheets::PrintSheetsForm::OutputFactory pdfOutput()
    {
        return [this](QWidget*) -> std::unique_ptr<sheets::PageOutput> {
            return std::make_unique<sheets::PdfSheetOutput>(run(), pdfPath());
        };
    }
};

TEST_F(SheetScreensTest, PrintingAHeatFromTheScreenWritesItsSheetsAfterTheOptions)
{
    const qint64 event = addEvent(QStringLiteral("FRE____100M13W"), 3, 0, QStringLiteral("2,4,0"));
    addProgramRow(event, QStringLiteral("A"), 1, 1);
    addProgramRow(event, QStringLiteral("A"), 2, 2);
    const qint64 team = addTeam(QStringLiteral("Sharks Club"), QStringLiteral("SHK"));
    seat(event, QStringLiteral("A"), 2, addSwimmer(team, QStringLiteral("Kappa")), 3);

    sheets::PrintSheetsForm form(run(), pdfOutput());
    ASSERT_EQ(form.table()->rowCount(), 3);
    ASSERT_TRUE(form.selectHeat(event, QStringLiteral("A"), 2));
    const int row = form.table()->currentRow();
    EXPECT_EQ(form.table()->item(row, 5)->text(), QStringLiteral("1 of 1"));

    answerNextDialog(false); // the options are declined: nothing printed
    form.printHeat();
    EXPECT_EQ(sheetsPrinted(event, QStringLiteral("A"), 2), 0);

    answerNextDialog(true);
    form.printHeat();
    EXPECT_EQ(sheetsPrinted(event, QStringLiteral("A"), 2), 1);
    EXPECT_EQ(sheetsPrinted(event, QStringLiteral("A"), 1), 0);
    ASSERT_TRUE(form.selectHeat(event, QStringLiteral("A"), 2));
    EXPECT_EQ(form.table()->item(form.table()->currentRow(), 6)->text(), QStringLiteral("X"));
    EXPECT_TRUE(pdfPages(pdfPath()).join(QString()).contains(QStringLiteral("Kappa")));
}

TEST_F(SheetScreensTest, ThePreviewShowsOnePagePerCopyAndClosingItCountsAsPrinted)
{
    const qint64 event = drawnFinal();
    setMeeting(QStringLiteral("SHEETS_SKIP_START"), QStringLiteral("1"));
    sheets::PrintSheetsForm form(run(), sheets::screenOutput(run()));
    ASSERT_TRUE(form.selectHeat(event, QStringLiteral("F"), 0));
    int previewPages = -1;
    answerNextDialog(true); // the sheet options
    // Then the preview: read what it shows, as a person would, and close it.
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, [&previewPages, &poll] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!preview)
            return;
        poll.stop();
        if (auto* pages = preview->findChild<QPrintPreviewWidget*>())
            previewPages = pages->pageCount();
        preview->reject();
    });
    poll.start();
    form.printHeat();
    EXPECT_EQ(previewPages, 2); // the event sheet and the time sheet
    EXPECT_EQ(sheetsPrinted(event, QStringLiteral("F"), 0), 1);
}

TEST_F(SheetScreensTest, TheResultsButtonPrintsTheChosenHeatsResultList)
{
    const qint64 event = drawnFinal();
    ASSERT_TRUE(database().execute(
        QStringLiteral("update PROGRAM set NOT_CALCULATED_YET = 0 where EVENTNO = ") +
        QString::number(event)));
    sheets::PrintSheetsForm form(run(), pdfOutput());
    form.printResults();
    const QStringList pages = pdfPages(pdfPath());
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Results")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Charlie")));
    EXPECT_EQ(value(QStringLiteral("select RESULTSPRINTED from PROGRAM where EVENTNO = ") +
                    QString::number(event)),
              QStringLiteral("1"));
}

TEST_F(SheetScreensTest, EachOptionBoxWritesItsSettingAtOnce)
{
    sheets::SheetOptionsDialog dialog(run(), sheets::optionsTitle(QStringLiteral("A")));
    QCheckBox* laps = dialog.box(QStringLiteral("SHEETS_SKIP_LAP"));
    ASSERT_NE(laps, nullptr);
    EXPECT_TRUE(laps->isChecked());
    laps->click();
    EXPECT_EQ(value("select SHEETS_SKIP_LAP from MEETING"), QStringLiteral("1"));
    dialog.box(QStringLiteral("USE_DISTRIBUTION"))->click();
    EXPECT_EQ(value("select USE_DISTRIBUTION from MEETING"), QStringLiteral("0"));
    dialog.reject();
    // Cancelled or not, what was ticked stays.
    EXPECT_EQ(run().meeting().integer(QStringLiteral("SHEETS_SKIP_LAP")), 1);
}

TEST_F(SheetScreensTest, TheDistributionScreenAddsTogglesAndLoadsDefaults)
{
    sheets::DistributionForm form(run());
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.kinds()->setCurrentIndex(1); // "Track Timesheets"
    m_sink.answerText(QStringLiteral("Chief timekeeper"));
    form.addLine();
    ASSERT_EQ(form.list()->count(), 1);
    EXPECT_EQ(form.list()->item(0)->checkState(), Qt::Checked);
    form.list()->setFocus();
    QTest::keyClick(form.list(), Qt::Key_Space);
    EXPECT_EQ(form.list()->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(count("DISTRIBUTION", "DSTR_SHEET = 'TrackTime' and SELECTED = 'X'"), 0);

    m_sink.answerYes();
    m_sink.answerYes();
    form.loadDefaults();
    EXPECT_EQ(form.list()->count(), 2);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("Load the system sample list for \rTrack Timesheets")));
}

TEST_F(SheetScreensTest, LaneLimitsOutOfRangeKeepTheDialogOpen)
{
    sheets::LaneTimesheetsDialog dialog(run(), {8, 6});
    dialog.lanesEdit()->setText(QStringLiteral("25"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("Lanes to Print must be between 1 and 20")));
    dialog.lanesEdit()->setText(QStringLiteral("8"));
    dialog.perPageEdit()->setText(QStringLiteral("abc"));
    dialog.accept();
    EXPECT_TRUE(m_sink.saw(QStringLiteral("Events per Page must be between 1 and 12")));
    dialog.perPageEdit()->setText(QStringLiteral("4"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.limits().perPage, 4);
}

} // namespace
