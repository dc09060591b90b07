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

// Index lines are in order as text, case not counting. Lines are mostly plain ASCII with a
// long common start, so that part is compared here and the rest, from the first other
// character, by the full comparison (which folds case one character at a time, as here).
bool textBefore(const QString& a, const QString& b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        char16_t x = a[i].unicode();
        char16_t y = b[i].unicode();
        if (x >= 0x80 || y >= 0x80)
            return QStringView(a).mid(i).compare(QStringView(b).mid(i), Qt::CaseInsensitive) < 0;
        if (x >= 'A' && x <= 'Z')
            x += 'a' - 'A';
        if (y >= 'A' && y <= 'Z')
            y += 'a' - 'A';
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
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

bool removeResultsLine(QStringList* page, qint64 programNo, QString* error)
{
    IndexPage index(std::move(*page));
    const bool removed = index.removeResultsLines(programNo, error);
    *page = index.lines();
    return removed;
}

IndexPage::IndexPage(QStringList lines) : m_lines(std::move(lines))
{
    takeStock();
}

void IndexPage::takeStock()
{
    Markers m;
    m_resultsLines.clear();
    if (!findMarkers(m_lines, &m, nullptr)) {
        m_start = m_end = -1;
        return;
    }
    m_start = m.start;
    m_end = m.end;
    const auto first = m_lines.cbegin() + m_start + 1;
    const auto last = m_lines.cbegin() + m_end;
    m_sorted = std::is_sorted(first, last, textBefore);
    for (auto l = first; l != last; ++l) {
        if (const qint64 programNo = programNoOfIndexLine(*l))
            m_resultsLines[programNo] << *l;
    }
}

bool IndexPage::hasMarkers(QString* error) const
{
    if (m_start >= 0)
        return true;
    if (error)
        *error = QStringLiteral("End of index not found");
    return false;
}

void IndexPage::putEntries(QStringList entries)
{
    std::sort(entries.begin(), entries.end(), textBefore);
    m_lastLine.clear();
    QStringList out = m_lines.mid(0, m_start + 1);
    out << entries << m_lines.mid(m_end);
    m_lines = out;
    takeStock();
}

bool IndexPage::add(const QString& line, bool* changed, QString* error)
{
    if (!hasMarkers(error))
        return false;
    // The heats of an event come one after the other and add the same line to their item's
    // index: found once, it is known to be there.
    if (line == m_lastLine) {
        *changed = false;
        return true;
    }
    m_lastLine = line;
    const auto first = m_lines.cbegin() + m_start + 1;
    const auto last = m_lines.cbegin() + m_end;
    if (m_sorted && (first == last || textBefore(*(last - 1), line))) {
        // After the last line: the pages of a run come in the order of their lines.
        *changed = true;
        m_lines.insert(m_end, line);
        ++m_end;
    } else if (m_sorted) {
        // In its place, where a line equal to it would be among those that differ from it
        // in case only.
        const auto [from, to] = std::equal_range(first, last, line, textBefore);
        *changed = std::find(from, to, line) == to;
        if (*changed) {
            m_lines.insert(to - m_lines.cbegin(), line);
            ++m_end;
        }
    } else {
        *changed = std::find(first, last, line) == last;
        if (*changed)
            putEntries(m_lines.mid(m_start + 1, m_end - m_start - 1) << line);
        return true;
    }
    if (*changed) {
        if (const qint64 programNo = programNoOfIndexLine(line))
            m_resultsLines[programNo] << line;
    }
    return true;
}

bool IndexPage::hasOtherResultsLine(qint64 programNo, const QString& line) const
{
    const auto lines = m_resultsLines.constFind(programNo);
    return lines != m_resultsLines.cend() &&
           std::any_of(lines->cbegin(), lines->cend(), [&](const QString& l) { return l != line; });
}

bool IndexPage::removeResultsLines(qint64 programNo, QString* error)
{
    if (!hasMarkers(error))
        return false;
    if (!m_resultsLines.contains(programNo)) {
        if (error)
            *error = QStringLiteral("Line not found in Index:") + QStringLiteral(" <!--") +
                     QString::number(programNo) + QStringLiteral("-->");
        return false;
    }
    QStringList entries = m_lines.mid(m_start + 1, m_end - m_start - 1);
    entries.removeIf(
        [programNo](const QString& l) { return programNoOfIndexLine(l) == programNo; });
    putEntries(entries);
    return true;
}

bool removeLinkLine(QStringList* page, const QString& link)
{
    Markers m;
    if (!findMarkers(*page, &m, nullptr))
        return false;
    // Taking lines out keeps the rest in the order it was.
    qsizetype removed = 0;
    for (qsizetype i = m.end - 1; i > m.start; --i) {
        if (linkOfIndexLine(page->at(i)) == link) {
            page->removeAt(i);
            ++removed;
        }
    }
    return removed > 0;
}

} // namespace publish
