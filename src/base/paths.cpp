#include "base/paths.h"

#include "base/appglobals.h"

#include <QDir>

namespace base {

QString dataRoot(const AppGlobals& globals)
{
    QString profile = QString::fromUtf8(qgetenv("USERPROFILE"));
    if (profile.isEmpty())
        profile = QDir::homePath();
    if (!profile.endsWith(QLatin1Char('/')))
        profile += QLatin1Char('/');
    return profile + globals.productName() + QLatin1Char('/');
}

QString defaultDatabaseFolder(const AppGlobals& globals)
{
    return dataRoot(globals) + QStringLiteral("Data/");
}

QString defaultDatabasePath(const AppGlobals& globals)
{
    return defaultDatabaseFolder(globals) + globals.productName() + QStringLiteral(".gdb");
}

QString tempFolder(const AppGlobals& globals)
{
    return dataRoot(globals) + QStringLiteral("Temp/");
}

} // namespace base
