#include "sheetsfixture.h"

#include "db/sqltext.h"
#include "meeting/currentmeeting.h"
#include "meeting/runservices.h"
#include "sheets/forms/sheetoutput.h"

#include <QProcess>

void SheetsTest::SetUp()
{
    DatabaseTest::SetUp();
    setUpMeeting();
}

void SheetsTest::setUpMeeting()
{
    meeting::createTranslations(run());
    meeting::createMeetingAges(run());
    m_meetingNo = int(database().nextKeyNumber());
    ASSERT_TRUE(database().execute(
        QStringLiteral("insert into MEETING (MEETINGNO, DESCRIPTION, VENUE, THEDATE, DAY_COUNT, "
                       "DOLVANE_LANE_COUNT, ROUND_SEQ_SAME, USE_DISTRIBUTION, "
                       "SHEETS_SHOW_ATHLETE, SHEETS_SKIP_START, MAXPARTSPERATH, HAS_WIND) "
                       "values (") +
        db::sqlInt(m_meetingNo) +
        QStringLiteral(", 'Winter Gala', 'Pool', '2025/03/14', 2, 8, 0, 1, 1, 0, 3, 0)")));
    ASSERT_TRUE(meeting::setCurrentMeeting(run(), m_meetingNo));
    m_sink.clear();
}

qint64 SheetsTest::addEvent(const QString& itemCode, int seq, qint64 combinedNo,
                            const QString& format)
{
    const qint64 key = database().nextKeyNumber();
    EXPECT_TRUE(database().execute(
        QStringLiteral("insert into MYEVENT (EVENTNO, MEETINGNO, ITEMCODE, N_ATHLON, SELECTED, "
                       "C_GENDER, C_AGE, C_SEQ, COMBINEDNO, FINAL_NOT_RUN, HEATFORMAT) values (") +
        db::sqlInt(key) + QLatin1Char(',') + db::sqlInt(m_meetingNo) + QLatin1Char(',') +
        db::quoted(itemCode) + QStringLiteral(", 0, 'X', ") + db::quoted(itemCode.mid(10, 1)) +
        QLatin1Char(',') + db::quoted(itemCode.mid(11, 2)) + QLatin1Char(',') + db::sqlInt(seq) +
        QLatin1Char(',') + db::sqlInt(combinedNo) + QStringLiteral(", 0, ") + db::quoted(format) +
        QLatin1Char(')')));
    addProgramRow(key, QStringLiteral("F"), 0, seq);
    return key;
}

qint64 SheetsTest::addProgramRow(qint64 eventNo, const QString& round, int heatNo, int seq, int day,
                                 const QString& time)
{
    const qint64 key = database().nextKeyNumber();
    EXPECT_TRUE(database().execute(
        QStringLiteral("insert into PROGRAM (PROGRAMNO, MEETINGNO, EVENTNO, ROUND, HEATNO, "
                       "DAY_SEQ, SEQ, THETIME, PLACEDCOUNT, NOT_CALCULATED_YET, SHEETSPRINTED) "
                       "values (") +
        db::sqlInt(key) + QLatin1Char(',') + db::sqlInt(m_meetingNo) + QLatin1Char(',') +
        db::sqlInt(eventNo) + QLatin1Char(',') + db::quoted(round) + QLatin1Char(',') +
        db::sqlInt(heatNo) + QLatin1Char(',') + db::sqlInt(day) + QLatin1Char(',') +
        db::sqlInt(seq) + QLatin1Char(',') + db::quoted(time) + QStringLiteral(", 0, 1, 0)")));
    return key;
}

qint64 SheetsTest::addCombined(int seq)
{
    const qint64 key = database().nextKeyNumber();
    EXPECT_TRUE(database().execute(
        QStringLiteral("insert into COMBINED (COMBINEDNO, MEETINGNO, NAME, DAY_SEQ, SEQ, "
                       "THETIME, PIT) values (") +
        db::sqlInt(key) + QLatin1Char(',') + db::sqlInt(m_meetingNo) +
        QStringLiteral(", 'C1', 1, ") + db::sqlInt(seq) + QStringLiteral(", '10:15', 'B')")));
    return key;
}

qint64 SheetsTest::addTeam(const QString& name, const QString& abbreviation, int league)
{
    const qint64 key = database().nextKeyNumber();
    EXPECT_TRUE(database().execute(
        QStringLiteral("insert into TEAM (TEAMNO, MEETINGNO, TEAMNAME, TEAMABRV, LEAGUE) "
                       "values (") +
        db::sqlInt(key) + QLatin1Char(',') + db::sqlInt(m_meetingNo) + QLatin1Char(',') +
        db::quoted(name) + QLatin1Char(',') + db::quoted(abbreviation) + QLatin1Char(',') +
        db::sqlInt(league) + QLatin1Char(')')));
    return key;
}

qint64 SheetsTest::addSwimmer(qint64 teamNo, const QString& surname, int age, const QString& gender)
{
    const qint64 key = database().nextKeyNumber();
    EXPECT_TRUE(database().execute(
        QStringLiteral("insert into ATHLETE (ATHLETENO, MEETINGNO, TEAMNO, SURNAME, FIRSTNAME, "
                       "GENDER, AGE, NUMBER, N_ATHLON, AWOL_DNS_DISQ) values (") +
        db::sqlInt(key) + QLatin1Char(',') + db::sqlInt(m_meetingNo) + QLatin1Char(',') +
        db::sqlInt(teamNo) + QLatin1Char(',') + db::quoted(surname) + QStringLiteral(", 'Sam', ") +
        db::quoted(gender) + QLatin1Char(',') + db::sqlInt(age) + QLatin1Char(',') +
        db::quoted(QString::number(key % 1000)) + QStringLiteral(", 0, 0)")));
    return key;
}

qint64 SheetsTest::enter(qint64 eventNo, qint64 athleteNo, int lane)
{
    const qint64 key = database().nextKeyNumber();
    EXPECT_TRUE(database().execute(
        QStringLiteral("insert into PARTICIPATE (PARTNO, MEETINGNO, EVENTNO, ATHLETENO, TEAMNO, "
                       "LANE) values (") +
        db::sqlInt(key) + QLatin1Char(',') + db::sqlInt(m_meetingNo) + QLatin1Char(',') +
        db::sqlInt(eventNo) + QLatin1Char(',') + db::sqlInt(athleteNo) +
        QStringLiteral(", (select TEAMNO from ATHLETE where ATHLETENO = ") + db::sqlInt(athleteNo) +
        QStringLiteral("), ") + db::sqlInt(lane) + QLatin1Char(')')));
    return key;
}

qint64 SheetsTest::seat(qint64 eventNo, const QString& round, int heatNo, qint64 athleteNo,
                        int lane)
{
    const qint64 key = database().nextKeyNumber();
    EXPECT_TRUE(database().execute(
        QStringLiteral("insert into HEATPART (HEATPARTNO, MEETINGNO, EVENTNO, ROUND, HEATNO, "
                       "ATHLETENO, LANE) values (") +
        db::sqlInt(key) + QLatin1Char(',') + db::sqlInt(m_meetingNo) + QLatin1Char(',') +
        db::sqlInt(eventNo) + QLatin1Char(',') + db::quoted(round) + QLatin1Char(',') +
        db::sqlInt(heatNo) + QLatin1Char(',') + db::sqlInt(athleteNo) + QLatin1Char(',') +
        db::sqlInt(lane) + QLatin1Char(')')));
    return key;
}

void SheetsTest::setMeeting(const QString& column, const QString& value)
{
    ASSERT_TRUE(database().execute(
        QStringLiteral("update MEETING set ") + column + QStringLiteral(" = ") + value +
        QStringLiteral(" where MEETINGNO = ") + db::sqlInt(m_meetingNo)));
    ASSERT_TRUE(meeting::setCurrentMeeting(run(), m_meetingNo));
}

int SheetsTest::sheetsPrinted(qint64 eventNo, const QString& round, int heatNo)
{
    return value(QStringLiteral("select coalesce(SHEETSPRINTED, 0) from PROGRAM where EVENTNO = ") +
                 db::sqlInt(eventNo) + QStringLiteral(" and ROUND = ") + db::quoted(round) +
                 QStringLiteral(" and HEATNO = ") + db::sqlInt(heatNo))
        .toInt();
}

qint64 SheetsTest::twoHeats(const QString& itemCode, const QString& first, const QString& second)
{
    const qint64 event = addEvent(itemCode, 3, 0, QStringLiteral("2,4,0"));
    addProgramRow(event, QStringLiteral("A"), 1, 1);
    addProgramRow(event, QStringLiteral("A"), 2, 2);
    const qint64 team = addTeam(QStringLiteral("Sharks Club"), QStringLiteral("SHK"));
    seat(event, QStringLiteral("A"), 1, addSwimmer(team, first), 4);
    seat(event, QStringLiteral("A"), 2, addSwimmer(team, second), 4);
    return event;
}

qint64 SheetsTest::drawnFinal(const QString& itemCode)
{
    const qint64 event = addEvent(itemCode, 7);
    const qint64 sharks = addTeam(QStringLiteral("Sharks Club"), QStringLiteral("SHK"));
    const qint64 otters = addTeam(QStringLiteral("Otters United"), QStringLiteral("OTT"));
    enter(event, addSwimmer(sharks, QStringLiteral("Delta")), 4);
    enter(event, addSwimmer(otters, QStringLiteral("Bravo")), 2);
    enter(event, addSwimmer(sharks, QStringLiteral("Echo")), 5);
    enter(event, addSwimmer(otters, QStringLiteral("Charlie")), 3);
    return event;
}

QString SheetsTest::pdfPath(const QString& name) const
{
    return m_home->dir() + QLatin1Char('/') + name;
}

int SheetsTest::printToPdf(const sheets::PrintRequest& request, const QString& name)
{
    sheets::PdfSheetOutput output(run(), pdfPath(name));
    return sheets::SheetPrinting(run()).print(request, output);
}

QStringList pdfPages(const QString& path)
{
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!text.waitForFinished(30000) || text.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QStringList pagesTitled(const QStringList& pages, const QString& title)
{
    QStringList found;
    for (const QString& page : pages) {
        if (page.contains(title))
            found << page;
    }
    return found;
}

sheets::PrintRequest finalOf(qint64 eventNo)
{
    sheets::PrintRequest request;
    request.eventNo = eventNo;
    request.round = QStringLiteral("F");
    return request;
}

int occurrences(const QString& text, const QString& part)
{
    return int(text.count(part));
}
