#include "results/forms/absenteeform.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/forms/screensize.h"
#include "base/messages.h"
#include "base/run.h"
#include "draw/drawround.h"
#include "meeting/itemtypes.h"
#include "results/awolqueue.h"
#include "results/places.h"
#include "results/qualifying.h"
#include "results/statuscodes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace results {

namespace {

QTableWidget* listTable(QWidget* owner, const QStringList& headings)
{
    auto* table = new QTableWidget(0, int(headings.size()), owner);
    table->setHorizontalHeaderLabels(headings);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

void setRow(QTableWidget* table, int row, const QStringList& cells)
{
    for (int column = 0; column < cells.size(); ++column)
        table->setItem(row, column, new QTableWidgetItem(cells[column]));
}

QString roundText(const QString& round, int heat)
{
    return round == QLatin1String("F") ? QStringLiteral("Final") : round + QString::number(heat);
}

} // namespace

AbsenteeForm::AbsenteeForm(base::Run& run, int currentSeq, QWidget* parent)
    : QDialog(parent), m_run(run), m_currentSeq(currentSeq)
{
    setWindowTitle(QStringLiteral("Awol: athletes who did not start (WorldAth Rule 142)"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* rangeLabel = new QLabel(QStringLiteral("Auto-&Tag:"), this);
    m_range = new QComboBox(this);
    m_range->addItems(awolRangeNames());
    rangeLabel->setBuddy(m_range);
    m_specified = new QSpinBox(this);
    m_specified->setRange(0, 9999);
    m_specified->setToolTip(QStringLiteral("The sequence of \"Auto-Tag from Specified Sequence "
                                           "onwards:\""));
    const AwolOptions saved = readAwolOptions(run.config());
    m_range->setCurrentIndex(int(saved.range));
    m_specified->setValue(saved.specifiedSeq);
    top->addWidget(rangeLabel);
    top->addWidget(m_range, 1);
    top->addWidget(m_specified);
    m_candidatesOnly = new QCheckBox(QStringLiteral("Only athletes with a DNS or DNR"), this);
    m_candidatesOnly->setChecked(true);
    top->addWidget(m_candidatesOnly);
    layout->addLayout(top);

    m_athletes = listTable(
        this, {QStringLiteral("Surname"), QStringLiteral("Name"), QStringLiteral("Team"),
               QStringLiteral("Awol"), QStringLiteral("DNS/DNR"), QStringLiteral("DNSA"),
               QStringLiteral("OIA"), QStringLiteral("Items"), QStringLiteral("First DNS Seq")});
    layout->addWidget(m_athletes, 2);
    layout->addWidget(new QLabel(QStringLiteral("The athlete's items:"), this));
    m_entries = listTable(this, {QStringLiteral("Seq"), QStringLiteral("Item"),
                                 QStringLiteral("Round"), QStringLiteral("Lane"),
                                 QStringLiteral("Place"), QStringLiteral("Performance"),
                                 QStringLiteral("Status"), QStringLiteral("Reason")});
    layout->addWidget(m_entries, 1);

    auto* actions = new QGridLayout;
    base::addActionButton(actions, 0, 0, QStringLiteral("&Auto-Actions"),
                          tr("Tags the absentees of the chosen range of sequences by the rule"),
                          [this] { autoActions(); });
    base::addActionButton(actions, 0, 1, QStringLiteral("Tag Athlete A&wol"),
                          tr("Tags the selected athlete absent without leave"),
                          [this] { tagAwol(true); });
    base::addActionButton(actions, 0, 2, QStringLiteral("&Remove the Awol tag"),
                          tr("Takes the Awol tag off the selected athlete"),
                          [this] { tagAwol(false); });
    base::addActionButton(actions, 0, 3, QStringLiteral("Tag the Item &OIA"),
                          tr("Tags the selected entry OIA"), [this] { tagOia(true); });
    base::addActionButton(actions, 1, 0, QStringLiteral("Remove the OIA ta&g"),
                          tr("Takes the OIA tag off the selected entry"),
                          [this] { tagOia(false); });
    base::addActionButton(actions, 1, 1, QStringLiteral("A&bsolve the DNS"),
                          tr("Excuses the selected entry's DNS: it no longer counts against "
                             "the athlete"),
                          [this] { absolve(true); });
    base::addActionButton(actions, 1, 2, QStringLiteral("Re&vert to DNS"),
                          tr("Counts the selected entry's DNS again"), [this] { absolve(false); });
    base::addActionButton(actions, 1, 3, QStringLiteral("Awol &Que"),
                          tr("Opens the heats waiting to be redrawn or recalculated"),
                          [this] { openQueue(); });
    layout->addLayout(actions);
    layout->addWidget(
        base::actionButton(this, QStringLiteral("Close"), base::closeTip(), [this] { accept(); }));

    connect(m_athletes, &QTableWidget::currentCellChanged, this, [this] { fillEntries(); });
    connect(m_candidatesOnly, &QCheckBox::toggled, this, [this] { refresh(); });
    base::onListKey(m_athletes, Qt::Key_Return, [this] { m_entries->setFocus(); });
    base::resizeWithinDesktop(this, QSize(900, 620));
    refresh();
    m_athletes->setFocus();
}

AwolOptions AbsenteeForm::options() const
{
    AwolOptions o;
    o.range = AwolRange(std::max(0, m_range->currentIndex()));
    o.currentSeq = m_currentSeq;
    o.specifiedSeq = m_specified->value();
    return o;
}

void AbsenteeForm::refresh()
{
    const qint64 keep = currentAthleteNo();
    m_all = awolAthletes(*m_run.database(), m_run.currentMeetingNo());
    m_shown.clear();
    for (const AwolAthlete& a : std::as_const(m_all))
        if (!m_candidatesOnly->isChecked() || a.disqsDns > 0 || a.awol || a.disqsOia > 0 ||
            a.disqsDnsa > 0)
            m_shown.append(a);
    const QSignalBlocker block(m_athletes);
    m_athletes->setRowCount(int(m_shown.size()));
    for (int r = 0; r < m_shown.size(); ++r) {
        const AwolAthlete& a = m_shown[r];
        setRow(m_athletes, r,
               {a.surname, a.firstName, a.teamAbrv, a.awol ? QStringLiteral("Awol") : QString(),
                QString::number(a.disqsDns), QString::number(a.disqsDnsa),
                QString::number(a.disqsOia), QString::number(a.itemCount),
                a.firstDnsSeq > 0 ? QString::number(a.firstDnsSeq) : QString()});
    }
    if (!selectAthlete(keep) && !m_shown.isEmpty())
        m_athletes->setCurrentCell(0, 0);
    fillEntries();
}

bool AbsenteeForm::selectAthlete(qint64 athleteNo)
{
    for (int r = 0; r < m_shown.size(); ++r) {
        if (m_shown[r].athleteNo == athleteNo) {
            m_athletes->setCurrentCell(r, 0);
            return true;
        }
    }
    return false;
}

const AwolAthlete* AbsenteeForm::current() const
{
    const int r = m_athletes->currentRow();
    return r >= 0 && r < m_shown.size() ? &m_shown[r] : nullptr;
}

qint64 AbsenteeForm::currentAthleteNo() const
{
    const AwolAthlete* a = current();
    return a ? a->athleteNo : 0;
}

void AbsenteeForm::fillEntries()
{
    const AwolAthlete* a = current();
    const QList<AthleteEntry> entries = a ? a->entries : QList<AthleteEntry>();
    const int keep = m_entries->currentRow();
    m_entries->setRowCount(int(entries.size()));
    for (int r = 0; r < entries.size(); ++r) {
        const AthleteEntry& e = entries[r];
        setRow(m_entries, r,
               {QString::number(e.finalSeq), m_run.items().ItemDescription(e.itemCode, false),
                roundText(e.row.round, e.row.heatNo), QString::number(e.row.lane),
                QString::number(e.row.place), e.row.performance,
                e.row.status > 0 ? DisqStatusAbbrev(m_run.messages(), e.row.status) : QString(),
                e.row.reason});
    }
    if (!entries.isEmpty())
        m_entries->setCurrentCell(std::clamp(keep, 0, int(entries.size()) - 1), 0);
}

void AbsenteeForm::autoActions()
{
    const AwolOptions o = options();
    writeAwolOptions(m_run.config(), o);
    AutoAwolActions(*m_run.database(), m_run.items(), m_run.currentMeetingNo(), o);
    refresh();
}

void AbsenteeForm::tagAwol(bool tag)
{
    const qint64 athleteNo = currentAthleteNo();
    if (athleteNo <= 0) {
        m_run.messages().warning(QStringLiteral("Select an Athlete first."));
        return;
    }
    if (tag)
        tagAthleteAwolByHand(*m_run.database(), athleteNo);
    else
        untagAthleteAwolByHand(*m_run.database(), m_run.items(), athleteNo);
    refresh();
}

void AbsenteeForm::tagOia(bool tag)
{
    const AwolAthlete* a = current();
    const int r = m_entries->currentRow();
    if (!a || r < 0 || r >= a->entries.size()) {
        m_run.messages().warning(QStringLiteral("Select an Item of the Athlete first."));
        return;
    }
    TagItemOia(*m_run.database(), m_run.items(), a->entries[r].row, tag);
    refresh();
}

void AbsenteeForm::absolve(bool absolveDns)
{
    const qint64 athleteNo = currentAthleteNo();
    if (athleteNo <= 0) {
        m_run.messages().warning(QStringLiteral("Select an Athlete first."));
        return;
    }
    AbsolveDns(*m_run.database(), athleteNo, absolveDns);
    refresh();
}

void AbsenteeForm::openQueue()
{
    AwolQueueForm queue(m_run, this);
    queue.exec();
    refresh();
}

AwolQueueForm::AwolQueueForm(base::Run& run, QWidget* parent) : QDialog(parent), m_run(run)
{
    setWindowTitle(QStringLiteral("Awol Que"));
    auto* layout = new QVBoxLayout(this);
    m_table =
        listTable(this, {QStringLiteral("Action"), QStringLiteral("Item"), QStringLiteral("Round"),
                         QStringLiteral("Due to"), QStringLiteral("Done"), QStringLiteral("Placed"),
                         QStringLiteral("Drawn")});
    layout->addWidget(m_table, 1);
    auto* buttons = new QHBoxLayout;
    base::addActionButton(buttons, QStringLiteral("&Process the Que"),
                          tr("Recalculates and redraws the heats of the queue"),
                          [this] { process(); });
    buttons->addStretch(1);
    base::addActionButton(buttons, QStringLiteral("Close"), base::closeTip(), [this] { accept(); });
    layout->addLayout(buttons);
    base::resizeWithinDesktop(this, QSize(760, 420));
    refresh();
}

void AwolQueueForm::refresh()
{
    const QList<AwolQueueItem> items = awolQueue(*m_run.database(), m_run.currentMeetingNo());
    m_table->setRowCount(int(items.size()));
    for (int r = 0; r < items.size(); ++r) {
        const AwolQueueItem& q = items[r];
        setRow(m_table, r,
               {q.action, m_run.items().ItemDescription(q.itemCode, false),
                roundText(q.round, q.heatNo), q.athleteName,
                q.done ? QStringLiteral("Done") : QStringLiteral("to do"),
                QString::number(q.placedCount), QString::number(q.drawnCount)});
    }
}

void AwolQueueForm::process()
{
    Places places(*m_run.database(), m_run.items(), m_run.meeting(),
                  meetingQualifyingTest(*m_run.database(), m_run.items(), m_run.meeting()));
    draw::DrawRandom random;
    draw::DrawEngine engine(*m_run.database(), m_run.items(), m_run.meeting(), random);
    draw::RoundDrawing drawing(engine);
    const AwolQueueRun done = processAwolQueue(*m_run.database(), m_run.currentMeetingNo(), places,
                                               roundRedrawBy(drawing));
    QString text = QStringLiteral("Recalculated: ") + QString::number(done.recalculated) +
                   QStringLiteral("\rRedrawn: ") + QString::number(done.redrawn);
    for (const QString& line : done.waiting)
        text += QLatin1Char('\r') + line;
    m_run.messages().information(text);
    refresh();
}

void openAbsentees(QWidget* parent, base::Run& run, int currentSeq)
{
    AbsenteeForm form(run, currentSeq, parent);
    form.exec();
}

} // namespace results
