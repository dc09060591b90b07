#include "entries/nathlons.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "entries/participations.h"
#include "meeting/genderage.h"

namespace entries {

Nathlons::Nathlons(db::DmdCoreDbs& database, const EntrySettings& settings)
    : m_db(database), m_settings(settings)
{
}

int Nathlons::enter(qint64 athleteNo)
{
    db::Query a = m_db.openQuery(
        QStringLiteral("select TEAMNO, GENDER, AGE, CATEGORY, N_ATHLON from ATHLETE where "
                       "ATHLETENO = ") +
        db::sqlInt(athleteNo));
    if (a.isEmpty())
        return -1;
    const int events = int(a.integer(QStringLiteral("N_ATHLON")));
    const qint64 teamNo = a.integer(QStringLiteral("TEAMNO"));
    if (events <= 0) {
        m_db.messages().internalError(30310, QStringLiteral("Not an n-athlon athlete: ") +
                                                 QString::number(athleteNo));
        return -1;
    }
    if (teamNo == 0) {
        m_db.messages().internalError(30302, QStringLiteral("Empty Teamno"));
        return -1;
    }
    QString sql =
        QStringLiteral("select EVENTNO from MYEVENT where MEETINGNO = ") +
        db::sqlInt(m_settings.meetingNo) + QStringLiteral(" and SELECTED = 'X' and N_ATHLON = ") +
        db::sqlInt(events) + QStringLiteral(" and C_GENDER = ") +
        db::quoted(a.text(QStringLiteral("GENDER")).trimmed()) + QStringLiteral(" and C_AGE = ") +
        db::quoted(meeting::ageText(meeting::seniorAge(int(a.integer(QStringLiteral("AGE")))))) +
        QStringLiteral(" and EVENTNO not in (select EVENTNO from PARTICIPATE where ATHLETENO = ") +
        db::sqlInt(athleteNo) + QLatin1Char(')');
    if (m_settings.hasCategories)
        sql += QStringLiteral(" and CATEGORY = ") +
               db::quoted(a.text(QStringLiteral("CATEGORY")).trimmed());
    db::Query q = m_db.openQuery(sql + QStringLiteral(" order by C_SEQ, EVENTNO"));
    int added = 0;
    for (q.first(); !q.eof(); q.next()) {
        const qint64 partNo = m_db.nextKeyNumber();
        if (partNo == 0 || !m_db.execute(Participations::insertSql(
                               partNo, m_settings.meetingNo, q.integer(QStringLiteral("EVENTNO")),
                               teamNo, athleteNo, QString())))
            return -1;
        ++added;
    }
    return added;
}

int Nathlons::enterFor(qint64 athleteNo, int nAthlon, qint64 eventNo, const QString& best)
{
    if (nAthlon > 0)
        return enter(athleteNo);
    if (eventNo == 0)
        return 0;
    return Participations(m_db, m_settings).add(athleteNo, eventNo, best) != 0 ? 1 : -1;
}

bool Nathlons::removeAthlete(qint64 athleteNo)
{
    if (!m_db.messages().confirm(QStringLiteral("Delete this athlete from the n-athlon")))
        return false;
    const QString mine = QStringLiteral(" where ATHLETENO = ") + db::sqlInt(athleteNo);
    return m_db.execute(QStringLiteral("delete from HEATPART") + mine) &&
           m_db.execute(QStringLiteral("delete from PARTICIPATE") + mine) &&
           m_db.execute(QStringLiteral("delete from ATHLETE") + mine);
}

namespace {

QString nathlonCountError(const QString& text)
{
    return QStringLiteral("n-Athlon error: ") + text +
           QStringLiteral(": min is 2-Athlon, maximum is 20-Athlon.");
}

} // namespace

bool nathlonCountValid(base::Messages& messages, int events)
{
    if (events == 0 || (events >= 2 && events <= 20))
        return true;
    messages.warning(nathlonCountError(QString::number(events)));
    return false;
}

std::optional<int> readNathlonCount(base::Messages& messages, const QString& text)
{
    const QString t = text.trimmed().toLower();
    if (t.isEmpty())
        return 0;
    int events = -1;
    qsizetype digits = 0;
    while (digits < t.size() && t[digits].isDigit())
        ++digits;
    if (digits > 0) {
        const QString rest = t.mid(digits);
        if (rest.isEmpty() || rest == QLatin1String("-athlon"))
            events = t.left(digits).toInt();
        if (events == 0 && rest.isEmpty())
            return 0; // no n-athlon

    } else if (t.endsWith(QLatin1String("lon"))) {
        // The first three letters name the count: "oct" in "Octathlon" and "Octahlon".
        static const QList<std::pair<const char*, int>> names{{"bia", 2}, {"tri", 3}, {"qua", 4},
                                                              {"pen", 5}, {"hex", 6}, {"hep", 7},
                                                              {"oct", 8}, {"non", 9}, {"dec", 10}};
        for (const auto& [prefix, count] : names) {
            if (t.startsWith(QLatin1String(prefix)))
                events = count;
        }
    }
    if (events < 2 || events > 20) {
        messages.warning(nathlonCountError(text.trimmed()));
        return std::nullopt;
    }
    return events;
}

} // namespace entries
