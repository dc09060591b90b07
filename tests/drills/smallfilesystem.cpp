#include "drills/smallfilesystem.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>

namespace drills {

SmallFileSystem::SmallFileSystem(const QString& folder, qint64 bytes) : m_folder(folder)
{
    QDir().mkpath(folder);
    const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
    if (::mount("dolvane-drill", QFile::encodeName(folder).constData(), "tmpfs",
                MS_NOSUID | MS_NODEV, options.constData()) != 0) {
        m_error = QStringLiteral("cannot mount a small file system (needs root): ") +
                  QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    m_mounted = true;
}

SmallFileSystem::~SmallFileSystem()
{
    // Lazily: a file still open somewhere must not keep the mount alive.
    if (m_mounted)
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}

qint64 SmallFileSystem::freeBytes() const
{
    return QStorageInfo(m_folder).bytesAvailable();
}

bool SmallFileSystem::fill(qint64 leave)
{
    QFile ballast(m_folder + QStringLiteral("/ballast.bin"));
    if (!ballast.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray block(4096, 'b');
    while (freeBytes() > leave) {
        const qint64 chunk = std::min<qint64>(block.size(), freeBytes() - leave);
        if (ballast.write(block.constData(), chunk) != chunk || !ballast.flush())
            break;
    }
    return freeBytes() <= leave;
}

bool SmallFileSystem::makeReadOnly()
{
    if (!m_mounted)
        return false;
    if (::mount(nullptr, QFile::encodeName(m_folder).constData(), nullptr,
                MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr) != 0) {
        m_error = QStringLiteral("cannot make the file system read-only: ") +
                  QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
}

} // namespace drills
