#include "backup/ziparchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <zip.h>

namespace backup {

namespace {

QString zipErrorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

QString archiveErrorText(zip_t* archive)
{
    return QString::fromUtf8(zip_error_strerror(zip_get_error(archive)));
}

zip_t* openForReading(const QString& archive, QString* error)
{
    int code = 0;
    zip_t* za = zip_open(QFile::encodeName(archive).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!za)
        *error = zipErrorText(code);
    return za;
}

bool safeEntryName(const QString& name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) &&
           !name.contains(QLatin1Char('\\')) && name != QLatin1String("..") &&
           name != QLatin1String(".");
}

bool extractEntry(zip_t* za, zip_uint64_t index, const QString& target, QString* error)
{
    zip_file_t* entry = zip_fopen_index(za, index, 0);
    if (!entry) {
        *error = archiveErrorText(za);
        return false;
    }
    QFile out(target);
    bool ok = out.open(QIODevice::WriteOnly | QIODevice::Truncate);
    if (!ok)
        *error = out.errorString();
    char buffer[1 << 16];
    while (ok) {
        const zip_int64_t n = zip_fread(entry, buffer, sizeof buffer);
        if (n < 0) {
            *error = QString::fromUtf8(zip_error_strerror(zip_file_get_error(entry)));
            ok = false;
        } else if (n == 0) {
            break;
        } else if (out.write(buffer, n) != n) {
            *error = out.errorString();
            ok = false;
        }
    }
    zip_fclose(entry);
    out.close();
    if (!ok)
        QFile::remove(target);
    return ok;
}

} // namespace

bool zipOneFile(const QString& file, const QString& archive, QString* error)
{
    const QString part = archive + QStringLiteral(".part");
    QFile::remove(part);
    int code = 0;
    zip_t* za = zip_open(QFile::encodeName(part).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!za) {
        *error = zipErrorText(code);
        return false;
    }
    zip_source_t* source = zip_source_file(za, QFile::encodeName(file).constData(), 0, -1);
    const QByteArray name = QFileInfo(file).fileName().toUtf8();
    if (!source || zip_file_add(za, name.constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
        *error = archiveErrorText(za);
        if (source)
            zip_source_free(source);
        zip_discard(za);
        QFile::remove(part);
        return false;
    }
    // The data is read and compressed here.
    if (zip_close(za) < 0) {
        *error = archiveErrorText(za);
        zip_discard(za);
        QFile::remove(part);
        return false;
    }
    QFile::remove(archive);
    if (!QFile::rename(part, archive)) {
        *error = QStringLiteral("could not rename ") + part;
        QFile::remove(part);
        return false;
    }
    return true;
}

bool archiveContents(const QString& archive, QStringList* names, qint64* unpackedSize,
                     QString* error)
{
    zip_t* za = openForReading(archive, error);
    if (!za)
        return false;
    names->clear();
    *unpackedSize = 0;
    const zip_int64_t count = zip_get_num_entries(za, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(za, zip_uint64_t(i), 0, &stat) < 0) {
            *error = archiveErrorText(za);
            zip_discard(za);
            return false;
        }
        names->append(QString::fromUtf8(stat.name));
        *unpackedSize += qint64(stat.size);
    }
    zip_discard(za);
    return true;
}

bool unzipAll(const QString& archive, const QString& folder, QStringList* written, QString* error)
{
    zip_t* za = openForReading(archive, error);
    if (!za)
        return false;
    written->clear();
    bool ok = QDir().mkpath(folder);
    if (!ok)
        *error = QStringLiteral("could not create ") + folder;
    const zip_int64_t count = zip_get_num_entries(za, 0);
    for (zip_int64_t i = 0; ok && i < count; ++i) {
        const QString name = QString::fromUtf8(zip_get_name(za, zip_uint64_t(i), 0));
        if (name.endsWith(QLatin1Char('/')))
            continue; // a folder entry: nothing to write
        if (!safeEntryName(name)) {
            *error = QStringLiteral("the archive holds a file in a folder: ") + name;
            ok = false;
            break;
        }
        const QString target = QDir(folder).filePath(name);
        ok = extractEntry(za, zip_uint64_t(i), target, error);
        if (ok)
            written->append(target);
    }
    zip_discard(za);
    if (!ok)
        for (const QString& path : std::as_const(*written))
            QFile::remove(path);
    return ok;
}

} // namespace backup
