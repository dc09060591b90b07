#pragma once

#include <QString>

#include <optional>

namespace base {

class Messages;

// Asks for a whole number (a leading minus allowed). Empty when the user cancels, or when
// the answer is no number: that is shown as "Not a number:" with the answer.
std::optional<int> askWholeNumber(Messages& messages, const QString& prompt,
                                  const QString& initial = QString());

} // namespace base
