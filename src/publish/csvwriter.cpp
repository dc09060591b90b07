#include "publish/csvwriter.h"

#include "base/messages.h"
#include "publish/textfile.h"

#include <QDir>
#include <QFileInfo>

namespace publish {

namespace {

QString xmlText(QString value)
{
    value.replace(QLatin1Char('&'), QStringLiteral("&amp;"));
    value.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
    value.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
    return value;
}

} // namespace

bool csvLines(const Listing& listing, bool withTitles, QStringList* lines, QString* error)
{
    const QStringList titles = listItems(listing.titles);
    const QStringList fields = listItems(listing.fields);
    if (listing.titles.contains(QLatin1Char('"'))) {
        *error = QStringLiteral("The headers must have no \" in it");
        return false;
    }
    if (withTitles) {
        QStringList quoted;
        for (const QString& t : titles)
            quoted << QLatin1Char('"') + t + QLatin1Char('"');
        *lines << quoted.join(QLatin1Char(','));
    }
    if (listing.rows.isEmpty()) {
        *lines << QStringLiteral("No data");
        return true;
    }
    for (const FieldRow& row : listing.rows) {
        QStringList values = valuesOf(row, fields);
        for (QString& v : values) {
            if (v.contains(QLatin1Char(',')))
                v = QLatin1Char('"') + v + QLatin1Char('"');
        }
        *lines << values.join(QLatin1Char(','));
    }
    return true;
}

bool xmlLines(const QString& root, const QString& record, const Listing& listing,
              QStringList* lines, QString* error)
{
    const QStringList titles = listItems(listing.titles);
    const QStringList fields = listItems(listing.fields);
    if (titles.size() != fields.size()) {
        *error = QStringLiteral("nHeaders differs from nFields: ") +
                 QString::number(titles.size()) + QStringLiteral(" / ") +
                 QString::number(fields.size());
        return false;
    }
    *lines << QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>")
           << QLatin1Char('<') + root + QLatin1Char('>');
    for (const FieldRow& row : listing.rows) {
        *lines << QStringLiteral("  <") + record + QLatin1Char('>');
        for (const QString& f : fields)
            *lines << QStringLiteral("    <") + f + QLatin1Char('>') + xmlText(row.value(f)) +
                          QStringLiteral("</") + f + QLatin1Char('>');
        *lines << QStringLiteral("  </") + record + QLatin1Char('>');
    }
    *lines << QStringLiteral("</") + root + QLatin1Char('>');
    return true;
}

bool writeExportFile(base::Messages& messages, const QString& path, const QStringList& lines)
{
    const QFileInfo info(path);
    if (!info.absoluteDir().exists()) {
        messages.warning(QStringLiteral("The folder does not exist: ") + info.absolutePath());
        return false;
    }
    if (info.exists() &&
        messages.choose(QStringLiteral("Export"), QStringLiteral("The file already exist: ") + path,
                        {QStringLiteral("Cancel"), QStringLiteral("Overwrite")}) != 1)
        return false;
    QString error;
    if (!writeTextFile(path, lines, &error)) {
        messages.warning(QStringLiteral("File could not be created:") + QStringLiteral("\r") +
                         path + QStringLiteral("\r") + error);
        return false;
    }
    return true;
}

} // namespace publish
