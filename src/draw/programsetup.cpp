#include "draw/programsetup.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/programrows.h"
#include "draw/standarditems.h"
#include "meeting/itemtypes.h"

#include <optional>

namespace draw {

ProgramSetup::ProgramSetup(Events& events) : m_events(events) {}

db::DmdCoreDbs& ProgramSetup::database()
{
    return m_events.database();
}

base::Messages& ProgramSetup::messages()
{
    return m_events.messages();
}

int ProgramSetup::addItemsForAges(const QList<int>& ages, const QStringList& genders,
                                  bool withRelays, bool grades)
{
    StandardItems standard(m_events.items());
    const int ageType = ageDescriptionType();
    const bool fuller = ageType == 1 || ageType == 2;
    // A meeting whose ages are school grades is given grades.
    grades = grades || ageType == 3;
    QStringList missing;
    QStringList ageTexts;
    for (int age : ages) {
        ageTexts.append(QString::number(age));
        for (const QString& gender : genders) {
            for (const QString& code :
                 standard.itemsForAge(grades ? age + 6 : age, gender, withRelays, fuller)) {
                if (!m_events.inList(code) && !missing.contains(code))
                    missing.append(code);
            }
        }
    }
    if (missing.isEmpty()) {
        messages().information(QStringLiteral("No events to add"));
        return 0;
    }
    if (!messages().confirm(QStringLiteral("There are ") + QString::number(missing.size()) +
                            QStringLiteral(" item types for the") +
                            (grades ? QStringLiteral("grades ") : QStringLiteral("ages ")) +
                            ageTexts.join(QLatin1Char(',')) +
                            QStringLiteral(" that are not in your current list to select from."
                                           "\rMust we add them")))
        return 0;
    int added = 0;
    for (const QString& code : missing) {
        messages().progress(QStringLiteral("Add new items"), code, added, int(missing.size()));
        NewEvent event;
        event.itemCode = code;
        if (m_events.addEvent(event) > 0)
            ++added;
    }
    messages().progressDone();
    return added;
}

int ProgramSetup::addStandardVeterans(const QString& itemCode)
{
    const QString code = itemCode.trimmed();
    const QString gender = m_events.items().ItemGender(code);
    if (code.size() < 13 || (gender != QLatin1String("M") && gender != QLatin1String("F"))) {
        messages().warning(QStringLiteral("Veterans' items are for men or for women: ") + code);
        return 0;
    }
    QStringList missing;
    QStringList ages;
    for (int age : StandardItems::veteranBands(gender)) {
        // Group, type and gender, then the band's age in place of the code's.
        const QString band = code.left(11) + QString::number(age) + code.mid(13);
        if (!m_events.inList(band))
            missing.append(band);
        ages.append(QString::number(age));
    }
    if (missing.isEmpty()) {
        messages().information(QStringLiteral("No events to add"));
        return 0;
    }
    if (!messages().confirm(QStringLiteral("There are ") + QString::number(missing.size()) +
                            QStringLiteral(" veterans' age bands (") + ages.join(QLatin1Char(',')) +
                            QStringLiteral(") of this item that are not in your current list to "
                                           "select from.\rMust we add them")))
        return 0;
    int added = 0;
    for (const QString& band : missing) {
        NewEvent event;
        event.itemCode = band;
        if (m_events.addEvent(event) > 0)
            ++added;
    }
    return added;
}

int ProgramSetup::ageDescriptionType()
{
    return database()
        .selectOneValue(QStringLiteral("AGE_DESC_TYPE"), QStringLiteral("MEETING"),
                        QStringLiteral("MEETINGNO = ") + db::sqlInt(m_events.meetingNo()))
        .toInt();
}

qint64 ProgramSetup::addNathlon(const QString& gender, int age, const QStringList& memberCodes)
{
    const int count = int(memberCodes.size());
    const QString ageText = QString::number(age).rightJustified(2, QLatin1Char('0'));
    const QString resultsCode =
        QStringLiteral("NTH") + QString::number(count).rightJustified(7, QLatin1Char('_')) +
        gender + ageText + (m_events.items().isSwimming() ? QStringLiteral("W") : QString());
    if (database().ZSqlCount(QStringLiteral("MYEVENT"),
                             QStringLiteral("MEETINGNO = ") + db::sqlInt(m_events.meetingNo()) +
                                 QStringLiteral(" and ITEMCODE = ") + db::quoted(resultsCode)) >
        0) {
        messages().warning(QStringLiteral("There is already a ") +
                           m_events.items().ItemDescription(resultsCode, false) +
                           QStringLiteral(" in the list of Items that you select from."));
        return 0;
    }
    NewEvent results;
    results.itemCode = resultsCode;
    results.selected = true;
    results.nAthlon = count;
    const qint64 resultsNo = m_events.addEvent(results);
    if (resultsNo == 0)
        return 0;
    for (const QString& code : memberCodes) {
        NewEvent member;
        member.itemCode = code;
        member.selected = true;
        member.nAthlon = count;
        if (m_events.addEvent(member) == 0) {
            deleteNathlonEvents(resultsNo);
            return 0;
        }
    }
    database().execute(QStringLiteral("update MEETING set HAS_N_ATHLONS=1 where MEETINGNO = ") +
                       db::sqlInt(m_events.meetingNo()));
    return resultsNo;
}

bool ProgramSetup::addStandardCombined(const QString& genderWord, int ageOrGrade,
                                       const QString& name)
{
    StandardItems standard(m_events.items());
    const StandardItems::Combined combined =
        standard.combinedEvent(genderWord, ageOrGrade, name, ageDescriptionType() == 3);
    if (combined.events.isEmpty())
        return false;
    QStringList codes;
    for (const QString& eventName : combined.events) {
        const QString code = standard.combinedItemCode(eventName, combined.gender, combined.age);
        if (code.isEmpty())
            return false;
        codes.append(code);
    }
    if (addNathlon(combined.gender, combined.age, codes) == 0)
        return false;
    messages().information(QStringLiteral("Done: the items for ") + genderWord + " " +
                           QString::number(ageOrGrade) + " " + name +
                           QStringLiteral(" were added to the eventlist, and they were marked as "
                                          "selected.\rTheir heats can now be selected like any "
                                          "other item.\rTo unselect them, use the \"Remove\" "
                                          "-option"));
    return true;
}

bool ProgramSetup::addStandardCombined(const QString& title)
{
    const std::optional<StandardItems::CombinedTitle> parts =
        StandardItems::parseCombinedTitle(title);
    if (!parts) {
        messages().warning(QStringLiteral("An n-Athlon is named by gender, age and name, for "
                                          "example \"Boys 16 Octathlon\": ") +
                           title);
        return false;
    }
    return addStandardCombined(parts->genderWord, parts->ageOrGrade, parts->name);
}

QList<qint64> ProgramSetup::nathlonEvents(qint64 eventNo)
{
    QList<qint64> result;
    const EventRow event = m_events.event(eventNo);
    if (event.eventNo == 0 || event.nAthlon <= 0)
        return result;
    // The results event and its members share the count, gender, age and category.
    db::Query q = database().openQuery(
        QStringLiteral("select E.EVENTNO from MYEVENT E join MYEVENT N on N.EVENTNO = ") +
        db::sqlInt(eventNo) +
        QStringLiteral(" where E.MEETINGNO = N.MEETINGNO and E.N_ATHLON = N.N_ATHLON and "
                       "E.C_GENDER = N.C_GENDER and E.C_AGE = N.C_AGE and coalesce(E.CATEGORY, "
                       "'') = coalesce(N.CATEGORY, '') order by E.EVENTNO"));
    for (q.first(); q.isOpen() && !q.eof(); q.next())
        result.append(q.integer("EVENTNO"));
    return result;
}

bool ProgramSetup::deleteNathlonEvents(qint64 eventNo)
{
    QStringList numbers;
    for (qint64 e : nathlonEvents(eventNo))
        numbers.append(db::sqlInt(e));
    if (numbers.isEmpty())
        return false;
    const QString inEvents =
        QStringLiteral(" where EVENTNO in (") + numbers.join(QStringLiteral(", ")) + ")";
    const QString m = db::sqlInt(m_events.meetingNo());
    return database().executeAll(
        {QStringLiteral("delete from PROGRAM") + inEvents,
         QStringLiteral("delete from EVENTDSCR") + inEvents,
         QStringLiteral("delete from NON_CRUCIAL_SPEC") + inEvents,
         QStringLiteral("delete from MYEVENT") + inEvents,
         QStringLiteral("update MEETING set HAS_N_ATHLONS = (case when exists (select 1 from "
                        "MYEVENT where MEETINGNO = ") +
             m + QStringLiteral(" and N_ATHLON > 0) then 1 else 0 end) where MEETINGNO = ") + m});
}

bool ProgramSetup::deleteNathlon(qint64 eventNo)
{
    const EventRow event = m_events.event(eventNo);
    if (event.eventNo == 0 || event.nAthlon <= 0) {
        messages().warning(QStringLiteral("Select an item of the n-Athlon that must be deleted"));
        return false;
    }
    const QList<qint64> members = nathlonEvents(eventNo);
    int athletes = 0;
    for (qint64 e : members)
        athletes += m_events.event(e).athletes;
    const QString title = m_events.items().ItemDescription(
        QStringLiteral("NTH") + QString::number(event.nAthlon).rightJustified(7, QLatin1Char('_')) +
            event.itemCode.mid(10, 3),
        false);
    if (athletes > 0) {
        messages().warning(
            QStringLiteral("There are already athletes participating in ") + title +
            QStringLiteral(".\rIt cannot be removed from the program.\rThey must first be "
                           "deleted !"));
        return false;
    }
    if (!messages().confirm(QStringLiteral("Delete n-Athlon ") + title +
                            QStringLiteral("\r\rIts ") + QString::number(members.size()) +
                            QStringLiteral(" events and their program rows are deleted.")))
        return false;
    if (!deleteNathlonEvents(eventNo))
        return false;
    messages().information(QStringLiteral("Done: ") + title + QStringLiteral(" was deleted."));
    return true;
}

bool ProgramSetup::deleteProgram()
{
    const QString m = db::sqlInt(m_events.meetingNo());
    const QString ofEvents = QStringLiteral(" where EVENTNO in (select EVENTNO from MYEVENT "
                                            "where MEETINGNO = ") +
                             m + QStringLiteral(")");
    messages().progress(QStringLiteral("Deleting the current Program"), QString());
    // Rows hanging from events go before the events themselves.
    const QStringList statements{
        QStringLiteral("delete from HEATPART") + ofEvents,
        QStringLiteral("delete from PARTICIPATE") + ofEvents,
        QStringLiteral("delete from EVENTDSCR") + ofEvents,
        QStringLiteral("delete from NON_CRUCIAL_SPEC") + ofEvents,
        QStringLiteral("delete from PROGRAM where MEETINGNO = ") + m,
        QStringLiteral("delete from PROGRAM_BREAK where MEETINGNO = ") + m,
        QStringLiteral("delete from PROGRAM_NEWDAY where MEETINGNO = ") + m,
        QStringLiteral("delete from MYEVENT where MEETINGNO = ") + m,
    };
    const bool ok = database().executeAll(statements);
    messages().progressDone();
    return ok;
}

QList<TemplateInfo> ProgramSetup::templates()
{
    QList<TemplateInfo> result;
    db::Query q = database().openQuery(
        QStringLiteral("select T.TEMPLATENO, T.NAME, (select count(*) from TPLTITEM I where "
                       "I.TEMPLATENO = T.TEMPLATENO) as ITEMS from TEMPLATE T order by T.NAME"));
    for (q.first(); !q.eof(); q.next())
        result.append({q.integer("TEMPLATENO"), q.text("NAME"), int(q.integer("ITEMS"))});
    return result;
}

void ProgramSetup::copyTemplateCategories(qint64 templateNo)
{
    // The meeting's own categories stay; those of the template that it lacks are added
    // (the same code in another case is the same category).
    const QString m = db::sqlInt(m_events.meetingNo());
    db::Query q = database().openQuery(
        QStringLiteral("select T.CATEGORY, T.DESCRIPTION from TPLTCATEGORY T where "
                       "T.TEMPLATENO = ") +
        db::sqlInt(templateNo) +
        QStringLiteral(" and coalesce(T.CATEGORY, '') <> '' and not exists (select 1 from "
                       "CATEGORY C where C.MEETINGNO = ") +
        m + QStringLiteral(" and upper(C.CATEGORY) = upper(T.CATEGORY)) order by T.CATEGORY"));
    QList<QPair<QString, QString>> missing;
    for (q.first(); !q.eof(); q.next())
        missing.append({q.text("CATEGORY").trimmed(), q.text("DESCRIPTION").trimmed()});
    for (const auto& [code, description] : missing)
        database().execute(QStringLiteral("insert into CATEGORY (DUMMY_NO, MEETINGNO, CATEGORY, "
                                          "DESCRIPTION) values (") +
                           db::sqlInt(database().nextKeyNumber()) + ", " + m + ", " +
                           db::quoted(code) + ", " + db::quoted(description) + ")");
}

bool ProgramSetup::importTemplate(qint64 templateNo)
{
    const QString name =
        database().selectOneValue(QStringLiteral("NAME"), QStringLiteral("TEMPLATE"),
                                  QStringLiteral("TEMPLATENO = ") + db::sqlInt(templateNo));
    if (name.isEmpty())
        return false;
    const int selected =
        database().ZSqlCount(QStringLiteral("MYEVENT"), QStringLiteral("MEETINGNO = ") +
                                                            db::sqlInt(m_events.meetingNo()) +
                                                            QStringLiteral(" and SELECTED = 'X'"));
    QString question = QStringLiteral("Import the Template:\r") + name + QStringLiteral("\r\r");
    if (selected > 0)
        question += QStringLiteral("There are already ") + QString::number(selected) +
                    QStringLiteral(" Items selected for the Current Meeting.\r");
    question += QStringLiteral("Overwrite the current Program with the Template called ") + name;
    if (!messages().confirm(question) || !deleteProgram())
        return false;
    const QString m = db::sqlInt(m_events.meetingNo());
    copyTemplateCategories(templateNo);
    db::Query items =
        database().openQuery(QStringLiteral("select * from TPLTITEM where TEMPLATENO = ") +
                             db::sqlInt(templateNo) + QStringLiteral(" order by SEQ, ITEMNO"));
    ProgramRows rows(database(), messages());
    for (items.first(); !items.eof(); items.next()) {
        NewEvent event;
        event.itemCode = items.text("ITEMCODE").trimmed();
        event.nAthlon = int(items.integer("N_ATHLON"));
        event.category = items.text("CATEGORY").trimmed();
        const qint64 eventNo = m_events.addEvent(event);
        if (eventNo == 0)
            continue;
        const QString format = items.text("HEATFORMAT").trimmed();
        HeatSlot slot;
        slot.day = std::max(1, int(items.integer("DAY_SEQ")));
        slot.time = items.value("THETIME").toTime();
        slot.seq = int(items.integer("SEQ"));
        slot.pit = items.text("PIT");
        database().execute(
            QStringLiteral("update MYEVENT set SELECTED = 'X', C_SELECTEDEDIT = 'X', "
                           "HEATFORMAT = ") +
            db::quoted(format) + QStringLiteral(", C_HEATFORMATEDIT = ") + db::quoted(format) +
            QStringLiteral(", HEATCOUNTS = ") + db::quoted(items.text("HEATCOUNTS").trimmed()) +
            QStringLiteral(", C_HEATCOUNTSEDIT = ") +
            db::quoted(items.text("HEATCOUNTS").trimmed()) + QStringLiteral(", FINAL_NOT_RUN = ") +
            db::sqlInt(items.integer("FINAL_NOT_RUN")) + QStringLiteral(", EXCLUDEPOINTS = ") +
            db::quoted(items.text("EXCLUDEPOINTS")) + QStringLiteral(", ESTIMATEDATHLETECOUNT = ") +
            db::sqlInt(items.integer("ESTIMATEDATHLETECOUNT")) +
            QStringLiteral(", SET_TWO_COUNT = ") + db::sqlInt(items.integer("SET_TWO_COUNT")) +
            QStringLiteral(", C_SEQ = ") + db::sqlInt(slot.seq) + QStringLiteral(", C_DAY_SEQ = ") +
            db::sqlInt(slot.day) + QStringLiteral(", C_TIME = ") + sqlTime(slot.time) +
            QStringLiteral(", C_PIT = ") + db::quoted(slot.pit.trimmed()) +
            QStringLiteral(" where EVENTNO = ") + db::sqlInt(eventNo));
        db::Query heats = database().openQuery(
            QStringLiteral("select * from TPLTPROGRAM where ITEMNO = ") +
            db::sqlInt(items.integer("ITEMNO")) + QStringLiteral(" order by ROUND, HEATNO"));
        for (heats.first(); !heats.eof(); heats.next()) {
            HeatSlot heat;
            heat.day = std::max(1, int(heats.integer("DAY_SEQ")));
            heat.time = heats.value("THETIME").toTime();
            heat.seq = int(heats.integer("SEQ"));
            heat.pit = heats.text("PIT");
            rows.addHeat(eventNo, heats.text("ROUND"), int(heats.integer("HEATNO")), heat);
        }
        // A template without program rows still gets its heats and final.
        rows.syncEvent(eventNo);
    }
    // The meeting is categorised when one of its events is.
    database().execute(QStringLiteral("update MEETING set HAS_CATEGORIES = (case when exists "
                                      "(select 1 from MYEVENT where MEETINGNO = ") +
                       m +
                       QStringLiteral(" and coalesce(CATEGORY, '') <> '') then 1 else 0 end) "
                                      "where MEETINGNO = ") +
                       m);
    database().execute(QStringLiteral("update MEETING set DAY_COUNT = maxvalue(coalesce("
                                      "DAY_COUNT, 1), coalesce((select max(DAY_SEQ) from PROGRAM "
                                      "where MEETINGNO = ") +
                       m + QStringLiteral("), 1)) where MEETINGNO = ") + m);
    messages().information(QStringLiteral("Done: Template ") + name + QStringLiteral(" imported."));
    return true;
}

qint64 ProgramSetup::saveAsTemplate(const QString& name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || trimmed.contains(QLatin1Char('"')) ||
        trimmed.contains(QLatin1Char('\''))) {
        messages().warning(QStringLiteral("The name of a template may not contain quotation "
                                          "marks"));
        return 0;
    }
    if (database().ZSqlCount(QStringLiteral("TEMPLATE"),
                             QStringLiteral("NAME = ") + db::quoted(trimmed)) > 0) {
        messages().warning(QStringLiteral("There is already a Template called ") + trimmed);
        return 0;
    }
    const QList<EventRow> events = m_events.list(true);
    if (events.isEmpty()) {
        messages().warning(QStringLiteral("No events to save as a template"));
        return 0;
    }
    const qint64 templateNo = database().nextKeyNumber();
    bool ok = database().startBatch() &&
              database().batchExecute(QStringLiteral("insert into TEMPLATE (TEMPLATENO, NAME, "
                                                     "ISSYSTEM) values (") +
                                      db::sqlInt(templateNo) + ", " + db::quoted(trimmed.left(50)) +
                                      QStringLiteral(", 'N')"));
    for (const EventRow& event : events) {
        if (!ok)
            break;
        const qint64 itemNo = database().nextKeyNumber();
        ok = database().batchExecute(
            QStringLiteral("insert into TPLTITEM (ITEMNO, TEMPLATENO, ITEMCODE, CATEGORY, "
                           "N_ATHLON, DAY_SEQ, SEQ, THETIME, PIT, EXCLUDEPOINTS, HEATCOUNTS, "
                           "HEATFORMAT, FINAL_NOT_RUN, ESTIMATEDATHLETECOUNT, SET_TWO_COUNT) "
                           "select ") +
            db::sqlInt(itemNo) + ", " + db::sqlInt(templateNo) +
            QStringLiteral(", E.ITEMCODE, E.CATEGORY, E.N_ATHLON, P.DAY_SEQ, P.SEQ, P.THETIME, "
                           "substring(P.PIT from 1 for 5), E.EXCLUDEPOINTS, E.HEATCOUNTS, "
                           "E.HEATFORMAT, E.FINAL_NOT_RUN, "
                           "E.ESTIMATEDATHLETECOUNT, E.SET_TWO_COUNT from MYEVENT E left join "
                           "PROGRAM P on P.EVENTNO = E.EVENTNO and P.ROUND = 'F' where "
                           "E.EVENTNO = ") +
            db::sqlInt(event.eventNo));
        db::Query heats = database().openQuery(
            QStringLiteral("select ROUND, HEATNO, THETIME, DAY_SEQ, SEQ, PIT from PROGRAM where "
                           "EVENTNO = ") +
            db::sqlInt(event.eventNo));
        for (heats.first(); !heats.eof() && ok; heats.next()) {
            ok = database().batchExecute(
                QStringLiteral("insert into TPLTPROGRAM (DUMMYNO, TEMPLATENO, ITEMNO, ROUND, "
                               "HEATNO, THETIME, DAY_SEQ, SEQ, PIT) values (") +
                db::sqlInt(database().nextKeyNumber()) + ", " + db::sqlInt(templateNo) + ", " +
                db::sqlInt(itemNo) + ", " + db::quoted(heats.text("ROUND")) + ", " +
                db::sqlInt(heats.integer("HEATNO")) + ", " +
                sqlTime(heats.value("THETIME").toTime()) + ", " +
                db::sqlInt(heats.integer("DAY_SEQ")) + ", " + db::sqlInt(heats.integer("SEQ")) +
                ", " + db::quoted(heats.text("PIT").trimmed().left(5)) + ")");
        }
    }
    db::Query categories = database().openQuery(
        QStringLiteral("select CATEGORY, DESCRIPTION from CATEGORY where MEETINGNO = ") +
        db::sqlInt(m_events.meetingNo()));
    for (categories.first(); !categories.eof() && ok; categories.next())
        ok = database().batchExecute(
            QStringLiteral("insert into TPLTCATEGORY (DUMMY_NO, TEMPLATENO, CATEGORY, "
                           "DESCRIPTION) values (") +
            db::sqlInt(database().nextKeyNumber()) + ", " + db::sqlInt(templateNo) + ", " +
            db::quoted(categories.text("CATEGORY").trimmed()) + ", " +
            db::quoted(categories.text("DESCRIPTION").trimmed()) + ")");
    if (!ok || !database().commitBatch()) {
        database().rollbackBatch();
        return 0;
    }
    messages().information(QStringLiteral("New program template saved"));
    return templateNo;
}

} // namespace draw
