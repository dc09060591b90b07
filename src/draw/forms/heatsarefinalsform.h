#pragma once

#include "draw/events.h"
#include "draw/heatsarefinals.h"
#include "meeting/itemtypes.h"

#include <QDialog>

class QCheckBox;
class QTableWidget;

namespace base {
class Run;
}

namespace draw {

// "Heats are finals": the events with heats, each either run to a final or ranked on its
// heat times. Collects the working copies when it opens and saves them when it closes.
class HeatsAreFinalsForm : public QDialog {
    Q_OBJECT
public:
    enum Column { Item, Format, Selected, Finals, ColumnCount };

    HeatsAreFinalsForm(base::Run& run, QWidget* parent = nullptr);

    void refresh();
    QTableWidget* table() const { return m_table; }
    bool selectEvent(qint64 eventNo);
    void toggle();
    // Asks before the events without heats are shown too.
    void showWithoutHeats(bool show);

    void done(int result) override;

private:
    qint64 currentEvent() const;

    base::Run& m_run;
    const meeting::ItemTypes& m_items;
    Events m_events;
    HeatsAreFinals m_finals;
    bool m_withoutHeats = false;
    QList<EventRow> m_rows;
    QTableWidget* m_table;
    QCheckBox* m_showAll;
};

void openHeatsAreFinals(QWidget* parent, base::Run& run);

} // namespace draw
