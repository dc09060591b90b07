#include "meeting/forms/columnsettingsform.h"

#include "base/forms/buttontips.h"

#include "base/run.h"
#include "meeting/settingsscreens.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace meeting {

ColumnSettingsForm::ColumnSettingsForm(base::Run& run, const QString& title, Save save,
                                       QWidget* parent)
    : QDialog(parent), m_run(run), m_save(std::move(save)), m_form(new QFormLayout)
{
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_form);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Accept"), QDialogButtonBox::AcceptRole)
        ->setToolTip(tr("Stores these settings and closes the window"));
    buttons->addButton(QDialogButtonBox::Cancel);
    base::explainButtons(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &ColumnSettingsForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ColumnSettingsForm::reject);
    layout->addWidget(buttons);
    setMinimumWidth(520);
}

void ColumnSettingsForm::addChoice(const QString& column, const QString& question,
                                   const QList<ChoiceGroup::Choice>& choices)
{
    auto* group = new ChoiceGroup(question, choices, this);
    m_form->addRow(group);
    m_choices.insert(column, group);
    m_order.append(column);
    connect(group, &ChoiceGroup::changed, this, &ColumnSettingsForm::updateVisibility);
}

void ColumnSettingsForm::addEdit(const QString& column, const QString& label, int maxLength)
{
    auto* edit = new QLineEdit(this);
    edit->setMaxLength(maxLength);
    m_form->addRow(label, edit);
    m_edits.insert(column, edit);
    m_order.append(column);
}

void ColumnSettingsForm::showWhen(const QString& column, const QString& other, const QString& when)
{
    m_conditions.append({column, other, when});
}

void ColumnSettingsForm::load()
{
    m_loaded = currentValues(m_run, m_order);
    for (const ColumnValue& v : m_loaded) {
        if (ChoiceGroup* group = m_choices.value(v.column))
            group->setValue(v.value);
        else if (QLineEdit* edit = m_edits.value(v.column))
            edit->setText(v.value);
    }
    updateVisibility();
}

void ColumnSettingsForm::updateVisibility()
{
    for (const Condition& c : m_conditions) {
        const bool shown = m_choices.value(c.other) && m_choices.value(c.other)->value() == c.when;
        if (ChoiceGroup* group = m_choices.value(c.column))
            group->setVisible(shown);
    }
}

ColumnValues ColumnSettingsForm::values() const
{
    ColumnValues values;
    for (const QString& column : m_order) {
        if (const ChoiceGroup* group = m_choices.value(column))
            values.append({column, group->value()});
        else if (const QLineEdit* edit = m_edits.value(column))
            values.append({column, edit->text().trimmed()});
    }
    return values;
}

void ColumnSettingsForm::accept()
{
    if (m_save(m_run, values()))
        QDialog::accept();
}

void ColumnSettingsForm::reject()
{
    bool changed = false;
    const ColumnValues now = values();
    for (int i = 0; i < now.size() && i < m_loaded.size(); ++i)
        changed = changed || now[i].value != m_loaded[i].value;
    if (changed && !m_run.messages().confirm(QStringLiteral("Lose edits")))
        return;
    QDialog::reject();
}

} // namespace meeting
