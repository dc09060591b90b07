#include "entries/forms/importreportdialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace entries {

ImportReportDialog::ImportReportDialog(const QString& reportText, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Importing Errors and Warnings"));
    resize(860, 560);
    auto* text = new QPlainTextEdit(reportText);
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* buttons = new QDialogButtonBox;
    auto* goOn = buttons->addButton(QStringLiteral("Continue to import anyway"),
                                    QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Stop"), QDialogButtonBox::RejectRole);
    goOn->setDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
}

bool ImportReportDialog::askToContinue(const QString& reportText, QWidget* parent)
{
    ImportReportDialog dialog(reportText, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace entries
