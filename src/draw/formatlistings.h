#pragma once

#include "meeting/lanesettings.h"

#include <QStringList>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
}
namespace base {
class Messages;
}

namespace draw {

class HeatGroups;

// The short name of a heat group as the listings show it.
QString heatGroupName(int group);

// The listings of the heat-format rules. Each returns the lines of a list window whose
// title the caller shows.
namespace formatlistings {

inline const QString kRulesTitle = QStringLiteral("The formats of the WorldAth rules");
inline const QString kGroupsTitle =
    QStringLiteral("Items and their format group in the WorldAth rules");
inline const QString kTracksTitle =
    QStringLiteral("Number of Tracks for Events preseneted at this Meeting");
inline const QString kTracksSubtitle = QStringLiteral("As specified by the WorldAth rules");
inline const QString kErrorsTitle = QStringLiteral("Heat format errors");

// For the sprints, middle and long distances, the high jump and the throws: the
// proposed format for every step of one heat more, at the meeting's lanes.
QStringList rulesFormats(base::Messages& messages, const meeting::LaneSettings& lanes);
// Every athletics item with its heat group.
QStringList itemGroups(base::Messages& messages);
// The athletes per heat of every track item the meeting offers; empty (after the
// message) when there is none.
QStringList meetingTracks(db::DmdCoreDbs& database, const HeatGroups& groups, int meetingNo);
// The lane and athlete check of every selected event's saved format, after the warning
// that the saved formats are checked; `*cancelled` when the user stopped there.
QStringList formatErrors(db::DmdCoreDbs& database, const HeatGroups& groups, int meetingNo,
                         bool* cancelled);

} // namespace formatlistings

} // namespace draw
