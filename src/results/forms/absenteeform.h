#pragma once

#include "results/absentees.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;
class QSpinBox;
class QTableWidget;

namespace base {
class Run;
}

namespace results {

// "Awol": the athletes with entries and their absences (DNS and DNR, absolved, OIA), the
// entries of the selected athlete, and the rule's actions: the automatic tagging over the
// chosen range of sequences, tagging and untagging an athlete Awol or an entry OIA by hand,
// absolving and reverting, and the queue of heats to redraw or recalculate.
class AbsenteeForm : public QDialog {
    Q_OBJECT
public:
    enum Column { Surname, FirstName, Team, Awol, Dns, Dnsa, Oia, Items, FirstDns, ColumnCount };

    // `currentSeq`: the sequence of the event the capture screen shows.
    AbsenteeForm(base::Run& run, int currentSeq = 0, QWidget* parent = nullptr);

    void refresh();
    QTableWidget* athleteTable() const { return m_athletes; }
    QTableWidget* entryTable() const { return m_entries; }
    QComboBox* rangeBox() const { return m_range; }
    QSpinBox* specifiedBox() const { return m_specified; }
    QCheckBox* candidatesOnly() const { return m_candidatesOnly; }
    const QList<AwolAthlete>& shownAthletes() const { return m_shown; }
    bool selectAthlete(qint64 athleteNo);
    // The selected athlete; 0 when none.
    qint64 currentAthleteNo() const;

    // The range chosen on the screen, kept in the user options.
    AwolOptions options() const;
    void autoActions();
    void tagAwol(bool tag);
    void tagOia(bool tag);
    void absolve(bool absolve);
    void openQueue();

private:
    void fillEntries();
    const AwolAthlete* current() const;

    base::Run& m_run;
    int m_currentSeq;
    QList<AwolAthlete> m_all;
    QList<AwolAthlete> m_shown;
    QComboBox* m_range;
    QSpinBox* m_specified;
    QCheckBox* m_candidatesOnly;
    QTableWidget* m_athletes;
    QTableWidget* m_entries;
};

// "Awol Que": the queue with the placed and drawn counts of each heat, and its processing.
class AwolQueueForm : public QDialog {
    Q_OBJECT
public:
    explicit AwolQueueForm(base::Run& run, QWidget* parent = nullptr);
    void refresh();
    // Recalculates and redraws what is to do (a redraw asks as the draw menu does).
    void process();
    QTableWidget* table() const { return m_table; }

private:
    base::Run& m_run;
    QTableWidget* m_table;
};

void openAbsentees(QWidget* parent, base::Run& run, int currentSeq);

} // namespace results
