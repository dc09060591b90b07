#include "records/records.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/events.h"
#include "meeting/datetext.h"
#include "meeting/itemtypes.h"

namespace records {

namespace {

const QString kColumns = QStringLiteral(
    "select RECORDNO, RECORDSETNO, ITEMCODE, HOLDERTYPENO, RECORD, SURNAME, NAME, TEAM, THEDATE "
    "from RECORD");
const QString kOrder =
    QStringLiteral(" order by C_AGE, C_GENDER, C_ABSAORDER, ITEMCODE, HOLDERTYPENO, RECORDNO");

QString holderColumns(const RecordHolder& holder)
{
    return QStringLiteral("SURNAME = ") + db::quoted(holder.surname.trimmed()) +
           QStringLiteral(", NAME = ") + db::quoted(holder.firstName.trimmed()) +
           QStringLiteral(", TEAM = ") + db::quoted(holder.team.trimmed()) +
           QStringLiteral(", THEDATE = ") + db::quoted(holder.date.trimmed());
}

} // namespace

Records::Records(db::DmdCoreDbs& database, const meeting::ItemTypes& items)
    : m_db(database), m_items(items)
{
}

QList<RecordRow> Records::read(const QString& where)
{
    QList<RecordRow> rows;
    db::Query q = m_db.openQuery(kColumns + where + kOrder);
    for (q.first(); !q.eof(); q.next()) {
        RecordRow row;
        row.recordNo = q.integer(QStringLiteral("RECORDNO"));
        row.recordSetNo = q.integer(QStringLiteral("RECORDSETNO"));
        row.itemCode = q.text(QStringLiteral("ITEMCODE"));
        row.holderType = int(q.integer(QStringLiteral("HOLDERTYPENO")));
        row.record = q.text(QStringLiteral("RECORD"));
        row.holder = {q.text(QStringLiteral("SURNAME")), q.text(QStringLiteral("NAME")),
                      q.text(QStringLiteral("TEAM")), q.text(QStringLiteral("THEDATE"))};
        rows.append(row);
    }
    return rows;
}

QList<RecordRow> Records::ofSet(qint64 recordSetNo)
{
    return read(QStringLiteral(" where RECORDSETNO = ") + db::sqlInt(recordSetNo));
}

QList<RecordRow> Records::ofItem(qint64 recordSetNo, const QString& itemCode)
{
    return read(QStringLiteral(" where RECORDSETNO = ") + db::sqlInt(recordSetNo) +
                QStringLiteral(" and ITEMCODE = ") + db::quoted(itemCode));
}

QString Records::mainRecord(qint64 recordSetNo, const QString& itemCode)
{
    db::Query q = m_db.openQuery(QStringLiteral("select RECORD from RECORD where RECORDSETNO = ") +
                                 db::sqlInt(recordSetNo) + QStringLiteral(" and ITEMCODE = ") +
                                 db::quoted(itemCode) +
                                 QStringLiteral(" and HOLDERTYPENO = 1 order by RECORDNO"));
    return q.isEmpty() ? QString() : q.text(QStringLiteral("RECORD")).trimmed();
}

QString Records::readRecordText(const QString& itemCode, const QString& typed)
{
    const QString text = meeting::ItemTypes::FixDecimalComma(typed.trimmed());
    if (text.isEmpty() || meeting::ItemTypes::PerfIsBlank(text)) {
        m_db.messages().warning(QStringLiteral("The record may not be empty"));
        return QString();
    }
    const auto canonical = m_items.NormalisePerf(itemCode, text);
    if (!canonical || canonical->isEmpty())
        return QString();
    if (!m_items.CheckPerfFormat(itemCode, *canonical, true))
        return QString();
    return *canonical;
}

bool Records::checkHolderDate(const QString& date)
{
    if (date.trimmed().isEmpty() || meeting::isValidDateText(date.trimmed()))
        return true;
    m_db.messages().warning(QStringLiteral("Expected date formmat yyyy/mm/dd"));
    return false;
}

QString Records::insertSql(qint64 recordNo, qint64 recordSetNo, const QString& itemCode,
                           int holderType, const QString& record, const RecordHolder& holder) const
{
    return QStringLiteral("insert into RECORD (RECORDNO, RECORDSETNO, ITEMCODE, HOLDERTYPENO, "
                          "RECORD, SURNAME, NAME, TEAM, THEDATE, C_GENDER, C_AGE, C_ABSAORDER, "
                          "C_CLASS) values (") +
           db::sqlInt(recordNo) + ", " + db::sqlInt(recordSetNo) + ", " + db::quoted(itemCode) +
           ", " + db::sqlInt(holderType) + ", " + db::quoted(record) + ", " +
           db::quoted(holder.surname.trimmed().left(25)) + ", " +
           db::quoted(holder.firstName.trimmed().left(25)) + ", " +
           db::quoted(holder.team.trimmed().left(50)) + ", " + db::quoted(holder.date.trimmed()) +
           ", " + db::quoted(itemCode.mid(10, 1)) + ", " + db::quoted(itemCode.mid(11, 2)) + ", " +
           db::quoted(draw::itemSortOrder(m_items, itemCode).left(20)) + ", " +
           db::quoted(itemCode.size() > 14 ? itemCode.mid(14, 6) : QString()) + ")";
}

qint64 Records::NewRecord(qint64 recordSetNo, const QString& typedItemCode,
                          const QString& typedRecord, const RecordHolder& holder)
{
    base::Messages& messages = m_db.messages();
    const QString itemCode = m_items.CanonicalItemCode(typedItemCode);
    if (!ofItem(recordSetNo, itemCode).isEmpty()) {
        messages.warning(QStringLiteral("The record already exists."));
        return 0;
    }
    const QString record = readRecordText(itemCode, typedRecord);
    if (record.isEmpty() || !checkHolderDate(holder.date))
        return 0;
    const qint64 no = m_db.nextKeyNumber();
    if (no <= 0)
        return 0;
    return m_db.executeOneRow(insertSql(no, recordSetNo, itemCode, MainHolder, record, holder)) ? no
                                                                                                : 0;
}

bool Records::editRecord(qint64 recordNo, const QString& typedRecord, const RecordHolder& holder)
{
    db::Query q = m_db.openQuery(QStringLiteral("select ITEMCODE from RECORD where RECORDNO = ") +
                                 db::sqlInt(recordNo));
    if (q.isEmpty())
        return false;
    const QString record = readRecordText(q.text(QStringLiteral("ITEMCODE")), typedRecord);
    if (record.isEmpty() || !checkHolderDate(holder.date))
        return false;
    return m_db.executeOneRow(QStringLiteral("update RECORD set RECORD = ") + db::quoted(record) +
                              QStringLiteral(", ") + holderColumns(holder) +
                              QStringLiteral(" where RECORDNO = ") + db::sqlInt(recordNo));
}

qint64 Records::addCoHolder(qint64 recordSetNo, const QString& itemCode, const RecordHolder& holder)
{
    base::Messages& messages = m_db.messages();
    const QList<RecordRow> rows = ofItem(recordSetNo, itemCode);
    if (rows.isEmpty() || rows.first().holderType != MainHolder) {
        messages.warning(QStringLiteral("Add the Main Record Holder before you add co-holders"));
        return 0;
    }
    if (rows.first().holder.isEmpty()) {
        messages.warning(QStringLiteral("First enter a Main holder.\rEnter at least one of Name, "
                                        "Surname, Team or Date."));
        return 0;
    }
    if (holder.isEmpty()) {
        messages.warning(QStringLiteral("You cannot enter an empty co-holder"));
        return 0;
    }
    if (!checkHolderDate(holder.date))
        return 0;
    const qint64 no = m_db.nextKeyNumber();
    if (no <= 0)
        return 0;
    return m_db.executeOneRow(
               insertSql(no, recordSetNo, itemCode, CoHolder, rows.first().record, holder))
               ? no
               : 0;
}

bool Records::deleteRecord(qint64 recordNo)
{
    const QList<RecordRow> rows = read(QStringLiteral(" where RECORDNO = ") + db::sqlInt(recordNo));
    if (rows.isEmpty())
        return false;
    const RecordRow& row = rows.first();
    if (row.holderType == MainHolder &&
        m_db.ZSqlCount(QStringLiteral("RECORD"),
                       QStringLiteral("RECORDSETNO = ") + db::sqlInt(row.recordSetNo) +
                           QStringLiteral(" and ITEMCODE = ") + db::quoted(row.itemCode) +
                           QStringLiteral(" and HOLDERTYPENO = 2")) > 0) {
        m_db.messages().warning(
            QStringLiteral("There are co-holders.  First delete the co-holders."));
        return false;
    }
    return m_db.executeOneRow(QStringLiteral("delete from RECORD where RECORDNO = ") +
                              db::sqlInt(recordNo));
}

} // namespace records
