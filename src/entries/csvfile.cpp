#include "entries/csvfile.h"

#include <QFile>
#include <QStringDecoder>

namespace entries {

namespace {

// Control characters that no spreadsheet writes into a text file.
bool looksBinary(const QString& text)
{
    for (QChar c : text) {
        const ushort u = c.unicode();
        if (u < 0x20 && u != '\t' && u != '\n' && u != '\r' && u != 0x0c)
            return true;
    }
    return false;
}

QString decodeWith(QStringConverter::Encoding encoding, const QByteArray& bytes, bool* failed)
{
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    *failed = decoder.hasError();
    return text;
}

} // namespace

CsvText decodeCsv(const QByteArray& bytes)
{
    CsvText result;
    QString text;
    bool failed = false;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        text = decodeWith(QStringConverter::Utf8, bytes.mid(3), &failed);
        result.encoding = QStringLiteral("UTF-8 with BOM");
    } else if (bytes.startsWith("\xFF\xFE")) {
        text = decodeWith(QStringConverter::Utf16LE, bytes.mid(2), &failed);
        result.encoding = QStringLiteral("UTF-16LE");
    } else if (bytes.startsWith("\xFE\xFF")) {
        text = decodeWith(QStringConverter::Utf16BE, bytes.mid(2), &failed);
        result.encoding = QStringLiteral("UTF-16BE");
    } else {
        text = decodeWith(QStringConverter::Utf8, bytes, &failed);
        result.encoding = QStringLiteral("UTF-8");
        if (failed) {
            text = decodeWith(QStringConverter::Latin1, bytes, &failed);
            result.encoding = QStringLiteral("Latin-1");
        }
    }
    if (failed || looksBinary(text)) {
        result.refusal = QStringLiteral("The file is not a text file that can be imported (") +
                         result.encoding + QStringLiteral(" was tried).");
        return result;
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    result.lines = text.split(QLatin1Char('\n'));
    // The end of the last line is no line of its own.
    if (!result.lines.isEmpty() && result.lines.last().isEmpty())
        result.lines.removeLast();
    result.ok = true;
    return result;
}

CsvText readCsvFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        CsvText result;
        result.refusal = QStringLiteral("The file cannot be opened: ") + path;
        return result;
    }
    return decodeCsv(file.readAll());
}

CsvDelimiter guessDelimiter(const QStringList& lines)
{
    qsizetype commas = 0;
    qsizetype semicolons = 0;
    for (qsizetype i = 0; i < lines.size() && i < 6; ++i) {
        commas += lines[i].count(QLatin1Char(','));
        semicolons += lines[i].count(QLatin1Char(';'));
    }
    if (commas > 0 && semicolons == 0)
        return CsvDelimiter::Comma;
    if (semicolons > 0 && commas == 0)
        return CsvDelimiter::Semicolon;
    if (commas == 0 || commas + semicolons < 6)
        return CsvDelimiter::Undecided;
    if (commas >= 2 * semicolons)
        return CsvDelimiter::Comma;
    if (semicolons >= 2 * commas)
        return CsvDelimiter::Semicolon;
    return CsvDelimiter::Undecided;
}

QChar delimiterChar(CsvDelimiter delimiter)
{
    return delimiter == CsvDelimiter::Semicolon ? QLatin1Char(';') : QLatin1Char(',');
}

QStringList splitCsvLine(const QString& line, QChar delimiter)
{
    QStringList cells;
    QString cell;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i <= n) {
        cell.clear();
        if (i < n && line[i] == QLatin1Char('"')) {
            // A quoted cell runs to the quote that is followed by the delimiter or the end.
            qsizetype j = i + 1;
            QString inner;
            bool closed = false;
            while (j < n) {
                if (line[j] == QLatin1Char('"')) {
                    if (j + 1 < n && line[j + 1] == QLatin1Char('"')) {
                        inner += QLatin1Char('"');
                        j += 2;
                        continue;
                    }
                    closed = j + 1 == n || line[j + 1] == delimiter;
                    break;
                }
                inner += line[j++];
            }
            if (closed) {
                cells.append(inner);
                i = j + 2;
                continue;
            }
        }
        qsizetype end = line.indexOf(delimiter, i);
        if (end < 0)
            end = n;
        cells.append(line.mid(i, end - i));
        i = end + 1;
    }
    return cells;
}

} // namespace entries
