#pragma once

namespace meeting {

class MeetingSettings;

// Lanes and heat sizes of a meeting, by distance. A setting of 0 is unset: the heat
// group's default then applies.
struct LaneSettings {
    int dolvaneLaneCount = 10;
    int track110 = 8;
    int track200 = 8;
    int track400 = 8;
    int long800 = 8;
    int long1500 = 8;
    int long3000 = 8;
    int long5000 = 8;
};

// The lane settings of the meeting whose settings these are.
LaneSettings laneSettingsOf(const meeting::MeetingSettings& meeting);

} // namespace meeting
