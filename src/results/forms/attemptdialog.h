#pragma once

#include "results/attemptprompt.h"

#include <QDialog>

#include <functional>

class QLineEdit;

namespace results {

// "Edit Attempt": one attempt of a horizontal jump or throw, its mark (in the item's mask, or
// "X" for a foul and "-" for a pass) and, for jumps measured with wind, the wind. Which of
// the two it asks for follows the user's choice (WINDITEM_PROMPT_WHAT). "&Accept" hands the
// typed values to the check it was given; a refusal keeps the dialog open.
class AttemptDialog : public QDialog {
    Q_OBJECT
public:
    struct Setup {
        QString caption;    // "(4) Smith, Ann  attempt 3"
        QString mask;       // the item's performance mask
        QString formatName; // its description
        bool takesWind = false;
        AttemptPrompt prompt = AttemptPrompt::PerformanceAndWind;
        QString performance; // the attempt as it stands
        QString wind;
    };
    using Check = std::function<bool(const QString& performance, const QString& wind)>;

    AttemptDialog(const Setup& setup, Check check, QWidget* parent = nullptr);

    QLineEdit* performanceEdit() const { return m_performance; }
    QLineEdit* windEdit() const { return m_wind; }
    // What this dialog lets the official type.
    bool asksPerformance() const;
    bool asksWind() const;
    void accept() override;

private:
    Setup m_setup;
    Check m_check;
    QLineEdit* m_performance = nullptr;
    QLineEdit* m_wind = nullptr;
};

} // namespace results
