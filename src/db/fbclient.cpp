#include "db/fbclient.h"

#include "db/firebirdroot.h"
#include "db/readcounts.h"

#include <firebird/Interface.h>
#include <ibase.h>

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <functional>

using namespace Firebird;

namespace db {

void captureError(IStatus* status, DbError* error)
{
    if (!error)
        return;
    error->clear();
    char buffer[2048];
    fbMaster()->getUtilInterface()->formatStatus(buffer, sizeof buffer, status);
    error->message = QString::fromUtf8(buffer).trimmed();
    const intptr_t* vector = status->getErrors();
    // The status vector is a list of clusters: isc_arg_gds code, isc_arg_string text, ...
    while (vector && *vector != isc_arg_end) {
        const intptr_t kind = vector[0];
        if (kind == isc_arg_gds)
            error->codes.push_back(static_cast<long>(vector[1]));
        if (kind == isc_arg_cstring)
            vector += 3;
        else
            vector += 2;
    }
}

// Where a column sits in the fetch buffer and how to read it, asked of the metadata once
// per statement rather than once per row.
struct FbCursor::Column {
    unsigned type = 0;
    unsigned offset = 0;
    unsigned nullOffset = 0;
    unsigned length = 0;
    int scale = 0;
    int width = 0; // declared characters of text, else bytes
};

namespace {

// Calls through a ThrowStatusWrapper and turns its exception into false plus a DbError.
template <typename Fn> bool guarded(DbError* error, Fn&& fn)
{
    // The library opens its lock files in a loop that repeats while errno says EINTR, even
    // after a call that succeeded: a signal that interrupted an earlier wait of this thread
    // (SIGTERM at the end, a child process ending) would keep it there for good.
    errno = 0;
    try {
        fn();
        return true;
    } catch (const FbException& e) {
        captureError(e.getStatus(), error);
        return false;
    }
}

QVariant readColumn(const FbCursor::Column& column, ThrowStatusWrapper& status,
                    const unsigned char* buffer, IAttachment* attachment, ITransaction* transaction)
{
    const unsigned type = column.type;
    const unsigned offset = column.offset;
    const unsigned nullOffset = column.nullOffset;
    if (*reinterpret_cast<const short*>(buffer + nullOffset))
        return {};
    const unsigned char* data = buffer + offset;
    const int scale = column.scale;
    auto scaled = [scale](qint64 v) -> QVariant {
        if (scale == 0)
            return QVariant::fromValue<qint64>(v);
        double d = double(v);
        for (int s = scale; s < 0; ++s)
            d /= 10.0;
        return d;
    };
    switch (type) {
    case SQL_VARYING: {
        const auto length = *reinterpret_cast<const unsigned short*>(data);
        return QString::fromUtf8(reinterpret_cast<const char*>(data + 2), length);
    }
    case SQL_TEXT: {
        const unsigned length = column.length;
        QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), length);
        // A CHAR column comes padded with blanks; callers compare the value itself.
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        return text;
    }
    case SQL_SHORT:
        return scaled(*reinterpret_cast<const ISC_SHORT*>(data));
    case SQL_LONG:
        return scaled(*reinterpret_cast<const ISC_LONG*>(data));
    case SQL_INT64:
        return scaled(*reinterpret_cast<const ISC_INT64*>(data));
    case SQL_FLOAT:
        return double(*reinterpret_cast<const float*>(data));
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return *reinterpret_cast<const double*>(data);
    case SQL_BOOLEAN:
        return bool(*data);
    case SQL_TYPE_TIME: {
        unsigned h, m, s, f;
        fbMaster()->getUtilInterface()->decodeTime(*reinterpret_cast<const ISC_TIME*>(data), &h, &m,
                                                   &s, &f);
        return QTime(int(h), int(m), int(s), int(f / 10));
    }
    case SQL_TYPE_DATE: {
        unsigned y, mo, d;
        fbMaster()->getUtilInterface()->decodeDate(*reinterpret_cast<const ISC_DATE*>(data), &y,
                                                   &mo, &d);
        return QDate(int(y), int(mo), int(d));
    }
    case SQL_TIMESTAMP: {
        const auto* ts = reinterpret_cast<const ISC_TIMESTAMP*>(data);
        unsigned y, mo, d, h, m, s, f;
        fbMaster()->getUtilInterface()->decodeDate(ts->timestamp_date, &y, &mo, &d);
        fbMaster()->getUtilInterface()->decodeTime(ts->timestamp_time, &h, &m, &s, &f);
        return QDateTime(QDate(int(y), int(mo), int(d)),
                         QTime(int(h), int(m), int(s), int(f / 10)));
    }
    case SQL_BLOB: {
        ISC_QUAD id;
        std::memcpy(&id, data, sizeof id);
        IBlob* blob = attachment->openBlob(&status, transaction, &id, 0, nullptr);
        QByteArray bytes;
        char chunk[8192];
        for (;;) {
            unsigned got = 0;
            const int rc = blob->getSegment(&status, sizeof chunk, chunk, &got);
            if (rc == IStatus::RESULT_OK || rc == IStatus::RESULT_SEGMENT)
                bytes.append(chunk, int(got));
            else
                break;
        }
        blob->close(&status);
        return QString::fromUtf8(bytes);
    }
    default:
        return {};
    }
}

} // namespace

bool DbError::hasCode(long code) const
{
    for (long c : codes)
        if (c == code)
            return true;
    return false;
}

bool DbError::isNetworkError() const
{
    // A server that went away while connected fails the next write.
    return hasCode(isc_network_error) || hasCode(isc_net_connect_err) ||
           hasCode(isc_net_read_err) || hasCode(isc_net_write_err) ||
           hasCode(isc_lost_db_connection);
}

bool DbError::isUnreachableDatabase() const
{
    return message.contains(QLatin1String("I/O error ")) || isNetworkError();
}

int ResultSet::columnIndex(QAnyStringView name) const
{
    // Asked for every value of every row, mostly spelled as the query spells it: an exact
    // match of the same length is cheap; folding the case is left for the rest.
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].size() == name.size() &&
            QAnyStringView::compare(columns[i], name, Qt::CaseSensitive) == 0)
            return i;
    for (int i = 0; i < columns.size(); ++i)
        if (QAnyStringView::compare(columns[i], name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

IMaster* fbMaster()
{
    static IMaster* master = [] {
        prepareFirebirdRoot();
        return fb_get_master_interface();
    }();
    return master;
}

FbAttachment::~FbAttachment()
{
    detach(nullptr);
}

namespace {

enum class OpenMode { Attach, Create };

// Attaches to or creates a database with the parameters that `fill` puts into the DPB.
IAttachment* openDatabase(const QString& path, OpenMode mode, DbError* error,
                          const std::function<void(IXpbBuilder*, ThrowStatusWrapper*)>& fill)
{
    IMaster* master = fbMaster();
    ThrowStatusWrapper status(master->getStatus());
    IAttachment* attachment = nullptr;
    IXpbBuilder* dpb = nullptr;
    guarded(error, [&] {
        dpb = master->getUtilInterface()->getXpbBuilder(&status, IXpbBuilder::DPB, nullptr, 0);
        fill(dpb, &status);
        IProvider* provider = master->getDispatcher();
        const QByteArray name = path.toUtf8();
        if (mode == OpenMode::Create)
            attachment = provider->createDatabase(
                &status, name.constData(), dpb->getBufferLength(&status), dpb->getBuffer(&status));
        else
            attachment = provider->attachDatabase(
                &status, name.constData(), dpb->getBufferLength(&status), dpb->getBuffer(&status));
        provider->release();
    });
    if (dpb)
        dpb->dispose();
    status.dispose();
    return attachment;
}

} // namespace

std::unique_ptr<FbAttachment> FbAttachment::attach(const QString& connectionText,
                                                   const std::optional<Credentials>& login,
                                                   DbError* error)
{
    IAttachment* attachment = openDatabase(
        connectionText, OpenMode::Attach, error, [&](IXpbBuilder* dpb, ThrowStatusWrapper* st) {
            if (login) {
                dpb->insertString(st, isc_dpb_user_name, login->user.toUtf8().constData());
                dpb->insertString(st, isc_dpb_password, login->password.toUtf8().constData());
            }
            dpb->insertString(st, isc_dpb_lc_ctype, "UTF8");
        });
    if (!attachment)
        return nullptr;
    return std::unique_ptr<FbAttachment>(new FbAttachment(attachment));
}

std::unique_ptr<FbAttachment> FbAttachment::create(const QString& path, DbError* error,
                                                   bool forcedWrites)
{
    IAttachment* attachment =
        openDatabase(path, OpenMode::Create, error, [&](IXpbBuilder* dpb, ThrowStatusWrapper* st) {
            dpb->insertString(st, isc_dpb_user_name, "SYSDBA");
            dpb->insertInt(st, isc_dpb_page_size, 8192);
            dpb->insertInt(st, isc_dpb_force_write, forcedWrites ? 1 : 0);
            dpb->insertInt(st, isc_dpb_sql_dialect, 3);
            dpb->insertString(st, isc_dpb_set_db_charset, "UTF8");
            dpb->insertString(st, isc_dpb_lc_ctype, "UTF8");
        });
    if (!attachment)
        return nullptr;
    return std::unique_ptr<FbAttachment>(new FbAttachment(attachment));
}

bool FbAttachment::setForcedWrites(const QString& path, bool on, DbError* error)
{
    IAttachment* attachment =
        openDatabase(path, OpenMode::Attach, error, [&](IXpbBuilder* dpb, ThrowStatusWrapper* st) {
            dpb->insertString(st, isc_dpb_user_name, "SYSDBA");
            dpb->insertInt(st, isc_dpb_force_write, on ? 1 : 0);
        });
    // The flag is written by the attach itself.
    return FbAttachment(attachment).detach(error) && attachment != nullptr;
}

bool FbAttachment::detach(DbError* error)
{
    if (!m_attachment)
        return true;
    ThrowStatusWrapper status(fbMaster()->getStatus());
    const bool ok = guarded(error, [&] { m_attachment->detach(&status); });
    if (!ok)
        m_attachment->release(); // the attachment is gone either way
    m_attachment = nullptr;
    status.dispose();
    return ok;
}

bool FbAttachment::dropDatabase(DbError* error)
{
    if (!m_attachment)
        return false;
    ThrowStatusWrapper status(fbMaster()->getStatus());
    const bool ok = guarded(error, [&] { m_attachment->dropDatabase(&status); });
    if (ok)
        m_attachment = nullptr;
    status.dispose();
    return ok;
}

FbTransaction::~FbTransaction()
{
    if (m_transaction)
        rollback(nullptr);
}

bool FbTransaction::start(FbAttachment& attachment, DbError* error)
{
    IMaster* master = fbMaster();
    ThrowStatusWrapper status(master->getStatus());
    IXpbBuilder* tpb = nullptr;
    const bool ok = guarded(error, [&] {
        tpb = master->getUtilInterface()->getXpbBuilder(&status, IXpbBuilder::TPB, nullptr, 0);
        tpb->insertTag(&status, isc_tpb_read_committed);
        tpb->insertTag(&status, isc_tpb_rec_version);
        tpb->insertTag(&status, isc_tpb_nowait);
        tpb->insertTag(&status, m_kind == TransactionKind::Read ? isc_tpb_read : isc_tpb_write);
        m_transaction = attachment.handle()->startTransaction(
            &status, tpb->getBufferLength(&status), tpb->getBuffer(&status));
    });
    if (tpb)
        tpb->dispose();
    status.dispose();
    return ok;
}

bool FbTransaction::commit(DbError* error)
{
    if (!m_transaction)
        return false;
    ThrowStatusWrapper status(fbMaster()->getStatus());
    const bool ok = guarded(error, [&] { m_transaction->commit(&status); });
    if (ok)
        m_transaction = nullptr;
    status.dispose();
    return ok;
}

bool FbTransaction::commitRetaining(DbError* error)
{
    if (!m_transaction)
        return false;
    ThrowStatusWrapper status(fbMaster()->getStatus());
    const bool ok = guarded(error, [&] { m_transaction->commitRetaining(&status); });
    status.dispose();
    return ok;
}

bool FbTransaction::rollback(DbError* error)
{
    if (!m_transaction)
        return false;
    ThrowStatusWrapper status(fbMaster()->getStatus());
    const bool ok = guarded(error, [&] { m_transaction->rollback(&status); });
    if (!ok)
        m_transaction->release();
    m_transaction = nullptr;
    status.dispose();
    return ok;
}

bool fbExecute(FbAttachment& attachment, FbTransaction& transaction, const QString& sql,
               DbError* error, qint64* affected)
{
    if (affected)
        *affected = 0;
    ThrowStatusWrapper status(fbMaster()->getStatus());
    IStatement* statement = nullptr;
    const QByteArray text = sql.toUtf8();
    const bool ok = guarded(error, [&] {
        statement = attachment.handle()->prepare(&status, transaction.handle(), text.size(),
                                                 text.constData(), SQL_DIALECT_V6, 0);
        statement->execute(&status, transaction.handle(), nullptr, nullptr, nullptr, nullptr);
        if (affected)
            *affected = qint64(statement->getAffectedRecords(&status));
    });
    if (statement) {
        guarded(nullptr, [&] { statement->free(&status); });
    }
    status.dispose();
    return ok;
}

namespace {

bool isAsciiBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Text without the blanks at both ends, as QString::trimmed makes it, with the ASCII blanks
// cut before decoding.
QString trimmedUtf8(const char* data, qsizetype length)
{
    while (length > 0 && isAsciiBlank(data[length - 1]))
        --length;
    while (length > 0 && isAsciiBlank(*data)) {
        ++data;
        --length;
    }
    QString text = QString::fromUtf8(data, length);
    if (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()))
        return text.trimmed();
    return text;
}

} // namespace

namespace {
std::atomic<qint64> g_statementsRead{0};
std::atomic<qint64> g_rowsRead{0};
} // namespace

ReadCounts readCounts()
{
    return {g_statementsRead.load(std::memory_order_relaxed),
            g_rowsRead.load(std::memory_order_relaxed)};
}

void resetReadCounts()
{
    g_statementsRead.store(0, std::memory_order_relaxed);
    g_rowsRead.store(0, std::memory_order_relaxed);
}

std::unique_ptr<FbCursor> FbCursor::open(FbAttachment& attachment, FbTransaction& transaction,
                                         const QString& sql, DbError* error)
{
    g_statementsRead.fetch_add(1, std::memory_order_relaxed);
    std::unique_ptr<FbCursor> cursor(new FbCursor);
    cursor->m_attachment = attachment.handle();
    cursor->m_transaction = transaction.handle();
    cursor->m_status = new ThrowStatusWrapper(fbMaster()->getStatus());
    ThrowStatusWrapper& status = *cursor->m_status;
    const QByteArray text = sql.toUtf8();
    const bool ok = guarded(error, [&] {
        cursor->m_statement = attachment.handle()->prepare(
            &status, transaction.handle(), text.size(), text.constData(), SQL_DIALECT_V6,
            IStatement::PREPARE_PREFETCH_METADATA);
        IMessageMetadata* meta = cursor->m_statement->getOutputMetadata(&status);
        cursor->m_meta = meta;
        const unsigned count = meta->getCount(&status);
        cursor->m_layout.reserve(count);
        for (unsigned i = 0; i < count; ++i) {
            Column c{meta->getType(&status, i) & ~1u, meta->getOffset(&status, i),
                     meta->getNullOffset(&status, i), meta->getLength(&status, i),
                     meta->getScale(&status, i),      0};
            c.width = int(c.length);
            // UTF8 counts four bytes a character.
            if ((c.type == SQL_VARYING || c.type == SQL_TEXT) && meta->getCharSet(&status, i) == 4)
                c.width /= 4;
            cursor->m_layout.push_back(c);
            cursor->m_columns << QString::fromUtf8(meta->getAlias(&status, i));
        }
        cursor->m_buffer.resize(meta->getMessageLength(&status));
        cursor->m_cursor = cursor->m_statement->openCursor(&status, transaction.handle(), nullptr,
                                                           nullptr, meta, 0);
    });
    if (!ok)
        return nullptr;
    return cursor;
}

void FbCursor::close()
{
    // A closed result set is gone; one that fails to close is let go.
    if (m_cursor && !guarded(nullptr, [&] { m_cursor->close(m_status); }))
        m_cursor->release();
    m_cursor = nullptr;
}

FbCursor::~FbCursor()
{
    close();
    if (m_meta)
        m_meta->release();
    if (m_statement)
        guarded(nullptr, [&] { m_statement->free(m_status); });
    if (m_status) {
        m_status->dispose();
        delete m_status;
    }
}

int FbCursor::columnWidth(int column) const
{
    return m_layout[size_t(column)].width;
}

bool FbCursor::fetch(DbError* error)
{
    if (!m_cursor)
        return false;
    bool more = false;
    const bool ok = guarded(error, [&] {
        more = m_cursor->fetchNext(m_status, m_buffer.data()) == IStatus::RESULT_OK;
    });
    if (!ok || !more)
        close();
    else
        g_rowsRead.fetch_add(1, std::memory_order_relaxed);
    return ok && more;
}

QVariant FbCursor::value(int column) const
{
    // Only a blob is read through the engine here; its failure is kept for readFailure().
    QVariant value;
    if (!guarded(&m_readFailure, [&] {
            value = readColumn(m_layout[size_t(column)], *m_status, m_buffer.data(), m_attachment,
                               m_transaction);
        }))
        m_readFailed = true;
    return value;
}

bool FbCursor::isNull(int column) const
{
    return *reinterpret_cast<const short*>(m_buffer.data() + m_layout[size_t(column)].nullOffset);
}

qint64 FbCursor::integer(int column) const
{
    const Column& c = m_layout[size_t(column)];
    if (isNull(column))
        return 0;
    const unsigned char* data = m_buffer.data() + c.offset;
    if (c.scale == 0) {
        switch (c.type) {
        case SQL_SHORT:
            return *reinterpret_cast<const ISC_SHORT*>(data);
        case SQL_LONG:
            return *reinterpret_cast<const ISC_LONG*>(data);
        case SQL_INT64:
            return *reinterpret_cast<const ISC_INT64*>(data);
        default:
            break;
        }
    }
    return value(column).toLongLong();
}

QString FbCursor::text(int column) const
{
    return value(column).toString();
}

QString FbCursor::trimmed(int column) const
{
    const Column& c = m_layout[size_t(column)];
    if (isNull(column))
        return QString();
    const auto* data = reinterpret_cast<const char*>(m_buffer.data() + c.offset);
    if (c.type == SQL_VARYING)
        return trimmedUtf8(data + 2, *reinterpret_cast<const unsigned short*>(data));
    if (c.type == SQL_TEXT)
        return trimmedUtf8(data, c.length);
    return value(column).toString().trimmed();
}

bool fbSelect(FbAttachment& attachment, FbTransaction& transaction, const QString& sql,
              ResultSet* result, DbError* error)
{
    *result = ResultSet{};
    const std::unique_ptr<FbCursor> cursor = FbCursor::open(attachment, transaction, sql, error);
    if (!cursor)
        return false;
    const int count = int(cursor->columns().size());
    result->columns = cursor->columns();
    for (int i = 0; i < count; ++i)
        result->columnWidths << cursor->columnWidth(i);
    DbError failed;
    while (cursor->fetch(&failed)) {
        std::vector<QVariant> row;
        row.reserve(size_t(count));
        for (int i = 0; i < count; ++i)
            row.push_back(cursor->value(i));
        result->rows.push_back(std::move(row));
        if (cursor->readFailure()) {
            failed = *cursor->readFailure();
            break;
        }
    }
    if (!failed.message.isEmpty()) {
        if (error)
            *error = failed;
        return false;
    }
    return true;
}

} // namespace db
