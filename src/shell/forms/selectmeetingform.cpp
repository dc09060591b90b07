#include "shell/forms/selectmeetingform.h"

#include "base/forms/buttontips.h"
#include "base/forms/screensize.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace shell {

SelectMeetingForm::SelectMeetingForm(const QList<MeetingRow>& meetings, int currentMeetingNo,
                                     const QString& title, QWidget* parent)
    : QDialog(parent), m_meetings(meetings)
{
    setWindowTitle(title + QStringLiteral(" :  Select Meeting"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Select the meeting to work on:"), this));
    m_table = new QTableWidget(int(meetings.size()), 4, this);
    m_table->setHorizontalHeaderLabels({QStringLiteral("No"), QStringLiteral("Description"),
                                        QStringLiteral("Venue"), QStringLiteral("Date")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    for (int row = 0; row < meetings.size(); ++row) {
        const MeetingRow& m = meetings[row];
        const QStringList cells{QString::number(m.meetingNo), m.description, m.venue, m.date};
        for (int column = 0; column < cells.size(); ++column)
            m_table->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    layout->addWidget(m_table);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* use = buttons->addButton(QStringLiteral("Use as \"Current Meeting\""),
                                          QDialogButtonBox::AcceptRole);
    use->setToolTip(
        QStringLiteral("Makes the selected meeting the one to work on (or double-click its row)"));
    buttons->addButton(QDialogButtonBox::Cancel);
    base::explainButtons(buttons);
    layout->addWidget(buttons);
    connect(use, &QPushButton::clicked, this, &SelectMeetingForm::useAsCurrent);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &SelectMeetingForm::useAsCurrent);
    if (!selectMeeting(currentMeetingNo) && !meetings.isEmpty())
        m_table->selectRow(0);
    base::resizeWithinDesktop(this, QSize(640, 360));
}

bool SelectMeetingForm::selectMeeting(int meetingNo)
{
    for (int row = 0; row < m_meetings.size(); ++row) {
        if (m_meetings[row].meetingNo == meetingNo) {
            m_table->selectRow(row);
            return true;
        }
    }
    return false;
}

void SelectMeetingForm::useAsCurrent()
{
    const int row = m_table->currentRow();
    if (row < 0 || row >= m_meetings.size())
        return;
    m_chosen = m_meetings[row].meetingNo;
    accept();
}

} // namespace shell
