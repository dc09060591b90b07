#include "publish/weblayout.h"

#include "meeting/itemtypes.h"

#include <QRegularExpression>

namespace publish {

QString dayFolderName(int day)
{
    return QStringLiteral("Day") + QString::number(day);
}

QString resultsFileName(int seq, const QString& itemCode, const QString& round, int heatNo,
                        qint64 programNo)
{
    return QStringLiteral("%1_%2_%3%4_%5.html")
        .arg(seq, 3, 10, QLatin1Char('0'))
        .arg(itemCode.trimmed(), round.trimmed())
        .arg(heatNo)
        .arg(programNo);
}

std::optional<qint64> programNoOfResultsFile(const QString& fileName)
{
    static const QRegularExpression pattern(QStringLiteral("^\\d{3,}_.+_[A-Z]\\d+_(\\d+)\\.html$"));
    const QRegularExpressionMatch m = pattern.match(fileName);
    if (!m.hasMatch())
        return std::nullopt;
    return m.captured(1).toLongLong();
}

QString groupPart(const meeting::ItemTypes& items, const QString& itemCode)
{
    const QString code = itemCode.trimmed();
    return code.left(items.IsFieldItem(code) ? 10 : 13);
}

QString groupFileName(const meeting::ItemTypes& items, const QString& itemCode)
{
    return QStringLiteral("Group_") + groupPart(items, itemCode) + QStringLiteral(".html");
}

bool isDayPageName(const QString& fileName)
{
    return fileName == QLatin1String(kProgramPage) || fileName == QLatin1String(kStartersPage) ||
           fileName == QLatin1String(kSequenceIndex) || fileName == QLatin1String(kItemIndex) ||
           (fileName.endsWith(QLatin1String(".html")) &&
            (fileName.startsWith(QLatin1String("Group_")) ||
             fileName.startsWith(QLatin1String("History_"))));
}

} // namespace publish
