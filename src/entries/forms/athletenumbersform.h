#pragma once

#include "entries/athletenumbers.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QTableWidget;

namespace base {
class Run;
}

namespace entries {

// "Athlete Numbers": each team's lowest and highest numbers overall, of the males and of
// the females, with the athlete counts; renumbering of the selected team or of all teams.
class AthleteNumbersForm : public QDialog {
    Q_OBJECT
public:
    AthleteNumbersForm(base::Run& run, QWidget* parent = nullptr);

    void refresh();
    void renumberTeam();
    void renumberAll();
    QTableWidget* table() const { return m_table; }
    QLineEdit* teamFirst() const { return m_teamFirst; }
    QLineEdit* allFirst() const { return m_allFirst; }
    QLineEdit* gap() const { return m_gap; }
    const NumbersSummary& summary() const { return m_summary; }

private:
    base::Run& m_run;
    AthleteNumbers m_numbers;
    NumbersSummary m_summary;
    QTableWidget* m_table;
    QLabel* m_notIntegers;
    QLineEdit* m_teamFirst;
    QLineEdit* m_allFirst;
    QLineEdit* m_gap;
};

// Opens the screen when the meeting's athletes have numbers; the message otherwise.
void openAthleteNumbers(QWidget* parent, base::Run& run);

} // namespace entries
