#pragma once

#include "publish/publishsettings.h"

#include <QDialog>
#include <QStringList>

#include <optional>

class QComboBox;
class QLineEdit;

namespace base {
class Messages;
class Run;
} // namespace base

namespace publish {

// Chooses where the auto tasks print: one of the installed printers or a PDF file. The
// choice is handed back; the caller remembers it.
class AutoPrinterDialog : public QDialog {
    Q_OBJECT
public:
    // `note` says why the choice is asked for (empty when the user asked).
    AutoPrinterDialog(base::Messages& messages, const AutoPrinter& current,
                      const QStringList& printers, const QString& note, QWidget* parent = nullptr);

    AutoPrinter chosen() const;
    QComboBox* printerBox() const { return m_printers; }
    QLineEdit* fileEdit() const { return m_file; }
    // The entry of the printer list that prints into a PDF file.
    static QString pdfChoice();

    // A PDF file must be named and writable before the choice is kept.
    void accept() override;

private:
    void browse();
    void showFileRow();

    base::Messages& m_messages;
    QComboBox* m_printers;
    QLineEdit* m_file;
    QWidget* m_fileRow;
};

// Asks for the auto tasks' printer among the installed ones; empty when cancelled.
std::optional<AutoPrinter> chooseAutoPrinter(base::Run& run, QWidget* parent,
                                             const AutoPrinter& current, const QString& note);

} // namespace publish
