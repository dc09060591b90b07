#include "placesfixture.h"

#include "meeting/meetingsettings.h"
#include "records/records.h"
#include "records/recordsets.h"
#include "results/qualifying.h"

namespace {

class QualifyingPlacesTest : public PlacesTest {};

TEST_F(QualifyingPlacesTest, SwimmersWhoMissTheFailingStandardAreLeftUnplaced)
{
    const QString item = "FRE____100M13W";
    const qint64 standard = records::RecordSets(database()).NewRecordSet({"Standard", "QS", ""});
    ASSERT_GT(records::Records(database(), run().items())
                  .NewRecord(standard, item, "1:20.00", {"Standard", "", "", ""}),
              0);
    const qint64 event = addEvent(item);
    const QList<qint64> keys = addFinal(event, {Swim("1:10.00"), Swim("1:30.00"), Swim("1:15.00")});

    // Without failing-standard sets there is no test and everyone is placed.
    EXPECT_FALSE(bool(results::meetingQualifyingTest(database(), run().items(), run().meeting())));
    ASSERT_TRUE(records::RecordSets(database()).selectForMeeting(m_meetingNo, standard, true, -1));
    ASSERT_TRUE(run().meeting().load(database(), m_meetingNo, run().meetingAges()));
    results::Places places(
        database(), run().items(), run().meeting(),
        results::meetingQualifyingTest(database(), run().items(), run().meeting()));
    ASSERT_TRUE(places.calcAndRefresh(finalRow(event)));
    EXPECT_EQ(this->places("F", keys), (QList<int>{1, 0, 2}));
    EXPECT_EQ(internalErrors(), 0) << errorTexts();
}

} // namespace
