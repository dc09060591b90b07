#pragma once

#include "draw/events.h"
#include "meeting/itemtypes.h"
#include "support/testdatabase.h"

#include <memory>

// A database with one meeting of the swimming edition, its lanes and days set.
class DrawFixture : public testing_support::DatabaseTest {
protected:
    void SetUp() override;

    int createMeeting(int days, int lanes);
    qint64 addSelected(const QString& itemCode);
    // Sets the event's format and saves it as leaving the heat screen would.
    void saveFormat(qint64 eventNo, const QString& format);
    int heats(qint64 eventNo, const QString& round);

    int m_meetingNo = 0;
    std::unique_ptr<meeting::ItemTypes> m_items;
    std::unique_ptr<draw::Events> m_events;
};
