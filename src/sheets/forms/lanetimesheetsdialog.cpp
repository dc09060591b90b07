#include "sheets/forms/lanetimesheetsdialog.h"

#include "base/appglobals.h"
#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/messages.h"
#include "base/run.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace sheets {

LaneTimesheetsDialog::LaneTimesheetsDialog(base::Run& run, const LaneLimits& limits,
                                           QWidget* parent)
    : QDialog(parent), m_run(run), m_limits(limits)
{
    setWindowTitle(run.globals().programTitle() + QStringLiteral(" :  Lane Timesheets"));
    auto* form = new QFormLayout(this);
    m_lanes = new QLineEdit(QString::number(limits.lanes), this);
    m_perPage = new QLineEdit(QString::number(limits.perPage), this);
    form->addRow(QStringLiteral("Lanes to Print"), m_lanes);
    form->addRow(QStringLiteral("Events per Page"), m_perPage);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = base::addActionButton(buttons, QStringLiteral("&Print"),
                                     tr("Prints the lane timesheets with these limits (Enter)"),
                                     [this] { accept(); });
    ok->setDefault(true);
    base::addActionButton(buttons, QStringLiteral("Cancel"), base::cancelTip(),
                          [this] { reject(); });
    form->addRow(buttons);
}

void LaneTimesheetsDialog::accept()
{
    LaneLimits limits;
    const QString problem = parseLaneLimits(m_lanes->text(), m_perPage->text(), &limits);
    if (!problem.isEmpty()) {
        m_run.messages().warning(problem);
        return;
    }
    m_limits = limits;
    QDialog::accept();
}

} // namespace sheets
