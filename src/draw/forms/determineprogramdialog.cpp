#include "draw/forms/determineprogramdialog.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/run.h"
#include "draw/forms/teamdrawsettings.h"
#include "draw/programeditor.h"
#include "meeting/meetingsettings.h"
#include "meeting/meetingupdate.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSpinBox>

namespace draw {

DetermineProgramDialog::DetermineProgramDialog(base::Run& run, QWidget* parent)
    : QDialog(parent), m_run(run)
{
    setWindowTitle(QStringLiteral("Settings: Determine Program"));
    const meeting::MeetingSettings& settings = run.meeting();
    const int lanes = int(settings.integer(QStringLiteral("DOLVANE_LANE_COUNT")));
    auto* form = new QFormLayout(this);
    m_days = new QLineEdit(QString::number(std::max(1, settings.dayCount())), this);
    m_lanes = new QSpinBox(this);
    m_lanes->setRange(1, 12);
    m_lanes->setValue(lanes > 0 ? lanes : 8);
    m_roundSeqSame = new QCheckBox(QStringLiteral("All heats of one round carry the same "
                                                  "sequence number"),
                                   this);
    m_roundSeqSame->setChecked(settings.roundSeqSame());
    form->addRow(QStringLiteral("Duration Days of Meeting"), m_days);
    form->addRow(QStringLiteral("Lanes in the pool"), m_lanes);
    form->addRow(QString(), m_roundSeqSame);
    auto* teamDraws = new QHBoxLayout;
    base::addActionButton(teamDraws, QStringLiteral("&Constant Team Draw..."),
                          tr("Opens the lane each team always swims in"),
                          [this] { openConstantTeamDraw(this, m_run); });
    base::addActionButton(teamDraws, QStringLiteral("Drawing &Patterns..."),
                          tr("Opens the pattern of lanes the teams are drawn into"),
                          [this] { openPatternDraw(this, m_run); });
    form->addRow(QStringLiteral("Team draws"), teamDraws);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &DetermineProgramDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    base::explainButtons(buttons);
    form->addRow(buttons);
}

void DetermineProgramDialog::accept()
{
    const std::optional<int> days = ProgramEditor(m_run).checkDayCount(m_days->text());
    if (!days)
        return;
    // One checked update; the run's settings are reloaded with it.
    if (!meeting::updateMeeting(
            m_run, {{QStringLiteral("DAY_COUNT"), QString::number(*days)},
                    {QStringLiteral("DOLVANE_LANE_COUNT"), QString::number(m_lanes->value())},
                    {QStringLiteral("ROUND_SEQ_SAME"),
                     QString::number(m_roundSeqSame->isChecked() ? 1 : 0)}}))
        return;
    QDialog::accept();
}

void openDetermineProgram(QWidget* parent, base::Run& run)
{
    if (run.currentMeetingNo() <= 0 || !run.database()) {
        run.messages().warning(QStringLiteral("There is no current meeting selected!"));
        return;
    }
    DetermineProgramDialog dialog(run, parent);
    dialog.exec();
}

void openDescribeItems(QWidget* parent, base::Run& run)
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
    base::explainButtons(buttons);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return;
    meeting::ColumnValues values;
    for (int i = 0; i < flags.size(); ++i)
        values.append({flags[i].first, QString::number(boxes[i]->isChecked() ? 1 : 0)});
    meeting::updateMeeting(run, values);
}

} // namespace draw
