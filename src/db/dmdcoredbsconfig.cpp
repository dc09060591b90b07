#include "db/dmdcoredbs.h"

#include "base/messages.h"
#include "db/sqltext.h"

namespace db {

// CONFIG slots and the internal-error marks of T_DEBUG_MARK.

QString DmdCoreDbs::config(ConfigMode mode, const QString& slot, const QString& value)
{
    switch (mode) {
    case ConfigMode::Read:
        return selectOneValue(QStringLiteral("THEVALUE"), QStringLiteral("CONFIG"),
                              QStringLiteral("SLOT = ") + quoted(slot));
    case ConfigMode::Exists:
        return ZSqlCount(QStringLiteral("CONFIG"), QStringLiteral("SLOT = ") + quoted(slot)) > 0
                   ? QStringLiteral("1")
                   : QStringLiteral("0");
    case ConfigMode::Write: {
        Query widths = openQuery(QStringLiteral("select SLOT, THEVALUE from CONFIG where 1 = 0"));
        const QList<int>& w = widths.resultSet().columnWidths;
        QString s = slot;
        QString v = value;
        if (w.size() == 2) {
            auto chop = [&](QString& text, int width, const char* what) {
                if (width <= 0 || text.size() <= width)
                    return;
                const QString cut = text.left(width);
                m_messages.internalError(10221, QString::fromLatin1(what) + slot +
                                                    QStringLiteral("\rThe value will be chopped "
                                                                   "from\r") +
                                                    text + QStringLiteral("\rto\r") + cut);
                text = cut;
            };
            chop(s, w[0], "SLOT in Config too small for ");
            chop(v, w[1], "THEVALUE in Config too small for ");
        }
        if (configExists(s))
            execute(QStringLiteral("update CONFIG set THEVALUE = ") + quoted(v) +
                    QStringLiteral(" where SLOT = ") + quoted(s));
        else
            execute(QStringLiteral("insert into CONFIG (SLOT, THEVALUE) values (") + quoted(s) +
                    QStringLiteral(", ") + quoted(v) + QStringLiteral(")"));
        return v;
    }
    }
    m_messages.internalError(10222, QStringLiteral("Wrong mode"));
    return {};
}

// --- internal errors ----------------------------------------------------------------

void DmdCoreDbs::recordInternalError(qint64 number, const QString& text)
{
    if (!isConnected() || m_tscDebug.isActive())
        return;
    const QString type = number > 999999 ? QStringLiteral("NUMERR") : QStringLiteral("ERROR");
    const QString shortMsg = text.left(48);
    const QString longMsg = text.left(199);
    const QString match = QStringLiteral(" where MARK_NO = ") + sqlInt(number) +
                          QStringLiteral(" and MARK_TYPE = ") + quoted(type) +
                          QStringLiteral(" and APP_PREFIX = ") + quoted(m_code) +
                          QStringLiteral(" and APP_VERSION = ") + quoted(m_version) +
                          QStringLiteral(" and SHORT_MSG = ") + quoted(shortMsg);
    DbError error;
    if (!m_tscDebug.start(*m_attachment, &error))
        return;
    qint64 affected = 0;
    bool ok = fbExecute(*m_attachment, m_tscDebug,
                        QStringLiteral("update T_DEBUG_MARK set MARK_COUNT = "
                                       "coalesce(MARK_COUNT, 0) + 1") +
                            match,
                        &error, &affected);
    if (ok && affected == 0) {
        ok = fbExecute(*m_attachment, m_tscDebug,
                       QStringLiteral("insert into T_DEBUG_MARK (MARK_NO, MARK_TYPE, APP_PREFIX, "
                                      "APP_VERSION, SHORT_MSG, LONG_MSG, MARK_COUNT) values (") +
                           sqlInt(number) + ", " + quoted(type) + ", " + quoted(m_code) + ", " +
                           quoted(m_version) + ", " + quoted(shortMsg) + ", " + quoted(longMsg) +
                           QStringLiteral(", 1)"),
                       &error);
    }
    if (ok)
        m_tscDebug.commit(&error);
    else
        m_tscDebug.rollback(nullptr);
}

void DmdCoreDbs::checkOpenObjects()
{
    const OpenObjectCounters& c = counters();
    if (c.queries != 0 && c.statements == 0 && c.dataSets == 0) {
        m_messages.internalError(10223, QStringLiteral("Qry=%1\rSql=%2\rDst=%3")
                                            .arg(c.queries)
                                            .arg(c.statements)
                                            .arg(c.dataSets));
    }
}

} // namespace db
