#include "base/forms/buttontips.h"

#include "base/forms/formkeys.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace base {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("base::ButtonTips", text);
}

QString standardTip(QDialogButtonBox::StandardButton which)
{
    switch (which) {
    case QDialogButtonBox::Ok:
        return tr("Keeps what was entered and closes the window (Enter)");
    case QDialogButtonBox::Save:
        return tr("Saves what was entered and closes the window");
    case QDialogButtonBox::Cancel:
        return cancelTip();
    case QDialogButtonBox::Close:
        return closeTip();
    case QDialogButtonBox::Help:
        return tr("Explains the choices of this window");
    case QDialogButtonBox::Yes:
        return tr("Answers yes");
    case QDialogButtonBox::No:
        return tr("Answers no");
    default:
        return {};
    }
}

} // namespace

QString closeTip()
{
    return tr("Closes this screen (Esc)");
}

QString cancelTip()
{
    return tr("Closes the window and keeps nothing of what was entered (Esc)");
}

void explainButtons(QDialogButtonBox* box)
{
    for (QAbstractButton* button : box->buttons()) {
        if (button->toolTip().isEmpty())
            button->setToolTip(standardTip(box->standardButton(button)));
    }
}

QDialogButtonBox* closeButtons(QDialog* dialog)
{
    auto* box = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    explainButtons(box);
    return box;
}

void addKeepOrCancel(QBoxLayout* row, QDialog* dialog, std::function<bool()> keep)
{
    addActionButton(row, QStringLiteral("&OK"), tr("Keeps these settings and closes the window"),
                    [dialog, keep = std::move(keep)] {
                        if (keep())
                            dialog->accept();
                    });
    addActionButton(row, QStringLiteral("&Cancel"), cancelTip(), [dialog] { dialog->reject(); });
}

} // namespace base
