#pragma once

#include "records/recordsfixture.h"

#include "db/connect.h"
#include "entries/entrysettings.h"
#include "entries/nathlons.h"
#include "meeting/currentmeeting.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingcreate.h"
#include "meeting/meetingsettings.h"
#include "meeting/runservices.h"
#include "scoring/scoredata.h"

#include <QProcess>

// A meeting of the athletics edition: the run is started again under the athletics
// application code on the same fresh database.
class AthleticsTest : public RecordsTest {
protected:
    void SetUp() override
    {
        DatabaseTest::SetUp();
        m_run.reset();
        m_run = std::make_unique<base::Run>(m_sink, QString::fromLatin1(base::kAthleticsCode));
        meeting::createRunSettings(*m_run);
        db::ConnectOptions options;
        options.offerSelect = false;
        ASSERT_TRUE(db::connectTo(*m_run, m_path, options));
        // As the programs do once connected: the sets whose data is at hand are listed.
        ASSERT_GE(scoring::registerScoreSets(database()), 0);
        meeting::createMeetingServices(run());
        m_meetingNo = meeting::createMeeting(database(), {"Champs", "Track", "2025/03/14"});
        ASSERT_GT(m_meetingNo, 0);
        ASSERT_TRUE(meeting::setCurrentMeeting(run(), m_meetingNo));
        ASSERT_FALSE(run().items().isSwimming());
        m_sink.clear();
    }

    // An athlete of the n-athlon entered into all of its events.
    qint64 addNathlete(qint64 team, const QString& surname, const QString& gender, int age,
                       int nAthlon)
    {
        const qint64 athlete = addAthlete(team, surname, gender, age);
        exec(QStringLiteral("update ATHLETE set N_ATHLON = ") + db::sqlInt(nAthlon) +
             QStringLiteral(" where ATHLETENO = ") + db::sqlInt(athlete));
        const entries::EntrySettings settings = entries::EntrySettings::from(run().meeting());
        EXPECT_GT(entries::Nathlons(database(), settings).enterFor(athlete, nAthlon, 0), 0);
        return athlete;
    }
    qint64 eventOf(const QString& itemCode)
    {
        return value(QStringLiteral("select EVENTNO from MYEVENT where ITEMCODE = ") +
                     db::quoted(itemCode) + QStringLiteral(" and MEETINGNO = ") +
                     db::sqlInt(m_meetingNo))
            .toLongLong();
    }
    // The athlete's final result in the event, written in canonical form.
    void setResult(qint64 eventNo, qint64 athlete, const QString& itemCode, const QString& perf,
                   int disqStatus = 0)
    {
        const std::optional<QString> text = run().items().NormalisePerf(itemCode, perf);
        ASSERT_TRUE(text.has_value()) << perf.toStdString();
        exec(QStringLiteral("update PARTICIPATE set PERFORMANCE = ") + db::quoted(*text) +
             QStringLiteral(", DISQ_STATUS = ") + db::sqlInt(disqStatus) +
             QStringLiteral(" where EVENTNO = ") + db::sqlInt(eventNo) +
             QStringLiteral(" and ATHLETENO = ") + db::sqlInt(athlete));
    }
    static QString pdfText(const QString& path)
    {
        QProcess p;
        p.start("pdftotext", {"-layout", path, "-"});
        EXPECT_TRUE(p.waitForFinished(30000));
        return QString::fromUtf8(p.readAllStandardOutput());
    }
};
