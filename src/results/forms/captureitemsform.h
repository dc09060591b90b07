#pragma once

#include "results/captureprogram.h"

#include <QDialog>

class QListWidget;
class QTableWidget;

namespace base {
class Run;
}

namespace results {

class CaptureListener;
class CapturePanel;

// "During:  Capture  by Item ( Complex ) mode": the items of the meeting, the selected
// item's rounds and heats, and the athletes of the selected heat.
class CaptureItemsForm : public QDialog {
    Q_OBJECT
public:
    CaptureItemsForm(base::Run& run, QWidget* parent = nullptr);
    ~CaptureItemsForm() override;

    void refresh();
    QListWidget* itemList() const { return m_items; }
    QTableWidget* programTable() const { return m_program; }
    CapturePanel* panel() const { return m_panel; }
    const QList<CaptureProgramRow>& rows() const { return m_rows; }
    bool selectEvent(qint64 eventNo);
    void selectProgramRow(qint64 programNo);
    qint64 currentEventNo() const;
    qint64 currentProgramNo() const;
    bool seekSequence(int seq);
    void askFindItem();
    bool goToFinal();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fillItems();
    void showItem();
    void showSelected();
    // The panel shows the highlighted row: after a refill that lost the shown row (an action
    // removed it), the highlight moved without a signal.
    void followSelection();

    base::Run& m_run;
    QList<CaptureProgramRow> m_finals; // one per item, by sequence
    QList<CaptureProgramRow> m_rows;   // the selected item's rows
    QListWidget* m_items;
    QTableWidget* m_program;
    CapturePanel* m_panel;
    CaptureListener* m_listener = nullptr;
};

} // namespace results
