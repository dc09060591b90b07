#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace shell {

// The guard that keeps a second copy of the desktop program from starting: a lock file
// in the user's runtime folder, held while the program runs.
class SingleInstance {
public:
    // `folder` empty: the runtime folder of the user.
    explicit SingleInstance(const QString& applicationCode, const QString& folder = QString());
    ~SingleInstance();

    // False when another running copy holds the lock.
    bool acquire();
    QString lockPath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace shell
