#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Pages opened in headless Chromium, as a visitor of the site would open them.
namespace browser {

// Debian's chromium (or another Chromium on the path); empty when there is none.
QString chromiumPath();

// The document after the page was loaded and its scripts ran; empty with `error` set when
// the browser failed.
QString dumpDom(const QString& htmlFile, QString* error);

// The page laid out in a frame `width` pixels wide: the document's scroll width against
// the frame's width (a page wider than its frame scrolls sideways as a whole).
struct Layout {
    int scrollWidth = 0;
    int viewportWidth = 0;
    int widestTable = 0; // the widest table's own width
};
std::optional<Layout> layoutAtWidth(const QString& htmlFile, int width, QString* error);

// The cells of every table row of a dumped document, as text a person reads.
QList<QStringList> tableRows(const QString& dom);
// "href -> text" of every link.
QStringList links(const QString& dom);

} // namespace browser
