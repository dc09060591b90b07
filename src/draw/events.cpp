#include "draw/events.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/heatformats.h"
#include "draw/programrows.h"
#include "meeting/itemtypes.h"
#include "meeting/itemvocabulary.h"

namespace draw {

namespace {

const QString kEventColumns = QStringLiteral(
    "E.EVENTNO, E.ITEMCODE, E.N_ATHLON, E.SELECTED, E.C_SELECTEDEDIT, E.HEATFORMAT, "
    "E.C_HEATFORMATEDIT, E.C_HEATCOUNTSEDIT, E.FINAL_NOT_RUN, E.ESTIMATEDATHLETECOUNT, "
    "E.CATEGORY, (select count(*) from PARTICIPATE P where P.EVENTNO = E.EVENTNO) as ATHLETES, "
    "(select first 1 D.DESCRIPTION from EVENTDSCR D where D.EVENTNO = E.EVENTNO) as DSCR, "
    "coalesce(E.COMBINEDNO, 0) as COMBINEDNO, (select C.NAME from COMBINED C where "
    "C.COMBINEDNO = E.COMBINEDNO) as COMBINEDNAME");

EventRow readRow(const db::Query& q)
{
    EventRow row;
    row.eventNo = q.integer("EVENTNO");
    row.itemCode = q.text("ITEMCODE").trimmed();
    row.nAthlon = int(q.integer("N_ATHLON"));
    row.selected = q.text("SELECTED") == QLatin1String("X");
    row.selectedEdit = q.text("C_SELECTEDEDIT") == QLatin1String("X");
    row.format = q.text("HEATFORMAT").trimmed();
    row.formatEdit = q.text("C_HEATFORMATEDIT").trimmed();
    row.heatCountsEdit = q.text("C_HEATCOUNTSEDIT").trimmed();
    row.finalNotRun = int(q.integer("FINAL_NOT_RUN"));
    row.estimated = int(q.integer("ESTIMATEDATHLETECOUNT"));
    row.athletes = int(q.integer("ATHLETES"));
    row.description = q.text("DSCR");
    row.category = q.text("CATEGORY").trimmed();
    row.combinedNo = q.integer("COMBINEDNO");
    row.combinedName = q.text("COMBINEDNAME").trimmed();
    return row;
}

QString eventWhere(qint64 eventNo)
{
    return QStringLiteral(" where EVENTNO = ") + db::sqlInt(eventNo);
}

} // namespace

QString itemSortOrder(const meeting::ItemTypes& items, const QString& itemCode)
{
    const QString group = items.ItemGroup(itemCode);
    const QList<meeting::vocabulary::Group>& groups = meeting::vocabulary::groups(items.edition());
    int position = 99;
    for (int i = 0; i < groups.size(); ++i) {
        if (group == QLatin1String(groups[i].code))
            position = i + 1;
    }
    // Track items sort by distance, field items by their type's name.
    const QString typeKey =
        items.IsTrackItem(itemCode)
            ? QString::number(items.TrackDistance(itemCode)).rightJustified(7, QLatin1Char('0'))
            : items.ItemType(itemCode);
    return (QString::number(position).rightJustified(2, QLatin1Char('0')) + typeKey +
            items.ItemGender(itemCode) + itemCode.mid(11, 2))
        .left(20);
}

Events::Events(db::DmdCoreDbs& database, const meeting::ItemTypes& items, int meetingNo)
    : m_database(database), m_items(items), m_meetingNo(meetingNo)
{
}

base::Messages& Events::messages() const
{
    return m_items.messages();
}

qint64 Events::addEvent(const NewEvent& event)
{
    const QString code = event.itemCode.trimmed();
    if (code.size() < 11 || code.mid(10, 1).trimmed().isEmpty()) {
        messages().internalError(410101, QStringLiteral("Empty gender"));
        return 0;
    }
    if (event.described && event.nAthlon > 0) {
        messages().internalError(410106,
                                 QStringLiteral("Cannot be Described AND nAthlon: ") + code);
        return 0;
    }
    if (m_items.isSwimming()) {
        if (code.mid(13, 1) != QLatin1String("W")) {
            messages().internalError(410102,
                                     QStringLiteral("You are not adding a swimming Item: ") + code);
            return 0;
        }
        if (event.described && !code.mid(14).contains(QLatin1Char('Z'))) {
            messages().internalError(
                410103, QStringLiteral("You are not adding a described Item: ") + code);
            return 0;
        }
    }
    const qint64 eventNo = m_database.nextKeyNumber();
    if (eventNo <= 0)
        return 0;
    const bool combinedResults = m_items.ItemGroup(code) == QLatin1String("NTH");
    const QString selected = event.selected ? QStringLiteral("X") : QString();
    const bool ok = m_database.executeOneRow(
        QStringLiteral("insert into MYEVENT (MEETINGNO, EVENTNO, N_ATHLON, ITEMCODE, C_ABSAORDER, "
                       "C_GENDER, C_AGE, C_CLASS, FINAL_NOT_RUN, NO_ENTRIES, HEATFORMAT, "
                       "HEATCOUNTS, C_HEATFORMATEDIT, C_HEATCOUNTSEDIT, SELECTED, C_SELECTEDEDIT, "
                       "EXCLUDEPOINTS, ESTIMATEDATHLETECOUNT, SET_TWO_COUNT, COMBINEDNO, "
                       "CATEGORY) values (") +
        db::sqlInt(m_meetingNo) + ", " + db::sqlInt(eventNo) + ", " + db::sqlInt(event.nAthlon) +
        ", " + db::quoted(code) + ", " + db::quoted(itemSortOrder(m_items, code)) + ", " +
        db::quoted(m_items.ItemGender(code)) + ", " + db::quoted(code.mid(11, 2)) + ", " +
        db::quoted(code.size() > 13 ? m_items.ItemPart(code, 6).left(7) : QString()) + ", " +
        db::sqlInt(combinedResults ? 1 : 0) + QStringLiteral(", 0, '', '', '', '', ") +
        db::quoted(selected) + ", " + db::quoted(selected) + QStringLiteral(", '', 0, 0, 0, ") +
        db::quoted(event.category) + ")");
    if (!ok)
        return 0;
    if (event.selected) {
        ProgramRows(m_database, messages()).addHeat(eventNo, QStringLiteral("F"), 0, HeatSlot{});
    }
    if (event.described)
        setDescription(eventNo, event.description, event.prefixWithItem);
    return eventNo;
}

bool Events::inList(const QString& itemCode, const QString& category)
{
    return m_database.ZSqlCount(QStringLiteral("MYEVENT"),
                                QStringLiteral("MEETINGNO = ") + db::sqlInt(m_meetingNo) +
                                    QStringLiteral(" and ITEMCODE = ") +
                                    db::quoted(itemCode.trimmed()) +
                                    QStringLiteral(" and coalesce(N_ATHLON, 0) = 0 and "
                                                   "coalesce(CATEGORY, '') = ") +
                                    db::quoted(category.trimmed())) > 0;
}

qint64 Events::addOneItem(const QString& itemCode, bool selected)
{
    NewEvent event;
    event.itemCode = itemCode;
    event.selected = selected;
    return addOneItem(event, PickedAs::Plain);
}

qint64 Events::addOneItem(const NewEvent& picked, PickedAs kind)
{
    NewEvent event = picked;
    event.itemCode = event.itemCode.trimmed();
    event.category = event.category.trimmed();
    event.described = kind == PickedAs::Described;
    db::Query meeting = m_database.openQuery(
        QStringLiteral("select HAS_CATEGORIES, CURRENT_ADD_CATEGORY from MEETING where "
                       "MEETINGNO = ") +
        db::sqlInt(m_meetingNo));
    bool categorised = false;
    QString currentCategory;
    if (meeting.isOpen() && !meeting.isEmpty()) {
        meeting.first();
        categorised = meeting.integer("HAS_CATEGORIES") == 1;
        currentCategory = meeting.text("CURRENT_ADD_CATEGORY").trimmed();
    }
    if (kind == PickedAs::Categorised) {
        if (!categorised) {
            messages().warning(
                QStringLiteral("You want a Category Item, but the Meeting is not Categorised"));
            return 0;
        }
        if (event.category.isEmpty())
            event.category = currentCategory;
    } else if (kind == PickedAs::Plain && !event.category.isEmpty()) {
        messages().warning(
            QStringLiteral("Only Categorised or Described Items may have Categories"));
        return 0;
    }
    if (event.described) {
        if (categorised) {
            messages().warning(QStringLiteral(
                "This Meeting has Categories.  You cannot use \"Described\" Items."));
            return 0;
        }
        if (event.description.trimmed().isEmpty()) {
            messages().warning(QStringLiteral("The Description is empty"));
            return 0;
        }
        // A described swimming item carries its mark after the edition's.
        if (m_items.isSwimming() && event.itemCode.size() == 14)
            event.itemCode += QLatin1Char('Z');
    }
    // Described items differ by their description, not by their code.
    if (!event.described && inList(event.itemCode, event.category)) {
        messages().warning(
            QStringLiteral("This item is already in the list of Items that you select from."));
        return 0;
    }
    return addEvent(event);
}

QList<EventRow> Events::list(bool selectedOnly)
{
    QList<EventRow> rows;
    db::Query q = m_database.openQuery(
        QStringLiteral("select ") + kEventColumns +
        QStringLiteral(" from MYEVENT E where "
                       "E.MEETINGNO = ") +
        db::sqlInt(m_meetingNo) +
        (selectedOnly ? QStringLiteral(" and E.C_SELECTEDEDIT = 'X'") : QString()) +
        QStringLiteral(" order by E.N_ATHLON, E.C_AGE, E.C_GENDER, E.C_ABSAORDER, E.EVENTNO"));
    for (q.first(); !q.eof(); q.next())
        rows.append(readRow(q));
    return rows;
}

EventRow Events::event(qint64 eventNo)
{
    db::Query q = m_database.openQuery(QStringLiteral("select ") + kEventColumns +
                                       QStringLiteral(" from MYEVENT E where E.EVENTNO = ") +
                                       db::sqlInt(eventNo) + QStringLiteral(" and E.MEETINGNO = ") +
                                       db::sqlInt(m_meetingNo));
    if (q.isEmpty())
        return EventRow{};
    q.first();
    return readRow(q);
}

bool Events::collectSelection()
{
    messages().progress(QStringLiteral("Collecting"), QStringLiteral(" the current selection"));
    const bool ok = m_database.execute(
        QStringLiteral("update MYEVENT set C_SELECTEDEDIT = SELECTED, C_HEATCOUNTSEDIT = "
                       "HEATCOUNTS, C_HEATFORMATEDIT = HEATFORMAT where MEETINGNO = ") +
        db::sqlInt(m_meetingNo));
    messages().progressDone();
    return ok;
}

bool Events::saveSelection(QStringList* syncErrors)
{
    if (m_database.batchActive()) {
        messages().internalError(410105, QStringLiteral("The transaction is !STILL! active."));
        return false;
    }
    messages().progress(QStringLiteral("Saving"), QStringLiteral(" the current selection"));
    const QString meeting = db::sqlInt(m_meetingNo);
    // Every change is worked out first and written in one transaction, so that a failure
    // leaves every event and its program as it was.
    QStringList statements{
        QStringLiteral("update MYEVENT set SELECTED = C_SELECTEDEDIT, HEATCOUNTS = "
                       "C_HEATCOUNTSEDIT, HEATFORMAT = C_HEATFORMATEDIT where MEETINGNO = ") +
        meeting};
    ProgramRows rows(m_database, messages());
    QList<std::pair<qint64, QString>> events;
    db::Query q = m_database.openQuery(QStringLiteral("select EVENTNO, ITEMCODE, C_SELECTEDEDIT, "
                                                      "C_HEATFORMATEDIT from MYEVENT where "
                                                      "MEETINGNO = ") +
                                       meeting + QStringLiteral(" order by EVENTNO"));
    bool ok = q.isOpen();
    for (q.first(); ok && !q.eof(); q.next()) {
        const qint64 eventNo = q.integer("EVENTNO");
        events.append({eventNo, q.text("ITEMCODE").trimmed()});
        const HeatPlan plan = rows.planSync(eventNo, q.text("C_HEATFORMATEDIT").trimmed(),
                                            q.text("C_SELECTEDEDIT") == QLatin1String("X"));
        const QStringList changes = rows.planStatements(eventNo, plan);
        ok = plan.changes.isEmpty() || !changes.isEmpty();
        statements += changes;
    }
    statements.append(
        QStringLiteral("update MEETING set HAS_CATEGORIES = (case when exists (select 1 from "
                       "MYEVENT where MEETINGNO = ") +
        meeting +
        QStringLiteral(" and coalesce(CATEGORY, '') <> '') then 1 else 0 end), DAY_COUNT = "
                       "maxvalue(coalesce(DAY_COUNT, 1), coalesce((select max(DAY_SEQ) from "
                       "PROGRAM where MEETINGNO = ") +
        meeting + QStringLiteral("), 1)) where MEETINGNO = ") + meeting);
    ok = ok && m_database.executeAll(statements);
    if (!ok) {
        messages().progressDone();
        messages().warning(QStringLiteral("The selection could not be saved; nothing was "
                                          "changed.\r") +
                           m_database.lastError().message);
        return false;
    }
    // The saved program is checked against the formats it was made from.
    QStringList lostSync;
    for (const auto& [eventNo, itemCode] : events) {
        if (!rows.repairEvent(eventNo))
            lostSync.append(m_items.ItemDescription(itemCode, false));
    }
    messages().progressDone();
    if (!lostSync.isEmpty()) {
        messages().warning(QStringLiteral(" Heatformat sync errors\rThe Heatformat of the Items "
                                          "below lost sync. \rTo fix the problem, edit the "
                                          "formats.\r\r") +
                           lostSync.join(QLatin1Char('\r')));
    }
    if (syncErrors)
        *syncErrors = lostSync;
    return true;
}

int Events::participants(qint64 eventNo)
{
    return m_database.ZSqlCount(QStringLiteral("PARTICIPATE"),
                                QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo));
}

QString Events::unselectRefusal(const EventRow& row)
{
    if (row.nAthlon > 0) {
        return QStringLiteral("You cannot select/unselect individual items of n-athlons.\r"
                              "Use the \"Remove\" option of the n-Athlon screen.");
    }
    if (row.finalNotRun == 1)
        return QStringLiteral("The item is marked as \"Heats-Are-Finals\"");
    if (!row.heatCountsEdit.isEmpty() && row.heatCountsEdit != QLatin1String("0"))
        return QStringLiteral("Before you can unselect, you must clear the heats");
    if (row.athletes > 0) {
        return QStringLiteral("There are already athletes participating in this event.\r"
                              "It cannot be removed from the program.");
    }
    return QString();
}

bool Events::setSelected(qint64 eventNo, bool selected)
{
    const EventRow row = event(eventNo);
    if (row.eventNo == 0)
        return false;
    if (!selected && row.selectedEdit) {
        const QString refusal = unselectRefusal(row);
        if (!refusal.isEmpty()) {
            messages().warning(refusal);
            return false;
        }
    }
    return m_database.executeOneRow(QStringLiteral("update MYEVENT set C_SELECTEDEDIT = ") +
                                    db::quoted(selected ? QStringLiteral("X") : QString()) +
                                    eventWhere(eventNo));
}

bool Events::toggleSelection(qint64 eventNo)
{
    return setSelected(eventNo, !event(eventNo).selectedEdit);
}

int Events::selectAll(bool selected)
{
    const QString meeting = db::sqlInt(m_meetingNo);
    if (selected) {
        return int(m_database.executeRowsAffected(
            QStringLiteral("update MYEVENT set C_SELECTEDEDIT = 'X' where MEETINGNO = ") + meeting +
            QStringLiteral(" and coalesce(C_SELECTEDEDIT, '') <> 'X'")));
    }
    const int changed = int(m_database.executeRowsAffected(
        QStringLiteral("update MYEVENT E set C_SELECTEDEDIT = '' where E.MEETINGNO = ") + meeting +
        QStringLiteral(" and E.C_SELECTEDEDIT = 'X' and coalesce(E.N_ATHLON, 0) = 0 and "
                       "coalesce(E.FINAL_NOT_RUN, 0) <> 1 and coalesce(E.C_HEATCOUNTSEDIT, '') "
                       "in ('', '0') and not exists (select 1 from PARTICIPATE P where "
                       "P.EVENTNO = E.EVENTNO)")));
    // Report what was left selected, by reason.
    QStringList left;
    const QList<EventRow> rows = list(true);
    int heats = 0, athletes = 0, nathlons = 0, notRun = 0;
    for (const EventRow& row : rows) {
        if (row.nAthlon > 0)
            ++nathlons;
        else if (row.finalNotRun == 1)
            ++notRun;
        else if (!row.heatCountsEdit.isEmpty() && row.heatCountsEdit != QLatin1String("0"))
            ++heats;
        else if (row.athletes > 0)
            ++athletes;
    }
    if (heats > 0)
        left.append(QString::number(heats) +
                    QStringLiteral(" Items could not be unselected because they have Heats."));
    if (athletes > 0)
        left.append(QString::number(athletes) +
                    QStringLiteral(" Items could not be unselected bacause they have "
                                   "Participants."));
    if (nathlons > 0)
        left.append(QString::number(nathlons) +
                    QStringLiteral(" Items could not be unselected bacause they are Nathlons."));
    if (notRun > 0)
        left.append(QString::number(notRun) +
                    QStringLiteral(" Items could not be unselected bacause there finals are "
                                   "tagged as \"NotRun\"."));
    if (!left.isEmpty())
        messages().information(left.join(QLatin1Char('\r')));
    return changed;
}

int Events::removeUnselected()
{
    const QString meeting = db::sqlInt(m_meetingNo);
    const QString where = QStringLiteral(" where MEETINGNO = ") + meeting +
                          QStringLiteral(" and coalesce(SELECTED, '') = '' and "
                                         "coalesce(C_SELECTEDEDIT, '') = ''");
    if (!m_database.startBatch())
        return 0;
    qint64 removed = 0;
    const bool ok =
        m_database.batchExecute(QStringLiteral("delete from EVENTDSCR where EVENTNO in (select "
                                               "EVENTNO from MYEVENT") +
                                where + QStringLiteral(")")) &&
        m_database.batchExecute(QStringLiteral("delete from PROGRAM where EVENTNO in (select "
                                               "EVENTNO from MYEVENT") +
                                where + QStringLiteral(")")) &&
        m_database.batchExecute(QStringLiteral("delete from NON_CRUCIAL_SPEC where EVENTNO in "
                                               "(select EVENTNO from MYEVENT") +
                                where + QStringLiteral(")")) &&
        m_database.batchExecute(QStringLiteral("delete from MYEVENT") + where, &removed);
    if (!ok || !m_database.commitBatch()) {
        m_database.rollbackBatch();
        return 0;
    }
    messages().information(QString::number(removed) + QStringLiteral(" Items were removed"));
    return int(removed);
}

bool Events::isNathlonTotal(const EventRow& row) const
{
    // The total of a combined event is computed from its parts: it is never run in heats.
    if (row.nAthlon <= 0 || !m_items.IsNathlon(row.itemCode))
        return false;
    messages().warning(QStringLiteral("Heats are not applicable to n-athlon results"));
    return true;
}

bool Events::setFormatEdit(qint64 eventNo, const QString& format)
{
    const EventRow row = event(eventNo);
    if (row.eventNo == 0)
        return false;
    const QString text = format.trimmed();
    if (!text.isEmpty() && isNathlonTotal(row))
        return false;
    QString sql = QStringLiteral("update MYEVENT set C_HEATFORMATEDIT = ") + db::quoted(text) +
                  QStringLiteral(", C_HEATCOUNTSEDIT = ") +
                  db::quoted(HeatFormats::heatCountsText(text));
    if (text.isEmpty() && row.finalNotRun >= 1) {
        messages().information(QStringLiteral(
            "This Item was marked as \"Final-Not-Run\".  Since it\rdoes not require Heats "
            "anymore, this will be removed."));
        sql += QStringLiteral(", FINAL_NOT_RUN = 0");
    }
    return m_database.executeOneRow(sql + eventWhere(eventNo));
}

bool Events::setFinalNotRun(qint64 eventNo, bool heatsAreFinals)
{
    const EventRow row = event(eventNo);
    if (row.eventNo == 0)
        return false;
    if (!row.selectedEdit) {
        messages().warning(QStringLiteral("You cannot edit an unselected item"));
        return false;
    }
    if (isNathlonTotal(row))
        return false;
    if (heatsAreFinals &&
        (row.heatCountsEdit.isEmpty() || row.heatCountsEdit == QLatin1String("0"))) {
        messages().warning(
            QStringLiteral("You cannot select \"Heats Are Finals\" if there are no Heats."));
        return false;
    }
    return m_database.executeOneRow(QStringLiteral("update MYEVENT set FINAL_NOT_RUN = ") +
                                    db::sqlInt(heatsAreFinals ? 1 : 0) + eventWhere(eventNo));
}

bool Events::setEstimatedCount(qint64 eventNo, int count)
{
    return m_database.executeOneRow(QStringLiteral("update MYEVENT set ESTIMATEDATHLETECOUNT = ") +
                                    db::sqlInt(std::max(0, count)) + eventWhere(eventNo));
}

bool Events::estimatesFromEntries()
{
    return m_database.execute(
        QStringLiteral("update MYEVENT E set ESTIMATEDATHLETECOUNT = (select count(*) from "
                       "PARTICIPATE P where P.EVENTNO = E.EVENTNO) where E.MEETINGNO = ") +
        db::sqlInt(m_meetingNo));
}

bool Events::setDescription(qint64 eventNo, const QString& text, bool prefixWithItem)
{
    const QString where = QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo);
    const int existing = m_database.ZSqlCount(QStringLiteral("EVENTDSCR"), where);
    if (existing > 1) {
        messages().internalError(410104, QStringLiteral("An event can only have one description"));
        return false;
    }
    if (text.trimmed().isEmpty()) {
        return existing == 0 ||
               m_database.execute(QStringLiteral("delete from EVENTDSCR where ") + where);
    }
    const QString prefix = db::sqlInt(prefixWithItem ? 1 : 2);
    if (existing == 1) {
        return m_database.executeOneRow(QStringLiteral("update EVENTDSCR set DESCRIPTION = ") +
                                        db::quoted(text.trimmed().left(50)) +
                                        QStringLiteral(", PREFIX_WITH_ITEM = ") + prefix +
                                        QStringLiteral(" where ") + where);
    }
    const qint64 key = m_database.nextKeyNumber();
    return key > 0 &&
           m_database.executeOneRow(
               QStringLiteral("insert into EVENTDSCR (EVENTDSCRNO, EVENTNO, DESCRIPTION, "
                              "PREFIX_WITH_ITEM, MEETINGNO) values (") +
               db::sqlInt(key) + ", " + db::sqlInt(eventNo) + ", " +
               db::quoted(text.trimmed().left(50)) + ", " + prefix + ", " +
               db::sqlInt(m_meetingNo) + ")");
}

QString Events::description(qint64 eventNo)
{
    return m_database.selectOneValue(QStringLiteral("DESCRIPTION"), QStringLiteral("EVENTDSCR"),
                                     QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo));
}

QString eventTitleOf(const meeting::ItemTypes& items, const QString& itemCode, bool described,
                     const QString& description, int prefixWithItem, bool afrikaans)
{
    const QString item = items.ItemDescription(itemCode.trimmed(), afrikaans);
    if (!described)
        return item;
    if (prefixWithItem == 2)
        return description;
    return item + QLatin1Char(' ') + description;
}

QString Events::eventTitle(qint64 eventNo, bool afrikaans)
{
    const QString code =
        m_database.selectOneValue(QStringLiteral("ITEMCODE"), QStringLiteral("MYEVENT"),
                                  QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo));
    db::Query q = m_database.openQuery(
        QStringLiteral("select DESCRIPTION, PREFIX_WITH_ITEM from EVENTDSCR where EVENTNO = ") +
        db::sqlInt(eventNo));
    if (q.isEmpty())
        return eventTitleOf(m_items, code, false, QString(), 0, afrikaans);
    q.first();
    return eventTitleOf(m_items, code, true, q.text("DESCRIPTION"),
                        int(q.integer("PREFIX_WITH_ITEM")), afrikaans);
}

} // namespace draw
