#include "publish/textfile.h"

#include <QFile>
#include <QStringEncoder>

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
    // The lines are encoded one after the other into one buffer of the largest size they
    // can take, then cut to what they took.
    qsizetype characters = 0;
    for (const QString& line : lines)
        characters += line.size() + 1;
    QStringEncoder utf8(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
    QByteArray bytes(utf8.requiredSpace(characters), Qt::Uninitialized);
    char* end = bytes.data();
    for (const QString& line : lines) {
        end = utf8.appendToBuffer(end, line);
        *end++ = '\n';
    }
    bytes.truncate(end - bytes.constData());
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
