#pragma once

#include "draw/complexeditor.h"
#include "draw/heatgroups.h"
#include "draw/indicateheats.h"
#include "meeting/itemtypes.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace base {
class Run;
}

namespace draw {

// "Indicate Heats": the selected items with the heats their first round provides against
// the athletes entered and expected, and the ways to set their formats. It works on the
// working copies and saves them, with the program rows, when it closes.
class IndicateHeatsForm : public QDialog {
    Q_OBJECT
public:
    enum Column { Item, Format, Heats, Places, Entered, Estimated, TooFew, Finals, ColumnCount };

    IndicateHeatsForm(base::Run& run, QWidget* parent = nullptr);

    void refresh();
    QTableWidget* table() const { return m_table; }
    Events& events() { return m_events; }
    bool selectEvent(qint64 eventNo);
    const TooFewOptions& tooFewOptions() const { return m_options; }
    QPushButton* measureButton() const { return m_measure; }
    QPushButton* againstButton() const { return m_against; }

    void autoformat();
    void editEstimate();
    void estimatesFromEntries();
    void editSemiHeats();
    void editFormat(ComplexEditor::Mode mode);
    void heatsAreFinals();
    void showLanes();
    void checkHeatCounts();
    enum class Listing { Rules, Groups, Tracks, Errors };
    void showListing(Listing listing);
    void setTooFewInAthletes(bool inAthletes);
    void setTooFewActualOnly(bool actualOnly);

    void done(int result) override;

private:
    qint64 currentEvent() const;

    base::Run& m_run;
    const meeting::ItemTypes& m_items;
    Events m_events;
    HeatGroups m_groups;
    IndicateHeats m_heats;
    TooFewOptions m_options;
    QList<HeatsLine> m_lines;
    QTableWidget* m_table;
    QLabel* m_summary;
    QPushButton* m_measure;
    QPushButton* m_against;
};

void openIndicateHeats(QWidget* parent, base::Run& run);

} // namespace draw
