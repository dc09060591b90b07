#pragma once

#include <QDialog>

#include <optional>

class QButtonGroup;

namespace base {
class Messages;
}

namespace results {

// "Disqualification type": one of the statuses 1 to 5 for the disqualify action. It only
// picks the code; the caller stores it.
class DisqualifyDialog : public QDialog {
    Q_OBJECT
public:
    explicit DisqualifyDialog(base::Messages& messages, QWidget* parent = nullptr);

    // The chosen code once accepted; 0 before.
    int chosenCode() const { return m_code; }
    // Checks the radio button of a code, as a click would.
    void choose(int code);
    void accept() override;
    void showHelp();

protected:
    // 1 to 5 (or F7 to F11) pick a type; Enter accepts the picked one.
    void keyPressEvent(QKeyEvent* event) override;

private:
    base::Messages& m_messages;
    QButtonGroup* m_group;
    int m_code = 0;
};

// The dialog run modally: the chosen code, or nothing when cancelled.
std::optional<int> SelectDisqStatus(base::Messages& messages, QWidget* parent = nullptr);

} // namespace results
