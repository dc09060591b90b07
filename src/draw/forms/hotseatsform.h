#pragma once

#include "draw/drawinformation.h"
#include "draw/hotseats.h"

#include <QDialog>
#include <QList>

class QListWidget;

namespace base {
class Run;
}

namespace draw {

// "HotSeats": the drawn athletes of a later round beside the placed athletes of the round
// before who were not drawn, best first. A drawn athlete who cannot start is replaced by
// the chosen waiting one, who takes his heat and lane.
class HotSeatsForm : public QDialog {
    Q_OBJECT
public:
    HotSeatsForm(base::Run& run, qint64 eventNo, const QString& round, QWidget* parent = nullptr);

    // False when the round takes no hot seats (the message was shown).
    bool isOpen() const { return m_open; }
    QListWidget* drawnList() const { return m_drawnList; }
    QListWidget* waitingList() const { return m_waitingList; }
    const QList<HotSeat>& waiting() const { return m_waiting; }
    const QList<DrawnAthlete>& drawn() const { return m_drawn; }

    // Replaces the selected drawn athlete by the selected waiting one, after asking.
    bool replaceSelected();

private:
    void fill();

    base::Run& m_run;
    HotSeats m_seats;
    qint64 m_eventNo;
    QString m_round;
    bool m_open = false;
    QList<DrawnAthlete> m_drawn;
    QList<HotSeat> m_waiting;
    QListWidget* m_drawnList;
    QListWidget* m_waitingList;
};

void openHotSeats(QWidget* parent, base::Run& run, qint64 eventNo, const QString& round);

} // namespace draw
