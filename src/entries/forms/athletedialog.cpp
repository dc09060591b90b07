#include "entries/forms/athletedialog.h"

#include "base/forms/buttontips.h"

#include "db/dmdcoredbs.h"
#include "meeting/genderage.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace entries {

namespace {

// Upper case as the user types, keeping the cursor where it was.
void typeUpperCase(QLineEdit* edit)
{
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& t) {
        const int cursor = edit->cursorPosition();
        edit->setText(t.toUpper());
        edit->setCursorPosition(cursor);
    });
}

} // namespace

QLineEdit* AthleteDialog::lineEdit(const QString& name, const QString& text, const QString& column)
{
    auto* edit = new QLineEdit(text, this);
    edit->setObjectName(name);
    if (!column.isEmpty()) {
        const int width = m_athletes.database().fieldLength(QStringLiteral("ATHLETE"), column);
        if (width > 0)
            edit->setMaxLength(width);
    }
    return edit;
}

AthleteDialog::AthleteDialog(Athletes& athletes, const EntrySettings& settings,
                             const AthleteRow& athlete, const QString& teamName,
                             const QString& personWord, QWidget* parent)
    : QDialog(parent), m_athletes(athletes), m_settings(settings), m_athlete(athlete),
      m_surname(lineEdit(QStringLiteral("surname"), athlete.surname, QStringLiteral("SURNAME"))),
      m_firstName(
          lineEdit(QStringLiteral("firstName"), athlete.firstName, QStringLiteral("FIRSTNAME"))),
      m_gender(lineEdit(QStringLiteral("gender"), athlete.gender, QStringLiteral("GENDER"))),
      m_age(lineEdit(QStringLiteral("age"), QString(), QString())),
      m_number(lineEdit(QStringLiteral("number"), athlete.number, QStringLiteral("NUMBER"))),
      m_idNumber(
          lineEdit(QStringLiteral("idNumber"), athlete.idNumber, QStringLiteral("ID_NUMBER"))),
      m_birthDate(
          lineEdit(QStringLiteral("birthDate"), athlete.birthDate, QStringLiteral("BIRTHDATE"))),
      m_category(
          lineEdit(QStringLiteral("category"), athlete.category, QStringLiteral("CATEGORY"))),
      m_demographic(lineEdit(QStringLiteral("demographic"), athlete.demographic,
                             QStringLiteral("GAI_RACIST_ABRV"))),
      m_disabilityClasses(lineEdit(QStringLiteral("disabilityClasses"), athlete.disabilityClasses,
                                   QStringLiteral("DISABILITY_CLASSES"))),
      m_localSmds(
          lineEdit(QStringLiteral("localSmds"), athlete.localSmds, QStringLiteral("LOCAL_SMDS"))),
      m_worldSmds(
          lineEdit(QStringLiteral("worldSmds"), athlete.worldSmds, QStringLiteral("WORLD_SMDS")))
{
    const bool relay = athlete.isRelayTeam();
    // " an Athlete", " a Swimmer": the edition's word for a competitor.
    const bool vowel = QStringLiteral("AEIOU").contains(personWord.left(1).toUpper());
    const QString person = (vowel ? QStringLiteral(" an ") : QStringLiteral(" a ")) + personWord;
    setWindowTitle((athlete.athleteNo == 0 ? QStringLiteral("Add") : QStringLiteral("Edit")) +
                   (relay ? QStringLiteral(" a relay team") : person) + QStringLiteral(" for ") +
                   teamName);
    if (athlete.age > 0) {
        const bool asGrade = settings.grades() && athlete.age < 19;
        m_age->setText(QString::number(asGrade ? meeting::ageToGrade(athlete.age) : athlete.age));
    }
    setMinimumWidth(400);
    m_birthDate->setPlaceholderText(QStringLiteral("yyyy/MM/dd"));
    m_disabilityClasses->setPlaceholderText(QStringLiteral("S9,SB8"));
    for (QLineEdit* edit : {m_gender, m_number, m_category, m_demographic, m_disabilityClasses})
        typeUpperCase(edit);
    auto* form = new QFormLayout(this);
    if (relay) {
        m_surname->hide();
        form->addRow(tr("Relay team name"), m_firstName);
    } else {
        form->addRow(tr("&Surname"), m_surname);
        form->addRow(tr("&Firstname"), m_firstName);
    }
    form->addRow(tr("&Gender (M/F)"), m_gender);
    form->addRow(QLatin1Char('&') + settings.ageName(), m_age);
    form->addRow(tr("&Number"), m_number);
    auto used = [form](bool shown, const QString& label, QLineEdit* edit) {
        if (shown)
            form->addRow(label, edit);
        else
            edit->hide();
    };
    used(settings.hasIdNumbers && !relay, tr("&ID-number"), m_idNumber);
    used(settings.hasBirthDates && !relay, tr("&Birthdate"), m_birthDate);
    used(settings.hasCategories && !relay, tr("&Category"), m_category);
    used(settings.hasDemographics && !relay, tr("&Demographic"), m_demographic);
    used(settings.showDisabled && !relay, tr("Disa&bility classes"), m_disabilityClasses);
    used(settings.showDisabled && !relay, tr("&Local Smds"), m_localSmds);
    used(settings.showDisabled && !relay, tr("&World Smds"), m_worldSmds);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    if (settings.hasBirthDates && !relay && athlete.athleteNo != 0) {
        auto* clear = buttons->addButton(tr("Clear Birthdate"), QDialogButtonBox::ResetRole);
        clear->setAutoDefault(false);
        clear->setToolTip(tr("Leaves the birth date empty"));
        connect(clear, &QPushButton::clicked, this, &AthleteDialog::clearBirthDate);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    base::explainButtons(buttons);
    form->addRow(buttons);
}

QLineEdit* AthleteDialog::fieldOf(Athletes::Field field) const
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
        return m_category;
    case Athletes::Field::Demographic:
        return m_demographic;
    case Athletes::Field::DisabilityClasses:
        return m_disabilityClasses;
    case Athletes::Field::LocalSmds:
        return m_localSmds;
    case Athletes::Field::WorldSmds:
        return m_worldSmds;
    case Athletes::Field::Name:
    case Athletes::Field::None:
        break;
    }
    return m_athlete.isRelayTeam() ? m_firstName : m_surname;
}

void AthleteDialog::clearBirthDate()
{
    if (m_athletes.clearBirthDate(m_athlete.athleteNo)) {
        m_birthDate->clear();
        m_athlete.birthDate.clear();
    }
}

void AthleteDialog::accept()
{
    AthleteRow a = m_athlete;
    a.surname = m_athlete.isRelayTeam() ? m_athlete.surname : m_surname->text().trimmed();
    a.firstName = m_firstName->text().trimmed();
    a.gender = m_gender->text().trimmed().toUpper();
    a.number = m_number->text().trimmed().toUpper();
    a.idNumber = m_idNumber->text().trimmed();
    a.birthDate = m_birthDate->text().trimmed();
    a.category = m_category->text().trimmed().toUpper();
    a.demographic = m_demographic->text().trimmed().toUpper();
    a.disabilityClasses = m_disabilityClasses->text().trimmed().toUpper();
    a.localSmds = m_localSmds->text().trimmed();
    a.worldSmds = m_worldSmds->text().trimmed();
    // The gender is checked before the age, as the rest of the checks follow.
    if (m_athletes.checkGender(a) != Athletes::Field::None) {
        m_gender->setFocus();
        return;
    }
    const auto age =
        Athletes::readAgeText(m_athletes.messages(), m_settings, m_age->text(), a.isRelayTeam());
    if (!age) {
        m_age->setFocus();
        return;
    }
    a.age = *age;
    const Athletes::Field refused = m_athletes.check(a);
    if (refused != Athletes::Field::None) {
        fieldOf(refused)->setFocus();
        return;
    }
    if (m_numberRule && !a.isRelayTeam() && !m_numberRule(a.number)) {
        m_number->setFocus();
        return;
    }
    m_athlete = a;
    QDialog::accept();
}

void AthleteDialog::suggestNumber(const QString& number, std::function<bool(const QString&)> rule)
{
    m_number->setText(number);
    m_numberRule = std::move(rule);
}

} // namespace entries
