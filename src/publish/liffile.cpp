#include "publish/liffile.h"

#include "entries/csvfile.h"
#include "results/statuscodes.h"

#include <QFile>
#include <QRegularExpression>

namespace publish {

namespace {

QString lineRef(int lineNo)
{
    return QStringLiteral("Line ") + QString::number(lineNo) + QStringLiteral(": ");
}

// "1:02.347" -> 62.34 and the digit 7; false for anything that is not a time. The
// leading hours or minutes take at most three digits: no race runs longer, and more
// digits would overflow the sum. After a colon come two digits below 60: "1:0" is a
// time cut short, and "1:75.00" no clock's reading.
bool readTime(const QString& text, double* seconds, QString* thirdDigit)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(?:(\\d{1,3}):)?(?:(\\d{1,2}):)?(\\d{1,2})(?:\\.(\\d{1,3}))?$"));
    const QRegularExpressionMatch m = pattern.match(text.trimmed());
    if (!m.hasMatch())
        return false;
    const auto sexagesimal = [](const QString& part) {
        return part.size() == 2 && part.toInt() < 60;
    };
    if (!m.captured(1).isEmpty() &&
        (!sexagesimal(m.captured(3)) || (!m.captured(2).isEmpty() && !sexagesimal(m.captured(2)))))
        return false;
    double value = m.captured(3).toInt();
    if (!m.captured(2).isEmpty())
        value += m.captured(2).toInt() * 60 + m.captured(1).toInt() * 3600;
    else if (!m.captured(1).isEmpty())
        value += m.captured(1).toInt() * 60;
    const QString decimals = m.captured(4);
    value += decimals.left(2).leftJustified(2, QLatin1Char('0')).toInt() / 100.0;
    *thirdDigit = decimals.size() == 3 ? decimals.right(1) : QString();
    *seconds = value;
    return true;
}

// A place word of the file as a status: DQ and DSQ are disqualifications.
int statusOfWord(const QString& word)
{
    const QString w = word.trimmed().toUpper();
    if (w == QLatin1String("DQ") || w == QLatin1String("DSQ"))
        return results::kDisq;
    if (w == QLatin1String("SCR"))
        return results::kDns;
    const int code = results::DisqStatusFromText(w);
    return code == results::kUndefined ? 0 : code;
}

} // namespace

LifRead parseLif(const QByteArray& bytes)
{
    LifRead read;
    const entries::CsvText text = entries::decodeCsv(bytes);
    if (!text.ok) {
        read.refusal = text.refusal;
        return read;
    }
    read.race.encoding = text.encoding;
    QList<std::pair<int, QString>> lines;
    for (int i = 0; i < text.lines.size(); ++i) {
        if (!text.lines[i].trimmed().isEmpty())
            lines.append({i + 1, text.lines[i]});
    }
    if (lines.isEmpty()) {
        read.refusal = QStringLiteral("The file is empty");
        return read;
    }
    const QStringList header = entries::splitCsvLine(lines.first().second, QLatin1Char(','));
    bool eventOk = false, roundOk = false, heatOk = false;
    read.race.event = header.value(0).trimmed().toInt(&eventOk);
    read.race.round = header.value(1).trimmed().toInt(&roundOk);
    read.race.heat = header.value(2).trimmed().toInt(&heatOk);
    read.race.name = header.value(3).trimmed();
    read.race.wind = header.value(4).trimmed();
    if (header.size() < 3 || !eventOk || !roundOk || !heatOk || read.race.event <= 0) {
        read.refusal = lineRef(lines.first().first) +
                       QStringLiteral("the header must begin with the event, round and heat");
        return read;
    }
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const auto& [lineNo, text] = lines[i];
        const QStringList f = entries::splitCsvLine(text, QLatin1Char(','));
        if (f.size() < 7) {
            read.refusal = lineRef(lineNo) + QStringLiteral("the line is cut short (") +
                           QString::number(f.size()) + QStringLiteral(" of 7 fields)");
            return read;
        }
        LifLine l;
        l.lineNo = lineNo;
        l.placeText = f[0].trimmed();
        l.number = f[1].trimmed();
        l.lastName = f[3].trimmed();
        l.firstName = f[4].trimmed();
        l.team = f[5].trimmed();
        l.time = f[6].trimmed();
        bool placeOk = false;
        l.place = l.placeText.toInt(&placeOk);
        if (!placeOk) {
            l.place = 0;
            l.status = statusOfWord(l.placeText);
            if (l.status == 0) {
                read.refusal =
                    lineRef(lineNo) + QStringLiteral("unknown place or status: ") + l.placeText;
                return read;
            }
        }
        const QString laneText = f[2].trimmed();
        bool laneOk = laneText.isEmpty();
        if (!laneOk)
            l.lane = laneText.toInt(&laneOk);
        if (!laneOk || l.lane < 0) {
            read.refusal =
                lineRef(lineNo) + QStringLiteral("the lane is not a number: ") + laneText;
            return read;
        }
        if (l.status == 0 && !readTime(l.time, &l.seconds, &l.thirdDigit)) {
            read.refusal = lineRef(lineNo) + QStringLiteral("the time cannot be read: ") + l.time;
            return read;
        }
        if (l.status != 0)
            l.time.clear();
        read.race.lines << l;
    }
    if (read.race.lines.isEmpty()) {
        // A race always has a line per swimmer: a header alone is a file cut short.
        read.refusal = QStringLiteral("The file has a header but no places");
        return read;
    }
    read.ok = true;
    return read;
}

LifRead readLifFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        LifRead read;
        read.refusal = QStringLiteral("The file cannot be read: ") + path;
        return read;
    }
    return parseLif(file.readAll());
}

} // namespace publish
