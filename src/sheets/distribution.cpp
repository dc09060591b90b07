#include "sheets/distribution.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "sheets/sheetkinds.h"

namespace sheets {

namespace {
const QString kCR = QStringLiteral("\r");
}

QList<DistributionLine> Distribution::lines(const QString& sheet)
{
    QString sql = QStringLiteral("select DSTRNO, DSTR_SHEET, DSTR_TEXT, SELECTED from "
                                 "DISTRIBUTION where MEETINGNO = ") +
                  db::sqlInt(m_meetingNo);
    if (!sheet.isEmpty())
        sql += QStringLiteral(" and DSTR_SHEET = ") + db::quoted(sheet);
    sql += QStringLiteral(" order by DSTRNO");
    QList<DistributionLine> result;
    db::Query q = m_db.openQuery(sql);
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        result.append({q.integer("DSTRNO"), q.text("DSTR_SHEET").trimmed(),
                       q.text("DSTR_TEXT").trimmed(), q.text("SELECTED").trimmed() == "X"});
    }
    return result;
}

QStringList Distribution::activeTexts(const QString& sheet)
{
    QStringList texts;
    for (const DistributionLine& line : lines(sheet)) {
        if (line.active)
            texts << line.text;
    }
    return texts;
}

bool Distribution::checkText(const QString& text)
{
    if (text.trimmed().isEmpty()) {
        m_messages.warning(QStringLiteral("Enter the text of the distribution line."));
        return false;
    }
    if (text.trimmed().size() > kDistributionTextLength) {
        m_messages.warning(QStringLiteral("A distribution line may have at most ") +
                           QString::number(kDistributionTextLength) +
                           QStringLiteral(" characters."));
        return false;
    }
    return true;
}

bool Distribution::exists(qint64 dstrNo)
{
    if (m_db.ZSqlCount(QStringLiteral("DISTRIBUTION"),
                       QStringLiteral("DSTRNO = ") + db::sqlInt(dstrNo) +
                           QStringLiteral(" and MEETINGNO = ") + db::sqlInt(m_meetingNo)) > 0)
        return true;
    m_messages.warning(QStringLiteral("There is no distribution line ") + QString::number(dstrNo) +
                       QStringLiteral(" in this meeting."));
    return false;
}

qint64 Distribution::add(const QString& sheet, const QString& text)
{
    if (!sheetKind(sheet)) {
        m_messages.warning(QStringLiteral("There is no sheet kind ") + sheet + QStringLiteral("."));
        return 0;
    }
    if (!checkText(text))
        return 0;
    const qint64 key = m_db.nextKeyNumber();
    if (key <= 0)
        return 0;
    const bool ok = m_db.execute(
        QStringLiteral("insert into DISTRIBUTION (DSTRNO, MEETINGNO, DSTR_SHEET, DSTR_TEXT, "
                       "SELECTED) values (") +
        db::sqlInt(key) + QLatin1Char(',') + db::sqlInt(m_meetingNo) + QLatin1Char(',') +
        db::quoted(sheet) + QLatin1Char(',') + db::quoted(text.trimmed()) +
        QStringLiteral(", 'X')"));
    return ok ? key : 0;
}

bool Distribution::edit(qint64 dstrNo, const QString& text)
{
    if (!checkText(text) || !exists(dstrNo))
        return false;
    return m_db.execute(QStringLiteral("update DISTRIBUTION set DSTR_TEXT = ") +
                        db::quoted(text.trimmed()) + QStringLiteral(" where DSTRNO = ") +
                        db::sqlInt(dstrNo));
}

bool Distribution::remove(qint64 dstrNo)
{
    if (!exists(dstrNo))
        return false;
    return m_db.execute(QStringLiteral("delete from DISTRIBUTION where DSTRNO = ") +
                        db::sqlInt(dstrNo));
}

bool Distribution::toggle(qint64 dstrNo)
{
    if (!exists(dstrNo))
        return false;
    return m_db.execute(QStringLiteral("update DISTRIBUTION set SELECTED = case when SELECTED = "
                                       "'X' then '' else 'X' end where DSTRNO = ") +
                        db::sqlInt(dstrNo));
}

int Distribution::loadDefaults(const QString& sheet)
{
    const SheetKind* kind = sheetKind(sheet);
    if (!kind || kind->defaultLines.isEmpty()) {
        m_messages.internalError(5565, QStringLiteral("New sheet"));
        return 0;
    }
    if (!m_messages.confirm(QStringLiteral("Load the system sample list for ") + kCR +
                            kind->displayName))
        return 0;
    if (!m_messages.confirm(QStringLiteral("Add the following Distributions for ") + kind->key +
                            kCR + kCR + kind->defaultLines.join(kCR) + kCR + kCR +
                            QStringLiteral("Distribution List")))
        return 0;
    int added = 0;
    for (const QString& text : kind->defaultLines) {
        if (add(kind->key, text) > 0)
            ++added;
    }
    return added;
}

} // namespace sheets
