#include "support/capturefixture.h"

#include "db/sqltext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

class ResultCliTest : public CaptureFixture {
protected:
    void SetUp() override
    {
        CaptureFixture::SetUp();
        m_event = addEvent(m_free50);
        m_swimmers = swimmers(3);
        m_heat = drawHeat(m_event, "A", 1, {m_swimmers[0], m_swimmers[1]});
        drawHeat(m_event, "A", 2, {m_swimmers[2]});
    }
    int cli(QStringList words, QString* out = nullptr, QString* err = nullptr)
    {
        words << "--meeting" << QString::number(m_meetingNo);
        return testing_support::runCli(QStringList{"--db", m_path} + words, out, err);
    }
    QString ev() const { return QString::number(m_event); }
    QString ath(int i) const { return QString::number(m_swimmers[i]); }

    qint64 m_event = 0;
    qint64 m_heat = 0;
    QList<qint64> m_swimmers;
};

} // namespace

TEST_F(ResultCliTest, ASetResultIsListed)
{
    QString out, err;
    const QString t = time(m_free50, 30.42);
    ASSERT_EQ(
        cli({"result", "set", ev(), "A", ath(0), t, "--digit", "3", "--place", "1"}, &out, &err), 0)
        << err.toStdString();
    ASSERT_EQ(cli({"--json", "result", "list", ev(), "--round", "A", "--heat", "1"}, &out, &err), 0)
        << err.toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(out.toUtf8()).array();
    ASSERT_EQ(rows.size(), 2);
    const QJsonObject first = rows[0].toObject();
    EXPECT_EQ(first["athleteno"].toInteger(), m_swimmers[0]);
    EXPECT_EQ(first["performance"].toString(), t);
    EXPECT_EQ(first["thirddigit"].toString(), "3");
    EXPECT_EQ(first["e_place"].toInt(), 1);
    EXPECT_EQ(first["lane"].toInt(), 1);
    EXPECT_EQ(first["team"].toString(), "Dolphins");
    EXPECT_EQ(rows[1].toObject()["performance"].toString(), "");
}

TEST_F(ResultCliTest, BadInputIsRefusedWithTheDialogsMessages)
{
    QString out, err;
    EXPECT_EQ(cli({"result", "set", ev(), "A", ath(0), "3x.12"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("The format of 3x.12 should be")) << err.toStdString();
    EXPECT_EQ(cli({"result", "set", ev(), "A", ath(0), time(m_free50, 30.0), "--place", "100"},
                  &out, &err),
              1);
    EXPECT_TRUE(err.contains("The place may not be more than 2 digits"));
    EXPECT_EQ(cli({"result", "set", ev(), "A", ath(0), time(m_free50, 30.0), "--place", "-1"}, &out,
                  &err),
              1);
    EXPECT_TRUE(err.contains("The place may not be less than zero"));
    // Swimmer 3 swims in heat 2.
    EXPECT_EQ(
        cli({"result", "set", ev(), "A", ath(2), time(m_free50, 30.0), "--heat", "1"}, &out, &err),
        1);
    EXPECT_TRUE(err.contains("is not in Heat 1 of Round A")) << err.toStdString();
    EXPECT_EQ(count("HEATPART", "PERFORMANCE <> ''"), 0);
    EXPECT_EQ(cli({"result", "set", ev(), "A"}, &out, &err), 2);
}
