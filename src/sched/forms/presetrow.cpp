#include "sched/forms/presetrow.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"

#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace sched {

QString presetStyle(bool fast)
{
    return fast ? QStringLiteral("color: blue") : QStringLiteral("color: green");
}

void addPresetButtons(QBoxLayout* row, const std::function<void(bool fast)>& load)
{
    for (bool fast : {true, false}) {
        base::addActionButton(row,
                              fast ? QStringLiteral("Load &Fast") : QStringLiteral("Load &Slow"),
                              fast ? QObject::tr("Fills in the values of a fast meeting (blue)")
                                   : QObject::tr("Fills in the values of a slow meeting (green)"),
                              [load, fast] { load(fast); })
            ->setStyleSheet(presetStyle(fast));
    }
}

QDialogButtonBox* acceptCancelButtons(QDialog* dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Accept"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    base::explainButtons(buttons);
    return buttons;
}

} // namespace sched
