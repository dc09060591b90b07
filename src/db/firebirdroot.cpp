#include "db/firebirdroot.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace db {

namespace {

const char* const kSystemRoot = "/usr/lib/x86_64-linux-gnu/firebird/3.0";

QString systemRoot()
{
    const QByteArray configured = qgetenv("DOLVANE_FIREBIRD_SYSTEM_ROOT");
    return configured.isEmpty() ? QString::fromLatin1(kSystemRoot) : QString::fromUtf8(configured);
}

void writeIfChanged(const QString& path, const QByteArray& content)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && file.readAll() == content)
        return;
    file.close();
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content);
}

void linkTo(const QString& link, const QString& target)
{
    QFileInfo info(link);
    if (info.isSymLink() && info.symLinkTarget() == target)
        return;
    QFile::remove(link);
    QFile::link(target, link);
}

} // namespace

QString prepareFirebirdRoot()
{
    static const QString root = [] {
        QString base = QString::fromUtf8(qgetenv("XDG_RUNTIME_DIR"));
        if (base.isEmpty() || !QFileInfo(base).isWritable())
            base = QDir::tempPath();
        const QString dir = base + QStringLiteral("/dolvane-firebird-%1").arg(getuid());
        QDir().mkpath(dir);
        writeIfChanged(dir + "/firebird.conf", "ServerMode = SuperClassic\n");
        const QString system = systemRoot();
        for (const char* name : {"plugins", "intl", "UDF", "plugins.conf", "firebird.msg"})
            linkTo(dir + "/" + name, system + "/" + name);
        qputenv("FIREBIRD", dir.toUtf8());
        // The engine's lock files: shared by our programs on this computer (so they can
        // open one file together), apart from any other Firebird program's.
        if (qEnvironmentVariableIsEmpty("FIREBIRD_LOCK")) {
            QDir().mkpath(dir + "/lock");
            qputenv("FIREBIRD_LOCK", (dir + "/lock").toUtf8());
        }
        return dir;
    }();
    return root;
}

} // namespace db
