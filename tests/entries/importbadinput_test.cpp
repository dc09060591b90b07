#include "importfixture.h"

using Outcome = entries::AthleteImport::Outcome;

namespace {

QByteArray utf16le(const QString& text, bool bom)
{
    QByteArray bytes = bom ? QByteArray("\xFF\xFE") : QByteArray();
    for (QChar c : text)
        bytes.append(char(c.unicode() & 0xff)).append(char(c.unicode() >> 8));
    return bytes;
}

} // namespace

TEST_F(ImportTest, latin1AndUtf16FilesKeepTheirAccentsAndApostrophes)
{
    auto latin = importer();
    ASSERT_EQ(import(*latin, withHeader("NAUD\xC9,Zo\xEB,F,13,OAK\nD'ALMEIDA,Ren\xE9,M,13,OAK\n")),
              Outcome::Imported);
    EXPECT_EQ(latin->encoding(), QStringLiteral("Latin-1"));
    auto wide = importer();
    wide->setup().hasItems = false;
    const QString text = QStringLiteral("Surname,Firstname,Gender,Age,Team\r\n"
                                        "M\u00DCLLER,J\u00FCrgen,M,13,PINE\r\n"
                                        "O'NEIL,Se\u00E1n,M,13,PINE");
    ASSERT_EQ(import(*wide, utf16le(text, true)), Outcome::Imported);
    EXPECT_EQ(value(QStringLiteral("select FIRSTNAME from ATHLETE where SURNAME = ") +
                    db::quoted(QStringLiteral("NAUD\u00C9"))),
              QStringLiteral("Zo\u00EB"));
    EXPECT_EQ(value(QStringLiteral("select FIRSTNAME from ATHLETE where SURNAME = 'D''ALMEIDA'")),
              QStringLiteral("Ren\u00E9"));
    EXPECT_EQ(value(QStringLiteral("select FIRSTNAME from ATHLETE where SURNAME = ") +
                    db::quoted(QStringLiteral("M\u00DCLLER"))),
              QStringLiteral("J\u00FCrgen"));
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 4);
}

TEST_F(ImportTest, aByteOrderMarkWindowsLineEndsAndNoLastLineEndReadAsUsual)
{
    auto imp = importer();
    ASSERT_EQ(import(*imp, "\xEF\xBB\xBF" + withHeader("NEL,Jan,M,13,OAK,,50m Freestyle,"
                                                       "0:31.25\r\nBOTHA,Kim,M,13,OAK")),
              Outcome::Imported);
    EXPECT_TRUE(imp->report().isEmpty()) << imp->reportText().toStdString();
    EXPECT_EQ(value(QStringLiteral("select count(*) from ATHLETE where SURNAME in ('NEL', "
                                   "'BOTHA')")),
              "2");
}

TEST_F(ImportTest, filesThatAreNotTextAreRefusedWithoutATrace)
{
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(char(i * 7 % 256));
    for (const QByteArray& bytes :
         {binary, QByteArray(), QByteArray("\n\n  \n"), utf16le(QStringLiteral("A,B"), false)}) {
        auto imp = importer();
        m_sink.clear();
        EXPECT_EQ(import(*imp, bytes, false), Outcome::Refused);
        EXPECT_EQ(m_sink.count(base::MessageKind::Warning), 1);
        EXPECT_TRUE(m_sink.saw(QStringLiteral("The file is empty")) ||
                    m_sink.saw(QStringLiteral("is not a text file")));
    }
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 0);
    EXPECT_EQ(count(QStringLiteral("TEAM")), 0);
}

TEST_F(ImportTest, aMillionColumnsOnOneLineIsReadLikeAnyOtherLine)
{
    auto imp = importer();
    imp->setup().hasItems = false;
    QByteArray wide = "NEL,Jan,M,13,OAK,5";
    wide.append(QByteArray(1000000, ','));
    ASSERT_EQ(import(*imp, withHeader(wide + "\nBOTHA,Kim,M,13,OAK,6\n")), Outcome::Imported);
    EXPECT_EQ(imp->columnCount(), 1000006);
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 2);
}

TEST_F(ImportTest, anUndecidedDelimiterIsAskedAndCanBeStopped)
{
    auto imp = importer();
    imp->setup().hasItems = false;
    // Eight semicolons and five commas: too close to call.
    const QByteArray text = "Surname;Firstname;Gender;Age;Team\nN,E,L;J,n;M;13;O,A,K\n";
    m_sink.answerButton(1); // "Semi-colons"
    ASSERT_EQ(import(*imp, text), Outcome::Imported);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("The program could not guess the delimiter")));
    EXPECT_EQ(value(QStringLiteral("select TEAMABRV from TEAM")), "O,A,K");
    auto stopped = importer();
    m_sink.clear();
    EXPECT_EQ(import(*stopped, text, false), Outcome::Refused);
    EXPECT_EQ(count(QStringLiteral("ATHLETE")), 1);
}
