#include "entries/csvfile.h"

#include <gtest/gtest.h>

using entries::CsvDelimiter;
using entries::decodeCsv;
using entries::guessDelimiter;
using entries::splitCsvLine;

namespace {

QStringList lines(std::initializer_list<const char*> texts)
{
    QStringList out;
    for (const char* t : texts)
        out << QString::fromLatin1(t);
    return out;
}

} // namespace

TEST(CsvDelimiterGuess, followsTheCountsOfTheFirstSixLines)
{
    EXPECT_EQ(guessDelimiter(lines({"a,b", "c"})), CsvDelimiter::Comma);
    EXPECT_EQ(guessDelimiter(lines({"a;b"})), CsvDelimiter::Semicolon);
    EXPECT_EQ(guessDelimiter(lines({"ab", "cd"})), CsvDelimiter::Undecided);
    // Both kinds, six in all: a ratio of two decides.
    EXPECT_EQ(guessDelimiter(lines({"a,b,c,d,e;f;g"})), CsvDelimiter::Comma);
    EXPECT_EQ(guessDelimiter(lines({"a;b;c;d;e,f,g"})), CsvDelimiter::Semicolon);
    EXPECT_EQ(guessDelimiter(lines({"a,b,c,d;e;f;g"})), CsvDelimiter::Undecided);
    // Both kinds but fewer than six: undecided even at a high ratio.
    EXPECT_EQ(guessDelimiter(lines({"a,b,c,d,e;f"})), CsvDelimiter::Undecided);
    // The seventh line is not looked at.
    EXPECT_EQ(guessDelimiter(lines({"a,b", "a,b", "a,b", "a,b", "a,b", "a,b", ";;;;;;;;;;;;;;"})),
              CsvDelimiter::Comma);
    EXPECT_EQ(guessDelimiter(lines({"a,b", "a,b", "a,b", "a,b", "a,b", ";;;;;;;;;;;;;;"})),
              CsvDelimiter::Semicolon);
}

TEST(CsvDecoding, readsByteOrderMarksLatin1AndBothLineEnds)
{
    const auto bom = decodeCsv(QByteArray("\xEF\xBB\xBFNA\xC3\x8F"
                                          "VE,x\r\nB,y\r\nC,z"));
    ASSERT_TRUE(bom.ok);
    EXPECT_EQ(bom.encoding, QStringLiteral("UTF-8 with BOM"));
    EXPECT_EQ(bom.lines, (QStringList{QStringLiteral("NA\u00CFVE,x"), "B,y", "C,z"}));

    const auto latin = decodeCsv(QByteArray("NAUD\xC9,Zo\xEB\n"));
    ASSERT_TRUE(latin.ok);
    EXPECT_EQ(latin.encoding, QStringLiteral("Latin-1"));
    EXPECT_EQ(latin.lines, QStringList{QStringLiteral("NAUD\u00C9,Zo\u00EB")});

    QByteArray utf16("\xFF\xFE");
    for (QChar c : QStringLiteral("M\u00DCLLER,a\r\nO'NEIL,b"))
        utf16.append(char(c.unicode() & 0xff)).append(char(c.unicode() >> 8));
    const auto wide = decodeCsv(utf16);
    ASSERT_TRUE(wide.ok);
    EXPECT_EQ(wide.lines, (QStringList{QStringLiteral("M\u00DCLLER,a"), "O'NEIL,b"}));

    const auto big = decodeCsv(QByteArray("\xFE\xFF\0A\0,\0B", 8));
    ASSERT_TRUE(big.ok);
    EXPECT_EQ(big.lines, QStringList{"A,B"});
}

TEST(CsvDecoding, refusesBinaryAndUnmarkedUtf16)
{
    EXPECT_FALSE(decodeCsv(QByteArray("PK\x03\x04\x00\x00\x08\x00", 8)).ok);
    EXPECT_FALSE(decodeCsv(QByteArray("A\0,\0B\0", 6)).ok);
    EXPECT_TRUE(decodeCsv(QByteArray()).ok);
    EXPECT_TRUE(decodeCsv(QByteArray()).lines.isEmpty());
}

TEST(CsvSplitting, keepsQuotedDelimitersAndEmptyCells)
{
    EXPECT_EQ(splitCsvLine(QStringLiteral("a,,b,"), ','), (QStringList{"a", "", "b", ""}));
    EXPECT_EQ(splitCsvLine(QStringLiteral("\"Smith, Jr\",\"say \"\"hi\"\"\",x"), ','),
              (QStringList{"Smith, Jr", "say \"hi\"", "x"}));
    EXPECT_EQ(splitCsvLine(QStringLiteral("12\",b"), ','), (QStringList{"12\"", "b"}));
    EXPECT_EQ(splitCsvLine(QStringLiteral("\"open,b"), ','), (QStringList{"\"open", "b"}));
    EXPECT_EQ(splitCsvLine(QStringLiteral("a;b,c"), ';'), (QStringList{"a", "b,c"}));
    EXPECT_EQ(splitCsvLine(QString(), ','), QStringList{""});
}
