#include "meeting/forms/settingsmeetinggeneralform.h"

#include "base/forms/buttontips.h"

#include "base/run.h"
#include "meeting/forms/meetingdialog.h"
#include "meeting/meetingsettings.h"
#include "meeting/settingsscreens.h"

#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPixmap>
#include <QPushButton>

namespace meeting {

SettingsMeetingGeneralForm::SettingsMeetingGeneralForm(base::Run& run, QWidget* parent)
    : ColumnSettingsForm(run, QStringLiteral("Settings: Meeting General"), &saveGeneralSettings,
                         parent),
      m_identity{run.meeting().description(), run.meeting().venue(), run.meeting().theDate()},
      m_shown(new QLabel(this))
{
    auto* editButton = new QPushButton(QStringLiteral("Edit Date, Name and Venue"), this);
    editButton->setToolTip(tr("Changes the date, name and venue of the meeting"));
    connect(editButton, &QPushButton::clicked, this, &SettingsMeetingGeneralForm::editIdentity);
    auto* top = qobject_cast<QBoxLayout*>(layout());
    top->insertWidget(0, m_shown);
    top->insertWidget(1, editButton);
    auto* logos = new QHBoxLayout;
    logos->addWidget(createLogoBox(LogoSide::Meeting, QStringLiteral("Meeting logo (left)")));
    logos->addWidget(createLogoBox(LogoSide::School, QStringLiteral("School logo (right)")));
    top->insertLayout(2, logos);
    addChoice(QStringLiteral("PRINT_RECS_ONE_PER_LINE"),
              QStringLiteral("Print Records One-per-line ?"),
              {{QStringLiteral("No (normal)"), QStringLiteral("0")},
               {QStringLiteral("Yes"), QStringLiteral("1")}});
    load();
    showIdentity();
}

QWidget* SettingsMeetingGeneralForm::createLogoBox(LogoSide side, const QString& title)
{
    LogoBox& box = m_logos[index(side)];
    box.shown = reportLogo(*m_run.database(), m_run.currentMeetingNo(), side);
    auto* group = new QGroupBox(title, this);
    box.picture = new QLabel(group);
    box.picture->setFixedSize(160, 90);
    box.picture->setAlignment(Qt::AlignCenter);
    box.picture->setFrameShape(QFrame::StyledPanel);
    box.name = new QLabel(group);
    auto* load = new QPushButton(QStringLiteral("Load..."), group);
    auto* clear = new QPushButton(QStringLiteral("Clear"), group);
    load->setToolTip(tr("Chooses a picture to print at the top of every page"));
    clear->setToolTip(tr("Prints no picture here"));
    connect(load, &QPushButton::clicked, this, [this, side] { chooseLogo(side); });
    connect(clear, &QPushButton::clicked, this, [this, side] { clearLogo(side); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(load);
    buttons->addWidget(clear);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(box.picture);
    layout->addWidget(box.name);
    layout->addLayout(buttons);
    showLogo(side);
    return group;
}

void SettingsMeetingGeneralForm::showLogo(LogoSide side)
{
    LogoBox& box = m_logos[index(side)];
    QPixmap pixmap;
    if (!box.shown.isEmpty() && pixmap.loadFromData(box.shown.image))
        box.picture->setPixmap(
            pixmap.scaled(box.picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    else
        box.picture->setText(box.shown.isEmpty() ? QStringLiteral("No logo")
                                                 : QStringLiteral("(cannot be shown)"));
    box.name->setText(box.shown.fileName);
}

void SettingsMeetingGeneralForm::chooseLogo(LogoSide side)
{
    const QString path = m_run.messages().chooseFile(
        side == LogoSide::Meeting ? QStringLiteral("Meeting logo") : QStringLiteral("School logo"),
        QStringLiteral("Pictures (*.bmp *.jpg *.jpeg)"));
    if (path.isEmpty())
        return;
    const ReportLogo chosen = readLogoFile(*m_run.database(), path);
    if (chosen.isEmpty())
        return;
    m_logos[index(side)].shown = chosen;
    m_logos[index(side)].changed = true;
    showLogo(side);
}

void SettingsMeetingGeneralForm::clearLogo(LogoSide side)
{
    LogoBox& box = m_logos[index(side)];
    if (box.shown.isEmpty())
        return;
    box.shown = ReportLogo();
    box.changed = true;
    showLogo(side);
}

bool SettingsMeetingGeneralForm::saveLogos()
{
    for (LogoSide side : {LogoSide::Meeting, LogoSide::School}) {
        LogoBox& box = m_logos[index(side)];
        if (!box.changed)
            continue;
        const int meetingNo = m_run.currentMeetingNo();
        const bool saved = box.shown.isEmpty()
                               ? clearReportLogo(*m_run.database(), meetingNo, side)
                               : storeReportLogo(*m_run.database(), meetingNo, side, box.shown);
        if (!saved)
            return false;
        box.changed = false;
    }
    return true;
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
    base::Messages& messages = m_run.messages();
    MeetingDialog dialog(
        m_identity,
        [&messages](const MeetingIdentity& identity) {
            return checkMeetingSettingsIdentity(messages, identity);
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
    if (saveLogos() && saveGeneralSettings(m_run, all)) {
        QDialog::accept();
        return;
    }
    if (m_run.messages().confirm(QStringLiteral("Exit with errors")))
        QDialog::reject();
}

void SettingsMeetingGeneralForm::reject()
{
    if (!logosChanged()) {
        ColumnSettingsForm::reject();
        return;
    }
    // One question covers the logos and every other edit.
    if (m_run.messages().confirm(QStringLiteral("Lose edits")))
        QDialog::reject();
}

} // namespace meeting
