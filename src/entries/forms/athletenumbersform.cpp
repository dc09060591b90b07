#include "entries/forms/athletenumbersform.h"

#include "base/forms/buttontips.h"

#include "base/forms/screensize.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "entries/entrysettings.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace entries {

namespace {

// The team's name, then the athletes, lowest and highest of all, the males and the females.
constexpr int kTeamColumn = 0;
constexpr int kColumnCount = 10;

QTableWidgetItem* cell(const QString& text, bool number)
{
    auto* item = new QTableWidgetItem(text);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QString numberText(const NumberRange& r, int value)
{
    return r.numbered == 0 ? QString() : QString::number(value);
}

QPushButton* actionButton(const QString& text)
{
    auto* b = new QPushButton(text);
    b->setAutoDefault(false);
    return b;
}

} // namespace

AthleteNumbersForm::AthleteNumbersForm(base::Run& run, QWidget* parent)
    : QDialog(parent), m_run(run), m_numbers(*run.database(), run.currentMeetingNo()),
      m_table(new QTableWidget(this)), m_notIntegers(new QLabel), m_teamFirst(new QLineEdit),
      m_allFirst(new QLineEdit(QStringLiteral("1"))), m_gap(new QLineEdit(QStringLiteral("0")))
{
    setWindowTitle(QStringLiteral("Athlete Numbers"));
    base::resizeWithinDesktop(this, QSize(960, 600));
    m_table->setColumnCount(kColumnCount);
    const QString people = run.globals().personWord() + QStringLiteral("s");
    m_table->setHorizontalHeaderLabels(
        {tr("Team"), people, tr("Lowest"), tr("Highest"), tr("Males"), tr("Males\nlowest"),
         tr("Males\nhighest"), tr("Females"), tr("Females\nlowest"), tr("Females\nhighest")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);
    m_table->setAlternatingRowColors(true);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(kTeamColumn, QHeaderView::Stretch);

    auto* warning =
        new QLabel(AthleteNumbers::warningText().replace(QLatin1Char('\r'), QLatin1Char('\n')));
    warning->setWordWrap(true);
    warning->setStyleSheet(QStringLiteral("QLabel { color: #8a1c1c; }"));
    m_notIntegers->setWordWrap(true);

    auto* oneTeam = new QGroupBox(tr("The selected team"));
    auto* oneForm = new QFormLayout(oneTeam);
    auto* teamButton = actionButton(tr("Renumber &Team"));
    oneForm->addRow(tr("&First number"), m_teamFirst);
    oneForm->addRow(teamButton);
    auto* allTeams = new QGroupBox(tr("All teams"));
    auto* allForm = new QFormLayout(allTeams);
    auto* allButton = actionButton(tr("Renumber &All"));
    allForm->addRow(tr("&Starting number"), m_allFirst);
    allForm->addRow(tr("&Gap between teams"), m_gap);
    allForm->addRow(allButton);
    teamButton->setToolTip(
        tr("Numbers the selected team's swimmers from the first number (Enter in it)"));
    allButton->setToolTip(tr("Numbers the swimmers of every team from the starting number, "
                             "with the gap between teams (Enter in the gap)"));
    connect(teamButton, &QPushButton::clicked, this, &AthleteNumbersForm::renumberTeam);
    connect(allButton, &QPushButton::clicked, this, &AthleteNumbersForm::renumberAll);
    connect(m_teamFirst, &QLineEdit::returnPressed, this, &AthleteNumbersForm::renumberTeam);
    connect(m_gap, &QLineEdit::returnPressed, this, &AthleteNumbersForm::renumberAll);

    auto* tools = new QHBoxLayout;
    tools->addWidget(oneTeam);
    tools->addWidget(allTeams);
    tools->addWidget(warning, 1);
    auto* close = base::closeButtons(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_notIntegers);
    layout->addLayout(tools);
    layout->addWidget(close);
    refresh();
    if (m_table->rowCount() > 0)
        m_table->selectRow(0);
    m_table->setFocus();
}

void AthleteNumbersForm::refresh()
{
    const int keep = m_table->currentRow();
    m_run.database()->refreshReads();
    m_summary = m_numbers.summary();
    m_table->setRowCount(int(m_summary.teams.size()));
    int highest = 0;
    for (int r = 0; r < m_summary.teams.size(); ++r) {
        const TeamNumbers& t = m_summary.teams[r];
        const QStringList cells{t.name + QStringLiteral("  (") + t.abbreviation + QLatin1Char(')'),
                                QString::number(t.all.athletes),
                                numberText(t.all, t.all.lowest),
                                numberText(t.all, t.all.highest),
                                QString::number(t.males.athletes),
                                numberText(t.males, t.males.lowest),
                                numberText(t.males, t.males.highest),
                                QString::number(t.females.athletes),
                                numberText(t.females, t.females.lowest),
                                numberText(t.females, t.females.highest)};
        for (int c = 0; c < cells.size(); ++c)
            m_table->setItem(r, c, cell(cells[c], c != kTeamColumn));
        highest = std::max(highest, t.all.numbered > 0 ? t.all.highest : 0);
    }
    if (keep >= 0 && keep < m_table->rowCount())
        m_table->selectRow(keep);
    // The next free number is the sensible start for one more team.
    m_teamFirst->setText(QString::number(highest + 1));
    m_notIntegers->setText(m_summary.notIntegers == 0
                               ? QString()
                               : QStringLiteral("There are ") +
                                     QString::number(m_summary.notIntegers) +
                                     QStringLiteral(" athlete numbers that are not integers."));
    m_notIntegers->setVisible(m_summary.notIntegers > 0);
}

void AthleteNumbersForm::renumberTeam()
{
    const int row = m_table->currentRow();
    if (row < 0 || row >= m_summary.teams.size())
        return;
    if (m_numbers.renumberTeam(m_summary.teams[row].teamNo, m_teamFirst->text()))
        refresh();
    else
        m_teamFirst->setFocus();
}

void AthleteNumbersForm::renumberAll()
{
    if (m_numbers.renumberAll(m_allFirst->text(), m_gap->text()))
        refresh();
}

void openAthleteNumbers(QWidget* parent, base::Run& run)
{
    if (!AthleteNumbers::offered(run.messages(), EntrySettings::from(run.meeting())))
        return;
    AthleteNumbersForm form(run, parent);
    AthleteNumbers(*run.database(), run.currentMeetingNo()).reportNotIntegers(form.summary());
    form.exec();
}

} // namespace entries
