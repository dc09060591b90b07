#pragma once

#include <QString>

namespace db {
class DmdCoreDbs;
}
namespace base {
class Messages;
}

namespace draw {

// Draws a final alphabetically (cross-country fields with many athletes): lanes 1, 2, 3,
// ... by surname and first name (by team name first with `teamFirst`), places and
// performances cleared, disqualified athletes not drawn. The number drawn, or -1 when
// refused or cancelled.
int drawAlphabetically(db::DmdCoreDbs& database, base::Messages& messages, qint64 eventNo,
                       bool teamFirst);

} // namespace draw
