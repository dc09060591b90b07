#include "results/heightmarks.h"

#include <algorithm>
#include <cmath>

namespace results {

QString heightMarksRefusal(const QString& marks)
{
    if (marks.size() > 3)
        return QStringLiteral("The performance must be maximun 3 characters: ") + marks;
    for (const QChar c : marks) {
        if (c != QLatin1Char('X') && c != QLatin1Char('-') && c != QLatin1Char('O'))
            return QStringLiteral("The only valid characters is \"X\", \"-\" and \"O\": \"") + c +
                   QStringLiteral("\" is NOT valid: ") + marks;
    }
    if (marks.count(QLatin1Char('O')) > 1)
        return QStringLiteral("The performance may contain only one \"O\": ") + marks;
    const qsizetype o = marks.indexOf(QLatin1Char('O'));
    if (o >= 0 && o != marks.size() - 1)
        return QStringLiteral("The \"O\" must be the last char: ") + marks;
    return {};
}

QString partialMarksRefusal(const QString& marks)
{
    for (const QChar c : marks) {
        if (c == QLatin1Char('0'))
            return QStringLiteral("When it is over, you press a \"O\" for \"Over\", not a zero");
        if (c != QLatin1Char('X') && c != QLatin1Char('-') && c != QLatin1Char('O'))
            return QStringLiteral("The only valid characters in a Temporary performance is "
                                  "\"O\", \"X\" and \"-\": \"") +
                   c + QLatin1Char('"');
    }
    return heightMarksRefusal(marks);
}

bool heightMarksComplete(const QString& marks)
{
    return marks.endsWith(QLatin1Char('O')) || marks == QLatin1String("XXX") ||
           marks.endsWith(QLatin1Char('-'));
}

double highestCleared(const QList<HeightMarks>& marks)
{
    double best = 0;
    for (const HeightMarks& m : marks) {
        if (m.marks.contains(QLatin1Char('O')))
            best = std::max(best, m.height);
    }
    return best;
}

std::optional<QString> countBackKey(QList<HeightMarks> marks, bool oldRule)
{
    std::sort(marks.begin(), marks.end(),
              [](const HeightMarks& a, const HeightMarks& b) { return a.heightSeq > b.heightSeq; });
    int cleared = -1;
    for (int i = 0; i < marks.size(); ++i) {
        if (marks[i].marks.contains(QLatin1Char('O'))) {
            cleared = i;
            break;
        }
    }
    if (cleared < 0)
        return std::nullopt;
    const HeightMarks& top = marks[cleared];
    const int centimetres = int(std::lround(top.height * 100));
    QString key = QString::number(1000 - centimetres).rightJustified(3, QLatin1Char('0')) +
                  QLatin1Char(';') + QString::number(top.marks.count(QLatin1Char('X'))) +
                  QLatin1Char(';');
    if (oldRule) {
        for (int i = cleared + 1; i < marks.size(); ++i)
            key += QString::number(marks[i].marks.count(QLatin1Char('X'))) + QLatin1Char(';');
    } else {
        int below = 0;
        for (int i = cleared + 1; i < marks.size(); ++i)
            below += int(marks[i].marks.count(QLatin1Char('X')));
        key += QString::number(below).rightJustified(2, QLatin1Char('0'));
    }
    return key;
}

QList<RankedKey> rankByKeys(QList<RankedKey> keys)
{
    std::sort(keys.begin(), keys.end(), [](const RankedKey& a, const RankedKey& b) {
        return a.key != b.key ? a.key < b.key : a.athleteNo < b.athleteNo;
    });
    int place = 0;
    int sharers = 0;
    for (int i = 0; i < keys.size(); ++i) {
        if (i > 0 && keys[i].key == keys[i - 1].key) {
            ++sharers;
        } else {
            place = place + sharers + 1;
            sharers = 0;
        }
        keys[i].place = place;
    }
    return keys;
}

} // namespace results
