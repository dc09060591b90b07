#include "meeting/forms/meetingdialog.h"

#include "base/forms/buttontips.h"
#include "meeting/datetext.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace meeting {

MeetingDialog::MeetingDialog(const MeetingIdentity& start, Check check, QWidget* parent)
    : QDialog(parent), m_check(std::move(check)), m_name(new QLineEdit(start.name, this)),
      m_venue(new QLineEdit(start.venue, this)), m_date(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Create a new meeting"));
    m_name->setMaxLength(kMeetingNameLength);
    m_venue->setMaxLength(kVenueLength);
    // Digits only, in the stored shape; blanks show as "_".
    m_date->setInputMask(QStringLiteral("0000/00/00;_"));
    m_date->setText(start.date);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Name"), m_name);
    form->addRow(QStringLiteral("Venue"), m_venue);
    form->addRow(QStringLiteral("Date"), m_date);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &MeetingDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &MeetingDialog::reject);
    base::explainButtons(buttons);
    form->addRow(buttons);
    setMinimumWidth(420);
}

MeetingIdentity MeetingDialog::identity() const
{
    QString date = m_date->text();
    // An unfilled mask leaves only its separators.
    if (date.remove(QLatin1Char('/')).trimmed().isEmpty())
        date.clear();
    else
        date = m_date->text().trimmed();
    return {m_name->text().trimmed(), m_venue->text().trimmed(), date};
}

void MeetingDialog::accept()
{
    if (m_check && !m_check(identity())) {
        focusRefusedField();
        return;
    }
    QDialog::accept();
}

void MeetingDialog::focusRefusedField()
{
    // The checks look at the venue, the name and the date in that order; a meeting that
    // is already there is most often told apart by its name.
    const MeetingIdentity typed = identity();
    QLineEdit* field = m_name;
    if (typed.venue.isEmpty())
        field = m_venue;
    else if (!typed.name.isEmpty() && !isValidDateText(typed.date))
        field = m_date;
    field->setFocus();
    field->selectAll();
}

} // namespace meeting
