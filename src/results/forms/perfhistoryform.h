#pragma once

#include "results/attemptprompt.h"
#include "results/captureathletes.h"
#include "results/captureprogram.h"
#include "results/forms/runthroughpanel.h"
#include "results/perfhistory.h"

#include <QDialog>
#include <QHash>

class QCheckBox;
class QComboBox;
class QTableWidget;
class QLabel;

namespace base {
class Run;
}

namespace results {

// "Performance History for (...)": the athletes of one heat or final of a field item in lane
// order with their attempts (horizontal jumps and throws) or their marks at each bar height
// (vertical jumps), the buttons to add, edit and delete them, and "Calculate". Every change
// goes to the core at once; the grid is read again after it.
class PerfHistoryForm : public QDialog {
    Q_OBJECT
public:
    PerfHistoryForm(base::Run& run, const CaptureProgramRow& row, const FieldRace& race,
                    QWidget* parent = nullptr);

    QTableWidget* grid() const { return m_grid; }
    // The athlete of the grid's current row; 0 when none.
    qint64 currentAthlete() const;
    // The attempt number or height sequence of the current column; 0 on a fixed column.
    int currentSeq() const;

    void addAttempt();
    void editAttempt();
    void deleteAttempt();
    void addHeight();
    void deleteHeight();
    void editMarks();
    // The starting heights, this event's row current.
    void editStartHeight();
    void calculate();
    void reload();
    // Steps through the athletes and their attempts in competition order.
    void runThrough();
    RunThroughPanel* runThroughPanel() const { return m_runThrough; }
    // The user options the screen keeps: count-back by the old rule, and marks typed one
    // character at a time straight into the grid.
    QCheckBox* oldRuleBox() const { return m_oldRule; }
    QCheckBox* charByCharBox() const { return m_charByChar; }
    // What the attempt dialog asks for, on jumps measured with wind.
    QComboBox* attemptPromptBox() const { return m_attemptPrompt; }

    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool vertical() const;
    // The grid's current cell follows the run-through's athlete and attempt.
    void showStep();
    // One key typed on a height cell in the character-by-character mode; true when used.
    bool typeMarkKey(int key, const QString& text);
    bool takesWind() const;
    AttemptPrompt attemptPrompt() const;
    // The attempt dialog on attempt `seq` of an athlete (the next one to add it).
    void editAttemptAt(qint64 athlete, int seq);
    // Whether the grid still shows what is stored for the athlete (for vertical jumps: the
    // heights, and the marks at `heightSeq` when given); when not, the grid is read again.
    bool stillInSync(qint64 athlete, int heightSeq = 0);

    base::Run& m_run;
    CaptureProgramRow m_row;
    FieldRace m_race;
    PerfHistory m_history;
    QList<CaptureAthleteRow> m_athletes;
    QList<BarHeight> m_heights;
    // The attempts as the grid shows them, by athlete.
    QHash<qint64, QList<Attempt>> m_shownAttempts;
    QTableWidget* m_grid = nullptr;
    RunThroughPanel* m_runThrough = nullptr;
    QCheckBox* m_oldRule = nullptr;
    QCheckBox* m_charByChar = nullptr;
    QComboBox* m_attemptPrompt = nullptr;
};

} // namespace results
