#pragma once

#include "entries/importreport.h"

#include <QDialog>

#include <functional>

class QPrinter;
class QTableWidget;

namespace base {
class Messages;
}

namespace entries {

// "Importing Errors and Warnings": each line of the file with findings once, with the
// swimmer it names and all its findings, then the counts and the advice to print them.
// The report can be printed, saved as a text file or copied; the user then imports
// anyway (lines with athlete errors are left out) or stops.
class ImportReportDialog : public QDialog {
    Q_OBJECT
public:
    // `nameOfLine` gives "SURNAME, First (TEAM)" for a line of the file.
    ImportReportDialog(base::Messages& messages, const ImportReport& report, const QString& path,
                       const std::function<QString(int)>& nameOfLine, QWidget* parent = nullptr);

    // The report as it is printed, saved and copied.
    const QString& reportText() const { return m_text; }
    QTableWidget* table() const { return m_table; }

    // Asks where and saves; the file is written whole or not at all.
    void save();
    bool saveTo(const QString& path);
    void copy();
    void print();
    void printTo(QPrinter& printer);

private:
    base::Messages& m_messages;
    QString m_text;
    QString m_csvPath;
    QTableWidget* m_table;
};

} // namespace entries
