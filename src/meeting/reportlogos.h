#pragma once

#include <QByteArray>
#include <QString>

namespace db {
class DmdCoreDbs;
}

namespace meeting {

// The two logos of a meeting's reports: the meeting's own on the left of the page, the
// school's on the right. They are kept in the database so that every computer sharing it
// prints the same ones.
enum class LogoSide { Meeting, School };

// The largest logo file accepted.
inline constexpr qint64 kMaxLogoBytes = 2 * 1024 * 1024;

struct ReportLogo {
    QString fileName; // the name of the file it was loaded from, without its folder
    QByteArray image; // the BMP or JPG file as it was; empty when there is no logo
    bool isEmpty() const { return image.isEmpty(); }
};

// Why the bytes of a file cannot be a logo ("" when they can): only BMP and JPG files of
// at most kMaxLogoBytes.
QString logoFileProblem(const QByteArray& bytes);

// Reads a BMP or JPG file and stores it as the meeting's logo of that side, replacing the
// one before, in one transaction. False (after the message) when the file cannot be read
// or is not a logo; the stored logo is then unchanged.
bool storeReportLogo(db::DmdCoreDbs& database, int meetingNo, LogoSide side, const QString& path);
// The same for a logo already in memory (the settings screen keeps the chosen file until
// "Done").
bool storeReportLogo(db::DmdCoreDbs& database, int meetingNo, LogoSide side,
                     const ReportLogo& logo);
bool clearReportLogo(db::DmdCoreDbs& database, int meetingNo, LogoSide side);
// The stored logo; empty when the meeting has none on that side.
ReportLogo reportLogo(db::DmdCoreDbs& database, int meetingNo, LogoSide side);

// Reads a logo file; an empty logo (after the message) when it cannot be one.
ReportLogo readLogoFile(db::DmdCoreDbs& database, const QString& path);

} // namespace meeting
