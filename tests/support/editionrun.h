#pragma once

#include "support/testdatabase.h"

namespace testing_support {

// Starts a test's run again under another application code (the athletics edition) on the
// same database file.
void restartRunAs(std::unique_ptr<base::Run>& run, base::ScriptedSink& sink, const QString& path,
                  const QString& applicationCode);

} // namespace testing_support
