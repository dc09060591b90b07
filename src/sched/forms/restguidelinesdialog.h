#pragma once

#include "sched/restguidelines.h"

#include <QDialog>

#include <array>

class QLineEdit;

namespace base {
class Messages;
}

namespace sched {

// "Specify the Resting Parameters between two Events": the sixteen guidelines as a grid of
// the first event's class against the second's, in minutes, with the "Fast" (blue) and
// "Slow" (green) presets. Hands the values back; the caller stores them.
class RestGuidelinesDialog : public QDialog {
    Q_OBJECT
public:
    RestGuidelinesDialog(const RestGuidelines& values, base::Messages& messages,
                         QWidget* parent = nullptr);

    const RestGuidelines& values() const { return m_values; }
    QLineEdit* field(int index) const { return m_fields[index]; }
    void loadPreset(bool fast);
    void accept() override;

private:
    base::Messages& m_messages;
    RestGuidelines m_values;
    std::array<QLineEdit*, kGuidelineCount> m_fields{};
};

} // namespace sched
