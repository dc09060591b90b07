#include "shell/singleinstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace shell {

SingleInstance::SingleInstance(const QString& applicationCode, const QString& folder)
{
    QString dir = folder;
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QDir().mkpath(dir);
    m_path = dir + QLatin1Char('/') + applicationCode + QStringLiteral(".lock");
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire()
{
    m_lock = std::make_unique<QLockFile>(m_path);
    // A lock left by a crashed copy is taken over: QLockFile checks the process id.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return true;
    m_lock.reset();
    return false;
}

} // namespace shell
