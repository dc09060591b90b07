#include "meeting/forms/editmeetingsform.h"

#include "base/forms/buttontips.h"

#include "base/forms/screensize.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/meetingdelete.h"
#include "meeting/datetext.h"
#include "meeting/forms/meetingdialog.h"
#include "meeting/meetingcreate.h"
#include "meeting/meetingidentity.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace meeting {

EditMeetingsForm::EditMeetingsForm(base::Run& run, QWidget* parent)
    : QDialog(parent), m_run(run), m_list(new QListWidget(this)), m_result(run.currentMeetingNo())
{
    setWindowTitle(QStringLiteral("Edit Meetings"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    auto* row = new QHBoxLayout;
    auto* edit = new QPushButton(QStringLiteral("&Edit Name and Date"), this);
    auto* remove = new QPushButton(QStringLiteral("&Delete"), this);
    auto* done = new QPushButton(QStringLiteral("Done"), this);
    edit->setToolTip(tr("Changes the name, venue and date of the selected meeting (or "
                        "double-click it)"));
    remove->setToolTip(tr("Deletes the selected meeting with all it holds, after asking"));
    done->setToolTip(base::closeTip());
    row->addWidget(edit);
    row->addWidget(remove);
    row->addStretch();
    row->addWidget(done);
    layout->addLayout(row);
    connect(edit, &QPushButton::clicked, this, &EditMeetingsForm::editSelected);
    connect(remove, &QPushButton::clicked, this, &EditMeetingsForm::deleteSelected);
    connect(done, &QPushButton::clicked, this, &EditMeetingsForm::accept);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &EditMeetingsForm::editSelected);
    base::resizeWithinDesktop(this, QSize(640, 420));
    refresh(run.currentMeetingNo());
}

void EditMeetingsForm::refresh(int selectMeetingNo)
{
    m_list->clear();
    for (const MeetingRow& row : listMeetings(*m_run.database())) {
        auto* item = new QListWidgetItem(row.oneLine, m_list);
        item->setData(Qt::UserRole, row.meetingNo);
        if (row.meetingNo == selectMeetingNo)
            m_list->setCurrentItem(item);
    }
    if (!m_list->currentItem() && m_list->count() > 0)
        m_list->setCurrentRow(0);
}

int EditMeetingsForm::selectedMeetingNo() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : 0;
}

void EditMeetingsForm::editSelected()
{
    const int no = selectedMeetingNo();
    if (no <= 0)
        return;
    db::DmdCoreDbs& database = *m_run.database();
    MeetingIdentity start;
    for (const MeetingRow& row : listMeetings(database))
        if (row.meetingNo == no)
            start = row.identity;
    MeetingDialog dialog(
        start,
        [&database, no](const MeetingIdentity& identity) {
            return checkMeetingIdentity(database, identity, no);
        },
        this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    updateMeetingIdentity(database, no, dialog.identity());
    refresh(no);
}

void EditMeetingsForm::deleteSelected()
{
    const int no = selectedMeetingNo();
    if (no <= 0 || !db::deleteMeeting(*m_run.database(), no))
        return;
    if (no == m_result)
        m_result = 0;
    refresh(m_result);
}

int openEditMeetings(QWidget* parent, base::Run& run)
{
    const int before = run.currentMeetingNo();
    EditMeetingsForm form(run, parent);
    form.exec();
    // Only the caller makes the editor's result current.
    if (run.currentMeetingNo() != before)
        run.messages().internalError(205701, QStringLiteral("Do not set meeting in EditMeetings"));
    return form.resultMeetingNo();
}

int openNewMeeting(QWidget* parent, base::Run& run)
{
    db::DmdCoreDbs& database = *run.database();
    MeetingDialog dialog(
        {QString(), QString(), dateText(QDate::currentDate())},
        [&database](const MeetingIdentity& identity) {
            return checkMeetingIdentity(database, identity);
        },
        parent);
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    return createMeeting(database, dialog.identity());
}

} // namespace meeting
