#include "publish/webindex.h"

#include "publish/htmlpage.h"

#include <QRegularExpression>

#include <algorithm>

namespace publish {

namespace {

struct Markers {
    qsizetype start = -1;
    qsizetype end = -1;
};

bool findMarkers(const QStringList& page, Markers* m, QString* error)
{
    m->start = page.indexOf(QLatin1String(kIndexStart));
    m->end = page.indexOf(QLatin1String(kIndexEnd));
    if (m->start < 0 || m->end < m->start) {
        if (error)
            *error = QStringLiteral("End of index not found");
        return false;
    }
    return true;
}

bool textBefore(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

void putEntries(QStringList* page, const Markers& m, QStringList entries)
{
    std::sort(entries.begin(), entries.end(), textBefore);
    QStringList out = page->mid(0, m.start + 1);
    out << entries << page->mid(m.end);
    *page = out;
}

} // namespace

QStringList newIndexPage(const IndexHeading& heading, const QString& styleHref, bool refresh)
{
    QStringList lines = pageHeader({heading.title}, styleHref, refresh);
    if (!heading.orderedBy.isEmpty())
        lines << QStringLiteral("<h3>Ordered by ") + htmlEscaped(heading.orderedBy) +
                     QStringLiteral("</h3>");
    lines << QStringLiteral("All results are preliminary, subject to corrections.")
          << QStringLiteral("<BR>Press [Control]-[F5] to refresh to latest page.")
          << QStringLiteral("<BR>The explorer might be showing you the page that was cached on "
                            "your local disk.");
    if (heading.programLink)
        lines << QStringLiteral("<BR><A href=\"Program.html\">Program</A>");
    lines << QStringLiteral("<BR>") << QString::fromLatin1(kIndexStart)
          << QString::fromLatin1(kIndexEnd) << pageFooter();
    return lines;
}

QString resultsIndexLine(const QString& fileName, const QString& htmlTitle, qint64 programNo)
{
    return QStringLiteral("<BR><A href=\"") + fileName + QStringLiteral("\">") + htmlTitle +
           QStringLiteral(" </A><!--") + QString::number(programNo) + QStringLiteral("-->");
}

QString groupIndexLine(const QString& groupFile, const QString& htmlTitle)
{
    return QStringLiteral("<BR><A href=\"") + groupFile + QStringLiteral("\">") + htmlTitle +
           QStringLiteral(" </A>");
}

qint64 programNoOfIndexLine(const QString& line)
{
    // "...</A><!--1234-->": read by hand, as it is asked of every line of an index for
    // every result published.
    QStringView rest = QStringView(line).trimmed();
    if (!rest.endsWith(u"-->"))
        return 0;
    rest.chop(3);
    qsizetype digits = 0;
    while (digits < rest.size() && rest[rest.size() - 1 - digits] >= u'0' &&
           rest[rest.size() - 1 - digits] <= u'9')
        ++digits;
    if (digits == 0 || !rest.chopped(digits).endsWith(u"<!--"))
        return 0;
    return rest.right(digits).toLongLong();
}

QString linkOfIndexLine(const QString& line)
{
    static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = href.match(line);
    return m.hasMatch() ? m.captured(1) : QString();
}

bool indexEntries(const QStringList& page, QStringList* entries, QString* error)
{
    Markers m;
    if (!findMarkers(page, &m, error))
        return false;
    *entries = page.mid(m.start + 1, m.end - m.start - 1);
    return true;
}

bool hasIndexMarkers(const QStringList& page, QString* error)
{
    Markers m;
    return findMarkers(page, &m, error);
}

bool addIndexLine(QStringList* page, const QString& line, bool* changed, QString* error,
                  bool sorted)
{
    Markers m;
    if (!findMarkers(*page, &m, error))
        return false;
    const auto first = page->cbegin() + m.start + 1;
    const auto last = page->cbegin() + m.end;
    // Lines kept in order take the new one in its place, where a line equal to it would be
    // among those that differ from it in case only; others are sorted whole.
    if (sorted || std::is_sorted(first, last, textBefore)) {
        const auto [from, to] = std::equal_range(first, last, line, textBefore);
        *changed = std::find(from, to, line) == to;
        if (*changed)
            page->insert(to - page->cbegin(), line);
        return true;
    }
    *changed = std::find(first, last, line) == last;
    if (*changed)
        putEntries(page, m, page->mid(m.start + 1, m.end - m.start - 1) << line);
    return true;
}

bool hasOtherResultsLine(const QStringList& page, qint64 programNo, const QString& line)
{
    Markers m;
    if (!findMarkers(page, &m, nullptr))
        return false;
    // Most lines end in their own "<!--N-->": a look at the tail rules them out.
    const QString tail =
        QStringLiteral("<!--") + QString::number(programNo) + QStringLiteral("-->");
    for (qsizetype i = m.start + 1; i < m.end; ++i) {
        const QString& l = page.at(i);
        if (l.isEmpty() || (!l.endsWith(tail) && !l.back().isSpace()))
            continue;
        if (l != line && programNoOfIndexLine(l) == programNo)
            return true;
    }
    return false;
}

bool removeResultsLine(QStringList* page, qint64 programNo, QString* error)
{
    Markers m;
    if (!findMarkers(*page, &m, error))
        return false;
    QStringList entries = page->mid(m.start + 1, m.end - m.start - 1);
    const qsizetype before = entries.size();
    entries.removeIf(
        [programNo](const QString& l) { return programNoOfIndexLine(l) == programNo; });
    if (entries.size() == before) {
        if (error)
            *error = QStringLiteral("Line not found in Index:") + QStringLiteral(" <!--") +
                     QString::number(programNo) + QStringLiteral("-->");
        return false;
    }
    putEntries(page, m, entries);
    return true;
}

} // namespace publish
