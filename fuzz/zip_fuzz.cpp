// Any bytes as the archive a restore is given: reading its list of files and unpacking it
// must refuse or succeed, never crash, and never write outside the folder it was given.

#include "backup/ziparchive.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir work;
    const QString archive = work.filePath(QStringLiteral("input.zip"));
    const QString root = work.filePath(QStringLiteral("root"));
    const QString folder = root + QStringLiteral("/unpacked");
    {
        QFile file(archive);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    QDir(root).removeRecursively();
    QDir().mkpath(folder);

    QStringList names;
    qint64 unpackedSize = 0;
    QString error;
    const bool readable = backup::archiveContents(archive, &names, &unpackedSize, &error);
    if (!readable && error.isEmpty())
        __builtin_trap(); // a refusal always says why
    // A declared size that would fill the disk is not unpacked; the restore checks the
    // room first in the same way.
    if (readable && unpackedSize < 4 * 1024 * 1024) {
        QStringList written;
        const bool unpacked = backup::unzipAll(archive, folder, &written, &error);
        if (!unpacked && error.isEmpty())
            __builtin_trap();
        for (const QString& path : written)
            if (!path.startsWith(folder + QLatin1Char('/')))
                __builtin_trap();
        // Nothing beside the folder it was given.
        if (QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden) !=
            QStringList{QStringLiteral("unpacked")})
            __builtin_trap();
        QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            if (QFileInfo(it.next()).isDir())
                __builtin_trap(); // flat: no folders
    }
    return 0;
}
