#include "base/forms/openerbutton.h"

#include "base/forms/formkeys.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

namespace base {

void addOpenerButton(QDialog& form, Run& run, const QString& text, const QString& tip,
                     const ScreenOpeners::Opener& open)
{
    if (!open || !form.layout())
        return;
    QDialog* owner = &form;
    QPushButton* button = actionButton(owner, text, tip, [owner, &run, open] { open(owner, run); });
    // A screen's Close stays its last button.
    auto* box = qobject_cast<QBoxLayout*>(form.layout());
    const int last = box ? box->count() - 1 : -1;
    auto* lastButton = last >= 0 && box->itemAt(last)->widget()
                           ? qobject_cast<QPushButton*>(box->itemAt(last)->widget())
                           : nullptr;
    if (lastButton && lastButton->text().remove(QLatin1Char('&')) == QLatin1String("Close"))
        box->insertWidget(last, button);
    else
        form.layout()->addWidget(button);
}

} // namespace base
