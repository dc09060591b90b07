#include "placesfixture.h"

#include "base/run.h"
#include "meeting/currentmeeting.h"
#include "meeting/meetingsettings.h"
#include "meeting/runservices.h"

void PlacesTest::SetUp()
{
    DatabaseTest::SetUp();
    meeting::createTranslations(run());
    meeting::createMeetingAges(run());
    m_meetingNo = int(database().nextKeyNumber());
    ASSERT_TRUE(database().execute(
        QStringLiteral("insert into MEETING (MEETINGNO, DESCRIPTION, VENUE, THEDATE, DAY_COUNT, "
                       "DOLVANE_LANE_COUNT, ROUND_SEQ_SAME) values (") +
        db::sqlInt(m_meetingNo) + QStringLiteral(", 'Gala', 'Pool', '2025/03/14', 1, 10, 0)")));
    ASSERT_TRUE(meeting::setCurrentMeeting(run(), m_meetingNo));
    m_teamNo = addTeam();
    m_athletics = std::make_unique<meeting::ItemTypes>(meeting::Edition::Athletics, messages());
    m_sink.clear();
}

qint64 PlacesTest::addEvent(const QString& itemCode, int seq, qint64 combinedNo, bool finalNotRun)
{
    const qint64 key = database().nextKeyNumber();
    EXPECT_TRUE(database().execute(
        QStringLiteral("insert into MYEVENT (EVENTNO, MEETINGNO, ITEMCODE, N_ATHLON, SELECTED, "
                       "C_GENDER, C_AGE, C_SEQ, COMBINEDNO, FINAL_NOT_RUN) values (") +
        db::sqlInt(key) + QLatin1Char(',') + db::sqlInt(m_meetingNo) + QLatin1Char(',') +
        db::quoted(itemCode) + QStringLiteral(", 0, 'X', ") + db::quoted(itemCode.mid(10, 1)) +
        QLatin1Char(',') + db::quoted(itemCode.mid(11, 2)) + QLatin1Char(',') + db::sqlInt(seq) +
        QLatin1Char(',') + db::sqlInt(combinedNo) + QLatin1Char(',') +
        db::sqlInt(finalNotRun ? 1 : 0) + QLatin1Char(')')));
    addProgramRow(key, QStringLiteral("F"), 0, seq);
    return key;
}

qint64 PlacesTest::addProgramRow(qint64 eventNo, const QString& round, int heatNo, int seq)
{
    const qint64 key = database().nextKeyNumber();
    EXPECT_TRUE(database().execute(
        QStringLiteral("insert into PROGRAM (PROGRAMNO, MEETINGNO, EVENTNO, ROUND, HEATNO, "
                       "DAY_SEQ, SEQ, PLACEDCOUNT, NOT_CALCULATED_YET, RESULTS_RELEASED) "
                       "values (") +
        db::sqlInt(key) + QLatin1Char(',') + db::sqlInt(m_meetingNo) + QLatin1Char(',') +
        db::sqlInt(eventNo) + QLatin1Char(',') + db::quoted(round) + QLatin1Char(',') +
        db::sqlInt(heatNo) + QStringLiteral(", 1, ") + db::sqlInt(seq) +
        QStringLiteral(", 0, 1, 0)")));
    return key;
}

qint64 PlacesTest::programRow(qint64 eventNo, const QString& round, int heatNo)
{
    return value(QStringLiteral("select PROGRAMNO from PROGRAM where EVENTNO = ") +
                 db::sqlInt(eventNo) + QStringLiteral(" and ROUND = ") + db::quoted(round) +
                 QStringLiteral(" and HEATNO = ") + db::sqlInt(heatNo))
        .toLongLong();
}

qint64 PlacesTest::finalRow(qint64 eventNo)
{
    return programRow(eventNo, QStringLiteral("F"), 0);
}

qint64 PlacesTest::addTeam(int league)
{
    const qint64 key = database().nextKeyNumber();
    EXPECT_TRUE(database().execute(
        QStringLiteral("insert into TEAM (TEAMNO, MEETINGNO, TEAMNAME, LEAGUE) values (") +
        db::sqlInt(key) + QLatin1Char(',') + db::sqlInt(m_meetingNo) + QStringLiteral(", ") +
        db::quoted(QStringLiteral("Team ") + QString::number(key)) + QLatin1Char(',') +
        db::sqlInt(league) + QLatin1Char(')')));
    return key;
}

qint64 PlacesTest::addAthlete(qint64 teamNo, int age)
{
    const qint64 key = database().nextKeyNumber();
    EXPECT_TRUE(database().execute(
        QStringLiteral("insert into ATHLETE (ATHLETENO, MEETINGNO, TEAMNO, SURNAME, FIRSTNAME, "
                       "GENDER, AGE, AWOL_DNS_DISQ) values (") +
        db::sqlInt(key) + QLatin1Char(',') + db::sqlInt(m_meetingNo) + QLatin1Char(',') +
        db::sqlInt(teamNo ? teamNo : m_teamNo) + QStringLiteral(", ") +
        db::quoted(QStringLiteral("Swimmer") + QString::number(key)) +
        QStringLiteral(", 'A', 'M', ") + db::sqlInt(age) + QStringLiteral(", 0)")));
    return key;
}

qint64 PlacesTest::addCombined()
{
    const qint64 key = database().nextKeyNumber();
    EXPECT_TRUE(database().execute(
        QStringLiteral("insert into COMBINED (COMBINEDNO, MEETINGNO, NAME) values (") +
        db::sqlInt(key) + QLatin1Char(',') + db::sqlInt(m_meetingNo) + QStringLiteral(", 'C1')")));
    return key;
}

PlacesTest::CombinedFinals PlacesTest::addCombinedFinals()
{
    const qint64 combined = addCombined();
    CombinedFinals race;
    race.boys = addEvent(QStringLiteral("FRE____100M13W"), 1, combined);
    race.men = addEvent(QStringLiteral("FRE____100M14W"), 1, combined);
    race.boyRows = addFinal(race.boys, {{"1:05.40"}, {"1:05.00"}});
    race.menRows = addFinal(race.men, {{"1:05.20"}, {"1:05.30"}});
    return race;
}

QList<qint64> PlacesTest::addHeat(qint64 eventNo, const QString& round, int heatNo,
                                  const QList<Swim>& swims)
{
    const bool final = round == QLatin1String("F");
    QList<qint64> keys;
    int lane = 0;
    for (const Swim& swim : swims) {
        ++lane;
        const qint64 key = database().nextKeyNumber();
        const qint64 athleteNo = swim.athleteNo ? swim.athleteNo : addAthlete();
        const QString values =
            db::sqlInt(key) + QLatin1Char(',') + db::sqlInt(m_meetingNo) + QLatin1Char(',') +
            db::sqlInt(eventNo) + QLatin1Char(',') + db::sqlInt(athleteNo) + QLatin1Char(',') +
            db::sqlInt(swim.lane >= 0 ? swim.lane : lane) + QLatin1Char(',') +
            db::quoted(swim.performance) + QLatin1Char(',') + db::quoted(swim.thirdDigit) +
            QLatin1Char(',') + db::sqlInt(swim.ePlace) + QLatin1Char(',') +
            db::sqlInt(swim.ePlace) + QLatin1Char(',') + db::sqlInt(swim.status);
        const QString sql =
            final ? QStringLiteral("insert into PARTICIPATE (PARTNO, MEETINGNO, EVENTNO, "
                                   "ATHLETENO, LANE, PERFORMANCE, THIRD_DIGIT, E_PLACE, PLACE, "
                                   "DISQ_STATUS, TEAMNO) values (") +
                        values + QLatin1Char(',') +
                        value(QStringLiteral("select TEAMNO from ATHLETE where ATHLETENO = ") +
                              db::sqlInt(athleteNo)) +
                        QLatin1Char(')')
                  : QStringLiteral("insert into HEATPART (HEATPARTNO, MEETINGNO, EVENTNO, "
                                   "ATHLETENO, LANE, PERFORMANCE, THIRD_DIGIT, E_PLACE, PLACE, "
                                   "DISQ_STATUS, ROUND, HEATNO) values (") +
                        values + QLatin1Char(',') + db::quoted(round) + QLatin1Char(',') +
                        db::sqlInt(heatNo) + QLatin1Char(')');
        EXPECT_TRUE(database().execute(sql)) << sql.toStdString();
        keys.append(key);
    }
    return keys;
}

QList<int> PlacesTest::column(const QString& table, const QString& name, const QList<qint64>& keys)
{
    const QString keyColumn = table == QLatin1String("PARTICIPATE") ? QStringLiteral("PARTNO")
                                                                    : QStringLiteral("HEATPARTNO");
    QList<int> values;
    for (qint64 key : keys)
        values.append(value(QStringLiteral("select coalesce(") + name +
                            QStringLiteral(", 0) from ") + table + QStringLiteral(" where ") +
                            keyColumn + QStringLiteral(" = ") + db::sqlInt(key))
                          .toInt());
    return values;
}

int PlacesTest::notCalculated(qint64 programNo)
{
    return value(QStringLiteral("select NOT_CALCULATED_YET from PROGRAM where PROGRAMNO = ") +
                 db::sqlInt(programNo))
        .toInt();
}

void PlacesTest::setMeeting(const QString& name, int newValue)
{
    ASSERT_TRUE(database().execute(
        QStringLiteral("update MEETING set ") + name + QStringLiteral(" = ") +
        db::sqlInt(newValue) + QStringLiteral(" where MEETINGNO = ") + db::sqlInt(m_meetingNo)));
    ASSERT_TRUE(run().meeting().load(database(), m_meetingNo, run().meetingAges()));
}

results::Places PlacesTest::swimPlaces()
{
    return results::Places(database(), run().items(), run().meeting());
}

results::Places PlacesTest::athleticsPlaces()
{
    return results::Places(database(), *m_athletics, run().meeting());
}

int PlacesTest::internalErrors() const
{
    return m_sink.count(base::MessageKind::Error);
}

std::string PlacesTest::errorTexts() const
{
    QStringList texts;
    for (const auto& shown : m_sink.ofKind(base::MessageKind::Error))
        texts.append(shown.text);
    return texts.join(QLatin1Char('|')).toStdString();
}
