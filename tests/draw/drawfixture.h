#pragma once

#include "draw/events.h"
#include "meeting/itemtypes.h"
#include "meeting/lanesettings.h"
#include "meeting/meetingupdate.h"
#include "support/testdatabase.h"

#include <memory>

// A database with one meeting of the swimming edition, its lanes and days set, made the
// run's current meeting with its settings loaded.
class DrawFixture : public testing_support::DatabaseTest {
protected:
    void SetUp() override;

    int createMeeting(int days, int lanes);
    // The lanes of the current meeting as the run holds them.
    meeting::LaneSettings lanes() { return meeting::laneSettingsOf(run().meeting()); }
    // Changes the current meeting's settings the way the settings screens do.
    void changeMeeting(const meeting::ColumnValues& values)
    {
        ASSERT_TRUE(meeting::updateMeeting(run(), values));
    }
    qint64 addSelected(const QString& itemCode);
    // Sets the event's format and saves it as leaving the heat screen would.
    void saveFormat(qint64 eventNo, const QString& format);
    int heats(qint64 eventNo, const QString& round);
    // Enters `swimmers` nameless competitors into the final of the event, the first
    // `placed` of them with a place.
    void enter(qint64 eventNo, int swimmers, int placed = 0);

    int m_meetingNo = 0;
    const meeting::ItemTypes* m_items = nullptr; // the run's
    std::unique_ptr<draw::Events> m_events;
};
