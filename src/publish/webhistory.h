#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace base {
class Run;
}

namespace publish {

class WebSite;
struct EventResults;

// "History_" + the day, the event and the round with its heat, joined by "_":
// History_1_12_F0.html for the final of event 12 on day 1.
QString historyFileName(int day, qint64 eventNo, const QString& round, int heatNo);

// The attempt history of a vertical-jump heat or final as a page of its day folder: lane,
// team and athlete, then one column per bar height with the athlete's marks at it. Refused
// with "This Event does not have History" for any other item or before a height is set.
bool publishHistory(WebSite& site, qint64 programNo);

// The history page of a vertical-jump heat or final whose meeting keeps histories and that
// has its bar heights; empty (without a message) for any other.
std::optional<QStringList> historyPageLines(base::Run& run, const EventResults& event);
// The history page's name for the race of a program row.
QString historyFileName(const EventResults& event, int day);

// The line of a results page that links the race's history page. The history has no line
// of its own in the indexes: people reach it from the results page.
QString historyLinkLine(const QString& historyFile);
// The history pages that the results pages in `folder` link.
QStringList linkedHistoryPages(const QString& folder);

} // namespace publish
