#pragma once

#include "sheets/lanetimesheets.h"

#include <QDialog>

class QLineEdit;

namespace base {
class Run;
}

namespace sheets {

// Asks for the lanes to print and the events per page; refuses limits out of range with
// the message and stays open.
class LaneTimesheetsDialog : public QDialog {
    Q_OBJECT
public:
    LaneTimesheetsDialog(base::Run& run, const LaneLimits& limits, QWidget* parent = nullptr);

    LaneLimits limits() const { return m_limits; }
    QLineEdit* lanesEdit() const { return m_lanes; }
    QLineEdit* perPageEdit() const { return m_perPage; }

    void accept() override;

private:
    base::Run& m_run;
    LaneLimits m_limits;
    QLineEdit* m_lanes = nullptr;
    QLineEdit* m_perPage = nullptr;
};

} // namespace sheets
