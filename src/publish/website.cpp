#include "publish/website.h"

#include "base/messages.h"
#include "base/run.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "publish/htmlpage.h"
#include "publish/meetingreads.h"
#include "publish/pagewriter.h"
#include "publish/textfile.h"
#include "publish/webindex.h"
#include "publish/weblayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace publish {

namespace {

const QString kDayStyle = QStringLiteral("../") + QString::fromLatin1(kStyleSheetName);

// "007_SHD____100M19_A3_1234.html" -> "SHD____100M19".
QString itemCodeOfResultsFile(const QString& fileName)
{
    QStringList parts = fileName.chopped(5).split(QLatin1Char('_'));
    if (parts.size() < 4)
        return QString();
    return parts.mid(1, parts.size() - 3).join(QLatin1Char('_'));
}

// The title of a page as its head holds it (HTML).
QString htmlTitleOf(const QStringList& lines)
{
    for (const QString& l : lines) {
        if (l.startsWith(QLatin1String("<title>")) && l.endsWith(QLatin1String("</title>")))
            return l.mid(7, l.size() - 15);
    }
    return QString();
}

} // namespace

WebSite::WebSite(base::Run& run, const QString& root)
    : m_run(run), m_settings(PublishSettings::read(run.config()))
{
    m_root = root.isEmpty() ? m_settings.webRoot : root;
    m_root = QDir::cleanPath(m_root.trimmed());
    if (m_root == QLatin1String("."))
        m_root.clear();
}

WebSite::~WebSite() = default;

WebSite::WebSite(WebSite&&) noexcept = default;

base::Messages& WebSite::messages()
{
    return m_run.messages();
}

QString WebSite::meetingHeading() const
{
    return QStringLiteral("Results for: ") + m_run.meeting().description();
}

std::shared_ptr<MeetingReads> WebSite::reads()
{
    if (m_heldReads)
        return m_heldReads;
    return std::make_shared<MeetingReads>(m_run);
}

void WebSite::holdReads()
{
    // Held, the reading is of the whole meeting: the heats come on a second connection.
    m_heldReads = std::make_shared<MeetingReads>(m_run, true);
}

void WebSite::releaseReads()
{
    m_heldReads.reset();
}

bool WebSite::checkRoot()
{
    if (m_root.isEmpty()) {
        messages().warning(QStringLiteral("Web root folder is empty"));
        return false;
    }
    if (!QFileInfo(m_root).isDir()) {
        messages().warning(QStringLiteral("The root folder MUST already exist: ") + m_root);
        return false;
    }
    QString error;
    if (!ensureStyleSheet(m_root, &error)) {
        messages().warning(QStringLiteral("File could not be created:") + QStringLiteral("\r") +
                           QDir(m_root).filePath(QString::fromLatin1(kStyleSheetName)) +
                           QStringLiteral("\r") + error);
        return false;
    }
    return true;
}

QString WebSite::dayFolderPath(int day) const
{
    return QDir(m_root).filePath(dayFolderName(day));
}

QString WebSite::dayFolder(int day)
{
    // A batch looks at each folder once, not once for each of its pages.
    if (m_batching) {
        const auto known = m_dayFolders.constFind(day);
        if (known != m_dayFolders.cend())
            return *known;
    }
    const QString path = dayFolderPath(day);
    if (!QFileInfo(path).isDir() && !QDir().mkpath(path)) {
        messages().warning(QStringLiteral("File could not be created:") + QStringLiteral("\r") +
                           path);
        return QString();
    }
    if (m_batching)
        m_dayFolders.insert(day, path);
    return path;
}

void WebSite::warnNotWritten(const QString& path, const QString& error)
{
    messages().warning(QStringLiteral("File could not be created:") + QStringLiteral("\r") + path +
                       QStringLiteral("\r") + error);
}

bool WebSite::writePage(const QString& path, const QStringList& lines)
{
    if (m_writer)
        return m_writer->write(path, lines); // a failure is told when the batch ends
    QString error;
    if (writeTextFile(path, lines, &error))
        return true;
    warnNotWritten(path, error);
    return false;
}

bool WebSite::readIndex(const QString& path, PendingPage* page)
{
    if (m_batching) {
        const auto pending = m_pending.constFind(path);
        if (pending != m_pending.constEnd()) {
            *page = *pending;
            return true;
        }
    }
    page->path = path;
    page->changed = false;
    QStringList lines;
    if (readTextFile(path, &lines)) {
        page->index = IndexPage(std::move(lines));
        return true;
    }
    messages().warning(QStringLiteral("Index file not found: ") + path);
    return false;
}

bool WebSite::putIndex(const PendingPage& page)
{
    if (!m_batching)
        return !page.changed || writePage(page.path, page.index.lines());
    if (!m_pending.contains(page.path))
        m_pendingOrder << page.path;
    m_pending.insert(page.path, page);
    return true;
}

void WebSite::dropPending(const QString& folder)
{
    const QString prefix = QDir(folder).filePath(QString());
    m_loaded.removeIf([&](const auto& held) { return held.key().startsWith(prefix); });
    m_pendingOrder.removeIf([&](const QString& path) {
        if (!path.startsWith(prefix))
            return false;
        m_pending.remove(path);
        return true;
    });
}

void WebSite::beginIndexBatch(bool writeBehind)
{
    m_batching = true;
    m_dayFolders.clear();
    if (writeBehind)
        m_writer = std::make_unique<PageWriter>();
}

bool WebSite::endIndexBatch()
{
    bool ok = true;
    if (m_writer) {
        const PageWriter::Outcome outcome = m_writer->finish();
        m_writer.reset();
        if (!outcome.failedPath.isEmpty()) {
            ok = recoverIndexes(outcome.written);
            warnNotWritten(outcome.failedPath, outcome.error);
            ok = false;
        }
        m_deferred.clear();
        m_editsLeft.clear();
        m_original.clear();
    }
    m_batching = false;
    m_dayFolders.clear();
    m_loaded.clear();
    for (const QString& path : std::as_const(m_pendingOrder)) {
        const PendingPage& page = m_pending[path];
        ok = (!page.changed || writePage(page.path, page.index.lines())) && ok;
    }
    m_pending.clear();
    m_pendingOrder.clear();
    return ok;
}

bool WebSite::loadIndex(const QString& path, const QString& heading, const QString& orderedBy,
                        PendingPage* page)
{
    if (m_batching && m_pending.contains(path))
        return readIndex(path, page);
    page->path = path;
    page->changed = false;
    const bool rebuilt = !m_rebuilding.isEmpty() && QFileInfo(path).path() == m_rebuilding;
    if (!rebuilt && QFileInfo::exists(path))
        return readIndex(path, page);
    page->index =
        IndexPage(newIndexPage({heading, orderedBy, false}, kDayStyle, m_settings.autoRefresh));
    page->changed = true;
    return true;
}

WebSite::PendingPage* WebSite::heldIndex(const QString& path)
{
    if (m_batching) {
        const auto held = m_pending.find(path);
        if (held != m_pending.end())
            return &*held;
    }
    const auto loaded = m_loaded.find(path);
    return loaded != m_loaded.end() ? &*loaded : nullptr;
}

bool WebSite::indexResults(int day, const QString& fileName, const QString& htmlTitle,
                           qint64 programNo, const QString& itemCode,
                           const std::function<bool()>& beforeWrite)
{
    const QString folder = dayFolder(day);
    if (folder.isEmpty())
        return false;
    const ItemIndexes& item = itemIndexes(folder, itemCode);
    const QString line = resultsIndexLine(fileName, htmlTitle, programNo);
    const QList<IndexEdit> edits{{item.sequencePath, line, true},
                                 {item.groupPath, line, true},
                                 {item.itemIndexPath, item.groupLine, false}};
    const auto heading = [&](qsizetype i) -> std::pair<QString, QString> {
        if (i == 1)
            return {item.groupHeading, QString()};
        return {meetingHeading(),
                i == 0 ? QStringLiteral("Program Sequence") : QStringLiteral("Item Type")};
    };
    // Everything is checked before anything changes: a batch's pages are changed where they
    // are held, so a refusal must find them as they were.
    const auto refused = [this] {
        if (!m_batching)
            m_loaded.clear();
        return false;
    };
    for (qsizetype i = 0; i < edits.size(); ++i) {
        const QString& path = edits[i].path;
        PendingPage* page = heldIndex(path);
        if (!page) {
            PendingPage fresh;
            const auto [title, orderedBy] = heading(i);
            if (!loadIndex(path, title, orderedBy, &fresh))
                return refused();
            page = &*m_loaded.insert(path, fresh);
        }
        QString error;
        if (!page->index.hasMarkers(&error)) {
            messages().warning(error + QStringLiteral("\r") + path);
            return refused();
        }
    }
    if (beforeWrite && !beforeWrite())
        return refused();
    if (m_writer) {
        // The lines go in now; should the page not be written after all, endIndexBatch()
        // makes the pages again with the lines of the pages written only.
        m_deferred.append({m_writer->taken(), programNo, edits});
        if (!applyIndexEdits(programNo, edits))
            return false;
        writeFinishedIndexes(edits);
        return true;
    }
    const bool ok = applyIndexEdits(programNo, edits);
    if (!m_batching)
        m_loaded.clear();
    return ok;
}

bool WebSite::applyIndexEdits(qint64 programNo, const QList<IndexEdit>& edits)
{
    for (const IndexEdit& e : edits) {
        // A page is held by the batch once changed; before that it waits among the loaded.
        const bool held = m_batching && m_pending.contains(e.path);
        PendingPage fresh = held ? PendingPage() : m_loaded.take(e.path);
        if (!held && m_writer && !m_original.contains(e.path)) {
            PendingPage before = fresh;
            before.changed = false; // written again only when a line of a written page changes it
            m_original.insert(e.path, before);
        }
        PendingPage& page = held ? m_pending[e.path] : fresh;
        if (e.replaces && page.index.hasOtherResultsLine(programNo, e.line)) {
            page.index.removeResultsLines(programNo, nullptr);
            page.changed = true;
        }
        bool added = false;
        QString error;
        if (!page.index.add(e.line, &added, &error)) {
            messages().warning(error + QStringLiteral("\r") + e.path);
            return false;
        }
        page.changed = page.changed || added;
        if (!held && !putIndex(fresh))
            return false;
    }
    return true;
}

const WebSite::ItemIndexes& WebSite::itemIndexes(const QString& folder, const QString& itemCode)
{
    const QString key = folder + QLatin1Char('|') + itemCode;
    auto known = m_itemIndexes.constFind(key);
    if (known != m_itemIndexes.cend())
        return *known;
    const meeting::ItemTypes& items = m_run.items();
    const QString groupFile = groupFileName(items, itemCode);
    const QString description = items.ItemDescription(itemCode, false);
    const QDir dir(folder);
    return *m_itemIndexes.insert(key, {dir.filePath(QString::fromLatin1(kSequenceIndex)),
                                       dir.filePath(groupFile),
                                       dir.filePath(QString::fromLatin1(kItemIndex)),
                                       groupIndexLine(groupFile, htmlEscaped(description)),
                                       QStringLiteral("Results for: ") + description});
}

void WebSite::planIndexResults(const QList<std::pair<int, QString>>& dayAndItem)
{
    if (!m_writer)
        return;
    for (const auto& [day, itemCode] : dayAndItem) {
        const ItemIndexes& item = itemIndexes(dayFolderPath(day), itemCode);
        for (const QString* path : {&item.sequencePath, &item.groupPath, &item.itemIndexPath})
            ++m_editsLeft[*path];
    }
}

void WebSite::writeFinishedIndexes(const QList<IndexEdit>& edits)
{
    for (const IndexEdit& e : edits) {
        const auto left = m_editsLeft.find(e.path);
        if (left == m_editsLeft.end() || --*left != 0)
            continue;
        const auto page = m_pending.find(e.path);
        if (page == m_pending.end() || !page->changed)
            continue;
        // Behind the results pages whose lines it holds: when one of them fails, the writer
        // stops before this page.
        if (m_writer->write(page->path, page->index.lines()))
            page->changed = false;
    }
}

bool WebSite::recoverIndexes(int written)
{
    for (auto original = m_original.cbegin(); original != m_original.cend(); ++original)
        m_pending.insert(original.key(), *original);
    for (const DeferredEdits& d : std::as_const(m_deferred)) {
        if (d.pages > written)
            break;
        if (!applyIndexEdits(d.programNo, d.edits))
            return false;
    }
    return true;
}

bool WebSite::unindexResults(int day, qint64 programNo, const QString& itemCode)
{
    const QString folder = dayFolderPath(day);
    const QString groupFile = groupFileName(m_run.items(), itemCode);
    QList<PendingPage> pages;
    for (const QString& name : {QString::fromLatin1(kSequenceIndex), groupFile}) {
        PendingPage page;
        if (!readIndex(QDir(folder).filePath(name), &page))
            return false;
        QString error;
        if (!page.index.removeResultsLines(programNo, &error)) {
            messages().warning(error + QStringLiteral("\r") + page.path);
            return false;
        }
        page.changed = true;
        pages << page;
    }
    // Once the item has nothing published left, its group page and its line in the item
    // index go too: a link to an empty page helps no one.
    QStringList left;
    const bool groupEmpty = indexEntries(pages[1].index.lines(), &left, nullptr) && left.isEmpty();
    const QString itemIndex = QDir(folder).filePath(QString::fromLatin1(kItemIndex));
    if (groupEmpty) {
        PendingPage items;
        QStringList lines;
        if (QFileInfo::exists(itemIndex) && readIndex(itemIndex, &items) &&
            removeLinkLine(&(lines = items.index.lines()), groupFile)) {
            items.index = IndexPage(lines);
            items.changed = true;
            pages << items;
        }
    }
    // The page goes first: when it cannot, no index has changed yet.
    if (groupEmpty && !QFile::remove(pages[1].path)) {
        messages().warning(QStringLiteral("File could not be deleted: ") + pages[1].path);
        return false;
    }
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (!(groupEmpty && i == 1) && !putIndex(pages[i]))
            return false;
    }
    return true;
}

bool WebSite::checkAutoRefresh()
{
    const int now = m_settings.autoRefresh ? 1 : 0;
    if (m_settings.lastAutoRefresh == now)
        return true;
    const bool firstTime = m_settings.lastAutoRefresh < 0;
    if (!firstTime)
        messages().information(QStringLiteral("Switch AutoRefreshing for the Indexfiles ") +
                               (now ? QStringLiteral("ON") : QStringLiteral("OFF")));
    const QStringList days =
        QDir(m_root).entryList({QStringLiteral("Day*")}, QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& d : days) {
        bool ok = false;
        const int day = d.mid(3).toInt(&ok);
        if (ok && day > 0 && !rebuildDayIndexes(day))
            return false;
    }
    m_settings.lastAutoRefresh = now;
    return m_run.config().writeInt(QStringLiteral("LAST_AUTO_REFRESH_INDEXES"), now);
}

bool WebSite::rebuildDayIndexes(int day)
{
    const QDir folder(dayFolderPath(day));
    if (!folder.exists())
        return true;
    struct Published {
        QString file;
        QString title;
        qint64 programNo;
        QString itemCode;
    };
    QList<Published> published;
    for (const QString& name : folder.entryList({QStringLiteral("*.html")}, QDir::Files)) {
        const std::optional<qint64> programNo = programNoOfResultsFile(name);
        QStringList lines;
        if (!programNo || !readTextFile(folder.filePath(name), &lines))
            continue;
        published.append({name, htmlTitleOf(lines), *programNo, itemCodeOfResultsFile(name)});
    }
    // The new pages are made in memory from nothing, then replace the old ones together:
    // until every new page is written the old ones stay as they were.
    const QStringList oldGroups = folder.entryList({QStringLiteral("Group_*.html")}, QDir::Files);
    dropPending(folder.path());
    const bool wasBatching = m_batching;
    m_batching = true;
    m_rebuilding = folder.path();
    // An empty day keeps its two indexes: the master index links them.
    PendingPage seq, grp;
    bool ok = loadIndex(folder.filePath(QString::fromLatin1(kSequenceIndex)), meetingHeading(),
                        QStringLiteral("Program Sequence"), &seq) &&
              loadIndex(folder.filePath(QString::fromLatin1(kItemIndex)), meetingHeading(),
                        QStringLiteral("Item Type"), &grp) &&
              putIndex(seq) && putIndex(grp);
    for (const Published& p : std::as_const(published)) {
        ok = ok && indexResults(day, p.file, p.title, p.programNo, p.itemCode);
    }
    m_rebuilding.clear();
    m_batching = wasBatching;
    if (!m_batching)
        m_dayFolders.clear();
    const QString prefix = folder.filePath(QString());
    // Pages read as made from nothing must not stand for the files after the rebuild.
    m_loaded.removeIf([&](const auto& held) { return held.key().startsWith(prefix); });
    QList<TextFileContent> pages;
    m_pendingOrder.removeIf([&](const QString& path) {
        if (!path.startsWith(prefix))
            return false;
        pages.append({path, m_pending.take(path).index.lines()});
        return true;
    });
    if (!ok)
        return false;
    QString failed, error;
    if (!writeTextFiles(pages, &failed, &error)) {
        warnNotWritten(failed, error);
        return false;
    }
    // The group pages of items without a results page left go.
    for (const QString& name : oldGroups) {
        const QString path = folder.filePath(name);
        if (std::none_of(pages.cbegin(), pages.cend(),
                         [&](const TextFileContent& page) { return page.path == path; }))
            QFile::remove(path);
    }
    return true;
}

} // namespace publish
