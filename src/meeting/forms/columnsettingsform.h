#pragma once

#include "meeting/forms/choicegroup.h"
#include "meeting/meetingupdate.h"

#include <QDialog>
#include <QMap>

#include <functional>

class QFormLayout;
class QLineEdit;

namespace base {
class Run;
}

namespace meeting {

// A settings screen made of questions about MEETING columns: choices and typed values,
// filled from the loaded settings. "Accept" hands the values to the screen's save (which
// checks, writes one update and reloads); "Cancel" asks "Lose edits" when something
// changed.
class ColumnSettingsForm : public QDialog {
    Q_OBJECT
public:
    using Save = std::function<bool(base::Run&, const ColumnValues&)>;

    ColumnValues values() const;
    ChoiceGroup* choice(const QString& column) const { return m_choices.value(column); }
    QLineEdit* edit(const QString& column) const { return m_edits.value(column); }

    void accept() override;
    void reject() override;

protected:
    ColumnSettingsForm(base::Run& run, const QString& title, Save save, QWidget* parent);

    void addChoice(const QString& column, const QString& question,
                   const QList<ChoiceGroup::Choice>& choices);
    void addEdit(const QString& column, const QString& label, int maxLength);
    // Shows the question of `column` only while `other` has the value `when`.
    void showWhen(const QString& column, const QString& other, const QString& when);
    // Fills every question from the loaded settings; call after adding them.
    void load();

    base::Run& m_run;

private:
    void updateVisibility();

    Save m_save;
    QFormLayout* m_form;
    QMap<QString, ChoiceGroup*> m_choices;
    QMap<QString, QLineEdit*> m_edits;
    QStringList m_order;
    struct Condition {
        QString column, other, when;
    };
    QList<Condition> m_conditions;
    ColumnValues m_loaded;
};

} // namespace meeting
