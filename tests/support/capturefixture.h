#pragma once

#include "draw/events.h"
#include "meeting/itemtypes.h"
#include "results/captureathletes.h"
#include "results/captureprogram.h"
#include "support/testdatabase.h"

#include <QList>
#include <QString>

#include <memory>

// A swimming gala with one team, made the run's current meeting, where heats are drawn
// by writing their rows directly, as a draw would leave them.
class CaptureFixture : public testing_support::DatabaseTest {
protected:
    void SetUp() override;

    qint64 addEvent(const QString& itemCode);
    qint64 addSwimmer(const QString& surname, int age = 13, int league = 1);
    // The final's entry of the swimmer, with its lane (0 for none).
    qint64 enter(qint64 eventNo, qint64 athleteNo, int lane = 0);
    // A heat of round `round` with its program row and one HEATPART row per swimmer, in
    // lanes 1, 2, 3 ... in the order given; each swimmer is entered in the event too.
    qint64 drawHeat(qint64 eventNo, const QString& round, int heatNo,
                    const QList<qint64>& swimmers);
    // The final with the swimmers in lanes 1, 2, 3 ...
    qint64 drawFinal(qint64 eventNo, const QList<qint64>& swimmers);
    // Swimmers "Swimmer 1" ... "Swimmer n".
    QList<qint64> swimmers(int n);

    results::CaptureProgramRow programRow(qint64 programNo);
    results::CaptureAthleteRow athleteIn(qint64 programNo, qint64 athleteNo);
    // The canonical text of a time of the item.
    QString time(const QString& itemCode, double seconds);
    // One column of the swimmer's row in the heat (or final).
    QString column(qint64 programNo, qint64 athleteNo, const QString& name);

    int m_meetingNo = 0;
    qint64 m_teamNo = 0;
    const meeting::ItemTypes* m_items = nullptr;
    std::unique_ptr<draw::Events> m_events;
    const QString m_free50 = QStringLiteral("FRE_____50M13W");
};
