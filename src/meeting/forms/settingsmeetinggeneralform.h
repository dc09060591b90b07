#pragma once

#include "meeting/forms/columnsettingsform.h"
#include "meeting/meetingidentity.h"

class QLabel;

namespace meeting {

// "Settings: Meeting General": the meeting's date, name and venue, and how records are
// printed. "Done" saves.
class SettingsMeetingGeneralForm : public ColumnSettingsForm {
    Q_OBJECT
public:
    SettingsMeetingGeneralForm(shell::Run& run, QWidget* parent = nullptr);

    // Opens the dialog of a new meeting on the shown date, name and venue.
    void editIdentity();
    void setIdentity(const MeetingIdentity& identity);
    const MeetingIdentity& identity() const { return m_identity; }

    void accept() override;

private:
    void showIdentity();

    MeetingIdentity m_identity;
    QLabel* m_shown;
};

} // namespace meeting
