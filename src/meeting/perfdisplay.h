#pragma once

#include <QString>

namespace meeting {

// A stored performance as people write it: the zero hours and minutes and the padding zeros
// in front dropped ("00:29.30" -> "29.30", "0:01:05.20" -> "1:05.20", "05.20" -> "5.20",
// "00345" -> "345"); the value is unchanged. Anything that is not a performance (a status,
// blanks, a broken text) is returned as it is.
QString performanceForDisplay(const QString& stored);

} // namespace meeting
