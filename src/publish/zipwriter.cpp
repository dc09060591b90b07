#include "publish/zipwriter.h"

#include <QFile>

#include <zip.h>

namespace publish {

bool writeZip(const QString& archive, const QList<std::pair<QString, QByteArray>>& entries,
              QString* error)
{
    // Written beside the target and renamed over it, so a failure keeps the old archive.
    const QString temporary = archive + QStringLiteral(".part");
    QFile::remove(temporary);
    int code = 0;
    zip_t* za = zip_open(QFile::encodeName(temporary).constData(), ZIP_CREATE | ZIP_EXCL, &code);
    if (!za) {
        zip_error_t e;
        zip_error_init_with_code(&e, code);
        *error = QString::fromUtf8(zip_error_strerror(&e));
        zip_error_fini(&e);
        return false;
    }
    for (const auto& [name, bytes] : entries) {
        // libzip reads the buffers when the archive is closed; they outlive it here.
        zip_source_t* source =
            zip_source_buffer(za, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        if (!source || zip_file_add(za, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
            if (source)
                zip_source_free(source);
            *error = QString::fromUtf8(zip_strerror(za));
            zip_discard(za);
            QFile::remove(temporary);
            return false;
        }
    }
    if (zip_close(za) != 0) {
        *error = QString::fromUtf8(zip_strerror(za));
        zip_discard(za);
        QFile::remove(temporary);
        return false;
    }
    QFile::remove(archive);
    if (!QFile::rename(temporary, archive)) {
        *error = QStringLiteral("cannot rename ") + temporary;
        QFile::remove(temporary);
        return false;
    }
    return true;
}

} // namespace publish
