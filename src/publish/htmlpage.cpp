#include "publish/htmlpage.h"

#include "publish/textfile.h"

#include <QDir>
#include <QFile>

namespace publish {

namespace {

const char kStyle[] = R"(body { font-family: "DejaVu Sans", Arial, sans-serif; margin: 8px; }
h2 { font-size: 1.3em; margin: 0.3em 0; overflow-wrap: anywhere; }
h3 { font-size: 1.05em; margin: 0.2em 0; }
a { overflow-wrap: anywhere; }
.scroll { overflow-x: auto; max-width: 100%; margin: 0.4em 0; }
table { border-collapse: collapse; }
td { padding: 2px 6px; white-space: nowrap; }
tr:first-child td { font-weight: bold; background: #e6edf5; }
tr:nth-child(even) td { background: #f6f8fa; }
)";

QString cell(const QString& value)
{
    return QStringLiteral("<td> ") + htmlEscaped(value) + QStringLiteral(" </td>");
}

QString row(const QStringList& values)
{
    QString line = QStringLiteral("<tr>");
    for (const QString& v : values)
        line += cell(v);
    return line + QStringLiteral("</tr>");
}

} // namespace

QString htmlEscaped(const QString& text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += QStringLiteral("&amp;");
            break;
        case '<':
            out += QStringLiteral("&lt;");
            break;
        case '>':
            out += QStringLiteral("&gt;");
            break;
        case '"':
            out += QStringLiteral("&quot;");
            break;
        case '\'':
            out += QStringLiteral("&#39;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString htmlUnescaped(const QString& text)
{
    QString out = text;
    out.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    out.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    out.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    out.replace(QStringLiteral("&#39;"), QStringLiteral("'"));
    out.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return out;
}

QByteArray styleSheet()
{
    return QByteArray(kStyle);
}

bool ensureStyleSheet(const QString& root, QString* error)
{
    const QString path = QDir(root).filePath(QString::fromLatin1(kStyleSheetName));
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == styleSheet())
        return true;
    return writeBytesFile(path, styleSheet(), error);
}

QStringList pageHeader(const QStringList& titleLines, const QString& styleHref, bool refresh)
{
    QStringList escaped;
    for (const QString& t : titleLines)
        escaped << htmlEscaped(t);
    QStringList lines{QStringLiteral("<!DOCTYPE html>"),
                      QStringLiteral("<html>"),
                      QStringLiteral("<head>"),
                      QStringLiteral("<meta charset=\"utf-8\">"),
                      QStringLiteral("<meta name=\"viewport\" content=\"width=device-width, "
                                     "initial-scale=1\">"),
                      QStringLiteral("<link rel=\"stylesheet\" href=\"") + styleHref +
                          QStringLiteral("\">"),
                      QStringLiteral("<title>") + escaped.value(0) + QStringLiteral("</title>"),
                      QStringLiteral("</head>"),
                      QStringLiteral("<body>"),
                      QStringLiteral("<h2>")};
    if (refresh)
        lines << QStringLiteral("<meta http-equiv=\"refresh\" content=\"30\">");
    lines << escaped.join(QStringLiteral("<BR>")) << QStringLiteral("</h2>")
          << QStringLiteral("<Font Size=\"4\">");
    return lines;
}

QStringList pageFooter()
{
    return {QStringLiteral("</Font>"), QStringLiteral("</body>"), QStringLiteral("</html>")};
}

bool appendTable(const Listing& listing, QStringList* lines, QString* error)
{
    const QStringList titles = listItems(listing.titles);
    const QStringList fields = listItems(listing.fields);
    if (titles.size() != fields.size()) {
        if (error)
            *error = QStringLiteral("Header and qry fieldcount does not match");
        return false;
    }
    if (listing.rows.isEmpty()) {
        *lines << QStringLiteral("No data.<BR>");
        return true;
    }
    *lines << QStringLiteral("<div class=\"scroll\">") << QStringLiteral("<table border=\"1\">")
           << row(titles);
    for (const FieldRow& r : listing.rows)
        *lines << row(valuesOf(r, fields));
    *lines << QStringLiteral("</table>") << QStringLiteral("</div>");
    return true;
}

} // namespace publish
