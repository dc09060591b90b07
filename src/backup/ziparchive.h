#pragma once

#include <QString>
#include <QStringList>

namespace backup {

// Zip archives of database files through libzip. Each call returns false with the
// library's reason in `error`; a failed write leaves no archive behind.

// Writes `archive` holding `file` under its file name.
bool zipOneFile(const QString& file, const QString& archive, QString* error);

// The file names in an archive and their unpacked size; false for a file that is not a
// readable zip archive.
bool archiveContents(const QString& archive, QStringList* names, qint64* unpackedSize,
                     QString* error);

// Unpacks every file of the archive into `folder` (flat: an entry with a folder part or
// ".." is refused) and lists the files written.
bool unzipAll(const QString& archive, const QString& folder, QStringList* written, QString* error);

} // namespace backup
