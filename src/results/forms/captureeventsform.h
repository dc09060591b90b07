#pragma once

#include "results/captureprogram.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QTableWidget;

namespace base {
class Run;
}

namespace results {

class CaptureListener;
class CapturePanel;

// "During:  Capture by Event ( Simplex ) mode": the program row by row, the athletes of
// the selected row and the capture actions.
class CaptureEventsForm : public QDialog {
    Q_OBJECT
public:
    CaptureEventsForm(base::Run& run, QWidget* parent = nullptr);
    ~CaptureEventsForm() override;

    // Reads the program and the athletes again, keeping the selected rows.
    void refresh();
    QTableWidget* programTable() const { return m_program; }
    CapturePanel* panel() const { return m_panel; }
    QComboBox* orderBox() const { return m_order; }
    const QList<CaptureProgramRow>& rows() const { return m_rows; }
    qint64 currentProgramNo() const;
    void selectProgramRow(qint64 programNo);
    bool isListening() const;

    // "Seek Sequence": the first row of that sequence.
    bool seekSequence(int seq);
    // "Find &Item": the final of an event.
    bool findItem(qint64 eventNo);
    void askFindItem();
    // "Go to &Final" from a heat.
    bool goToFinal();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fillProgram();
    void showSelected();
    // The panel shows the highlighted row: after a refill that lost the shown row (an action
    // removed it), the highlight moved without a signal.
    void followSelection();

    base::Run& m_run;
    QList<CaptureProgramRow> m_rows;
    QComboBox* m_order;
    QTableWidget* m_program;
    CapturePanel* m_panel;
    CaptureListener* m_listener = nullptr;
};

// `publisher` opens the publish launcher from the capture panel (none: no button).
void openCapture(QWidget* parent, base::Run& run, bool complexView,
                 const std::function<void(QWidget*, base::Run&, qint64)>& publisher = {});

} // namespace results
