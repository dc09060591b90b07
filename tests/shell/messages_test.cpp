#include "support/testdatabase.h"

#include "base/messages.h"
#include "base/scriptedsink.h"

#include <gtest/gtest.h>

using base::Answer;
using base::MessageKind;

namespace {

class MessagesTest : public ::testing::Test {
protected:
    MessagesTest() : m_messages(m_sink) { m_messages.setProgramTitle("Dolvane 24.150"); }
    base::ScriptedSink m_sink;
    base::Messages m_messages;
};

TEST_F(MessagesTest, WarningAndNoteSoundTheErrorBeepInformationNone)
{
    m_messages.warning("There is no current meeting selected!");
    m_messages.information("Done: backup created");
    m_messages.note("Check the lanes");
    EXPECT_EQ(m_sink.errorBeeps(), 2);
    EXPECT_EQ(m_sink.plainBeeps(), 0);
    ASSERT_EQ(m_sink.shown().size(), 3);
    EXPECT_EQ(m_sink.shown()[0].kind, MessageKind::Warning);
    EXPECT_EQ(m_sink.shown()[0].title, "Dolvane 24.150");
    EXPECT_EQ(m_sink.shown()[1].kind, MessageKind::Information);
    EXPECT_EQ(m_sink.shown()[2].text, " ! ! ! NOTE ! ! !\r\rCheck the lanes");
}

TEST_F(MessagesTest, ConfirmAddsTheQuestionMarkAndIsTrueOnlyForYes)
{
    m_sink.answerYes();
    EXPECT_TRUE(m_messages.confirm("Are you sure you want to exit"));
    m_sink.answerNo();
    EXPECT_FALSE(m_messages.confirm("Are you sure you want to exit"));
    EXPECT_FALSE(m_messages.confirm("Nobody answers")); // no answer counts as No
    EXPECT_EQ(m_sink.unanswered(), 1);
    EXPECT_EQ(m_sink.shown()[0].text, "Are you sure you want to exit ?");
    EXPECT_EQ(m_sink.shown()[0].buttons, base::buttons::yesNo);
    EXPECT_EQ(m_sink.plainBeeps(), 3);
}

TEST_F(MessagesTest, ConfirmTwiceAsksAgainOnlyAfterYes)
{
    m_sink.answerNo();
    EXPECT_FALSE(m_messages.confirmTwice("Delete the meeting"));
    EXPECT_EQ(m_sink.shown().size(), 1);

    m_sink.clear();
    m_sink.answerYes();
    m_sink.answerNo();
    EXPECT_FALSE(m_messages.confirmTwice("Delete the meeting"));
    ASSERT_EQ(m_sink.shown().size(), 2);
    EXPECT_EQ(m_sink.shown()[1].text, " ! ! ! ARE YOU SURE ! ! !\r\rDelete the meeting ?");

    m_sink.answerYes();
    m_sink.answerYes();
    EXPECT_TRUE(m_messages.confirmTwice("Delete the meeting"));
}

TEST_F(MessagesTest, ConfirmWithAllTellsWhetherTheAnswerHoldsForTheRest)
{
    m_sink.answer({Answer::YesToAll});
    m_sink.answer({Answer::NoToAll});
    m_sink.answer({Answer::Yes});
    const base::ConfirmAllAnswer a = m_messages.confirmWithAll("Replace the swimmer");
    const base::ConfirmAllAnswer b = m_messages.confirmWithAll("Replace the swimmer");
    const base::ConfirmAllAnswer c = m_messages.confirmWithAll("Replace the swimmer");
    EXPECT_TRUE(a.yes && a.forAll);
    EXPECT_TRUE(!b.yes && b.forAll);
    EXPECT_TRUE(c.yes && !c.forAll);
    EXPECT_EQ(m_sink.shown()[0].buttons, base::buttons::yesNoAll);
}

TEST_F(MessagesTest, YesNoCancelReturnsTheButtonPressed)
{
    m_sink.answerYes();
    m_sink.answerNo();
    EXPECT_EQ(m_messages.yesNoCancel("Switch"), base::YesNoCancel::Yes);
    EXPECT_EQ(m_messages.yesNoCancel("Switch"), base::YesNoCancel::No);
    EXPECT_EQ(m_messages.yesNoCancel("Switch"), base::YesNoCancel::Cancel);
}

TEST_F(MessagesTest, InternalErrorNamesNumberTextAndProgramAndGoesOn)
{
    m_messages.internalError(5534, "Backup file not found\r/x.zip");
    ASSERT_EQ(m_sink.count(MessageKind::Error), 1);
    const QString text = m_sink.shown()[0].text;
    EXPECT_TRUE(text.contains("5534"));
    EXPECT_TRUE(text.contains("Backup file not found\r/x.zip"));
    EXPECT_TRUE(text.contains("Dolvane 24.150"));
    EXPECT_TRUE(text.contains("support"));
    EXPECT_EQ(m_sink.errorBeeps(), 1);
}

TEST_F(MessagesTest, DeveloperNotesShowOnlyInDeveloperMode)
{
    m_messages.developerNote("left open: 2 queries");
    EXPECT_TRUE(m_sink.shown().isEmpty());
    m_messages.setDeveloperMode(true);
    m_messages.developerNote("left open: 2 queries");
    ASSERT_EQ(m_sink.shown().size(), 1);
    EXPECT_EQ(m_sink.shown()[0].text, "Programmers mark\nleft open: 2 queries");
}

class InternalErrorMarkTest : public testing_support::DatabaseTest {};

TEST_F(InternalErrorMarkTest, AnInternalErrorIsCountedInTheDatabase)
{
    messages().internalError(11999, "The current meeting vanished");
    messages().internalError(11999, "The current meeting vanished");
    messages().internalError(1000001, "A big number");
    EXPECT_EQ(value("select MARK_COUNT from T_DEBUG_MARK where MARK_NO = 11999"), "2");
    EXPECT_EQ(value("select MARK_TYPE from T_DEBUG_MARK where MARK_NO = 1000001"), "NUMERR");
    EXPECT_EQ(value("select APP_PREFIX from T_DEBUG_MARK where MARK_NO = 11999"), "DLVN");
    EXPECT_EQ(m_sink.count(MessageKind::Error), 3);
}

} // namespace
