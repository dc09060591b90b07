#include "importfixture.h"

using Outcome = entries::AthleteImport::Outcome;

// Several findings of one line of the file are listed under its number once.
TEST_F(ImportTest, theReportListsEachLineOnceWithAllItsFindings)
{
    auto imp = importer();
    ASSERT_EQ(import(*imp, withHeader("NEL,Jan,M,13,OAK,,50m Freestyle,\n"
                                      ",Lee,X,13,,,50m Freestyle,\n"
                                      "BOTHA,Kim,M,13,OAK,,50m Freestyle,31.2x\n")),
              Outcome::Imported);
    const QString text = imp->reportText();
    EXPECT_TRUE(text.startsWith("     3  AthleteErr: Surname Empty\n"
                                "        AthleteErr: Team empty\n"
                                "        AthleteErr: Invalid Gender: X\n"
                                "     4  Item Error: Best Before may only contain numeric "
                                "characters: 31.2x\n"))
        << text.toStdString();
    const QList<entries::ImportReport::Line> lines = imp->report().byLine();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].line, 3);
    EXPECT_EQ(lines[0].findings.size(), 3);
    EXPECT_EQ(lines[1].line, 4);
    EXPECT_TRUE(text.contains("3 Athlete Errors encountered (they will not be imported)\n"
                              "1 Item Errors encountered\n0 Warnings encountered\n"));
    EXPECT_TRUE(text.endsWith("----  PRINT THE ERRORS IF YOU WANT TO FOLLOW UP ON IT  ----\n"));
    EXPECT_EQ(imp->lineName(3), "Lee");
    EXPECT_EQ(imp->lineName(4), "BOTHA, Kim (OAK)");
    EXPECT_EQ(imp->lineName(99), "");
}

// After the report the import ends in one box: the counts, and with best performances
// that the meeting does not use yet, the offer to use them in the same box.
TEST_F(ImportTest, theImportEndsInOneSummary)
{
    using base::MessageKind;
    const auto closingBoxes = [this] {
        return m_sink.count(MessageKind::Information) + m_sink.count(MessageKind::Note) +
               m_sink.count(MessageKind::Confirm) + m_sink.count(MessageKind::Question);
    };
    auto plain = importer();
    plain->setup().hasBests = false;
    plain->setup().itemLast = 8;
    ASSERT_EQ(import(*plain, withHeader("NEL,Jan,M,13,OAK,,50m Freestyle,100m Freestyle\n"), false),
              Outcome::Imported);
    EXPECT_EQ(closingBoxes(), 1);
    ASSERT_EQ(m_sink.count(MessageKind::Information), 1);
    EXPECT_TRUE(m_sink.ofKind(MessageKind::Information)[0].text.contains("1 Athletes added"));
    EXPECT_TRUE(m_sink.ofKind(MessageKind::Information)[0].text.contains("2 Participations added"));

    m_sink.clear();
    auto bests = importer();
    m_sink.answerYes();
    ASSERT_EQ(import(*bests, withHeader("BOTHA,Kim,M,13,OAK,,50m Freestyle,0:31.25\n"), false),
              Outcome::Imported);
    EXPECT_EQ(closingBoxes(), 1);
    ASSERT_EQ(m_sink.count(MessageKind::Confirm), 1);
    const QString box = m_sink.ofKind(MessageKind::Confirm)[0].text;
    EXPECT_TRUE(box.contains("1 Athletes added")) << box.toStdString();
    EXPECT_TRUE(box.contains("Switch on the best performances for the meeting"));
    EXPECT_EQ(count(QStringLiteral("MEETING"), QStringLiteral("HAS_BEST_BEFORES = 1")), 1);
    EXPECT_EQ(m_sink.unanswered(), 0);
}
