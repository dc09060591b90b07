#pragma once

#include "draw/drawinformation.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;
class QPushButton;
class QTableWidget;

namespace base {
class Run;
}

namespace draw {

class ListWindow;

// "Draw Athletes": the meeting's selected events with how far their draws have come, and
// the draws: all first rounds, all combined items, one round of the chosen event, clearing
// a round, and the "Draw Information" of a drawn round.
class DrawAthletesForm : public QDialog {
    Q_OBJECT
public:
    enum Column { Item, Format, Entries, LastDrawn, ColumnCount };

    DrawAthletesForm(base::Run& run, QWidget* parent = nullptr);

    void refresh();
    bool selectEvent(qint64 eventNo);
    void selectRound(const QString& round);

    void drawAllFirstRounds();
    void drawAllCombined();
    void drawRound();
    void clearRound();
    // The corrections of the chosen event and round, each on a screen of its own.
    void addLate();
    void hotSeats();
    void drawAlphabetical();
    void callRoomDraw();
    void drawManually();
    // Opens the listing of the chosen round; null when nothing is drawn.
    ListWindow* showDrawInformation();

    QTableWidget* table() const { return m_table; }
    QComboBox* roundBox() const { return m_round; }
    QCheckBox* detailsBox() const { return m_details; }

private:
    const EventDrawState* current() const;
    void fillRounds();

    base::Run& m_run;
    QList<EventDrawState> m_states;
    QTableWidget* m_table;
    QComboBox* m_round;
    QCheckBox* m_details;
};

void openDrawAthletes(QWidget* parent, base::Run& run);

} // namespace draw
