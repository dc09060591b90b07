#include "base/forms/openerbutton.h"

#include "base/forms/formkeys.h"

#include <QDialog>
#include <QLayout>
#include <QPushButton>

namespace base {

void addOpenerButton(QDialog& form, Run& run, const QString& text,
                     const ScreenOpeners::Opener& open)
{
    if (!open || !form.layout())
        return;
    QDialog* owner = &form;
    form.layout()->addWidget(actionButton(owner, text, [owner, &run, open] { open(owner, run); }));
}

} // namespace base
