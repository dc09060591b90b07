#include "entries/forms/importreportdialog.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/forms/screensize.h"
#include "base/forms/textprinter.h"
#include "base/messages.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QVBoxLayout>

namespace entries {

namespace {

const char* kTitle = "Importing Errors and Warnings";

QTableWidgetItem* cell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
    return item;
}

} // namespace

ImportReportDialog::ImportReportDialog(base::Messages& messages, const ImportReport& report,
                                       const QString& path,
                                       const std::function<QString(int)>& nameOfLine,
                                       QWidget* parent)
    : QDialog(parent), m_messages(messages), m_text(report.text(path)), m_csvPath(path),
      m_table(new QTableWidget)
{
    setWindowTitle(QString::fromLatin1(kTitle));
    base::resizeWithinDesktop(this, QSize(980, 620));
    const QList<ImportReport::Line> lines = report.byLine();
    m_table->setColumnCount(3);
    m_table->setHorizontalHeaderLabels({tr("Line"), tr("Name"), tr("Findings")});
    m_table->setRowCount(int(lines.size()));
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setWordWrap(false);
    for (int r = 0; r < lines.size(); ++r) {
        QStringList findings;
        for (const ImportFinding& f : lines[r].findings)
            findings << ImportReport::labelled(f);
        auto* number = cell(QString::number(lines[r].line));
        number->setTextAlignment(Qt::AlignRight | Qt::AlignTop);
        m_table->setItem(r, 0, number);
        m_table->setItem(r, 1, cell(nameOfLine ? nameOfLine(lines[r].line) : QString()));
        m_table->setItem(r, 2, cell(findings.join(QLatin1Char('\n'))));
    }
    QHeaderView* header = m_table->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(2, QHeaderView::Stretch);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* closing = new QLabel(report.closingText(path).trimmed());
    closing->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    closing->setTextInteractionFlags(Qt::TextSelectableByMouse);
    closing->setWordWrap(true);

    auto* tools = new QHBoxLayout;
    base::addActionButton(tools, tr("&Print..."), tr("Prints the errors and warnings"),
                          [this] { print(); });
    base::addActionButton(tools, tr("&Save..."),
                          tr("Saves the errors and warnings to a text file you name"),
                          [this] { save(); });
    base::addActionButton(tools, tr("&Copy"), tr("Copies the errors and warnings as text"),
                          [this] { copy(); });
    tools->addStretch();
    auto* buttons = new QDialogButtonBox;
    auto* goOn = buttons->addButton(QStringLiteral("Continue to import anyway"),
                                    QDialogButtonBox::AcceptRole);
    auto* stop = buttons->addButton(QStringLiteral("Stop"), QDialogButtonBox::RejectRole);
    // Enter must not import a file full of errors by accident.
    goOn->setAutoDefault(false);
    stop->setDefault(true);
    tools->addWidget(buttons);
    goOn->setToolTip(QObject::tr("Imports the lines without errors and leaves out the others"));
    stop->setToolTip(QObject::tr("Imports nothing (Esc or Enter)"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addWidget(closing);
    layout->addLayout(tools);
}

void ImportReportDialog::save()
{
    // Beside the file it reports on, named after it, where the follow-up will look.
    const QFileInfo csv(m_csvPath);
    QFileDialog chooser(this, tr("Save the errors and warnings"),
                        m_csvPath.isEmpty() ? QDir::homePath() : csv.absolutePath(),
                        tr("Text files (*.txt)"));
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setDefaultSuffix(QStringLiteral("txt"));
    chooser.selectFile(csv.completeBaseName() + QStringLiteral("-errors.txt"));
    if (chooser.exec() == QDialog::Accepted && !chooser.selectedFiles().isEmpty())
        saveTo(chooser.selectedFiles().first());
}

bool ImportReportDialog::saveTo(const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text) || file.write(m_text.toUtf8()) < 0 ||
        !file.commit()) {
        m_messages.warning(QStringLiteral("The report could not be saved to ") + path +
                           QStringLiteral(":\r") + file.errorString());
        return false;
    }
    return true;
}

void ImportReportDialog::copy()
{
    QApplication::clipboard()->setText(m_text);
}

void ImportReportDialog::print()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        printTo(printer);
}

void ImportReportDialog::printTo(QPrinter& printer)
{
    base::printPlainText(printer, QString::fromLatin1(kTitle), m_text);
}

} // namespace entries
