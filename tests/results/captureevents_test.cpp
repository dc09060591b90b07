#include "support/testdatabase.h"

#include "db/dbevents.h"
#include "results/captureevents.h"

#include <QDateTime>

using CaptureEventsTest = testing_support::DatabaseTest;

TEST_F(CaptureEventsTest, CaptureScreensRegisterOnlyWhenTheSettingIsOn)
{
    db::DbEventListener listener(database());
    EXPECT_FALSE(results::registerCaptureEvents(run(), listener));
    run().config().writeInt("GDB_TRIGGERS_ACTIVE", 0);
    EXPECT_FALSE(results::registerCaptureEvents(run(), listener));
    EXPECT_FALSE(listener.isRegistered());

    run().config().writeInt("GDB_TRIGGERS_ACTIVE", 1);
    EXPECT_TRUE(results::registerCaptureEvents(run(), listener));
    EXPECT_TRUE(listener.isRegistered());
    EXPECT_FALSE(m_sink.saw("seconds to prepare"));

    // A slow start is reported: each look at the clock is a minute and a bit later.
    QDateTime fake = QDateTime::currentDateTime();
    run().setClock([&fake] { return fake = fake.addSecs(61); });
    EXPECT_TRUE(results::registerCaptureEvents(run(), listener));
    EXPECT_TRUE(m_sink.saw("It took 61 seconds to prepare for Firebird database triggers.\r"
                           "If you want to, you can switch of the triggers"));
}
