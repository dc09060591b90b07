#include "base/messages.h"
#include "base/scriptedsink.h"
#include "meeting/forms/editperf.h"
#include "meeting/itemtypes.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using base::MessageKind;
using meeting::EditPerf;

namespace {

class EditPerfTest : public ::testing::Test {
protected:
    base::ScriptedSink sink;
    base::Messages messages{sink};
    meeting::ItemTypes athletics{meeting::Edition::Athletics, messages};
    meeting::ItemTypes swim{meeting::Edition::Swimming, messages};

    // Replaces the input's text by typing, as the user would.
    static void type(EditPerf& dialog, const QString& keys)
    {
        dialog.input()->selectAll();
        QTest::keyClick(dialog.input(), Qt::Key_Delete);
        dialog.input()->setCursorPosition(0);
        QTest::keyClicks(dialog.input(), keys);
    }
    static void show(EditPerf& dialog)
    {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }
};

TEST_F(EditPerfTest, ShowsCaptionFormatAndMask)
{
    EditPerf dialog(swim, "FRE____100M13W", "Performance of Lane 4", "1:05.32");
    EXPECT_EQ(dialog.windowTitle(), "Edit Performance of Lane 4");
    EXPECT_EQ(dialog.formatLabel()->text(), "(minutes:seconds.decimals)");
    EXPECT_EQ(dialog.input()->text(), "1:05.32");
    EXPECT_EQ(dialog.acceptButton()->text(), "Accept");
    EXPECT_EQ(sink.shown().size(), 0);
}

TEST_F(EditPerfTest, AcceptsTheCanonicalText)
{
    EditPerf dialog(athletics, "SHD____100M19", "Performance", "");
    show(dialog);
    type(dialog, "09.85");
    EXPECT_EQ(dialog.input()->text(), "09.85");
    QTest::mouseClick(dialog.acceptButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.performance(), QString("09.85"));
    EXPECT_EQ(sink.shown().size(), 0);
}

TEST_F(EditPerfTest, RefusalKeepsTheDialogOpenWithTheFocusOnTheInput)
{
    EditPerf dialog(athletics, "SHD____100M19", "Performance", "");
    show(dialog);
    type(dialog, "9.85");
    EXPECT_EQ(dialog.input()->text(), "9.85");
    QTest::keyClick(dialog.input(), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.performance());
    EXPECT_EQ(dialog.focusWidget(), dialog.input());
    ASSERT_EQ(sink.count(MessageKind::Warning), 1);
    EXPECT_TRUE(sink.ofKind(MessageKind::Warning)
                    .first()
                    .text.startsWith("The format of 9.85 should be 09.85\rseconds.decimals"));

    type(dialog, "09.85");
    QTest::keyClick(dialog.input(), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.performance(), QString("09.85"));
}

TEST_F(EditPerfTest, MoreThan59SecondsIsRefused)
{
    EditPerf dialog(athletics, "LOD___1500M17", "Performance", "");
    show(dialog);
    type(dialog, "0165.00");
    EXPECT_EQ(dialog.input()->text(), "01:65.00");
    dialog.tryAccept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(sink.saw("You cannot have more than 59 seconds."));
}

TEST_F(EditPerfTest, ABlankEntryIsTheEmptyText)
{
    EditPerf dialog(swim, "FRE____100M13W", "Performance", "1:05.32");
    show(dialog);
    type(dialog, "000");
    dialog.tryAccept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.performance(), QString(""));
    EXPECT_EQ(sink.shown().size(), 0);
}

TEST_F(EditPerfTest, EscapeClosesWithoutAResult)
{
    EditPerf dialog(athletics, "JMPHigh___F15", "Record", "1.50");
    show(dialog);
    EXPECT_EQ(dialog.input()->text(), "1.50");
    QTest::keyClick(dialog.input(), Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.performance());
}

TEST_F(EditPerfTest, TheMaskAllowsMoreThanTheLargestValue)
{
    EditPerf dialog(athletics, "SHD____400M19", "Performance", "");
    show(dialog);
    type(dialog, "999999");
    EXPECT_EQ(dialog.input()->text(), "9:99.99");
    dialog.tryAccept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(sink.saw("The maximum performance the programme can handle is 9:59.99"));

    EditPerf points(athletics, "NTH_____10M19", "Total", "06543");
    EXPECT_EQ(points.input()->text(), "06543");
    points.tryAccept();
    EXPECT_EQ(points.performance(), QString("06543"));
}

TEST_F(EditPerfTest, MixedAgesShouldHaveBeenFilteredOut)
{
    EditPerf dialog(athletics, "SHD____300M99", "Performance", "");
    EXPECT_TRUE(sink.saw("Filter out mixed before you get here:SHD____300M99"));
}

} // namespace
