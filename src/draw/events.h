#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
}
namespace base {
class Messages;
}

namespace draw {

struct NewEvent {
    QString itemCode;
    bool selected = false;
    bool described = false;
    int nAthlon = 0;
    QString category;
    bool prefixWithItem = true;
    QString description;
};

// One MYEVENT row as the item screens list it.
struct EventRow {
    qint64 eventNo = 0;
    QString itemCode;
    int nAthlon = 0;
    bool selected = false;     // saved
    bool selectedEdit = false; // working copy
    QString format;            // saved HEATFORMAT
    QString formatEdit;        // working copy
    QString heatCountsEdit;
    int finalNotRun = 0;
    int estimated = 0;
    int athletes = 0; // PARTICIPATE rows
    QString description;
    QString category;
    qint64 combinedNo = 0; // the group it runs in as one race, 0 for none
    QString combinedName;
};

// The item's name with the event's description as it is printed; `described` when the
// event has a description row (PREFIX_WITH_ITEM 2: the description alone).
QString eventTitleOf(const meeting::ItemTypes& items, const QString& itemCode, bool described,
                     const QString& description, int prefixWithItem, bool afrikaans = false);

// The events of one meeting: created one by one, selected and unselected on the working
// copies of the item screens, and saved together with their program rows.

class Events {
public:
    Events(db::DmdCoreDbs& database, const meeting::ItemTypes& items, int meetingNo);

    base::Messages& messages() const;
    int meetingNo() const { return m_meetingNo; }
    db::DmdCoreDbs& database() const { return m_database; }
    const meeting::ItemTypes& items() const { return m_items; }

    // Writes the event (and its final's row when selected, its description when
    // described); 0 when refused.
    qint64 addEvent(const NewEvent& event);
    // How an item picker offered an item: a plain item, one of the meeting's categories,
    // or an item with a description of its own.
    enum class PickedAs { Plain, Categorised, Described };
    // The item-picker's add: refuses an item already in the list, and categories or
    // descriptions where the meeting does not allow them.
    qint64 addOneItem(const NewEvent& event, PickedAs kind);
    qint64 addOneItem(const QString& itemCode, bool selected);
    bool inList(const QString& itemCode, const QString& category = QString());

    QList<EventRow> list(bool selectedOnly = false);
    EventRow event(qint64 eventNo);

    // Working copies from the saved state ("Collecting the current selection").
    bool collectSelection();
    // Saved state from the working copies, and every event's program rows brought in
    // line, all in one transaction; false when nothing could be saved. `syncErrors` gets
    // the items whose format and program disagreed afterwards.
    bool saveSelection(QStringList* syncErrors = nullptr);

    // Working-copy selection, with the rules of unselecting.
    bool setSelected(qint64 eventNo, bool selected);
    bool toggleSelection(qint64 eventNo);
    // Select or unselect every event; returns how many changed.
    int selectAll(bool selected);
    int removeUnselected();

    // The working format after its checks; the heat counts follow.
    bool setFormatEdit(qint64 eventNo, const QString& format);
    bool setFinalNotRun(qint64 eventNo, bool heatsAreFinals);
    bool setEstimatedCount(qint64 eventNo, int count);
    // Every event's estimated count from its entries.
    bool estimatesFromEntries();

    // "An event can only have one description".
    bool setDescription(qint64 eventNo, const QString& description, bool prefixWithItem);
    QString description(qint64 eventNo);
    // The item's name (in Afrikaans when asked) with the event's description as it is
    // printed.
    QString eventTitle(qint64 eventNo, bool afrikaans = false);

private:
    int participants(qint64 eventNo);
    QString unselectRefusal(const EventRow& row);
    // True, after saying so, for the total event of a combined event.
    bool isNathlonTotal(const EventRow& row) const;

    db::DmdCoreDbs& m_database;
    const meeting::ItemTypes& m_items;
    int m_meetingNo;
};

// The text by which events of one item are ordered: the group's place in the edition's
// list, then the distance (or type), then the gender and age.
QString itemSortOrder(const meeting::ItemTypes& items, const QString& itemCode);

} // namespace draw
