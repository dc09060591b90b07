#pragma once

#include "draw/events.h"
#include "support/testdatabase.h"

#include <QTime>

#include <memory>

// A swimming meeting of two days made the run's current meeting, with helpers that place
// events at times and put swimmers into finals and heats the way entries and draws do.
class SchedFixture : public testing_support::DatabaseTest {
protected:
    void SetUp() override;

    // A selected event with its final (and the heats of `format`).
    qint64 addEvent(const QString& itemCode, const QString& format = QString());
    // A program row of another station, as an athletics pit would have it.
    qint64 addFieldEvent(const QString& itemCode, const QString& pit, int estimated);
    qint64 programNo(qint64 eventNo, const QString& round = QStringLiteral("F"), int heat = 0);
    void setSlot(qint64 programNo, int day, const QString& time);
    // "1 10:05:00" of a program row.
    QString slotOf(qint64 programNo);
    qint64 addSwimmer(const QString& surname, const QString& firstName = QStringLiteral("Ann"));
    // An entry (the final's competitors).
    void enter(qint64 athleteNo, qint64 eventNo);
    // A competitor drawn into a heat of an earlier round.
    void drawIntoHeat(qint64 athleteNo, qint64 eventNo, const QString& round, int heat);
    // Stores the "Fast" time parameters and resting guidelines.
    void useFastPresets();
    void setConfigOther(const QString& text);
    QString configOther();

    int m_meetingNo = 0;
    std::unique_ptr<draw::Events> m_events;
};
