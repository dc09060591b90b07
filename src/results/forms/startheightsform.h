#pragma once

#include "results/startheights.h"

#include <QDialog>

class QTableWidget;

namespace base {
class Run;
}

namespace results {

// "Starting Heights": the meeting's high jumps and pole vaults, each with the bar it begins
// at. The height is typed in its cell (Enter or F2 edits); a height the item cannot take is
// refused with the message and the cell shows the stored one again. Opening the screen
// clears away the heights of events that no longer exist.
class StartHeightsForm : public QDialog {
    Q_OBJECT
public:
    // `eventNo` is the event whose row is current at first (0: the first).
    StartHeightsForm(base::Run& run, qint64 eventNo = 0, QWidget* parent = nullptr);

    QTableWidget* table() const { return m_table; }
    // The row of an event; -1 when it is not listed.
    int rowOf(qint64 eventNo) const;

private:
    void reload();
    void heightEdited(int row, int column);

    base::Run& m_run;
    StartHeights m_heights;
    QList<StartHeight> m_rows;
    QTableWidget* m_table = nullptr;
    bool m_filling = false;
};

// Opens the screen for the current meeting.
void openStartHeights(QWidget* parent, base::Run& run);

} // namespace results
