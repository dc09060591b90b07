#pragma once

#include "sheets/sheetprinting.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QTableWidget;

namespace base {
class Run;
}

namespace sheets {

// "Print Sheets": the program's heats with how many are drawn and whether their sheets
// were printed; prints the sheets of a heat or a whole round, and the lane timesheets.
class PrintSheetsForm : public QDialog {
    Q_OBJECT
public:
    // Where a print goes; the desktop previews or prints, a test writes a PDF.
    using OutputFactory = std::function<std::unique_ptr<PageOutput>(QWidget* parent)>;

    PrintSheetsForm(base::Run& run, OutputFactory output, QWidget* parent = nullptr);

    QTableWidget* table() const { return m_table; }
    QCheckBox* ignoreDistribution() const { return m_ignore; }
    // Selects the program row of an event's round and heat; false when there is none.
    bool selectHeat(qint64 eventNo, const QString& round, int heatNo);

    void printHeat();
    void printRound();
    void printLaneTimesheets();
    void reload();

private:
    bool print(bool wholeRound);
    int currentRow() const;

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
};

// The desktop's output: a preview, or the printer when the meeting prints without one.
PrintSheetsForm::OutputFactory screenOutput(base::Run& run);

void openPrintSheets(QWidget* parent, base::Run& run);

} // namespace sheets
