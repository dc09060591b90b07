#include "results/forms/perfhistoryform.h"

#include "base/forms/buttontips.h"

#include "base/forms/screensize.h"
#include "base/messages.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "results/captureathletes.h"
#include "results/forms/attemptdialog.h"
#include "results/forms/startheightsform.h"
#include "results/statuscodes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace results {

namespace {

// The fixed columns before the attempts or heights.
const QString kOldRuleOption = QStringLiteral("VERTICALS_PLACE_WITH_OLD_RULE");
const QString kCharByCharOption = QStringLiteral("VERTICALS_ADDCHARS_NOT_EDIT");

const QStringList kFixed{
    QStringLiteral("Lane"),        QStringLiteral("Team"),   QStringLiteral("No"),
    QStringLiteral("Name"),        QStringLiteral("Place"),  QStringLiteral("E.Pl"),
    QStringLiteral("Performance"), QStringLiteral("Status"), QStringLiteral("Wind")};

QTableWidgetItem* fixedItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

} // namespace

PerfHistoryForm::PerfHistoryForm(base::Run& run, const CaptureProgramRow& row,
                                 const FieldRace& race, QWidget* parent)
    : QDialog(parent), m_run(run), m_row(row), m_race(race),
      m_history(*run.database(), run.items(), run.meeting())
{
    setWindowTitle(QStringLiteral("Performance History for (") + row.item +
                   QStringLiteral(")  Round  ") + row.round + QStringLiteral("  Heat  ") +
                   QString::number(row.heatNo));
    auto* layout = new QVBoxLayout(this);
    m_grid = new QTableWidget(this);
    m_grid->verticalHeader()->hide();
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(m_grid);
    auto* buttons = new QHBoxLayout;
    auto button = [&](const QString& text, const QKeySequence& key, const QString& tip,
                      void (PerfHistoryForm::*slot)()) {
        auto* b = new QPushButton(text, this);
        b->setShortcut(key);
        b->setToolTip(tip);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
        return b;
    };
    if (vertical()) {
        button(QStringLiteral("Add Height [Ins]"), Qt::Key_Insert,
               tr("Adds the next height as a column (Insert)"), &PerfHistoryForm::addHeight);
        button(QStringLiteral("Delete last Height"), Qt::CTRL | Qt::Key_Delete,
               tr("Deletes the last height with its marks (Ctrl+Delete)"),
               &PerfHistoryForm::deleteHeight);
        button(QStringLiteral("Edit Marks [Enter]"), Qt::Key_F2,
               tr("Types the marks of the selected athlete at the selected height (Enter)"),
               &PerfHistoryForm::editMarks);
        button(QStringLiteral("Starting Height..."), QKeySequence(),
               tr("Opens the starting heights, the first bar offered for this event"),
               &PerfHistoryForm::editStartHeight);
    } else {
        button(QStringLiteral("Add Attempt [Ins]"), Qt::Key_Insert,
               tr("Adds the next attempt as a column (Insert)"), &PerfHistoryForm::addAttempt);
        button(QStringLiteral("Edit Attempt [F2]"), Qt::Key_F2,
               tr("Types the selected attempt (F2 or Enter)"), &PerfHistoryForm::editAttempt);
        button(QStringLiteral("Delete last Attempt [Del]"), Qt::Key_Delete,
               tr("Deletes the selected attempt of the selected athlete (Delete)"),
               &PerfHistoryForm::deleteAttempt);
    }
    // F5 is taken in keyPressEvent so that it reaches the screen from the grid and from the
    // run-through's own fields alike.
    button(QStringLiteral("Run through [F5]"), QKeySequence(),
           tr("Goes through the athletes and their attempts in turn, typing each one (F5)"),
           &PerfHistoryForm::runThrough);
    button(QStringLiteral("Calculate [F9]"), Qt::Key_F9,
           tr("Works out each performance from the attempts, after asking (F9)"),
           &PerfHistoryForm::calculate);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setToolTip(base::closeTip());
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addStretch();
    buttons->addWidget(close);
    m_runThrough = new RunThroughPanel(run, m_history, race, this);
    connect(m_runThrough, &RunThroughPanel::changed, this, &PerfHistoryForm::reload);
    connect(m_runThrough, &RunThroughPanel::stepChanged, this, &PerfHistoryForm::showStep);
    connect(m_runThrough, &RunThroughPanel::stopped, m_grid, [this] { m_grid->setFocus(); });
    layout->addWidget(m_runThrough);
    if (takesWind()) {
        auto* options = new QHBoxLayout;
        auto* label = new QLabel(QStringLiteral("An &attempt asks for"), this);
        m_attemptPrompt = new QComboBox(this);
        m_attemptPrompt->addItems(attemptPromptNames());
        m_attemptPrompt->setCurrentIndex(int(attemptPrompt()));
        m_attemptPrompt->setToolTip(tr("Performance and Wind together; the performance only, "
                                       "the winds typed later; or the wind only, to the marks "
                                       "typed already"));
        label->setBuddy(m_attemptPrompt);
        connect(m_attemptPrompt, &QComboBox::currentTextChanged, this,
                [this](const QString& t) { m_run.config().writeText(kAttemptPromptOption, t); });
        options->addWidget(label);
        options->addWidget(m_attemptPrompt);
        options->addStretch();
        layout->addLayout(options);
    }
    if (vertical()) {
        auto* options = new QHBoxLayout;
        m_charByChar =
            new QCheckBox(QStringLiteral("Type the marks one character at a time"), this);
        m_charByChar->setToolTip(
            tr("X, O and - typed on a height cell add to the marks there; Backspace takes one "
               "back"));
        m_charByChar->setChecked(run.config().readBool(kCharByCharOption));
        connect(m_charByChar, &QCheckBox::toggled, this,
                [this](bool on) { m_run.config().writeBool(kCharByCharOption, on); });
        m_oldRule = new QCheckBox(QStringLiteral("Count-back by the old rule"), this);
        m_oldRule->setToolTip(
            tr("Calculate breaks ties by comparing failures height by height from the top"));
        m_oldRule->setChecked(run.config().readBool(kOldRuleOption));
        connect(m_oldRule, &QCheckBox::toggled, this,
                [this](bool on) { m_run.config().writeBool(kOldRuleOption, on); });
        options->addWidget(m_charByChar);
        options->addWidget(m_oldRule);
        options->addStretch();
        layout->addLayout(options);
        m_grid->installEventFilter(this);
    }
    layout->addLayout(buttons);
    connect(m_grid, &QTableWidget::cellActivated, this,
            [this] { vertical() ? editMarks() : editAttempt(); });
    reload();
    base::resizeWithinDesktop(this, QSize(900, 420));
}

bool PerfHistoryForm::vertical() const
{
    return m_run.items().IsVerticalJump(m_race.itemCode);
}

void PerfHistoryForm::reload()
{
    const int keepRow = std::max(0, m_grid->currentRow());
    const int keepColumn = std::max(0, m_grid->currentColumn());
    m_athletes = captureAthletes(*m_run.database(), m_run.items(), m_row, draw::MemberOrder::Lane);
    m_heights = vertical() ? m_history.heights(m_race) : QList<BarHeight>{};
    m_shownAttempts.clear();
    QList<QList<QString>> cells;
    int extra = int(m_heights.size());
    for (const CaptureAthleteRow& a : m_athletes) {
        QList<QString> line;
        if (vertical()) {
            const QList<HeightMarks> marks = m_history.marks(m_race, a.athleteNo);
            for (const BarHeight& h : m_heights) {
                QString text;
                for (const HeightMarks& m : marks) {
                    if (m.heightSeq == h.heightSeq)
                        text = m.marks;
                }
                line.append(text);
            }
        } else {
            const QList<Attempt> attempts = m_history.attempts(m_race, a.athleteNo);
            m_shownAttempts.insert(a.athleteNo, attempts);
            for (const Attempt& at : attempts)
                line.append(at.wind.isEmpty() ? at.performance
                                              : at.performance + QStringLiteral("  ") + at.wind);
            extra = std::max(extra, int(line.size()) + 1);
        }
        cells.append(line);
    }
    QStringList headers = kFixed;
    for (int i = 0; i < extra; ++i)
        headers.append(vertical() ? m_heights[i].height : QString::number(i + 1));
    m_grid->clear();
    m_grid->setColumnCount(int(headers.size()));
    m_grid->setRowCount(int(m_athletes.size()));
    m_grid->setHorizontalHeaderLabels(headers);
    for (int r = 0; r < m_athletes.size(); ++r) {
        const CaptureAthleteRow& a = m_athletes[r];
        const QStringList fixed{QString::number(a.lane),
                                a.teamAbrv,
                                a.number,
                                a.name(),
                                QString::number(a.place),
                                QString::number(a.ePlace),
                                a.performance,
                                a.status ? DisqStatusAbbrev(m_run.messages(), a.status) : QString(),
                                a.wind};
        for (int c = 0; c < fixed.size(); ++c)
            m_grid->setItem(r, c, fixedItem(fixed[c]));
        for (int c = 0; c < extra; ++c) {
            auto* item = fixedItem(cells[r].value(c));
            // Marks that are not finished yet stand out until corrected.
            if (vertical() && !item->text().isEmpty() && !heightMarksComplete(item->text()))
                item->setBackground(Qt::yellow);
            m_grid->setItem(r, int(kFixed.size()) + c, item);
        }
    }
    m_grid->resizeColumnsToContents();
    if (!m_athletes.isEmpty())
        m_grid->setCurrentCell(std::min(keepRow, int(m_athletes.size()) - 1),
                               std::min(keepColumn, m_grid->columnCount() - 1));
}

qint64 PerfHistoryForm::currentAthlete() const
{
    const int r = m_grid->currentRow();
    return r >= 0 && r < m_athletes.size() ? m_athletes[r].athleteNo : 0;
}

int PerfHistoryForm::currentSeq() const
{
    const int c = m_grid->currentColumn() - int(kFixed.size());
    if (c < 0)
        return 0;
    if (vertical())
        return c < m_heights.size() ? m_heights[c].heightSeq : 0;
    return c + 1;
}

bool PerfHistoryForm::takesWind() const
{
    return !vertical() && m_run.items().WindKind(m_race.itemCode) == 2;
}

AttemptPrompt PerfHistoryForm::attemptPrompt() const
{
    return attemptPromptOf(m_run.config().readText(kAttemptPromptOption));
}

bool PerfHistoryForm::stillInSync(qint64 athlete, int heightSeq)
{
    bool inSync = true;
    if (!vertical()) {
        inSync = m_history.attemptsInSync(m_race, athlete, m_shownAttempts.value(athlete));
    } else {
        inSync = m_history.heightsInSync(m_race, m_heights);
        if (inSync && heightSeq > 0) {
            const QTableWidgetItem* cell = m_grid->currentItem();
            inSync =
                m_history.marksInSync(m_race, athlete, heightSeq, cell ? cell->text() : QString());
        }
    }
    if (!inSync)
        reload();
    return inSync;
}

void PerfHistoryForm::editAttemptAt(qint64 athlete, int seq)
{
    if (!stillInSync(athlete))
        return;
    const QList<Attempt> list = m_history.attempts(m_race, athlete);
    const Attempt current = seq <= list.size() ? list[seq - 1] : Attempt{seq, {}, {}};
    AttemptDialog::Setup setup;
    for (const CaptureAthleteRow& a : m_athletes) {
        if (a.athleteNo == athlete)
            setup.caption = QStringLiteral("(") + QString::number(a.lane) + QStringLiteral(") ") +
                            a.name() + QStringLiteral("   attempt ") + QString::number(seq);
    }
    setup.mask = m_run.items().PerfMask(m_race.itemCode);
    setup.formatName = m_run.items().PerfFormatName(m_race.itemCode);
    setup.takesWind = takesWind();
    setup.prompt = attemptPrompt();
    // A wind goes with a mark: an attempt without one yet is asked for both.
    const QString mark = current.performance.trimmed();
    if (setup.prompt == AttemptPrompt::WindOnly &&
        (mark.isEmpty() || mark == QLatin1String("X") || mark == QLatin1String("-")))
        setup.prompt = AttemptPrompt::PerformanceAndWind;
    setup.performance = current.performance;
    setup.wind = current.wind;
    const AttemptPrompt prompt = setup.prompt;
    AttemptDialog dialog(
        setup,
        [&](const QString& perf, const QString& wind) {
            if (prompt == AttemptPrompt::WindOnly && setup.takesWind)
                return m_history.setAttemptWind(m_race, athlete, seq, wind);
            return m_history.setAttempt(m_race, athlete, seq, perf, wind,
                                        prompt == AttemptPrompt::PerformanceOnly
                                            ? PerfHistory::WindEntry::Later
                                            : PerfHistory::WindEntry::WithMark);
        },
        this);
    dialog.exec();
    reload();
}

void PerfHistoryForm::addAttempt()
{
    const qint64 athlete = currentAthlete();
    if (athlete == 0)
        return;
    editAttemptAt(athlete, int(m_history.attempts(m_race, athlete).size()) + 1);
}

void PerfHistoryForm::editAttempt()
{
    const qint64 athlete = currentAthlete();
    const int seq = currentSeq();
    if (athlete == 0 || seq == 0) {
        m_run.messages().warning(QStringLiteral("Select an attempt first"));
        return;
    }
    editAttemptAt(athlete, seq);
}

void PerfHistoryForm::deleteAttempt()
{
    const qint64 athlete = currentAthlete();
    if (athlete == 0 || !stillInSync(athlete))
        return;
    m_history.deleteAttempt(m_race, athlete, currentSeq());
    reload();
}

void PerfHistoryForm::addHeight()
{
    if (!stillInSync(0))
        return;
    QString height = m_history.offeredHeight(m_race);
    // A refused height is offered again to be corrected, until it is stored or cancelled.
    while (m_run.messages().askText(QStringLiteral("The next Height (") +
                                        m_run.items().PerfMask(m_race.itemCode) + QLatin1Char(')'),
                                    &height) &&
           !m_history.addHeight(m_race, height)) {
    }
    reload();
}

void PerfHistoryForm::editStartHeight()
{
    StartHeightsForm form(m_run, m_race.eventNo, this);
    form.exec();
}

void PerfHistoryForm::deleteHeight()
{
    if (!stillInSync(0))
        return;
    m_history.deleteLastHeight(m_race);
    reload();
}

void PerfHistoryForm::editMarks()
{
    const qint64 athlete = currentAthlete();
    const int seq = currentSeq();
    if (athlete == 0 || seq == 0) {
        m_run.messages().warning(QStringLiteral("This Height is not available"));
        return;
    }
    if (!stillInSync(athlete, seq))
        return;
    QString marks = m_grid->currentItem() ? m_grid->currentItem()->text() : QString();
    // Refused marks are offered again to be corrected, until they are stored or cancelled.
    while (m_run.messages().askText(QStringLiteral("Marks at this height: \"X\", \"-\" and \"O\""),
                                    &marks) &&
           !m_history.setMarks(m_race, athlete, seq, marks)) {
    }
    reload();
}

void PerfHistoryForm::calculate()
{
    if (m_run.messages().confirm(QStringLiteral("Calculate performances\r(Disqualified Athletes "
                                                "will be skipped)")))
        m_history.CalcFromHistory(m_race, m_oldRule && m_oldRule->isChecked());
    reload();
}

void PerfHistoryForm::runThrough()
{
    if (m_runThrough->active()) {
        m_runThrough->stop();
        return;
    }
    m_runThrough->start(m_athletes);
}

void PerfHistoryForm::showStep()
{
    const std::optional<RunThroughStep> step = m_runThrough->step();
    if (!step)
        return;
    int column = -1;
    if (!vertical()) {
        column = int(kFixed.size()) + step->seq - 1;
    } else {
        for (int i = 0; i < m_heights.size(); ++i) {
            if (m_heights[i].heightSeq == step->seq)
                column = int(kFixed.size()) + i;
        }
    }
    for (int r = 0; r < m_athletes.size(); ++r) {
        if (m_athletes[r].athleteNo == step->athleteNo && column >= 0 &&
            column < m_grid->columnCount())
            m_grid->setCurrentCell(r, column);
    }
}

void PerfHistoryForm::reject()
{
    // Escape first leaves the run-through, then the screen.
    if (m_runThrough->active()) {
        m_runThrough->stop();
        return;
    }
    QDialog::reject();
}

void PerfHistoryForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F5) {
        runThrough();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool PerfHistoryForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress && m_charByChar &&
        m_charByChar->isChecked()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (typeMarkKey(key->key(), key->text()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool PerfHistoryForm::typeMarkKey(int key, const QString& text)
{
    const qint64 athlete = currentAthlete();
    const int seq = currentSeq();
    const bool removing = key == Qt::Key_Backspace;
    // Only printable keys and Backspace on a height cell are marks; the rest moves about.
    if (athlete == 0 || seq == 0 || (!removing && (text.size() != 1 || !text[0].isPrint())))
        return false;
    const int row = m_grid->currentRow();
    const int column = m_grid->currentColumn();
    if (!stillInSync(athlete, seq)) {
        m_grid->setCurrentCell(row, column);
        return true;
    }
    const bool ok = removing ? m_history.removeLastMarkChar(m_race, athlete, seq)
                             : m_history.addMarkChar(m_race, athlete, seq, text[0]);
    reload();
    // After a jump the next athlete is up; a refused key leaves the cell where it was.
    const int next = ok && !removing ? (row + 1) % std::max(1, m_grid->rowCount()) : row;
    m_grid->setCurrentCell(next, column);
    return true;
}

} // namespace results
