#pragma once

#include <QString>

#include <optional>

namespace base {
class Messages;
}
namespace meeting {
class ItemTypes;
}

namespace results {

// A height or a distance typed for a field item: metres with up to two decimals ("1.5",
// "1,50", "62.3"), above 0 and within the item's format. The canonical text, or empty after
// the message.
std::optional<QString> readFieldMark(const meeting::ItemTypes& items, const QString& itemCode,
                                     const QString& typed, base::Messages& messages);

} // namespace results
