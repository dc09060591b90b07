#pragma once

#include <QString>

namespace db {

// The one quoting rule for literal values composed into SQL: text in single quotes with
// each single quote doubled; integers in decimal.
QString quoted(const QString& text);
QString sqlInt(qint64 value);
// A real number in full precision ("0.0104166666666667"); never a locale's comma.
QString sqlReal(double value);

} // namespace db
