#include "meeting/lanesettings.h"

#include "meeting/meetingsettings.h"

namespace meeting {

LaneSettings laneSettingsOf(const meeting::MeetingSettings& meeting)
{
    const auto setting = [&meeting](const char* column) {
        return int(meeting.integer(QString::fromLatin1(column)));
    };
    LaneSettings lanes;
    lanes.dolvaneLaneCount = setting("DOLVANE_LANE_COUNT");
    lanes.track110 = setting("XCD_TRACKCOUNT_110M");
    lanes.track200 = setting("XCD_TRACKCOUNT_200M");
    lanes.track400 = setting("XCD_TRACKCOUNT_400M");
    lanes.long800 = setting("LONG_HEAT_ATHS_800M");
    lanes.long1500 = setting("LONG_HEAT_ATHS_1500M");
    lanes.long3000 = setting("LONG_HEAT_ATHS_3000M");
    lanes.long5000 = setting("LONG_HEAT_ATHS_5000M");
    return lanes;
}

} // namespace meeting
