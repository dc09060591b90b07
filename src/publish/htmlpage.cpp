#include "publish/htmlpage.h"

#include "publish/textfile.h"

#include <QDir>
#include <QFile>

#include <algorithm>

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

// The entity that stands for the character in HTML; null for one that stands for itself.
const char* entityOf(QChar c)
{
    switch (c.unicode()) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    case '\'':
        return "&#39;";
    }
    return nullptr;
}

void appendEscaped(QString* out, QStringView text)
{
    qsizetype plainFrom = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (const char* entity = entityOf(text[i])) {
            out->append(text.mid(plainFrom, i - plainFrom));
            out->append(QLatin1String(entity));
            plainFrom = i + 1;
        }
    }
    out->append(text.mid(plainFrom));
}

} // namespace

QString htmlEscaped(const QString& text)
{
    // Most texts have nothing to escape and are handed back as they are, without a copy.
    if (std::none_of(text.cbegin(), text.cend(), [](QChar c) { return entityOf(c) != nullptr; }))
        return text;
    QString out;
    out.reserve(text.size() + 8);
    appendEscaped(&out, text);
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
    HtmlTable table(titles);
    for (const FieldRow& r : listing.rows) {
        for (const QString& field : fields)
            table << r.value(field);
        table.endRow();
    }
    table.appendTo(lines);
    return true;
}

HtmlTable::HtmlTable(const QStringList& titles)
{
    for (const QString& title : titles)
        *this << title;
    endRow();
    m_rows = 0;
}

HtmlTable& HtmlTable::operator<<(QStringView value)
{
    if (m_row.isEmpty())
        m_row += u"<tr>";
    m_row += u"<td> ";
    appendEscaped(&m_row, value);
    m_row += u" </td>";
    return *this;
}

void HtmlTable::endRow()
{
    if (m_row.isEmpty())
        m_row += u"<tr>";
    m_row += u"</tr>";
    const qsizetype size = m_row.size();
    m_lines << std::move(m_row);
    // The next row is about as long as this one.
    m_row = QString();
    m_row.reserve(size + 16);
    ++m_rows;
}

void HtmlTable::appendTo(QStringList* lines) const
{
    if (m_rows == 0) {
        *lines << QStringLiteral("No data.<BR>");
        return;
    }
    lines->reserve(lines->size() + m_lines.size() + 4);
    *lines << QStringLiteral("<div class=\"scroll\">") << QStringLiteral("<table border=\"1\">")
           << m_lines << QStringLiteral("</table>") << QStringLiteral("</div>");
}

} // namespace publish
