#pragma once

#include <QString>

namespace base {

class AppGlobals;
class Messages;

// The per-user INI file: all values in the section "AUTO_GENERATED", one "KEY=value" a
// line, written back whole on each change. Values are kept as plain text: a comma is
// just a comma.
class ConfigStore {
public:
    // The file of an application code: $DOLVANE_CONFIG_DIR, else $XDG_CONFIG_HOME, else
    // ~/.config, + "/" + code + ".ini".
    static QString defaultPath(const QString& applicationCode);
    static QString defaultFolder();
    // The store named by the globals of the run. Without globals the caller is outside a
    // run: an internal error, and the store falls back to a scratch file.
    static ConfigStore forGlobals(const AppGlobals* globals, Messages& messages);

    explicit ConfigStore(QString path) : m_path(std::move(path)) {}

    const QString& path() const { return m_path; }

    QString readText(const QString& key) const;
    bool writeText(const QString& key, const QString& value);
    int readInt(const QString& key) const;
    bool writeInt(const QString& key, int value);
    bool readBool(const QString& key) const;
    bool writeBool(const QString& key, bool value);
    // A missing file has no keys.
    bool exists(const QString& key) const;
    // Returns whether the key is gone afterwards.
    bool remove(const QString& key);

private:
    QString m_path;
};

} // namespace base
