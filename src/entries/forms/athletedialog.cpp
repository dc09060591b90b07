#include "entries/forms/athletedialog.h"

#include "db/dmdcoredbs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace entries {

AthleteDialog::AthleteDialog(Athletes& athletes, const EntrySettings& settings,
                             const AthleteRow& athlete, const QString& teamName,
                             const QString& personWord, QWidget* parent)
    : QDialog(parent), m_athletes(athletes), m_settings(settings), m_athlete(athlete),
      m_surname(new QLineEdit(athlete.surname)), m_firstName(new QLineEdit(athlete.firstName)),
      m_gender(new QLineEdit(athlete.gender)), m_age(new QLineEdit),
      m_number(new QLineEdit(athlete.number)), m_birthDate(new QLineEdit(athlete.birthDate)),
      m_category(new QLineEdit(athlete.category))
{
    const bool relay = athlete.isRelayTeam();
    setWindowTitle((athlete.athleteNo == 0 ? QStringLiteral("Add") : QStringLiteral("Edit")) +
                   (relay ? QStringLiteral(" a relay team") : QStringLiteral(" an ") + personWord) +
                   QStringLiteral(" for ") + teamName);
    if (athlete.age > 0)
        m_age->setText(
            QString::number(settings.grades() && athlete.age < 19 ? athlete.age - 6 : athlete.age));
    m_gender->setMaxLength(1);
    m_number->setMaxLength(7);
    m_birthDate->setPlaceholderText(QStringLiteral("yyyy/MM/dd"));
    connect(m_number, &QLineEdit::textEdited, this,
            [this](const QString& t) { m_number->setText(t.toUpper()); });
    connect(m_gender, &QLineEdit::textEdited, this,
            [this](const QString& t) { m_gender->setText(t.toUpper()); });
    auto* form = new QFormLayout(this);
    if (relay) {
        m_surname->setReadOnly(true);
        form->addRow(tr("Relay team name"), m_firstName);
    } else {
        form->addRow(tr("Surname"), m_surname);
        form->addRow(tr("Firstname"), m_firstName);
    }
    form->addRow(tr("Gender (M/F)"), m_gender);
    form->addRow(settings.ageName(), m_age);
    form->addRow(tr("Number"), m_number);
    if (settings.hasBirthDates && !relay)
        form->addRow(tr("Birthdate"), m_birthDate);
    if (settings.hasCategories && !relay)
        form->addRow(tr("Category"), m_category);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

QLineEdit* AthleteDialog::focusOf(Athletes::Field field) const
{
    switch (field) {
    case Athletes::Field::Gender:
        return m_gender;
    case Athletes::Field::Age:
        return m_age;
    case Athletes::Field::Number:
        return m_number;
    case Athletes::Field::BirthDate:
        return m_birthDate;
    case Athletes::Field::Category:
    case Athletes::Field::Demographic:
        return m_category;
    case Athletes::Field::Name:
    case Athletes::Field::None:
        break;
    }
    return m_surname;
}

void AthleteDialog::accept()
{
    AthleteRow a = m_athlete;
    a.surname = m_athlete.isRelayTeam() ? m_athlete.surname : m_surname->text().trimmed();
    a.firstName = m_firstName->text().trimmed();
    a.gender = m_gender->text().trimmed().toUpper();
    a.number = m_number->text().trimmed().toUpper();
    a.birthDate = m_birthDate->text().trimmed();
    a.category = m_category->text().trimmed().toUpper();
    const auto age =
        Athletes::readAgeText(m_athletes.messages(), m_settings, m_age->text(), a.isRelayTeam());
    if (!age) {
        m_age->setFocus();
        return;
    }
    a.age = *age;
    const Athletes::Field refused = m_athletes.check(a);
    if (refused != Athletes::Field::None) {
        focusOf(refused)->setFocus();
        return;
    }
    if (a.athleteNo == 0) {
        a.athleteNo = m_athletes.save(a);
        if (a.athleteNo == 0)
            return;
    } else if (!m_athletes.save(a)) {
        return;
    }
    m_athlete = a;
    QDialog::accept();
}

} // namespace entries
