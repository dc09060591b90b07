#include "sheetsfixture.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

class SheetsCliTest : public SheetsTest {
protected:
    int cli(QStringList args, QString* out = nullptr, QString* err = nullptr,
            const QStringList& global = {})
    {
        args.append({QStringLiteral("--meeting"), QString::number(m_meetingNo)});
        return testing_support::runCli(QStringList{QStringLiteral("--db"), m_path} + global + args,
                                       out, err);
    }
    qint64 drawnFinal()
    {
        const qint64 event = addEvent(QStringLiteral("FRE____100M13W"), 4);
        const qint64 team = addTeam(QStringLiteral("Sharks Club"), QStringLiteral("SHK"));
        enter(event, addSwimmer(team, QStringLiteral("Delta")), 4);
        enter(event, addSwimmer(team, QStringLiteral("Bravo")), 2);
        return event;
    }
};

TEST_F(SheetsCliTest, DistributionLinesAreAddedToggledListedAndDeleted)
{
    QString out;
    QString err;
    ASSERT_EQ(cli({"distribution", "add", "TrackEvent", "Starter's copy"}, &out), 0);
    ASSERT_EQ(cli({"distribution", "add", "TrackTime", "Hand timers"}), 0);
    ASSERT_EQ(cli({"distribution", "list"}, &out, nullptr, {"--json"}), 0) << out.toStdString();
    QJsonArray rows = QJsonDocument::fromJson(out.toUtf8()).array();
    ASSERT_EQ(rows.size(), 2);
    const qint64 first = rows[0].toObject()["dstrno"].toInteger();
    EXPECT_EQ(rows[0].toObject()["text"].toString(), "Starter's copy");
    EXPECT_TRUE(rows[0].toObject()["active"].toBool());

    ASSERT_EQ(cli({"distribution", "toggle", QString::number(first)}), 0);
    ASSERT_EQ(cli({"distribution", "list", "TrackEvent"}, &out, nullptr, {"--json"}), 0);
    rows = QJsonDocument::fromJson(out.toUtf8()).array();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_FALSE(rows[0].toObject()["active"].toBool());

    ASSERT_EQ(cli({"distribution", "delete", QString::number(first)}), 0);
    EXPECT_EQ(count("DISTRIBUTION"), 1);
    EXPECT_EQ(cli({"distribution", "delete", QString::number(first)}, &out, &err), 1);
    EXPECT_EQ(cli({"distribution", "add", "Nonsense", "x"}, &out, &err), 2);
    EXPECT_TRUE(err.contains("TrackEvent"));
    EXPECT_EQ(cli({"distribution", "add", "TrackEvent", "   "}, &out, &err), 1);
    EXPECT_EQ(count("DISTRIBUTION"), 1);
}

TEST_F(SheetsCliTest, DefaultLinesAskFirstAndGoInActive)
{
    QString out;
    EXPECT_EQ(cli({"distribution", "defaults", "TrackStart"}, &out), 1); // no answer is No
    EXPECT_EQ(count("DISTRIBUTION"), 0);
    ASSERT_EQ(cli({"distribution", "defaults", "TrackStart"}, &out, nullptr, {"--yes"}), 0);
    EXPECT_EQ(count("DISTRIBUTION", "DSTR_SHEET = 'TrackStart' and SELECTED = 'X'"), 4);
    EXPECT_EQ(value("select count(*) from DISTRIBUTION where DSTR_TEXT = 'Anouncer'"), "1");
}

TEST_F(SheetsCliTest, PrintWritesThePdfAndMarksTheHeat)
{
    const qint64 event = drawnFinal();
    cli({"distribution", "add", "TrackEvent", "Copy one"});
    cli({"distribution", "add", "TrackEvent", "Copy two"});
    const QString pdf = pdfPath("cli.pdf");
    QString out;
    ASSERT_EQ(
        cli({"sheets", "print", QString::number(event), "--pdf", pdf}, &out, nullptr, {"--json"}),
        0)
        << out.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(out.toUtf8()).object()["sheets"].toInt(), 4);
    QStringList pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), 4); // two event sheets, a time sheet, a start sheet
    EXPECT_TRUE(pages[0].contains("Copy one"));
    EXPECT_TRUE(pages[1].contains("Copy two"));
    EXPECT_EQ(sheetsPrinted(event, "F", 0), 1);

    ASSERT_EQ(
        cli({"sheets", "print", QString::number(event), "--ignore-distribution", "--pdf", pdf}), 0);
    EXPECT_EQ(pdfPages(pdf).size(), 3);
}

TEST_F(SheetsCliTest, BadInputGetsTheMessageAndMarksNothing)
{
    const qint64 event = drawnFinal();
    const qint64 undrawn = addEvent(QStringLiteral("BCK____100M13W"), 5);
    enter(undrawn, addSwimmer(addTeam("Otters", "OTT"), QStringLiteral("Nolane")), 0);
    QString out;
    QString err;
    EXPECT_EQ(
        cli({"sheets", "print", QString::number(undrawn), "--pdf", pdfPath("u.pdf")}, &out, &err),
        1);
    EXPECT_TRUE((out + err).contains("No athletes were drawn: print anyway"));
    EXPECT_FALSE(QFileInfo::exists(pdfPath("u.pdf")));
    EXPECT_EQ(sheetsPrinted(undrawn, "F", 0), 0);

    EXPECT_EQ(cli({"sheets", "print", QString::number(event), "--pdf",
                   m_home->dir() + "/no/such/folder/x.pdf"},
                  &out, &err),
              1);
    EXPECT_TRUE((out + err).contains("Cannot write"));
    EXPECT_EQ(sheetsPrinted(event, "F", 0), 0);

    EXPECT_EQ(cli({"sheets", "print", QString::number(event), "--round", "Z", "--pdf", "x.pdf"},
                  &out, &err),
              2);

    for (const auto& [lanes, perPage, message] :
         {std::tuple{"0", "6", "Lanes to Print must be between 1 and 20"},
          std::tuple{"1-21", "6", "Lanes to Print must be between 1 and 20"},
          std::tuple{"1-8", "0", "Events per Page must be between 1 and 12"},
          std::tuple{"1-8", "abc", "Events per Page must be between 1 and 12"},
          std::tuple{"1-8", "13", "Events per Page must be between 1 and 12"}}) {
        EXPECT_EQ(cli({"sheets", "lanes", "--lanes", lanes, "--per-page", perPage, "--pdf",
                       pdfPath("lanes.pdf")},
                      &out, &err),
                  1)
            << lanes << " " << perPage;
        EXPECT_TRUE((out + err).contains(message)) << (out + err).toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(pdfPath("lanes.pdf")));
}

TEST_F(SheetsCliTest, OptionsAreListedAndSetOneByOne)
{
    QString out;
    ASSERT_EQ(cli({"sheets", "options", "SHEETS_SKIP_LAP", "off"}, &out), 0);
    EXPECT_EQ(value("select SHEETS_SKIP_LAP from MEETING"), "1");
    EXPECT_TRUE(out.contains("[ ] Print the Lapsheets (long distance)"));
    ASSERT_EQ(cli({"sheets", "options", "SHEETS_SKIP_LAP", "on"}, &out), 0);
    EXPECT_EQ(value("select SHEETS_SKIP_LAP from MEETING"), "0");
    // The print language is a box too: Afrikaans is language 1.
    ASSERT_EQ(cli({"sheets", "options", "PRINT_LANGUAGE", "on"}, &out), 0);
    EXPECT_EQ(value("select PRINT_LANGUAGE from MEETING"), "1");
    EXPECT_TRUE(out.contains("[X] Print the labels in Afrikaans"));
    EXPECT_EQ(cli({"sheets", "options", "DESCRIPTION", "on"}, &out), 2);
}

} // namespace
