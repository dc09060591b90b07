#include "results/forms/editperformancedialog.h"

#include "base/forms/buttontips.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace results {

namespace {
// The status keys of the dialog: F7 to F12 pick codes 1 to 6, F6 clears.
const QStringList kStatusLabels{"Disq [F7]", "DNR [F8]",  "DNS [F9]",
                                "DNF [F10]", "UOF [F11]", "NRA [F12]"};
} // namespace

EditPerformanceDialog::ReasonPrompt reasonPromptOf(const QString& stored)
{
    if (stored == QLatin1String("Never"))
        return EditPerformanceDialog::ReasonPrompt::Never;
    if (stored == QLatin1String("Always"))
        return EditPerformanceDialog::ReasonPrompt::Always;
    return EditPerformanceDialog::ReasonPrompt::DisqOnly;
}

EditPerformanceDialog::EditPerformanceDialog(const Setup& setup, const ResultEntry& entry,
                                             Check check, QWidget* parent)
    : QDialog(parent), m_setup(setup), m_check(std::move(check)), m_accepted(entry)
{
    setWindowTitle(QStringLiteral("Edit Performance"));
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(setup.caption, this);
    QFont bold = name->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    name->setFont(bold);
    layout->addWidget(name);

    auto* form = new QFormLayout;
    m_place = new QLineEdit(entry.place, this);
    m_place->setMaxLength(4);
    auto* placeRow = new QHBoxLayout;
    placeRow->addWidget(m_place);
    placeRow->addWidget(new QLabel(setup.placeRequired
                                       ? QStringLiteral("(Vertical jumps: required)")
                                       : QStringLiteral("(Optional)"),
                                   this));
    auto* placeLabel = new QLabel(QStringLiteral("&Place"), this);
    placeLabel->setBuddy(m_place);
    form->addRow(placeLabel, placeRow);
    m_performance = new QLineEdit(entry.performance, this);
    m_performance->setPlaceholderText(setup.mask);
    form->addRow(QStringLiteral("P&erformance"), m_performance);
    form->addRow(QString(), new QLabel(setup.formatName, this));
    m_wind = new QLineEdit(entry.wind, this);
    m_wind->setPlaceholderText(QStringLiteral("#9.9"));
    if (setup.windPerJump)
        form->addRow(QStringLiteral("Windspeed (eg:  -2.5 or +2.5 )"), m_wind);
    else
        m_wind->hide();
    m_digit = new QLineEdit(entry.thirdDigit, this);
    m_digit->setMaxLength(1);
    form->addRow(QStringLiteral("&Third digit"), m_digit);
    layout->addLayout(form);

    auto* box = new QGroupBox(QStringLiteral("Status"), this);
    auto* boxLayout = new QHBoxLayout(box);
    m_statuses = new QButtonGroup(this);
    m_statuses->setExclusive(false);
    for (int i = 0; i < kStatusLabels.size(); ++i) {
        auto* radio = new QRadioButton(kStatusLabels[i], box);
        m_statuses->addButton(radio, i + 1);
        boxLayout->addWidget(radio);
    }
    boxLayout->addWidget(new QLabel(QStringLiteral("[F6] = clear disqualification"), box));
    connect(m_statuses, &QButtonGroup::idClicked, this, [this](int id) {
        // One status at a time; a click on the checked one clears it.
        setStatus(m_statuses->button(id)->isChecked() ? id : 0);
    });
    layout->addWidget(box);

    m_reasonLabel = new QLabel(QStringLiteral("Reason for disqualification"), this);
    m_reason = new QLineEdit(entry.reason, this);
    m_reason->setMaxLength(60);
    layout->addWidget(m_reasonLabel);
    layout->addWidget(m_reason);

    auto* buttons = new QDialogButtonBox(this);
    auto* acceptButton =
        buttons->addButton(QStringLiteral("&Accept"), QDialogButtonBox::AcceptRole);
    acceptButton->setDefault(true);
    acceptButton->setToolTip(tr("Keeps the performance and status, when valid (Enter)"));
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &EditPerformanceDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    base::explainButtons(buttons);
    layout->addWidget(buttons);

    setStatus(entry.status);
    m_performance->setFocus();
    m_performance->selectAll();
}

void EditPerformanceDialog::setStatus(int status)
{
    for (QAbstractButton* b : m_statuses->buttons())
        b->setChecked(m_statuses->id(b) == status);
    updateReason();
}

int EditPerformanceDialog::status() const
{
    for (QAbstractButton* b : m_statuses->buttons())
        if (b->isChecked())
            return m_statuses->id(b);
    // A status the keys do not offer (OIA, DNSA) is kept as it was.
    return m_accepted.status > 6 ? m_accepted.status : 0;
}

void EditPerformanceDialog::updateReason()
{
    const int s = status();
    const bool ask = m_setup.reasonPrompt == ReasonPrompt::Always
                         ? s > 0
                         : m_setup.reasonPrompt == ReasonPrompt::DisqOnly && s == 1;
    m_reasonLabel->setVisible(m_setup.reasonPrompt != ReasonPrompt::Never);
    m_reason->setVisible(m_setup.reasonPrompt != ReasonPrompt::Never);
    m_reason->setEnabled(ask);
    if (s == 0)
        m_reason->clear();
}

ResultEntry EditPerformanceDialog::entry() const
{
    ResultEntry e;
    e.place = m_place->text().trimmed();
    e.performance = m_performance->text().trimmed();
    e.status = status();
    e.reason = m_reason->text().trimmed();
    e.wind = m_wind->text().trimmed();
    e.thirdDigit = m_digit->text().trimmed();
    return e;
}

void EditPerformanceDialog::accept()
{
    ResultEntry e = entry();
    if (m_check && !m_check(e))
        return;
    // The check may have repaired the texts (a decimal comma, a cleared digit).
    m_performance->setText(e.performance);
    m_digit->setText(e.thirdDigit);
    m_accepted = e;
    QDialog::accept();
}

void EditPerformanceDialog::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_F6) {
        setStatus(0);
        return;
    }
    if (key >= Qt::Key_F7 && key <= Qt::Key_F12) {
        setStatus(key - Qt::Key_F7 + 1);
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace results
