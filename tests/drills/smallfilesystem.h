#pragma once

#include <QString>

namespace drills {

// A small file system of its own (tmpfs) mounted on a folder for one test, unmounted at
// the end. Mounting needs root; without it `mounted()` is false and `error()` says why.
class SmallFileSystem {
public:
    SmallFileSystem(const QString& folder, qint64 bytes);
    ~SmallFileSystem();
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool mounted() const { return m_mounted; }
    const QString& error() const { return m_error; }
    const QString& folder() const { return m_folder; }
    qint64 freeBytes() const;

    // Writes a ballast file until at most `leave` bytes are free.
    bool fill(qint64 leave);
    // Mounted again read-only: every write fails with the system's "Read-only file system".
    bool makeReadOnly();

private:
    QString m_folder;
    QString m_error;
    bool m_mounted = false;
};

} // namespace drills
