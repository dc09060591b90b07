#include "sched/forms/restguidelinesdialog.h"

#include "base/messages.h"
#include "sched/forms/presetrow.h"
#include "sched/schedparams.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace sched {

RestGuidelinesDialog::RestGuidelinesDialog(const RestGuidelines& values, base::Messages& messages,
                                           QWidget* parent)
    : QDialog(parent), m_messages(messages), m_values(values)
{
    setWindowTitle(QStringLiteral("Specify the Resting Parameters between two Events"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Time in minutes"), this));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("First item \\ Second item"), this), 0, 0);
    for (int c = 0; c < kRestClassCount; ++c) {
        grid->addWidget(new QLabel(restClassLabel(RestClass(c)), this), 0, c + 1, Qt::AlignCenter);
        grid->addWidget(new QLabel(restClassLabel(RestClass(c)), this), c + 1, 0);
    }
    for (int i = 0; i < kGuidelineCount; ++i) {
        auto* edit = new QLineEdit(values.text(i), this);
        edit->setMaxLength(5);
        edit->setAlignment(Qt::AlignRight);
        edit->setToolTip(guidelinePairName(i).simplified());
        m_fields[i] = edit;
        grid->addWidget(edit, i / kRestClassCount + 1, i % kRestClassCount + 1);
    }
    layout->addLayout(grid);
    auto* presets = new QHBoxLayout;
    addPresetButtons(presets, [this](bool fast) { loadPreset(fast); });
    presets->addStretch();
    layout->addLayout(presets);
    layout->addWidget(acceptCancelButtons(this));
}

void RestGuidelinesDialog::loadPreset(bool fast)
{
    if (!m_messages.confirm(presetQuestion(fast)))
        return;
    const RestGuidelines preset = RestGuidelines::preset(fast);
    for (int i = 0; i < kGuidelineCount; ++i) {
        m_fields[i]->setText(preset.text(i));
        m_fields[i]->setStyleSheet(presetStyle(fast));
    }
}

void RestGuidelinesDialog::accept()
{
    RestGuidelines edited = m_values;
    for (int i = 0; i < kGuidelineCount; ++i) {
        const QString error = checkGuideline(i, m_fields[i]->text());
        if (!error.isEmpty()) {
            m_messages.warning(error);
            m_fields[i]->setFocus();
            return;
        }
        edited.setText(i, m_fields[i]->text());
    }
    m_values = edited;
    QDialog::accept();
}

} // namespace sched
