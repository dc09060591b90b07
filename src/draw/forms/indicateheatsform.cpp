#include "draw/forms/indicateheatsform.h"

#include "base/forms/rowlist.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/forms/screensize.h"
#include "base/run.h"
#include "draw/formatcheck.h"
#include "draw/formatlistings.h"
#include "draw/forms/heateditors.h"
#include "draw/forms/heatsarefinalsform.h"
#include "draw/forms/listwindow.h"
#include "meeting/lanesettings.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace draw {

namespace {

QColor provisionColour(HeatProvision provision)
{
    switch (provision) {
    case HeatProvision::Correct:
        return QColor(198, 239, 206);
    case HeatProvision::TooFew:
        return QColor(255, 180, 180);
    case HeatProvision::TooMany:
        return QColor(255, 235, 156);
    case HeatProvision::NoAthletes:
        break;
    }
    return QColor();
}

QString countText(int n)
{
    return n > 0 ? QString::number(n) : QString();
}

} // namespace

IndicateHeatsForm::IndicateHeatsForm(base::Run& run, QWidget* parent)
    : QDialog(parent), m_run(run), m_items(run.items()),
      m_events(*run.database(), m_items, run.currentMeetingNo()),
      m_groups(m_items, meeting::laneSettingsOf(run.meeting())), m_heats(m_events, m_groups),
      m_options(TooFewOptions::read(run.config()))
{
    setWindowTitle(run.globals().programTitle() + QStringLiteral(" :  Indicate Heats"));
    m_events.collectSelection();
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    m_summary = new QLabel(this);
    top->addWidget(m_summary, 1);
    top->addWidget(new QLabel(QStringLiteral("Too Few in"), this));
    m_measure = new QPushButton(this);
    m_measure->setAutoDefault(false);
    m_measure->setToolTip(tr("Switches between counting too few in athletes and in heats"));
    connect(m_measure, &QPushButton::clicked, this,
            [this] { setTooFewInAthletes(!m_options.inAthletes); });
    top->addWidget(m_measure);
    top->addWidget(new QLabel(QStringLiteral("of"), this));
    m_against = new QPushButton(this);
    m_against->setAutoDefault(false);
    m_against->setToolTip(
        tr("Switches between the actual and the largest number of athletes a heat holds"));
    connect(m_against, &QPushButton::clicked, this,
            [this] { setTooFewActualOnly(!m_options.actualOnly); });
    top->addWidget(m_against);
    layout->addLayout(top);

    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("Item"), QStringLiteral("Heat format"), QStringLiteral("Heats"),
         QStringLiteral("Capacity"), QStringLiteral("Entered"), QStringLiteral("Estimated"),
         QStringLiteral("Too Few"), QStringLiteral("Heats are finals")});
    m_table->horizontalHeaderItem(Heats)->setToolTip(
        QStringLiteral("Heats of the first round: green enough, red too few, yellow too many"));
    m_table->horizontalHeaderItem(Places)->setToolTip(
        QStringLiteral("Athletes the first round's heats hold"));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    QHeaderView* header = m_table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(Item, QHeaderView::Stretch);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this](int, int column) {
        if (column == Estimated)
            editEstimate();
        else
            editFormat(ComplexEditor::Mode::Complex);
    });
    base::onListKey(m_table, Qt::Key_Return, [this] { editFormat(ComplexEditor::Mode::Complex); });
    layout->addWidget(m_table, 1);

    auto* buttons = new QGridLayout;
    auto add = [buttons](int row, int col, const QString& text, const QString& tip,
                         std::function<void()> action) {
        base::addActionButton(buttons, row, col, text, tip, std::move(action));
    };
    add(0, 0, QStringLiteral("&AutoFormat"),
        tr("Gives the selected event the heat format its athletes call for"),
        [this] { autoformat(); });
    add(0, 1, QStringLiteral("&Estimated Athletes..."),
        tr("Changes how many athletes the selected event expects (or double-click the column)"),
        [this] { editEstimate(); });
    add(0, 2, QStringLiteral("Estimates from E&ntries"),
        tr("Takes the number of entries as every event's estimate"),
        [this] { estimatesFromEntries(); });
    add(0, 3, QStringLiteral("&Lanes available"), tr("Shows the lanes the heats can use"),
        [this] { showLanes(); });
    add(1, 0, QStringLiteral("&Semi Heats..."),
        tr("Sets the semi-final heats of the selected event"), [this] { editSemiHeats(); });
    add(1, 1, QStringLiteral("Semis with &Places..."),
        tr("Edits round A of the selected event: semi-finals that qualify on places"),
        [this] { editFormat(ComplexEditor::Mode::SemisWithPlaces); });
    add(1, 2, QStringLiteral("&Complex..."),
        tr("Edits every round of the selected event's heat format (Enter)"),
        [this] { editFormat(ComplexEditor::Mode::Complex); });
    add(1, 3, QStringLiteral("Heats are &Finals..."),
        tr("Opens the events whose heats may be ranked as the final"),
        [this] { heatsAreFinals(); });
    add(2, 0, QStringLiteral("Check &HeatCounts"),
        tr("Lists the events whose heat counts do not fit their format"),
        [this] { checkHeatCounts(); });
    auto* listings = new QPushButton(QStringLiteral("L&istings"), this);
    listings->setAutoDefault(false);
    listings->setToolTip(tr("Lists the format rules, groups and tracks, or the errors in the "
                            "saved formats"));
    buttons->addWidget(listings, 2, 1);
    auto* menu = new QMenu(listings);
    const QList<std::pair<QString, Listing>> entries{
        {formatlistings::kRulesTitle, Listing::Rules},
        {formatlistings::kGroupsTitle, Listing::Groups},
        {formatlistings::kTracksTitle, Listing::Tracks},
        {QStringLiteral("Errors in the saved formats"), Listing::Errors}};
    for (const auto& [text, listing] : entries) {
        connect(menu->addAction(text), &QAction::triggered, this,
                [this, listing = listing] { showListing(listing); });
    }
    listings->setMenu(menu);
    add(2, 3, QStringLiteral("Close"), base::closeTip(), [this] { accept(); });
    layout->addLayout(buttons);
    base::resizeWithinDesktop(this, QSize(940, 640));
    refresh();
    m_table->setFocus();
    if (m_table->rowCount() > 0 && m_table->currentRow() < 0)
        m_table->setCurrentCell(0, 0);
}

void IndicateHeatsForm::refresh()
{
    const qint64 keep = currentEvent();
    m_measure->setText(m_options.inAthletes ? QStringLiteral("Athletes") : QStringLiteral("Heats"));
    m_against->setText(m_options.actualOnly ? QStringLiteral("Actual") : QStringLiteral("Maximim"));
    m_lines = m_heats.lines(m_options);
    m_table->setRowCount(int(m_lines.size()));
    int short_ = 0;
    for (int r = 0; r < m_lines.size(); ++r) {
        const HeatsLine& l = m_lines[r];
        short_ += l.provision == HeatProvision::TooFew ? 1 : 0;
        const QStringList values{l.title,
                                 l.event.formatEdit,
                                 QString::number(l.heatsProvided),
                                 QString::number(l.athsProvided),
                                 countText(l.event.athletes),
                                 countText(l.event.estimated),
                                 countText(l.tooFew),
                                 l.event.finalNotRun == 1 ? QStringLiteral("Yes") : QString()};
        for (int c = 0; c < ColumnCount; ++c) {
            auto* item = new QTableWidgetItem(values[c]);
            if (c != Item)
                item->setTextAlignment(Qt::AlignCenter);
            m_table->setItem(r, c, item);
        }
        const QColor colour = provisionColour(l.provision);
        if (colour.isValid())
            m_table->item(r, Heats)->setBackground(colour);
        if (l.event.eventNo == keep)
            m_table->setCurrentCell(r, 0);
    }
    m_summary->setText(QString::number(m_lines.size()) + QStringLiteral(" selected items, ") +
                       QString::number(short_) +
                       QStringLiteral(" without enough heats. Enter or double-click edits the "
                                      "format."));
}

qint64 IndicateHeatsForm::currentEvent() const
{
    const auto* line = base::currentEntry(m_table, m_lines);
    return line ? line->event.eventNo : 0;
}

bool IndicateHeatsForm::selectEvent(qint64 eventNo)
{
    return base::selectEntry(m_table, m_lines,
                             [eventNo](const auto& line) { return line.event.eventNo == eventNo; });
}

void IndicateHeatsForm::autoformat()
{
    if (const qint64 e = currentEvent()) {
        m_heats.autoformat(e);
        refresh();
    }
}

void IndicateHeatsForm::editEstimate()
{
    const qint64 e = currentEvent();
    if (e == 0)
        return;
    QString text;
    if (askEstimate(m_events, e, &text) && m_heats.setEstimate(e, text))
        refresh();
}

void IndicateHeatsForm::estimatesFromEntries()
{
    if (m_heats.estimatesFromEntries())
        refresh();
}

void IndicateHeatsForm::editSemiHeats()
{
    if (const qint64 e = currentEvent(); e != 0 && draw::editSemiHeats(m_events, m_groups, e))
        refresh();
}

void IndicateHeatsForm::editFormat(ComplexEditor::Mode mode)
{
    if (const qint64 e = currentEvent();
        e != 0 && editHeatFormat(this, m_events, m_groups, mode, e))
        refresh();
}

void IndicateHeatsForm::heatsAreFinals()
{
    openItemScreen(m_events, [this] { openHeatsAreFinals(this, m_run); });
    refresh();
}

void IndicateHeatsForm::showLanes()
{
    m_run.messages().information(m_heats.lanesAvailable());
}

void IndicateHeatsForm::checkHeatCounts()
{
    // The check reads the saved formats: save what this screen changed first.
    m_events.saveSelection();
    const FormatCheck::MeetingReport report =
        FormatCheck(m_groups).checkMeeting(*m_run.database(), m_events.meetingNo());
    ListWindow::showList(this, QStringLiteral("Heatcounts for Items"), report.heading(),
                         report.lines);
}

void IndicateHeatsForm::showListing(Listing listing)
{
    namespace listings = formatlistings;
    db::DmdCoreDbs& database = *m_run.database();
    switch (listing) {
    case Listing::Rules:
        ListWindow::showList(this, listings::kRulesTitle, QString(),
                             listings::rulesFormats(m_run.messages(), m_groups.lanes()));
        return;
    case Listing::Groups:
        ListWindow::showList(this, listings::kGroupsTitle, QString(),
                             listings::itemGroups(m_run.messages()));
        return;
    case Listing::Tracks: {
        const QStringList lines = listings::meetingTracks(database, m_groups, m_events.meetingNo());
        if (!lines.isEmpty())
            ListWindow::showList(this, listings::kTracksTitle, listings::kTracksSubtitle, lines);
        return;
    }
    case Listing::Errors: {
        bool cancelled = false;
        const QStringList lines =
            listings::formatErrors(database, m_groups, m_events.meetingNo(), &cancelled);
        if (!lines.isEmpty())
            ListWindow::showList(this, listings::kErrorsTitle, QString(), lines);
        return;
    }
    }
}

void IndicateHeatsForm::setTooFewInAthletes(bool inAthletes)
{
    m_options.inAthletes = inAthletes;
    m_options.write(m_run.config());
    refresh();
}

void IndicateHeatsForm::setTooFewActualOnly(bool actualOnly)
{
    m_options.actualOnly = actualOnly;
    m_options.write(m_run.config());
    refresh();
}

void IndicateHeatsForm::done(int result)
{
    m_events.saveSelection();
    QDialog::done(result);
}

void openIndicateHeats(QWidget* parent, base::Run& run)
{
    if (run.currentMeetingNo() <= 0 || !run.database()) {
        run.messages().warning(QStringLiteral("There is no current meeting selected!"));
        return;
    }
    IndicateHeatsForm form(run, parent);
    form.exec();
}

} // namespace draw
