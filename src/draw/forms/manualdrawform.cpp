#include "draw/forms/manualdrawform.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/forms/screensize.h"
#include "base/messages.h"
#include "base/run.h"
#include "draw/drawcheck.h"
#include "draw/drawsummary.h"
#include "draw/forms/listwindow.h"
#include "meeting/itemtypes.h"

#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace draw {

namespace {

enum Column {
    Sel,
    Surname,
    FirstName,
    Team,
    PlaceBefore,
    PerfBefore,
    HeatBefore,
    LaneBefore,
    Heat,
    Lane,
    ColumnCount
};

QString number(int value)
{
    return value > 0 ? QString::number(value) : QString();
}

} // namespace

QStringList manualActionTexts()
{
    return {QStringLiteral("Select the athletes and Drawn them randomly"),
            QStringLiteral("Edit Lanes (and Heats) manually"),
            QStringLiteral("Swop two Athletes of the same Team"),
            QStringLiteral("Swop any two Athletes"), QStringLiteral("Clear the Draw")};
}

bool askHeatLane(QWidget* parent, const QString& who, QString* heat, QString* lane)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Edit Lane"));
    auto* form = new QFormLayout(&dialog);
    form->addRow(new QLabel(who, &dialog));
    auto* heatEdit = new QLineEdit(*heat, &dialog);
    auto* laneEdit = new QLineEdit(*lane, &dialog);
    form->addRow(QStringLiteral("&Heat"), heatEdit);
    form->addRow(QStringLiteral("&Lane"), laneEdit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    base::explainButtons(buttons);
    form->addRow(buttons);
    laneEdit->setFocus();
    laneEdit->selectAll();
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *heat = heatEdit->text();
    *lane = laneEdit->text();
    return true;
}

ManualDrawForm::ManualDrawForm(base::Run& run, qint64 eventNo, const QString& round,
                               ManualAction action, QWidget* parent)
    : QDialog(parent), m_run(run), m_draw(*run.database(), run.items(), run.messages()),
      m_action(action), m_seed(quint32(QDateTime::currentMSecsSinceEpoch()))
{
    setWindowTitle(QStringLiteral("Draw Athletes Manually: ") +
                   manualActionTexts().value(int(action)));
    auto* layout = new QVBoxLayout(this);
    m_title = new QLabel(this);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    layout->addWidget(m_title);
    auto* top = new QHBoxLayout;
    m_order = new QComboBox(this);
    m_order->addItems(
        {QStringLiteral("Previous heat and place"), QStringLiteral("Previous heat and lane"),
         QStringLiteral("This heat and lane"), QStringLiteral("Previous performance")});
    m_order->setCurrentIndex(action == ManualAction::SelectAndDraw ? 0 : 2);
    m_heat = new QComboBox(this);
    auto* orderLabel = new QLabel(QStringLiteral("&Order"), this);
    orderLabel->setBuddy(m_order);
    auto* heatLabel = new QLabel(QStringLiteral("&Show"), this);
    heatLabel->setBuddy(m_heat);
    top->addWidget(orderLabel);
    top->addWidget(m_order);
    top->addWidget(heatLabel);
    top->addWidget(m_heat);
    top->addStretch(1);
    if (action == ManualAction::SelectAndDraw)
        top->addWidget(new QLabel(QStringLiteral("<F5> = Select/Unselect the Athlete"), this));
    layout->addLayout(top);

    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("Sel"), QStringLiteral("Surname"), QStringLiteral("Name"),
         QStringLiteral("Team"), QStringLiteral("Place before"), QStringLiteral("Perf before"),
         QStringLiteral("Heat before"), QStringLiteral("Lane before"), QStringLiteral("Heat"),
         QStringLiteral("Lane")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The names share the room that is left; the numbers take what they need.
    m_table->horizontalHeader()->setSectionResizeMode(Surname, QHeaderView::Stretch);
    m_table->horizontalHeader()->setSectionResizeMode(FirstName, QHeaderView::Stretch);
    layout->addWidget(m_table, 1);
    if (action == ManualAction::EditLanes) {
        connect(m_table, &QTableWidget::cellDoubleClicked, this, [this] { editLane(); });
        base::onListKey(m_table, Qt::Key_Return, [this] { editLane(); });
    } else if (action != ManualAction::Clear) {
        base::onListKey(m_table, Qt::Key_Space, [this] { toggleSelected(); });
    }

    auto* buttons = new QHBoxLayout;
    const auto add = [buttons](const QString& text, const QString& tip, std::function<void()> fn) {
        base::addActionButton(buttons, text, tip, std::move(fn));
    };
    switch (action) {
    case ManualAction::SelectAndDraw:
        add(QStringLiteral("&Select Places and Performances"),
            tr("Ticks the athletes by their place and performance in the round before"),
            [this] { selectPlacesAndPerformances(); });
        add(QStringLiteral("&Draw"), tr("Draws the ticked athletes into the heats and lanes"),
            [this] { drawSelected(); });
        break;
    case ManualAction::EditLanes:
        add(QStringLiteral("&Edit Lane"),
            tr("Changes the heat and lane of the selected athlete (Enter)"),
            [this] { editLane(); });
        add(QStringLiteral("&Verify"), tr("Checks the heats and lanes as edited"),
            [this] { verify(); });
        add(QStringLiteral("&Accept"), tr("Stores the heats and lanes as edited"),
            [this] { acceptEdits(); });
        break;
    case ManualAction::SwapSameTeam:
    case ManualAction::SwapAny:
        add(QStringLiteral("S&wop"), tr("Swaps the heats and lanes of the two ticked athletes"),
            [this] { swap(); });
        break;
    case ManualAction::Clear:
        add(QStringLiteral("&Clear the Draw"),
            tr("Takes every athlete of this round out of the draw"), [this] { clearDraw(); });
        break;
    }
    buttons->addStretch(1);
    add(QStringLiteral("Draw C&heck"), tr("Lists what is wrong with the draw of this round"),
        [this] { showDrawCheck(); });
    add(QStringLiteral("Draw S&ummary"), tr("Shows the heats of this round with their athletes"),
        [this] { showDrawSummary(); });
    add(QStringLiteral("Close"), base::closeTip(), [this] { reject(); });
    layout->addLayout(buttons);
    base::resizeWithinDesktop(this, QSize(980, 620));

    m_open = m_draw.open(eventNo, round);
    if (!m_open)
        return;
    const RoundFacts& facts = m_draw.facts();
    m_title->setText(run.items().ItemDescription(facts.itemCode, false) + QStringLiteral(": ") +
                     roundText(facts.round, true).replace(QStringLiteral("the "), QString()) +
                     QStringLiteral("  (") + QString::number(facts.heats) +
                     (facts.heats == 1 ? QStringLiteral(" heat)") : QStringLiteral(" heats)")));
    m_heat->addItem(QStringLiteral("Round"), -1);
    if (!facts.isFinal())
        for (int h = 1; h <= facts.heats; ++h)
            m_heat->addItem(QStringLiteral("Heat ") + QString::number(h), h);
    connect(m_order, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(m_heat, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    refresh();
    m_table->setFocus();
}

void ManualDrawForm::refresh()
{
    // The work table may have been reloaded (and reordered) since the lines were made.
    const qint64 keep = m_table->currentRow() >= 0 && m_table->currentRow() < m_lineAthletes.size()
                            ? m_lineAthletes[m_table->currentRow()]
                            : 0;
    m_draw.sort(ManualOrder(m_order->currentIndex()));
    const int heat = m_heat->currentData().toInt();
    m_lineRows.clear();
    m_lineAthletes.clear();
    for (int i = 0; i < m_draw.rows().size(); ++i) {
        if (heat < 0 || m_draw.rows()[i].thisHeat == QString::number(heat)) {
            m_lineRows.append(i);
            m_lineAthletes.append(m_draw.rows()[i].athleteNo);
        }
    }
    m_table->setRowCount(int(m_lineRows.size()));
    for (int line = 0; line < m_lineRows.size(); ++line) {
        const ManualDrawRow& r = m_draw.rows()[m_lineRows[line]];
        const QStringList cells{r.selected ? QStringLiteral("X") : QString(),
                                r.surname,
                                r.firstName,
                                r.teamAbrv,
                                number(r.placeBefore),
                                r.perfBefore,
                                number(r.heatBefore),
                                number(r.laneBefore),
                                r.thisHeat,
                                r.thisLane};
        for (int c = 0; c < ColumnCount; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c == Heat || c == Lane || c == Sel)
                item->setTextAlignment(Qt::AlignCenter);
            if ((c == Heat || c == Lane) && r.edited()) {
                QFont font = item->font();
                font.setBold(true);
                item->setFont(font);
            }
            m_table->setItem(line, c, item);
        }
    }
    if (keep > 0)
        selectLine(keep);
    else if (m_table->rowCount() > 0)
        m_table->selectRow(0);
}

int ManualDrawForm::currentRow() const
{
    const int line = m_table->currentRow();
    return line >= 0 && line < m_lineRows.size() ? m_lineRows[line] : -1;
}

void ManualDrawForm::selectLine(qint64 athleteNo)
{
    for (int line = 0; line < m_lineRows.size(); ++line)
        if (m_draw.rows()[m_lineRows[line]].athleteNo == athleteNo)
            m_table->selectRow(line);
}

bool ManualDrawForm::allowed(ManualAction needed, const QString& what)
{
    if (m_action == needed)
        return true;
    m_run.messages().warning(what + QStringLiteral(" is not part of \"") +
                             manualActionTexts().value(int(m_action)) + QStringLiteral("\""));
    return false;
}

void ManualDrawForm::toggleSelected()
{
    if (m_action == ManualAction::EditLanes || m_action == ManualAction::Clear)
        return;
    const int row = currentRow();
    if (row < 0)
        return;
    const int line = m_table->currentRow();
    m_draw.toggleSelected(row);
    m_table->item(line, Sel)->setText(m_draw.rows()[row].selected ? QStringLiteral("X")
                                                                  : QString());
    if (line + 1 < m_table->rowCount())
        m_table->selectRow(line + 1);
}

void ManualDrawForm::selectPlacesAndPerformances()
{
    if (!allowed(ManualAction::SelectAndDraw, QStringLiteral("Selecting places and performances")))
        return;
    m_draw.selectPlacesAndPerformances();
    refresh();
}

void ManualDrawForm::drawSelected()
{
    if (!allowed(ManualAction::SelectAndDraw, QStringLiteral("Drawing")))
        return;
    m_draw.drawSelected(m_seed);
    m_seed = m_seed * 1103515245u + 12345u; // another draw on another click
    refresh();
}

void ManualDrawForm::editLane()
{
    const int row = currentRow();
    if (row < 0 || !allowed(ManualAction::EditLanes, QStringLiteral("Editing lanes")))
        return;
    const ManualDrawRow& r = m_draw.rows()[row];
    QString heat =
        r.thisHeat.isEmpty() && m_draw.facts().isFinal() ? QStringLiteral("0") : r.thisHeat;
    QString lane = r.thisLane;
    while (askHeatLane(this, r.surname + QStringLiteral(", ") + r.firstName, &heat, &lane)) {
        if (setHeatLane(heat, lane))
            break;
    }
}

bool ManualDrawForm::setHeatLane(const QString& heat, const QString& lane)
{
    const int row = currentRow();
    if (row < 0 || !m_draw.setHeatLane(row, heat, lane))
        return false;
    refresh();
    return true;
}

void ManualDrawForm::verify()
{
    m_draw.verify();
}

void ManualDrawForm::acceptEdits()
{
    if (!m_draw.hasEdits()) {
        m_run.messages().information(QStringLiteral("There are no edits to accept"));
        return;
    }
    if (m_draw.accept())
        refresh();
}

void ManualDrawForm::swap()
{
    if (m_action != ManualAction::SwapSameTeam && m_action != ManualAction::SwapAny) {
        allowed(ManualAction::SwapAny, QStringLiteral("Swopping"));
        return;
    }
    m_draw.swapSelected(m_action == ManualAction::SwapSameTeam);
    refresh();
}

void ManualDrawForm::clearDraw()
{
    if (!allowed(ManualAction::Clear, QStringLiteral("Clearing the draw")))
        return;
    if (m_run.messages().confirm(QStringLiteral("Clear the Draw")))
        m_draw.clearDraw();
    refresh();
}

void ManualDrawForm::showDrawCheck()
{
    bool ok = false;
    const QList<DrawCheckRow> rows = drawCheck(*m_run.database(), m_run.items(), m_run.messages(),
                                               m_draw.facts().eventNo, m_draw.facts().round, &ok);
    if (!ok)
        return;
    QStringList lines;
    for (const DrawCheckRow& r : rows)
        lines.append(r.name.left(26).leftJustified(27) + r.teamAbrv.leftJustified(8) +
                     QString::number(r.heatBefore).rightJustified(4) +
                     QString::number(r.place).rightJustified(5) + QStringLiteral("  ") +
                     r.performance.leftJustified(11) + QString::number(r.status).rightJustified(3) +
                     QStringLiteral("  ") + r.group.leftJustified(6) +
                     (r.drawn ? QString::number(r.heat).rightJustified(5) +
                                    QString::number(r.lane).rightJustified(5)
                              : QStringLiteral("    -    -")));
    ListWindow::showList(this, QStringLiteral("Draw Check"),
                         QStringLiteral("Name                       Team    Heat Place  "
                                        "Perf        St  Group  Heat Lane"),
                         lines);
}

void ManualDrawForm::showDrawSummary()
{
    const DrawSummary summary =
        drawSummary(*m_run.database(), m_run.messages(), m_draw.facts().eventNo);
    if (summary.rounds.isEmpty())
        return;
    QString heading = QStringLiteral("Name                       Team    Best before");
    for (const QString& round : summary.rounds)
        heading += QStringLiteral("  ") + round + QStringLiteral(": heat/lane place perf     ");
    QStringList lines;
    for (const DrawSummaryRow& a : summary.athletes) {
        QString line = a.name.left(26).leftJustified(27) + a.teamAbrv.leftJustified(8) +
                       a.bestBefore.leftJustified(12);
        for (const QString& round : summary.rounds) {
            const RoundPart part = a.rounds.value(round);
            line += QStringLiteral("  ") +
                    (a.rounds.contains(round)
                         ? (QString::number(part.heat) + QLatin1Char('/') +
                            QString::number(part.lane) + QLatin1Char(' ') +
                            QString::number(part.place) + QLatin1Char(' ') + part.performance)
                         : QStringLiteral("-"))
                        .leftJustified(28);
        }
        lines.append(line);
    }
    ListWindow::showList(this, QStringLiteral("Draw Summary"), heading, lines);
}

void ManualDrawForm::reject()
{
    if (m_open && m_draw.hasEdits() &&
        !m_run.messages().confirm(QStringLiteral("OK to lose edits")))
        return;
    QDialog::reject();
}

void ManualDrawForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F5) {
        toggleSelected();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace draw
