#pragma once

#include <QDialog>

class QListWidget;

namespace base {
class Run;
}

namespace meeting {

// "Edit Meetings": every meeting with its one-line description, latest first; edits a
// meeting's name, venue and date, or deletes it. Its result is the meeting that should be
// current afterwards (0 when the current one was deleted).
class EditMeetingsForm : public QDialog {
    Q_OBJECT
public:
    EditMeetingsForm(base::Run& run, QWidget* parent = nullptr);

    int resultMeetingNo() const { return m_result; }
    QListWidget* list() const { return m_list; }
    // The meeting of the selected line; 0 when none.
    int selectedMeetingNo() const;

    void editSelected();
    void deleteSelected();

private:
    void refresh(int selectMeetingNo);

    base::Run& m_run;
    QListWidget* m_list;
    int m_result;
};

// Opens the editor and returns the meeting that should be current.
int openEditMeetings(QWidget* parent, base::Run& run);
// The dialog of New Meeting; the new meeting's number, 0 when cancelled.
int openNewMeeting(QWidget* parent, base::Run& run);

} // namespace meeting
