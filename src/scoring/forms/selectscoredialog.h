#pragma once

#include <QDialog>

class QListWidget;

namespace scoring {

// "Select score": the guide of score bands and the level of competition each stands for.
// Picking a band (Enter or a double click) hands back its lowest score; bands the score
// table does not admit cannot be picked.
class SelectScoreDialog : public QDialog {
    Q_OBJECT
public:
    explicit SelectScoreDialog(int set, QWidget* parent = nullptr);

    QListWidget* bands() const { return m_bands; }
    // The score of the band picked; 0 before one is.
    int chosenScore() const { return m_score; }

private:
    void pick();

    int m_set = 0;
    QListWidget* m_bands = nullptr;
    int m_score = 0;
};

} // namespace scoring
