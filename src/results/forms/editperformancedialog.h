#pragma once

#include "results/resultedit.h"

#include <QDialog>

#include <functional>

class QButtonGroup;
class QLabel;
class QLineEdit;

namespace results {

// "Edit Performance": edits one athlete's place, performance, status, reason, wind and
// third digit. "&Accept" hands the entry to the check it was given; a refusal keeps the
// dialog open. The caller stores what was accepted.
class EditPerformanceDialog : public QDialog {
    Q_OBJECT
public:
    // When the free reason is asked: "Never", "\"Disq\" only" or "Always".
    enum class ReasonPrompt { Never, DisqOnly, Always };
    struct Setup {
        QString caption;    // "(4) Smith, Ann"
        QString mask;       // the item's performance mask
        QString formatName; // its description
        bool windPerJump = false;
        bool placeRequired = false; // vertical jumps: their places are not calculated
        ReasonPrompt reasonPrompt = ReasonPrompt::DisqOnly;
    };
    using Check = std::function<bool(ResultEntry&)>;

    EditPerformanceDialog(const Setup& setup, const ResultEntry& entry, Check check,
                          QWidget* parent = nullptr);

    ResultEntry entry() const;
    void setStatus(int status);
    int status() const;
    QLineEdit* placeEdit() const { return m_place; }
    QLineEdit* performanceEdit() const { return m_performance; }
    QLineEdit* reasonEdit() const { return m_reason; }
    QLineEdit* digitEdit() const { return m_digit; }
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void updateReason();

    Setup m_setup;
    Check m_check;
    ResultEntry m_accepted;
    QLineEdit* m_place;
    QLineEdit* m_performance;
    QLineEdit* m_wind;
    QLineEdit* m_reason;
    QLineEdit* m_digit;
    QLabel* m_reasonLabel;
    QButtonGroup* m_statuses;
};

// The user option DISQ_REASON_WHEN_TO_PROMPT read by name; "\"Disq\" only" when unset.
EditPerformanceDialog::ReasonPrompt reasonPromptOf(const QString& stored);

} // namespace results
