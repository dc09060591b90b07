#include "db/schemacreate.h"

#include "base/messages.h"
#include "db/fbclient.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace db {

QStringList splitScript(const QString& script)
{
    static const QRegularExpression setTerm(
        QStringLiteral("^\\s*SET\\s+TERM\\s+(\\S+)\\s*(\\S+)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList statements;
    QString terminator = QStringLiteral(";");
    QString current;
    const QStringList lines = script.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (current.isEmpty() && (trimmed.isEmpty() || trimmed.startsWith(QLatin1String("--"))))
            continue;
        const QRegularExpressionMatch m = setTerm.match(trimmed);
        if (current.isEmpty() && m.hasMatch()) {
            // "SET TERM ^ ;" ends with the old terminator, which is not part of the new one.
            terminator = m.captured(1);
            if (terminator.endsWith(m.captured(2)) && terminator.size() > m.captured(2).size())
                terminator.chop(m.captured(2).size());
            continue;
        }
        current += line + QLatin1Char('\n');
        if (trimmed.endsWith(terminator)) {
            QString statement = current.trimmed();
            statement.chop(terminator.size());
            statement = statement.trimmed();
            if (!statement.isEmpty())
                statements << statement;
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty())
        statements << current.trimmed();
    return statements;
}

QStringList schemaFileStatements(const QString& fileName)
{
    QFile file(QStringLiteral(":/schema/") + fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return splitScript(QString::fromUtf8(file.readAll()));
}

QStringList schemaStatements()
{
    QDir dir(QStringLiteral(":/schema"));
    QStringList files = dir.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name);
    QStringList statements;
    for (const QString& name : files)
        statements << schemaFileStatements(name);
    return statements;
}

bool createEmptyDatabase(base::Messages& messages, const QString& path, bool forcedWrites)
{
    if (QFileInfo::exists(path)) {
        messages.warning(QStringLiteral("The database already exists:\r") + path +
                         QStringLiteral("\r\rIt was not changed."));
        return false;
    }
    const QStringList statements = schemaStatements();
    if (statements.isEmpty()) {
        messages.internalError(10401,
                               QStringLiteral("The schema of the empty database is missing."));
        return false;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    DbError error;
    std::unique_ptr<FbAttachment> attachment = FbAttachment::create(path, &error, false);
    if (!attachment) {
        messages.warning(QStringLiteral("The database could not be created:\r") + path +
                         QStringLiteral("\r\r") + error.message);
        return false;
    }
    int done = 0;
    for (const QString& sql : statements) {
        messages.progress(QStringLiteral("Creating the database"), path, done++,
                          int(statements.size()));
        FbTransaction transaction(TransactionKind::Modify);
        if (!transaction.start(*attachment, &error) ||
            !fbExecute(*attachment, transaction, sql, &error) || !transaction.commit(&error)) {
            messages.progressDone();
            attachment->dropDatabase(nullptr);
            attachment.reset();
            QFile::remove(path);
            messages.internalError(10402, QStringLiteral("The database could not be created:\r") +
                                              sql.left(120) + QStringLiteral("\r") + error.message);
            return false;
        }
    }
    messages.progressDone();
    if (!attachment->detach(&error))
        return false;
    if (forcedWrites && !FbAttachment::setForcedWrites(path, true, &error)) {
        messages.warning(QStringLiteral("The database could not be created:\r") + path +
                         QStringLiteral("\r\r") + error.message);
        QFile::remove(path);
        return false;
    }
    return true;
}

} // namespace db
