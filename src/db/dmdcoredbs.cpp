#include "db/dmdcoredbs.h"

#include "base/messages.h"
#include "db/sidereader.h"
#include "db/sqltext.h"

#include <QElapsedTimer>

namespace db {

namespace {

const QString kDashes = QString(38, QLatin1Char('-'));

} // namespace

DmdCoreDbs::DmdCoreDbs(base::Messages& messages, QString applicationCode, QString version)
    : m_messages(messages), m_code(std::move(applicationCode)), m_version(std::move(version))
{
}

DmdCoreDbs::~DmdCoreDbs()
{
    if (isConnected())
        close();
}

OpenObjectCounters& DmdCoreDbs::counters()
{
    // Per thread: work on a second connection (see SideReader) counts its own.
    static thread_local OpenObjectCounters c;
    return c;
}

bool DmdCoreDbs::isConnected() const
{
    return m_attachment && m_attachment->isConnected();
}

bool DmdCoreDbs::requireConnection()
{
    if (isConnected())
        return true;
    m_messages.internalError(10201, QStringLiteral("Database not created (nor opened)"));
    return false;
}

// --- reading ------------------------------------------------------------------------

bool DmdCoreDbs::runRead(const QString& sql, ResultSet* rows, DbError* error)
{
    if (!requireConnection())
        return false;
    if (!m_tscView.isActive() && !m_tscView.start(*m_attachment, error))
        return false;
    return fbSelect(*m_attachment, m_tscView, sql, rows, error);
}

Query DmdCoreDbs::openQuery(const QString& sql)
{
    Query query(this, sql);
    if (sql.trimmed().isEmpty()) {
        m_messages.internalError(10208, QStringLiteral("Cannot open an empty SQL"));
        return query;
    }
    query.m_open = runRead(sql, &query.m_rows, &query.m_error);
    if (!query.m_open)
        reportReadFailure(sql, query.m_error);
    return query;
}

void DmdCoreDbs::reportReadFailure(const QString& sql, const DbError& error)
{
    if (isConnected())
        m_messages.warning(QStringLiteral("Could not open ") + sql + QStringLiteral("\r") +
                           kDashes + QStringLiteral("\rERROR MESSAGE:\r") + error.message);
}

std::unique_ptr<FbCursor> DmdCoreDbs::openCursor(const QString& sql, DbError* error)
{
    if (!requireConnection())
        return nullptr;
    if (!m_tscView.isActive() && !m_tscView.start(*m_attachment, error)) {
        reportReadFailure(sql, *error);
        return nullptr;
    }
    std::unique_ptr<FbCursor> cursor = FbCursor::open(*m_attachment, m_tscView, sql, error);
    if (!cursor)
        reportReadFailure(sql, *error);
    return cursor;
}

int DmdCoreDbs::ZSqlCount(const QString& table, const QString& where)
{
    if (table.compare(QLatin1String("NRECS"), Qt::CaseInsensitive) == 0) {
        m_messages.internalError(
            10209, QStringLiteral("You meant to call ZSqlCount without the NRECS parameter."));
        return -1;
    }
    return ZSqlRecCount(QStringLiteral("select count(*) as NRECS from ") + table +
                        QStringLiteral("\r\n where ") + where);
}

int DmdCoreDbs::ZSqlRecCount(const QString& sql)
{
    QElapsedTimer timer;
    timer.start();
    ResultSet rows;
    DbError error;
    if (!runRead(sql, &rows, &error)) {
        m_messages.internalError(10210, QStringLiteral("Could not open query\r") + sql +
                                            QStringLiteral("\r") + error.message);
        return -1;
    }
    const int column = rows.columnIndex(QStringLiteral("NRECS"));
    if (column < 0 || rows.rows.empty()) {
        m_messages.internalError(10211, QStringLiteral("The sql must be of the form\r"
                                                       "select count(*) as NRECS from <table> "
                                                       "where <where>.\r") +
                                            sql);
        return -1;
    }
    if (m_messages.developerMode() && timer.elapsed() >= 1000)
        m_messages.developerNote(QStringLiteral("This oQry took long:\r") + sql + "\r" +
                                 QString::number(timer.elapsed() / 1000) + " seconds");
    return int(rows.rows[0][column].toLongLong());
}

int DmdCoreDbs::ZRecordCount(Query& query, bool showProgress)
{
    if (query.sql().contains(QLatin1String("count(*) as NRECS"), Qt::CaseInsensitive)) {
        m_messages.internalError(
            10212, QStringLiteral("You should call ZSqlCount(), not ZRecordCount()."));
    }
    if (showProgress)
        m_messages.progress(QStringLiteral("Counting records"), QStringLiteral("Please Wait"));
    query.last();
    query.first();
    if (showProgress)
        m_messages.progressDone();
    return query.recordCount();
}

QString DmdCoreDbs::selectOneValue(const QString& field, const QString& table, const QString& where)
{
    Query q = openQuery(QStringLiteral("select ") + field + QStringLiteral(" from ") + table +
                        QStringLiteral(" where ") + where);
    if (!q.isOpen() || q.isEmpty())
        return {};
    return q.resultSet().rows[0][0].toString();
}

qint64 DmdCoreDbs::nextKeyNumber(const QString& sequence)
{
    const QString name = sequence.isEmpty() ? QStringLiteral("GLOBAL") : sequence;
    Query q =
        openQuery(QStringLiteral("select NEXT_NO from GEN_NEXT_") + name + QStringLiteral("_NO"));
    if (!q.isOpen() || q.isEmpty()) {
        m_messages.internalError(10213, QStringLiteral("Could not draw a new key number"));
        return 0;
    }
    return q.integer(QStringLiteral("NEXT_NO"));
}

QList<qint64> DmdCoreDbs::nextKeyNumbers(int count)
{
    QList<qint64> keys;
    if (count <= 0)
        return keys;
    Query q = openQuery(QStringLiteral("execute block returns (NEXT_NO bigint) as\n"
                                       "declare i integer = 0;\n"
                                       "begin\n"
                                       "  while (i < ") +
                        sqlInt(count) +
                        QStringLiteral(") do begin\n"
                                       "    select NEXT_NO from GEN_NEXT_GLOBAL_NO into :NEXT_NO;\n"
                                       "    suspend;\n"
                                       "    i = i + 1;\n"
                                       "  end\n"
                                       "end"));
    if (!q.isOpen() || q.recordCount() != count) {
        m_messages.internalError(10213, QStringLiteral("Could not draw a new key number"));
        return keys;
    }
    keys.reserve(count);
    for (const auto& row : q.resultSet().rows)
        keys.append(row[0].toLongLong());
    return keys;
}

// --- modifying ----------------------------------------------------------------------

bool DmdCoreDbs::modify(const QString& sql, qint64* affected)
{
    *affected = 0;
    if (!requireConnection())
        return false;
    if (m_tscMdfy.isActive()) {
        m_messages.internalError(10214, QStringLiteral("oTscMdfy already active"));
        return false;
    }
    ++counters().statements;
    m_lastError.clear();
    bool ok = m_tscMdfy.start(*m_attachment, &m_lastError) &&
              fbExecute(*m_attachment, m_tscMdfy, sql, &m_lastError, affected);
    if (ok) {
        ok = m_tscMdfy.commit(&m_lastError);
    }
    if (!ok) {
        *affected = 0;
        if (m_tscMdfy.isActive())
            m_tscMdfy.rollback(nullptr);
    }
    --counters().statements;
    return ok;
}

bool DmdCoreDbs::execute(const QString& sql)
{
    qint64 affected = 0;
    return modify(sql, &affected);
}

qint64 DmdCoreDbs::executeRowsAffected(const QString& sql)
{
    qint64 affected = 0;
    modify(sql, &affected);
    return affected;
}

bool DmdCoreDbs::executeOneRow(const QString& sql)
{
    if (!requireConnection())
        return false;
    if (m_tscMdfy.isActive()) {
        m_messages.internalError(10215, QStringLiteral("oTscMdfy already active"));
        return false;
    }
    m_lastError.clear();
    qint64 affected = 0;
    bool ok = m_tscMdfy.start(*m_attachment, &m_lastError) &&
              fbExecute(*m_attachment, m_tscMdfy, sql, &m_lastError, &affected);
    if (ok && affected != 1) {
        m_messages.internalError(10216, QStringLiteral("Not 1 row affected but ") +
                                            QString::number(affected) + QStringLiteral("\r") + sql);
        ok = false;
    }
    if (ok)
        ok = m_tscMdfy.commit(&m_lastError);
    if (!ok) {
        if (m_tscMdfy.isActive())
            m_tscMdfy.rollback(nullptr);
        m_messages.internalError(10217, QStringLiteral("Action not executed:\r\r") + sql);
    }
    return ok;
}

// --- batch --------------------------------------------------------------------------

bool DmdCoreDbs::startBatch()
{
    if (!requireConnection())
        return false;
    if (m_tscBatch.isActive()) {
        m_messages.internalError(10218, QStringLiteral("Batch: \"oTscBatch\" ALREADY ACTIVE!!"));
        return false;
    }
    return m_tscBatch.start(*m_attachment, &m_lastError);
}

bool DmdCoreDbs::batchExecute(const QString& sql, qint64* affected)
{
    if (!m_tscBatch.isActive()) {
        m_messages.internalError(10219, QStringLiteral("Batch: \"oTscBatch\" is not active"));
        return false;
    }
    return fbExecute(*m_attachment, m_tscBatch, sql, &m_lastError, affected);
}

std::unique_ptr<Statement> DmdCoreDbs::prepareBatch(const QString& sql)
{
    if (!m_tscBatch.isActive()) {
        m_messages.internalError(10219, QStringLiteral("Batch: \"oTscBatch\" is not active"));
        return nullptr;
    }
    return Statement::prepare(*m_attachment, m_tscBatch, sql, &m_lastError);
}

bool DmdCoreDbs::batchExecute(Statement& statement, const QList<QVariant>& values, qint64* affected)
{
    if (!m_tscBatch.isActive()) {
        m_messages.internalError(10219, QStringLiteral("Batch: \"oTscBatch\" is not active"));
        return false;
    }
    return statement.execute(m_tscBatch, values, &m_lastError, affected);
}

bool DmdCoreDbs::commitBatch()
{
    if (!m_tscBatch.isActive())
        return false;
    if (m_tscBatch.commit(&m_lastError))
        return true;
    m_tscBatch.rollback(nullptr);
    return false;
}

void DmdCoreDbs::rollbackBatch()
{
    if (m_tscBatch.isActive())
        m_tscBatch.rollback(nullptr);
}

bool DmdCoreDbs::batchActive() const
{
    return m_tscBatch.isActive();
}

bool DmdCoreDbs::executeAll(const QStringList& statements)
{
    if (!startBatch())
        return false;
    for (const QString& sql : statements) {
        if (!batchExecute(sql)) {
            rollbackBatch();
            return false;
        }
    }
    return commitBatch();
}

} // namespace db
