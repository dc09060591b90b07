#include "db/dmdcoredbs.h"

#include "base/messages.h"
#include "db/sqltext.h"

#include <QElapsedTimer>

namespace db {

namespace {

const QString kDashes = QString(38, QLatin1Char('-'));

} // namespace

bool isRemoteConnectionText(const QString& connectionText)
{
    const int colon = connectionText.indexOf(QLatin1Char(':'));
    // "host:path" or "host/port:path"; a local path starts with the root folder.
    return colon > 1 && !connectionText.startsWith(QLatin1Char('/'));
}

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
    static OpenObjectCounters c;
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

// --- connection ---------------------------------------------------------------------

bool DmdCoreDbs::attempt(const QString& connectionText, const std::optional<Credentials>& login)
{
    if (m_attachment) {
        m_messages.sink().progressDone();
        m_attachment->detach(nullptr);
        m_attachment.reset();
    }
    DbError error;
    m_attachment = FbAttachment::attach(connectionText, login, &error);
    if (isConnected())
        return true;
    m_loginFailures << error.message;
    m_lastLoginError = error;
    return false;
}

bool DmdCoreDbs::login(const QString& connectionText, int option)
{
    m_loginFailures.clear();
    m_lastLoginError.clear();
    m_loginAttempt = 0;
    if (option < 0 || option > 2)
        return false;
    m_messages.progress(QString(), connectionText + QStringLiteral(": busy Connecting"));
    const bool remote = isRemoteConnectionText(connectionText);
    bool connected = false;
    if (option == 0 || option == 1) {
        connected =
            attempt(connectionText, Credentials{QStringLiteral("SYSDBA"), kServerDefaultPassword});
        if (connected) {
            m_loginAttempt = 1;
        } else if (remote && m_lastLoginError.isUnreachableDatabase()) {
            m_messages.progressDone();
            m_messages.warning(QStringLiteral("Could not find the network-database\r") +
                               connectionText + QStringLiteral("\r\r") + m_lastLoginError.message);
            return false;
        }
    }
    if (!connected && (option == 0 || option == 2)) {
        connected = attempt(connectionText, std::nullopt);
        if (connected) {
            m_loginAttempt = 2;
        } else {
            connected =
                attempt(connectionText, Credentials{QStringLiteral("SYSDBA"), kProductPassword});
            if (connected)
                m_loginAttempt = 3;
        }
    }
    m_messages.progressDone();
    if (!connected) {
        m_attachment.reset();
        if (m_messages.developerMode())
            m_messages.internalError(
                10202, QStringLiteral("You may need to copy gds32.dll to two places"));
        QString text = QStringLiteral(
            "Tamrok could not connect to the database driver (Firebird).\r\r"
            "Please check that the Firebird server is installed and running:\r"
            " - in the control panel (services),\r"
            " - in the task manager's processes,\r"
            " - in the list of installed programs.\r"
            "Reinstall Firebird if in doubt.\r"
            "If an InterBase server or guardian runs on this computer, uninstall InterBase.\r\r"
            "You wanted to connect to: ");
        text += connectionText + QStringLiteral("\r\rThe error message was: ");
        for (const QString& failure : m_loginFailures)
            text += QStringLiteral("\r") + failure;
        m_messages.internalError(10203, text);
        return false;
    }
    m_connectionText = connectionText;
    m_remote = remote;
    DbError error;
    if (m_tscView.isActive()) {
        m_messages.internalError(10204, QStringLiteral(" Transaction was already active"));
    } else if (!m_tscView.start(*m_attachment, &error)) {
        m_messages.internalError(10205, error.message);
    }
    m_messages.setInternalErrorRecorder(
        [this](qint64 number, const QString& text) { recordInternalError(number, text); });
    return true;
}

QString DmdCoreDbs::connectionText()
{
    if (!isConnected()) {
        m_messages.internalError(10206, QStringLiteral("The database is not connected."));
        return {};
    }
    return m_connectionText;
}

void DmdCoreDbs::close()
{
    if (!isConnected()) {
        m_messages.internalError(10207, QStringLiteral("Database already disconnected:\r") +
                                            m_connectionText);
        return;
    }
    m_messages.setInternalErrorRecorder({});
    for (FbTransaction* t : {&m_tscView, &m_tscMdfy, &m_tscBatch, &m_tscDebug})
        if (t->isActive())
            t->rollback(nullptr);
    m_attachment->detach(nullptr);
    m_attachment.reset();
}

void DmdCoreDbs::refreshReads()
{
    if (m_tscView.isActive())
        m_tscView.commitRetaining(nullptr);
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
    if (!query.m_open && isConnected()) {
        m_messages.warning(QStringLiteral("Could not open ") + sql + QStringLiteral("\r") +
                           kDashes + QStringLiteral("\rERROR MESSAGE:\r") + query.m_error.message);
    }
    return query;
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

// --- schema inspection --------------------------------------------------------------

bool DmdCoreDbs::tableExists(const QString& table)
{
    return ZSqlRecCount(QStringLiteral(" select  count(*) as NRECS  from  rdb$relations \r"
                                       " where rdb$relation_name = ") +
                        quoted(table.toUpper())) > 0;
}

bool DmdCoreDbs::fieldExists(const QString& table, const QString& field)
{
    return ZSqlRecCount(QStringLiteral("select count(*) as NRECS from rdb$relation_fields\r"
                                       " where rdb$relation_name = ") +
                        quoted(table.toUpper()) + QStringLiteral(" and rdb$field_name = ") +
                        quoted(field.toUpper())) > 0;
}

int DmdCoreDbs::fieldLength(const QString& table, const QString& field, int* typeNumber)
{
    Query q = openQuery(
        QStringLiteral("select f.rdb$field_length as FIELD_LENGTH, f.rdb$character_length as "
                       "CHARS, f.rdb$field_type as TYPE_NUMBER\r"
                       " from rdb$relation_fields r join rdb$fields f"
                       " on r.rdb$field_source = f.rdb$field_name\r"
                       " where r.rdb$relation_name = ") +
        quoted(table.toUpper()) + QStringLiteral(" and r.rdb$field_name = ") +
        quoted(field.toUpper()));
    if (!q.isOpen() || q.isEmpty())
        return 0;
    if (typeNumber)
        *typeNumber = int(q.integer(QStringLiteral("TYPE_NUMBER")));
    // Text columns count characters in a UTF8 database.
    if (!q.isNull(QStringLiteral("CHARS")))
        return int(q.integer(QStringLiteral("CHARS")));
    return int(q.integer(QStringLiteral("FIELD_LENGTH")));
}

bool DmdCoreDbs::indexExists(const QString& index)
{
    return ZSqlRecCount(QStringLiteral("select count(*) as NRECS from RDB$INDEX_SEGMENTS\r"
                                       " where RDB$INDEX_NAME = ") +
                        quoted(index.toUpper())) > 0;
}

QString DmdCoreDbs::firstField(const QString& table)
{
    return selectOneValue(QStringLiteral("rdb$field_name"), QStringLiteral("rdb$relation_fields"),
                          QStringLiteral("rdb$relation_name = ") + quoted(table.toUpper()) +
                              QStringLiteral(" and rdb$field_position = 0"))
        .trimmed();
}

QString DmdCoreDbs::fieldList(const QString& table, const QString& prefix)
{
    if (!prefix.isEmpty() && !prefix.endsWith(QLatin1Char('.'))) {
        m_messages.internalError(
            10220, QStringLiteral("If supplied, the prefix must have a dot: ") + prefix);
        return {};
    }
    Query q = openQuery(QStringLiteral("select rdb$field_name as NAME from rdb$relation_fields"
                                       " where rdb$relation_name = ") +
                        quoted(table.toUpper()) + QStringLiteral(" order by rdb$field_position"));
    QStringList names;
    for (q.first(); !q.eof(); q.next())
        names << prefix + q.text(QStringLiteral("NAME")).trimmed();
    return names.join(QStringLiteral(", "));
}

bool DmdCoreDbs::deleteAllRows(const QString& table)
{
    return execute(QStringLiteral("delete from ") + table);
}

int DmdCoreDbs::deleteChildren(const QString& childTable, const QString& childKey,
                               const QString& parentTable, const QString& parentKey,
                               qint64 parentValue)
{
    Query q = openQuery(QStringLiteral("select ") + childKey + QStringLiteral(" from ") +
                        parentTable + QStringLiteral(" where ") + parentKey +
                        QStringLiteral(" = ") + sqlInt(parentValue));
    int deleted = 0;
    const QString title = QStringLiteral("Deleting from ") + childTable;
    for (q.first(); !q.eof(); q.next()) {
        m_messages.progress(title, QString(), q.position(), q.recordCount());
        deleted += int(executeRowsAffected(QStringLiteral("delete from ") + childTable +
                                           QStringLiteral(" where ") + childKey +
                                           QStringLiteral(" = ") + sqlInt(q.integer(childKey))));
    }
    m_messages.progressDone();
    return deleted;
}

// --- CONFIG -------------------------------------------------------------------------

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

// --- Query --------------------------------------------------------------------------

Query::Query(DmdCoreDbs*, QString sql) : m_owner(nullptr), m_sql(std::move(sql))
{
    ++DmdCoreDbs::counters().queries;
}

Query::Query(Query&& other) noexcept
    : m_owner(other.m_owner), m_sql(std::move(other.m_sql)), m_rows(std::move(other.m_rows)),
      m_error(std::move(other.m_error)), m_pos(other.m_pos), m_open(other.m_open)
{
    ++DmdCoreDbs::counters().queries;
}

Query::~Query()
{
    --DmdCoreDbs::counters().queries;
}

QVariant Query::value(const QString& field) const
{
    const int column = m_rows.columnIndex(field);
    if (column < 0 || m_pos < 0 || m_pos >= recordCount())
        return {};
    return m_rows.rows[size_t(m_pos)][size_t(column)];
}

} // namespace db
