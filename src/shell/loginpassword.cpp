#include "shell/loginpassword.h"

#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

#include <QCryptographicHash>

namespace shell {

namespace {

const QString kPrefix = QStringLiteral("DV1:");

QByteArray keyStream(const base::AppGlobals& globals, qsizetype length)
{
    QByteArray stream;
    for (int block = 0; stream.size() < length; ++block)
        stream += QCryptographicHash::hash(
            (globals.secretText() + QLatin1Char(':') + QString::number(block)).toUtf8(),
            QCryptographicHash::Sha256);
    return stream.left(length);
}

QByteArray crossed(const base::AppGlobals& globals, QByteArray bytes)
{
    const QByteArray key = keyStream(globals, bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(bytes[i] ^ key[i]);
    return bytes;
}

} // namespace

QString encipherSecret(const base::AppGlobals& globals, const QString& plain)
{
    return kPrefix + QString::fromLatin1(crossed(globals, plain.toUtf8()).toHex());
}

QString decipherSecret(const base::AppGlobals& globals, const QString& stored)
{
    if (!stored.startsWith(kPrefix))
        return stored;
    return QString::fromUtf8(
        crossed(globals, QByteArray::fromHex(stored.mid(kPrefix.size()).toLatin1())));
}

void setLoginPassword(base::Run& run, const QString& password)
{
    const QString slot = QString::fromLatin1(kLoginPassword);
    if (password.isEmpty()) {
        run.database()->execute(QStringLiteral("delete from CONFIG where SLOT = ") +
                                db::quoted(slot));
        return;
    }
    run.database()->configWrite(slot, encipherSecret(run.globals(), password));
}

bool loginPasses(base::Run& run)
{
    const QString stored = run.database()->configRead(QString::fromLatin1(kLoginPassword));
    if (stored.isEmpty())
        return true;
    const QString password = decipherSecret(run.globals(), stored);
    for (int attempt = 0; attempt < 3; ++attempt) {
        QString entered;
        if (!run.messages().askText(QStringLiteral("Enter your password"), &entered, true))
            return false;
        if (entered == password)
            return true;
        run.messages().warning(QStringLiteral("Invalid Password"));
    }
    return false;
}

} // namespace shell
