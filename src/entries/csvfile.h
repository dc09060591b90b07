#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace entries {

enum class CsvDelimiter { Undecided, Comma, Semicolon };

// A text file of competitors as read: its lines (without line ends) and how it was
// decoded. Files that are not text are refused with the reason.
struct CsvText {
    bool ok = false;
    QString refusal;
    QString encoding; // "UTF-8", "UTF-8 with BOM", "UTF-16LE", "UTF-16BE", "Latin-1"
    QStringList lines;
};

// Decodes the bytes of a file: a byte-order mark decides UTF-8 or UTF-16; otherwise valid
// UTF-8 is UTF-8 and anything else is read as Latin-1. Both line ends are accepted, and a
// last line without one.
CsvText decodeCsv(const QByteArray& bytes);
CsvText readCsvFile(const QString& path);

// The delimiter of the file by the commas and semicolons of its first six lines.
CsvDelimiter guessDelimiter(const QStringList& lines);
QChar delimiterChar(CsvDelimiter delimiter);

// The cells of one line. A cell wrapped in double quotes may hold the delimiter; a
// doubled quote inside it is one quote. Other quotes stay in the cell as they are.
QStringList splitCsvLine(const QString& line, QChar delimiter);

} // namespace entries
