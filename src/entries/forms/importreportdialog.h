#pragma once

#include <QDialog>

namespace entries {

// "Importing Errors and Warnings": the findings of a file by line, with the choice to
// import anyway (lines with athlete errors are left out) or stop.
class ImportReportDialog : public QDialog {
    Q_OBJECT
public:
    ImportReportDialog(const QString& reportText, QWidget* parent = nullptr);

    // Shows the report; true when the user chose "Continue to import anyway".
    static bool askToContinue(const QString& reportText, QWidget* parent);
};

} // namespace entries
