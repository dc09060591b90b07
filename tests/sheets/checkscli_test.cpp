#include "sheetsfixture.h"

#include "meeting/currentmeeting.h"
#include "sheets/forms/checklistsform.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPlainTextEdit>
#include <QTableWidget>

namespace {

class ChecksCliTest : public SheetsTest {
protected:
    int cli(QStringList args, QString* out = nullptr, const QStringList& global = {})
    {
        args.append({QStringLiteral("--meeting"), QString::number(m_meetingNo)});
        QString err;
        return testing_support::runCli(QStringList{QStringLiteral("--db"), m_path} + global + args,
                                       out, &err);
    }
};

TEST_F(ChecksCliTest, TheTwentyChecksAreListedWithTheirKinds)
{
    QString out;
    ASSERT_EQ(cli({"checks", "list"}, &out, {"--json"}), 0);
    const QJsonArray rows = QJsonDocument::fromJson(out.toUtf8()).array();
    ASSERT_EQ(rows.size(), 20);
    EXPECT_EQ(rows[0].toObject()["caption"].toString(), "Heats-Are-Finals Without Heats");
    EXPECT_EQ(rows[5].toObject()["kind"].toString(), "Hints");
    EXPECT_TRUE(rows[11].toObject()["competitions_only"].toBool());
}

TEST_F(ChecksCliTest, AnErrorCheckWithFindingsEndsWithOneAndPrintsTheReport)
{
    addEvent(QStringLiteral("FRE____100M13W"), 3); // no athletes: check 7 finds it
    const qint64 team = addTeam(QStringLiteral("Sharks"), QStringLiteral("SHK"));
    addSwimmer(team, QStringLiteral("Idle")); // no events: check 6, a hint
    QString out;
    EXPECT_EQ(cli({"checks", "run", "6"}, &out), 0) << out.toStdString();
    EXPECT_TRUE(out.contains("Idle, Sam"));
    const QString pdf = pdfPath("checks.pdf");
    EXPECT_EQ(cli({"checks", "run", "6", "7", "--pdf", pdf}, &out), 1);
    const QString text = pdfPages(pdf).join(QString());
    EXPECT_TRUE(text.contains("Errors and Summaries"));
    EXPECT_TRUE(text.contains("Athletes without Events"));
    EXPECT_TRUE(text.contains("Events without Athletes"));
    EXPECT_TRUE(text.contains("100m Freestyle"));

    ASSERT_EQ(cli({"checks", "run", "--all"}, &out, {"--json"}), 1);
    EXPECT_EQ(QJsonDocument::fromJson(out.toUtf8()).array().size(), 20);
    EXPECT_EQ(cli({"checks", "run", "21"}, &out), 2);
    EXPECT_EQ(cli({"checks", "run"}, &out), 2);
}

TEST_F(ChecksCliTest, TheScreenTicksListsAndKeepsTheLongCheckOff)
{
    addEvent(QStringLiteral("FRE____100M13W"), 3);
    sheets::CheckListsForm form(run());
    // Competitions only: without leagues check 5 cannot be ticked.
    form.setTicked(5, true);
    EXPECT_TRUE(form.ticked().isEmpty());
    form.selectAll(true);
    EXPECT_EQ(form.ticked().size(), 18); // all but 5 and 12: no competitions here
    form.selectAll(false);
    EXPECT_TRUE(form.ticked().isEmpty());
    form.list();
    EXPECT_EQ(form.report()->toPlainText(), QStringLiteral("Nothing to print"));
    form.setTicked(7, true);
    form.list();
    EXPECT_TRUE(form.report()->toPlainText().contains(QStringLiteral("100m Freestyle")));

    setMeeting(QStringLiteral("HAS_LEAGUES"), QStringLiteral("1"));
    sheets::CheckListsForm leagues(run());
    leagues.table()->item(11, 0)->setCheckState(Qt::Checked);
    EXPECT_TRUE(m_sink.saw(QStringLiteral("This check has been disabled here, because it takes "
                                          "long.")));
    EXPECT_FALSE(leagues.ticked().contains(12));
    leagues.setTicked(5, true);
    EXPECT_TRUE(leagues.ticked().contains(5));
}

} // namespace
