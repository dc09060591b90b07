#include "results/forms/attemptdialog.h"

#include "base/forms/buttontips.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace results {

AttemptDialog::AttemptDialog(const Setup& setup, Check check, QWidget* parent)
    : QDialog(parent), m_setup(setup), m_check(std::move(check))
{
    setWindowTitle(QStringLiteral("Edit Attempt"));
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(setup.caption, this);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    layout->addWidget(name);

    auto* form = new QFormLayout;
    m_performance = new QLineEdit(setup.performance, this);
    m_performance->setPlaceholderText(setup.mask);
    m_performance->setReadOnly(!asksPerformance());
    auto* perfLabel = new QLabel(QStringLiteral("P&erformance"), this);
    perfLabel->setBuddy(m_performance);
    form->addRow(perfLabel, m_performance);
    form->addRow(
        QString(),
        new QLabel(setup.formatName + QStringLiteral(";  \"X\" a foul, \"-\" a pass"), this));
    m_wind = new QLineEdit(setup.wind, this);
    m_wind->setPlaceholderText(QStringLiteral("#9.9"));
    m_wind->setMaxLength(5);
    if (asksWind()) {
        auto* windLabel = new QLabel(QStringLiteral("&Windspeed (eg:  -2.5 or +2.5 )"), this);
        windLabel->setBuddy(m_wind);
        form->addRow(windLabel, m_wind);
    } else {
        m_wind->hide();
    }
    layout->addLayout(form);
    if (setup.takesWind && setup.prompt == AttemptPrompt::PerformanceOnly)
        layout->addWidget(new QLabel(QStringLiteral("The wind is typed later (Wind only)."), this));

    auto* buttons = new QDialogButtonBox(this);
    auto* acceptButton =
        buttons->addButton(QStringLiteral("&Accept"), QDialogButtonBox::AcceptRole);
    acceptButton->setDefault(true);
    acceptButton->setToolTip(tr("Keeps the attempt, when valid (Enter)"));
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &AttemptDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    base::explainButtons(buttons);
    layout->addWidget(buttons);

    QLineEdit* first = asksPerformance() ? m_performance : m_wind;
    first->setFocus();
    first->selectAll();
}

bool AttemptDialog::asksPerformance() const
{
    return !m_setup.takesWind || m_setup.prompt != AttemptPrompt::WindOnly;
}

bool AttemptDialog::asksWind() const
{
    return m_setup.takesWind && m_setup.prompt != AttemptPrompt::PerformanceOnly;
}

void AttemptDialog::accept()
{
    if (m_check && !m_check(m_performance->text(), asksWind() ? m_wind->text() : QString()))
        return;
    QDialog::accept();
}

} // namespace results
