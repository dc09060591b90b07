#include "db/sqltext.h"

namespace db {

QString quoted(const QString& text)
{
    QString body = text;
    body.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + body + QLatin1Char('\'');
}

QString sqlInt(qint64 value)
{
    return QString::number(value);
}

QString sqlReal(double value)
{
    return QString::number(value, 'g', 17);
}

} // namespace db
