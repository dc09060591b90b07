#include "publish/textfile.h"

#include <QFile>

#include <filesystem>
#include <system_error>

namespace publish {

bool writeBytesFile(const QString& path, const QByteArray& bytes, QString* error)
{
    // The bytes go to a file beside the target that is renamed over it once complete, so a
    // reader sees the old file or the new one, never part of one. No flush to the disk
    // (as QSaveFile does for every file): the pages can always be published again from the
    // database, and a flush per page made publishing a meeting many times slower.
    const QString part = path + QStringLiteral(".part");
    QFile file(part);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                         file.write(bytes) == bytes.size() && file.flush();
    if (written) {
        file.close();
        std::error_code failed;
        std::filesystem::rename(QFile::encodeName(part).toStdString(),
                                QFile::encodeName(path).toStdString(), failed);
        if (!failed)
            return true;
        if (error)
            *error = QString::fromLocal8Bit(failed.message());
    } else if (error) {
        *error = file.errorString();
    }
    file.close();
    QFile::remove(part);
    return false;
}

bool writeTextFile(const QString& path, const QStringList& lines, QString* error)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += '\n';
    }
    return writeBytesFile(path, bytes, error);
}

bool readTextFile(const QString& path, QStringList* lines)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QString text = QString::fromUtf8(file.readAll());
    text.remove(QLatin1Char('\r'));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    *lines = text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    return true;
}

} // namespace publish
