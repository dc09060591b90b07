#include "backup/backupnames.h"

#include "base/appglobals.h"
#include "base/paths.h"

#include <QDir>

namespace backup {

QString backupFolder(const base::AppGlobals& globals)
{
    return base::dataRoot(globals) + QStringLiteral("Backup2/");
}

QString snapshotFolder(const base::AppGlobals& globals)
{
    return base::dataRoot(globals) + QStringLiteral("Snapshots2/");
}

QString snapshotName(const QDateTime& moment)
{
    // "yyyyMMddhhmm" rearranged as date, "_", hour, "h", minute.
    const QString stamp = moment.toString(QStringLiteral("yyyyMMddhhmm"));
    return QString::fromLatin1(kProgramBaseName) + QLatin1Char('_') + stamp.left(8) +
           QLatin1Char('_') + stamp.mid(8, 2) + QLatin1Char('h') + stamp.mid(10, 2) +
           QStringLiteral(".zip");
}

QString todaysSnapshotPrefix(const QDate& day)
{
    return QString::fromLatin1(kProgramBaseName) + QLatin1Char('_') +
           day.toString(QStringLiteral("yyyyMMdd"));
}

QString snapshotMask()
{
    return QString::fromLatin1(kProgramBaseName) + QStringLiteral("_????????_??h??.ZIP");
}

QStringList snapshotNames(const QString& folder)
{
    // Name filters of QDir ignore case unless asked otherwise.
    QStringList names =
        QDir(folder).entryList({snapshotMask()}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    names.sort(Qt::CaseInsensitive);
    return names;
}

bool todaysSnapshotExists(const QString& folder, const QDate& day)
{
    return !QDir(folder)
                .entryList({todaysSnapshotPrefix(day) + QStringLiteral("*.zip")}, QDir::Files)
                .isEmpty();
}

} // namespace backup
