#include "draw/forms/selectitemsform.h"

#include "base/forms/rowlist.h"

#include "base/forms/buttontips.h"
#include "base/forms/formkeys.h"
#include "base/forms/screensize.h"
#include "base/run.h"
#include "draw/combineditems.h"
#include "draw/formatproposal.h"
#include "draw/forms/additemdialog.h"
#include "draw/forms/combinedgroupsform.h"
#include "draw/forms/combineitemsdialog.h"
#include "draw/forms/heateditors.h"
#include "draw/forms/heatsarefinalsform.h"
#include "draw/forms/indicateheatsform.h"
#include "draw/heatformats.h"
#include "draw/indicateheats.h"
#include "draw/programsetup.h"
#include "draw/standarditems.h"
#include "meeting/currentmeeting.h"
#include "meeting/lanesettings.h"
#include "meeting/meetingsettings.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace draw {

namespace {
enum Column { Sel, Item, Format, Meaning, Heats, Expected, Entered, Finals, ColumnCount };
}

SelectItemsForm::SelectItemsForm(base::Run& run, QWidget* parent)
    : QDialog(parent), m_run(run), m_items(run.items()),
      m_events(*run.database(), m_items, run.currentMeetingNo())
{
    setWindowTitle(run.globals().programTitle() + QStringLiteral(" :  Select Items and Heats"));
    m_events.collectSelection();
    auto* layout = new QVBoxLayout(this);
    m_summary = new QLabel(this);
    layout->addWidget(m_summary);
    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("Sel"), QStringLiteral("Item"), QStringLiteral("Heat format"),
         QStringLiteral("What the format means"), QStringLiteral("Heats"),
         QStringLiteral("Expected"), QStringLiteral("Entered"),
         QStringLiteral("Heats are finals")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(Meaning, QHeaderView::Stretch);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this](int, int column) {
        if (column == Sel)
            toggleSelected();
        else
            editFormat();
    });
    // Space ticks the current item in or out, so a list can be trimmed from the keyboard.
    base::onListKey(m_table, Qt::Key_Space, [this] { toggleSelected(); });
    layout->addWidget(m_table, 1);

    auto* buttons = new QGridLayout;
    auto add = [buttons](int row, int col, const QString& text, const QString& tip,
                         std::function<void()> action) {
        base::addActionButton(buttons, row, col, text, tip, std::move(action));
    };
    add(0, 0, QStringLiteral("Add Item..."), tr("Adds one item to the meeting"),
        [this] { addItem(); });
    add(0, 1, QStringLiteral("Add Items for Ages..."),
        tr("Adds the standard items of the ages you give"), [this] { addItemsForAges(); });
    add(0, 2, QStringLiteral("Import Template..."),
        tr("Adds the items of a saved template to the meeting"), [this] { importTemplate(); });
    add(0, 3, QStringLiteral("Save as Template..."),
        tr("Saves the meeting's items as a template for later meetings"),
        [this] { saveTemplate(); });
    add(1, 0, QStringLiteral("Select / Unselect"), tr("Ticks the selected item in or out (Space)"),
        [this] { toggleSelected(); });
    add(1, 1, QStringLiteral("Select All"), tr("Ticks every item in"), [this] { selectAll(true); });
    add(1, 2, QStringLiteral("Unselect All"), tr("Ticks every item out"),
        [this] { selectAll(false); });
    add(1, 3, QStringLiteral("Remove Unselected"),
        tr("Deletes the items that are not ticked, after asking"), [this] { removeUnselected(); });
    const QString people = m_run.globals().personWord() + QStringLiteral("s");
    add(2, 0, QStringLiteral("Expected ") + people + QStringLiteral("..."),
        tr("Changes how many %1 the selected item expects").arg(people.toLower()),
        [this] { editExpected(); });
    add(2, 1, QStringLiteral("AutoFormat"),
        tr("Gives the selected item the heat format its swimmers call for"),
        [this] { autoformat(false); });
    add(2, 2, QStringLiteral("AutoFormat All"),
        tr("Proposes a heat format for each item from its swimmers; asks first, says what changed"),
        [this] { autoformat(true); });
    add(2, 3, QStringLiteral("Edit Format..."),
        tr("Edits the heat format of the selected item (or double-click it)"),
        [this] { editFormat(); });
    add(3, 0, QStringLiteral("Indicate Heats..."),
        tr("Opens the heats each item needs for its swimmers"), [this] { indicateHeats(); });
    add(3, 1, QStringLiteral("Heats are Finals..."),
        tr("Opens the items whose heats may be ranked as the final"), [this] { heatsAreFinals(); });
    add(3, 2, QStringLiteral("Semi Heats..."), tr("Sets the semi-final heats of the selected item"),
        [this] { editSemiHeats(); });
    add(3, 3, QStringLiteral("Description..."), tr("Changes the description of the selected item"),
        [this] { editDescription(); });
    add(4, 3, QStringLiteral("Close"), base::closeTip(), [this] { accept(); });
    auto* more = new QPushButton(QStringLiteral("More"), this);
    more->setAutoDefault(false);
    more->setToolTip(tr("Adds described, categorised, veteran and combined items"));
    auto* moreMenu = new QMenu(more);
    moreMenu->addAction(QStringLiteral("Add Described Item..."),
                        [this] { addPickedItem(Events::PickedAs::Described); });
    moreMenu->addAction(QStringLiteral("Add Categorised Item..."),
                        [this] { addPickedItem(Events::PickedAs::Categorised); });
    moreMenu->addAction(QStringLiteral("Standard Veterans..."), [this] { addVeterans(true); });
    moreMenu->addAction(QStringLiteral("Any Veterans..."), [this] { addVeterans(false); });
    moreMenu->addSeparator();
    moreMenu->addAction(QStringLiteral("Add n-Athlon..."), [this] { addNathlon(); });
    moreMenu->addAction(QStringLiteral("Combine Items..."), [this] { combineItems(); });
    moreMenu->addAction(QStringLiteral("Combined Item Groups..."), [this] { combinedGroups(); });
    moreMenu->addAction(QStringLiteral("Delete n-Athlon"), [this] { deleteNathlon(); });
    more->setMenu(moreMenu);
    buttons->addWidget(more, 4, 0);
    layout->addLayout(buttons);
    base::resizeWithinDesktop(this, QSize(1200, 700));
    refresh();
}

void SelectItemsForm::refresh()
{
    const qint64 keep = currentEvent();
    m_rows = m_events.list();
    m_table->setRowCount(int(m_rows.size()));
    int selected = 0;
    int heats = 0;
    for (int r = 0; r < m_rows.size(); ++r) {
        const EventRow& e = m_rows[r];
        selected += e.selectedEdit ? 1 : 0;
        QString title = m_items.ItemDescription(e.itemCode, false);
        if (!e.description.isEmpty())
            title += QStringLiteral(" - ") + e.description;
        if (e.combinedNo > 0)
            title += QStringLiteral("  [combined \"") + e.combinedName + QStringLiteral("\"]");
        const QStringList values{e.selectedEdit ? QStringLiteral("X") : QString(),
                                 title,
                                 e.formatEdit,
                                 e.selectedEdit ? HeatFormats::inWords(e.formatEdit) : QString(),
                                 e.heatCountsEdit,
                                 e.estimated ? QString::number(e.estimated) : QString(),
                                 e.athletes ? QString::number(e.athletes) : QString(),
                                 e.finalNotRun == 1 ? QStringLiteral("Yes") : QString()};
        for (int c = 0; c < ColumnCount; ++c) {
            auto* item = new QTableWidgetItem(values[c]);
            if (c != Item && c != Meaning)
                item->setTextAlignment(Qt::AlignCenter);
            if (c == Meaning)
                item->setToolTip(values[c]);
            if (!e.selectedEdit)
                item->setForeground(Qt::gray);
            m_table->setItem(r, c, item);
        }
        if (e.selectedEdit)
            heats += HeatFormats::roundCount(e.formatEdit) > 0 ? 1 : 0;
        if (e.eventNo == keep)
            m_table->selectRow(r);
    }
    m_summary->setText(QString::number(m_rows.size()) + QStringLiteral(" items to select from, ") +
                       QString::number(selected) + QStringLiteral(" selected, ") +
                       QString::number(heats) +
                       QStringLiteral(" with heats. Double-click Sel to "
                                      "select (or press Space), any other column to edit "
                                      "the heat format."));
}

qint64 SelectItemsForm::currentEvent() const
{
    const auto* row = base::currentEntry(m_table, m_rows);
    return row ? row->eventNo : 0;
}

void SelectItemsForm::addItem()
{
    AddItemDialog dialog(m_items, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (m_events.addOneItem(dialog.itemCode(), true) > 0)
        refresh();
}

void SelectItemsForm::addItemsForAges()
{
    bool ok = false;
    const bool grades = m_run.meeting().ageDescType() == 3;
    const QString text = QInputDialog::getText(
        this, QStringLiteral("Add Items for Ages"),
        grades ? QStringLiteral("Grades (for example 4,5,6,7); both genders, with relays:")
               : QStringLiteral("Ages (for example 9,10,11,12); both genders, with relays:"),
        QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return;
    QList<int> ages;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const int age = part.trimmed().toInt(&ok);
        if (!ok || age < 1 || age > 99) {
            m_run.messages().warning(QStringLiteral("Not a number:") + part);
            return;
        }
        ages.append(age);
    }
    ProgramSetup(m_events).addItemsForAges(ages, {QStringLiteral("M"), QStringLiteral("F")}, true);
    refresh();
}

void SelectItemsForm::toggleSelected()
{
    if (const qint64 e = currentEvent()) {
        m_events.toggleSelection(e);
        refresh();
    }
}

void SelectItemsForm::selectAll(bool selected)
{
    if (!m_run.messages().confirm(
            QStringLiteral("Are you sure you want to ") +
            (selected ? QStringLiteral("Select") : QStringLiteral("Unselect")) +
            QStringLiteral(" all")))
        return;
    m_events.selectAll(selected);
    refresh();
}

void SelectItemsForm::removeUnselected()
{
    if (!m_run.messages().confirm(
            QStringLiteral("Remove all unselected Items from the selection list")))
        return;
    // Only items unselected in both the stored and the working selection go: one
    // unselected in this visit is still stored as selected until the screen is left.
    m_events.removeUnselected();
    refresh();
}

void SelectItemsForm::editExpected()
{
    const qint64 e = currentEvent();
    if (e == 0)
        return;
    QString text;
    if (!askEstimate(m_events, e, &text))
        return;
    if (IndicateHeats(m_events, heatGroups()).setEstimate(e, text))
        refresh();
}

void SelectItemsForm::autoformat(bool all)
{
    const HeatGroups groups = heatGroups();
    if (!all) {
        if (const qint64 e = currentEvent())
            IndicateHeats(m_events, groups).autoformat(e);
        refresh();
        return;
    }
    IndicateHeats(m_events, groups).autoformatAll();
    refresh();
}

HeatGroups SelectItemsForm::heatGroups()
{
    return HeatGroups(m_items, meeting::laneSettingsOf(m_run.meeting()));
}

void SelectItemsForm::editFormat()
{
    if (const qint64 e = currentEvent();
        e != 0 && editHeatFormat(this, m_events, heatGroups(), ComplexEditor::Mode::Complex, e))
        refresh();
}

void SelectItemsForm::editSemiHeats()
{
    if (const qint64 e = currentEvent(); e != 0 && draw::editSemiHeats(m_events, heatGroups(), e))
        refresh();
}

void SelectItemsForm::indicateHeats()
{
    openItemScreen(m_events, [this] { openIndicateHeats(this, m_run); });
    refresh();
}

void SelectItemsForm::heatsAreFinals()
{
    openItemScreen(m_events, [this] { openHeatsAreFinals(this, m_run); });
    refresh();
}

void SelectItemsForm::editDescription()
{
    const qint64 e = currentEvent();
    if (e == 0)
        return;
    QString text = m_events.description(e);
    if (m_run.messages().askText(QStringLiteral("Description of the event (after the item's "
                                                "name)"),
                                 &text)) {
        m_events.setDescription(e, text, true);
        refresh();
    }
}

void SelectItemsForm::importTemplate()
{
    ProgramSetup setup(m_events);
    const QList<TemplateInfo> templates = setup.templates();
    if (templates.isEmpty()) {
        m_run.messages().information(QStringLiteral("There are no templates in this database"));
        return;
    }
    QStringList names;
    for (const TemplateInfo& t : templates)
        names.append(t.name + QStringLiteral(" (") + QString::number(t.items) +
                     QStringLiteral(" items)"));
    bool ok = false;
    const QString chosen = QInputDialog::getItem(this, QStringLiteral("Import Template"),
                                                 QStringLiteral("Template:"), names, 0, false, &ok);
    if (!ok)
        return;
    setup.importTemplate(templates[names.indexOf(chosen)].templateNo);
    // The template may bring more days and categories: the run sees them at once.
    meeting::useMeeting(m_run, m_run.currentMeetingNo());
    m_events.collectSelection();
    refresh();
}

void SelectItemsForm::saveTemplate()
{
    QString name;
    if (!m_run.messages().askText(QStringLiteral("Save as a Template in the Tamrok database"),
                                  &name))
        return;
    m_events.saveSelection();
    ProgramSetup(m_events).saveAsTemplate(name);
}

void SelectItemsForm::addPickedItem(Events::PickedAs kind)
{
    AddItemDialog dialog(m_items, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    NewEvent event;
    event.itemCode = dialog.itemCode();
    event.selected = true;
    if (kind == Events::PickedAs::Described &&
        !m_run.messages().askText(QStringLiteral("Description of the item"), &event.description))
        return;
    if (kind == Events::PickedAs::Categorised &&
        !m_run.messages().askText(QStringLiteral("Category (empty: the current category)"),
                                  &event.category))
        return;
    if (m_events.addOneItem(event, kind) > 0)
        refresh();
}

void SelectItemsForm::addVeterans(bool standardBands)
{
    AddItemDialog dialog(m_items, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString code = dialog.itemCode();
    if (standardBands) {
        ProgramSetup(m_events).addStandardVeterans(code);
    } else if (!StandardItems::isVeteranAge(m_items.ItemGender(code), code.mid(11, 2).toInt())) {
        m_run.messages().warning(QStringLiteral("A veterans' item is for men of 35 or women of 30 "
                                                "and older"));
        return;
    } else {
        m_events.addOneItem(code, true);
    }
    refresh();
}

void SelectItemsForm::addNathlon()
{
    QString title;
    if (!m_run.messages().askText(QStringLiteral("n-Athlon: gender, age and name, for example "
                                                 "\"Boys 16 Octathlon\" or \"Women 45 Throws "
                                                 "Pentathlon\""),
                                  &title))
        return;
    // Events added here are saved at once; the working copies follow them.
    m_events.saveSelection();
    ProgramSetup(m_events).addStandardCombined(title);
    m_events.collectSelection();
    refresh();
}

void SelectItemsForm::combineItems()
{
    // The group is made from the saved selection and formats.
    m_events.saveSelection();
    CombinedItems combined(m_events);
    QList<CombineItemsDialog::Offered> offered;
    for (const EventRow& e : combined.candidates())
        offered.append({e.eventNo, m_events.eventTitle(e.eventNo)});
    CombineItemsDialog dialog(offered, combined.freeName(), this);
    for (const QModelIndex& index : m_table->selectionModel()->selectedRows())
        if (index.row() < m_rows.size())
            dialog.setTicked(m_rows[index.row()].eventNo, true);
    if (dialog.exec() == QDialog::Accepted) {
        const QString name = dialog.name().isEmpty() ? combined.freeName() : dialog.name();
        if (combined.combine(dialog.ticked(), name) > 0)
            m_run.messages().information(QStringLiteral("Done: the ticked Items run together as "
                                                        "Combined Item \"") +
                                         name + QStringLiteral("\"."));
    }
    m_events.collectSelection();
    refresh();
}

void SelectItemsForm::combinedGroups()
{
    m_events.saveSelection();
    CombinedGroupsForm form(m_events, this);
    form.exec();
    m_events.collectSelection();
    refresh();
}

void SelectItemsForm::deleteNathlon()
{
    m_events.saveSelection();
    ProgramSetup(m_events).deleteNathlon(currentEvent());
    m_events.collectSelection();
    refresh();
}

void SelectItemsForm::done(int result)
{
    m_events.saveSelection();
    // Saving raises the day count and sets the categories flag in the database; the run's
    // settings follow, so that the program screen opened next uses them.
    meeting::useMeeting(m_run, m_run.currentMeetingNo());
    QDialog::done(result);
}

void openItems(QWidget* parent, base::Run& run)
{
    if (run.currentMeetingNo() <= 0 || !run.database()) {
        run.messages().warning(QStringLiteral("There is no current meeting selected!"));
        return;
    }
    SelectItemsForm form(run, parent);
    form.exec();
}

} // namespace draw
