#include "results/forms/disqualifydialog.h"

#include "base/forms/buttontips.h"

#include "base/messages.h"
#include "results/statuscodes.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace results {

DisqualifyDialog::DisqualifyDialog(base::Messages& messages, QWidget* parent)
    : QDialog(parent), m_messages(messages), m_group(new QButtonGroup(this))
{
    setWindowTitle(QStringLiteral("Disqualification type"));
    auto* layout = new QVBoxLayout(this);
    auto* box = new QGroupBox(QStringLiteral("Select the type of Disqualification"), this);
    auto* boxLayout = new QVBoxLayout(box);
    const QStringList choices = disqualifyChoices(messages);
    // The abbreviations share their first letters, so no letter picks a type: its number
    // does (or the status key of the edit dialog, F7 for the first), and Enter accepts.
    for (int i = 0; i < choices.size(); ++i) {
        auto* radio = new QRadioButton(choices[i], box);
        m_group->addButton(radio, i + 1);
        boxLayout->addWidget(radio);
    }
    boxLayout->addWidget(
        new QLabel(QStringLiteral("1 to %1 (or F7 to F%2) picks a type, Enter accepts it.")
                       .arg(choices.size())
                       .arg(6 + choices.size()),
                   box));
    if (QAbstractButton* first = m_group->button(1))
        first->setFocus();
    layout->addWidget(box);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* acceptButton =
        buttons->addButton(QStringLiteral("Accept"), QDialogButtonBox::AcceptRole);
    acceptButton->setDefault(true);
    acceptButton->setToolTip(tr("Disqualifies with the reason chosen (Enter)"));
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole)
        ->setToolTip(base::cancelTip());
    connect(buttons->addButton(QDialogButtonBox::Help), &QPushButton::clicked, this,
            &DisqualifyDialog::showHelp);
    connect(buttons, &QDialogButtonBox::accepted, this, &DisqualifyDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    base::explainButtons(buttons);
    layout->addWidget(buttons);
}

void DisqualifyDialog::choose(int code)
{
    if (QAbstractButton* button = m_group->button(code)) {
        button->setChecked(true);
        button->setFocus();
    }
}

void DisqualifyDialog::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (key >= Qt::Key_1 && key < Qt::Key_1 + m_group->buttons().size()) {
            choose(key - Qt::Key_1 + 1);
            return;
        }
        if (key >= Qt::Key_F7 && key < Qt::Key_F7 + m_group->buttons().size()) {
            choose(key - Qt::Key_F7 + 1);
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void DisqualifyDialog::accept()
{
    const int code = m_group->checkedId();
    if (code < 1) {
        m_messages.warning(QStringLiteral("Select the Disqualification type"));
        return;
    }
    m_code = code;
    QDialog::accept();
}

void DisqualifyDialog::showHelp()
{
    m_messages.choose(QStringLiteral("DISQUALIFY ATHLETE"),
                      QStringLiteral("The following Disqualifying types are available\r\r") +
                          disqualifyChoices(m_messages).join(QLatin1Char('\r')),
                      {QStringLiteral("OK")});
}

std::optional<int> SelectDisqStatus(base::Messages& messages, QWidget* parent)
{
    DisqualifyDialog dialog(messages, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosenCode();
}

} // namespace results
