#pragma once

#include "draw/latedraw.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace base {
class Run;
}

namespace draw {

// "Athletes NOT Drawn": the event's athletes without a heat in the first round, put one by
// one into a heat and a free lane (lane 0 allowed) as late entries. The lanes in use of
// the chosen heat are shown beside it.
class LateAthleteForm : public QDialog {
    Q_OBJECT
public:
    LateAthleteForm(base::Run& run, qint64 eventNo, QWidget* parent = nullptr);

    // False when the event has no first round to add to (the message was shown).
    bool isOpen() const { return m_open; }
    QListWidget* athletes() const { return m_athletes; }
    QComboBox* heats() const { return m_heats; }
    QLineEdit* laneEdit() const { return m_lane; }
    QLabel* lanesLabel() const { return m_lanesInUse; }
    const QList<UndrawnAthlete>& undrawn() const { return m_undrawn; }

    // Adds the selected athlete to the chosen heat and typed lane; closes the screen with
    // "All Athletes taken care of. Exiting." after the last one.
    bool addSelected();

private:
    void fillAthletes();
    void showLanes();

    base::Run& m_run;
    LateDraw m_draw;
    bool m_open = false;
    QList<UndrawnAthlete> m_undrawn;
    QListWidget* m_athletes;
    QComboBox* m_heats;
    QLabel* m_lanesInUse;
    QLineEdit* m_lane;
};

// Opens the screen for the event when it has athletes to add.
void openLateAthletes(QWidget* parent, base::Run& run, qint64 eventNo);

} // namespace draw
