#include "records/recordsets.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

namespace records {

namespace {

const QString kSetColumns =
    QStringLiteral("select RECORDSETNO, NAME, ABRV, THE_YEAR from RECORDSET");

// The year as stored: null when none was typed.
QString yearValue(const QString& year)
{
    return year.trimmed().isEmpty() ? QStringLiteral("null") : db::sqlInt(year.trimmed().toInt());
}

} // namespace

RecordSets::RecordSets(db::DmdCoreDbs& database) : m_db(database) {}

QList<RecordSetRow> RecordSets::read(const QString& where)
{
    QList<RecordSetRow> rows;
    db::Query q =
        m_db.openQuery(kSetColumns + where + QStringLiteral(" order by NAME, RECORDSETNO"));
    for (q.first(); !q.eof(); q.next()) {
        rows.append({q.integer(QStringLiteral("RECORDSETNO")), q.text(QStringLiteral("NAME")),
                     q.text(QStringLiteral("ABRV")), int(q.integer(QStringLiteral("THE_YEAR")))});
    }
    return rows;
}

QList<RecordSetRow> RecordSets::all()
{
    return read(QString());
}

std::optional<RecordSetRow> RecordSets::byNumber(qint64 recordSetNo)
{
    const QList<RecordSetRow> rows =
        read(QStringLiteral(" where RECORDSETNO = ") + db::sqlInt(recordSetNo));
    return rows.isEmpty() ? std::nullopt : std::optional(rows.first());
}

std::optional<RecordSetRow> RecordSets::byAbbreviation(const QString& abbreviation)
{
    const QList<RecordSetRow> rows = read(QStringLiteral(" where upper(ABRV) = upper(") +
                                          db::quoted(abbreviation.trimmed()) + QStringLiteral(")"));
    return rows.isEmpty() ? std::nullopt : std::optional(rows.first());
}

QString RecordSets::refusal(const RecordSetValues& values, qint64 recordSetNo)
{
    const std::pair<QString, QString> fields[] = {
        {QStringLiteral("Name"), values.name.trimmed()},
        {QStringLiteral("Abbreviation"), values.abbreviation.trimmed()}};
    for (const auto& [field, value] : fields) {
        if (value.isEmpty())
            return QStringLiteral("The ") + field + QStringLiteral(" is empty");
        // The word is reserved: record lists show the wind beside the sets.
        if (value.compare(QLatin1String("wind"), Qt::CaseInsensitive) == 0)
            return QStringLiteral("The ") + field + QStringLiteral(" may not be \"wind\".");
        const QString column =
            field == QLatin1String("Name") ? QStringLiteral("NAME") : QStringLiteral("ABRV");
        if (m_db.ZSqlCount(QStringLiteral("RECORDSET"),
                           QStringLiteral("upper(") + column + QStringLiteral(") = upper(") +
                               db::quoted(value) + QStringLiteral(") and RECORDSETNO <> ") +
                               db::sqlInt(recordSetNo)) > 0)
            return QStringLiteral("The ") + field + QStringLiteral(" \"") + value +
                   QStringLiteral("\" already exists");
    }
    if (values.name.trimmed().size() > 50)
        return QStringLiteral("The Name may have at most 50 characters");
    if (values.abbreviation.trimmed().size() > 10)
        return QStringLiteral("The Abbreviation may have at most 10 characters");
    const QString year = values.year.trimmed();
    if (!year.isEmpty()) {
        bool numeric = false;
        const int value = year.toInt(&numeric);
        if (!numeric)
            return QStringLiteral("The year must be numeric");
        if (value < 1800 || value > 2100)
            return QStringLiteral("The year must be between 1800 and 2100.");
    }
    return QString();
}

qint64 RecordSets::NewRecordSet(const RecordSetValues& values)
{
    const QString why = refusal(values);
    if (!why.isEmpty()) {
        m_db.messages().warning(why);
        return 0;
    }
    const qint64 no = m_db.nextKeyNumber();
    if (no <= 0)
        return 0;
    const bool ok = m_db.executeOneRow(
        QStringLiteral("insert into RECORDSET (RECORDSETNO, NAME, ABRV, THE_YEAR) values (") +
        db::sqlInt(no) + ", " + db::quoted(values.name.trimmed()) + ", " +
        db::quoted(values.abbreviation.trimmed()) + ", " + yearValue(values.year) + ")");
    return ok ? no : 0;
}

bool RecordSets::update(qint64 recordSetNo, const RecordSetValues& values)
{
    const QString why = refusal(values, recordSetNo);
    if (!why.isEmpty()) {
        m_db.messages().warning(why);
        return false;
    }
    return m_db.executeOneRow(QStringLiteral("update RECORDSET set NAME = ") +
                              db::quoted(values.name.trimmed()) + QStringLiteral(", ABRV = ") +
                              db::quoted(values.abbreviation.trimmed()) +
                              QStringLiteral(", THE_YEAR = ") + yearValue(values.year) +
                              QStringLiteral(" where RECORDSETNO = ") + db::sqlInt(recordSetNo));
}

bool RecordSets::deleteRecordSet(qint64 recordSetNo)
{
    const QString where = QStringLiteral(" where RECORDSETNO = ") + db::sqlInt(recordSetNo);
    QStringList statements;
    for (const char* table : {"RECORD", "MEETINGSET", "TEAM_RECSET", "MASTERS_RECSET"})
        statements << QStringLiteral("delete from ") + QLatin1String(table) + where;
    statements << QStringLiteral("update CATEGORY set RECORDSETNO = null") + where
               << QStringLiteral("delete from RECORDSET") + where;
    return m_db.executeAll(statements);
}

QList<MeetingSetRow> RecordSets::ofMeeting(int meetingNo)
{
    QList<MeetingSetRow> rows;
    db::Query q = m_db.openQuery(
        QStringLiteral("select M.MEETSETNO, M.RECORDSETNO, M.IS_FAIL_STD, M.POINTS_TO_ADD, "
                       "M.SEQ_NO, R.ABRV, R.NAME from MEETINGSET M join RECORDSET R on "
                       "R.RECORDSETNO = M.RECORDSETNO where M.MEETINGNO = ") +
        db::sqlInt(meetingNo) + QStringLiteral(" order by M.SEQ_NO, M.MEETSETNO"));
    for (q.first(); !q.eof(); q.next()) {
        MeetingSetRow row;
        row.meetSetNo = q.integer(QStringLiteral("MEETSETNO"));
        row.recordSetNo = q.integer(QStringLiteral("RECORDSETNO"));
        row.abbreviation = q.text(QStringLiteral("ABRV"));
        row.name = q.text(QStringLiteral("NAME"));
        row.failStandard = q.integer(QStringLiteral("IS_FAIL_STD")) == 1;
        row.points = int(q.integer(QStringLiteral("POINTS_TO_ADD")));
        row.sequence = int(q.integer(QStringLiteral("SEQ_NO")));
        rows.append(row);
    }
    return rows;
}

bool RecordSets::selectForMeeting(int meetingNo, qint64 recordSetNo, bool failStandard, int points)
{
    const QString mine = QStringLiteral("MEETINGNO = ") + db::sqlInt(meetingNo);
    if (m_db.ZSqlCount(QStringLiteral("MEETINGSET"), mine + QStringLiteral(" and RECORDSETNO = ") +
                                                         db::sqlInt(recordSetNo)) > 0) {
        m_db.messages().warning(QStringLiteral("This recordset was already selected for this "
                                               "meeting"));
        return false;
    }
    const qint64 no = m_db.nextKeyNumber();
    if (no <= 0)
        return false;
    const int sequence = m_db.ZSqlCount(QStringLiteral("MEETINGSET"), mine) + 1;
    return m_db.executeOneRow(
        QStringLiteral("insert into MEETINGSET (MEETSETNO, MEETINGNO, SEQ_NO, RECORDSETNO, "
                       "IS_FAIL_STD, POINTS_TO_ADD) values (") +
        db::sqlInt(no) + ", " + db::sqlInt(meetingNo) + ", " + db::sqlInt(sequence) + ", " +
        db::sqlInt(recordSetNo) + ", " + db::sqlInt(failStandard ? 1 : 0) + ", " +
        db::sqlInt(points) + ")");
}

bool RecordSets::unselectForMeeting(int meetingNo, qint64 recordSetNo)
{
    return m_db.executeRowsAffected(QStringLiteral("delete from MEETINGSET where MEETINGNO = ") +
                                    db::sqlInt(meetingNo) + QStringLiteral(" and RECORDSETNO = ") +
                                    db::sqlInt(recordSetNo)) > 0;
}

} // namespace records
