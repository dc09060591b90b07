#include "base/configstore.h"

#include "base/appglobals.h"
#include "base/messages.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace base {

namespace {

const QString kSection = QStringLiteral("[AUTO_GENERATED]");

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Index range [first, end) of the section's key lines; first = -1 when absent.
std::pair<int, int> sectionRange(const QStringList& lines)
{
    int first = -1;
    for (int i = 0; i < lines.size(); ++i) {
        const QString t = lines[i].trimmed();
        if (first < 0) {
            if (t.compare(kSection, Qt::CaseInsensitive) == 0)
                first = i + 1;
        } else if (t.startsWith(QLatin1Char('['))) {
            return {first, i};
        }
    }
    return {first, int(lines.size())};
}

int findKey(const QStringList& lines, const QString& key)
{
    const auto [first, end] = sectionRange(lines);
    if (first < 0)
        return -1;
    for (int i = first; i < end; ++i) {
        const int eq = lines[i].indexOf(QLatin1Char('='));
        if (eq > 0 && lines[i].left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool writeLines(const QString& path, const QStringList& lines)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    return file.commit();
}

} // namespace

QString ConfigStore::defaultFolder()
{
    QString dir = QString::fromUtf8(qgetenv("DOLVANE_CONFIG_DIR"));
    if (dir.isEmpty())
        dir = QString::fromUtf8(qgetenv("XDG_CONFIG_HOME"));
    if (dir.isEmpty())
        dir = QDir::homePath() + QStringLiteral("/.config");
    return dir;
}

QString ConfigStore::defaultPath(const QString& applicationCode)
{
    return defaultFolder() + QLatin1Char('/') + applicationCode + QStringLiteral(".ini");
}

ConfigStore ConfigStore::forGlobals(const AppGlobals* globals, Messages& messages)
{
    if (globals)
        return ConfigStore(defaultPath(globals->applicationCode()));
    messages.internalError(11201, QStringLiteral("xAppGlobals is nil: you called ZRegReadApp() or "
                                                 "something\rfrom outide the libary, or you should "
                                                 "supply the ini-file name"));
    return ConfigStore(defaultFolder() + QStringLiteral("/Qorin_Dummy"));
}

QString ConfigStore::readText(const QString& key) const
{
    const QStringList lines = readLines(m_path);
    const int i = findKey(lines, key);
    if (i < 0)
        return {};
    return lines[i].mid(lines[i].indexOf(QLatin1Char('=')) + 1);
}

bool ConfigStore::writeText(const QString& key, const QString& value)
{
    QStringList lines = readLines(m_path);
    const QString line =
        key + QLatin1Char('=') + QString(value).remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
    const int i = findKey(lines, key);
    if (i >= 0) {
        lines[i] = line;
    } else {
        auto [first, end] = sectionRange(lines);
        if (first < 0) {
            lines << kSection;
            end = int(lines.size());
        }
        lines.insert(end, line);
    }
    return writeLines(m_path, lines);
}

int ConfigStore::readInt(const QString& key) const
{
    return readText(key).trimmed().toInt();
}

bool ConfigStore::writeInt(const QString& key, int value)
{
    return writeText(key, QString::number(value));
}

bool ConfigStore::readBool(const QString& key) const
{
    const QString v = readText(key).trimmed();
    return v.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || v.toInt() != 0;
}

bool ConfigStore::writeBool(const QString& key, bool value)
{
    return writeText(key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool ConfigStore::exists(const QString& key) const
{
    return findKey(readLines(m_path), key) >= 0;
}

bool ConfigStore::remove(const QString& key)
{
    QStringList lines = readLines(m_path);
    const int i = findKey(lines, key);
    if (i < 0)
        return true;
    lines.removeAt(i);
    writeLines(m_path, lines);
    return !exists(key);
}

} // namespace base
