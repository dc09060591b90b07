#include "publish/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace publish {

namespace {

QString partOf(const QString& path)
{
    return path + QStringLiteral(".part");
}

// The bytes as the file beside `path` that is renamed over it once complete. No flush to
// the disk (as QSaveFile does for every file): the pages can always be published again
// from the database, and a flush per page made publishing a meeting many times slower.
bool writePart(const QString& path, const QByteArray& bytes, QString* error)
{
    QFile file(partOf(path));
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                         file.write(bytes) == bytes.size() && file.flush();
    if (written) {
        file.close();
        return true;
    }
    if (error)
        *error = file.errorString();
    file.close();
    QFile::remove(partOf(path));
    return false;
}

bool replaceByPart(const QString& path, QString* error)
{
    std::error_code failed;
    std::filesystem::rename(QFile::encodeName(partOf(path)).toStdString(),
                            QFile::encodeName(path).toStdString(), failed);
    if (!failed)
        return true;
    if (error)
        *error = QString::fromLocal8Bit(failed.message());
    QFile::remove(partOf(path));
    return false;
}

// A file made whole without a name, then given its name: one step less for the file system
// than a part written and renamed. A file that exists already is replaced by the whole one
// given the part's name and renamed over it. False, with nothing left behind, when the file
// system cannot do it; the caller then writes a part and renames it, and tells why.
bool writeNewFile(const QString& path, const QByteArray& bytes)
{
#ifdef O_TMPFILE
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0)
            break;
        done += n;
    }
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    const QByteArray name = QFile::encodeName(path);
    const auto linkAs = [&](const QByteArray& as) {
        return ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, as.constData(), AT_SYMLINK_FOLLOW) ==
               0;
    };
    bool named = false;
    if (done == bytes.size()) {
        named = linkAs(name);
        if (!named && errno == EEXIST) {
            const QByteArray part = QFile::encodeName(partOf(path));
            ::unlink(part.constData());
            named = linkAs(part) && ::rename(part.constData(), name.constData()) == 0;
            if (!named)
                ::unlink(part.constData());
        }
    }
    ::close(fd);
    return named;
#else
    Q_UNUSED(path);
    Q_UNUSED(bytes);
    return false;
#endif
}

} // namespace

bool writeBytesFile(const QString& path, const QByteArray& bytes, QString* error)
{
    // A reader sees the old file or the new one, never part of one.
    return writeNewFile(path, bytes) ||
           (writePart(path, bytes, error) && replaceByPart(path, error));
}

QByteArray textFileBytes(const QStringList& lines)
{
    QByteArray bytes;
    encodeTextFile(lines, &bytes);
    return bytes;
}

void encodeTextFile(const QStringList& lines, QByteArray* bytes)
{
    // The lines are encoded one after the other into one buffer of the largest size they
    // can take, then cut to what they took.
    qsizetype characters = 0;
    for (const QString& line : lines)
        characters += line.size() + 1;
    QStringEncoder utf8(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
    bytes->resize(utf8.requiredSpace(characters));
    char* end = bytes->data();
    for (const QString& line : lines) {
        end = utf8.appendToBuffer(end, line);
        *end++ = '\n';
    }
    bytes->truncate(end - bytes->constData());
}

bool writeTextFile(const QString& path, const QStringList& lines, QString* error)
{
    return writeBytesFile(path, textFileBytes(lines), error);
}

bool writeTextFiles(const QList<TextFileContent>& files, QString* failedPath, QString* error)
{
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (writePart(files[i].path, textFileBytes(files[i].lines), error))
            continue;
        if (failedPath)
            *failedPath = files[i].path;
        for (qsizetype j = 0; j < i; ++j)
            QFile::remove(partOf(files[j].path));
        return false;
    }
    bool ok = true;
    for (const TextFileContent& file : files) {
        // A rename within one folder fails only when the folder changed under us; the files
        // after it are not replaced either.
        if (ok && replaceByPart(file.path, error))
            continue;
        if (ok && failedPath)
            *failedPath = file.path;
        ok = false;
        QFile::remove(partOf(file.path));
    }
    return ok;
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
