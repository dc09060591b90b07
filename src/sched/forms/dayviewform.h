#pragma once

#include "sched/dayplan.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class QScrollArea;
class QTableWidget;

namespace base {
class Run;
}

namespace sched {

class DayTimeline;

// "Day View": the program rows of one day as blocks on a time line; choosing a swimmer
// colours their events and marks each rest between them against the resting guidelines,
// with the list of those rests beside it, shortest rest first.
class DayViewForm : public QDialog {
    Q_OBJECT
public:
    DayViewForm(base::Run& run, QWidget* parent = nullptr);

    void showDay(int day);
    // 0 shows nobody.
    void showAthlete(qint64 athleteNo);
    DayTimeline* timeline() const { return m_timeline; }
    QTableWidget* rests() const { return m_rests; }
    QComboBox* swimmers() const { return m_swimmer; }
    QString summary() const;

private:
    void refreshMarks();
    // Enter in the swimmer box: the first swimmer whose name holds the typed text.
    void chooseTypedSwimmer();
    // "40 rows from 09:00 to 12:07."
    QString daySpan() const;

    base::Run& m_run;
    std::unique_ptr<DayPlan> m_plan;
    QComboBox* m_day;
    QComboBox* m_swimmer;
    QLabel* m_summary;
    QScrollArea* m_scroll;
    DayTimeline* m_timeline;
    QTableWidget* m_rests;
    bool m_emptyGuidelinesShown = false;
};

void openDayView(QWidget* parent, base::Run& run);

} // namespace sched
