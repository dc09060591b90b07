#pragma once

#include "records/recordsfixture.h"

#include "base/configstore.h"
#include "draw/events.h"
#include "draw/programrows.h"
#include "publish/textfile.h"
#include "publish/website.h"
#include "results/calcstate.h"
#include "results/captureathletes.h"
#include "results/captureprogram.h"
#include "results/resultedit.h"
#include "results/statuscodes.h"

#include <QDir>
#include <QFile>

#include <ostream>

// Texts read as text in a failure's message.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

// A gala with a web root in the test's home: events are drawn by writing their heats as a
// draw leaves them, results are captured and calculated as the capture screens do.
class PublishTest : public RecordsTest {
protected:
    void SetUp() override
    {
        RecordsTest::SetUp();
        m_root = QDir(m_home->dir()).filePath(QStringLiteral("web"));
        ASSERT_TRUE(QDir().mkpath(m_root));
        setConfig("PUB_FOLDER_WEB_SITE", m_root);
        m_team = addTeam("DOL");
        m_sink.clear();
    }

    void setConfig(const QString& key, const QString& value)
    {
        ASSERT_TRUE(run().config().writeText(key, value));
    }
    publish::WebSite site() { return publish::WebSite(run()); }

    qint64 addEvent(const QString& itemCode)
    {
        draw::NewEvent event;
        event.itemCode = itemCode;
        event.selected = true;
        const qint64 eventNo = draw::Events(database(), run().items(), m_meetingNo).addEvent(event);
        EXPECT_GT(eventNo, 0);
        return eventNo;
    }
    qint64 swimmer(const QString& surname, const QString& firstName = QStringLiteral("Sam"),
                   qint64 team = 0)
    {
        const qint64 no = key();
        exec(QStringLiteral("insert into ATHLETE (ATHLETENO, MEETINGNO, TEAMNO, SURNAME, "
                            "FIRSTNAME, GENDER, AGE, NUMBER) values (") +
             db::sqlInt(no) + ", " + db::sqlInt(m_meetingNo) + ", " +
             db::sqlInt(team ? team : m_team) + ", " + db::quoted(surname) + ", " +
             db::quoted(firstName) + ", 'M', 13, " +
             db::quoted(QString::number(100 + ++m_numbers)) + ")");
        return no;
    }
    // A heat of round A (or the final for "F") at sequence `seq` of `day`, the swimmers in
    // lanes 1, 2, 3 ...; its program row.
    qint64 drawHeat(qint64 eventNo, const QString& round, int heatNo, int seq,
                    const QList<qint64>& swimmers, int day = 1)
    {
        draw::ProgramRows rows(database(), messages());
        if (round != "F" && rows.heatExists(eventNo, round, heatNo) == 0) {
            draw::HeatSlot slot;
            slot.seq = seq;
            slot.day = day;
            slot.time = QTime(9, 0).addSecs(seq * 300);
            EXPECT_TRUE(rows.addHeat(eventNo, round, heatNo, slot));
        }
        const qint64 programNo = results::programNoOf(database(), eventNo, round, heatNo);
        exec("update PROGRAM set SEQ = " + db::sqlInt(seq) + ", DAY_SEQ = " + db::sqlInt(day) +
             " where PROGRAMNO = " + db::sqlInt(programNo));
        int lane = 0;
        for (const qint64 athleteNo : swimmers) {
            ++lane;
            if (count("PARTICIPATE", "EVENTNO = " + db::sqlInt(eventNo) +
                                         " and ATHLETENO = " + db::sqlInt(athleteNo)) == 0)
                exec("insert into PARTICIPATE (PARTNO, MEETINGNO, EVENTNO, TEAMNO, ATHLETENO, "
                     "LANE, PLACE, E_PLACE, DISQ_STATUS, PERFORMANCE) values (" +
                     db::sqlInt(key()) + ", " + db::sqlInt(m_meetingNo) + ", " +
                     db::sqlInt(eventNo) + ", " + db::sqlInt(m_team) + ", " +
                     db::sqlInt(athleteNo) + ", " + db::sqlInt(round == "F" ? lane : 0) +
                     ", 0, 0, 0, '')");
            else if (round == "F")
                exec("update PARTICIPATE set LANE = " + db::sqlInt(lane) + " where EVENTNO = " +
                     db::sqlInt(eventNo) + " and ATHLETENO = " + db::sqlInt(athleteNo));
            if (round != "F")
                exec("insert into HEATPART (HEATPARTNO, MEETINGNO, EVENTNO, ROUND, HEATNO, "
                     "ATHLETENO, LANE, PLACE, E_PLACE, DISQ_STATUS, PERFORMANCE) values (" +
                     db::sqlInt(key()) + ", " + db::sqlInt(m_meetingNo) + ", " +
                     db::sqlInt(eventNo) + ", " + db::quoted(round) + ", " + db::sqlInt(heatNo) +
                     ", " + db::sqlInt(athleteNo) + ", " + db::sqlInt(lane) + ", 0, 0, 0, '')");
        }
        return programNo;
    }
    // Captures the times (or "DNS" and the like) of the heat in lane order, then calculates
    // the places.
    void swim(qint64 programNo, const QStringList& times)
    {
        const auto row = results::captureProgramRow(database(), run().items(), programNo);
        ASSERT_TRUE(row.has_value());
        const QList<results::CaptureAthleteRow> athletes =
            results::captureAthletes(database(), run().items(), *row, draw::MemberOrder::Lane);
        results::ResultCapture capture(run());
        for (int i = 0; i < times.size(); ++i) {
            results::ResultEntry entry;
            if (times[i].front().isLetter())
                entry.status = results::DisqStatusFromText(times[i]);
            else
                entry.performance = times[i];
            ASSERT_TRUE(capture.capture(*row, athletes.at(i), entry))
                << times[i].toStdString() << " "
                << (m_sink.shown().isEmpty() ? std::string()
                                             : m_sink.shown().last().text.toStdString());
        }
        ASSERT_TRUE(results::calculatePlaces(run(), programNo));
        m_sink.clear();
    }

    QString dayFile(const QString& name, int day = 1) const
    {
        return QDir(m_root).filePath(QStringLiteral("Day%1/").arg(day) + name);
    }
    QStringList lines(const QString& path) const
    {
        QStringList out;
        EXPECT_TRUE(publish::readTextFile(path, &out)) << path.toStdString();
        return out;
    }
    QString text(const QString& path) const { return lines(path).join('\n'); }
    // The lines between the index markers.
    QStringList indexLines(const QString& path) const
    {
        const QStringList all = lines(path);
        const qsizetype start = all.indexOf("<!-----start-of-index----->");
        const qsizetype end = all.indexOf("<!-----end-of-index----->");
        return start >= 0 && end > start ? all.mid(start + 1, end - start - 1) : QStringList();
    }

    QString m_root;
    qint64 m_team = 0;
    int m_numbers = 0;
    const QString m_free50 = QStringLiteral("FRE_____50M13W");
    const QString m_back100 = QStringLiteral("BCK____100M13W");
};
