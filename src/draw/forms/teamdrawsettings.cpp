#include "draw/forms/teamdrawsettings.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/forms/screensize.h"
#include "base/messages.h"
#include "base/run.h"
#include "draw/forms/listwindow.h"
#include "draw/patterndraw.h"
#include "draw/teamlanes.h"

#include <QComboBox>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QVBoxLayout>

namespace draw {

namespace {

QStringList listTexts(QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->data(Qt::UserRole).toString());
    return texts;
}

void fillNumbered(QListWidget* list, const QStringList& teams)
{
    const int keep = list->currentRow();
    list->clear();
    for (int i = 0; i < teams.size(); ++i) {
        auto* item = new QListWidgetItem(QString::number(i + 1).rightJustified(2) +
                                         QStringLiteral("   ") + teams[i]);
        item->setData(Qt::UserRole, teams[i]);
        list->addItem(item);
    }
    list->setCurrentRow(std::clamp(keep, 0, int(list->count()) - 1));
}

// Swaps the current entry with its neighbour; false when there is none.
bool moveInList(QStringList* teams, int row, int step)
{
    const int other = row + step;
    if (row < 0 || other < 0 || other >= teams->size())
        return false;
    teams->swapItemsAt(row, other);
    return true;
}

} // namespace

ConstantTeamDrawForm::ConstantTeamDrawForm(base::Run& run, QWidget* parent)
    : QDialog(parent), m_run(run)
{
    setWindowTitle(QStringLiteral("Constant Team Draw Menu"));
    auto* layout = new QVBoxLayout(this);
    m_gender = new QComboBox(this);
    m_gender->addItems({QStringLiteral("Male"), QStringLiteral("Female")});
    auto* genderLabel = new QLabel(QStringLiteral("&Gender"), this);
    genderLabel->setBuddy(m_gender);
    layout->addWidget(genderLabel);
    layout->addWidget(m_gender);
    m_lanes = new QListWidget(this);
    QFont fixed(QStringLiteral("Monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    m_lanes->setFont(fixed);
    layout->addWidget(new QLabel(QStringLiteral("Lane   Team"), this));
    layout->addWidget(m_lanes, 1);
    base::onListKey(m_lanes, Qt::Key_Delete, [this] { removeLane(); });
    auto* grid = new QGridLayout;
    base::addActionButton(grid, 0, 0, QStringLiteral("&Add Lane..."),
                          tr("Gives a team its lane for this gender"), [this] { addLane(); });
    base::addActionButton(grid, 0, 1, QStringLiteral("&Remove Lane"),
                          tr("Removes the selected lane (Delete)"), [this] { removeLane(); });
    base::addActionButton(grid, 1, 0, QStringLiteral("Move &Up"),
                          tr("Moves the selected team one lane lower"), [this] { moveLane(-1); });
    base::addActionButton(grid, 1, 1, QStringLiteral("Move &Down"),
                          tr("Moves the selected team one lane higher"), [this] { moveLane(1); });
    base::addActionButton(grid, 2, 0, QStringLiteral("After TeamDraw : &Check Lanes used"),
                          tr("After the draw: lists the athletes not in their team's lane"),
                          [this] { checkLanesUsed(); });
    base::addActionButton(grid, 2, 1, QStringLiteral("Close"), base::closeTip(),
                          [this] { accept(); });
    layout->addLayout(grid);
    connect(m_gender, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    base::resizeWithinDesktop(this, QSize(420, 480));
    refresh();
}

QString ConstantTeamDrawForm::genderCode() const
{
    return m_gender->currentIndex() == 0 ? QStringLiteral("M") : QStringLiteral("F");
}

void ConstantTeamDrawForm::refresh()
{
    ConstantTeamLanes lanes(*m_run.database(), m_run.messages(), m_run.currentMeetingNo());
    fillNumbered(m_lanes, lanes.lanes(genderCode()));
}

void ConstantTeamDrawForm::addLane()
{
    ConstantTeamLanes lanes(*m_run.database(), m_run.messages(), m_run.currentMeetingNo());
    const QStringList choices = lanes.missingTeams(genderCode(), lanes.lanes(genderCode()));
    bool ok = false;
    const QString team =
        QInputDialog::getItem(this, windowTitle(),
                              QStringLiteral("Select a ") + genderWord(genderCode()) +
                                  QStringLiteral(" team for the new lane"),
                              choices, 0, false, &ok);
    if (!ok)
        return;
    if (lanes.addLane(genderCode(), team)) {
        refresh();
        m_lanes->setCurrentRow(m_lanes->count() - 1);
    }
}

void ConstantTeamDrawForm::removeLane()
{
    const int lane = m_lanes->currentRow() + 1;
    if (lane < 1)
        return;
    if (!m_run.messages().confirm(
            QStringLiteral("Remove lane ") + QString::number(lane) +
            QStringLiteral(" and move all Lanes up.\r\rPlease note: after you removed the Lane, "
                           "any missing Teams\rwill be added as the last lane immediately.")))
        return;
    ConstantTeamLanes(*m_run.database(), m_run.messages(), m_run.currentMeetingNo())
        .removeLane(genderCode(), lane);
    refresh();
}

void ConstantTeamDrawForm::moveLane(int step)
{
    QStringList teams = listTexts(m_lanes);
    if (teams.isEmpty()) {
        m_run.messages().warning(QStringLiteral("No ") + genderWord(genderCode()) +
                                 QStringLiteral(" teams to order"));
        return;
    }
    const int row = m_lanes->currentRow();
    if (!moveInList(&teams, row, step))
        return;
    ConstantTeamLanes(*m_run.database(), m_run.messages(), m_run.currentMeetingNo())
        .setLanes(genderCode(), teams);
    refresh();
    m_lanes->setCurrentRow(row + step);
}

void ConstantTeamDrawForm::checkLanesUsed()
{
    QStringList lines;
    for (const LaneUse& use : lanesUsed(*m_run.database(), m_run.currentMeetingNo()))
        lines.append(QString::number(use.lane).rightJustified(4) + QStringLiteral("  ") +
                     use.team.leftJustified(8) + QString::number(use.athletes).rightJustified(6));
    ListWindow::showList(this, QStringLiteral("After TeamDraw : Check Lanes used"),
                         QStringLiteral("Lane  Team    Athletes"), lines);
}

PatternDrawForm::PatternDrawForm(base::Run& run, QWidget* parent) : QDialog(parent), m_run(run)
{
    setWindowTitle(QStringLiteral("Drawing Patterns"));
    auto* layout = new QGridLayout(this);
    m_laneCount = new QSpinBox(this);
    m_laneCount->setRange(0, 12);
    auto* lanesLabel = new QLabel(QStringLiteral("&Lanes of the pattern (5 to 9)"), this);
    lanesLabel->setBuddy(m_laneCount);
    layout->addWidget(lanesLabel, 0, 0);
    layout->addWidget(m_laneCount, 0, 1);
    m_male = new QListWidget(this);
    m_female = new QListWidget(this);
    layout->addWidget(new QLabel(QStringLiteral("MALE TEAM NUMBERS"), this), 1, 0);
    layout->addWidget(new QLabel(QStringLiteral("FEMALE TEAM NUMBERS"), this), 1, 1);
    layout->addWidget(m_male, 2, 0);
    layout->addWidget(m_female, 2, 1);
    for (QListWidget* list : {m_male, m_female}) {
        base::onListKey(list, Qt::Key_Minus, [this, list] { moveTeam(list, -1); });
        base::onListKey(list, Qt::Key_Plus, [this, list] { moveTeam(list, 1); });
    }
    base::addActionButton(layout, 3, 0, QStringLiteral("Male number &up"),
                          tr("Moves the selected men's team up the pattern (-)"),
                          [this] { moveTeam(m_male, -1); });
    base::addActionButton(layout, 3, 1, QStringLiteral("Female number u&p"),
                          tr("Moves the selected women's team up the pattern (-)"),
                          [this] { moveTeam(m_female, -1); });
    base::addActionButton(layout, 4, 0, QStringLiteral("Male number &down"),
                          tr("Moves the selected men's team down the pattern (+)"),
                          [this] { moveTeam(m_male, 1); });
    base::addActionButton(layout, 4, 1, QStringLiteral("Female number do&wn"),
                          tr("Moves the selected women's team down the pattern (+)"),
                          [this] { moveTeam(m_female, 1); });
    base::addActionButton(
        layout, 5, 0, QStringLiteral("&Tag all Teams according to what Genders they allow"),
        tr("Lists each team under the genders it has athletes of"), [this] { tagTeams(); });
    base::addActionButton(layout, 5, 1, QStringLiteral("&Renumber the Pattern Sequences"),
                          tr("Numbers the teams of each gender again from 1"),
                          [this] { renumber(); });
    base::addActionButton(layout, 6, 0, QStringLiteral("&Show the Pattern"),
                          tr("Shows which team swims in which lane, heat by heat"),
                          [this] { showPattern(); });
    base::addActionButton(layout, 6, 1, QStringLiteral("Close"), base::closeTip(),
                          [this] { accept(); });
    base::resizeWithinDesktop(this, QSize(620, 520));
    refresh();
}

void PatternDrawForm::refresh()
{
    PatternDraw pattern(*m_run.database(), m_run.items(), m_run.messages(),
                        m_run.currentMeetingNo());
    m_laneCount->setValue(pattern.laneCount());
    fillNumbered(m_male, pattern.teams(QStringLiteral("M")).values());
    fillNumbered(m_female, pattern.teams(QStringLiteral("F")).values());
}

void PatternDrawForm::tagTeams()
{
    PatternDraw(*m_run.database(), m_run.items(), m_run.messages(), m_run.currentMeetingNo())
        .tagTeamsByGender();
    refresh();
}

void PatternDrawForm::moveTeam(QListWidget* list, int step)
{
    QStringList teams = listTexts(list);
    const int row = list->currentRow();
    if (!moveInList(&teams, row, step))
        return;
    PatternDraw(*m_run.database(), m_run.items(), m_run.messages(), m_run.currentMeetingNo())
        .setTeams(list == m_male ? QStringLiteral("M") : QStringLiteral("F"), teams);
    refresh();
    list->setCurrentRow(row + step);
}

void PatternDrawForm::renumber()
{
    PatternDraw pattern(*m_run.database(), m_run.items(), m_run.messages(),
                        m_run.currentMeetingNo());
    if (!pattern.setLaneCount(m_laneCount->value()))
        return;
    const int numbered = pattern.renumber();
    if (numbered >= 0)
        m_run.messages().information(QStringLiteral("Done: ") + QString::number(numbered) +
                                     QStringLiteral(" heats in the pattern sequence"));
}

void PatternDrawForm::showPattern()
{
    PatternDraw pattern(*m_run.database(), m_run.items(), m_run.messages(),
                        m_run.currentMeetingNo());
    if (!pattern.setLaneCount(m_laneCount->value()))
        return;
    const QString report = pattern.report();
    if (report.isEmpty())
        return;
    QStringList lines = report.split(QLatin1Char('\n'));
    const QString heading = lines.takeFirst();
    ListWindow::showList(this, QStringLiteral("Drawing Patterns"), heading, lines);
}

void PatternDrawForm::accept()
{
    if (m_laneCount->value() == 0) { // the pattern is not used
        QDialog::accept();
        return;
    }
    PatternDraw pattern(*m_run.database(), m_run.items(), m_run.messages(),
                        m_run.currentMeetingNo());
    if (!pattern.setLaneCount(m_laneCount->value()) || !pattern.configurationCorrect(true))
        return;
    QDialog::accept();
}

void openConstantTeamDraw(QWidget* parent, base::Run& run)
{
    if (run.currentMeetingNo() <= 0 || !run.database()) {
        run.messages().warning(QStringLiteral("There is no current meeting selected!"));
        return;
    }
    ConstantTeamDrawForm form(run, parent);
    form.exec();
}

void openPatternDraw(QWidget* parent, base::Run& run)
{
    if (run.currentMeetingNo() <= 0 || !run.database()) {
        run.messages().warning(QStringLiteral("There is no current meeting selected!"));
        return;
    }
    PatternDrawForm form(run, parent);
    form.exec();
}

} // namespace draw
