#pragma once

#include "sched/stationrows.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QTableWidget;

namespace base {
class Run;
}

namespace sched {

// "Scheduler": the rows of one station in a chosen order with their estimated durations;
// the time parameters and resting guidelines, packing the station from the selected row,
// shifting times, the day view and the clash checks.
class SchedulerForm : public QDialog {
    Q_OBJECT
public:
    SchedulerForm(base::Run& run, QWidget* parent = nullptr);

    void refresh();
    QTableWidget* table() const { return m_table; }
    QComboBox* orderBox() const { return m_order; }
    // Selects the row of a program row; false when it is not in the list.
    bool selectProgramRow(qint64 programNo);

    void editTimeParameters();
    void editRestGuidelines();
    // Asks the starting day and time and packs the station from the selected row.
    void pack();
    // Asks the minutes and shifts the station's times from the selected row.
    void shift();
    // Athletics: asks the day and time and starts every field station at random.
    void startFieldStations();
    void dayView();
    void analyzeClashes();

private:
    Station station() const;
    PackOrder order() const;
    qint64 currentProgramNo() const;

    base::Run& m_run;
    QComboBox* m_station;
    QComboBox* m_order;
    QLabel* m_summary;
    QTableWidget* m_table;
    QList<qint64> m_programNos;
};

// The scheduler of the current meeting; the program screen offers it.
void openScheduler(QWidget* parent, base::Run& run);

} // namespace sched
