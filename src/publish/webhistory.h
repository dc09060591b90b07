#pragma once

#include <QString>

namespace publish {

class WebSite;

// "History_" + the day, the event and the round with its heat, joined by "_":
// History_1_12_F0.html for the final of event 12 on day 1.
QString historyFileName(int day, qint64 eventNo, const QString& round, int heatNo);

// The attempt history of a vertical-jump heat or final as a page of its day folder: lane,
// team and athlete, then one column per bar height with the athlete's marks at it. Refused
// with "This Event does not have History" for any other item or before a height is set.
bool publishHistory(WebSite& site, qint64 programNo);

} // namespace publish
