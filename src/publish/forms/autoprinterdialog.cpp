#include "publish/forms/autoprinterdialog.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/forms/pdfoutput.h"
#include "base/messages.h"
#include "base/run.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QVBoxLayout>

namespace publish {

QString AutoPrinterDialog::pdfChoice()
{
    return QStringLiteral("PDF file");
}

AutoPrinterDialog::AutoPrinterDialog(base::Messages& messages, const AutoPrinter& current,
                                     const QStringList& printers, const QString& note,
                                     QWidget* parent)
    : QDialog(parent), m_messages(messages)
{
    setWindowTitle(QStringLiteral("Printer for the Auto-tasks"));
    auto* layout = new QVBoxLayout(this);
    if (!note.isEmpty()) {
        auto* noteLabel = new QLabel(note, this);
        noteLabel->setWordWrap(true);
        layout->addWidget(noteLabel);
    }
    auto* form = new QFormLayout;
    m_printers = new QComboBox(this);
    m_printers->addItems(printers);
    m_printers->addItem(pdfChoice());
    form->addRow(QStringLiteral("&Printer"), m_printers);

    m_fileRow = new QWidget(this);
    auto* fileRow = new QHBoxLayout(m_fileRow);
    fileRow->setContentsMargins(0, 0, 0, 0);
    m_file = new QLineEdit(current.pdfFile, m_fileRow);
    m_file->setMinimumWidth(320);
    fileRow->addWidget(m_file);
    base::addActionButton(fileRow, QStringLiteral("&Browse..."),
                          tr("Chooses the PDF file the copies are written into"),
                          [this] { browse(); });
    form->addRow(QStringLiteral("PDF &file"), m_fileRow);
    layout->addLayout(form);
    layout->addWidget(new QLabel(
        QStringLiteral("The Auto-tasks print here without asking; the choice is remembered."),
        this));

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
    base::explainButtons(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &AutoPrinterDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &AutoPrinterDialog::reject);
    layout->addWidget(buttons);

    // The remembered printer, else the system's default, else the first one (a PDF file
    // when there is no printer).
    QString start = current.pdfFile.isEmpty() ? current.printerName : pdfChoice();
    if (start.isEmpty() || m_printers->findText(start) < 0)
        start = QPrinterInfo::defaultPrinterName();
    const int at = m_printers->findText(start);
    m_printers->setCurrentIndex(at >= 0 ? at : 0);
    connect(m_printers, &QComboBox::currentIndexChanged, this, [this] { showFileRow(); });
    showFileRow();
}

void AutoPrinterDialog::showFileRow()
{
    m_fileRow->setEnabled(m_printers->currentText() == pdfChoice());
}

void AutoPrinterDialog::browse()
{
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("PDF file"), m_file->text(), QStringLiteral("PDF (*.pdf)"));
    if (!path.isEmpty())
        m_file->setText(path);
}

AutoPrinter AutoPrinterDialog::chosen() const
{
    AutoPrinter out;
    if (m_printers->currentText() == pdfChoice())
        out.pdfFile = m_file->text().trimmed();
    else
        out.printerName = m_printers->currentText();
    return out;
}

void AutoPrinterDialog::accept()
{
    const AutoPrinter choice = chosen();
    if (choice.printerName.isEmpty()) {
        const QString problem = base::pdfPathProblem(choice.pdfFile);
        if (!problem.isEmpty()) {
            m_messages.warning(problem);
            m_file->setFocus();
            return;
        }
    }
    QDialog::accept();
}

std::optional<AutoPrinter> chooseAutoPrinter(base::Run& run, QWidget* parent,
                                             const AutoPrinter& current, const QString& note)
{
    AutoPrinterDialog dialog(run.messages(), current, QPrinterInfo::availablePrinterNames(), note,
                             parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosen();
}

} // namespace publish
