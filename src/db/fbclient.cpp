#include "db/fbclient.h"

#include "db/firebirdroot.h"

#include <firebird/Interface.h>
#include <ibase.h>

#include <QDate>
#include <QDateTime>
#include <QTime>

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

// Where a column sits in the fetch buffer and how to read it, asked of the metadata once
// per statement rather than once per row.
struct ColumnLayout {
    unsigned type = 0;
    unsigned offset = 0;
    unsigned nullOffset = 0;
    unsigned length = 0;
    int scale = 0;
};

ColumnLayout columnLayout(IMessageMetadata* meta, ThrowStatusWrapper& status, unsigned i)
{
    return {meta->getType(&status, i) & ~1u, meta->getOffset(&status, i),
            meta->getNullOffset(&status, i), meta->getLength(&status, i),
            meta->getScale(&status, i)};
}

QVariant readColumn(const ColumnLayout& column, ThrowStatusWrapper& status,
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

bool fbSelect(FbAttachment& attachment, FbTransaction& transaction, const QString& sql,
              ResultSet* result, DbError* error)
{
    *result = ResultSet{};
    ThrowStatusWrapper status(fbMaster()->getStatus());
    IStatement* statement = nullptr;
    IMessageMetadata* meta = nullptr;
    IResultSet* cursor = nullptr;
    const QByteArray text = sql.toUtf8();
    const bool ok = guarded(error, [&] {
        statement = attachment.handle()->prepare(&status, transaction.handle(), text.size(),
                                                 text.constData(), SQL_DIALECT_V6,
                                                 IStatement::PREPARE_PREFETCH_METADATA);
        meta = statement->getOutputMetadata(&status);
        const unsigned count = meta->getCount(&status);
        std::vector<ColumnLayout> layout;
        layout.reserve(count);
        for (unsigned i = 0; i < count; ++i) {
            layout.push_back(columnLayout(meta, status, i));
            result->columns << QString::fromUtf8(meta->getAlias(&status, i));
            const unsigned type = meta->getType(&status, i) & ~1u;
            unsigned width = meta->getLength(&status, i);
            if (type == SQL_VARYING || type == SQL_TEXT) {
                const unsigned charset = meta->getCharSet(&status, i);
                if (charset == 4) // UTF8 counts four bytes a character
                    width /= 4;
            }
            result->columnWidths << int(width);
        }
        std::vector<unsigned char> buffer(meta->getMessageLength(&status));
        cursor = statement->openCursor(&status, transaction.handle(), nullptr, nullptr, meta, 0);
        while (cursor->fetchNext(&status, buffer.data()) == IStatus::RESULT_OK) {
            std::vector<QVariant> row;
            row.reserve(count);
            for (unsigned i = 0; i < count; ++i)
                row.push_back(readColumn(layout[i], status, buffer.data(), attachment.handle(),
                                         transaction.handle()));
            result->rows.push_back(std::move(row));
        }
        cursor->close(&status);
        cursor = nullptr;
    });
    if (cursor)
        cursor->release();
    if (meta)
        meta->release();
    if (statement)
        guarded(nullptr, [&] { statement->free(&status); });
    status.dispose();
    return ok;
}

} // namespace db
