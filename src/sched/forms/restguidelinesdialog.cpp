#include "sched/forms/restguidelinesdialog.h"

#include "base/forms/formkeys.h"
#include "base/messages.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
    base::addActionButton(presets, QStringLiteral("Load &Fast"), [this] {
        loadPreset(true);
    })->setStyleSheet(QStringLiteral("color: blue"));
    base::addActionButton(presets, QStringLiteral("Load &Slow"), [this] {
        loadPreset(false);
    })->setStyleSheet(QStringLiteral("color: green"));
    presets->addStretch();
    layout->addLayout(presets);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Accept"));
    connect(buttons, &QDialogButtonBox::accepted, this, &RestGuidelinesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void RestGuidelinesDialog::loadPreset(bool fast)
{
    if (!m_messages.confirm(fast ? QStringLiteral("Wipe your edits and replace with the \"Fast\" "
                                                  "values (in blue)")
                                 : QStringLiteral("Wipe your edits and replace with the \"Slow\" "
                                                  "(in green)")))
        return;
    const RestGuidelines preset = RestGuidelines::preset(fast);
    for (int i = 0; i < kGuidelineCount; ++i) {
        m_fields[i]->setText(preset.text(i));
        m_fields[i]->setStyleSheet(fast ? QStringLiteral("color: blue")
                                        : QStringLiteral("color: green"));
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
