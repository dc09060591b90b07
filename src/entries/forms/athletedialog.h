#pragma once

#include "entries/athletes.h"

#include <QDialog>

class QLineEdit;

namespace entries {

// "Add an Athlete for <team>" / "Edit a relay team for <team>": the fields of one athlete.
// Accept runs the checks and the save of Athletes; a refusal keeps the dialog open on the
// field at fault.
class AthleteDialog : public QDialog {
    Q_OBJECT
public:
    AthleteDialog(Athletes& athletes, const EntrySettings& settings, const AthleteRow& athlete,
                  const QString& teamName, const QString& personWord, QWidget* parent = nullptr);
    const AthleteRow& athlete() const { return m_athlete; }

    void accept() override;

private:
    QLineEdit* focusOf(Athletes::Field field) const;

    Athletes& m_athletes;
    EntrySettings m_settings;
    AthleteRow m_athlete;
    QLineEdit* m_surname;
    QLineEdit* m_firstName;
    QLineEdit* m_gender;
    QLineEdit* m_age;
    QLineEdit* m_number;
    QLineEdit* m_birthDate;
    QLineEdit* m_category;
};

} // namespace entries
