#include "records/recordcheck.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"

#include <cmath>

namespace records {

namespace {

const QString kCR = QStringLiteral("\r");

bool isSwimmingCode(const QString& itemCode)
{
    return itemCode.size() >= 14 && itemCode.at(13) == QLatin1Char('W');
}

QString formatChangedText(const QString& itemCode, const QString& performance,
                          const QString& record)
{
    return QStringLiteral("The string and numerical checks differ when testing for a record.") +
           kCR + QStringLiteral("Item is ") + itemCode + kCR +
           QStringLiteral("The performance is ") + performance + kCR +
           QStringLiteral("The record is ") + record + kCR + kCR +
           QStringLiteral("This happens if the format of an item changed between the time") + kCR +
           QStringLiteral("you entered the records and when you edited the results.") + kCR + kCR +
           QStringLiteral("SOLUTION 1: go to the recordset, and edit each record again:") + kCR +
           QStringLiteral("This will put them in the correct format again.") + kCR + kCR +
           QStringLiteral("SOLUTION 2 (BETTER): On the Tamrok mainmenu on the main screen, go to") +
           kCR + QStringLiteral("More Utilities -> General utilities -> Integrity Utilities") +
           kCR +
           QStringLiteral("-> Fix Record Formats.  This utility fixes Meeting and Recordset "
                          "formats.");
}

} // namespace

QString RecordsBrokenResult::captureMessage() const
{
    if (recordsBeaten()) {
        QStringList beaten = sets;
        for (const QString& failed : failedStandards)
            beaten.removeOne(failed);
        return QStringLiteral("RECORDS were beaten or equalled") + kCR + kCR +
               beaten.join(QLatin1Char(' '));
    }
    if (windPrevented)
        return QStringLiteral("WIND Prevented a record");
    return QString();
}

QList<std::pair<qint64, int>> setsWithPoints(const QString& list)
{
    QList<std::pair<qint64, int>> sets;
    for (const QString& entry : list.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList parts = entry.split(QLatin1Char(','));
        sets.append({parts.value(0).toLongLong(), parts.value(1).toInt()});
    }
    return sets;
}

RecordCheck::RecordCheck(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                         const meeting::MeetingSettings& settings)
    : m_db(database), m_items(items), m_settings(settings)
{
}

bool RecordCheck::windAbove2(const QString& itemCode, const QString& wind) const
{
    // Swimming items never take wind, whatever their distance.
    if (isSwimmingCode(itemCode) || m_items.WindKind(itemCode) <= 0 ||
        meeting::ItemTypes::WindIsEmpty(wind))
        return false;
    bool ok = false;
    const double value =
        QString(wind).trimmed().replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    return ok && std::llround(value * 10) > 20;
}

int RecordCheck::CompareWithRecord(const QString& itemCode, const QString& performance,
                                   const QString& record, const QString& wind) const
{
    if (meeting::ItemTypes::PerfIsBlank(performance) || meeting::ItemTypes::PerfIsBlank(record))
        return Neither;
    const bool field = m_items.IsFieldItem(itemCode);
    const QString perf = performance.trimmed();
    const QString rec = record.trimmed();
    const int text = (field ? perf > rec : perf < rec) ? Broken : perf == rec ? Equalled : Neither;
    int result = text;
    const auto pv = m_items.PerfTextToValue(perf);
    const auto rv = m_items.PerfTextToValue(rec);
    if (pv && rv) {
        const qint64 p = std::llround(*pv * 100);
        const qint64 r = std::llround(*rv * 100);
        const int numeric = (field ? p > r : p < r) ? Broken : perf == rec ? Equalled : Neither;
        if (numeric != text)
            m_items.messages().internalError(710101, formatChangedText(itemCode, perf, rec));
        result = numeric;
    }
    if ((result == Broken || result == Equalled) && windAbove2(itemCode, wind))
        return WindPrevented;
    return result;
}

QString RecordCheck::recordOf(qint64 recordSetNo, const QString& itemCode)
{
    const QString key = QString::number(recordSetNo) + QLatin1Char('|') + itemCode;
    const auto found = m_records.constFind(key);
    if (found != m_records.constEnd())
        return *found;
    if (m_loadedSets.contains(recordSetNo))
        return QString();
    db::Query q = m_db.openQuery(QStringLiteral("select RECORD from RECORD where RECORDSETNO = ") +
                                 db::sqlInt(recordSetNo) + QStringLiteral(" and ITEMCODE = ") +
                                 db::quoted(itemCode) +
                                 QStringLiteral(" and HOLDERTYPENO = 1 order by RECORDNO"));
    const QString record = q.isEmpty() ? QString() : q.text(QStringLiteral("RECORD")).trimmed();
    m_records.insert(key, record);
    return record;
}

void RecordCheck::loadSet(qint64 recordSetNo)
{
    if (m_loadedSets.contains(recordSetNo))
        return;
    // Latest first, so that the first main holder of an item is the one kept.
    db::Query q = m_db.openQuery(
        QStringLiteral("select ITEMCODE, RECORD from RECORD where RECORDSETNO = ") +
        db::sqlInt(recordSetNo) + QStringLiteral(" and HOLDERTYPENO = 1 order by RECORDNO desc"));
    const QString prefix = QString::number(recordSetNo) + QLatin1Char('|');
    for (q.first(); !q.eof(); q.next())
        m_records.insert(prefix + q.text(QStringLiteral("ITEMCODE")),
                         q.text(QStringLiteral("RECORD")).trimmed());
    m_loadedSets.insert(recordSetNo);
}

QString RecordCheck::abbreviationOf(qint64 recordSetNo)
{
    const auto found = m_abbreviations.constFind(recordSetNo);
    if (found != m_abbreviations.constEnd())
        return *found;
    const QString abbreviation =
        m_db.selectOneValue(QStringLiteral("ABRV"), QStringLiteral("RECORDSET"),
                            QStringLiteral("RECORDSETNO = ") + db::sqlInt(recordSetNo))
            .trimmed();
    m_abbreviations.insert(recordSetNo, abbreviation);
    return abbreviation;
}

int RecordCheck::compareWithSet(qint64 recordSetNo, const QString& itemCode,
                                const QString& performance)
{
    return CompareWithRecord(itemCode, performance, recordOf(recordSetNo, itemCode), QString());
}

int RecordCheck::compareAndNote(qint64 recordSetNo, const QString& itemCode,
                                const QString& performance, const QString& wind,
                                RecordsBrokenResult& result)
{
    const int c = CompareWithRecord(itemCode, performance, recordOf(recordSetNo, itemCode), wind);
    if (c == Broken)
        result.sets.append(abbreviationOf(recordSetNo));
    else if (c == Equalled)
        result.sets.append(QStringLiteral("=") + abbreviationOf(recordSetNo));
    else if (c == WindPrevented)
        result.windPrevented = true;
    if ((c == Broken || c == Equalled) && windAbove2(itemCode, wind))
        m_items.messages().internalError(710102, QStringLiteral("Wind missed"));
    return c;
}

bool RecordCheck::FailsStandard(const QString& itemCode, const QString& performance)
{
    if (meeting::ItemTypes::PerfIsBlank(performance))
        return false;
    for (const auto& [set, points] : setsWithPoints(m_settings.failStandards())) {
        Q_UNUSED(points);
        const QString standard = recordOf(set, itemCode);
        if (!standard.isEmpty() &&
            CompareWithRecord(itemCode, performance, standard, QString()) == Neither)
            return true;
    }
    return false;
}

RecordsBrokenResult RecordCheck::RecordsBroken(const QString& itemCode, const QString& performance,
                                               const QString& wind, qint64 athleteNo)
{
    RecordsBrokenResult result;
    // A combined event's total is a sum of table scores: no set holds a record of it.
    if (meeting::ItemTypes::PerfIsBlank(performance) || m_items.IsNathlon(itemCode))
        return result;
    base::Messages& messages = m_items.messages();
    QString code = itemCode;
    const bool categoryRecords = m_settings.hasCategories() && m_settings.categoriesRecordSetEach();
    QString category;
    if (athleteNo > 0 && (categoryRecords || m_items.IsMixedAgeOrVeteran(itemCode))) {
        db::Query q =
            m_db.openQuery(QStringLiteral("select AGE, CATEGORY from ATHLETE where ATHLETENO = ") +
                           db::sqlInt(athleteNo));
        if (!q.isEmpty()) {
            category = q.text(QStringLiteral("CATEGORY")).trimmed();
            if (m_items.IsMixedAgeOrVeteran(itemCode)) {
                const qint64 age = q.integer(QStringLiteral("AGE"));
                if (age > 0 && age < 100)
                    code = itemCode.left(11) +
                           QStringLiteral("%1").arg(age, 2, 10, QLatin1Char('0')) +
                           itemCode.mid(13);
            }
        }
    } else if (m_items.IsMixedAgeOrVeteran(itemCode)) {
        messages.internalError(710103, QStringLiteral("Need athlete number for mixed-records"));
        return result;
    }
    if (categoryRecords && athleteNo <= 0) {
        messages.internalError(710104, QStringLiteral("Need athlete number for Category-records"));
        return result;
    }

    if (m_settings.hasFailStandards()) {
        for (const auto& [set, points] : setsWithPoints(m_settings.failStandards())) {
            Q_UNUSED(points);
            const QString standard = recordOf(set, code);
            if (!standard.isEmpty() &&
                CompareWithRecord(code, performance, standard, QString()) == Neither) {
                result.sets.append(abbreviationOf(set));
                result.failedStandards.append(abbreviationOf(set));
            }
        }
    }
    for (const auto& [set, points] : setsWithPoints(m_settings.recordSets())) {
        Q_UNUSED(points);
        compareAndNote(set, code, performance, wind, result);
    }
    if (categoryRecords && !category.isEmpty()) {
        const qint64 set =
            m_db.selectOneValue(QStringLiteral("RECORDSETNO"), QStringLiteral("CATEGORY"),
                                QStringLiteral("MEETINGNO = ") +
                                    db::sqlInt(m_settings.meetingNo()) +
                                    QStringLiteral(" and CATEGORY = ") + db::quoted(category))
                .toLongLong();
        if (set > 0)
            compareAndNote(set, code, performance, wind, result);
    }
    return result;
}

} // namespace records
