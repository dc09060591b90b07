#pragma once

#include "draw/programorder.h"
#include "draw/programrelease.h"
#include "meeting/itemtypes.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QTableWidget;

namespace base {
class Run;
}

namespace draw {

// "3. Program": the program of rounds and heats in one of its orders, with breaks shown
// after their row, and the editing of days, times, sequence numbers and pits.
class ProgramForm : public QDialog {
    Q_OBJECT
public:
    // A screen of a higher area that the program screen offers (the scheduler), wired in by
    // the desktop program.
    using Opener = std::function<void(QWidget* parent, base::Run& run)>;

    ProgramForm(base::Run& run, QWidget* parent = nullptr, Opener openScheduler = {});

    void refresh();
    QTableWidget* table() const { return m_table; }
    ProgramOrder order() const;

    void editRow();
    void renumber();
    void shiftTimes();
    void shiftSequence();
    void moveRestOfDay();
    void addBreak();
    void cascade();
    void settings();
    // The manual draw menu, on the selected heat's round.
    void drawManually();
    void scheduler();
    // Release, retract and revise the selected heat's draw or results.
    void setReleased(Publication what, bool release);
    void incrementRevision(Publication what);
    // The selected row's placed count, or the whole meeting's.
    void updatePlacedCounts(bool all);
    void comparePlacedCounts(bool errorsOnly);

private:
    qint64 currentProgramNo() const;

    base::Run& m_run;
    const meeting::ItemTypes& m_items;
    int m_meetingNo;
    QList<qint64> m_programNos; // per table row; 0 for a break's row
    QTableWidget* m_table;
    QComboBox* m_order;
    QComboBox* m_day;
    Opener m_openScheduler;
};

// `openCheckLists` adds "Errors and Checklists" (an area above the program).
void openProgram(QWidget* parent, base::Run& run, ProgramForm::Opener openScheduler = {},
                 const ProgramForm::Opener& openCheckLists = {});

} // namespace draw
