#include "entries/participations.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "entries/athletes.h"
#include "meeting/edition.h"
#include "meeting/genderage.h"
#include "meeting/itemtypes.h"

namespace entries {

QString programSequenceSql()
{
    return QStringLiteral("(select min(PS.SEQ) from PROGRAM PS where PS.EVENTNO = E.EVENTNO)");
}

namespace {

const QString kEventColumns =
    QStringLiteral("select EVENTNO, ITEMCODE, C_GENDER, C_AGE, CATEGORY, N_ATHLON, ") +
    programSequenceSql() + QStringLiteral(" as PROGRAM_SEQ from MYEVENT E ");

EventRow eventOf(const db::Query& q)
{
    EventRow e;
    e.eventNo = q.integer(QStringLiteral("EVENTNO"));
    e.itemCode = q.text(QStringLiteral("ITEMCODE")).trimmed();
    e.gender = q.text(QStringLiteral("C_GENDER")).trimmed();
    e.age = q.text(QStringLiteral("C_AGE")).trimmed();
    e.category = q.text(QStringLiteral("CATEGORY")).trimmed();
    e.nAthlon = int(q.integer(QStringLiteral("N_ATHLON")));
    e.sequence = int(q.integer(QStringLiteral("PROGRAM_SEQ")));
    return e;
}

QList<EventRow> eventsOf(db::Query& q)
{
    QList<EventRow> rows;
    for (q.first(); !q.eof(); q.next())
        rows.append(eventOf(q));
    return rows;
}

} // namespace

BestPerformance readBestPerformance(const meeting::ItemTypes& items, const QString& itemCode,
                                    const QString& typed)
{
    BestPerformance best;
    const QString text = typed.trimmed();
    if (text.isEmpty() || meeting::ItemTypes::PerfIsBlank(text)) {
        best.ok = true;
        return best;
    }
    for (QChar c : text) {
        if (!c.isDigit() && c != QLatin1Char('.') && c != QLatin1Char(',') &&
            c != QLatin1Char(':')) {
            best.refusal =
                QStringLiteral("Best Before may only contain numeric characters: ") + text;
            return best;
        }
    }
    const QString fixed = meeting::ItemTypes::FixDecimalComma(text);
    if (!meeting::ItemTypes::PerfLooksValid(fixed)) {
        best.refusal = QStringLiteral("BestBefore is not a valid time or distance!");
        return best;
    }
    const auto canonical = items.NormalisePerf(itemCode, fixed);
    if (!canonical || canonical->isEmpty()) {
        best.refusal = QStringLiteral("BestBefore is not a valid time or distance!");
        return best;
    }
    if (!items.CheckPerfFormat(itemCode, *canonical, false)) {
        best.refusal = QStringLiteral("BestBefore is too large!");
        return best;
    }
    best.ok = true;
    best.text = *canonical;
    best.repaired = *canonical != text;
    return best;
}

static bool sameFieldValues(const QString& typed, const QString& canonical)
{
    const QStringList given = meeting::ItemTypes::FixDecimalComma(typed.trimmed()).split(':');
    const QStringList stored = canonical.split(QLatin1Char(':'));
    if (given.size() > stored.size())
        return false;
    // From the right: seconds with seconds, minutes with minutes; fields the typed text
    // leaves out must be zero.
    const qsizetype skipped = stored.size() - given.size();
    for (qsizetype i = 0; i < stored.size(); ++i) {
        bool storedOk = false;
        const double storedValue = stored[i].toDouble(&storedOk);
        if (!storedOk)
            return false;
        if (i < skipped) {
            if (storedValue != 0)
                return false;
            continue;
        }
        bool givenOk = false;
        const double givenValue = given[i - skipped].toDouble(&givenOk);
        if (!givenOk || givenValue != storedValue)
            return false;
    }
    return true;
}

Participations::Participations(db::DmdCoreDbs& database, const EntrySettings& settings)
    : m_db(database), m_settings(settings)
{
}

namespace {
// A new entry has no place, performance, lane or status yet.
const QString kInsertInto = QStringLiteral(
    "insert into PARTICIPATE (PARTNO, MEETINGNO, EVENTNO, TEAMNO, ATHLETENO, BESTPERFBEFORE, "
    "TEAMDRAW_USED, PLACE, E_PLACE, PERFORMANCE, LANE, DISQ_STATUS, WIND_SPEED) values (");
const QString kInsertFixed = QStringLiteral(",0,0,0,'',0,0,'')");
} // namespace

QString Participations::insertSql(qint64 partNo, int meetingNo, qint64 eventNo, qint64 teamNo,
                                  qint64 athleteNo, const QString& best)
{
    return kInsertInto + db::sqlInt(partNo) + QLatin1Char(',') + db::sqlInt(meetingNo) +
           QLatin1Char(',') + db::sqlInt(eventNo) + QLatin1Char(',') + db::sqlInt(teamNo) +
           QLatin1Char(',') + db::sqlInt(athleteNo) + QLatin1Char(',') + db::quoted(best) +
           kInsertFixed;
}

QString Participations::insertStatement()
{
    return kInsertInto + QStringLiteral("?, ?, ?, ?, ?, ?") + kInsertFixed;
}

QList<QVariant> Participations::insertValues(qint64 partNo, int meetingNo, qint64 eventNo,
                                             qint64 teamNo, qint64 athleteNo, const QString& best)
{
    return {partNo, meetingNo, eventNo, teamNo, athleteNo, best};
}

QList<AthleteEntry> Participations::entriesOf(qint64 athleteNo)
{
    db::Query q = m_db.openQuery(
        QStringLiteral("select P.PARTNO, P.EVENTNO, E.ITEMCODE, P.BESTPERFBEFORE, ") +
        programSequenceSql() +
        QStringLiteral(" as PROGRAM_SEQ from PARTICIPATE P join MYEVENT E on E.EVENTNO = "
                       "P.EVENTNO where P.ATHLETENO = ") +
        db::sqlInt(athleteNo) + QStringLiteral(" order by PROGRAM_SEQ, E.EVENTNO"));
    QList<AthleteEntry> entries;
    for (q.first(); !q.eof(); q.next()) {
        entries.append({q.integer(QStringLiteral("PARTNO")), q.integer(QStringLiteral("EVENTNO")),
                        q.text(QStringLiteral("ITEMCODE")).trimmed(),
                        q.text(QStringLiteral("BESTPERFBEFORE")).trimmed(),
                        int(q.integer(QStringLiteral("PROGRAM_SEQ")))});
    }
    return entries;
}

QList<EventRow> Participations::selectedEvents()
{
    db::Query q = m_db.openQuery(
        kEventColumns + QStringLiteral("where MEETINGNO = ") + db::sqlInt(m_settings.meetingNo) +
        QStringLiteral(" and SELECTED = 'X' order by PROGRAM_SEQ, EVENTNO"));
    return eventsOf(q);
}

std::optional<EventRow> Participations::event(qint64 eventNo)
{
    db::Query q =
        m_db.openQuery(kEventColumns + QStringLiteral("where EVENTNO = ") + db::sqlInt(eventNo));
    if (!q.isOpen() || q.isEmpty())
        return std::nullopt;
    return eventOf(q);
}

QList<EventRow> Participations::itemsFor(qint64 athleteNo, bool allAges)
{
    db::Query a = m_db.openQuery(
        QStringLiteral("select SURNAME, GENDER, AGE, CATEGORY, N_ATHLON from ATHLETE where "
                       "ATHLETENO = ") +
        db::sqlInt(athleteNo));
    if (a.isEmpty())
        return {};
    QString sql = kEventColumns + QStringLiteral("where MEETINGNO = ") +
                  db::sqlInt(m_settings.meetingNo) +
                  QStringLiteral(" and SELECTED = 'X' and C_GENDER = ") +
                  db::quoted(a.text(QStringLiteral("GENDER")).trimmed()) +
                  QStringLiteral(" and coalesce(N_ATHLON, 0) = ") +
                  db::sqlInt(a.integer(QStringLiteral("N_ATHLON")));
    if (!allAges) {
        const int age = int(a.integer(QStringLiteral("AGE")));
        // In athletics, ages 26 to 34 run in the senior (25) items.
        const bool athletics =
            meeting::editionOf(m_db.applicationCode()) == meeting::Edition::Athletics;
        sql += QStringLiteral(" and C_AGE = ") +
               db::quoted(meeting::ageText(athletics ? meeting::seniorAge(age) : age));
    }
    const QString category = a.text(QStringLiteral("CATEGORY")).trimmed();
    if (m_settings.hasCategories) {
        if (category.isEmpty())
            m_db.messages().internalError(
                30301,
                QStringLiteral("We expect an Athlete Category if the Meeting has Categories"));
        sql += QStringLiteral(" and CATEGORY = ") + db::quoted(category);
    } else if (!category.isEmpty()) {
        m_db.messages().internalError(
            30306, QStringLiteral("We do not expect an Athlete Category if the Meeting has no "
                                  "Categories"));
    }
    db::Query q = m_db.openQuery(sql + QStringLiteral(" order by PROGRAM_SEQ, EVENTNO"));
    // A swimmer swims the individual items, a relay team the relays: offering the other kind
    // would enter a person into a relay as if they were a team.
    const bool relayTeam = a.text(QStringLiteral("SURNAME")).trimmed() == kRelayTeamSurname;
    const meeting::ItemTypes items(meeting::editionOf(m_db.applicationCode()), m_db.messages());
    QList<EventRow> events = eventsOf(q);
    events.removeIf([&](const EventRow& e) {
        return items.IsRelayGroup(items.ItemGroup(e.itemCode)) != relayTeam;
    });
    return events;
}

int Participations::nathlonOf(qint64 athleteNo)
{
    return m_db
        .selectOneValue(QStringLiteral("N_ATHLON"), QStringLiteral("ATHLETE"),
                        QStringLiteral("ATHLETENO = ") + db::sqlInt(athleteNo))
        .toInt();
}

QString Participations::itemDescription(const QString& itemCode)
{
    const meeting::ItemTypes items(meeting::editionOf(m_db.applicationCode()), m_db.messages());
    return items.ItemDescription(itemCode, false);
}

qint64 Participations::add(qint64 athleteNo, qint64 eventNo, const QString& bestTyped)
{
    base::Messages& messages = m_db.messages();
    const auto ev = event(eventNo);
    if (!ev) {
        messages.warning(QStringLiteral("There is no event ") + QString::number(eventNo));
        return 0;
    }
    if (m_db.ZSqlCount(QStringLiteral("ATHLETE"),
                       QStringLiteral("ATHLETENO = ") + db::sqlInt(athleteNo)) == 0) {
        messages.warning(QStringLiteral("There is no athlete ") + QString::number(athleteNo));
        return 0;
    }
    const QString teamText =
        m_db.selectOneValue(QStringLiteral("TEAMNO"), QStringLiteral("ATHLETE"),
                            QStringLiteral("ATHLETENO = ") + db::sqlInt(athleteNo));
    if (teamText.isEmpty() || teamText == QLatin1String("0")) {
        messages.internalError(30302, QStringLiteral("Empty Teamno"));
        return 0;
    }
    if (nathlonOf(athleteNo) > 0) {
        messages.warning(QStringLiteral(
            "The events for an n-athlon athlete are added when you add the athlete"));
        return 0;
    }
    const QString mine = QStringLiteral("ATHLETENO = ") + db::sqlInt(athleteNo);
    if (m_db.ZSqlCount(QStringLiteral("PARTICIPATE"),
                       mine + QStringLiteral(" and EVENTNO = ") + db::sqlInt(eventNo)) > 0) {
        messages.warning(QStringLiteral("This Item is already selected for this Athlete"));
        return 0;
    }
    const std::optional<QString> best = checkTypedBest(ev->itemCode, bestTyped);
    if (!best)
        return 0;
    const int entered = m_db.ZSqlCount(QStringLiteral("PARTICIPATE"), mine);
    if (m_settings.maxPartsPerAthlete > 0 && entered >= m_settings.maxPartsPerAthlete) {
        messages.information(QStringLiteral("This athlete participates in ") +
                             QString::number(entered) +
                             QStringLiteral(" events.\rThe maximum allowed is ") +
                             QString::number(m_settings.maxPartsPerAthlete) +
                             QStringLiteral(".\r\rThe check lists show the athletes who "
                                            "participate in too many events."));
    }
    const qint64 partNo = m_db.nextKeyNumber();
    if (partNo == 0)
        return 0;
    if (!m_db.execute(insertSql(partNo, m_settings.meetingNo, eventNo, teamText.toLongLong(),
                                athleteNo, *best)))
        return 0;
    tellRepairedBest(bestTyped, *best);
    return partNo;
}

bool Participations::setBest(qint64 partNo, const QString& typed)
{
    const QString eventText =
        m_db.selectOneValue(QStringLiteral("EVENTNO"), QStringLiteral("PARTICIPATE"),
                            QStringLiteral("PARTNO = ") + db::sqlInt(partNo));
    const auto ev = event(eventText.toLongLong());
    if (!ev) {
        m_db.messages().internalError(30303, QStringLiteral("Participation not found: ") +
                                                 QString::number(partNo));
        return false;
    }
    const std::optional<QString> best = checkTypedBest(ev->itemCode, typed);
    if (!best)
        return false;
    if (!m_db.execute(QStringLiteral("update PARTICIPATE set BESTPERFBEFORE = ") +
                      db::quoted(*best) + QStringLiteral(" where PARTNO = ") + db::sqlInt(partNo)))
        return false;
    tellRepairedBest(typed, *best);
    return true;
}

std::optional<QString> Participations::checkTypedBest(const QString& itemCode, const QString& typed)
{
    base::Messages& messages = m_db.messages();
    const meeting::ItemTypes items(meeting::editionOf(m_db.applicationCode()), messages);
    const BestPerformance best = readBestPerformance(items, itemCode, typed);
    if (!best.ok) {
        messages.warning(best.refusal);
        return std::nullopt;
    }
    // A short way of writing the same time is taken; a field that runs over ("1:75.00")
    // is not guessed at: the check of every performance says what it should be.
    if (best.repaired && !sameFieldValues(typed, best.text)) {
        items.CheckPerfFormat(itemCode, meeting::ItemTypes::FixDecimalComma(typed.trimmed()), true);
        return std::nullopt;
    }
    return best.text;
}

void Participations::tellRepairedBest(const QString& typed, const QString& stored)
{
    if (!stored.isEmpty() && typed.trimmed() != stored)
        m_db.messages().information(QStringLiteral("The best performance ") + typed.trimmed() +
                                    QStringLiteral(" was stored as ") + stored);
}

bool Participations::remove(qint64 athleteNo, qint64 eventNo, bool offerEventDelete)
{
    base::Messages& messages = m_db.messages();
    const auto ev = event(eventNo);
    if (!ev)
        return false;
    if (nathlonOf(athleteNo) > 0) {
        messages.warning(QStringLiteral("Delete athletes for n-athlons under Participation per "
                                        "Athlete\rThere their whole set of items are deleted "
                                        "automatically"));
        return false;
    }
    const QString item = itemDescription(ev->itemCode);
    const QString both = QStringLiteral("ATHLETENO = ") + db::sqlInt(athleteNo) +
                         QStringLiteral(" and EVENTNO = ") + db::sqlInt(eventNo);
    const int entries = m_db.ZSqlCount(QStringLiteral("PARTICIPATE"), both);
    if (entries > 1) {
        messages.internalError(30304, QStringLiteral("The Athlete was entered ") +
                                          QString::number(entries) +
                                          QStringLiteral(" times in the same Item"));
    }
    db::Query heats = m_db.openQuery(
        QStringLiteral("select ROUND, HEATNO, LANE, PERFORMANCE, DISQ_STATUS from HEATPART "
                       "where ") +
        both + QStringLiteral(" order by ROUND, HEATNO"));
    QString heatLines;
    bool hasPerformance = false;
    for (heats.first(); !heats.eof(); heats.next()) {
        const QString perf = heats.text(QStringLiteral("PERFORMANCE")).trimmed();
        hasPerformance =
            hasPerformance || !perf.isEmpty() || heats.integer(QStringLiteral("DISQ_STATUS")) != 0;
        heatLines += QStringLiteral(" Round=") + heats.text(QStringLiteral("ROUND")) +
                     QStringLiteral(" Heat=") + heats.text(QStringLiteral("HEATNO")) +
                     QStringLiteral(" Lane=") + heats.text(QStringLiteral("LANE")) +
                     QStringLiteral(" Perf=") + perf + QStringLiteral(" Disq=") +
                     heats.text(QStringLiteral("DISQ_STATUS")) + QLatin1Char('\r');
    }
    const QString finalPerf =
        m_db.selectOneValue(QStringLiteral("PERFORMANCE"), QStringLiteral("PARTICIPATE"), both);
    if (hasPerformance || !finalPerf.trimmed().isEmpty()) {
        messages.warning(QStringLiteral("This Athlete already has performances for ") + item +
                         QLatin1Char('\r') + heatLines +
                         QStringLiteral("\rYou cannot delete the participation.\rFirst clear "
                                        "the performances under During."));
        return false;
    }
    if (heats.recordCount() > 0 &&
        !messages.confirm(QStringLiteral("This Athlete is already drawn for ") + item +
                          QLatin1Char('\r') + heatLines +
                          QStringLiteral("\rAre you sure you want to remove the Item from the "
                                         "Athlete")))
        return false;
    const qint64 deleted =
        m_db.executeRowsAffected(QStringLiteral("delete from PARTICIPATE where ") + both);
    if (deleted != 1) {
        messages.internalError(30305, QString::number(deleted) +
                                          QStringLiteral(" Participations were deleted, not 1"));
    }
    const qint64 heatRows =
        m_db.executeRowsAffected(QStringLiteral("delete from HEATPART where ") + both);
    if (heatRows > 0)
        messages.information(QString::number(heatRows) +
                             QStringLiteral(" participations in heats were also deleted"));
    const QString ofEvent = QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo);
    if (offerEventDelete && m_db.ZSqlCount(QStringLiteral("PARTICIPATE"), ofEvent) == 0 &&
        messages.confirm(QStringLiteral("There are no participants left for ") + item +
                         QStringLiteral(". May we delete the Item"))) {
        m_db.execute(QStringLiteral("delete from PROGRAM where ") + ofEvent);
        m_db.execute(QStringLiteral("delete from NON_CRUCIAL_SPEC where ") + ofEvent);
        m_db.execute(QStringLiteral("delete from MYEVENT where ") + ofEvent);
    }
    return deleted > 0;
}

} // namespace entries
