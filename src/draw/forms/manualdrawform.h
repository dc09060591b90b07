#pragma once

#include "draw/manualdraw.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QTableWidget;

namespace base {
class Run;
}

namespace draw {

// What the manual draw screen is opened for, as the menu offers it.
enum class ManualAction { SelectAndDraw, EditLanes, SwapSameTeam, SwapAny, Clear };

// The action texts of "Draw Athletes Manually:  Menu", in the order of ManualAction.
QStringList manualActionTexts();

// The manual draw of one round: the event's athletes with where they came from and where
// they are in this round. Select and draw, edit heats and lanes, swap two athletes, or clear
// the draw, as the chosen action allows; the work is done by ManualDraw.
class ManualDrawForm : public QDialog {
    Q_OBJECT
public:
    ManualDrawForm(base::Run& run, qint64 eventNo, const QString& round, ManualAction action,
                   QWidget* parent = nullptr);

    // False when the round could not be opened (the reason was shown).
    bool isOpen() const { return m_open; }
    ManualAction action() const { return m_action; }
    QTableWidget* table() const { return m_table; }
    const ManualDraw& manualDraw() const { return m_draw; }
    // The seed of the next draw; the clock's by default.
    void setSeed(quint32 seed) { m_seed = seed; }

    void refresh();
    // The work-table row of the current line; -1 when none.
    int currentRow() const;
    void selectLine(qint64 athleteNo);

    void toggleSelected();
    void selectPlacesAndPerformances();
    void drawSelected();
    // "Edit Lane": asks heat and lane of the current athlete.
    void editLane();
    // Sets heat and lane of the current athlete as typed (what the edit dialog hands back).
    bool setHeatLane(const QString& heat, const QString& lane);
    void verify();
    void acceptEdits();
    void swap();
    void clearDraw();
    // The draw check and the draw summary of the event, in list windows.
    void showDrawCheck();
    void showDrawSummary();

public slots:
    // Leaving with edits not accepted asks "OK to lose edits".
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool allowed(ManualAction needed, const QString& what);

    base::Run& m_run;
    ManualDraw m_draw;
    ManualAction m_action;
    bool m_open = false;
    quint32 m_seed;
    QLabel* m_title;
    QComboBox* m_order;
    QComboBox* m_heat; // "Round" or one heat
    QTableWidget* m_table;
    QList<int> m_lineRows;        // work-table row of each line
    QList<qint64> m_lineAthletes; // and its athlete
};

// Asks heat and lane together, as typed; the caller checks and stores them.
bool askHeatLane(QWidget* parent, const QString& who, QString* heat, QString* lane);

} // namespace draw
