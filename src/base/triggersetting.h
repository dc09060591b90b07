#pragma once

namespace base {

class ConfigStore;

// The configuration key that switches the database event messages between programs.
inline constexpr const char* kGdbTriggersActive = "GDB_TRIGGERS_ACTIVE";

// 1 on, 0 off, -1 not set yet.
int gdbTriggersActive(const ConfigStore& config);

} // namespace base
