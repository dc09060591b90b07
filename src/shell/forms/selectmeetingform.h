#pragma once

#include "shell/meetingchoice.h"

#include <QDialog>

class QTableWidget;

namespace shell {

// The list of meetings with the action "Use as \"Current Meeting\"". It returns the
// chosen number; the caller makes it current.
class SelectMeetingForm : public QDialog {
    Q_OBJECT
public:
    SelectMeetingForm(const QList<MeetingRow>& meetings, int currentMeetingNo, const QString& title,
                      QWidget* parent = nullptr);

    // The meeting picked; 0 when the screen was closed without a choice.
    int chosenMeetingNo() const { return m_chosen; }
    QTableWidget* table() const { return m_table; }
    // Picks the row of a meeting, as a click would.
    bool selectMeeting(int meetingNo);

public slots:
    void useAsCurrent();

private:
    QTableWidget* m_table;
    QList<MeetingRow> m_meetings;
    int m_chosen = 0;
};

} // namespace shell
