#include "meeting/forms/settingsmeetinggeneralform.h"

#include "meeting/forms/meetingdialog.h"
#include "meeting/meetingsettings.h"
#include "meeting/settingsscreens.h"
#include "shell/run.h"

#include <QLabel>
#include <QLayout>
#include <QPushButton>

namespace meeting {

SettingsMeetingGeneralForm::SettingsMeetingGeneralForm(shell::Run& run, QWidget* parent)
    : ColumnSettingsForm(run, QStringLiteral("Settings: Meeting General"), &saveGeneralSettings,
                         parent),
      m_identity{run.meeting().description(), run.meeting().venue(), run.meeting().theDate()},
      m_shown(new QLabel(this))
{
    auto* editButton = new QPushButton(QStringLiteral("Edit Date, Name and Venue"), this);
    connect(editButton, &QPushButton::clicked, this, &SettingsMeetingGeneralForm::editIdentity);
    auto* top = qobject_cast<QBoxLayout*>(layout());
    top->insertWidget(0, m_shown);
    top->insertWidget(1, editButton);
    addChoice(QStringLiteral("PRINT_RECS_ONE_PER_LINE"),
              QStringLiteral("Print Records One-per-line ?"),
              {{QStringLiteral("No (normal)"), QStringLiteral("0")},
               {QStringLiteral("Yes"), QStringLiteral("1")}});
    load();
    showIdentity();
}

void SettingsMeetingGeneralForm::showIdentity()
{
    m_shown->setText(QStringLiteral("Date:  ") + m_identity.date + QStringLiteral("\nName:  ") +
                     m_identity.name + QStringLiteral("\nVenue:  ") + m_identity.venue);
}

void SettingsMeetingGeneralForm::setIdentity(const MeetingIdentity& identity)
{
    m_identity = identity;
    showIdentity();
}

void SettingsMeetingGeneralForm::editIdentity()
{
    shell::Messages& messages = m_run.messages();
    MeetingDialog dialog(
        m_identity,
        [&messages](const MeetingIdentity& identity) {
            return checkMeetingIdentityFields(messages, identity);
        },
        this);
    if (dialog.exec() == QDialog::Accepted)
        setIdentity(dialog.identity());
}

void SettingsMeetingGeneralForm::accept()
{
    ColumnValues all{{QStringLiteral("DESCRIPTION"), m_identity.name},
                     {QStringLiteral("VENUE"), m_identity.venue},
                     {QStringLiteral("THEDATE"), m_identity.date}};
    all.append(values());
    if (saveGeneralSettings(m_run, all)) {
        QDialog::accept();
        return;
    }
    if (m_run.messages().confirm(QStringLiteral("Exit with errors")))
        QDialog::reject();
}

} // namespace meeting
