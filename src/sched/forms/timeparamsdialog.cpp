#include "sched/forms/timeparamsdialog.h"

#include "base/messages.h"
#include "sched/forms/presetrow.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace sched {

TimeParamsDialog::TimeParamsDialog(const TimeParameters& values, bool swimming,
                                   base::Messages& messages, QWidget* parent)
    : QDialog(parent), m_messages(messages), m_values(values)
{
    setWindowTitle(QStringLiteral("Time Parameters"));
    auto* form = new QFormLayout(this);
    form->addRow(new QLabel(QStringLiteral("Minutes and seconds (m:ss)"), this));
    for (TimeParam p : TimeParameters::shown(swimming)) {
        auto* edit = new QLineEdit(values.text(p), this);
        edit->setPlaceholderText(QStringLiteral("m:ss"));
        edit->setMaxLength(7);
        m_fields.insert(p, edit);
        form->addRow(QLatin1String(timeParamSpecs()[int(p) - 1].meaning), edit);
    }
    auto* presets = new QHBoxLayout;
    addPresetButtons(presets, [this](bool fast) { loadPreset(fast); });
    presets->addStretch();
    form->addRow(presets);
    form->addRow(acceptCancelButtons(this));
}

void TimeParamsDialog::loadPreset(bool fast)
{
    if (!m_messages.confirm(presetQuestion(fast)))
        return;
    const TimeParameters preset = TimeParameters::preset(fast);
    for (auto it = m_fields.begin(); it != m_fields.end(); ++it) {
        it.value()->setText(preset.text(it.key()));
        it.value()->setStyleSheet(presetStyle(fast));
    }
}

void TimeParamsDialog::accept()
{
    TimeParameters edited = m_values;
    for (auto it = m_fields.begin(); it != m_fields.end(); ++it) {
        const QString error = checkMinSec(
            QLatin1String(timeParamSpecs()[int(it.key()) - 1].meaning), it.value()->text());
        if (!error.isEmpty()) {
            m_messages.warning(error);
            it.value()->setFocus();
            return;
        }
        edited.setText(it.key(), it.value()->text());
    }
    m_values = edited;
    QDialog::accept();
}

} // namespace sched
