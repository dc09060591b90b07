#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

namespace publish {

// Writes a zip archive (through libzip) of the named entries; a failed write leaves no
// archive behind and an existing one as it was.
bool writeZip(const QString& archive, const QList<std::pair<QString, QByteArray>>& entries,
              QString* error);

} // namespace publish
