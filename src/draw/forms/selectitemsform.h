#pragma once

#include "draw/events.h"
#include "draw/heatgroups.h"
#include "meeting/itemtypes.h"

#include <QDialog>

class QLabel;
class QTableWidget;

namespace base {
class Run;
}

namespace draw {

// "2. Items": the items the meeting offers, their selection and their heat formats. It
// works on the working copies and saves them, with the program rows, when it closes.
class SelectItemsForm : public QDialog {
    Q_OBJECT
public:
    SelectItemsForm(base::Run& run, QWidget* parent = nullptr);

    void refresh();
    QTableWidget* table() const { return m_table; }
    Events& events() { return m_events; }

    void addItem();
    void addItemsForAges();
    void toggleSelected();
    void selectAll(bool selected);
    void removeUnselected();
    void editExpected();
    void autoformat(bool all);
    void editFormat();
    void editSemiHeats();
    void indicateHeats();
    void heatsAreFinals();
    void editDescription();
    void importTemplate();
    void saveTemplate();
    // The "More" menu.
    void addPickedItem(Events::PickedAs kind);
    void addVeterans(bool standardBands);
    void addNathlon();
    void combineItems();
    void combinedGroups();
    void deleteNathlon();

    void done(int result) override;

private:
    qint64 currentEvent() const;
    HeatGroups heatGroups();

    base::Run& m_run;
    const meeting::ItemTypes& m_items;
    Events m_events;
    QList<EventRow> m_rows;
    QTableWidget* m_table;
    QLabel* m_summary;
};

void openItems(QWidget* parent, base::Run& run);

} // namespace draw
