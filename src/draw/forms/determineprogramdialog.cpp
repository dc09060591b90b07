#include "draw/forms/determineprogramdialog.h"

#include "draw/meetingvalues.h"
#include "draw/programeditor.h"
#include "meeting/meetingsettings.h"
#include "shell/run.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

namespace draw {

namespace {

// Keeps the run's loaded settings in step with what was written.
void remember(shell::Run& run, const QString& column, int value)
{
    if (run.meeting().meetingNo() == run.currentMeetingNo())
        run.meeting().setValue(column, QString::number(value));
}

} // namespace

DetermineProgramDialog::DetermineProgramDialog(shell::Run& run, QWidget* parent)
    : QDialog(parent), m_run(run)
{
    setWindowTitle(QStringLiteral("Settings: Determine Program"));
    const MeetingValues values = readMeetingValues(*run.database(), run.currentMeetingNo());
    auto* form = new QFormLayout(this);
    m_days = new QLineEdit(QString::number(std::max(1, values.dayCount)), this);
    m_lanes = new QSpinBox(this);
    m_lanes->setRange(1, 12);
    m_lanes->setValue(values.lanes.dolvaneLaneCount > 0 ? values.lanes.dolvaneLaneCount : 8);
    m_roundSeqSame = new QCheckBox(QStringLiteral("All heats of one round carry the same "
                                                  "sequence number"),
                                   this);
    m_roundSeqSame->setChecked(values.roundSeqSame);
    form->addRow(QStringLiteral("Duration Days of Meeting"), m_days);
    form->addRow(QStringLiteral("Lanes in the pool"), m_lanes);
    form->addRow(QString(), m_roundSeqSame);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &DetermineProgramDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

void DetermineProgramDialog::accept()
{
    db::DmdCoreDbs& database = *m_run.database();
    const int meetingNo = m_run.currentMeetingNo();
    ProgramEditor editor(database, m_run.messages(), meetingNo);
    if (!editor.setDayCount(m_days->text()))
        return;
    remember(m_run, QStringLiteral("DAY_COUNT"), m_days->text().trimmed().toInt());
    writeMeetingInt(database, meetingNo, QStringLiteral("DOLVANE_LANE_COUNT"), m_lanes->value());
    remember(m_run, QStringLiteral("DOLVANE_LANE_COUNT"), m_lanes->value());
    const int same = m_roundSeqSame->isChecked() ? 1 : 0;
    writeMeetingInt(database, meetingNo, QStringLiteral("ROUND_SEQ_SAME"), same);
    remember(m_run, QStringLiteral("ROUND_SEQ_SAME"), same);
    QDialog::accept();
}

void openDetermineProgram(QWidget* parent, shell::Run& run)
{
    if (run.currentMeetingNo() <= 0 || !run.database()) {
        run.messages().warning(QStringLiteral("There is no current meeting selected!"));
        return;
    }
    DetermineProgramDialog dialog(run, parent);
    dialog.exec();
}

void openDescribeItems(QWidget* parent, shell::Run& run)
{
    if (run.currentMeetingNo() <= 0 || !run.database()) {
        run.messages().warning(QStringLiteral("There is no current meeting selected!"));
        return;
    }
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Settings: Describe Items"));
    auto* form = new QFormLayout(&dialog);
    const QList<std::pair<QString, QString>> flags{
        {QStringLiteral("HAS_N_ATHLONS"), QStringLiteral("The meeting has n-Athlons")},
        {QStringLiteral("SHOW_COMBINE"), QStringLiteral("Show combined items")},
        {QStringLiteral("COMBINED_RESULTS_IS_ONE"),
         QStringLiteral("Combined items have one result list")},
        {QStringLiteral("SHOW_SPECIALISED"), QStringLiteral("Show specialised items")}};
    QList<QCheckBox*> boxes;
    for (const auto& [column, text] : flags) {
        auto* box = new QCheckBox(text, &dialog);
        box->setChecked(run.meeting().integer(column) == 1);
        form->addRow(box);
        boxes.append(box);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return;
    for (int i = 0; i < flags.size(); ++i) {
        const int value = boxes[i]->isChecked() ? 1 : 0;
        writeMeetingInt(*run.database(), run.currentMeetingNo(), flags[i].first, value);
        remember(run, flags[i].first, value);
    }
}

} // namespace draw
