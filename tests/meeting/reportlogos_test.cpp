#include "meetingfixture.h"

#include "db/meetingdelete.h"
#include "meeting/forms/settingsmeetinggeneralform.h"
#include "meeting/reportlogos.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

using meeting::LogoSide;
using testing_support::runCli;

namespace {

class ReportLogoTest : public meeting_testing::MeetingTest {
protected:
    // A real picture file of `format` ("JPG", "BMP", "PNG"); noise makes it large enough to
    // need many pieces once encoded.
    QString picture(const QString& name, const char* format, int side = 40)
    {
        QImage image(side, side, QImage::Format_RGB32);
        QRandomGenerator random(7);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                image.setPixel(x, y, random.generate());
        const QString path = m_files.filePath(name);
        EXPECT_TRUE(image.save(path, format)) << name.toStdString();
        return path;
    }
    QByteArray bytes(const QString& path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    int cli(QStringList args)
    {
        args.prepend(m_path);
        args.prepend("--db");
        return runCli(args, &m_out, &m_err);
    }

    QTemporaryDir m_files;
    QString m_out;
    QString m_err;
};

TEST_F(ReportLogoTest, LogosAreStoredPerSideAndComeBackByteForByte)
{
    const int no = newMeeting();
    const QString large = picture("crest.bmp", "BMP", 200); // about 160 kB: many pieces
    const QString small = picture("school.jpg", "JPG");
    ASSERT_GT(bytes(large).size(), 100000);

    ASSERT_TRUE(meeting::storeReportLogo(database(), no, LogoSide::Meeting, large));
    ASSERT_TRUE(meeting::storeReportLogo(database(), no, LogoSide::School, small));
    const meeting::ReportLogo left = meeting::reportLogo(database(), no, LogoSide::Meeting);
    EXPECT_EQ(left.fileName, "crest.bmp");
    EXPECT_EQ(left.image, bytes(large));
    EXPECT_EQ(meeting::reportLogo(database(), no, LogoSide::School).image, bytes(small));

    // Storing again replaces; clearing one side leaves the other.
    ASSERT_TRUE(meeting::storeReportLogo(database(), no, LogoSide::Meeting, small));
    EXPECT_EQ(count("REPORT_LOGO"), 2);
    EXPECT_EQ(meeting::reportLogo(database(), no, LogoSide::Meeting).image, bytes(small));
    ASSERT_TRUE(meeting::clearReportLogo(database(), no, LogoSide::Meeting));
    EXPECT_TRUE(meeting::reportLogo(database(), no, LogoSide::Meeting).isEmpty());
    EXPECT_FALSE(meeting::reportLogo(database(), no, LogoSide::School).isEmpty());

    // Another meeting has its own (none), and deleting the meeting takes its logos along.
    const int other = newMeeting("Other");
    EXPECT_TRUE(meeting::reportLogo(database(), other, LogoSide::School).isEmpty());
    db::deleteMeetingRows(database(), no);
    EXPECT_EQ(count("REPORT_LOGO"), 0);
}

TEST_F(ReportLogoTest, OnlyBmpAndJpgFilesOfReasonableSizeAreTaken)
{
    const int no = newMeeting();
    const QString kept = picture("kept.jpg", "JPG");
    ASSERT_TRUE(meeting::storeReportLogo(database(), no, LogoSide::Meeting, kept));

    const QString empty = m_files.filePath("empty.jpg");
    QFile(empty).open(QIODevice::WriteOnly);
    const QString huge = m_files.filePath("huge.bmp");
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("BM") + QByteArray(meeting::kMaxLogoBytes, 'x'));
    }
    const struct {
        QString path;
        const char* message;
    } cases[] = {
        {picture("logo.png", "PNG"), "The logo must be a BMP or JPG picture."},
        {empty, "The logo file is empty."},
        {huge, "The logo may not be larger than 2 MB."},
        {m_files.filePath("missing.jpg"), "Could not read the file"},
    };
    for (const auto& c : cases) {
        m_sink.clear();
        EXPECT_FALSE(meeting::storeReportLogo(database(), no, LogoSide::Meeting, c.path))
            << c.message;
        EXPECT_TRUE(m_sink.saw(QString::fromUtf8(c.message))) << c.message;
        // The logo stored before stays.
        EXPECT_EQ(meeting::reportLogo(database(), no, LogoSide::Meeting).image, bytes(kept));
    }
    EXPECT_EQ(count("REPORT_LOGO"), 1);
}

TEST_F(ReportLogoTest, TheGeneralScreenWritesChosenLogosOnlyOnDone)
{
    const int no = currentMeeting();
    const QString crest = picture("crest.jpg", "JPG");
    {
        meeting::SettingsMeetingGeneralForm form(run());
        form.show();
        m_sink.answerFile(crest);
        form.chooseLogo(LogoSide::Meeting);
        EXPECT_EQ(form.logo(LogoSide::Meeting).fileName, "crest.jpg");
        EXPECT_EQ(count("REPORT_LOGO"), 0);
        // Cancel asks before losing the chosen logo.
        m_sink.answerNo();
        form.reject();
        EXPECT_TRUE(m_sink.saw("Lose edits"));
        EXPECT_TRUE(form.isVisible());
        form.accept();
        EXPECT_FALSE(form.isVisible());
    }
    EXPECT_EQ(meeting::reportLogo(database(), no, LogoSide::Meeting).image, bytes(crest));

    // A new screen shows the stored logo; clearing it and Done removes it.
    meeting::SettingsMeetingGeneralForm again(run());
    again.show();
    EXPECT_EQ(again.logo(LogoSide::Meeting).image, bytes(crest));
    m_sink.answerFile(picture("plain.png", "PNG"));
    again.chooseLogo(LogoSide::School);
    EXPECT_TRUE(m_sink.saw("The logo must be a BMP or JPG picture."));
    EXPECT_TRUE(again.logo(LogoSide::School).isEmpty());
    again.clearLogo(LogoSide::Meeting);
    again.accept();
    EXPECT_EQ(count("REPORT_LOGO"), 0);
}

TEST_F(ReportLogoTest, CliLoadsShowsExportsAndClears)
{
    ASSERT_EQ(cli({"meeting", "new", "--name", "Gala", "--venue", "Pool", "--date", "2025/03/14"}),
              0)
        << m_err.toStdString();
    const QString crest = picture("crest.bmp", "BMP", 120);
    ASSERT_EQ(cli({"meeting", "logo", "set", "school", crest}), 0) << m_err.toStdString();
    ASSERT_EQ(cli({"--json", "meeting", "logo", "show"}), 0);
    EXPECT_TRUE(m_out.contains("\"school_file\": \"crest.bmp\"")) << m_out.toStdString();
    const QString copy = m_files.filePath("copy.bmp");
    ASSERT_EQ(cli({"meeting", "logo", "export", "school", copy}), 0) << m_err.toStdString();
    EXPECT_EQ(bytes(copy), bytes(crest));

    EXPECT_EQ(cli({"meeting", "logo", "set", "middle", crest}), 2);
    EXPECT_EQ(cli({"meeting", "logo", "export", "meeting", copy}), 1);
    EXPECT_TRUE(m_err.contains("This meeting has no meeting logo")) << m_err.toStdString();
    ASSERT_EQ(cli({"meeting", "logo", "clear", "school"}), 0);
    EXPECT_EQ(count("REPORT_LOGO"), 0);
}

} // namespace
