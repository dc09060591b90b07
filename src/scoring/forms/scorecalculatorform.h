#pragma once

#include "scoring/report.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace base {
class Run;
}

namespace scoring {

// The score calculator: a score set, an item, the height above the sea and hand or electronic
// timing; then a performance's table score ("Calculate Table Score", never clamped) or the
// performance worth a score ("Calculate Performance"), with the corrections applied.
class ScoreCalculatorForm : public QDialog {
    Q_OBJECT
public:
    explicit ScoreCalculatorForm(base::Run& run, QWidget* parent = nullptr);

    QComboBox* sets() const { return m_sets; }
    QLineEdit* item() const { return m_item; }
    QLineEdit* height() const { return m_height; }
    QCheckBox* hand() const { return m_hand; }
    QLineEdit* performance() const { return m_perf; }
    QLineEdit* score() const { return m_score; }
    QString result() const;

    void calculateTableScore();
    void calculatePerformance();
    // "Select score": the guide of score bands; the band picked fills the score.
    void selectScore();
    // A score filled in from the guide, with the performance it is worth when an item is
    // typed.
    void useScore(int score);
    // "Print Score Table": the table of the items asked for under this set, height and
    // timing, shown to print; empty after the message when it is refused.
    void printScoreTable();
    std::optional<Report> scoreTable(const QStringList& itemCodes, int from, int to, int step);

private:
    base::Run& m_run;
    QComboBox* m_sets = nullptr;
    QLineEdit* m_item = nullptr;
    QLineEdit* m_height = nullptr;
    QCheckBox* m_hand = nullptr;
    QLineEdit* m_perf = nullptr;
    QLineEdit* m_score = nullptr;
    QLabel* m_result = nullptr;
    QLabel* m_handCorrection = nullptr;
    QLabel* m_altitudeCorrection = nullptr;
};

} // namespace scoring
