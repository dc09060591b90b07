#include "draw/meetingvalues.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

namespace draw {

MeetingValues readMeetingValues(db::DmdCoreDbs& database, int meetingNo)
{
    MeetingValues values;
    values.meetingNo = meetingNo;
    db::Query q = database.openQuery(
        QStringLiteral("select DAY_COUNT, ROUND_SEQ_SAME, HAS_CATEGORIES, RESULTS_HAS_REVISIONS, "
                       "AGE_DESC_TYPE, DOLVANE_LANE_COUNT, XCD_TRACKCOUNT_110M, "
                       "XCD_TRACKCOUNT_200M, XCD_TRACKCOUNT_400M, LONG_HEAT_ATHS_800M, "
                       "LONG_HEAT_ATHS_1500M, LONG_HEAT_ATHS_3000M, LONG_HEAT_ATHS_5000M "
                       "from MEETING where MEETINGNO = ") +
        db::sqlInt(meetingNo));
    if (!q.isOpen() || q.isEmpty())
        return values;
    q.first();
    values.exists = true;
    // Unset lane columns stay unset (0): the heat group's default then applies.
    values.dayCount = int(q.integer("DAY_COUNT"));
    values.roundSeqSame = q.integer("ROUND_SEQ_SAME") == 1;
    values.hasCategories = q.integer("HAS_CATEGORIES") == 1;
    values.resultsHaveRevisions = q.integer("RESULTS_HAS_REVISIONS") == 1;
    values.ageDescType = int(q.integer("AGE_DESC_TYPE"));
    LaneSettings& l = values.lanes;
    l.dolvaneLaneCount = int(q.integer("DOLVANE_LANE_COUNT"));
    l.track110 = int(q.integer("XCD_TRACKCOUNT_110M"));
    l.track200 = int(q.integer("XCD_TRACKCOUNT_200M"));
    l.track400 = int(q.integer("XCD_TRACKCOUNT_400M"));
    l.long800 = int(q.integer("LONG_HEAT_ATHS_800M"));
    l.long1500 = int(q.integer("LONG_HEAT_ATHS_1500M"));
    l.long3000 = int(q.integer("LONG_HEAT_ATHS_3000M"));
    l.long5000 = int(q.integer("LONG_HEAT_ATHS_5000M"));
    return values;
}

} // namespace draw
