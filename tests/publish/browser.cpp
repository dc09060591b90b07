#include "browser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace browser {

namespace {

QString plain(QString html)
{
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    html.remove(tags);
    html.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    html.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    html.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    html.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    html.replace(QStringLiteral("&#39;"), QStringLiteral("'"));
    html.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return html.simplified();
}

QString run(const QStringList& extra, const QString& url, QString* error)
{
    const QString chromium = chromiumPath();
    if (chromium.isEmpty()) {
        *error = QStringLiteral("no chromium on this computer");
        return QString();
    }
    QTemporaryDir profile;
    QProcess p;
    QStringList args{QStringLiteral("--headless"),
                     QStringLiteral("--no-sandbox"),
                     QStringLiteral("--disable-gpu"),
                     QStringLiteral("--no-first-run"),
                     QStringLiteral("--allow-file-access-from-files"),
                     QStringLiteral("--user-data-dir=") + profile.path(),
                     QStringLiteral("--virtual-time-budget=5000")};
    args << extra << QStringLiteral("--dump-dom") << url;
    p.start(chromium, args);
    if (!p.waitForFinished(90000) || p.exitCode() != 0) {
        p.kill();
        p.waitForFinished();
        *error = QStringLiteral("chromium failed: ") + QString::fromUtf8(p.readAllStandardError());
        return QString();
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

QString chromiumPath()
{
    for (const char* name : {"chromium", "chromium-browser", "google-chrome"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

QString dumpDom(const QString& htmlFile, QString* error)
{
    return run({QStringLiteral("--window-size=1280,900")},
               QStringLiteral("file://") + QFileInfo(htmlFile).absoluteFilePath(), error);
}

std::optional<Layout> layoutAtWidth(const QString& htmlFile, int width, QString* error)
{
    // Headless windows are at least 500 pixels wide, so the page goes into a frame of the
    // wanted width beside it; the frame measures as a phone's screen would.
    const QFileInfo page(htmlFile);
    const QString frame = page.absoluteDir().filePath(QStringLiteral("zz_layout_probe.html"));
    QFile f(frame);
    if (!f.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("cannot write the probe page");
        return std::nullopt;
    }
    f.write(QStringLiteral(
                "<html><body style=\"margin:0\"><iframe id=\"f\" src=\"%1\" "
                "style=\"width:%2px;height:800px;border:0\"></iframe><script>"
                "document.getElementById('f').onload = function() {"
                " var d = this.contentDocument; var widest = 0;"
                " d.querySelectorAll('table').forEach(function(t) {"
                "  widest = Math.max(widest, t.getBoundingClientRect().width); });"
                " document.body.insertAdjacentHTML('beforeend', '<pre id=\"probe\">' +"
                "  d.documentElement.scrollWidth + ' ' + this.contentWindow.innerWidth + ' ' +"
                "  Math.round(widest) + '</pre>'); };</script></body></html>")
                .arg(page.fileName())
                .arg(width)
                .toUtf8());
    f.close();
    const QString dom =
        run({QStringLiteral("--window-size=1280,900")}, QStringLiteral("file://") + frame, error);
    QFile::remove(frame);
    static const QRegularExpression probe(
        QStringLiteral("<pre id=\"probe\">(\\d+) (\\d+) (\\d+)</pre>"));
    const QRegularExpressionMatch m = probe.match(dom);
    if (!m.hasMatch()) {
        if (error->isEmpty())
            *error = QStringLiteral("the probe did not report: ") + dom.left(400);
        return std::nullopt;
    }
    return Layout{m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()};
}

QList<QStringList> tableRows(const QString& dom)
{
    static const QRegularExpression rowPattern(QStringLiteral("<tr[^>]*>(.*?)</tr>"),
                                               QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression cellPattern(QStringLiteral("<t[dh][^>]*>(.*?)</t[dh]>"),
                                                QRegularExpression::DotMatchesEverythingOption);
    QList<QStringList> rows;
    for (const QRegularExpressionMatch& r : rowPattern.globalMatch(dom)) {
        QStringList cells;
        for (const QRegularExpressionMatch& c : cellPattern.globalMatch(r.captured(1)))
            cells << plain(c.captured(1));
        rows << cells;
    }
    return rows;
}

QStringList links(const QString& dom)
{
    static const QRegularExpression link(QStringLiteral("<a href=\"([^\"]*)\"[^>]*>(.*?)</a>"),
                                         QRegularExpression::DotMatchesEverythingOption |
                                             QRegularExpression::CaseInsensitiveOption);
    QStringList out;
    for (const QRegularExpressionMatch& m : link.globalMatch(dom))
        out << m.captured(1) + QStringLiteral(" -> ") + plain(m.captured(2));
    return out;
}

} // namespace browser
