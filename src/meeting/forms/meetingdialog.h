#pragma once

#include "meeting/meetingidentity.h"

#include <QDialog>

#include <functional>

class QLineEdit;

namespace meeting {

// "Create a new meeting": name, venue and date. Its accept runs the given check (which
// shows its own messages) and stays open while the check refuses, in the refused field.
class MeetingDialog : public QDialog {
    Q_OBJECT
public:
    using Check = std::function<bool(const MeetingIdentity&)>;
    MeetingDialog(const MeetingIdentity& start, Check check, QWidget* parent = nullptr);

    MeetingIdentity identity() const;
    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* venueEdit() const { return m_venue; }
    QLineEdit* dateEdit() const { return m_date; }

    void accept() override;

private:
    // After a refusal the user goes on in the field that was refused.
    void focusRefusedField();

    Check m_check;
    QLineEdit* m_name;
    QLineEdit* m_venue;
    QLineEdit* m_date;
};

} // namespace meeting
