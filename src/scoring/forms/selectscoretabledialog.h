#pragma once

#include <QDialog>

#include <functional>

class QComboBox;

namespace base {
class Run;
}

namespace scoring {

// "Select Score Table": the score table of the meeting's ordinary events. OK hands the
// chosen set to `keep`, which stores it or says why not; the dialog closes only when kept.
class SelectScoreTableDialog : public QDialog {
    Q_OBJECT
public:
    SelectScoreTableDialog(int current, std::function<bool(int set)> keep,
                           QWidget* parent = nullptr);

    QComboBox* sets() const { return m_sets; }
    int chosenSet() const;

private:
    QComboBox* m_sets = nullptr;
};

// The opener of the main screen's "Select Score Table": the dialog on the current meeting's
// set, stored in the meeting when kept.
void selectScoreTable(QWidget* parent, base::Run& run);

} // namespace scoring
