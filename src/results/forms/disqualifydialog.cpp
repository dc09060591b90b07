#include "results/forms/disqualifydialog.h"

#include "results/statuscodes.h"
#include "base/messages.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
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
    for (int i = 0; i < choices.size(); ++i) {
        auto* radio = new QRadioButton(QStringLiteral("&") + choices[i], box);
        m_group->addButton(radio, i + 1);
        boxLayout->addWidget(radio);
    }
    layout->addWidget(box);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Accept"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons->addButton(QDialogButtonBox::Help), &QPushButton::clicked, this,
            &DisqualifyDialog::showHelp);
    connect(buttons, &QDialogButtonBox::accepted, this, &DisqualifyDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void DisqualifyDialog::choose(int code)
{
    if (QAbstractButton* button = m_group->button(code))
        button->setChecked(true);
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
