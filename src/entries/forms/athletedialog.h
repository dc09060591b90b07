#pragma once

#include "entries/athletes.h"

#include <QDialog>

#include <functional>

class QLineEdit;
class QPushButton;

namespace entries {

// "Add an Athlete for <team>" / "Edit a relay team for <team>": the fields of one athlete,
// those of the facilities the meeting uses only. Accept runs the checks of Athletes and
// hands the athlete back for the caller to save; a refusal keeps the dialog open on the
// field at fault.
class AthleteDialog : public QDialog {
    Q_OBJECT
public:
    AthleteDialog(Athletes& athletes, const EntrySettings& settings, const AthleteRow& athlete,
                  const QString& teamName, const QString& personWord, QWidget* parent = nullptr);
    // The athlete as accepted: checked, not yet saved.
    const AthleteRow& athlete() const { return m_athlete; }

    void accept() override;
    // "Clear Birthdate": asks, then empties the stored birth date and the field.
    void clearBirthDate();
    // The field that takes the focus when `field` is refused.
    QLineEdit* fieldOf(Athletes::Field field) const;
    // Auto-numbering: the number field starts with `number`, and an accepted number must
    // also pass `rule` (which shows its own refusal).
    void suggestNumber(const QString& number, std::function<bool(const QString&)> rule);

private:
    QLineEdit* lineEdit(const QString& name, const QString& text, const QString& column);

    Athletes& m_athletes;
    EntrySettings m_settings;
    AthleteRow m_athlete;
    QLineEdit* m_surname;
    QLineEdit* m_firstName;
    QLineEdit* m_gender;
    QLineEdit* m_age;
    QLineEdit* m_number;
    QLineEdit* m_idNumber;
    QLineEdit* m_birthDate;
    QLineEdit* m_category;
    QLineEdit* m_demographic;
    QLineEdit* m_disabilityClasses;
    QLineEdit* m_localSmds;
    QLineEdit* m_worldSmds;
    std::function<bool(const QString&)> m_numberRule;
};

} // namespace entries
