#include "records/recordupdate.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/itemtypes.h"
#include "records/records.h"

#include <QHash>

#include <algorithm>

namespace records {

QString RecordCandidate::typeText() const
{
    switch (type) {
    case UpdateEqualled:
        return QStringLiteral("Equalled");
    case UpdateBroken:
        return QStringLiteral("Broken");
    default:
        return QStringLiteral("New");
    }
}

RecordUpdate::RecordUpdate(db::DmdCoreDbs& database, const meeting::ItemTypes& items)
    : m_db(database), m_items(items)
{
}

QList<RecordCandidate> RecordUpdate::candidates(qint64 recordSetNo, int meetingNo, qint64 teamNo)
{
    // The main holders of the set.
    QHash<QString, std::pair<QString, QString>> mains;
    {
        db::Query q = m_db.openQuery(
            QStringLiteral("select ITEMCODE, RECORD, THEDATE from RECORD where RECORDSETNO = ") +
            db::sqlInt(recordSetNo) +
            QStringLiteral(" and HOLDERTYPENO = 1 order by RECORDNO desc"));
        for (q.first(); !q.eof(); q.next())
            mains.insert(
                q.text(QStringLiteral("ITEMCODE")),
                {q.text(QStringLiteral("RECORD")).trimmed(), q.text(QStringLiteral("THEDATE"))});
    }
    db::Query q = m_db.openQuery(
        QStringLiteral(
            "select P.EVENTNO, P.ATHLETENO, P.TEAMNO, P.PERFORMANCE, E.ITEMCODE, "
            "A.SURNAME, A.FIRSTNAME, T.TEAMNAME from PARTICIPATE P join MYEVENT E on "
            "E.EVENTNO = P.EVENTNO join ATHLETE A on A.ATHLETENO = P.ATHLETENO left join "
            "TEAM T on T.TEAMNO = P.TEAMNO where P.MEETINGNO = ") +
        db::sqlInt(meetingNo) +
        QStringLiteral(" and coalesce(P.PLACE, 0) <> 0 and coalesce(P.PERFORMANCE, '') <> '' "
                       "order by E.ITEMCODE, P.EVENTNO, P.PERFORMANCE"));
    // The best placed performance of each event, over every team.
    QHash<qint64, QString> bestOfEvent;
    for (q.first(); !q.eof(); q.next()) {
        const qint64 eventNo = q.integer(QStringLiteral("EVENTNO"));
        const QString perf = q.text(QStringLiteral("PERFORMANCE")).trimmed();
        const bool field = m_items.IsFieldItem(q.text(QStringLiteral("ITEMCODE")));
        auto best = bestOfEvent.find(eventNo);
        if (best == bestOfEvent.end())
            bestOfEvent.insert(eventNo, perf);
        else if (field ? perf > *best : perf < *best)
            *best = perf;
    }
    QList<RecordCandidate> found;
    for (q.first(); !q.eof(); q.next()) {
        if (teamNo > 0 && q.integer(QStringLiteral("TEAMNO")) != teamNo)
            continue;
        RecordCandidate c;
        c.itemCode = q.text(QStringLiteral("ITEMCODE"));
        c.performance = q.text(QStringLiteral("PERFORMANCE")).trimmed();
        if (meeting::ItemTypes::PerfIsBlank(c.performance))
            continue;
        const bool field = m_items.IsFieldItem(c.itemCode);
        const auto main = mains.value(c.itemCode);
        if (main.first.isEmpty()) {
            if (c.performance != bestOfEvent.value(q.integer(QStringLiteral("EVENTNO"))))
                continue;
            c.type = UpdateNew;
        } else if (field ? c.performance > main.first : c.performance < main.first) {
            c.type = UpdateBroken;
        } else if (c.performance == main.first) {
            c.type = UpdateEqualled;
        } else {
            continue;
        }
        c.oldRecord = main.first;
        c.oldDate = main.second;
        c.eventName = m_items.ItemDescription(c.itemCode, false);
        c.athleteNo = q.integer(QStringLiteral("ATHLETENO"));
        c.team = q.text(QStringLiteral("TEAMNAME"));
        c.surname = q.text(QStringLiteral("SURNAME"));
        c.firstName = q.text(QStringLiteral("FIRSTNAME"));
        found.append(c);
    }
    // Item order, the best performance of each item first.
    std::stable_sort(found.begin(), found.end(),
                     [this](const RecordCandidate& a, const RecordCandidate& b) {
                         if (a.itemCode != b.itemCode)
                             return a.itemCode < b.itemCode;
                         return m_items.IsFieldItem(a.itemCode) ? a.performance > b.performance
                                                                : a.performance < b.performance;
                     });
    int duplicates = 0;
    for (int i = 0; i < found.size(); ++i) {
        for (int j = 0; j < i; ++j) {
            if (found[j].itemCode == found[i].itemCode &&
                found[j].athleteNo == found[i].athleteNo && found[j].mustUpdate) {
                found[i].mustUpdate = false;
                ++duplicates;
                break;
            }
        }
    }
    if (duplicates > 0)
        m_db.messages().warning(QStringLiteral("!!!!! NOTE !!!!\rThere are ") +
                                QString::number(duplicates) +
                                QStringLiteral(" duplicates !\rDuplicates remain unselected"));
    return found;
}

bool RecordUpdate::apply(qint64 recordSetNo, const QList<RecordCandidate>& candidates,
                         const QString& date)
{
    Records records(m_db, m_items);
    if (!m_db.startBatch())
        return false;
    QString previousItem;
    QString holdersPerformance;
    for (const RecordCandidate& c : candidates) {
        if (!c.mustUpdate)
            continue;
        const bool firstOfItem = c.itemCode != previousItem;
        // Only those with the item's best performance hold the record; a slower swimmer
        // who also beat the old record holds nothing.
        if (!firstOfItem && c.performance != holdersPerformance)
            continue;
        previousItem = c.itemCode;
        holdersPerformance = c.performance;
        int holderType = CoHolder;
        if (firstOfItem) {
            holderType = c.type == UpdateEqualled ? CoHolder : MainHolder;
            if (c.type != UpdateEqualled &&
                !m_db.batchExecute(QStringLiteral("delete from RECORD where RECORDSETNO = ") +
                                   db::sqlInt(recordSetNo) + QStringLiteral(" and ITEMCODE = ") +
                                   db::quoted(c.itemCode))) {
                m_db.rollbackBatch();
                return false;
            }
        }
        const qint64 no = m_db.nextKeyNumber();
        if (no <= 0 || !m_db.batchExecute(
                           records.insertSql(no, recordSetNo, c.itemCode, holderType, c.performance,
                                             {c.surname, c.firstName, c.team, date}))) {
            m_db.rollbackBatch();
            return false;
        }
    }
    return m_db.commitBatch();
}

bool UpdateRecordsFromMeeting(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                              qint64 recordSetNo, int meetingNo, qint64 teamNo,
                              const CandidateChooser& choose)
{
    base::Messages& messages = database.messages();
    RecordUpdate update(database, items);
    QList<RecordCandidate> found = update.candidates(recordSetNo, meetingNo, teamNo);
    if (found.isEmpty()) {
        messages.information(QStringLiteral("No records found"));
        return false;
    }
    if (choose)
        choose(found);
    const int selected = int(std::count_if(found.begin(), found.end(),
                                           [](const RecordCandidate& c) { return c.mustUpdate; }));
    if (selected == 0) {
        messages.information(QStringLiteral("No records to process"));
        return false;
    }
    if (!messages.confirm(QStringLiteral("UPDATE OR CREATE RECORDSETS USING MEETING RESULTS\r\r") +
                          QString::number(selected) +
                          QStringLiteral(" records will be updated.  Continue")))
        return false;
    const QString date =
        database.selectOneValue(QStringLiteral("THEDATE"), QStringLiteral("MEETING"),
                                QStringLiteral("MEETINGNO = ") + db::sqlInt(meetingNo));
    if (!update.apply(recordSetNo, found, date))
        return false;
    messages.information(QStringLiteral("Done: recordset updated"));
    return true;
}

} // namespace records
