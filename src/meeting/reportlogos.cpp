#include "meeting/reportlogos.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

#include <QFile>
#include <QFileInfo>

namespace meeting {

namespace {

// A string literal holds at most 16383 characters in a UTF8 connection; longer images
// are appended piece by piece inside the same transaction.
constexpr int kPieceLength = 16000;
constexpr int kFileNameLength = 100;

QString sideCode(LogoSide side)
{
    return side == LogoSide::Meeting ? QStringLiteral("L") : QStringLiteral("R");
}

QString logoWhere(int meetingNo, LogoSide side)
{
    return QStringLiteral(" where MEETINGNO=") + db::sqlInt(meetingNo) +
           QStringLiteral(" and SIDE=") + db::quoted(sideCode(side));
}

} // namespace

QString logoFileProblem(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return QStringLiteral("The logo file is empty.");
    if (bytes.size() > kMaxLogoBytes)
        return QStringLiteral("The logo may not be larger than ") +
               QString::number(kMaxLogoBytes / (1024 * 1024)) + QStringLiteral(" MB.");
    const bool bmp = bytes.startsWith("BM") && bytes.size() > 26;
    const bool jpg = bytes.startsWith("\xFF\xD8\xFF");
    if (!bmp && !jpg)
        return QStringLiteral("The logo must be a BMP or JPG picture.");
    return QString();
}

ReportLogo readLogoFile(db::DmdCoreDbs& database, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        database.messages().warning(QStringLiteral("Could not read the file ") + path);
        return {};
    }
    // One byte more than allowed is enough to know that the file is too large.
    ReportLogo logo{QFileInfo(path).fileName(), file.read(kMaxLogoBytes + 1)};
    const QString problem = logoFileProblem(logo.image);
    if (!problem.isEmpty()) {
        database.messages().warning(problem + QStringLiteral("\r") + path);
        return {};
    }
    return logo;
}

bool storeReportLogo(db::DmdCoreDbs& database, int meetingNo, LogoSide side, const QString& path)
{
    const ReportLogo logo = readLogoFile(database, path);
    return !logo.isEmpty() && storeReportLogo(database, meetingNo, side, logo);
}

bool storeReportLogo(db::DmdCoreDbs& database, int meetingNo, LogoSide side, const ReportLogo& logo)
{
    const QString problem = logoFileProblem(logo.image);
    if (!problem.isEmpty()) {
        database.messages().warning(problem);
        return false;
    }
    const qint64 key = database.nextKeyNumber();
    if (key <= 0 || !database.startBatch())
        return false;
    const QString encoded = QString::fromLatin1(logo.image.toBase64());
    bool ok = database.batchExecute(QStringLiteral("delete from REPORT_LOGO") +
                                    logoWhere(meetingNo, side)) &&
              database.batchExecute(
                  QStringLiteral("insert into REPORT_LOGO (REPORT_LOGONO, MEETINGNO, SIDE, "
                                 "FILENAME, IMAGE) values (") +
                  db::sqlInt(key) + QStringLiteral(", ") + db::sqlInt(meetingNo) +
                  QStringLiteral(", ") + db::quoted(sideCode(side)) + QStringLiteral(", ") +
                  db::quoted(logo.fileName.left(kFileNameLength)) + QStringLiteral(", '')"));
    for (qsizetype at = 0; ok && at < encoded.size(); at += kPieceLength)
        ok = database.batchExecute(QStringLiteral("update REPORT_LOGO set IMAGE = IMAGE || ") +
                                   db::quoted(encoded.mid(at, kPieceLength)) +
                                   QStringLiteral(" where REPORT_LOGONO=") + db::sqlInt(key));
    if (ok && database.commitBatch())
        return true;
    const QString reason = database.lastError().message;
    database.rollbackBatch();
    database.messages().warning(QStringLiteral("The logo could not be stored:\r") + reason);
    return false;
}

bool clearReportLogo(db::DmdCoreDbs& database, int meetingNo, LogoSide side)
{
    return database.execute(QStringLiteral("delete from REPORT_LOGO") + logoWhere(meetingNo, side));
}

ReportLogo reportLogo(db::DmdCoreDbs& database, int meetingNo, LogoSide side)
{
    db::Query q = database.openQuery(QStringLiteral("select FILENAME, IMAGE from REPORT_LOGO") +
                                     logoWhere(meetingNo, side));
    if (!q.isOpen() || q.isEmpty())
        return {};
    q.first();
    return {q.text(QStringLiteral("FILENAME")),
            QByteArray::fromBase64(q.text(QStringLiteral("IMAGE")).toLatin1())};
}

} // namespace meeting
