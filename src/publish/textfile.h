#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace publish {

// Writes the lines (UTF-8, each ended by a line feed) through a temporary file that
// replaces the old one only when everything was written: a failure leaves the old file
// as it was. False with the reason in `error`.
bool writeTextFile(const QString& path, const QStringList& lines, QString* error = nullptr);
bool writeBytesFile(const QString& path, const QByteArray& bytes, QString* error = nullptr);
// The bytes writeTextFile writes for the lines.
QByteArray textFileBytes(const QStringList& lines);
// The same into `bytes`, whose memory is used again when it is large enough.
void encodeTextFile(const QStringList& lines, QByteArray* bytes);

struct TextFileContent {
    QString path;
    QStringList lines;
};
// Several files that belong together: every one is written beside its old file first, and
// only when all are written do they replace the old ones. A failure names the file in
// `failedPath` and leaves the old files as they were.
bool writeTextFiles(const QList<TextFileContent>& files, QString* failedPath,
                    QString* error = nullptr);

// The lines of a UTF-8 text file (line feeds or carriage returns and line feeds); false
// when it cannot be read.
bool readTextFile(const QString& path, QStringList* lines);

} // namespace publish
