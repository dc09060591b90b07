#include "scoring/placepoints.h"

#include "base/configstore.h"
#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

#include <QRegularExpression>

#include <cmath>

namespace scoring {

qint64 toUnits(double points)
{
    return std::llround(points * kPointUnit);
}

double fromUnits(qint64 units)
{
    return double(units) / kPointUnit;
}

QString pointsText(qint64 units)
{
    return QString::number(fromUnits(units), 'f', 4)
        .remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

int placeLimit(const base::ConfigStore& store)
{
    const int limit = store.readInt(QStringLiteral("MAX_PLACES_LIMIT"));
    return limit > 0 ? limit : 40;
}

QStringList placePointsErrors(const QList<PlacePointRow>& rows)
{
    QStringList errors;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const PlacePointRow& r = rows[i];
        if (r.point == 0 && r.relay == 0)
            errors.append(QStringLiteral("No points were entered for place ") +
                          QString::number(r.place));
        if (i == 0)
            continue;
        const PlacePointRow& previous = rows[i - 1];
        for (const bool relay : {false, true}) {
            const qint64 now = relay ? r.relay : r.point;
            const qint64 before = relay ? previous.relay : previous.point;
            if (now > before)
                errors.append(
                    QStringLiteral("The ") + (relay ? QStringLiteral("relay-") : QString()) +
                    QStringLiteral(" points for place ") + QString::number(r.place) +
                    QStringLiteral(" (") + pointsText(now) + QStringLiteral(") may not be more ") +
                    QStringLiteral(" than the points for the previous place") +
                    QStringLiteral(" (") + pointsText(before) + QStringLiteral(")"));
        }
    }
    return errors;
}

PlacePointsTable::PlacePointsTable(db::DmdCoreDbs& database, int meetingNo)
    : m_db(database), m_meetingNo(meetingNo)
{
}

QList<int> PlacePointsTable::leagues()
{
    QList<int> list;
    db::Query q =
        m_db.openQuery(QStringLiteral("select distinct LEAGUE from TEAM where MEETINGNO = ") +
                       db::sqlInt(m_meetingNo) + QStringLiteral(" and LEAGUE > 0 order by LEAGUE"));
    for (q.first(); !q.eof(); q.next())
        list.append(int(q.integer(QStringLiteral("LEAGUE"))));
    if (list.isEmpty())
        list.append(0);
    return list;
}

QMap<std::pair<int, int>, PlacePointRow> PlacePointsTable::all()
{
    QMap<std::pair<int, int>, PlacePointRow> rows;
    db::Query q = m_db.openQuery(
        QStringLiteral("select LEAGUE, PLACE, POINT, RELAY from PLACEPOINT where MEETINGNO = ") +
        db::sqlInt(m_meetingNo) + QStringLiteral(" order by LEAGUE, PLACE"));
    for (q.first(); !q.eof(); q.next()) {
        PlacePointRow r;
        r.league = int(q.integer(QStringLiteral("LEAGUE")));
        r.place = int(q.integer(QStringLiteral("PLACE")));
        r.point = toUnits(q.value(QStringLiteral("POINT")).toDouble());
        r.relay = toUnits(q.value(QStringLiteral("RELAY")).toDouble());
        rows.insert({r.league, r.place}, r);
    }
    return rows;
}

QList<PlacePointRow> PlacePointsTable::ofLeague(int league)
{
    QList<PlacePointRow> rows;
    for (const PlacePointRow& r : all()) {
        if (r.league == league)
            rows.append(r);
    }
    return rows;
}

bool PlacePointsTable::readPoints(const QString& text, qint64* units)
{
    bool ok = false;
    const double value = text.trimmed().isEmpty() ? 0 : text.trimmed().toDouble(&ok);
    if ((!ok && !text.trimmed().isEmpty()) || value < 0 || !std::isfinite(value)) {
        m_db.messages().warning(QStringLiteral("The score must be a number, and not negative."));
        return false;
    }
    *units = toUnits(value);
    return true;
}

bool PlacePointsTable::increase(int league, const QString& points, const QString& relayPoints,
                                int limit)
{
    const QList<PlacePointRow> rows = ofLeague(league);
    const int place = rows.isEmpty() ? 1 : rows.last().place + 1;
    if (place > limit) {
        m_db.messages().warning(QStringLiteral("You are already at the Place-limit: ") +
                                QString::number(limit));
        return false;
    }
    qint64 point = 0;
    qint64 relay = 0;
    if (!readPoints(points, &point) || !readPoints(relayPoints, &relay))
        return false;
    const qint64 no = m_db.nextKeyNumber();
    if (no <= 0)
        return false;
    return m_db.executeOneRow(
        QStringLiteral("insert into PLACEPOINT (PLACEPOINTNO, MEETINGNO, LEAGUE, PLACE, POINT, "
                       "RELAY) values (") +
        db::sqlInt(no) + ", " + db::sqlInt(m_meetingNo) + ", " + db::sqlInt(league) + ", " +
        db::sqlInt(place) + ", " + pointsText(point) + ", " + pointsText(relay) + ")");
}

bool PlacePointsTable::decrease(int league)
{
    const QList<PlacePointRow> rows = ofLeague(league);
    if (rows.isEmpty()) {
        m_db.messages().information(QStringLiteral("No Place to delete"));
        return false;
    }
    const PlacePointRow& last = rows.last();
    if (!m_db.messages().confirm(QStringLiteral("Delete the last place (") +
                                 QString::number(last.place) + QStringLiteral(") for points")))
        return false;
    return m_db.executeRowsAffected(QStringLiteral("delete from PLACEPOINT where MEETINGNO = ") +
                                    db::sqlInt(m_meetingNo) + QStringLiteral(" and LEAGUE = ") +
                                    db::sqlInt(league) + QStringLiteral(" and PLACE = ") +
                                    db::sqlInt(last.place)) > 0;
}

bool PlacePointsTable::setPoints(int league, int place, const QString& points, bool relay)
{
    if (m_db.ZSqlCount(QStringLiteral("PLACEPOINT"),
                       QStringLiteral("MEETINGNO = ") + db::sqlInt(m_meetingNo) +
                           QStringLiteral(" and LEAGUE = ") + db::sqlInt(league) +
                           QStringLiteral(" and PLACE = ") + db::sqlInt(place)) == 0) {
        m_db.messages().warning(QStringLiteral("First add a place to edit"));
        return false;
    }
    qint64 units = 0;
    if (!readPoints(points, &units))
        return false;
    return m_db.executeOneRow(QStringLiteral("update PLACEPOINT set ") +
                              (relay ? QStringLiteral("RELAY") : QStringLiteral("POINT")) +
                              QStringLiteral(" = ") + pointsText(units) +
                              QStringLiteral(" where MEETINGNO = ") + db::sqlInt(m_meetingNo) +
                              QStringLiteral(" and LEAGUE = ") + db::sqlInt(league) +
                              QStringLiteral(" and PLACE = ") + db::sqlInt(place));
}

bool PlacePointsTable::setChecked(int league, int place, const QString& points, bool relay,
                                  int limit)
{
    QList<PlacePointRow> rows = ofLeague(league);
    const int next = rows.isEmpty() ? 1 : rows.last().place + 1;
    if (place < 1 || place > next) {
        m_db.messages().warning(QStringLiteral("First add a place to edit"));
        return false;
    }
    qint64 units = 0;
    if (!readPoints(points, &units))
        return false;
    if (place == next)
        rows.append({league, place, 0, 0});
    (relay ? rows[place - 1].relay : rows[place - 1].point) = units;
    // A new place takes the same points for relays until they are set.
    if (place == next && !relay)
        rows[place - 1].relay = units;
    // Only the rise matters here: the other points of a new place are entered next.
    for (const QString& error : placePointsErrors(rows)) {
        if (!error.startsWith(QLatin1String("No points"))) {
            m_db.messages().warning(error);
            return false;
        }
    }
    if (place == next)
        return increase(league, pointsText(rows.last().point), pointsText(rows.last().relay),
                        limit);
    return setPoints(league, place, points, relay);
}

QStringList PlacePointsTable::errors(bool leaguesHaveOwnPoints)
{
    QStringList list;
    const QList<int> wanted = leaguesHaveOwnPoints ? leagues() : QList<int>{0};
    for (const int league : wanted) {
        const QList<PlacePointRow> rows = ofLeague(league);
        if (rows.isEmpty()) {
            list.append(QStringLiteral("No Points for Competition ") + QString::number(league));
            continue;
        }
        list.append(placePointsErrors(rows));
    }
    return list;
}

bool PlacePointsTable::checkBeforeUse(bool leaguesHaveOwnPoints)
{
    const QStringList list = errors(leaguesHaveOwnPoints);
    if (list.isEmpty())
        return true;
    return m_db.messages().confirm(
        QStringLiteral("Errors in PlacePoints\r\r") + list.join(QLatin1Char('\r')) +
        QStringLiteral("\r\rThe place points are edited under \"Settings: Winners\".\r\r"
                       "Continue nevertheless"));
}

} // namespace scoring
