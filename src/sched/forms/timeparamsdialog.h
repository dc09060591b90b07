#pragma once

#include "sched/schedparams.h"

#include <QDialog>
#include <QMap>

class QLineEdit;

namespace base {
class Messages;
}

namespace sched {

// "Time Parameters": the durations the scheduler packs with, as m:ss, with the "Fast" and
// "Slow" presets. Hands the edited values back; the caller stores them.
class TimeParamsDialog : public QDialog {
    Q_OBJECT
public:
    TimeParamsDialog(const TimeParameters& values, bool swimming, base::Messages& messages,
                     QWidget* parent = nullptr);

    const TimeParameters& values() const { return m_values; }
    QLineEdit* field(TimeParam p) const { return m_fields.value(p); }
    // "Load Fast" / "Load Slow", after the confirmation.
    void loadPreset(bool fast);
    void accept() override;

private:
    base::Messages& m_messages;
    TimeParameters m_values;
    QMap<TimeParam, QLineEdit*> m_fields;
};

} // namespace sched
