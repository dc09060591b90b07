#include "schedfixture.h"

#include "db/sqltext.h"
#include "sched/schedparams.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

using testing_support::runCli;

namespace {

// The schedule commands as a user runs them on a database file.
class ScheduleCliTest : public SchedFixture {
protected:
    void SetUp() override
    {
        SchedFixture::SetUp();
        m_free = addEvent("FRE____100M17W");
        m_fly = addEvent("BFL_____50M10W");
        setSlot(programNo(m_free), 1, "10:03:20");
        setSlot(programNo(m_fly), 1, "10:12");
        const qint64 a = addSwimmer("NEL", "Mia");
        enter(a, m_free);
        enter(a, m_fly);
        const qint64 b = addSwimmer("VENTER", "Ruan");
        enter(b, m_free);
    }
    int cli(QStringList args, QString* out = nullptr, QString* err = nullptr)
    {
        args.append({"--meeting", QString::number(m_meetingNo)});
        return runCli(QStringList{"--db", m_path} + args, out, err);
    }
    QString slotList()
    {
        return value("select list(DAY_SEQ || ' ' || substring(cast(THETIME as varchar(13)) from "
                     "1 for 8), ', ') from (select * from PROGRAM order by EVENTNO)");
    }

    qint64 m_free = 0, m_fly = 0;
};

TEST_F(ScheduleCliTest, ParametersAreSetShownAndRefused)
{
    QString out, err;
    ASSERT_EQ(cli({"schedule", "params", "preset", "fast", "--yes"}, &out, &err), 0)
        << err.toStdString();
    EXPECT_EQ(configOther(), "8:00;3:00;;;;;;;;");
    ASSERT_EQ(cli({"schedule", "params", "set", "TimeGap", "4:30"}), 0);
    for (const char* bad : {"5:7x", "-1:00"}) {
        EXPECT_EQ(cli({"schedule", "params", "set", "TimeGap", bad}, nullptr, &err), 1) << bad;
        EXPECT_TRUE(err.contains("is not a time")) << err.toStdString();
    }
    // The swimming edition keeps only the track duration and the gap.
    EXPECT_EQ(cli({"schedule", "params", "set", "TimeShotput", "0:50"}, nullptr, &err), 1);
    EXPECT_EQ(configOther(), "8:00;4:30;;;;;;;;");
    ASSERT_EQ(cli({"--json", "schedule", "params", "show"}, &out), 0);
    const QJsonArray params = QJsonDocument::fromJson(out.toUtf8()).array();
    ASSERT_EQ(params.size(), 2);
    EXPECT_EQ(params[1].toObject()["value"].toString(), "4:30");
}

TEST_F(ScheduleCliTest, GuidelinesAreSetAndANonNumberChangesNothing)
{
    QString out, err;
    ASSERT_EQ(cli({"schedule", "rest", "preset", "slow", "--yes"}), 0);
    ASSERT_EQ(cli({"schedule", "rest", "set", "Short,Short", "12"}), 0);
    const QString before = configOther();
    EXPECT_EQ(cli({"schedule", "rest", "set", "Short,Short", "twelve"}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("must be a whole number of minutes")) << err.toStdString();
    EXPECT_EQ(cli({"schedule", "rest", "set", "Short,Sprint", "12"}), 2);
    EXPECT_EQ(configOther(), before);
    ASSERT_EQ(cli({"schedule", "rest", "show"}, &out), 0);
    EXPECT_TRUE(out.contains(QString("Short").leftJustified(15) + "    40    12    15    20"))
        << out.toStdString();
}

TEST_F(ScheduleCliTest, ADayIsPackedShiftedAndTimed)
{
    ASSERT_EQ(cli({"schedule", "params", "preset", "fast", "--yes"}), 0);
    QString out, err;
    ASSERT_EQ(cli({"schedule", "duration", QString::number(programNo(m_fly))}, &out), 0);
    EXPECT_TRUE(out.contains("duration: 1:04")) << out.toStdString();
    // Without --yes and without a terminal the confirmation is No.
    EXPECT_EQ(cli({"schedule", "pack", "--from", QString::number(programNo(m_free)), "--day", "1",
                   "--time", "09:00"}),
              1);
    EXPECT_EQ(slotList(), "1 10:03:20, 1 10:12:00");
    EXPECT_EQ(cli({"schedule", "pack", "--from", QString::number(programNo(m_free)), "--day", "1",
                   "--time", "25:00", "--yes"},
                  nullptr, &err),
              1);
    EXPECT_TRUE(err.contains("Enter a valid Starting Time")) << err.toStdString();
    ASSERT_EQ(cli({"schedule", "pack", "--from", QString::number(programNo(m_free)), "--day", "1",
                   "--time", "09:00", "--yes"}),
              0);
    EXPECT_EQ(slotList(), "1 09:00:00, 1 09:04:40");
    ASSERT_EQ(
        cli({"schedule", "shift", "--from", QString::number(programNo(m_fly)), "--minutes", "-4"}),
        0);
    EXPECT_EQ(slotList(), "1 09:00:00, 1 09:00:40");
    EXPECT_EQ(cli({"schedule", "duration", "999999"}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("There is no program row 999999")) << err.toStdString();
}

TEST_F(ScheduleCliTest, ClashesArePrintedWorstFirst)
{
    ASSERT_EQ(cli({"schedule", "params", "preset", "fast", "--yes"}), 0);
    QString out, err;
    // No guidelines yet: the check refuses.
    EXPECT_EQ(cli({"schedule", "clashes", "athletes"}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("The followiing Resting Guidelines are empty.")) << err.toStdString();
    ASSERT_EQ(cli({"schedule", "rest", "preset", "fast", "--yes"}), 0);
    const QString pdf = m_home->dir() + "/athletes.pdf";
    ASSERT_EQ(cli({"schedule", "clashes", "athletes", "--pdf", pdf}, &out, &err), 0)
        << err.toStdString();
    EXPECT_TRUE(out.contains("NEL, Mia")) << out.toStdString();
    QProcess text;
    text.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(printed.contains("Athlete Clash Detector")) << printed.toStdString();
    EXPECT_TRUE(printed.contains("Winter Gala"));
    EXPECT_TRUE(printed.contains("NEL, Mia"));
    EXPECT_TRUE(printed.contains("100m Freestyle 17 Male"));
    // 10:05 to 10:12 is 7 of the 15 minutes.
    EXPECT_TRUE(printed.contains(QRegularExpression("15\\.0\\s+7\\.0\\s+47")))
        << printed.toStdString();
    ASSERT_EQ(cli({"--json", "schedule", "clashes", "stations"}, &out), 0);
    const QJsonArray stations = QJsonDocument::fromJson(out.toUtf8()).array();
    ASSERT_EQ(stations.size(), 1);
    EXPECT_NEAR(stations[0].toObject()["factor"].toDouble(), 520 / 100.0, 1e-6);
    EXPECT_EQ(cli({"schedule", "clashes", "relays"}), 2);
}

TEST_F(ScheduleCliTest, FieldStationsStartAtRandomAndASeedRepeatsTheDraw)
{
    // All nine "Fast" values, the jumps' time per attempt among them.
    setConfigOther(sched::TimeParameters::preset(true).storedIn(QString(), false));
    QList<qint64> jumps;
    for (const char* code : {"JMPLong___F13", "JMPLong___F15", "JMPLong___M15", "JMPLong___M17"})
        jumps.append(programNo(addFieldEvent(code, "", 10)));
    auto jumpSlots = [&] {
        QStringList starts;
        for (qint64 r : jumps)
            starts.append(slotOf(r));
        return starts.join(", ").toStdString();
    };
    QString err;
    EXPECT_EQ(
        cli({"schedule", "fields", "--day", "1", "--time", "10:00", "--seed", "x"}, nullptr, &err),
        2);
    EXPECT_TRUE(err.contains("--seed must be a whole number")) << err.toStdString();
    ASSERT_EQ(cli({"schedule", "fields", "--day", "1", "--time", "10:00", "--seed", "41", "--yes"}),
              0);
    const std::string drawn = jumpSlots();
    // 30 attempts of 0:50 and the gap: one jump every 28 minutes from 10:00.
    for (const char* start : {"1 10:00:00", "1 10:28:00", "1 10:56:00", "1 11:24:00"})
        EXPECT_NE(drawn.find(start), std::string::npos) << drawn;
    ASSERT_EQ(cli({"schedule", "fields", "--day", "1", "--time", "10:00", "--seed", "41", "--yes"}),
              0);
    EXPECT_EQ(jumpSlots(), drawn);
    EXPECT_EQ(slotList().left(24), "1 10:03:20, 1 10:12:00, ");
}

TEST_F(SchedFixture, AMeetingWithoutEntriesHasNoClashesToPrint)
{
    useFastPresets();
    addEvent("FRE____100M17W");
    QString err;
    const QString pdf = m_home->dir() + "/none.pdf";
    EXPECT_EQ(runCli({"--db", m_path, "schedule", "clashes", "athletes", "--pdf", pdf, "--meeting",
                      QString::number(m_meetingNo)},
                     nullptr, &err),
              1);
    EXPECT_TRUE(err.contains("No participations to detect clashes for")) << err.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
}

} // namespace
