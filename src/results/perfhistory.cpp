#include "results/perfhistory.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "results/fieldmarks.h"
#include "results/places.h"
#include "results/race.h"
#include "results/startheights.h"

#include <algorithm>

namespace results {

namespace {

constexpr int kNoResultStatus = 6; // "NRA": no height achieved

bool isFoulOrPass(const QString& perf)
{
    return perf == QLatin1String("X") || perf == QLatin1String("-");
}

} // namespace

PerfHistory::PerfHistory(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                         const meeting::MeetingSettings& meeting)
    : m_db(database), m_items(items), m_meeting(meeting)
{
}

base::Messages& PerfHistory::messages()
{
    return m_db.messages();
}

QString PerfHistory::raceWhere(const FieldRace& race) const
{
    return QStringLiteral("EVENTNO = ") + db::sqlInt(race.eventNo) +
           QStringLiteral(" and ROUND = ") + db::quoted(race.round) +
           QStringLiteral(" and HEATNO = ") + db::sqlInt(race.heatNo);
}

std::optional<FieldRace> PerfHistory::race(qint64 eventNo, const QString& round, int heatNo)
{
    FieldRace race{
        eventNo, round.toUpper(), round.toUpper() == QLatin1String("F") ? 0 : heatNo, {}};
    race.itemCode = m_db.selectOneValue(QStringLiteral("ITEMCODE"), QStringLiteral("MYEVENT"),
                                        QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo))
                        .trimmed();
    if (race.itemCode.isEmpty()) {
        messages().warning(QStringLiteral("There is no event ") + QString::number(eventNo));
        return std::nullopt;
    }
    if (!m_items.IsFieldItem(race.itemCode)) {
        messages().warning(QStringLiteral("You only get performance histories for Field Items."));
        return std::nullopt;
    }
    if (m_meeting.integer(QStringLiteral("HAS_PERF_HIST")) != 1) {
        messages().warning(QStringLiteral("This Item does not have a Performance History: ") +
                           m_items.ItemDescription(race.itemCode, false));
        return std::nullopt;
    }
    if (m_db.ZSqlCount(QStringLiteral("PROGRAM"), raceWhere(race)) == 0) {
        messages().warning(QStringLiteral("There is no round ") + race.round +
                           QStringLiteral(" heat ") + QString::number(race.heatNo) +
                           QStringLiteral(" of event ") + QString::number(eventNo));
        return std::nullopt;
    }
    return race;
}

// --- horizontal jumps and throws ---

QList<Attempt> PerfHistory::attempts(const FieldRace& race, qint64 athleteNo)
{
    QList<Attempt> list;
    db::Query q = m_db.openQuery(
        QStringLiteral("select PERF_SEQ, PERFORMANCE, WIND_SPEED from PERF_HIST where ") +
        raceWhere(race) + QStringLiteral(" and ATHLETENO = ") + db::sqlInt(athleteNo) +
        QStringLiteral(" order by PERF_SEQ"));
    for (q.first(); q.isOpen() && !q.eof(); q.next())
        list.append({int(q.integer(QStringLiteral("PERF_SEQ"))),
                     q.text(QStringLiteral("PERFORMANCE")).trimmed(),
                     q.text(QStringLiteral("WIND_SPEED")).trimmed()});
    return list;
}

bool PerfHistory::setAttempt(const FieldRace& race, qint64 athleteNo, int seq,
                             const QString& perfText, const QString& windText, WindEntry windEntry)
{
    if (m_items.IsVerticalJump(race.itemCode)) {
        messages().warning(QStringLiteral("Not for vert-jumps"));
        return false;
    }
    QString perf = perfText.trimmed().toUpper();
    const QList<Attempt> existing = attempts(race, athleteNo);
    QString wind = windText.trimmed();
    // A wind that comes later stays with a corrected mark; a foul or a pass has none.
    if (windEntry == WindEntry::Later)
        wind = !isFoulOrPass(perf) && seq >= 1 && seq <= existing.size() ? existing[seq - 1].wind
                                                                         : QString();
    if (perf.isEmpty() || isFoulOrPass(perf)) {
        if (!meeting::ItemTypes::WindIsEmpty(wind)) {
            messages().warning(
                QStringLiteral("You have no performance.  The WindSpeed must be empty"));
            return false;
        }
        if (perf.isEmpty()) {
            messages().warning(QStringLiteral("You cannot enter a blank performance.\rTo clear a "
                                              "performance, delete it."));
            return false;
        }
        wind.clear();
    } else {
        const std::optional<QString> canonical =
            readFieldMark(m_items, race.itemCode, perf, messages());
        if (!canonical)
            return false;
        perf = *canonical;
        if (m_items.WindKind(race.itemCode) == 2) {
            if (meeting::ItemTypes::WindIsEmpty(wind) && windEntry == WindEntry::Later) {
                wind.clear();
            } else if (meeting::ItemTypes::WindIsEmpty(wind)) {
                if (!messages().confirm(QStringLiteral("The wind is empty.  Accept it as is, "
                                                       "meaning: \"not entered\".")))
                    return false;
                wind.clear();
            } else if (!m_items.CheckWindText(wind, true)) {
                return false;
            }
        } else {
            wind.clear();
        }
    }
    const int count = int(existing.size());
    if (seq < 1 || seq > count + 1) {
        messages().warning(QStringLiteral("You cannot skip performances."));
        return false;
    }
    if (seq <= count) {
        const qint64 changed = m_db.executeRowsAffected(
            QStringLiteral("update PERF_HIST set PERFORMANCE = ") + db::quoted(perf) +
            QStringLiteral(", WIND_SPEED = ") + db::quoted(wind) + QStringLiteral(" where ") +
            raceWhere(race) + QStringLiteral(" and ATHLETENO = ") + db::sqlInt(athleteNo) +
            QStringLiteral(" and PERF_SEQ = ") + db::sqlInt(seq));
        if (changed != 1) {
            messages().internalError(530101, QStringLiteral("Not 1 but ") +
                                                 QString::number(changed) +
                                                 QStringLiteral(" performances affected"));
            return false;
        }
        return true;
    }
    // The next attempt is stored already when the attempts skip a number in the table.
    if (m_db.ZSqlCount(QStringLiteral("PERF_HIST"),
                       raceWhere(race) + QStringLiteral(" and ATHLETENO = ") +
                           db::sqlInt(athleteNo) + QStringLiteral(" and PERF_SEQ = ") +
                           db::sqlInt(seq)) > 0) {
        messages().internalError(530103, QStringLiteral("Duplicate perf was added previously: "
                                                        "athlete ") +
                                             QString::number(athleteNo) +
                                             QStringLiteral(", attempt ") + QString::number(seq));
        return false;
    }
    const qint64 key = m_db.nextKeyNumber();
    return key > 0 &&
           m_db.execute(QStringLiteral("insert into PERF_HIST (PERF_HISTNO, MEETINGNO, EVENTNO, "
                                       "ROUND, HEATNO, ATHLETENO, PERF_SEQ, PERFORMANCE, "
                                       "WIND_SPEED) values (") +
                        db::sqlInt(key) + QStringLiteral(", ") + m_meeting.meetingNoText() +
                        QStringLiteral(", ") + db::sqlInt(race.eventNo) + QStringLiteral(", ") +
                        db::quoted(race.round) + QStringLiteral(", ") + db::sqlInt(race.heatNo) +
                        QStringLiteral(", ") + db::sqlInt(athleteNo) + QStringLiteral(", ") +
                        db::sqlInt(seq) + QStringLiteral(", ") + db::quoted(perf) +
                        QStringLiteral(", ") + db::quoted(wind) + QStringLiteral(")"));
}

bool PerfHistory::setAttemptWind(const FieldRace& race, qint64 athleteNo, int seq,
                                 const QString& windText)
{
    const QList<Attempt> existing = attempts(race, athleteNo);
    if (seq < 1 || seq > existing.size()) {
        messages().warning(QStringLiteral("You cannot skip performances."));
        return false;
    }
    if (m_items.WindKind(race.itemCode) != 2) {
        messages().warning(QStringLiteral("This Item does not take a wind per attempt: ") +
                           m_items.ItemDescription(race.itemCode, false));
        return false;
    }
    QString wind = windText.trimmed();
    if (meeting::ItemTypes::WindIsEmpty(wind)) {
        if (!messages().confirm(QStringLiteral("The wind is empty.  Accept it as is, meaning: "
                                               "\"not entered\".")))
            return false;
        wind.clear();
    } else if (isFoulOrPass(existing[seq - 1].performance)) {
        messages().warning(QStringLiteral("You have no performance.  The WindSpeed must be empty"));
        return false;
    } else if (!m_items.CheckWindText(wind, true)) {
        return false;
    }
    const qint64 changed = m_db.executeRowsAffected(
        QStringLiteral("update PERF_HIST set WIND_SPEED = ") + db::quoted(wind) +
        QStringLiteral(" where ") + raceWhere(race) + QStringLiteral(" and ATHLETENO = ") +
        db::sqlInt(athleteNo) + QStringLiteral(" and PERF_SEQ = ") + db::sqlInt(seq));
    if (changed != 1) {
        messages().internalError(530102, QStringLiteral("Not 1 but ") + QString::number(changed) +
                                             QStringLiteral(" performances affected"));
        return false;
    }
    return true;
}

bool PerfHistory::deleteAttempt(const FieldRace& race, qint64 athleteNo, int seq)
{
    const int count = int(attempts(race, athleteNo).size());
    if (seq != count || count == 0) {
        messages().warning(QStringLiteral("You can only delete the last performance.  Shift each "
                                          "performance left first."));
        return false;
    }
    return m_db.executeOneRow(QStringLiteral("delete from PERF_HIST where ") + raceWhere(race) +
                              QStringLiteral(" and ATHLETENO = ") + db::sqlInt(athleteNo) +
                              QStringLiteral(" and PERF_SEQ = ") + db::sqlInt(seq));
}

// --- vertical jumps ---

QList<BarHeight> PerfHistory::heights(const FieldRace& race)
{
    QList<BarHeight> list;
    db::Query q = m_db.openQuery(QStringLiteral("select HEIGHT_SEQ, HEIGHT from PERF_HIST_HGT "
                                                "where ") +
                                 raceWhere(race) + QStringLiteral(" order by HEIGHT_SEQ"));
    for (q.first(); q.isOpen() && !q.eof(); q.next())
        list.append({int(q.integer(QStringLiteral("HEIGHT_SEQ"))),
                     q.text(QStringLiteral("HEIGHT")).trimmed()});
    return list;
}

QString PerfHistory::offeredHeight(const FieldRace& race)
{
    if (!m_items.IsVerticalJump(race.itemCode) || !heights(race).isEmpty())
        return {};
    const std::optional<StartHeight> start =
        StartHeights(m_db, m_items, m_meeting.meetingNo()).of(race.eventNo);
    return start && start->height != kStartHeightNone ? start->height : QString();
}

bool PerfHistory::addHeight(const FieldRace& race, const QString& heightText)
{
    if (!m_items.IsVerticalJump(race.itemCode)) {
        messages().warning(QStringLiteral("Heights are only for vertical jumps"));
        return false;
    }
    const std::optional<QString> height =
        readFieldMark(m_items, race.itemCode, heightText, messages());
    if (!height)
        return false;
    const QList<BarHeight> existing = heights(race);
    if (!existing.isEmpty()) {
        const double last = m_items.PerfTextToValue(existing.last().height).value_or(0);
        if (m_items.PerfTextToValue(*height).value_or(0) <= last) {
            messages().warning(QStringLiteral("The new height must be above the last height: ") +
                               existing.last().height);
            return false;
        }
    }
    const int seq = existing.isEmpty() ? 1 : existing.last().heightSeq + 1;
    const qint64 key = m_db.nextKeyNumber();
    return key > 0 &&
           m_db.execute(QStringLiteral("insert into PERF_HIST_HGT (PERF_HIST_HGTNO, MEETINGNO, "
                                       "EVENTNO, ROUND, HEATNO, HEIGHT_SEQ, HEIGHT) values (") +
                        db::sqlInt(key) + QStringLiteral(", ") + m_meeting.meetingNoText() +
                        QStringLiteral(", ") + db::sqlInt(race.eventNo) + QStringLiteral(", ") +
                        db::quoted(race.round) + QStringLiteral(", ") + db::sqlInt(race.heatNo) +
                        QStringLiteral(", ") + db::sqlInt(seq) + QStringLiteral(", ") +
                        db::quoted(*height) + QStringLiteral(")"));
}

bool PerfHistory::deleteLastHeight(const FieldRace& race)
{
    const QList<BarHeight> existing = heights(race);
    if (existing.isEmpty())
        return false;
    const BarHeight& last = existing.last();
    if (!messages().confirm(QStringLiteral("Delete the last Height: ") + last.height))
        return false;
    const QString seq = db::sqlInt(last.heightSeq);
    return m_db.executeAll({QStringLiteral("delete from PERF_HIST where ") + raceWhere(race) +
                                QStringLiteral(" and PERF_SEQ = ") + seq,
                            QStringLiteral("delete from PERF_HIST_HGT where ") + raceWhere(race) +
                                QStringLiteral(" and HEIGHT_SEQ = ") + seq});
}

QList<HeightMarks> PerfHistory::marks(const FieldRace& race, qint64 athleteNo)
{
    QList<HeightMarks> list;
    db::Query q = m_db.openQuery(
        QStringLiteral("select H.HEIGHT_SEQ, H.HEIGHT, P.PERFORMANCE from PERF_HIST P join "
                       "PERF_HIST_HGT H on H.EVENTNO = P.EVENTNO and H.ROUND = P.ROUND and "
                       "H.HEATNO = P.HEATNO and H.HEIGHT_SEQ = P.PERF_SEQ where P.EVENTNO = ") +
        db::sqlInt(race.eventNo) + QStringLiteral(" and P.ROUND = ") + db::quoted(race.round) +
        QStringLiteral(" and P.HEATNO = ") + db::sqlInt(race.heatNo) +
        QStringLiteral(" and P.ATHLETENO = ") + db::sqlInt(athleteNo) +
        QStringLiteral(" order by H.HEIGHT_SEQ"));
    for (q.first(); q.isOpen() && !q.eof(); q.next())
        list.append({int(q.integer(QStringLiteral("HEIGHT_SEQ"))),
                     m_items.PerfTextToValue(q.text(QStringLiteral("HEIGHT"))).value_or(0),
                     q.text(QStringLiteral("PERFORMANCE")).trimmed()});
    return list;
}

bool PerfHistory::setMarks(const FieldRace& race, qint64 athleteNo, int heightSeq,
                           const QString& marksText)
{
    const QString text = marksText.trimmed().toUpper();
    if (text.isEmpty()) {
        messages().warning(QStringLiteral("You cannot enter a blank performance.\rTo clear a "
                                          "performance, delete it."));
        return false;
    }
    if (const QString why = heightMarksRefusal(text); !why.isEmpty()) {
        messages().warning(why);
        return false;
    }
    return storeMarks(race, athleteNo, heightSeq, text);
}

QString PerfHistory::marksAt(const FieldRace& race, qint64 athleteNo, int heightSeq)
{
    return m_db
        .selectOneValue(QStringLiteral("PERFORMANCE"), QStringLiteral("PERF_HIST"),
                        raceWhere(race) + QStringLiteral(" and ATHLETENO = ") +
                            db::sqlInt(athleteNo) + QStringLiteral(" and PERF_SEQ = ") +
                            db::sqlInt(heightSeq))
        .trimmed();
}

bool PerfHistory::addMarkChar(const FieldRace& race, qint64 athleteNo, int heightSeq, QChar c)
{
    const QString text = marksAt(race, athleteNo, heightSeq) + c.toUpper();
    if (const QString why = partialMarksRefusal(text); !why.isEmpty()) {
        messages().warning(why);
        return false;
    }
    return storeMarks(race, athleteNo, heightSeq, text);
}

bool PerfHistory::removeLastMarkChar(const FieldRace& race, qint64 athleteNo, int heightSeq)
{
    const QString text = marksAt(race, athleteNo, heightSeq);
    if (text.isEmpty())
        return true;
    if (text.size() > 1)
        return storeMarks(race, athleteNo, heightSeq, text.chopped(1));
    return m_db.executeOneRow(QStringLiteral("delete from PERF_HIST where ") + raceWhere(race) +
                              QStringLiteral(" and ATHLETENO = ") + db::sqlInt(athleteNo) +
                              QStringLiteral(" and PERF_SEQ = ") + db::sqlInt(heightSeq));
}

bool PerfHistory::storeMarks(const FieldRace& race, qint64 athleteNo, int heightSeq,
                             const QString& text)
{
    const QList<BarHeight> existing = heights(race);
    if (std::none_of(existing.begin(), existing.end(),
                     [heightSeq](const BarHeight& h) { return h.heightSeq == heightSeq; })) {
        messages().warning(QStringLiteral("This Height is not available"));
        return false;
    }
    const QString where = raceWhere(race) + QStringLiteral(" and ATHLETENO = ") +
                          db::sqlInt(athleteNo) + QStringLiteral(" and PERF_SEQ = ") +
                          db::sqlInt(heightSeq);
    if (m_db.ZSqlCount(QStringLiteral("PERF_HIST"), where) > 0)
        return m_db.executeOneRow(QStringLiteral("update PERF_HIST set PERFORMANCE = ") +
                                  db::quoted(text) + QStringLiteral(" where ") + where);
    const qint64 key = m_db.nextKeyNumber();
    return key > 0 &&
           m_db.execute(
               QStringLiteral("insert into PERF_HIST (PERF_HISTNO, MEETINGNO, EVENTNO, "
                              "ROUND, HEATNO, ATHLETENO, PERF_SEQ, PERFORMANCE) values (") +
               db::sqlInt(key) + QStringLiteral(", ") + m_meeting.meetingNoText() +
               QStringLiteral(", ") + db::sqlInt(race.eventNo) + QStringLiteral(", ") +
               db::quoted(race.round) + QStringLiteral(", ") + db::sqlInt(race.heatNo) +
               QStringLiteral(", ") + db::sqlInt(athleteNo) + QStringLiteral(", ") +
               db::sqlInt(heightSeq) + QStringLiteral(", ") + db::quoted(text) +
               QStringLiteral(")"));
}

// --- results ---

bool PerfHistory::calcHorizontal(const FieldRace& race)
{
    const RaceScope scope = RaceScope::heat(race.eventNo, race.round, race.heatNo, race.itemCode);
    bool ok = false;
    const QList<RaceRow> rows = readRaceRows(m_db, scope, &ok);
    if (!ok || !m_db.startBatch())
        return false;
    for (const RaceRow& row : rows) {
        if (row.status != 0)
            continue;
        const QList<Attempt> list = attempts(race, row.athleteNo);
        const std::optional<int> best =
            bestAttempt(list, [this](const QString& p) { return m_items.PerfTextToValue(p); });
        const QString perf = best ? list[*best].performance : QString();
        const QString wind = best ? list[*best].wind : QString();
        if (!m_db.batchExecute(QStringLiteral("update ") + scope.table +
                               QStringLiteral(" set PERFORMANCE = ") + db::quoted(perf) +
                               QStringLiteral(", WIND_SPEED = ") + db::quoted(wind) +
                               QStringLiteral(", DISQ_STATUS = 0, PLACE = 0, E_PLACE = 0 where ") +
                               scope.keyColumn + QStringLiteral(" = ") + db::sqlInt(row.key))) {
            m_db.rollbackBatch();
            return false;
        }
    }
    if (!m_db.commitBatch())
        return false;
    const qint64 programNo =
        m_db.selectOneValue(QStringLiteral("PROGRAMNO"), QStringLiteral("PROGRAM"), raceWhere(race))
            .toLongLong();
    return Places(m_db, m_items, m_meeting).calcAndRefresh(programNo);
}

bool PerfHistory::CalcFromHistory(const FieldRace& race, bool oldRule)
{
    if (!m_items.IsVerticalJump(race.itemCode))
        return calcHorizontal(race);
    return RankVerticalJump(race, oldRule);
}

bool PerfHistory::RankVerticalJump(const FieldRace& race, bool oldRule)
{
    const RaceScope scope = RaceScope::heat(race.eventNo, race.round, race.heatNo, race.itemCode);
    bool ok = false;
    const QList<RaceRow> rows = readRaceRows(m_db, scope, &ok);
    if (!ok)
        return false;
    struct Ranked {
        qint64 key = 0;
        int league = 0;
        QString perf;
        std::optional<QString> countBack;
    };
    QList<Ranked> ranked;
    for (const RaceRow& row : rows) {
        // A "no height" of an earlier calculation is worked out again; other statuses stay.
        if (row.status != 0 && row.status != kNoResultStatus)
            continue;
        const QList<HeightMarks> m = marks(race, row.athleteNo);
        Ranked r{row.key, row.league, {}, countBackKey(m, oldRule)};
        if (r.countBack)
            r.perf = m_items.PerfValueToText(race.itemCode, highestCleared(m), false);
        ranked.append(r);
    }
    // Places over the whole race, then per league when the meeting ranks per league.
    auto placesOf = [&ranked](const std::function<bool(const Ranked&)>& take) {
        QList<RankedKey> keys;
        for (const Ranked& r : ranked) {
            if (r.countBack && take(r))
                keys.append({*r.countBack, r.key, 0});
        }
        QHash<qint64, std::pair<int, int>> placeAndSharers;
        const QList<RankedKey> sorted = rankByKeys(keys);
        for (const RankedKey& k : sorted) {
            const int sharers =
                int(std::count_if(sorted.begin(), sorted.end(),
                                  [&k](const RankedKey& o) { return o.key == k.key; })) -
                1;
            placeAndSharers.insert(k.athleteNo, {k.place, sharers});
        }
        return placeAndSharers;
    };
    const auto racePlaces = placesOf([](const Ranked&) { return true; });
    QHash<qint64, std::pair<int, int>> leaguePlaces = racePlaces;
    if (m_meeting.integer(QStringLiteral("HAS_LEAGUES")) == 1) {
        const int leagues =
            m_db.selectOneValue(QStringLiteral("max(LEAGUE)"), QStringLiteral("TEAM"),
                                QStringLiteral("MEETINGNO = ") + m_meeting.meetingNoText())
                .toInt();
        if (leagues <= 0) {
            messages().warning(QStringLiteral("No competitions to Rank"));
            return false;
        }
        leaguePlaces.clear();
        for (int league = 1; league <= leagues; ++league)
            leaguePlaces.insert(placesOf([league](const Ranked& r) { return r.league == league; }));
    }
    if (!m_db.startBatch())
        return false;
    for (const Ranked& r : ranked) {
        const auto [ePlace, unused] = racePlaces.value(r.key, {0, 0});
        const auto [place, sharers] = leaguePlaces.value(r.key, {0, 0});
        const int status = r.countBack ? 0 : kNoResultStatus;
        if (!m_db.batchExecute(
                QStringLiteral("update ") + scope.table + QStringLiteral(" set PERFORMANCE = ") +
                db::quoted(r.perf) + QStringLiteral(", DISQ_STATUS = ") + db::sqlInt(status) +
                QStringLiteral(", E_PLACE = ") + db::sqlInt(ePlace) + QStringLiteral(", PLACE = ") +
                db::sqlInt(place) + QStringLiteral(", PLACESHARECOUNT = ") + db::sqlInt(sharers) +
                QStringLiteral(" where ") + scope.keyColumn + QStringLiteral(" = ") +
                db::sqlInt(r.key))) {
            m_db.rollbackBatch();
            return false;
        }
    }
    if (!m_db.commitBatch())
        return false;
    if (racePlaces.isEmpty()) {
        messages().warning(QStringLiteral("No ranking / no result / no height achieved.\rThere is "
                                          "not enough data to Rank the Athletes."));
        return false;
    }
    m_db.execute(QStringLiteral("update PROGRAM set NOT_CALCULATED_YET = 0, PLACEDCOUNT = ") +
                 db::sqlInt(racePlaces.size()) + QStringLiteral(" where ") + raceWhere(race));
    return true;
}

QList<FieldResult> PerfHistory::results(const FieldRace& race)
{
    const RaceScope scope = RaceScope::heat(race.eventNo, race.round, race.heatNo, race.itemCode);
    QList<FieldResult> list;
    db::Query q = m_db.openQuery(
        QStringLiteral("select R.ATHLETENO, R.PERFORMANCE, R.WIND_SPEED, coalesce(R.PLACE, 0) as "
                       "PLACE, coalesce(R.DISQ_STATUS, 0) as STATUS from ") +
        scope.table + QStringLiteral(" R where ") + scope.where +
        QStringLiteral(" order by 5, case when coalesce(R.PLACE, 0) = 0 then 1 else 0 end, 4, 1"));
    for (q.first(); q.isOpen() && !q.eof(); q.next())
        list.append({q.integer(QStringLiteral("ATHLETENO")),
                     q.text(QStringLiteral("PERFORMANCE")).trimmed(),
                     q.text(QStringLiteral("WIND_SPEED")).trimmed(),
                     int(q.integer(QStringLiteral("PLACE"))),
                     int(q.integer(QStringLiteral("STATUS")))});
    return list;
}

// --- the screen against the table ---

bool PerfHistory::skipped(const QString& what, int position, int storedSeq)
{
    messages().internalError(530104, QStringLiteral("Lost sync: did you skip a perf : ") + what +
                                         QStringLiteral(" ") + QString::number(position) +
                                         QStringLiteral(" is stored as ") +
                                         QString::number(storedSeq));
    return false;
}

bool PerfHistory::lostSync(const QString& what, const QString& stored, const QString& shown)
{
    messages().internalError(530105, QStringLiteral("Lost sync : ") + what +
                                         QStringLiteral(" is \"") + stored +
                                         QStringLiteral("\" in the table but \"") + shown +
                                         QStringLiteral("\" on the screen"));
    return false;
}

namespace {

QString attemptText(const Attempt& a)
{
    return a.wind.isEmpty() ? a.performance : a.performance + QLatin1Char(' ') + a.wind;
}

QString athleteText(qint64 athleteNo)
{
    return QStringLiteral("athlete ") + QString::number(athleteNo);
}

} // namespace

bool PerfHistory::attemptsInSync(const FieldRace& race, qint64 athleteNo,
                                 const QList<Attempt>& shown)
{
    const QList<Attempt> stored = attempts(race, athleteNo);
    for (int i = 0; i < stored.size(); ++i) {
        if (stored[i].seq != i + 1)
            return skipped(athleteText(athleteNo) + QStringLiteral(", attempt"), i + 1,
                           stored[i].seq);
    }
    for (int i = 0; i < std::max(stored.size(), shown.size()); ++i) {
        const QString inTable = i < stored.size() ? attemptText(stored[i]) : QString();
        const QString onScreen = i < shown.size() ? attemptText(shown[i]) : QString();
        if (inTable != onScreen)
            return lostSync(athleteText(athleteNo) + QStringLiteral(", attempt ") +
                                QString::number(i + 1),
                            inTable, onScreen);
    }
    return true;
}

bool PerfHistory::heightsInSync(const FieldRace& race, const QList<BarHeight>& shown)
{
    const QList<BarHeight> stored = heights(race);
    for (int i = 0; i < stored.size(); ++i) {
        if (stored[i].heightSeq != i + 1)
            return skipped(QStringLiteral("height"), i + 1, stored[i].heightSeq);
    }
    for (int i = 0; i < std::max(stored.size(), shown.size()); ++i) {
        const QString inTable = i < stored.size() ? stored[i].height : QString();
        const QString onScreen = i < shown.size() ? shown[i].height : QString();
        if (inTable != onScreen)
            return lostSync(QStringLiteral("height ") + QString::number(i + 1), inTable, onScreen);
    }
    return true;
}

bool PerfHistory::marksInSync(const FieldRace& race, qint64 athleteNo, int heightSeq,
                              const QString& shown)
{
    const QString stored = marksAt(race, athleteNo, heightSeq);
    if (stored != shown.trimmed())
        return lostSync(athleteText(athleteNo) + QStringLiteral(", marks at height ") +
                            QString::number(heightSeq),
                        stored, shown.trimmed());
    return true;
}

} // namespace results
