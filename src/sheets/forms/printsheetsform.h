#pragma once

#include "sheets/sheetprinting.h"

#include <QDialog>
#include <QList>

#include <optional>

class QCheckBox;
class QTableWidget;

namespace base {
class Run;
}

namespace sheets {

// "Print Sheets": the program's heats with how many are drawn and whether their sheets
// were printed; prints the sheets of a heat or a whole round, a heat's result lists and the
// lane timesheets.
class PrintSheetsForm : public QDialog {
    Q_OBJECT
public:
    // Where a print goes; the desktop previews or prints, a test writes a PDF.
    using OutputFactory = std::function<std::unique_ptr<PageOutput>(QWidget* parent)>;

    PrintSheetsForm(base::Run& run, OutputFactory output, QWidget* parent = nullptr);

    QTableWidget* table() const { return m_table; }
    QCheckBox* ignoreDistribution() const { return m_ignore; }
    QCheckBox* toPdf() const { return m_toPdf; }
    // Selects the program row of an event's round and heat; false when there is none.
    bool selectHeat(qint64 eventNo, const QString& round, int heatNo);

    void printHeat();
    void printRound();
    // The result lists of the chosen heat (a final: the final's).
    void printResults();
    void printLaneTimesheets();
    void reload();

private:
    bool print(bool wholeRound);
    // The chosen heat (or its whole round); nothing after the message when none is chosen.
    std::optional<PrintRequest> chosenRequest(bool wholeRound);
    int currentRow() const;
    // The output of one print: a PDF file the user names when "Print to a PDF file" is
    // ticked (null when the naming is cancelled), else the form's output.
    std::unique_ptr<PageOutput> output();

    struct Row {
        qint64 eventNo = 0;
        QString round;
        int heatNo = 0;
    };
    base::Run& m_run;
    OutputFactory m_output;
    QList<Row> m_rows;
    QTableWidget* m_table = nullptr;
    QCheckBox* m_ignore = nullptr;
    QCheckBox* m_toPdf = nullptr;
};

// The desktop's output: a preview, or the printer when the meeting prints without one.
PrintSheetsForm::OutputFactory screenOutput(base::Run& run);

void openPrintSheets(QWidget* parent, base::Run& run);

} // namespace sheets
