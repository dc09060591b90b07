#pragma once

#include "publish/publishsettings.h"
#include "publish/webindex.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace base {
class Messages;
class Run;
} // namespace base

namespace publish {

class PageWriter;

// The folder tree of the web site under its root: the checks of the root, the day folders,
// the pages written whole, and the three kinds of index kept line by line.
class MeetingReads;

class WebSite {
public:
    // `root` stands in for the stored web root (the command line's --web-root).
    explicit WebSite(base::Run& run, const QString& root = QString());
    ~WebSite();
    WebSite(WebSite&&) noexcept;

    base::Run& run() { return m_run; }
    base::Messages& messages();
    PublishSettings& settings() { return m_settings; }
    const PublishSettings& settings() const { return m_settings; }
    const QString& root() const { return m_root; }

    // The root must be named and exist: "Web root folder is empty", "The root folder MUST
    // already exist: ". The shared style sheet is put into it.
    bool checkRoot();
    QString dayFolderPath(int day) const;
    // The day folder, made when missing; empty after "File could not be created:".
    QString dayFolder(int day);
    // Writes a page whole (or leaves the old one): "File could not be created:" + path.
    // In a batch that writes behind, the page is only handed to the writer (see
    // beginIndexBatch).
    bool writePage(const QString& path, const QStringList& lines);

    // When the refresh setting differs from the one the indexes were written with, says
    // "Switch AutoRefreshing for the Indexfiles ON/OFF" and rebuilds the indexes of every
    // day folder with the new header.
    bool checkAutoRefresh();
    // The day's sequence index, item index and group pages written anew from the results
    // pages in its folder. The old pages are replaced only once all the new ones are
    // written: a failure leaves them as they were.
    bool rebuildDayIndexes(int day);

    // Adds a results page to the day's sequence index and its item's group page, and the
    // group page to the item index; the index files are made when missing. Everything is
    // worked out before anything is written: a broken index writes nothing.
    // `beforeWrite` is called once the indexes are known good (the page itself is written
    // there); false from it stops the work.
    bool indexResults(int day, const QString& fileName, const QString& htmlTitle, qint64 programNo,
                      const QString& itemCode, const std::function<bool()>& beforeWrite = {});
    // Removes the program row's lines from the sequence index and from the group page.
    bool unindexResults(int day, qint64 programNo, const QString& itemCode);

    // For work over many results: from here the index pages are read once, changed in
    // memory and written by endIndexBatch(), each page once (still line by line: a line is
    // added only when absent). Pages already written stay written when a later one fails.
    // With `writeBehind` the pages themselves go to a writer thread (writePage returns at
    // once) while the next ones are made; their index lines go in at once and each index
    // page follows the last results page it lists to the writer (see planIndexResults).
    // A page that cannot be written stops the writing: it and the pages after it get no
    // file, and endIndexBatch() makes the index pages the writer did not reach again with
    // the lines of the pages written only.
    void beginIndexBatch(bool writeBehind = false);
    // The results pages the batch is about to index (their day and item), so that in a
    // batch that writes behind each index page goes to the writer as soon as its last
    // line of the batch is in, instead of all of them after the last results page.
    void planIndexResults(const QList<std::pair<int, QString>>& dayAndItem);
    bool endIndexBatch();

    // "Results for: " + the meeting's description.
    QString meetingHeading() const;

    // The meeting as the pages are made from it. While reads are held (holdReads() until
    // releaseReads(), or a ReadsHeld in scope) every page shares one reading; otherwise
    // each call reads afresh, so a page never shows what changed since an earlier one.
    std::shared_ptr<MeetingReads> reads();
    // The reading held by the run; null when none is held.
    MeetingReads* heldReads() const { return m_heldReads.get(); }
    void holdReads();
    void releaseReads();
    class ReadsHeld {
    public:
        explicit ReadsHeld(WebSite& site) : m_site(site), m_own(!site.m_heldReads)
        {
            if (m_own)
                site.holdReads();
        }
        ~ReadsHeld()
        {
            if (m_own)
                m_site.releaseReads();
        }
        ReadsHeld(const ReadsHeld&) = delete;
        ReadsHeld& operator=(const ReadsHeld&) = delete;

    private:
        WebSite& m_site;
        bool m_own;
    };

private:
    struct PendingPage {
        QString path;
        IndexPage index;
        bool changed = false;
    };
    // A line going into an index page; `replaces`: a line of the same program row under an
    // older title gives way.
    struct IndexEdit {
        QString path;
        QString line;
        bool replaces = false;
    };
    // The edits of a page written behind, put in once the first `pages` pages are written.
    struct DeferredEdits {
        int pages = 0;
        qint64 programNo = 0;
        QList<IndexEdit> edits;
    };
    // The index page held by the batch or read for the edits at hand; null when neither.
    PendingPage* heldIndex(const QString& path);
    bool applyIndexEdits(qint64 programNo, const QList<IndexEdit>& edits);
    // What the results pages of an item in a day folder take into the indexes: the paths of
    // the sequence index, the item's group page and the item index, the group page's line
    // in the item index and its heading. Made once a site.
    struct ItemIndexes {
        QString sequencePath;
        QString groupPath;
        QString itemIndexPath;
        QString groupLine;
        QString groupHeading;
    };
    const ItemIndexes& itemIndexes(const QString& folder, const QString& itemCode);
    // Hands the batch's index pages that take no more edits to the writer.
    void writeFinishedIndexes(const QList<IndexEdit>& edits);
    // After the writer stopped at a page that failed: the index pages it did not write are
    // made again from what they were with the lines of the pages written only.
    bool recoverIndexes(int written);
    void warnNotWritten(const QString& path, const QString& error);
    // The index page at `path`, or a new one with `heading` when there is none.
    bool loadIndex(const QString& path, const QString& heading, const QString& orderedBy,
                   PendingPage* page);
    // The page from the batch when it holds it, else from its file.
    bool readIndex(const QString& path, PendingPage* page);
    // Writes the page now, or keeps it for the end of the batch.
    bool putIndex(const PendingPage& page);
    // Forgets the batch's pages under `folder` (they are about to be rebuilt).
    void dropPending(const QString& folder);

    base::Run& m_run;
    bool m_batching = false;
    QHash<QString, PendingPage> m_pending;
    QStringList m_pendingOrder;                // the order the pages were first changed in
    QString m_rebuilding;                      // the day folder whose indexes are made from nothing
    QHash<QString, PendingPage> m_loaded;      // read and checked, not changed yet
    QHash<int, QString> m_dayFolders;          // day -> its folder, known to be there (in a batch)
    QHash<QString, ItemIndexes> m_itemIndexes; // "folder|item code" -> its index edits
    std::unique_ptr<PageWriter> m_writer;
    QList<DeferredEdits> m_deferred;
    // A batch that writes behind changes its index pages at once and hands each to the
    // writer after its last planned edit; a page that fails undoes that from here.
    QHash<QString, int> m_editsLeft;        // index page -> planned edits still to come
    QHash<QString, PendingPage> m_original; // index page -> as it was before the batch
    PublishSettings m_settings;
    QString m_root;
    std::shared_ptr<MeetingReads> m_heldReads;
};

} // namespace publish
