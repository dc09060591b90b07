#include "meeting/forms/choicegroup.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>

namespace meeting {

ChoiceGroup::ChoiceGroup(const QString& question, const QList<Choice>& choices, QWidget* parent)
    : QGroupBox(question, parent), m_choices(choices), m_group(new QButtonGroup(this))
{
    auto* layout = new QHBoxLayout(this);
    for (int i = 0; i < choices.size(); ++i) {
        auto* button = new QRadioButton(choices[i].label, this);
        m_group->addButton(button, i);
        layout->addWidget(button);
    }
    layout->addStretch();
    connect(m_group, &QButtonGroup::idClicked, this, &ChoiceGroup::changed);
}

QString ChoiceGroup::value() const
{
    const int id = m_group->checkedId();
    return id >= 0 ? m_choices[id].value : QString();
}

void ChoiceGroup::setValue(const QString& value)
{
    // An unknown stored value (null, or an old code) leaves the question unanswered.
    m_group->setExclusive(false);
    for (QAbstractButton* button : m_group->buttons())
        button->setChecked(false);
    m_group->setExclusive(true);
    for (int i = 0; i < m_choices.size(); ++i)
        if (m_choices[i].value == value)
            m_group->button(i)->setChecked(true);
}

void ChoiceGroup::choose(const QString& label)
{
    for (int i = 0; i < m_choices.size(); ++i)
        if (m_choices[i].label == label)
            m_group->button(i)->click();
}

QList<ChoiceGroup::Choice> ChoiceGroup::noYes()
{
    return {{QStringLiteral("No"), QStringLiteral("0")},
            {QStringLiteral("Yes"), QStringLiteral("1")}};
}

} // namespace meeting
